#include "printerspooler.h"

#include <cups/cups.h>
#include <cstring>

namespace platform::spooler {
namespace {

QString lastCupsError()
{
    return QString::fromUtf8(cupsLastErrorString());
}

bool optionIs(const cups_dest_t &dest, const char *name, const char *value)
{
    const char *actual = cupsGetOption(name, dest.num_options, dest.options);
    return actual && std::strcmp(actual, value) == 0;
}

} // namespace

QString whySpoolerSilent()
{
    // Any answer will do, "no default printer" included.
    ipp_t *response = cupsDoRequest(CUPS_HTTP_DEFAULT, ippNewRequest(IPP_OP_CUPS_GET_DEFAULT), "/");
    if (response) {
        ippDelete(response);
        return {};
    }
    return QStringLiteral("the print spooler does not answer (%1)").arg(lastCupsError());
}

QString whyQueueRefuses(const QString &queue)
{
    const QByteArray name = queue.toUtf8();
    cups_dest_t *dest = cupsGetNamedDest(CUPS_HTTP_DEFAULT, name.constData(), nullptr);
    if (!dest) {
        // A spooler that is gone looks like an unknown queue here.
        const QString silent = whySpoolerSilent();
        return silent.isEmpty() ? QStringLiteral("the print spooler does not know this printer") : silent;
    }
    QString why;
    if (optionIs(*dest, "printer-is-accepting-jobs", "false"))
        why = QStringLiteral("the printer is not accepting jobs");
    cupsFreeDests(1, dest);
    return why;
}

QString whyLastDocumentRefused()
{
    if (cupsLastError() <= IPP_STATUS_OK_EVENTS_COMPLETE)
        return {};
    return QStringLiteral("the print spooler did not take the document (%1)").arg(lastCupsError());
}

} // namespace platform::spooler
