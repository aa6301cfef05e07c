// Faults from outside the program: an engine library that is missing,
// broken or incomplete; an engine that answers nonsense; a print spooler
// that stops before or in the middle of a job; the clock passing midnight.
// The user gets one clear message or a sound page, and the program goes on.
#include "core/state.h"
#include "monkey.h"
#include "platform/clock.h"
#include "tests/convert/modalrun.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <unistd.h>

using core::Lead;

namespace {

const core::CalendarEngine *realEngine = nullptr;

struct Run {
    int exitCode = -1;
    bool crashed = true;
    QString output;
};

Run run(const QString &program, const QStringList &arguments, const QString &folder = {})
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(env);
    if (!folder.isEmpty())
        process.setWorkingDirectory(folder);
    process.start(program, arguments);
    Run result;
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
        return result;
    }
    result.crashed = process.exitStatus() != QProcess::NormalExit;
    result.exitCode = process.exitCode();
    result.output = QString::fromLocal8Bit(process.readAll());
    return result;
}

// Answers every question with a value drawn from the question itself: the
// same question always gets the same answer, mostly one that looks real,
// now and then one that is far out.
class LyingEngine final : public core::CalendarEngine {
public:
    int32_t GregMonthDays(int32_t y, int32_t m) const override { return length(mix(1, y, m, 0)); }
    int32_t HijriMonthDays(int32_t y, int32_t m) const override { return length(mix(2, y, m, 0)); }
    int32_t WeekDayOf(int32_t y, int32_t m, int32_t d) const override
    {
        const uint64_t h = mix(3, y, m, d);
        return h % 9 == 0 ? wild(h) : int32_t(h % 7);
    }
    bool CheckGregDate(int32_t y, int32_t m, int32_t d) const override { return mix(4, y, m, d) % 3 != 0; }
    bool CheckHijriDate(int32_t y, int32_t m, int32_t d) const override { return mix(5, y, m, d) % 3 != 0; }
    core::Ymd HijriToGreg(int32_t y, int32_t m, int32_t d) const override { return date(mix(6, y, m, d), y + 579); }
    core::Ymd GregToHijri(int32_t y, int32_t m, int32_t d) const override { return date(mix(7, y, m, d), y - 579); }

private:
    static uint64_t mix(uint64_t op, int32_t a, int32_t b, int32_t c)
    {
        uint64_t x = op * 0x9E3779B97F4A7C15ull ^ uint32_t(a) ^ (uint64_t(uint32_t(b)) << 21) ^ (uint64_t(uint32_t(c)) << 42);
        x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ull;
        x = (x ^ (x >> 27)) * 0x94D049BB133111EBull;
        return x ^ (x >> 31);
    }
    static int32_t wild(uint64_t h)
    {
        static constexpr int32_t values[] = {0, -1, 7, 13, 32, 99, INT32_MIN, INT32_MAX};
        return values[(h >> 8) % std::size(values)];
    }
    static int32_t length(uint64_t h) { return h % 9 == 0 ? wild(h) : int32_t(28 + h % 4); }
    static core::Ymd date(uint64_t h, int32_t year)
    {
        if (h % 11 == 0)
            return {wild(h), wild(h >> 3), wild(h >> 6)};
        return {year, int32_t(1 + (h >> 4) % 12), int32_t(1 + (h >> 9) % 30)};
    }
};

