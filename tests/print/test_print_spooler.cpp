// Printing end to end on a PDF queue of a private CUPS spooler: one completed one-page PDF per month with
// the page's text, and the faults a user meets: no queue, the spooler stopped, a rejecting queue.
#include "core/monthlayout.h"
#include "core/names.h"
#include "core/numtext.h"
#include "core/state.h"
#include "platform/clock.h"
#include "print/calcanprint.h"
#include "print/calprint.h"
#include "testsupport.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <unistd.h>

namespace {

const QString Queue = QStringLiteral("dovrin-pdf");

struct Run { int exitCode = -1; QString output; };

Run run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    Run result;
    if (process.waitForFinished(20000)) {
        result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        result.output = QString::fromLocal8Bit(process.readAll());
    }
    return result;
}

// Fills the fields and presses Print.
void print(CalPrint &dialog, bool hijri, int year, int from, int to)
{
    testsupport::clickOption(hijri ? dialog.OPTHegiry : dialog.OPTGregorian);
    dialog.YearTXTPRT->setText(QString::number(year));
    dialog.FromMonthTXTPRT->setText(QString::number(from));
    dialog.ToMonthTXTPRT->setText(QString::number(to));
    QTest::mouseClick(dialog.PrintPRT, Qt::LeftButton);
}

} // namespace

class TestPrintSpooler : public QObject {
    Q_OBJECT
public:
    explicit TestPrintSpooler(const QString &folder) : folder_(folder), socket_(folder + QStringLiteral("/cups.sock")) {}
    ~TestPrintSpooler() override { spooler(QStringLiteral("stop")); }

private slots:
    void initTestCase()
    {
        if (geteuid() != 0)
            QSKIP("The private CUPS spooler needs root: cupsd runs its filters as the lp user.");
        if (QStandardPaths::findExecutable(QStringLiteral("cupsd"), {"/usr/sbin", "/usr/local/sbin", "/usr/bin"}).isEmpty())
            QSKIP("cupsd is not installed (Debian packages cups cups-filters).");
        pdftotext_ = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        QVERIFY2(!pdftotext_.isEmpty(), "poppler-utils is needed to read the printed PDFs");
        testsupport::installRealEngine();
        platform::pinDate(QDate(2024, 7, 16));
    }

    // Every test starts with the spooler running and the PDF queue as the accepting default printer.
    void init()
    {
        if (!cups("lpstat", {"-r"}).output.contains(QStringLiteral("is running"))) {
            const Run started = spooler(QStringLiteral("start"));
            QVERIFY2(started.exitCode == 0, qPrintable(started.output));
        }
        if (cups("lpstat", {"-p", Queue}).exitCode != 0) {
            const Run added = spooler(QStringLiteral("add-pdf-queue"), {Queue});
            QVERIFY2(added.exitCode == 0, qPrintable(added.output));
        }
        QCOMPARE(cups("cupsaccept", {Queue}).exitCode, 0);
        core::CancelPrintFlag = core::False16;
    }

    void oneCompletedJobPerMonth()
    {
        testsupport::MessageCatcher messages;
        const QList<int> before = spooledJobs();
        CalPrint dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        print(dialog, false, 2024, 6, 8);
        print(dialog, true, 1446, 9, 9);
        QCOMPARE(messages.count(), 0);
        const QList<int> jobs = spooledJobs(before);
        QCOMPARE(jobs.size(), 4);
        QTRY_VERIFY2_WITH_TIMEOUT(completedJobs().contains(QSet<int>(jobs.begin(), jobs.end())),
                                  qPrintable(cups("lpstat", {"-W", "all", "-o"}).output), 20000);
        for (int i = 0; i < 3; ++i)
            checkMonthPage(jobs[i], core::Lead::Gregorian, 2024, 6 + i); // in order
        checkMonthPage(jobs[3], core::Lead::Hijri, 1446, 9);
    }

