// Printing end to end: the print dialog prints on the system's default
// printer, which here is a PDF queue of a private CUPS spooler that this test
// starts in a folder of its own. What the spooler received is read back:
// one completed job per month, each a one-page PDF with the page's text.
// Printer faults against the same spooler: no queue, the spooler stopped,
// a queue that rejects jobs.
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
#include <QElapsedTimer>
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

struct Run {
    int exitCode = -1;
    QString output;
};

Run run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(program, arguments);
    Run result;
    if (!process.waitForFinished(20000))
        return result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.output = QString::fromLocal8Bit(process.readAll());
    return result;
}

// Plain text as a pattern in which every run of blanks matches any spacing.
QString loosely(const QString &text)
{
    QStringList words = text.split(u' ', Qt::SkipEmptyParts);
    for (QString &word : words)
        word = QRegularExpression::escape(word);
    return words.join(QStringLiteral("\\s+"));
}

} // namespace

class TestPrintSpooler : public QObject {
    Q_OBJECT
public:
    explicit TestPrintSpooler(const QString &folder) : folder_(folder), socket_(folder + QStringLiteral("/cups.sock")) {}
    ~TestPrintSpooler() override { spooler(QStringLiteral("stop")); }

private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void oneCompletedJobPerMonth();
    void hijriMonthThroughTheSpooler();
    void queueThatRejectsJobs();
    void noQueueAtAll();
    void spoolerStopped();
    void spoolerStopsBetweenMonths();

private:
    Run spooler(const QString &command, const QStringList &more = {}) const;
    Run lpadmin(const QStringList &arguments) const;
    bool spoolerRunning() const;
    // Job numbers the spooler has kept documents of.
    QList<int> spooledJobs() const;
    QSet<int> completedJobs() const;
    bool waitForCompleted(const QList<int> &jobs) const;
    QString documentOf(int job) const;
    // Fills the dialog's fields by typing and presses Print.
    void print(CalPrint &dialog, bool hijri, int year, int from, int to);
    QList<int> newJobsAfter(const QList<int> &before) const;
    void checkMonthPage(int job, core::Lead lead, int32_t year, int32_t month);

    QString folder_;
    QString socket_;
    QString pdftotext_, pdfinfo_;
};

Run TestPrintSpooler::spooler(const QString &command, const QStringList &more) const
{
    return run(QStringLiteral(DOVRIN_CUPS_SPOOLER_SCRIPT), QStringList{command, folder_} + more);
}

Run TestPrintSpooler::lpadmin(const QStringList &arguments) const
{
    return run(QStringLiteral("lpadmin"), QStringList{"-h", socket_} + arguments);
}

bool TestPrintSpooler::spoolerRunning() const
{
    return run(QStringLiteral("lpstat"), {"-h", socket_, "-r"}).output.contains(QStringLiteral("is running"));
}

QList<int> TestPrintSpooler::spooledJobs() const
{
    QList<int> jobs;
    static const QRegularExpression document(QStringLiteral("^d(\\d+)-001$"));
    for (const QString &name : QDir(folder_ + QStringLiteral("/spool")).entryList(QDir::Files)) {
        const auto match = document.match(name);
        if (match.hasMatch())
            jobs << match.captured(1).toInt();
    }
    std::sort(jobs.begin(), jobs.end());
    return jobs;
}

QList<int> TestPrintSpooler::newJobsAfter(const QList<int> &before) const
{
    QList<int> jobs = spooledJobs();
    jobs.removeIf([&](int job) { return before.contains(job); });
    return jobs;
}

QSet<int> TestPrintSpooler::completedJobs() const
{
    QSet<int> jobs;
    static const QRegularExpression line(QStringLiteral("^") + Queue + QStringLiteral("-(\\d+)\\s"),
                                         QRegularExpression::MultilineOption);
    const Run listed = run(QStringLiteral("lpstat"), {"-h", socket_, "-W", "completed", "-o", Queue});
    for (auto it = line.globalMatch(listed.output); it.hasNext();)
        jobs << it.next().captured(1).toInt();
    return jobs;
}

bool TestPrintSpooler::waitForCompleted(const QList<int> &jobs) const
{
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 20000) {
        const QSet<int> done = completedJobs();
        if (std::all_of(jobs.begin(), jobs.end(), [&](int job) { return done.contains(job); }))
            return true;
        QTest::qWait(50);
    }
    return false;
}

QString TestPrintSpooler::documentOf(int job) const
{
    return folder_ + QStringLiteral("/spool/d%1-001").arg(job, 5, 10, QLatin1Char('0'));
}