// The private print spooler of tools/cups-private-spooler, in a folder of
// its own, with one PDF queue as the default printer.
class Spooler {
public:
    explicit Spooler(const QString &folder) : folder_(folder) {}
    QString socket() const { return folder_ + QStringLiteral("/cups.sock"); }
    static bool usable()
    {
        const QStringList sbin{QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin"), QStringLiteral("/usr/bin")};
        return geteuid() == 0 && !QStandardPaths::findExecutable(QStringLiteral("cupsd"), sbin).isEmpty();
    }
    bool running() const
    {
        return run(QStringLiteral("lpstat"), {"-h", socket(), "-r"}).output.contains(QStringLiteral("is running"));
    }
    bool start() const
    {
        if (!running() && script(QStringLiteral("start")).exitCode != 0)
            return false;
        if (run(QStringLiteral("lpstat"), {"-h", socket(), "-p", Queue}).exitCode == 0)
            return true;
        return script(QStringLiteral("add-pdf-queue"), {Queue}).exitCode == 0;
    }
    bool stop() const { return script(QStringLiteral("stop")).exitCode == 0; }
    // Job numbers whose documents the spooler has kept.
    QList<int> jobs() const
    {
        QList<int> found;
        static const QRegularExpression document(QStringLiteral("^d(\\d+)-001$"));
        for (const QString &name : QDir(folder_ + QStringLiteral("/spool")).entryList(QDir::Files)) {
            const auto match = document.match(name);
            if (match.hasMatch())
                found << match.captured(1).toInt();
        }
        return found;
    }

private:
    static inline const QString Queue = QStringLiteral("dovrin-faults");
    Run script(const QString &command, const QStringList &more = {}) const
    {
        return run(QStringLiteral(DOVRIN_CUPS_SPOOLER_SCRIPT), QStringList{command, folder_} + more);
    }
    QString folder_;
};

Spooler *spooler = nullptr;

void fillPrintRange(CalPrint &d, const QString &year, const QString &from, const QString &to)
{
    drive::paste(d.YearTXTPRT, year);
    drive::paste(d.FromMonthTXTPRT, from);
    drive::paste(d.ToMonthTXTPRT, to);
}

// The main window still takes the user to another month.
void expectMainWindowUsable(CalMain &w)
{
    QVERIFY(drive::activate(w));
    drive::paste(w.MonthTXT, QStringLiteral("8"));
    drive::paste(w.YearTXT, QStringLiteral("2001"));
    drive::click(w.GoCMD);
    QCOMPARE(w.Heading->text(), QStringLiteral("August,2001"));
}

} // namespace

class TestFaults : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void engineLibraryFaults_data();
    void engineLibraryFaults();
    void theRealEngineLaysEveryMonthTheBoxesAccept();
    void lyingEngineGivesFramesOnPaper();
    void lyingEngineUnderRandomUse();
    void spoolerStoppedBeforeAJob();
    void spoolerStopsInTheMiddleOfAPage();
    void todayMarkerMovesAtMidnight();
    void todayMarkerLeavesThePageAtAMonthsEnd_data();
    void todayMarkerLeavesThePageAtAMonthsEnd();

private:
    testsupport::MessageCatcher *messages_ = nullptr;
};

void TestFaults::initTestCase()
{
    drive::quietPlatformNotes();
    realEngine = &testsupport::installRealEngine();
}

void TestFaults::init()
{
    core::setEngine(realEngine);
    platform::pinDate(QDate(2024, 7, 16)); // 9 Muharram 1446
    core::CancelPrintFlag = core::False16;
    messages_ = new testsupport::MessageCatcher;
}

void TestFaults::cleanup()
{
    delete messages_;
    messages_ = nullptr;
    core::setEngine(realEngine);
}

// The program's own start-up (main() as built, in a probe that answers its
// message box) with the engine library beside it missing or unusable: one
// message naming the file and what is wrong with it, no window, and a
// non-zero exit status. With the real library it opens its main window.
void TestFaults::engineLibraryFaults_data()
{
    // Copied in as libzendat32.so; "" none, "/" a folder, ":empty" and ":text"
    // files of that name.
    QTest::addColumn<QString>("library");
    QTest::addColumn<QString>("reason");  // in the message; "" for the real engine
    QTest::newRow("real engine") << QStringLiteral(REAL_ENGINE) << QString();
    QTest::newRow("missing") << QString() << QStringLiteral("not found");
    QTest::newRow("a folder of that name") << QStringLiteral("/") << QStringLiteral("not found");
    QTest::newRow("empty file") << QStringLiteral(":empty") << QStringLiteral("file too short");
    QTest::newRow("text file") << QStringLiteral(":text") << QStringLiteral("invalid ELF header");
    QTest::newRow("no entry point table") << QStringLiteral(FIXTURES_DIR "/noentry/libzendat32.so")
                                          << QStringLiteral("no entry point table");
    QTest::newRow("missing an ordinal") << QStringLiteral(FIXTURES_DIR "/partial/libzendat32.so")
                                        << QStringLiteral("no entry point with ordinal 13");
}