    // The fault, how many months reach the spool, and what the message says.
    void faults_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("spooled");
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("notPrinted");
        const QString fromApril = QStringLiteral("April 2024 and the months after it were not printed.");
        QTest::newRow("no queue") << "lpadmin -x" << 0 << "No printer is installed" << QString();
        QTest::newRow("spooler stopped") << "stop" << 0 << "print spooler does not answer" << fromApril;
        QTest::newRow("rejecting queue") << "cupsreject" << 0 << "not accepting jobs" << fromApril;
        QTest::newRow("spooler stops between months") << "stop later" << 1 << "\"dovrin-pdf\"" << "May 2024 was not printed.";
    }

    void faults()
    {
        QFETCH(QString, fault);
        QFETCH(int, spooled);
        QFETCH(QString, message);
        QFETCH(QString, notPrinted);
        const QList<int> before = spooledJobs();
        // The job lets events through between months: once the first month is in the spool, the spooler goes.
        QTimer watcher;
        watcher.setInterval(0);
        connect(&watcher, &QTimer::timeout, this, [&] {
            if (!spooledJobs(before).isEmpty()) {
                watcher.stop();
                spooler(QStringLiteral("stop"));
            }
        });
        if (fault == QStringLiteral("stop later"))
            watcher.start();
        else if (fault == QStringLiteral("stop"))
            QCOMPARE(spooler(fault).exitCode, 0);
        else
            QCOMPARE(cups(fault.section(u' ', 0, 0), fault.split(u' ').mid(1) << Queue).exitCode, 0);
        testsupport::MessageCatcher messages;
        CalPrint dialog;
        dialog.show();
        print(dialog, false, 2024, 4, 5);
        watcher.stop();
        QCOMPARE(messages.titles, QStringList{"Printing ....."});
        QVERIFY2(messages.texts[0].contains(message) && messages.texts[0].contains(notPrinted), qPrintable(messages.texts[0]));
        QCOMPARE(spooledJobs(before).size(), spooled);
        QVERIFY(!dialog.CanPrint->isVisible());

        if (fault == QStringLiteral("cupsreject")) { // accepting again, the same dialog prints
            QCOMPARE(cups("cupsaccept", {Queue}).exitCode, 0);
            print(dialog, false, 2024, 2, 2);
            QCOMPARE(messages.count(), 1);
            QCOMPARE(spooledJobs(before).size(), 1);
        }
    }

private:
    Run spooler(const QString &command, const QStringList &more = {}) const
    {
        return run(QStringLiteral(DOVRIN_CUPS_SPOOLER_SCRIPT), QStringList{command, folder_} + more);
    }
    Run cups(const QString &program, const QStringList &arguments) const
    {
        return run(program, QStringList{"-h", socket_} + arguments);
    }

    // Job numbers the spooler has kept a document of, and not in `before`.
    QList<int> spooledJobs(const QList<int> &before = {}) const
    {
        QList<int> jobs;
        for (const QString &name : QDir(folder_ + QStringLiteral("/spool")).entryList({"d*-001"}, QDir::Files, QDir::Name))
            if (const int job = name.section(u'-', 0, 0).mid(1).toInt(); !before.contains(job))
                jobs << job;
        return jobs;
    }

    QSet<int> completedJobs() const
    {
        static const QRegularExpression line("^" + Queue + "-(\\d+)\\s", QRegularExpression::MultilineOption);
        QSet<int> done;
        for (auto it = line.globalMatch(cups("lpstat", {"-W", "completed", "-o", Queue}).output); it.hasNext();)
            done << it.next().captured(1).toInt();
        return done;
    }

    // One page (pdftotext ends every page with a form feed) with the heading, legend, weekdays and cells.
    void checkMonthPage(int job, core::Lead lead, int32_t year, int32_t month)
    {
        const QString pdf = folder_ + QStringLiteral("/spool/d%1-001").arg(job, 5, 10, QLatin1Char('0'));
        const Run text = run(pdftotext_, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        QCOMPARE(text.exitCode, 0);
        QCOMPARE(text.output.count(u'\f'), 1);

        const bool greg = lead == core::Lead::Gregorian;
        const core::MonthLayout layout = core::LayMonth(core::engine(), lead, year, month);
        QVERIFY(layout.valid);
        const auto other = [&](int key, const core::Ymd &d) {
            return core::keyLetter(int16_t(key)) + " - " + (greg ? core::HijriMonthName(d.month) : core::GregMonthName(d.month))
                   + u' ' + core::PlainNumber(d.year);
        };
        QStringList expected{(greg ? core::GregMonthName(month) : core::HijriMonthName(month)) + u' ' + core::PlainNumber(year),
                             other(0, layout.first().other), other(layout.last().monthKey, layout.last().other)};
        for (int k = 0; k < 7; ++k)
            expected << core::WeekDayName(k);
        for (int n = layout.FirstCell; n <= layout.LastCell; ++n) {
            const auto &cell = layout.cells[std::size_t(n)];
            expected << QString::number(cell.leadDay) << QString::number(cell.other.day) + core::keyLetter(cell.monthKey);
        }
        const QString page = u' ' + text.output.simplified() + u' ';
        for (const QString &wanted : expected) // as whole words, whatever the spacing
            QVERIFY2(page.contains(u' ' + wanted.simplified() + u' '),
                     qPrintable(QStringLiteral("job %1 lacks \"%2\":\n%3").arg(job).arg(wanted, text.output)));
    }

    QString folder_, socket_, pdftotext_;
};

int main(int argc, char *argv[])
{
    // libcups reads where its server is once, before the first printer is made: set the socket first.
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/dovrin-cups-XXXXXX"));
    if (!folder.isValid())
        return 2;
    qputenv("CUPS_SERVER", QFile::encodeName(folder.path() + QStringLiteral("/cups.sock")));
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    QApplication app(argc, argv);
    TestPrintSpooler test(folder.path());
    return QTest::qExec(&test, argc, argv);
}

#include "test_print_spooler.moc"
