// Faults from outside the program: a broken engine library at start-up, an
// engine answering nonsense while months are printed, and the clock passing
// midnight between two repaints. (The spooler's faults: the print spooler test.)
#include "drive.h"
#include "platform/clock.h"
#include "platform/picturebox.h"

#include <QProcess>
#include <QTemporaryDir>

using namespace drive;

namespace {

// The cell (1 to 42) whose pixels differ between a page with today's marker
// and the same page without it; 0 when they do not differ.
int markedCell(const QImage &marked, const QImage &unmarked)
{
    QRect changed;
    for (int y = 0; y < marked.height(); ++y)
        for (int x = 0; x < marked.width(); ++x)
            if (marked.pixel(x, y) != unmarked.pixel(x, y))
                changed |= QRect(x, y, 1, 1);
    if (changed.isEmpty())
        return 0;
    return 1 + changed.center().y() * 6 / marked.height() * 7 + changed.center().x() * 7 / marked.width();
}

} // namespace

class TestFaults : public QObject {
    Q_OBJECT
private slots:
    void brokenEngineAtStartUp_data();
    void brokenEngineAtStartUp();
    void plantedPrintingLibraryNeverRuns();
    void nonsenseEngineOnPaper();
    void clockPassesMidnight();
};

void TestFaults::brokenEngineAtStartUp_data()
{
    QTest::addColumn<QString>("library"); // put beside the program as libzendat32.so
    QTest::addColumn<QString>("expected"); // in what start-up writes
    QTest::addColumn<int>("status");
    QTest::newRow("none") << QString() << "not found" << 2;
    QTest::newRow("missing an entry point") << PARTIAL_ENGINE << "ordinal 13" << 2;
    QTest::newRow("not a library") << BROKEN_ENGINE << "libzendat32.so" << 2;
    QTest::newRow("the real one") << REAL_ENGINE << "window shown: CalMain" << 0;
}

// The program's own main(): one message naming the library and what is
// wrong with it, then exit status 2 with no window; or the main window.
void TestFaults::brokenEngineAtStartUp()
{
    QFETCH(QString, library);
    QFETCH(QString, expected);
    QFETCH(int, status);
    QTemporaryDir folder;
    QVERIFY(QFile::copy(QStringLiteral(STARTUP_PROBE), folder.filePath("dovrin")));
    if (!library.isEmpty())
        QVERIFY(QFile::copy(library, folder.filePath("libzendat32.so")));
    QProcess program;
    program.start(folder.filePath("dovrin"), {});
    QVERIFY(program.waitForFinished(30000));
    const QString out = QString::fromLocal8Bit(program.readAllStandardOutput());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    QVERIFY2(out.contains(expected), qPrintable(out));
    QCOMPARE(out.count(QStringLiteral("message:")), status == 0 ? 0 : 1);
    QVERIFY2(status == 0 || out.contains(QStringLiteral("libzendat32.so")), qPrintable(out));
    QCOMPARE(out.contains(QStringLiteral("window shown")), status == 0);
}

// The printing library is opened from the system's folder, never by name: a
// libcups.so.2 in the working directory, reachable through an empty entry
// of LD_LIBRARY_PATH or named there, is not run when printing first asks
// the spooler.
void TestFaults::plantedPrintingLibraryNeverRuns()
{
    QTemporaryDir folder, work;
    QVERIFY(QFile::copy(QStringLiteral(STARTUP_PROBE), folder.filePath("dovrin")));
    QVERIFY(QFile::copy(QStringLiteral(REAL_ENGINE), folder.filePath("libzendat32.so")));
    QVERIFY(QFile::copy(QStringLiteral(PLANTED_LIBRARY), work.filePath("libcups.so.2")));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LD_LIBRARY_PATH", QStringLiteral(":") + work.path());
    environment.insert("DOVRIN_PLANTED_MARKER", work.filePath("marker"));
    environment.insert("PROBE_ASKS_SPOOLER", "1");
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(work.path());
    program.start(folder.filePath("dovrin"), {});
    QVERIFY(program.waitForFinished(30000));
    const QString out = QString::fromLocal8Bit(program.readAllStandardOutput());
    QCOMPARE(program.exitCode(), 0);
    QVERIFY2(out.contains(QStringLiteral("spooler: ")) && !out.contains(QStringLiteral("cannot be loaded")),
             qPrintable(out));
    QVERIFY(!QFile::exists(work.filePath("marker")));
}

// Each month printed as its frame with the weekday names, nothing else.
void TestFaults::nonsenseEngineOnPaper()
{
    const core::CalendarEngine &real = testsupport::installRealEngine();
    testsupport::FakeEngine weekday9(real), month45Days(real);
    weekday9.weekDayOf = [](int32_t, int32_t, int32_t) { return 9; };
    month45Days.gregMonthDays = [](int32_t, int32_t) { return 45; };
    for (const core::CalendarEngine *engine : {&weekday9, &month45Days}) {
        Messages messages;
        platform::RecordingPrinter printer;
        CalPrint d;
        d.usePrinter(&printer);
        QVERIFY(activate(d));
        fill({d.YearTXTPRT, d.FromMonthTXTPRT, d.ToMonthTXTPRT}, {"2024", "3", "4"});
        core::setEngine(engine);
        click(d.PrintPRT);
        core::setEngine(&real);
        QCOMPARE(messages.count(), 0);
        QCOMPARE(printer.documentCount(), 2);
        for (int document : {1, 2}) {
            QStringList texts;
            for (const auto &op : printtests::textsOf(printer, document))
                texts << op.text;
            QCOMPARE(texts.size(), 7);
            for (const QString &text : texts)
                QVERIFY2(text.endsWith(QStringLiteral("day")), qPrintable(text));
        }
    }
}

// A repaint after midnight moves the marker to the new day, and off the
// page when the month has ended.
void TestFaults::clockPassesMidnight()
{
    testsupport::installRealEngine();
    platform::pinDate(QDate(2024, 8, 1));
    CalMain w;
    QVERIFY(activate(w));
    fill({w.MonthTXT, w.YearTXT}, {"7", "2024"});
    click(w.GoCMD);
    const QImage unmarked = w.Pic->image(); // July 2024 begins on a Monday
    for (const int day : {16, 17, 31, 32}) {
        platform::pinDate(QDate(2024, 7, 1).addDays(day - 1));
        w.centralWidget()->repaint();
        QCOMPARE(markedCell(w.Pic->image(), unmarked), day == 32 ? 0 : day + 1);
    }
    QCOMPARE(w.Heading->text(), QStringLiteral("July,2024"));
}

QTEST_MAIN(TestFaults)
#include "test_faults.moc"
