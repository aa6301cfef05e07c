// Printing end to end on the system's default printer: a PDF queue of a
// private CUPS spooler started in a folder of its own. One completed
// one-page PDF per month with the page's text; and the faults a user meets:
// no queue, the spooler stopped before or during a job, a rejecting queue.
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

// Found in the page's text, any run of blanks matching any spacing.
bool onPage(const QString &page, const QString &text)
{
    QStringList words = text.split(u' ', Qt::SkipEmptyParts);
    for (QString &word : words)
        word = QRegularExpression::escape(word);
    return QRegularExpression(QStringLiteral("(^|\\s)") + words.join(QStringLiteral("\\s+")) + QStringLiteral("(\\s|$)"))
        .match(page)
        .hasMatch();
}

// Fills the fields and presses Print.
void print(CalPrint &dialog, bool hijri, int year, int from, int to)
{
    QTest::mouseClick(hijri ? dialog.OPTHegiry : dialog.OPTGregorian, Qt::LeftButton, {}, QPoint(8, dialog.OPTHegiry->height() / 2));
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
    void initTestCase();
    void init();
    void oneCompletedJobPerMonth();
    void faults_data();
    void faults();

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
    QList<int> spooledJobs(const QList<int> &before = {}) const;
    bool waitForCompleted(const QList<int> &jobs) const;
    void checkMonthPage(int job, core::Lead lead, int32_t year, int32_t month);

    QString folder_, socket_, pdftotext_, pdfinfo_;
};

QList<int> TestPrintSpooler::spooledJobs(const QList<int> &before) const
{
    QList<int> jobs;
    static const QRegularExpression document(QStringLiteral("^d(\\d+)-001$"));
    for (const QString &name : QDir(folder_ + QStringLiteral("/spool")).entryList(QDir::Files, QDir::Name)) {
        const auto match = document.match(name);
        if (match.hasMatch() && !before.contains(match.captured(1).toInt()))
            jobs << match.captured(1).toInt();
    }
    return jobs;
}

bool TestPrintSpooler::waitForCompleted(const QList<int> &jobs) const
{
    static const QRegularExpression line(QStringLiteral("^") + Queue + QStringLiteral("-(\\d+)\\s"),
                                         QRegularExpression::MultilineOption);
    QElapsedTimer clock;
    clock.start();
    while (clock.elapsed() < 20000) {
        QList<int> done;
        for (auto it = line.globalMatch(cups("lpstat", {"-W", "completed", "-o", Queue}).output); it.hasNext();)
            done << it.next().captured(1).toInt();
        if (std::all_of(jobs.begin(), jobs.end(), [&](int job) { return done.contains(job); }))
            return true;
        QTest::qWait(50);
    }
    return false;
}

void TestPrintSpooler::checkMonthPage(int job, core::Lead lead, int32_t year, int32_t month)
{
    const QString pdf = folder_ + QStringLiteral("/spool/d%1-001").arg(job, 5, 10, QLatin1Char('0'));
    const Run info = run(pdfinfo_, {pdf});
    QVERIFY2(info.exitCode == 0 && info.output.contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))),
             qPrintable(info.output));
    const QString page = run(pdftotext_, {QStringLiteral("-layout"), pdf, QStringLiteral("-")}).output;

    const bool greg = lead == core::Lead::Gregorian;
    const core::MonthLayout layout = greg ? core::LayGregLedMonth(core::engine(), year, month)
                                          : core::LayHijriLedMonth(core::engine(), year, month);
    QVERIFY(layout.valid);
    const auto other = [&](int key, const core::Ymd &d) {
        return core::keyLetter(key) + QStringLiteral(" - ") + (greg ? core::HijriMonthName(d.month) : core::GregMonthName(d.month))
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
    for (const QString &wanted : expected)
        QVERIFY2(onPage(page, wanted), qPrintable(QStringLiteral("job %1 lacks \"%2\":\n%3").arg(job).arg(wanted, page)));
}

void TestPrintSpooler::initTestCase()
{
    if (geteuid() != 0)
        QSKIP("The private CUPS spooler needs root: cupsd runs its filters as the lp user.");
    if (QStandardPaths::findExecutable(QStringLiteral("cupsd"), {"/usr/sbin", "/usr/local/sbin", "/usr/bin"}).isEmpty())
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

void TestPrintSpooler::oneCompletedJobPerMonth()
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
    QVERIFY2(waitForCompleted(jobs), qPrintable(cups("lpstat", {"-W", "all", "-o"}).output));
    for (int i = 0; i < 3; ++i)
        checkMonthPage(jobs[i], core::Lead::Gregorian, 2024, 6 + i); // in order
    checkMonthPage(jobs[3], core::Lead::Hijri, 1446, 9);
}

// The fault, how many months reach the spool, and what the message says.
void TestPrintSpooler::faults_data()
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

void TestPrintSpooler::faults()
{
    QFETCH(QString, fault);
    QFETCH(int, spooled);
    QFETCH(QString, message);
    QFETCH(QString, notPrinted);
    const QList<int> before = spooledJobs();
    // The job lets events through between months: once the first month is
    // in the spool, the spooler goes away.
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
