// The month layout with an engine that answers anything: no cell outside the
// grid, consecutive days, keys that only grow, and only the laid cells written.
#include "core/monthlayout.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>

static void require(bool holds)
{
    if (!holds)
        std::abort();
}

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

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 3)
        return 0;
    const core::Lead lead = data[0] & 1 ? core::Lead::Hijri : core::Lead::Gregorian;
    // Years at the edges of what the program knows when the high bit is set.
    static constexpr int32_t edges[] = {622, 1582, 1, 2000, 2562, 990, 0, -1, INT32_MAX, INT32_MIN, 2024, 1445};
    const int32_t year = data[1] & 0x80 ? edges[(data[1] & 0x7F) % std::size(edges)] : 1400 + data[1];
    ScriptedEngine engine(data + 3, size - 3);
    const core::MonthLayout page = core::LayMonth(engine, lead, year, int32_t(data[2] % 16) - 1);
    if (!page.valid)
        return 0;
    require(page.FirstCell >= 1 && page.LastCell <= core::CellCount && page.FirstCell <= page.LastCell
            && page.cellOfDay(0) == 0 && page.cellOfDay(page.last().leadDay + 1) == 0);
    for (int n = page.FirstCell; n <= page.LastCell; ++n) {
        const core::LaidCell &cell = page.cells[std::size_t(n)];
        const core::LaidCell &before = page.cells[std::size_t(n - 1)];
        const bool next = cell.leadDay == before.leadDay + 1 || (before.leadDay == 4 && cell.leadDay == 15);
        require(cell.monthKey >= 0 && cell.monthKey <= 2 && page.cellOfDay(cell.leadDay) == n
                && (n == page.FirstCell || (next && cell.monthKey >= before.monthKey)));
    }
    core::DayCellTable table;
    core::FillDayCells(table, page, core::CellTextStyle::Paper);
    for (int n = 1; n <= core::CellCount; ++n) {
        const bool laid = n >= page.FirstCell && n <= page.LastCell;
        const int32_t otherMonth = lead == core::Lead::Gregorian ? table[n].HijriMonth : table[n].GregMonth;
        require(table[n].GregDayText.isEmpty() != laid && (!laid || (otherMonth >= 1 && otherMonth <= 12)));
    }
    return 0;
}