void TestFaults::engineLibraryFaults()
{
    QFETCH(QString, library);
    QFETCH(QString, reason);
    QTemporaryDir folder;
    const QString probe = folder.filePath(QStringLiteral("dovrin"));
    QVERIFY(QFile::copy(QStringLiteral(STARTUP_PROBE), probe));
    const QString engine = folder.filePath(QStringLiteral("libzendat32.so"));
    if (library == QLatin1String("/"))
        QVERIFY(QDir().mkpath(engine));
    else if (library.startsWith(u':')) {
        QFile file(engine);
        QVERIFY(file.open(QIODevice::WriteOnly));
        if (library == QLatin1String(":text"))
            file.write(QByteArray("This is not a library, only some text that happens to carry its name.\n").repeated(4));
    }
    else if (!library.isEmpty())
        QVERIFY(QFile::copy(library, engine));

    const Run started = run(probe, {}, folder.path());
    QVERIFY2(!started.crashed, qPrintable(started.output));
    const QStringList messages = started.output.split(u'\n').filter(QRegularExpression(QStringLiteral("^message: ")));
    if (reason.isEmpty()) {
        QCOMPARE(started.exitCode, 0);
        QVERIFY2(started.output.contains(QStringLiteral("window shown: CalMain")), qPrintable(started.output));
        QCOMPARE(messages, QStringList());
        return;
    }
    QCOMPARE(started.exitCode, 2);
    QVERIFY2(!started.output.contains(QStringLiteral("window shown")), qPrintable(started.output));
    QCOMPARE(messages.size(), 1);
    QVERIFY2(messages[0].contains(QStringLiteral("The calendar engine could not be loaded.")), qPrintable(messages[0]));
    QVERIFY2(messages[0].contains(QStringLiteral("libzendat32.so")), qPrintable(messages[0]));
    QVERIFY2(messages[0].contains(reason), qPrintable(messages[0]));
}

// What the lying engine below is measured against: with the real engine
// every month of the years the boxes accept is a whole page.
void TestFaults::theRealEngineLaysEveryMonthTheBoxesAccept()
{
    for (const Lead lead : {Lead::Gregorian, Lead::Hijri}) {
        const auto [first, last] = drive::yearRange(lead);
        for (int32_t year = first; year <= last; ++year) {
            for (int32_t month = 1; month <= 12; ++month) {
                const core::MonthLayout page = core::LayMonth(*realEngine, lead, year, month);
                if (!page.valid)
                    QFAIL(qPrintable(drive::headingFor(lead, month, year) + QStringLiteral(" is not laid out")));
            }
        }
    }
}

// Printing with an engine that answers nonsense: every month is still one
// document, with its grid and weekday names; a month the engine cannot lay
// out has nothing else on it.
void TestFaults::lyingEngineGivesFramesOnPaper()
{
    LyingEngine liar;
    core::setEngine(&liar);
    platform::RecordingPrinter printer;
    CalPrint d;
    d.usePrinter(&printer);
    QVERIFY(drive::activate(d));
    for (const bool hijri : {false, true}) {
        drive::clickOption(hijri ? d.OPTHegiry : d.OPTGregorian);
        for (const int year : {623, 1000, 1582, 1999}) {
            printer.clear();
            messages_->clear();
            fillPrintRange(d, QString::number(year), QStringLiteral("1"), QStringLiteral("12"));
            drive::click(d.PrintPRT);
            QCOMPARE(messages_->count(), 0);
            QCOMPARE(printer.documentCount(), 12);
            for (int month = 1; month <= 12; ++month) {
                const Lead lead = hijri ? Lead::Hijri : Lead::Gregorian;
                const bool real = core::LayMonth(liar, lead, year, month).valid;
                const auto texts = printtests::stringsOf(printtests::textsOf(printer, month));
                for (int k = 0; k < 7; ++k)
                    QVERIFY(texts.contains(core::WeekDayName(k)));
                QCOMPARE(printer.opsOf(month, platform::RecordingPrinter::Op::Box).size(), std::size_t(1));
                QCOMPARE(texts.size() == 7, !real);
                if (!real)
                    QVERIFY(!printtests::headingOf(printer, month));
            }
        }
    }
}

// The whole program used at random over an engine that answers nonsense:
// no crash, pages that agree with the boxes or show the frame alone,
// conversions that show what the engine said or are refused, one printed
// page per month.
void TestFaults::lyingEngineUnderRandomUse()
{
    LyingEngine liar;
    core::setEngine(&liar);
    CalMain w;
    QVERIFY(drive::activate(w));
    monkey::Monkey user(w, *messages_, 622);
    user.engineTrusted = false;
    while (user.actions() < 1500) {
        user.act();
        if (QTest::currentTestFailed()) {
            qWarning("action %d failed; the actions before it:\n%s", user.actions(), qPrintable(user.recentActions()));
            return;
        }
    }
    core::setEngine(realEngine);
    drive::clickOption(w.HegOpt);
    drive::clickOption(w.GregOpt);
    QCOMPARE(w.Heading->text(), QStringLiteral("July,2024"));
    expectMainWindowUsable(w);
}

