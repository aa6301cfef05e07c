// The printing library (libcups), opened by absolute path from where the
// dynamic linker found it for Qt, with the few functions the spooler's
// questions need.
#pragma once

#include <QString>
#include <QStringList>
#include <cups/cups.h>
#include <functional>

namespace platform::printing {

// The library as the dynamic linker found it for Qt: the one already loaded
// into the process, else the first folder of `folders` holding it. Only
// absolute paths count: a bare name would be searched on LD_LIBRARY_PATH,
// where an empty entry stands for the working directory. Empty when there
// is none.
QString findPrintingLibrary(const QStringList &loadedObjects, const QStringList &folders,
                            const std::function<bool(const QString &)> &exists);
// The files of every object loaded into the process now.
QStringList loadedObjects();
// Where the linker looks for Qt's libraries: the folder Qt's print support
// came from, then the system's library folders from its configuration.
QStringList linkerFolders();

// The functions of libcups that are used, resolved once.
struct Cups {
    decltype(&::cupsLastError) lastError = nullptr;
    decltype(&::cupsDoRequest) doRequest = nullptr;
    decltype(&::ippNewRequest) newRequest = nullptr;
    decltype(&::ippDelete) deleteIpp = nullptr;
    decltype(&::ippAddString) addString = nullptr;
    decltype(&::ippAddStrings) addStrings = nullptr;
    decltype(&::ippFindAttribute) findAttribute = nullptr;
    decltype(&::ippGetBoolean) getBoolean = nullptr;
    decltype(&::ippGetInteger) getInteger = nullptr;
    decltype(&::ippGetString) getString = nullptr;
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

// Opened on first use: libcups and what it pulls in (TLS, Kerberos, Avahi)
// would cost every start-up several milliseconds although only printing
// needs it. Opening it before Qt makes a printer means Qt's print plugin
// finds it already open and nothing is looked up by name. Not loaded()
// when there is none.
const Cups &cups();

} // namespace platform::printing
