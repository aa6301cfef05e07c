// Loading the engine library: only from the program's own folder, and every
// failure reported, never a crash.
#include "platform/engineloader.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestEngineLoader : public QObject {
    Q_OBJECT
private slots:
    void loadsFromTheProgramsFolder();
    void loadsFromTheInstalledLayout();
    void missingLibraryIsReported();
    void libraryMissingAnOrdinalIsReported();
    void unloadableLibraryIsReported();
    void relativeProgramFolderIsRefused();
    void plantedLibraryIsNeverLoaded();
    void programWithoutEngineExitsWithAMessage();
};

namespace {

QString fixture(const char *kind)
{
    return QStringLiteral(FIXTURES_DIR "/") + QLatin1String(kind) + QStringLiteral("/libzendat32.so");
}

bool copyTo(const QString &from, const QString &folder)
{
    QDir().mkpath(folder);
    return QFile::copy(from, QDir(folder).filePath(QStringLiteral("libzendat32.so")));
}

} // namespace

void TestEngineLoader::loadsFromTheProgramsFolder()
{
    const platform::EngineLoad load = platform::loadEngine(QCoreApplication::applicationDirPath());
    QVERIFY2(load.engine, qPrintable(load.reason));
    QCOMPARE(load.file, QDir(QCoreApplication::applicationDirPath()).filePath("libzendat32.so"));
    QCOMPARE(load.engine->WeekDayOf(2024, 7, 1), 1);
}

void TestEngineLoader::loadsFromTheInstalledLayout()
{
    QTemporaryDir root;
    QVERIFY(copyTo(QDir(QCoreApplication::applicationDirPath()).filePath("libzendat32.so"),
                   root.filePath("lib/dovrin")));
    QDir().mkpath(root.filePath("bin"));
    const platform::EngineLoad load = platform::loadEngine(root.filePath("bin"));
    QVERIFY2(load.engine, qPrintable(load.reason));
    QCOMPARE(load.file, root.filePath("lib/dovrin/libzendat32.so"));
    QCOMPARE(load.engine->GregToHijri(622, 7, 16), core::Ymd({1, 1, 1}));
}

void TestEngineLoader::missingLibraryIsReported()
{
    QTemporaryDir empty;
    const platform::EngineLoad load = platform::loadEngine(empty.path());
    QVERIFY(!load.engine);
    QVERIFY(load.file.contains("libzendat32.so"));
    QVERIFY2(load.reason.contains("not found"), qPrintable(load.reason));
    QVERIFY(load.reason.contains(empty.path()));
}

void TestEngineLoader::libraryMissingAnOrdinalIsReported()
{
    QTemporaryDir dir;
    QVERIFY(copyTo(fixture("partial"), dir.path()));
    const platform::EngineLoad load = platform::loadEngine(dir.path());
    QVERIFY(!load.engine);
    QCOMPARE(load.file, dir.filePath("libzendat32.so"));
    QVERIFY2(load.reason.contains("ordinal 13"), qPrintable(load.reason));
}

void TestEngineLoader::unloadableLibraryIsReported()
{
    QTemporaryDir dir;
    QVERIFY(copyTo(QStringLiteral(BROKEN_ENGINE), dir.path()));
    const platform::EngineLoad load = platform::loadEngine(dir.path());
    QVERIFY(!load.engine);
    QVERIFY(!load.reason.isEmpty());
}

void TestEngineLoader::relativeProgramFolderIsRefused()
{
    const platform::EngineLoad load = platform::loadEngine(QStringLiteral("."));
    QVERIFY(!load.engine);
    QVERIFY(!platform::loadEngine(QString()).engine);
}

// A library in the working directory or on LD_LIBRARY_PATH is never run.
void TestEngineLoader::plantedLibraryIsNeverLoaded()
{
    QTemporaryDir work, programDir;
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

    // The same for the real program, started from that folder.
    QProcess program;
    program.setWorkingDirectory(work.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(env);
    QTemporaryDir bin;
    QVERIFY(QFile::copy(QStringLiteral(DOVRIN_PROGRAM), bin.filePath("dovrin")));
    program.start(bin.filePath("dovrin"), {});
    QVERIFY(program.waitForStarted());
    // With no engine beside it the program only says so (its box waits).
    QByteArray err;
    QTRY_VERIFY_WITH_TIMEOUT((err += program.readAllStandardError()).contains("not found"), 10000);
    program.kill();
    program.waitForFinished();
    QVERIFY(!QFile::exists(marker));
    qunsetenv("DOVRIN_PLANTED_MARKER");
    qunsetenv("LD_LIBRARY_PATH");
}

void TestEngineLoader::programWithoutEngineExitsWithAMessage()
{
    testsupport::MessageCatcher messages;
    QTemporaryDir empty;
    QVERIFY(!platform::loadEngineOrExplain(empty.path()));
    QCOMPARE(messages.count(), 1);
    QVERIFY(messages.texts[0].contains("libzendat32.so"));
    QVERIFY(messages.texts[0].contains("not found"));

    // The real program, without an engine beside it, says so before its box.
    QTemporaryDir bin;
    QVERIFY(QFile::copy(QStringLiteral(DOVRIN_PROGRAM), bin.filePath("dovrin")));
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(env);
    program.start(bin.filePath("dovrin"), {});
    QVERIFY(program.waitForStarted());
    QByteArray err;
    QTRY_VERIFY_WITH_TIMEOUT((err += program.readAllStandardError()).contains("libzendat32.so"), 10000);
    program.kill();
    program.waitForFinished();
}

QTEST_GUILESS_MAIN(TestEngineLoader)
#include "test_engineloader.moc"
