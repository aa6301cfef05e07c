// Preloaded into a program under measurement: at the first paint of the
// widget named by DOVRIN_BENCH_FIRST_PAINT it finishes that paint, writes
// "<CLOCK_MONOTONIC ns> <peak resident set kB>" to standard output and ends
// the process at once. Nothing of the program itself is changed, so the
// program and the floor are measured the same way.
#include <QCoreApplication>
#include <QEvent>
#include <QFile>

#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

long long monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return (long long)ts.tv_sec * 1000000000 + ts.tv_nsec;
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

class FirstPaintProbe : public QObject {
public:
    explicit FirstPaintProbe(QString target) : target_(std::move(target)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Paint || watched->objectName() != target_)
            return false;
        watched->event(event); // the paint itself counts
        const long long at = monotonicNs();
        std::printf("%lld %ld\n", at, peakRssKb());
        std::fflush(stdout);
        _exit(0);
    }

private:
    QString target_;
};

void installProbe()
{
    const QString target = qEnvironmentVariable("DOVRIN_BENCH_FIRST_PAINT");
    if (!target.isEmpty())
        QCoreApplication::instance()->installEventFilter(new FirstPaintProbe(target));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(installProbe)