// The spooler gone before Print: one message naming what failed and every
// month not printed; nothing is spooled. Once it is back, the same dialog
// prints, and the main window works on.
void TestFaults::spoolerStoppedBeforeAJob()
{
    if (!Spooler::usable())
        QSKIP("The private CUPS spooler needs root and cupsd (Debian packages cups cups-filters).");
    QVERIFY(spooler->start());
    QVERIFY(spooler->stop());
    const QList<int> before = spooler->jobs();
    CalMain w;
    QVERIFY(drive::activate(w));
    QVERIFY(modalrun::whileOpen<CalPrint>(w.PrintCal, [&](CalPrint &d) {
        fillPrintRange(d, QStringLiteral("2024"), QStringLiteral("1"), QStringLiteral("3"));
        drive::click(d.PrintPRT);
        QCOMPARE(messages_->count(), 1);
        QCOMPARE(messages_->titles[0], QStringLiteral("Printing ....."));
        QVERIFY2(messages_->texts[0].contains(QStringLiteral("does not answer")), qPrintable(messages_->texts[0]));
        QVERIFY2(messages_->texts[0].contains(QStringLiteral("January 2024 and the months after it were not printed.")),
                 qPrintable(messages_->texts[0]));
        QCOMPARE(spooler->jobs(), before);
        QVERIFY(!d.CanPrint->isVisible());

        QVERIFY(spooler->start());
        messages_->clear();
        drive::click(d.PrintPRT);
        QCOMPARE(messages_->count(), 0);
        QCOMPARE(spooler->jobs().size(), before.size() + 3);
        drive::click(d.CancelButton);
    }));
    QVERIFY(!w.printForm()->isVisible());
    expectMainWindowUsable(w);
}

// The spooler stops while a page is being drawn (the engine is asked for
// the month's first weekday after the page's grid is on it): the month
// before is in the spool, the message names this month and those after it
// as not printed, and after a restart the dialog prints again.
void TestFaults::spoolerStopsInTheMiddleOfAPage()
{
    if (!Spooler::usable())
        QSKIP("The private CUPS spooler needs root and cupsd (Debian packages cups cups-filters).");
    QVERIFY(spooler->start());
    testsupport::FakeEngine engine(*realEngine);
    bool stopped = false;
    engine.weekDayOf = [&](int32_t y, int32_t m, int32_t d) {
        if (!stopped && y == 2024 && m == 2 && d == 1)
            stopped = spooler->stop();
        return realEngine->WeekDayOf(y, m, d);
    };
    core::setEngine(&engine);
    const QList<int> before = spooler->jobs();
    CalMain w;
    QVERIFY(drive::activate(w));
    QVERIFY(modalrun::whileOpen<CalPrint>(w.PrintCal, [&](CalPrint &d) {
        fillPrintRange(d, QStringLiteral("2024"), QStringLiteral("1"), QStringLiteral("4"));
        drive::click(d.PrintPRT);
        QVERIFY(stopped);
        QCOMPARE(messages_->count(), 1);
        QCOMPARE(messages_->titles[0], QStringLiteral("Printing ....."));
        QVERIFY2(messages_->texts[0].contains(QStringLiteral("February 2024 and the months after it were not printed.")),
                 qPrintable(messages_->texts[0]));
        QCOMPARE(spooler->jobs().size(), before.size() + 1); // January only
        QVERIFY(!d.CanPrint->isVisible());

        QVERIFY(spooler->start());
        messages_->clear();
        fillPrintRange(d, QStringLiteral("2024"), QStringLiteral("2"), QStringLiteral("2"));
        drive::click(d.PrintPRT);
        QCOMPARE(messages_->count(), 0);
        QCOMPARE(spooler->jobs().size(), before.size() + 2);
        d.close();
    }));
    QVERIFY(!w.printForm());
    expectMainWindowUsable(w);
}

