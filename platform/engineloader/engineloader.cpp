#include "engineloader.h"

#include "core/messages.h"
#include "engine/zendat32.h"

#include <QDir>
#include <QFileInfo>
#include <dlfcn.h>

namespace platform {
namespace {

using EntryFn = void *(*)(int32_t);

// The library's entry points that the program calls.
struct Entries {
    zendat32_month_days_fn gregDays, hijriDays;
    zendat32_weekday_fn weekday;
    zendat32_check_fn checkGreg, checkHijri;
    zendat32_convert_fn hijriToGreg, gregToHijri;
};

// The engine reached through the library's entry points.
class LibraryEngine final : public core::CalendarEngine {
public:
    LibraryEngine(void *handle, const Entries &entries) : handle_(handle), e_(entries) {}
    ~LibraryEngine() override { dlclose(handle_); }
    LibraryEngine(const LibraryEngine &) = delete;
    LibraryEngine &operator=(const LibraryEngine &) = delete;

    int32_t GregMonthDays(int32_t year, int32_t month) const override { return e_.gregDays(&year, &month); }
    int32_t HijriMonthDays(int32_t year, int32_t month) const override { return e_.hijriDays(&year, &month); }
    int32_t WeekDayOf(int32_t year, int32_t month, int32_t day) const override
    {
        int32_t weekday = 0;
        e_.weekday(&year, &month, &day, &weekday);
        return weekday;
    }
    bool CheckGregDate(int32_t year, int32_t month, int32_t day) const override
    {
        return e_.checkGreg(&year, &month, &day) == 1;
    }
    bool CheckHijriDate(int32_t year, int32_t month, int32_t day) const override
    {
        return e_.checkHijri(&year, &month, &day) == 1;
    }
    core::Ymd HijriToGreg(int32_t year, int32_t month, int32_t day) const override
    {
        core::Ymd out;
        e_.hijriToGreg(&year, &month, &day, &out.year, &out.month, &out.day);
        return out;
    }
    core::Ymd GregToHijri(int32_t year, int32_t month, int32_t day) const override
    {
        core::Ymd out;
        e_.gregToHijri(&year, &month, &day, &out.year, &out.month, &out.day);
        return out;
    }

private:
    void *handle_;
    const Entries e_;
};

core::Failure failure(const QString &file, const QString &reason)
{
    return {QStringLiteral("The calendar engine could not be loaded.\n\nFile: %1\nReason: %2").arg(file, reason),
            core::messages::ProgramCaption};
}

// The folders searched, in order.
QStringList engineFolders(const QString &programDir)
{
    const QDir dir(programDir);
    return {dir.absolutePath(), QDir::cleanPath(dir.absoluteFilePath(QStringLiteral("../lib/dovrin")))};
}

} // namespace

core::Result<std::unique_ptr<core::CalendarEngine>> loadEngine(const QString &programDir)
{
    if (programDir.isEmpty() || QDir::isRelativePath(programDir))
        return failure(QString::fromLatin1(EngineFileName), QStringLiteral("the program's own folder is not known"));

    QString path;
    for (const QString &folder : engineFolders(programDir)) {
        const QString candidate = QDir(folder).absoluteFilePath(QString::fromLatin1(EngineFileName));
        if (QFileInfo(candidate).isFile()) {
            path = candidate;
            break;
        }
    }
    if (path.isEmpty())
        return failure(QString::fromLatin1(EngineFileName),
                       QStringLiteral("not found in %1").arg(engineFolders(programDir).join(QStringLiteral(" or "))));

    // An absolute path: dlopen searches nowhere else.
    void *handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char *error = dlerror();
        return failure(path, error ? QString::fromLocal8Bit(error) : QStringLiteral("cannot be loaded"));
    }
    auto entry = reinterpret_cast<EntryFn>(dlsym(handle, "zendat32_entry"));
    if (!entry) {
        dlclose(handle);
        return failure(path, QStringLiteral("it has no entry point table (zendat32_entry)"));
    }
    // Each ordinal in turn: the first one missing is the one named.
    Entries entries{};
    int32_t missing = 0;
    const auto resolve = [&](int32_t ordinal, auto &function) {
        function = reinterpret_cast<std::remove_reference_t<decltype(function)>>(entry(ordinal));
        if (!function && !missing)
            missing = ordinal;
    };
    resolve(ZENDAT32_GREG_MONTH_DAYS, entries.gregDays);
    resolve(ZENDAT32_HIJRI_MONTH_DAYS, entries.hijriDays);
    resolve(ZENDAT32_WEEKDAY_OF, entries.weekday);
    resolve(ZENDAT32_CHECK_GREG_DATE, entries.checkGreg);
    resolve(ZENDAT32_CHECK_HIJRI_DATE, entries.checkHijri);
    resolve(ZENDAT32_HIJRI_TO_GREG, entries.hijriToGreg);
    resolve(ZENDAT32_GREG_TO_HIJRI, entries.gregToHijri);
    if (missing) {
        dlclose(handle);
        return failure(path, QStringLiteral("it has no entry point with ordinal %1").arg(missing));
    }
    std::unique_ptr<core::CalendarEngine> engine = std::make_unique<LibraryEngine>(handle, entries);
    return engine;
}

} // namespace platform
