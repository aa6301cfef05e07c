// Loading the engine library: only from the program's own folder, and every
// failure reported, never a crash.
#include "platform/engineloader.h"
#include "platform/printerspooler.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
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
    void symlinkedProgramLoadsOnlyItsOwnEngine();
    void nothingRunsFromTheWorkingDirectory();
    void printingLibraryComesFromTheSystem();
    void programWithoutEngineExitsWithAMessage();
};

namespace {

QString fixture(const char *kind)
{
    return QStringLiteral(FIXTURES_DIR "/") + QLatin1String(kind) + QStringLiteral("/libzendat32.so");
}

bool copyTo(const QString &from, const QString &folder, const QString &name = QStringLiteral("libzendat32.so"))
{
    QDir().mkpath(folder);
    return QFile::copy(from, QDir(folder).filePath(name));
}

struct Mapping {
    QString file;
    bool executable;
};

// The files a running process has mapped, from /proc/PID/maps.
QList<Mapping> mappedFiles(qint64 pid)
{
    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
    QList<Mapping> files;
    if (!maps.open(QIODevice::ReadOnly))
        return files;
    for (const QByteArray &line : maps.readAll().split('\n')) {
        const QList<QByteArray> fields = line.simplified().split(' ');
        if (fields.size() >= 6 && fields[5].startsWith('/'))
            files << Mapping{QString::fromLocal8Bit(fields[5]), fields[1].contains('x')};
    }
    return files;
}

bool maps(const QList<Mapping> &files, const QString &file)
{
    return std::any_of(files.begin(), files.end(), [&](const Mapping &m) { return m.file == file; });
}

// The real program started from `workDir` with extra environment; its
// standard error is kept.
class RunningProgram {
public:
    RunningProgram(const QString &program, const QString &workDir, const QProcessEnvironment &extra)
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("QT_QPA_PLATFORM", "offscreen");
        for (const QString &key : extra.keys())
            env.insert(key, extra.value(key));
        process_.setProcessEnvironment(env);
        process_.setWorkingDirectory(workDir);
        process_.start(program, {});
    }
    ~RunningProgram()
    {
        process_.kill();
        process_.waitForFinished();
    }
    qint64 pid() const { return process_.processId(); }
    // Waits until the process has mapped the file and then a while longer,
    // so that its window is up and what it loads for that is loaded too.
    bool waitForMapping(const QString &file)
    {
        if (!process_.waitForStarted())
            return false;
        const bool mapped = QTest::qWaitFor([&] { return maps(mappedFiles(pid()), file); }, 20000);
        QTest::qWait(1500);
        return mapped && process_.state() == QProcess::Running;
    }
    QString standardError()
    {
        return QString::fromLocal8Bit(process_.readAllStandardError());
    }

private:
    QProcess process_;
};

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

// A link to the program placed in a folder of the user's beside a library
// of the engine's name: the program's own folder is where the link points
// (the kernel's record of the program), so the library beside the link is
// never run.
void TestEngineLoader::symlinkedProgramLoadsOnlyItsOwnEngine()
{
    QTemporaryDir work;
    QVERIFY(copyTo(fixture("planted"), work.path()));
    QVERIFY(QFile::link(QStringLiteral(DOVRIN_PROGRAM), work.filePath("dovrin")));
    const QString marker = work.filePath("marker");
    QProcessEnvironment extra;
    extra.insert("DOVRIN_PLANTED_MARKER", marker);
    RunningProgram program(work.filePath("dovrin"), work.path(), extra);
    const QString ownEngine = QFileInfo(QStringLiteral(DOVRIN_PROGRAM)).dir().filePath("libzendat32.so");
    QVERIFY2(program.waitForMapping(ownEngine), qPrintable(program.standardError()));
    QVERIFY(!maps(mappedFiles(program.pid()), work.filePath("libzendat32.so")));
    QVERIFY(!QFile::exists(marker));
}