// Past midnight the next repaint moves the shading to the next day's cell.
void TestFaults::todayMarkerMovesAtMidnight()
{
    CalMain w;
    QVERIFY(drive::activate(w));
    for (const Lead lead : {Lead::Gregorian, Lead::Hijri}) {
        platform::pinDate(QDate(2024, 7, 16));
        drive::clickOption(lead == Lead::Gregorian ? w.GregOpt : w.HegOpt);
        w.centralWidget()->repaint();
        int32_t day, month, year;
        lead == Lead::Gregorian ? core::TodayGreg(day, month, year) : core::TodayHijri(day, month, year);
        const core::MonthLayout page = core::LayMonth(*realEngine, lead, year, month);
        QCOMPARE(drive::markedCells(w), QList<int>{page.cellOfDay(day) - 1});
        const QString heading = w.Heading->text();

        platform::pinDate(QDate(2024, 7, 17));
        w.centralWidget()->repaint();
        QCOMPARE(w.Heading->text(), heading);
        QCOMPARE(drive::markedCells(w), QList<int>{page.cellOfDay(day + 1) - 1});
        drive::clickOption(lead == Lead::Gregorian ? w.HegOpt : w.GregOpt);
    }
}

// On the last day of a month the marker is on its last cell; after midnight
// a repaint of the same page shows no marker, and the page stays until the
// user moves on. A switch of calendars then brings the new month, marked.
void TestFaults::todayMarkerLeavesThePageAtAMonthsEnd_data()
{
    QTest::addColumn<int>("lead");
    QTest::addColumn<QDate>("lastDay");
    QTest::newRow("Gregorian month") << int(Lead::Gregorian) << QDate(2024, 7, 31);
    QTest::newRow("Gregorian year") << int(Lead::Gregorian) << QDate(2024, 12, 31);
    QTest::newRow("leap February") << int(Lead::Gregorian) << QDate(2024, 2, 29);
    // The Gregorian day on which a Hijri month ends: the day before the
    // next Hijri month's first day.
    const core::Ymd nextMonth = realEngine->HijriToGreg(1446, 2, 1);
    QTest::newRow("Hijri month") << int(Lead::Hijri) << QDate(nextMonth.year, nextMonth.month, nextMonth.day).addDays(-1);
    const core::Ymd nextYear = realEngine->HijriToGreg(1447, 1, 1);
    QTest::newRow("Hijri year") << int(Lead::Hijri) << QDate(nextYear.year, nextYear.month, nextYear.day).addDays(-1);
}

void TestFaults::todayMarkerLeavesThePageAtAMonthsEnd()
{
    QFETCH(int, lead);
    QFETCH(QDate, lastDay);
    platform::pinDate(lastDay);
    CalMain w;
    QVERIFY(drive::activate(w));
    if (Lead(lead) == Lead::Hijri)
        drive::clickOption(w.HegOpt);
    w.centralWidget()->repaint();
    int32_t day, month, year;
    Lead(lead) == Lead::Gregorian ? core::TodayGreg(day, month, year) : core::TodayHijri(day, month, year);
    const core::MonthLayout page = core::LayMonth(*realEngine, Lead(lead), year, month);
    QCOMPARE(page.last().leadDay, day);
    QCOMPARE(drive::markedCells(w), QList<int>{page.LastCell - 1});
    const QString heading = w.Heading->text();

    platform::pinDate(lastDay.addDays(1));
    w.centralWidget()->repaint();
    QCOMPARE(w.Heading->text(), heading);
    QCOMPARE(drive::markedCells(w), QList<int>());
    drive::click(w.GoCMD);
    QCOMPARE(w.Heading->text(), heading);
    QCOMPARE(drive::markedCells(w), QList<int>());

    drive::clickOption(Lead(lead) == Lead::Gregorian ? w.HegOpt : w.GregOpt);
    drive::clickOption(Lead(lead) == Lead::Gregorian ? w.GregOpt : w.HegOpt);
    QVERIFY(w.Heading->text() != heading);
    Lead(lead) == Lead::Gregorian ? core::TodayGreg(day, month, year) : core::TodayHijri(day, month, year);
    QCOMPARE(day, 1);
    const core::MonthLayout next = core::LayMonth(*realEngine, Lead(lead), year, month);
    QCOMPARE(drive::markedCells(w), QList<int>{next.FirstCell - 1});
}

int main(int argc, char *argv[])
{
    // libcups reads where its server is once, before the first printer is
    // made: the private spooler's socket is set before anything else.
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/dovrin-faults-XXXXXX"));
    if (!folder.isValid())
        return 2;
    Spooler privateSpooler(folder.path());
    spooler = &privateSpooler;
    qputenv("CUPS_SERVER", QFile::encodeName(privateSpooler.socket()));
    qunsetenv("PRINTER");
    qunsetenv("LPDEST");
    QApplication app(argc, argv);
    TestFaults test;
    const int status = QTest::qExec(&test, argc, argv);
    if (Spooler::usable())
        privateSpooler.stop();
    return status;
}

#include "test_faults.moc"
