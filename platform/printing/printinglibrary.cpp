#include "printinglibrary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <dlfcn.h>
#include <link.h>

namespace platform::printing {
namespace {

const QString PrintingLibraryFile = QStringLiteral("libcups.so.2");

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

} // namespace

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
            && resolve(library, all.addString, "ippAddString") && resolve(library, all.addStrings, "ippAddStrings")
            && resolve(library, all.findAttribute, "ippFindAttribute")
            && resolve(library, all.getBoolean, "ippGetBoolean") && resolve(library, all.getInteger, "ippGetInteger")
            && resolve(library, all.getString, "ippGetString") && resolve(library, all.statusCode, "ippGetStatusCode")
            && resolve(library, all.assembleUri, "httpAssembleURIf") && resolve(library, all.server, "cupsServer")
            && resolve(library, all.port, "ippPort") && resolve(library, all.encryption, "cupsEncryption")
            && resolve(library, all.connect, "httpConnect2") && resolve(library, all.setTimeout, "httpSetTimeout")
            && resolve(library, all.close, "httpClose"))
            c = all;
        return c;
    }();
    return api;
}

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

} // namespace platform::printing
