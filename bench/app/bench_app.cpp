// Start-up, memory and page-drawing figures of the program, each beside a
// reference measured in the same run:
// - start-up: process start to the first month page painted, against a
//   minimal Qt Widgets program showing one empty window of the same size;
// - memory: peak resident set at that moment, against the same program;
// - page: Form_Paint for every month of a year in both calendars, against
//   Qt's QCalendarWidget showing the same months, grabbed to an image.
#include "core/calendarengine.h"
#include "mainwin/calmain.h"
#include "platform/clock.h"
#include "platform/engineloader.h"
#include "platform/picturebox.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QRadioButton>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {

constexpr int Runs = 15;

qint64 monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

long peakRssKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return 0;
}

// The floor: one empty window of the main window's size.
class EmptyWindow : public QWidget {
public:
    bool painted = false;

protected:
    void paintEvent(QPaintEvent *) override { painted = true; }
};

// Child modes print "<monotonic ns at first paint> <peak RSS kB>".
int childProgram(bool floor)
{
    const char *argv[] = {"bench", nullptr};
    int argc = 1;
    QApplication app(argc, const_cast<char **>(argv));
    if (floor) {
        EmptyWindow window;
        window.resize(490, 380);
        window.show();
        while (!window.painted)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        std::printf("%lld %ld\n", monotonicNs(), peakRssKb());
        return 0;
    }
    const auto engine = platform::loadEngineOrExplain(QCoreApplication::applicationDirPath());
    if (!engine)
        return 2;
    core::setEngine(engine.get());
    CalMain window;
    window.show();
    while (window.paintCount() == 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    std::printf("%lld %ld\n", monotonicNs(), peakRssKb());
    return 0;
}

struct StartFigures {
    double medianMs = 0;
    double medianRssKb = 0;
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

StartFigures measureStart(const QString &mode)
{
    std::vector<double> times, rss;
    for (int i = 0; i < Runs; ++i) {
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        child.setProcessEnvironment(env);
        const qint64 start = monotonicNs();
        child.start(QCoreApplication::applicationFilePath(), {mode});
        child.waitForFinished(30000);
        const QList<QByteArray> out = child.readAllStandardOutput().trimmed().split(' ');
        if (out.size() != 2)
            continue;
        times.push_back((out[0].toLongLong() - start) / 1e6);
        rss.push_back(out[1].toDouble());
    }
    return {median(times), median(rss)};
}

// Nanoseconds per page for every month of a year, both calendars.
double dovrinPageNs(CalMain &window)
{
    QElapsedTimer timer;
    int pages = 0;
    timer.start();
    for (int round = 0; round < 20; ++round) {
        for (QRadioButton *lead : {window.GregOpt, window.HegOpt}) {
            lead->click();
            const QString year = lead == window.GregOpt ? QStringLiteral("2025") : QStringLiteral("1446");
            window.YearTXT->setText(year);
            for (int month = 1; month <= 12; ++month) {
                window.MonthTXT->setText(QString::number(month));
                window.Form_Paint();
                ++pages;
            }
        }
    }
    return double(timer.nsecsElapsed()) / pages;
}

double calendarWidgetPageNs()
{
    QCalendarWidget gregorian, islamic;
    islamic.setCalendar(QCalendar(QCalendar::System::IslamicCivil));
    gregorian.resize(490, 300);
    islamic.resize(490, 300);
    QImage image(490, 300, QImage::Format_RGB32);
    QElapsedTimer timer;
    int pages = 0;
    timer.start();
    for (int round = 0; round < 20; ++round) {
        for (int month = 1; month <= 12; ++month) {
            gregorian.setCurrentPage(2025, month);
            gregorian.render(&image);
            islamic.setCurrentPage(1446, month);
            islamic.render(&image);
            pages += 2;
        }
    }
    return double(timer.nsecsElapsed()) / pages;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 2 && QByteArray(argv[1]) == "--child-floor")
        return childProgram(true);
    if (argc == 2 && QByteArray(argv[1]) == "--child-dovrin")
        return childProgram(false);

    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    const auto engine = platform::loadEngineOrExplain(QCoreApplication::applicationDirPath());
    if (!engine)
        return 2;
    core::setEngine(engine.get());
    platform::pinDate(QDate(2025, 3, 15));

    const StartFigures floor = measureStart(QStringLiteral("--child-floor"));
    const StartFigures dovrin = measureStart(QStringLiteral("--child-dovrin"));

    CalMain window;
    window.show();
    dovrinPageNs(window); // warm up fonts and caches
    const double pageNs = dovrinPageNs(window);
    calendarWidgetPageNs();
    const double widgetNs = calendarWidgetPageNs();

    std::printf("%-34s %14s %14s %8s %s\n", "measure", "Dovrin", "reference", "ratio", "target");
    std::printf("%-34s %11.1f ms %11.1f ms %8.2f %s\n", "start-up to first page (median)", dovrin.medianMs,
                floor.medianMs, dovrin.medianMs / floor.medianMs, "<= 1.3 (empty Qt window)");
    std::printf("%-34s %11.0f kB %11.0f kB %8.2f %s\n", "peak resident set", dovrin.medianRssKb,
                floor.medianRssKb, dovrin.medianRssKb / floor.medianRssKb, "<= 1.2 (empty Qt window)");
    std::printf("%-34s %11.1f us %11.1f us %8.2f %s\n", "month page drawn", pageNs / 1000, widgetNs / 1000,
                pageNs / widgetNs, "< 1 (QCalendarWidget), < 1000 us");
    return 0;
}