void TestPrintSpooler::print(CalPrint &dialog, bool hijri, int year, int from, int to)
{
    QTest::mouseClick(hijri ? dialog.OPTHegiry : dialog.OPTGregorian, Qt::LeftButton, {},
                      QPoint(8, dialog.OPTHegiry->height() / 2));
    const std::pair<QLineEdit *, int> entries[] = {
        {dialog.YearTXTPRT, year}, {dialog.FromMonthTXTPRT, from}, {dialog.ToMonthTXTPRT, to}};
    for (const auto &[box, value] : entries) {
        box->setFocus();
        box->selectAll();
        QTest::keyClicks(box, QString::number(value));
    }
    QTest::mouseClick(dialog.PrintPRT, Qt::LeftButton);
}

void TestPrintSpooler::checkMonthPage(int job, core::Lead lead, int32_t year, int32_t month)
{
    const QString pdf = documentOf(job);
    const Run info = run(pdfinfo_, {pdf});
    QVERIFY2(info.exitCode == 0, qPrintable(pdf + u' ' + info.output));
    QVERIFY2(QRegularExpression(QStringLiteral("Pages:\\s+1\\n")).match(info.output).hasMatch(), qPrintable(info.output));
    const Run text = run(pdftotext_, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QCOMPARE(text.exitCode, 0);
    const QString page = text.output;

    const core::MonthLayout layout = lead == core::Lead::Gregorian
                                         ? core::LayGregLedMonth(core::engine(), year, month)
                                         : core::LayHijriLedMonth(core::engine(), year, month);
    QVERIFY(layout.valid);
    const auto leadName = [&](int32_t m) { return lead == core::Lead::Gregorian ? core::GregMonthName(m) : core::HijriMonthName(m); };
    const auto otherName = [&](int32_t m) { return lead == core::Lead::Gregorian ? core::HijriMonthName(m) : core::GregMonthName(m); };
    QStringList expected{leadName(month) + u' ' + core::PlainNumber(year)};
    for (int k = 0; k < 7; ++k)
        expected << core::WeekDayName(k);
    expected << QStringLiteral("A - ") + otherName(layout.first().other.month) + u' ' + core::PlainNumber(layout.first().other.year);
    expected << core::keyLetter(layout.last().monthKey) + QStringLiteral(" - ") + otherName(layout.last().other.month) + u' '
                    + core::PlainNumber(layout.last().other.year);
    for (const QString &wanted : expected)
        QVERIFY2(QRegularExpression(loosely(wanted)).match(page).hasMatch(),
                 qPrintable(QStringLiteral("job %1 lacks \"%2\":\n%3").arg(job).arg(wanted, page)));
    for (int n = layout.FirstCell; n <= layout.LastCell; ++n) {
        const auto &cell = layout.cells[std::size_t(n)];
        const QString leading = QStringLiteral("(^|\\s)%1(\\s|$)").arg(cell.leadDay);
        const QString other = QStringLiteral("(^|\\s)%1%2(\\s|$)").arg(cell.other.day).arg(core::keyLetter(cell.monthKey));
        QVERIFY2(QRegularExpression(leading).match(page).hasMatch(), qPrintable(QStringLiteral("day %1").arg(cell.leadDay)));
        QVERIFY2(QRegularExpression(other).match(page).hasMatch(), qPrintable(other));
    }
}

void TestPrintSpooler::initTestCase()
{
    if (geteuid() != 0)
        QSKIP("The private CUPS spooler needs root: cupsd runs its filters as the lp user.");
    const QStringList sbin{QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin"), QStringLiteral("/usr/bin")};
    if (QStandardPaths::findExecutable(QStringLiteral("cupsd"), sbin).isEmpty())
        QSKIP("cupsd is not installed (Debian packages cups cups-filters).");
    pdftotext_ = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    pdfinfo_ = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    QVERIFY2(!pdftotext_.isEmpty() && !pdfinfo_.isEmpty(), "poppler-utils is needed to read the printed PDFs");
    testsupport::installRealEngine();
    platform::pinDate(QDate(2024, 7, 16));
}

// Every test starts with the spooler running and the PDF queue as the
// accepting default printer.
void TestPrintSpooler::init()
{
    if (!spoolerRunning()) {
        const Run started = spooler(QStringLiteral("start"));
        QVERIFY2(started.exitCode == 0, qPrintable(started.output));
    }
    if (run(QStringLiteral("lpstat"), {"-h", socket_, "-p", Queue}).exitCode != 0) {
        const Run added = spooler(QStringLiteral("add-pdf-queue"), {Queue});
        QVERIFY2(added.exitCode == 0, qPrintable(added.output));
    }
    QCOMPARE(run(QStringLiteral("cupsaccept"), {"-h", socket_, Queue}).exitCode, 0);
    core::CancelPrintFlag = core::False16;
}

void TestPrintSpooler::cleanupTestCase()
{
    spooler(QStringLiteral("stop"));
}

void TestPrintSpooler::oneCompletedJobPerMonth()
{
    testsupport::MessageCatcher messages;
    const QList<int> before = spooledJobs();
    CalPrint dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    print(dialog, false, 2024, 6, 8);
    QCOMPARE(messages.count(), 0);
    const QList<int> jobs = newJobsAfter(before);
    QCOMPARE(jobs.size(), 3);
    QVERIFY2(waitForCompleted(jobs), qPrintable(run("lpstat", {"-h", socket_, "-W", "all", "-o"}).output));
    for (int i = 0; i < 3; ++i)
        checkMonthPage(jobs[i], core::Lead::Gregorian, 2024, 6 + i); // in order
}

void TestPrintSpooler::hijriMonthThroughTheSpooler()
{
    testsupport::MessageCatcher messages;
    const QList<int> before = spooledJobs();
    CalPrint dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    print(dialog, true, 1446, 9, 9);
    QCOMPARE(messages.count(), 0);
    const QList<int> jobs = newJobsAfter(before);
    QCOMPARE(jobs.size(), 1);
    QVERIFY(waitForCompleted(jobs));
    checkMonthPage(jobs[0], core::Lead::Hijri, 1446, 9);
}

void TestPrintSpooler::queueThatRejectsJobs()
{
    QCOMPARE(run(QStringLiteral("cupsreject"), {"-h", socket_, Queue}).exitCode, 0);
    testsupport::MessageCatcher messages;
    const QList<int> before = spooledJobs();
    const QSet<int> completedBefore = completedJobs();
    CalPrint dialog;
    dialog.show();
    print(dialog, false, 2024, 1, 3);
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.titles[0], QStringLiteral("Printing ....."));
    QVERIFY2(messages.texts[0].contains(QStringLiteral("\"dovrin-pdf\"")), qPrintable(messages.texts[0]));
    QVERIFY2(messages.texts[0].contains(QStringLiteral("not accepting jobs")), qPrintable(messages.texts[0]));
    QVERIFY(messages.texts[0].contains(QStringLiteral("January 2024 and the months after it were not printed.")));
    QVERIFY(newJobsAfter(before).isEmpty());
    QCOMPARE(completedJobs(), completedBefore);
    QVERIFY(!dialog.CanPrint->isVisible());

    // Accepting again, the same dialog prints.
    QCOMPARE(run(QStringLiteral("cupsaccept"), {"-h", socket_, Queue}).exitCode, 0);
    print(dialog, false, 2024, 2, 2);
    QCOMPARE(messages.count(), 1);
    QCOMPARE(newJobsAfter(before).size(), 1);
}

void TestPrintSpooler::noQueueAtAll()
{
    QCOMPARE(lpadmin({"-x", Queue}).exitCode, 0);
    testsupport::MessageCatcher messages;
    const QList<int> before = spooledJobs();
    CalPrint dialog;
    dialog.show();
    print(dialog, false, 2024, 4, 5);
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.titles[0], QStringLiteral("Printing ....."));
    QVERIFY2(messages.texts[0].startsWith(QStringLiteral("No printer is installed")), qPrintable(messages.texts[0]));
    QVERIFY(newJobsAfter(before).isEmpty());
}

