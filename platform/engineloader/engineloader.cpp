#include "engineloader.h"

#include "core/messages.h"
#include "engine/zendat32.h"

#include <QDir>
#include <QFileInfo>
#include <dlfcn.h>

namespace platform {
namespace {

using EntryFn = void *(*)(int32_t);

// The engine reached through the library's entry points.
class LibraryEngine final : public core::CalendarEngine {
public:
    LibraryEngine(void *handle, zendat32_month_days_fn gregDays, zendat32_month_days_fn hijriDays,
                  zendat32_weekday_fn weekday, zendat32_check_fn checkGreg, zendat32_check_fn checkHijri,
                  zendat32_convert_fn hijriToGreg, zendat32_convert_fn gregToHijri)
        : handle_(handle), gregDays_(gregDays), hijriDays_(hijriDays), weekday_(weekday), checkGreg_(checkGreg),
          checkHijri_(checkHijri), hijriToGreg_(hijriToGreg), gregToHijri_(gregToHijri)
    {}
    ~LibraryEngine() override { dlclose(handle_); }
    LibraryEngine(const LibraryEngine &) = delete;
    LibraryEngine &operator=(const LibraryEngine &) = delete;

    int32_t GregMonthDays(int32_t year, int32_t month) const override { return gregDays_(&year, &month); }
    int32_t HijriMonthDays(int32_t year, int32_t month) const override { return hijriDays_(&year, &month); }
    int32_t WeekDayOf(int32_t year, int32_t month, int32_t day) const override
    {
        int32_t weekday = 0;
        weekday_(&year, &month, &day, &weekday);
        return weekday;
    }
    bool CheckGregDate(int32_t year, int32_t month, int32_t day) const override
    {
        return checkGreg_(&year, &month, &day) == 1;
    }
    bool CheckHijriDate(int32_t year, int32_t month, int32_t day) const override
    {
        return checkHijri_(&year, &month, &day) == 1;
    }
    core::Ymd HijriToGreg(int32_t year, int32_t month, int32_t day) const override
    {
        core::Ymd out;
        hijriToGreg_(&year, &month, &day, &out.year, &out.month, &out.day);
        return out;
    }
    core::Ymd GregToHijri(int32_t year, int32_t month, int32_t day) const override
    {
        core::Ymd out;
        gregToHijri_(&year, &month, &day, &out.year, &out.month, &out.day);
        return out;
    }

private:
    void *handle_;
    zendat32_month_days_fn gregDays_;
    zendat32_month_days_fn hijriDays_;
    zendat32_weekday_fn weekday_;
    zendat32_check_fn checkGreg_;
    zendat32_check_fn checkHijri_;
    zendat32_convert_fn hijriToGreg_;
    zendat32_convert_fn gregToHijri_;
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
    constexpr int32_t ordinals[]
        = {ZENDAT32_GREG_MONTH_DAYS,  ZENDAT32_HIJRI_MONTH_DAYS, ZENDAT32_WEEKDAY_OF,   ZENDAT32_CHECK_GREG_DATE,
           ZENDAT32_CHECK_HIJRI_DATE, ZENDAT32_HIJRI_TO_GREG,    ZENDAT32_GREG_TO_HIJRI};
    void *found[std::size(ordinals)];
    for (std::size_t i = 0; i < std::size(ordinals); ++i) {
        found[i] = entry(ordinals[i]);
        if (!found[i]) {
            dlclose(handle);
            return failure(path, QStringLiteral("it has no entry point with ordinal %1").arg(ordinals[i]));
        }
    }
    std::unique_ptr<core::CalendarEngine> engine = std::make_unique<LibraryEngine>(
        handle, reinterpret_cast<zendat32_month_days_fn>(found[0]), reinterpret_cast<zendat32_month_days_fn>(found[1]),
        reinterpret_cast<zendat32_weekday_fn>(found[2]), reinterpret_cast<zendat32_check_fn>(found[3]),
        reinterpret_cast<zendat32_check_fn>(found[4]), reinterpret_cast<zendat32_convert_fn>(found[5]),
        reinterpret_cast<zendat32_convert_fn>(found[6]));
    return engine;
}

} // namespace platform
