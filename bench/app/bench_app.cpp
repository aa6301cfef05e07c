// The program's figures, each beside a reference measured in the same run,
// printed as one table:
// - start-up: process start to the first month page painted, against a
//   minimal Qt Widgets program showing one empty window of the same size;
//   both are spawned alternately, the same way, with the first-paint probe
//   preloaded (firstpaint.cpp);
// - memory: peak resident set at that moment, against the same program;
// - page: Form_Paint for every month of a year in both calendars, against
//   Qt's QCalendarWidget showing the same months, grabbed to an image;
// - printing: a 12-month job rendered to PDF, against the same number of
//   empty one-page documents;
// - conversions: the engine's own benchmark (bench_engine), whose fastest
//   repetitions are read back from its JSON output.
#include "core/calendarengine.h"
#include "mainwin/calmain.h"
#include "platform/clock/clock.h"
#include "platform/engineloader/engineloader.h"
#include "platform/printing/printer.h"
#include "print/calprint.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <map>
#include <optional>
#include <poll.h>
#include <sched.h>
#include <signal.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

constexpr int StartRuns = 41;
constexpr int PrintRounds = 5;

qint64 monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return qint64(ts.tv_sec) * 1000000000 + ts.tv_nsec;
}

double median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

QString binPath(const QString &name) { return QCoreApplication::applicationDirPath() + u'/' + name; }

// ---------------------------------------------------------------- start-up

struct StartSample {
    double ms = 0;
    double rssKb = 0;
};

// Spawns the program with the first-paint probe watching the widget of that
// name; the probe reports and ends the program at the first paint. Time runs
// from just before the spawn.
std::optional<StartSample> startOnce(const QString &program, const QStringList &arguments, const QString &watched)
{
    QList<QByteArray> envStore;
    for (char **e = environ; *e; ++e) {
        const QByteArray entry(*e);
        if (!entry.startsWith("LD_PRELOAD=") && !entry.startsWith("DOVRIN_BENCH_FIRST_PAINT=")
            && !entry.startsWith("QT_QPA_PLATFORM="))
            envStore << entry;
    }
    envStore << "QT_QPA_PLATFORM=offscreen"
             << "LD_PRELOAD=" + binPath(QStringLiteral("libbench_firstpaint.so")).toLocal8Bit()
             << "DOVRIN_BENCH_FIRST_PAINT=" + watched.toLocal8Bit();
    std::vector<char *> envp;
    for (QByteArray &entry : envStore)
        envp.push_back(entry.data());
    envp.push_back(nullptr);

    QList<QByteArray> argStore{program.toLocal8Bit()};
    for (const QString &a : arguments)
        argStore << a.toLocal8Bit();
    std::vector<char *> argv;
    for (QByteArray &a : argStore)
        argv.push_back(a.data());
    argv.push_back(nullptr);

    int out[2];
    if (pipe(out) != 0)
        return std::nullopt;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    pid_t pid = 0;
    const qint64 start = monotonicNs();
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return std::nullopt;
    }
    QByteArray line;
    pollfd wait{out[0], POLLIN, 0};
    char buffer[128];
    while (!line.contains('\n') && poll(&wait, 1, 20000) > 0) {
        const ssize_t n = read(out[0], buffer, sizeof buffer);
        if (n <= 0)
            break;
        line.append(buffer, n);
    }
    close(out[0]);
    kill(pid, SIGKILL); // gone already unless the probe never fired
    waitpid(pid, nullptr, 0);
    const QList<QByteArray> fields = line.trimmed().split(' ');
    if (fields.size() != 2)
        return std::nullopt;
    return StartSample{(fields[0].toLongLong() - start) / 1e6, fields[1].toDouble()};
}

struct StartFigures {
    double ms = 0;
    double rssKb = 0;
    int runs = 0;
};

struct StartSubject {
    QString program;
    QStringList arguments;
    QString watched;
    std::vector<double> ms, rss;
};

// Alternates the subjects run by run, so that whatever else the machine is
// doing weighs on all of them alike.
void measureStarts(std::vector<StartSubject> &subjects)
{
    for (int run = 0; run < StartRuns; ++run)
        for (StartSubject &s : subjects)
            if (const auto sample = startOnce(s.program, s.arguments, s.watched)) {
                s.ms.push_back(sample->ms);
                s.rss.push_back(sample->rssKb);
            }
}

