// Every text a box can hold, read into 32 and 16 bits; blanks, tabs and
// line feeds put anywhere change nothing.
#include "core/numtext.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace {

template <typename Int>
void checkWholeNumber(const QString &text, Int whole)
{
    const double value = core::ValOf(text);
    constexpr double low = std::numeric_limits<Int>::min();
    constexpr double high = std::numeric_limits<Int>::max();
    if (value > low && value < high) {
        // Inside the integer's range the whole number is the nearest integer, halves to even.
        const double off = std::fabs(value - double(whole));
        if (off > 0.5 || (off == 0.5 && whole % 2 != 0))
            std::abort();
    } else if (value >= high && whole != std::numeric_limits<Int>::max()) {
        std::abort();
    } else if (value <= low && whole != std::numeric_limits<Int>::min()) {
        std::abort();
    }
    // Written back as plain text, the number reads the same.
    if (core::WholeNumber32(core::PlainNumber(whole)) != whole)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString utf8 = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString utf16(reinterpret_cast<const QChar *>(data), qsizetype(size / 2));
    for (const QString &text : {utf8, utf16}) {
        checkWholeNumber(text, core::WholeNumber32(text));
        checkWholeNumber(text, core::WholeNumber16(text));
        QString spread; // a blank, a tab or a line feed after every character
        for (qsizetype i = 0; i < text.size(); ++i) {
            spread += text[i];
            spread += u" \t\n"[i % 3];
        }
        const double value = core::ValOf(text);
        if (std::isnan(value) || value != core::ValOf(spread))
            std::abort();
    }
    return 0;
}