void TestPrintSpooler::spoolerStopped()
{
    QCOMPARE(spooler(QStringLiteral("stop")).exitCode, 0);
    testsupport::MessageCatcher messages;
    CalPrint dialog;
    dialog.show();
    print(dialog, false, 2024, 7, 7);
    QCOMPARE(messages.count(), 1);
    QCOMPARE(messages.titles[0], QStringLiteral("Printing ....."));
    QVERIFY2(messages.texts[0].contains(QStringLiteral("print spooler does not answer")), qPrintable(messages.texts[0]));
    QVERIFY(messages.texts[0].contains(QStringLiteral("July 2024 was not printed.")));
}

void TestPrintSpooler::spoolerStopsBetweenMonths()
{
    testsupport::MessageCatcher messages;
    const QList<int> before = spooledJobs();
    CalPrint dialog;
    dialog.show();
    // The job lets window events through between months: once the first
    // month's job is in the spool, the spooler goes away.
    QTimer watcher;
    watcher.setInterval(0);
    connect(&watcher, &QTimer::timeout, this, [&] {
        if (!newJobsAfter(before).isEmpty()) {
            watcher.stop();
            spooler(QStringLiteral("stop"));
        }
    });
    watcher.start();
    print(dialog, false, 2024, 1, 3);
    watcher.stop();
    QCOMPARE(newJobsAfter(before).size(), 1);
    QCOMPARE(messages.count(), 1);
    QVERIFY2(messages.texts[0].contains(QStringLiteral("\"dovrin-pdf\"")), qPrintable(messages.texts[0]));
    QVERIFY2(messages.texts[0].contains(QStringLiteral("does not answer")), qPrintable(messages.texts[0]));
    QVERIFY(messages.texts[0].contains(QStringLiteral("February 2024 and the months after it were not printed.")));
}

int main(int argc, char *argv[])
{
    // libcups reads where its server is once, before the first printer is
    // made: the private spooler's socket must be set first.
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