StartFigures figuresOf(const StartSubject &s) { return {median(s.ms), median(s.rss), int(s.ms.size())}; }

// ---------------------------------------------------------------- page

// Nanoseconds per page for every month of a year, both calendars.
double dovrinPageNs(CalMain &window)
{
    QElapsedTimer timer;
    int pages = 0;
    timer.start();
    for (int round = 0; round < 20; ++round) {
        for (QRadioButton *lead : {platform::findControl<QRadioButton>(window, "GregOpt"),
                                   platform::findControl<QRadioButton>(window, "HegOpt")}) {
            lead->click();
            const QString year = lead == platform::findControl<QRadioButton>(window, "GregOpt")
                ? QStringLiteral("2025")
                : QStringLiteral("1446");
            platform::findControl<QLineEdit>(window, "YearTXT")->setText(year);
            for (int month = 1; month <= 12; ++month) {
                platform::findControl<QLineEdit>(window, "MonthTXT")->setText(QString::number(month));
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

// ---------------------------------------------------------------- printing

QPageLayout a4Portrait()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(10, 10, 10, 10),
                       QPageLayout::Millimeter);
}

// One print job of January to December through the print dialog, to PDF.
double printJobMs(const QString &pdf, bool hijri)
{
    platform::DevicePrinter printer(pdf, a4Portrait());
    CalPrint dialog;
    dialog.usePrinter(&printer);
    (hijri ? platform::findControl<QRadioButton>(dialog, "OPTHegiry")
           : platform::findControl<QRadioButton>(dialog, "OPTGregorian"))
        ->setChecked(true);
    platform::findControl<QLineEdit>(dialog, "YearTXTPRT")
        ->setText(hijri ? QStringLiteral("1446") : QStringLiteral("2025"));
    platform::findControl<QLineEdit>(dialog, "FromMonthTXTPRT")->setText(QStringLiteral("1"));
    platform::findControl<QLineEdit>(dialog, "ToMonthTXTPRT")->setText(QStringLiteral("12"));
    QElapsedTimer timer;
    timer.start();
    dialog.PrintPRT_Click();
    return timer.nsecsElapsed() / 1e6;
}

// Twelve one-page documents on the same kind of printer: empty, or with one
// word in each of the page's two fonts (what embedding the fonts into every
// document costs).
double referencePagesMs(const QString &pdf, bool withFonts)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    printer.setPageLayout(a4Portrait());
    QFont heading(QStringLiteral("ARIAL"), 30);
    heading.setBold(true);
    const QFont cells(QStringLiteral("ARIAL"), 10);
    QElapsedTimer timer;
    timer.start();
    for (int page = 0; page < 12; ++page) {
        QPainter painter;
        painter.begin(&printer);
        if (withFonts) {
            painter.setFont(heading);
            painter.drawText(QPointF(1000, 1000), QStringLiteral("January"));
            painter.setFont(cells);
            painter.drawText(QPointF(1000, 2000), QStringLiteral("Sunday"));
        }
        painter.end();
    }
    return timer.nsecsElapsed() / 1e6;
}

struct PrintFigures {
    double jobMs = 0;
    double floorMs = 0;
    double fontFloorMs = 0;
};

PrintFigures measurePrinting()
{
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("job.pdf"));
    printJobMs(pdf, false); // first use of the printer fonts
    referencePagesMs(pdf, false);
    referencePagesMs(pdf, true);
    std::vector<double> job, floor, fontFloor;
    for (int round = 0; round < PrintRounds; ++round) {
        job.push_back(printJobMs(pdf, round % 2 == 1));
        floor.push_back(referencePagesMs(pdf, false));
        fontFloor.push_back(referencePagesMs(pdf, true));
    }
    return {median(job), median(floor), median(fontFloor)};
}

// ---------------------------------------------------------------- engine

