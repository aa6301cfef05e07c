#include "printerspooler.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QTimer>
#include <atomic>
#include <cups/cups.h>
#include <dlfcn.h>
#include <link.h>
#include <memory>
#include <mutex>
#include <thread>

namespace platform::spooler {
namespace {

const QString PrintingLibraryFile = QStringLiteral("libcups.so.2");

// libcups and what it pulls in (TLS, Kerberos, Avahi) cost the program's
// start-up several milliseconds although only printing needs it: it is
// opened on first use. Qt's own print plugin uses the same library, so the
// last error seen on the window's thread is the one of Qt's last request.
struct Cups {
    decltype(&::cupsLastError) lastError = nullptr;
    decltype(&::cupsDoRequest) doRequest = nullptr;
    decltype(&::ippNewRequest) newRequest = nullptr;
    decltype(&::ippDelete) deleteIpp = nullptr;
    decltype(&::ippAddString) addString = nullptr;
    decltype(&::ippFindAttribute) findAttribute = nullptr;
    decltype(&::ippGetBoolean) getBoolean = nullptr;
    decltype(&::ippGetStatusCode) statusCode = nullptr;
    decltype(&::httpAssembleURIf) assembleUri = nullptr;
    decltype(&::cupsServer) server = nullptr;
    decltype(&::ippPort) port = nullptr;
    decltype(&::cupsEncryption) encryption = nullptr;
    decltype(&::httpConnect2) connect = nullptr;
    decltype(&::httpSetTimeout) setTimeout = nullptr;
    decltype(&::httpClose) close = nullptr;

    bool loaded() const { return close != nullptr; }
};

template <typename F> bool resolve(void *library, F &function, const char *name)
{
    function = reinterpret_cast<F>(dlsym(library, name));
    return function != nullptr;
}

// The folder Qt's print support library was loaded from, or empty.
QString qtPrintSupportFolder()
{
    void *loaded = dlopen("libQt6PrintSupport.so.6", RTLD_LAZY | RTLD_NOLOAD); // never loads anything
    link_map *map = nullptr;
    QString file;
    if (loaded && dlinfo(loaded, RTLD_DI_LINKMAP, &map) == 0 && map && map->l_name)
        file = QString::fromLocal8Bit(map->l_name);
    if (loaded)
        dlclose(loaded);
    if (!QDir::isAbsolutePath(file))
        return {};
    return QFileInfo(file).absolutePath();
}

// The folders an ld.so.conf style file names, following its includes.
void readLinkerConfiguration(const QString &file, QStringList &folders, int depth = 0)
{
    QFile conf(file);
    if (depth > 8 || !conf.open(QIODevice::ReadOnly | QIODevice::Text))
        return;
    for (QString line : QString::fromLocal8Bit(conf.readAll()).split(u'\n')) {
        line = line.section(u'#', 0, 0).trimmed();
        if (line.startsWith(QStringLiteral("include "))) {
            const QString pattern = line.mid(8).trimmed();
            const QFileInfo where(QDir::isAbsolutePath(pattern) ? pattern : QFileInfo(file).dir().filePath(pattern));
            const QDir dir = where.dir();
            for (const QString &name : dir.entryList({where.fileName()}, QDir::Files, QDir::Name))
                readLinkerConfiguration(dir.filePath(name), folders, depth + 1);
        } else if (QDir::isAbsolutePath(line)) {
            folders << line;
        }
    }
}

const Cups &cups()
{
    static const Cups api = [] {
        Cups c;
        const QString file = findPrintingLibrary(loadedObjects(), linkerFolders(),
                                                 [](const QString &f) { return QFileInfo(f).isFile(); });
        if (file.isEmpty())
            return c;
        void *library = dlopen(QFile::encodeName(file).constData(), RTLD_NOW | RTLD_GLOBAL);
        if (!library)
            return c;
        Cups all;
        if (resolve(library, all.lastError, "cupsLastError") && resolve(library, all.doRequest, "cupsDoRequest")
            && resolve(library, all.newRequest, "ippNewRequest") && resolve(library, all.deleteIpp, "ippDelete")
            && resolve(library, all.addString, "ippAddString")
            && resolve(library, all.findAttribute, "ippFindAttribute")
            && resolve(library, all.getBoolean, "ippGetBoolean") && resolve(library, all.statusCode, "ippGetStatusCode")
            && resolve(library, all.assembleUri, "httpAssembleURIf") && resolve(library, all.server, "cupsServer")
            && resolve(library, all.port, "ippPort") && resolve(library, all.encryption, "cupsEncryption")
            && resolve(library, all.connect, "httpConnect2") && resolve(library, all.setTimeout, "httpSetTimeout")
            && resolve(library, all.close, "httpClose"))
            c = all;
        return c;
    }();
    return api;
}

// What the spooler said, asked on a thread of its own.
enum class Answer { Ready, NotRunning, NotAnswering, UnknownQueue, Refuses };

// Connecting and each wait for data: a spooler that answers at all does so
// in milliseconds.
constexpr int ConnectMs = 3000;
constexpr double ReadSeconds = 5;

int giveUp(http_t *, void *) { return 0; }

// Runs on a worker thread: its own connection, its own timeouts.
Answer ask(const QByteArray &queue)
{
    const Cups &c = cups();
    http_t *http = c.connect(c.server(), c.port(), nullptr, AF_UNSPEC, c.encryption(), 1, ConnectMs, nullptr);
    if (!http)
        return Answer::NotRunning;
    c.setTimeout(http, ReadSeconds, giveUp, nullptr);
    // One request, so that one timeout bounds it: any answer will do for the
    // spooler itself ("no default printer" included); a queue's own
    // attributes say whether it takes jobs.
    ipp_t *request = nullptr;
    if (queue.isEmpty()) {
        request = c.newRequest(IPP_OP_CUPS_GET_DEFAULT);
    } else {
        char uri[HTTP_MAX_URI];
        c.assembleUri(HTTP_URI_CODING_ALL, uri, sizeof uri, "ipp", nullptr, "localhost", 0, "/printers/%s",
                      queue.constData());
        request = c.newRequest(IPP_OP_GET_PRINTER_ATTRIBUTES);
        c.addString(request, IPP_TAG_OPERATION, IPP_TAG_URI, "printer-uri", nullptr, uri);
        c.addString(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", nullptr,
                    "printer-is-accepting-jobs");
    }
    Answer answer = Answer::NotAnswering;
    if (ipp_t *response = c.doRequest(http, request, "/")) {
        answer = Answer::Ready;
        if (!queue.isEmpty()) {
            ipp_attribute_t *accepting = c.findAttribute(response, "printer-is-accepting-jobs", IPP_TAG_BOOLEAN);
            if (c.statusCode(response) == IPP_STATUS_ERROR_NOT_FOUND)
                answer = Answer::UnknownQueue;
            else if (accepting && !c.getBoolean(accepting, 0))
                answer = Answer::Refuses;
        }
        c.deleteIpp(response);
    } else if (!queue.isEmpty() && c.lastError() == IPP_STATUS_ERROR_NOT_FOUND) {
        answer = Answer::UnknownQueue;
    }
    c.close(http);
    return answer;
}

// Asks on a worker thread while the calling thread's events go on; a
// worker still waiting after AnswerWaitMs is left to end on its own.
Answer askAndWait(const QByteArray &queue)
{
    struct Exchange {
        std::atomic<bool> done{false};
        Answer answer = Answer::NotAnswering;
    };
    auto exchange = std::make_shared<Exchange>();
    std::thread([exchange, queue] {
        exchange->answer = ask(queue);
        exchange->done.store(true, std::memory_order_release);
    }).detach();
    QEventLoop loop;
    QTimer poll;
    QElapsedTimer waited;
    waited.start();
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (exchange->done.load(std::memory_order_acquire) || waited.elapsed() >= AnswerWaitMs)
            loop.quit();
    });
    poll.start(5);
    if (!exchange->done.load(std::memory_order_acquire))
        loop.exec();
    return exchange->done.load(std::memory_order_acquire) ? exchange->answer : Answer::NotAnswering;
}

