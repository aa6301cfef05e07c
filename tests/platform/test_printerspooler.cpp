// Where the printing library is taken from: the copy already loaded for Qt wherever Qt lives, else a folder the
// linker would search for Qt; never a bare name or a relative folder, where a planted copy could wait.
#include "platform/printing/printinglibrary.h"

#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QTemporaryDir>
#include <QTest>

using platform::printing::findPrintingLibrary;

class TestPrinterSpooler : public QObject {
    Q_OBJECT
private slots:
    // Making a printer asks the spooler: none here, so that it answers at once.
    void initTestCase() { qputenv("CUPS_SERVER", QFile::encodeName(QDir::tempPath() + "/dovrin-no-spooler.sock")); }

    // Qt in a prefix of its own (/opt/qt6/lib) with libcups beside it, and the system's copy too.
    void lookup()
    {
        QTemporaryDir qtPrefix, system, planted;
        for (const QTemporaryDir *dir : {&qtPrefix, &system, &planted}) {
            QFile lib(dir->filePath(QStringLiteral("libcups.so.2")));
            QVERIFY(lib.open(QIODevice::WriteOnly));
        }
        const auto exists = [](const QString &file) { return QFile::exists(file); };
        const QString qtCopy = qtPrefix.filePath(QStringLiteral("libcups.so.2"));
        const QString systemCopy = system.filePath(QStringLiteral("libcups.so.2"));
        // Loaded for Qt's print plugin: that copy, whatever the folders say.
        QCOMPARE(findPrintingLibrary({"/lib/x86_64-linux-gnu/libc.so.6", qtCopy}, {system.path()}, exists), qtCopy);
        // A loaded object known by a bare or relative name is not taken: it says nothing of where it lies.
        QCOMPARE(findPrintingLibrary({"libcups.so.2", "./libcups.so.2"}, {system.path()}, exists), systemCopy);
        // Nothing loaded: the first folder that holds it, in order.
        const QString empty = QDir::tempPath() + QStringLiteral("/dovrin-no-such-folder");
        QCOMPARE(findPrintingLibrary({}, {empty, qtPrefix.path(), system.path()}, exists), qtCopy);
        // Relative folders (the working directory, an empty LD_LIBRARY_PATH entry) never count.
        QDir::setCurrent(planted.path());
        QCOMPARE(findPrintingLibrary({}, {"", ".", "lib"}, exists), QString());
        QCOMPARE(findPrintingLibrary({}, {}, exists), QString());
    }

    // In this process: once Qt has made a printer, libcups is among the loaded objects and is the one taken.
    void loadedForQt()
    {
        const QStringList folders = platform::printing::linkerFolders();
        QVERIFY(!folders.isEmpty());
        for (const QString &folder : folders)
            QVERIFY2(QDir::isAbsolutePath(folder), qPrintable(folder));
        platform::printing::cups();
        QPrinter printer;
        Q_UNUSED(printer);
        const QStringList loaded = platform::printing::loadedObjects();
        const QString found = findPrintingLibrary(loaded, {}, [](const QString &) { return false; });
        QVERIFY2(found.endsWith(QStringLiteral("/libcups.so.2")), qPrintable(loaded.join(u'\n')));
        QVERIFY(QFile::exists(found));
    }
};

QTEST_MAIN(TestPrinterSpooler)
#include "test_printerspooler.moc"