// Fastest CPU ns per conversion of each benchmark of bench_engine, by the
// benchmark's function name.
std::map<QString, double> engineFigures()
{
    const QString program = binPath(QStringLiteral("bench_engine"));
    if (!QFile::exists(program))
        return {};
    QTemporaryDir dir;
    const QString json = dir.filePath(QStringLiteral("engine.json"));
    QProcess run;
    run.setStandardOutputFile(QProcess::nullDevice());
    run.start(program, {QStringLiteral("--benchmark_out=") + json, QStringLiteral("--benchmark_out_format=json")});
    if (!run.waitForFinished(300000) || run.exitCode() != 0)
        return {};
    QFile file(json);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    std::map<QString, double> fastest;
    const QJsonArray benchmarks = QJsonDocument::fromJson(file.readAll()).object().value(u"benchmarks").toArray();
    for (const QJsonValue &b : benchmarks) {
        const QJsonObject o = b.toObject();
        if (o.value(u"aggregate_name").toString() == u"min")
            fastest[o.value(u"run_name").toString().section(u'/', 0, 0)] = o.value(u"cpu_time").toDouble();
    }
    return fastest;
}

// ---------------------------------------------------------------- table

QString cpuModel()
{
    QFile info(QStringLiteral("/proc/cpuinfo"));
    if (info.open(QIODevice::ReadOnly))
        for (const QByteArray &line : info.readAll().split('\n'))
            if (line.startsWith("model name"))
                return QString::fromUtf8(line.mid(line.indexOf(':') + 1).trimmed());
    return QStringLiteral("unknown CPU");
}

int logicalCpus()
{
    cpu_set_t set;
    CPU_ZERO(&set);
    return sched_getaffinity(0, sizeof set, &set) == 0 ? CPU_COUNT(&set) : QThread::idealThreadCount();
}

QString loadAverage()
{
    QFile load(QStringLiteral("/proc/loadavg"));
    return load.open(QIODevice::ReadOnly) ? QString::fromUtf8(load.readAll().split(' ').value(0)) : QStringLiteral("?");
}

struct Row {
    QString measure;
    QString reference;
    double ours;
    double theirs;
    QString unit;
    double ratioLimit; // the ratio must stay below (or at) this; 0: no target, shown for comparison
    QString target;
    bool alsoMet = true; // a second condition of the target
};