QString inUserWords(Answer answer, const QString &queue)
{
    switch (answer) {
    case Answer::Ready:
        return {};
    case Answer::NotRunning:
        return QStringLiteral("The print service is not running, so nothing can be printed.");
    case Answer::NotAnswering:
        return QStringLiteral("The print service is not answering, so nothing can be printed now.");
    case Answer::UnknownQueue:
        return QStringLiteral("The printer \"%1\" is no longer set up.").arg(queue);
    case Answer::Refuses:
        return QStringLiteral("The printer \"%1\" refuses jobs at the moment.").arg(queue);
    }
    return {};
}

} // namespace

QString findPrintingLibrary(const QStringList &loadedObjects, const QStringList &folders,
                            const std::function<bool(const QString &)> &exists)
{
    for (const QString &object : loadedObjects)
        if (QDir::isAbsolutePath(object) && QFileInfo(object).fileName() == PrintingLibraryFile)
            return object;
    for (const QString &folder : folders) {
        if (!QDir::isAbsolutePath(folder))
            continue;
        const QString file = QDir(folder).filePath(PrintingLibraryFile);
        if (exists(file))
            return file;
    }
    return {};
}

QStringList loadedObjects()
{
    QStringList files;
    dl_iterate_phdr(
        [](dl_phdr_info *info, size_t, void *data) {
            if (info->dlpi_name && *info->dlpi_name)
                static_cast<QStringList *>(data)->append(QString::fromLocal8Bit(info->dlpi_name));
            return 0;
        },
        &files);
    return files;
}

QStringList linkerFolders()
{
    QStringList folders;
    if (const QString qt = qtPrintSupportFolder(); !qt.isEmpty())
        folders << qt;
    readLinkerConfiguration(QStringLiteral("/etc/ld.so.conf"), folders);
    folders << QStringLiteral("/lib") << QStringLiteral("/usr/lib"); // the linker's own last resort
    folders.removeDuplicates();
    return folders;
}

void openPrintingLibrary() { cups(); }

QString whySpoolerSilent()
{
    if (!cups().loaded())
        return {};
    return inUserWords(askAndWait({}), {});
}

QString whyQueueRefuses(const QString &queue)
{
    if (!cups().loaded())
        return {};
    return inUserWords(askAndWait(queue.toUtf8()), queue);
}

QString whyLastDocumentRefused(const QString &queue)
{
    if (!cups().loaded() || cups().lastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return {};
    return QStringLiteral("The print service did not take the document for the printer \"%1\".").arg(queue);
}

} // namespace platform::spooler
