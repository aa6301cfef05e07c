// The month layout with an engine answering anything: cells in the grid (the table refuses others), consecutive
// days, keys that only grow, the other calendar's months real ones, and only the laid cells written. Each answer
// is a byte as a small number, so that real-looking months come up, or the four after a byte of 0xF0 or more.
#include "core/monthlayout.h"

#include <cstdlib>
#include <cstring>
#include <utility>

struct Scripted final : core::CalendarEngine {
    Scripted(const uint8_t *data, size_t size) : at(data), end(data + size) {}
    int32_t GregMonthDays(int32_t, int32_t) const override { return next(); }
    int32_t HijriMonthDays(int32_t, int32_t) const override { return next(); }
    int32_t WeekDayOf(int32_t, int32_t, int32_t) const override { return next(); }
    bool CheckGregDate(int32_t, int32_t, int32_t) const override { return next() & 1; }
    bool CheckHijriDate(int32_t, int32_t, int32_t) const override { return next() & 1; }
    core::Ymd HijriToGreg(int32_t, int32_t, int32_t) const override { return {next(), next(), next()}; }
    core::Ymd GregToHijri(int32_t, int32_t, int32_t) const override { return {next(), next(), next()}; }
    int32_t next() const
    {
        int32_t whole = 0;
        const size_t n = at < end && *at >= 0xF0 ? qMin<size_t>(4, end - ++at) : 0;
        std::memcpy(&whole, std::exchange(at, at + n), n);
        return n ? whole : at < end ? *at++ % 40 - 2 : 1;
    }
    mutable const uint8_t *at, *end;
};

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static constexpr int32_t years[] = {622, 1582, 1, 2000, 2562, 990, 0, -1, INT32_MAX, INT32_MIN, 2024, 1445};
    if (size < 3)
        return 0;
    const int32_t year = data[1] & 0x80 ? years[(data[1] & 0x7F) % std::size(years)] : 1400 + data[1];
    const auto page = core::LayMonth(Scripted(data + 3, size - 3), core::Lead(data[0] & 1), year, data[2] % 16 - 1);
    core::DayCellTable table;
    core::FillDayCells(table, page, core::CellTextStyle::Paper);
    if (page.valid && page.FirstCell > page.LastCell)
        std::abort();
    for (int n = 1; n <= core::CellCount; ++n) {
        const core::LaidCell &c = page.cells[n], &p = page.cells[n - 1];
        const bool laid = page.valid && n >= page.FirstCell && n <= page.LastCell, first = n == page.FirstCell;
        const int32_t month = core::sideOf(table[n], core::otherCalendar(page.lead)).month;
        const bool next = first || c.leadDay == p.leadDay + 1 || (p.leadDay == 4 && c.leadDay == 15);
        const bool sound = next && page.cellOfDay(c.leadDay) == n && c.leadDay >= 1 && month >= 1 && month <= 12
            && c.monthKey >= (first ? 0 : p.monthKey) && c.monthKey <= 2;
        if (table[n].GregDayText.isEmpty() == laid || (laid && !sound))
            std::abort();
    }
    return 0;
}
