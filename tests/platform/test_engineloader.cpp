// Loading the engine library: only from the program's own folder, and every
// failure reported, never a crash.
#include "platform/engineloader.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString fixture(const char *kind) { return QStringLiteral(FIXTURES_DIR "/") + kind + "/libzendat32.so"; }
QString ownEngine() { return QDir(QCoreApplication::applicationDirPath()).filePath("libzendat32.so"); }

bool copyTo(const QString &from, const QString &folder, const QString &name = QStringLiteral("libzendat32.so"))
{
    QDir().mkpath(folder);
    return QFile::copy(from, QDir(folder).filePath(name));
}

} // namespace

class TestEngineLoader : public QObject {
    Q_OBJECT
private slots:
    void loadsFromTheProgramsFolderOrInstalledLayout()
    {
        platform::EngineLoad load = platform::loadEngine(QCoreApplication::applicationDirPath());
        QVERIFY2(load.engine, qPrintable(load.reason));
        QCOMPARE(load.file, ownEngine());
        QCOMPARE(load.engine->WeekDayOf(2024, 7, 1), 1);

        QTemporaryDir root;
        QVERIFY(copyTo(ownEngine(), root.filePath("lib/dovrin")));
        QDir().mkpath(root.filePath("bin"));
        load = platform::loadEngine(root.filePath("bin"));
        QVERIFY2(load.engine, qPrintable(load.reason));
        QCOMPARE(load.file, root.filePath("lib/dovrin/libzendat32.so"));
        QCOMPARE(load.engine->GregToHijri(622, 7, 16), core::Ymd({1, 1, 1}));
    }

    void failuresAreReported()
    {
        QTemporaryDir empty, partial, broken;
        platform::EngineLoad load = platform::loadEngine(empty.path());
        QVERIFY(!load.engine);
        QVERIFY2(load.reason.contains("not found") && load.reason.contains(empty.path()), qPrintable(load.reason));

        QVERIFY(copyTo(fixture("partial"), partial.path()));
        load = platform::loadEngine(partial.path());
        QVERIFY(!load.engine);
        QCOMPARE(load.file, partial.filePath("libzendat32.so"));
        QVERIFY2(load.reason.contains("ordinal 13"), qPrintable(load.reason));

        QVERIFY(copyTo(QStringLiteral(BROKEN_ENGINE), broken.path()));
        load = platform::loadEngine(broken.path());
        QVERIFY(!load.engine && !load.reason.isEmpty());

        QVERIFY(!platform::loadEngine(QStringLiteral(".")).engine); // relative folders are refused
        QVERIFY(!platform::loadEngine(QString()).engine);

        testsupport::MessageCatcher messages;
        QVERIFY(!platform::loadEngineOrExplain(empty.path()));
        QCOMPARE(messages.count(), 1);
        QVERIFY(messages.texts[0].contains("libzendat32.so") && messages.texts[0].contains("not found"));
    }

    // A library named like the engine, in the working directory and on
    // LD_LIBRARY_PATH, never runs: neither in the loader nor in the real
    // program (which says it has no engine). The printing library: the
    // fault tests.
    void plantedLibrariesNeverRun()
    {
        QTemporaryDir work, programDir, bin;
        QVERIFY(copyTo(fixture("planted"), work.path()));
            const QString marker = work.filePath("marker");
        qputenv("DOVRIN_PLANTED_MARKER", marker.toLocal8Bit());
        qputenv("LD_LIBRARY_PATH", work.path().toLocal8Bit());
        const QString previous = QDir::currentPath();
        QDir::setCurrent(work.path());
        const platform::EngineLoad load = platform::loadEngine(programDir.path());
        QDir::setCurrent(previous);
        QVERIFY(!load.engine);
        QVERIFY(!QFile::exists(marker));

        QVERIFY(QFile::copy(QStringLiteral(DOVRIN_PROGRAM), bin.filePath("dovrin")));
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        program.setProcessEnvironment(env);
        program.setWorkingDirectory(work.path());
        program.start(bin.filePath("dovrin"), {});
        QVERIFY(program.waitForStarted());
        QByteArray err;
        QTRY_VERIFY_WITH_TIMEOUT((err += program.readAllStandardError()).contains("not found"), 10000);
        program.kill();
        program.waitForFinished();
        qunsetenv("DOVRIN_PLANTED_MARKER");
        qunsetenv("LD_LIBRARY_PATH");
        QVERIFY2(err.contains("libzendat32.so"), err.constData());
        QVERIFY(!QFile::exists(marker));
    }
};

QTEST_GUILESS_MAIN(TestEngineLoader)
#include "test_engineloader.moc"
