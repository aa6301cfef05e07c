// The month layout with an engine that answers anything: no record outside
// the 42 cells is written and no cell lies outside the grid.
#include "core/monthlayout.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// Answers each question with the next values of the fuzz input.
class ScriptedEngine final : public core::CalendarEngine {
public:
    ScriptedEngine(const uint8_t *data, size_t size) : data_(data), size_(size) {}
    int32_t GregMonthDays(int32_t, int32_t) const override { return next(); }
    int32_t HijriMonthDays(int32_t, int32_t) const override { return next(); }
    int32_t WeekDayOf(int32_t, int32_t, int32_t) const override { return next(); }
    bool CheckGregDate(int32_t, int32_t, int32_t) const override { return next() & 1; }
    bool CheckHijriDate(int32_t, int32_t, int32_t) const override { return next() & 1; }
    core::Ymd HijriToGreg(int32_t, int32_t, int32_t) const override { return {next(), next(), next()}; }
    core::Ymd GregToHijri(int32_t, int32_t, int32_t) const override { return {next(), next(), next()}; }

private:
    // Small values most of the time, so that real-looking months come up.
    int32_t next() const
    {
        if (pos_ >= size_)
            return 1;
        const uint8_t tag = data_[pos_++];
        if (tag < 0xF0)
            return int32_t(tag % 40) - 2;
        int32_t value = 0;
        const size_t n = std::min<size_t>(4, size_ - pos_);
        std::memcpy(&value, data_ + pos_, n);
        pos_ += n;
        return value;
    }
    const uint8_t *data_;
    size_t size_;
    mutable size_t pos_ = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    const core::Lead lead = data[0] & 1 ? core::Lead::Hijri : core::Lead::Gregorian;
    // Years at the edges of what the program knows when the high bit is set.
    static constexpr int32_t edges[] = {622, 1582, 1, 2000, 2562, 990, 0, -1, INT32_MAX, INT32_MIN, 2024, 1445};
    const int32_t year = data[1] & 0x80 ? edges[(data[1] & 0x7F) % std::size(edges)] : 1400 + data[1];
    const int32_t month = int32_t(data[2] % 16) - 1;
    ScriptedEngine engine(data + 3, size - 3);
    const core::MonthLayout page = core::LayMonth(engine, lead, year, month);
    if (!page.valid)
        return 0;
    if (page.FirstCell < 1 || page.LastCell > core::CellCount || page.FirstCell > page.LastCell)
        std::abort();
    // Consecutive days (October 1582 jumps from 4 to 15), keys that only grow.
    for (int n = page.FirstCell; n <= page.LastCell; ++n) {
        const core::LaidCell &cell = page.cells[std::size_t(n)];
        if (cell.monthKey < 0 || cell.monthKey > 2 || page.cellOfDay(cell.leadDay) != n)
            std::abort();
        if (n > page.FirstCell) {
            const core::LaidCell &before = page.cells[std::size_t(n - 1)];
            const bool gap = before.leadDay == 4 && cell.leadDay == 15;
            if ((cell.leadDay != before.leadDay + 1 && !gap) || cell.monthKey < before.monthKey)
                std::abort();
        }
    }
    if (page.cellOfDay(0) != 0 || page.cellOfDay(page.last().leadDay + 1) != 0)
        std::abort();

    for (const core::CellTextStyle style : {core::CellTextStyle::Screen, core::CellTextStyle::Paper}) {
        core::DayCellTable table;
        core::FillDayCells(table, page, style);
        for (int n = 1; n <= core::CellCount; ++n) {
            const bool written = !table[n].GregDayText.isEmpty();
            if (written != (n >= page.FirstCell && n <= page.LastCell))
                std::abort();
            const int32_t otherMonth = lead == core::Lead::Gregorian ? table[n].HijriMonth : table[n].GregMonth;
            if (written && (otherMonth < 1 || otherMonth > 12))
                std::abort();
        }
    }
    return 0;
}