void printTable(const std::vector<Row> &rows)
{
    std::printf("%-30s %12s  %-30s %12s %7s  %-34s %s\n", "measure", "Dovrin", "reference", "", "ratio", "target", "");
    for (const Row &r : rows) {
        const double ratio = r.theirs > 0 ? r.ours / r.theirs : 0;
        const bool met = r.theirs > 0 && ratio <= r.ratioLimit && r.alsoMet;
        const int decimals = r.ours < 10 ? 2 : 1;
        const char *verdict = r.ratioLimit <= 0 ? "" : met ? "met" : "MISSED";
        std::printf("%-30s %9.*f %-2s  %-30s %9.*f %-2s %7.2f  %-34s %s\n", qPrintable(r.measure), decimals, r.ours,
                    qPrintable(r.unit), qPrintable(r.reference), decimals, r.theirs, qPrintable(r.unit), ratio,
                    qPrintable(r.target), verdict);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
    QApplication app(argc, argv);
    const auto engine = platform::loadEngine(QCoreApplication::applicationDirPath());
    if (!engine) {
        std::fprintf(stderr, "%s\n", qPrintable(engine.failure().oneLine()));
        return 2;
    }
    core::setEngine(engine->get());
    platform::pinDate(QDate(2025, 3, 15));

    std::vector<Row> rows;
    {
        std::fprintf(stderr, "start-up and memory: %d runs each...\n", StartRuns);
        QSize windowSize;
        {
            CalMain probe;
            probe.show();
            windowSize = probe.frameGeometry().size();
        }
        const QStringList size{QString::number(windowSize.width()), QString::number(windowSize.height())};
        std::vector<StartSubject> subjects{
            {binPath(QStringLiteral("bench-floor")), size, QStringLiteral("Floor"), {}, {}},
            {binPath(QStringLiteral("bench-floor")),
             size + QStringList{QStringLiteral("July,2025")},
             QStringLiteral("FloorText"),
             {},
             {}},
            {binPath(QStringLiteral("dovrin")), {}, QStringLiteral("Pic"), {}, {}},
        };
        measureStarts(subjects);
        const StartFigures floor = figuresOf(subjects[0]), textFloor = figuresOf(subjects[1]),
                           dovrin = figuresOf(subjects[2]);
        if (floor.runs == 0 || textFloor.runs == 0 || dovrin.runs == 0)
            std::fprintf(stderr, "start-up: a program did not report its first paint\n");
        rows.push_back({QStringLiteral("start-up to first page"), QStringLiteral("empty Qt window"), dovrin.ms,
                        floor.ms, QStringLiteral("ms"), 1.3, QStringLiteral("<= 1.3")});
        rows.push_back({QStringLiteral("start-up to first page"), QStringLiteral("Qt window with one label"), dovrin.ms,
                        textFloor.ms, QStringLiteral("ms"), 0, QStringLiteral("(what text costs)")});
        rows.push_back({QStringLiteral("peak resident set"), QStringLiteral("empty Qt window"), dovrin.rssKb / 1024,
                        floor.rssKb / 1024, QStringLiteral("MB"), 1.2, QStringLiteral("<= 1.2")});
        rows.push_back({QStringLiteral("peak resident set"), QStringLiteral("Qt window with one label"),
                        dovrin.rssKb / 1024, textFloor.rssKb / 1024, QStringLiteral("MB"), 0,
                        QStringLiteral("(what text costs)")});
    }
    {
        std::fprintf(stderr, "month page...\n");
        CalMain window;
        window.show();
        dovrinPageNs(window); // warm up fonts and caches
        const double pageNs = dovrinPageNs(window);
        calendarWidgetPageNs();
        const double widgetNs = calendarWidgetPageNs();
        rows.push_back({QStringLiteral("month page drawn"), QStringLiteral("QCalendarWidget page"), pageNs / 1000,
                        widgetNs / 1000, QStringLiteral("us"), 0.999, QStringLiteral("< 1 and < 1000 us"),
                        pageNs < 1e6});
    }
    {
        std::fprintf(stderr, "printing: %d rounds...\n", PrintRounds);
        const PrintFigures print = measurePrinting();
        rows.push_back({QStringLiteral("12-month job to PDF"), QStringLiteral("12 empty PDF pages"), print.jobMs,
                        print.floorMs, QStringLiteral("ms"), 2.0, QStringLiteral("<= 2")});
        rows.push_back({QStringLiteral("12-month job to PDF"), QStringLiteral("12 pages, a word in each font"),
                        print.jobMs, print.fontFloorMs, QStringLiteral("ms"), 0,
                        QStringLiteral("(what embedding fonts costs)")});
    }
    {
        std::fprintf(stderr, "conversions (bench_engine)...\n");
        const std::map<QString, double> ns = engineFigures();
        const auto at = [&](const char *name) {
            const auto it = ns.find(QLatin1String(name));
            return it == ns.end() ? 0.0 : it->second;
        };
        for (const auto &[way, label] :
             {std::pair{"GregToHijri", "Greg->Hijri"}, std::pair{"HijriToGreg", "Hijri->Greg"}}) {
            const double e = at((std::string("engine") + way).c_str());
            const double q = at((std::string("qt") + way).c_str());
            const double u = at((std::string("icu") + way).c_str());
            if (e <= 0)
                continue;
            rows.push_back({QStringLiteral("conversion %1").arg(QLatin1String(label)), QStringLiteral("QCalendar"), e,
                            q, QStringLiteral("ns"), 0.999, QStringLiteral("< 1 and <= 12 ns"), e <= 12});
            rows.push_back({QStringLiteral("conversion %1").arg(QLatin1String(label)), QStringLiteral("ICU"), e, u,
                            QStringLiteral("ns"), 1.0 / 30, QStringLiteral("<= 0.033 (30x faster)")});
        }
        if (ns.empty())
            std::fprintf(stderr, "conversions: bench_engine did not run\n");
    }

    std::printf("machine: %s, %d logical CPUs (nproc), load average %s; Qt %s; %s\n", qPrintable(cpuModel()),
                logicalCpus(), qPrintable(loadAverage()), qVersion(), qPrintable(QSysInfo::prettyProductName()));
    printTable(rows);
    return 0;
}