// Started from a folder full of libraries named like the engine and like
// Qt's plugins, with a qt.conf pointing at them: no code is mapped from that
// folder or from any folder that everyone may write to, neither the dynamic
// loader nor Qt's plugin loader even looks there, and nothing planted runs.
void TestEngineLoader::nothingRunsFromTheWorkingDirectory()
{
    QTemporaryDir work;
    const QString planted = fixture("planted");
    QVERIFY(copyTo(planted, work.path()));
    for (const char *kind : {"platforms", "platformthemes", "platforminputcontexts", "printsupport", "imageformats",
                             "iconengines", "styles", "xcbglintegrations", "generic"})
        QVERIFY(copyTo(planted, work.filePath(QLatin1String(kind)), QStringLiteral("libplanted.so")));
    QVERIFY(copyTo(planted, work.filePath("platforms"), QStringLiteral("libqoffscreen.so")));
    QVERIFY(copyTo(planted, work.filePath("printsupport"), QStringLiteral("libcupsprintersupport.so")));
    for (const char *library : {"libQt6Core.so.6", "libQt6Gui.so.6", "libcups.so.2", "libc.so.6"})
        QVERIFY(copyTo(planted, work.path(), QLatin1String(library)));
    QFile conf(work.filePath("qt.conf"));
    QVERIFY(conf.open(QIODevice::WriteOnly));
    conf.write("[Paths]\nPrefix=" + QFile::encodeName(work.path()) + "\nPlugins=.\n");
    conf.close();

    const QString marker = work.filePath("marker");
    QProcessEnvironment extra;
    extra.insert("DOVRIN_PLANTED_MARKER", marker);
    extra.insert("LD_DEBUG", "libs");
    extra.insert("QT_DEBUG_PLUGINS", "1");
    RunningProgram program(QStringLiteral(DOVRIN_PROGRAM), work.path(), extra);
    const QString ownEngine = QFileInfo(QStringLiteral(DOVRIN_PROGRAM)).dir().filePath("libzendat32.so");
    QVERIFY(program.waitForMapping(ownEngine));

    const QString workDir = QFileInfo(work.path()).canonicalFilePath();
    const QString tempDir = QFileInfo(QDir::tempPath()).canonicalFilePath();
    const QString programDir = QFileInfo(QStringLiteral(DOVRIN_PROGRAM)).canonicalPath();
    for (const Mapping &m : mappedFiles(program.pid())) {
        if (!m.executable)
            continue;
        const QString file = QFileInfo(m.file).canonicalFilePath();
        QVERIFY2(!file.startsWith(workDir + u'/'), qPrintable(file));
        // The program and its engine come from wherever the program was put.
        QVERIFY2(!file.startsWith(tempDir + u'/') || QFileInfo(file).path() == programDir, qPrintable(file));
        const QFileInfo folder(QFileInfo(file).absolutePath());
        QVERIFY2(!(folder.permissions() & QFileDevice::WriteOther), qPrintable(file));
    }
    const QString log = program.standardError();
    QVERIFY2(log.contains(QStringLiteral("file=")), "the dynamic loader's log is missing");
    QVERIFY2(log.contains(QStringLiteral("checking directory path")), "Qt's plugin log is missing");
    for (const QString &line : log.split(u'\n'))
        QVERIFY2(!line.contains(work.path()) && !line.contains(workDir), qPrintable(line));
    QVERIFY(!QFile::exists(marker));
}

// The printing library is opened by name when printing first asks the
// spooler: a library of that name in the working directory is not it.
void TestEngineLoader::printingLibraryComesFromTheSystem()
{
    QTemporaryDir work;
    QVERIFY(copyTo(fixture("planted"), work.path(), QStringLiteral("libcups.so.2")));
    const QString marker = work.filePath("marker");
    qputenv("DOVRIN_PLANTED_MARKER", marker.toLocal8Bit());
    const QString previous = QDir::currentPath();
    QDir::setCurrent(work.path());
    platform::spooler::whySpoolerSilent();
    QDir::setCurrent(previous);
    qunsetenv("DOVRIN_PLANTED_MARKER");
    QVERIFY(!QFile::exists(marker));
    const QList<Mapping> files = mappedFiles(QCoreApplication::applicationPid());
    const auto cups = std::find_if(files.begin(), files.end(), [](const Mapping &m) {
        return QFileInfo(m.file).fileName().startsWith(QLatin1String("libcups.so"));
    });
    QVERIFY2(cups != files.end(), "libcups was not opened");
    QVERIFY2(!cups->file.startsWith(work.path()), qPrintable(cups->file));
    QVERIFY2(!(QFileInfo(QFileInfo(cups->file).absolutePath()).permissions() & QFileDevice::WriteOther),
             qPrintable(cups->file));
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
