// Faults from outside the program: broken or planted libraries at start-up, an engine answering nonsense while
// months are printed, and the clock passing midnight between repaints. (The spooler's: the print spooler test.)
#include "drive.h"
#include "platform/clock/clock.h"
#include "platform/controls/picturebox.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

using namespace drive;

class TestFaults : public QObject {
    Q_OBJECT
private slots:
    // The engine library copied beside the program, or for the real one into the installed layout (../lib/dovrin),
    // and what start-up then writes (%1: where the program is installed).
    void startUp_data()
    {
        QTest::addColumn<QString>("engine");
        QTest::addColumn<QString>("expected");
        const QString file = QStringLiteral("File: %1/bin/libzendat32.so Reason: ");
        QTest::newRow("only planted ones") << QString() << "Reason: not found in %1/bin or %1/lib/dovrin";
        QTest::newRow("missing an entry point") << STAND_IN_ENGINE << file + "it has no entry point with ordinal 13";
        QTest::newRow("not a library") << BROKEN_ENGINE << file + "%1/bin/libzendat32.so: ";
        QTest::newRow("the real one, installed") << REAL_ENGINE << "window shown: CalMain";
    }

    // The program's own main(), in a working directory holding a planted engine and printing library, also on
    // LD_LIBRARY_PATH: one message naming what is wrong and exit status 2, or the main window and the spooler asked.
    void startUp()
    {
        QFETCH(QString, engine);
        QFETCH(QString, expected);
        const bool started = engine == QStringLiteral(REAL_ENGINE);
        const QString folder = started ? QStringLiteral("lib/dovrin") : QStringLiteral("bin");
        QTemporaryDir root, work;
        QVERIFY(QDir(root.path()).mkpath(folder) && QDir(root.path()).mkpath("bin"));
        QVERIFY(QFile::copy(QStringLiteral(STARTUP_PROBE), root.filePath("bin/dovrin")));
        QVERIFY(engine.isEmpty() || QFile::copy(engine, root.filePath(folder + "/libzendat32.so")));
        for (const char *planted : {"libzendat32.so", "libcups.so.2"})
            QVERIFY(QFile::copy(QStringLiteral(STAND_IN_ENGINE), work.filePath(planted)));
        qputenv("LD_LIBRARY_PATH", ":" + work.path().toLocal8Bit()); // the working directory, twice
        QProcess program;
        program.setWorkingDirectory(work.path());
        program.start(root.filePath("bin/dovrin"), {});
        QVERIFY(program.waitForFinished(30000));
        const QString out = QString::fromLocal8Bit(program.readAllStandardOutput());
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), started ? 0 : 2);
        QVERIFY2(out.contains(expected.arg(root.path())), qPrintable(out));
        QCOMPARE(out.count(u"message:"), started ? 0 : 1);
        QCOMPARE(out.contains(u"spooler: ") && !out.contains(u"cannot be loaded"), started);
        for (const char *planted : {"libzendat32.so", "libcups.so.2"})
            QVERIFY2(!QFile::exists(work.filePath(planted) + ".ran"), planted); // it never ran
    }

    // Each month printed as its frame with the weekday names, nothing else.
    void nonsenseEngineOnPaper()
    {
        const core::CalendarEngine &real = testsupport::installRealEngine();
        testsupport::FakeEngine weekday9(real), month45Days(real);
        weekday9.weekDayOf = [](int32_t, int32_t, int32_t) { return 9; };
        month45Days.gregMonthDays = [](int32_t, int32_t) { return 45; };
        for (const core::CalendarEngine *engine : {&weekday9, &month45Days}) {
            Messages messages;
            testsupport::RecordingPrinter printer;
            CalPrint d;
            d.usePrinter(&printer);
            QVERIFY(activate(d));
            fill({testsupport::box(d, "YearTXTPRT"), testsupport::box(d, "FromMonthTXTPRT"),
                  testsupport::box(d, "ToMonthTXTPRT")},
                 {"2024", "3", "4"});
            core::setEngine(engine);
            click(testsupport::button(d, "PrintPRT"));
            core::setEngine(&real);
            QCOMPARE(messages.count(), 0);
            QCOMPARE(printer.documentCount(), 2);
            for (int document : {1, 2}) {
                const auto texts = printtests::textsOf(printer, document);
                QCOMPARE(int(texts.size()), 7);
                for (const auto &op : texts)
                    QVERIFY2(op.text.endsWith(QStringLiteral("day")), qPrintable(op.text));
            }
        }
    }

    // A repaint after midnight moves the marker to the new day, and off the page when the month has ended. The
    // marked cell (1 to 42) is where the page differs from the same page unmarked.
    void clockPassesMidnight()
    {
        testsupport::installRealEngine();
        platform::pinDate(QDate(2024, 8, 1));
        CalMain w;
        QVERIFY(activate(w));
        fill({testsupport::box(w, "MonthTXT"), testsupport::box(w, "YearTXT")}, {"7", "2024"});
        click(testsupport::button(w, "GoCMD"));
        const QImage unmarked = testsupport::picture(w, "Pic")->image(); // July 2024 begins on a Monday
        for (const int day : {16, 17, 31, 32}) {
            platform::pinDate(QDate(2024, 7, 1).addDays(day - 1));
            w.centralWidget()->repaint();
            const QImage marked = testsupport::picture(w, "Pic")->image();
            QRect changed;
            for (int y = 0; y < marked.height(); ++y)
                for (int x = 0; x < marked.width(); ++x)
                    if (marked.pixel(x, y) != unmarked.pixel(x, y))
                        changed |= QRect(x, y, 1, 1);
            const QPoint cell(changed.center().x() * 7 / marked.width(), changed.center().y() * 6 / marked.height());
            QCOMPARE(changed.isEmpty() ? 0 : 1 + cell.y() * 7 + cell.x(), day == 32 ? 0 : day + 1);
        }
        QCOMPARE(testsupport::label(w, "Heading")->text(), QStringLiteral("July,2024"));
    }
};

QTEST_MAIN(TestFaults)
#include "test_faults.moc"
