#include "printerspooler.h"

#include <QDir>
#include <QFileInfo>
#include <cstring>
#include <cups/cups.h>
#include <dlfcn.h>
#include <link.h>

namespace platform::spooler {
namespace {

// libcups and what it pulls in (TLS, Kerberos, Avahi) cost the program's
// start-up several milliseconds although only printing needs it: it is
// opened on first use. Qt's own print plugin opens the same library, so
// the last error seen here is the one of Qt's last request.
struct Cups {
    decltype(&::cupsLastError) lastError = nullptr;
    decltype(&::cupsLastErrorString) lastErrorString = nullptr;
    decltype(&::cupsGetOption) getOption = nullptr;
    decltype(&::cupsDoRequest) doRequest = nullptr;
    decltype(&::ippNewRequest) newRequest = nullptr;
    decltype(&::ippDelete) deleteIpp = nullptr;
    decltype(&::cupsGetNamedDest) getNamedDest = nullptr;
    decltype(&::cupsFreeDests) freeDests = nullptr;

    bool loaded() const { return freeDests != nullptr; }
};

template <typename F> bool resolve(void *library, F &function, const char *name)
{
    function = reinterpret_cast<F>(dlsym(library, name));
    return function != nullptr;
}

// The folder Qt's print support library was loaded from, or empty. Never by
// name: a name is searched on LD_LIBRARY_PATH, where an empty entry stands
// for the working directory.
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

const Cups &cups()
{
    static const Cups api = [] {
        Cups c;
        const QString folder = qtPrintSupportFolder();
        if (folder.isEmpty())
            return c;
        void *library = dlopen(QDir(folder).filePath(QStringLiteral("libcups.so.2")).toLocal8Bit().constData(),
                               RTLD_NOW | RTLD_GLOBAL);
        if (!library)
            return c;
        Cups all;
        if (resolve(library, all.lastError, "cupsLastError")
            && resolve(library, all.lastErrorString, "cupsLastErrorString")
            && resolve(library, all.getOption, "cupsGetOption") && resolve(library, all.doRequest, "cupsDoRequest")
            && resolve(library, all.newRequest, "ippNewRequest") && resolve(library, all.deleteIpp, "ippDelete")
            && resolve(library, all.getNamedDest, "cupsGetNamedDest")
            && resolve(library, all.freeDests, "cupsFreeDests"))
            c = all;
        return c;
    }();
    return api;
}

const QString NoCups = QStringLiteral("the printing library libcups cannot be loaded");

QString lastCupsError() { return QString::fromUtf8(cups().lastErrorString()); }

bool optionIs(const cups_dest_t &dest, const char *name, const char *value)
{
    const char *actual = cups().getOption(name, dest.num_options, dest.options);
    return actual && std::strcmp(actual, value) == 0;
}

} // namespace

void openPrintingLibrary() { cups(); }

QString whySpoolerSilent()
{
    if (!cups().loaded())
        return NoCups;
    // Any answer will do, "no default printer" included.
    ipp_t *response = cups().doRequest(CUPS_HTTP_DEFAULT, cups().newRequest(IPP_OP_CUPS_GET_DEFAULT), "/");
    if (response) {
        cups().deleteIpp(response);
        return {};
    }
    return QStringLiteral("the print spooler does not answer (%1)").arg(lastCupsError());
}

QString whyQueueRefuses(const QString &queue)
{
    if (!cups().loaded())
        return NoCups;
    const QByteArray name = queue.toUtf8();
    cups_dest_t *dest = cups().getNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr);
    if (!dest) {
        // A spooler that is gone looks like an unknown queue here.
        const QString silent = whySpoolerSilent();
        return silent.isEmpty() ? QStringLiteral("the print spooler does not know this printer") : silent;
    }
    QString why;
    if (optionIs(*dest, "printer-is-accepting-jobs", "false"))
        why = QStringLiteral("the printer is not accepting jobs");
    cups().freeDests(1, dest);
    return why;
}

QString whyLastDocumentRefused()
{
    if (!cups().loaded())
        return NoCups;
    if (cups().lastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return {};
    return QStringLiteral("the print spooler did not take the document (%1)").arg(lastCupsError());
}

} // namespace platform::spooler
