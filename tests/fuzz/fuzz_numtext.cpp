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
        // Inside the integer's range the whole number is the nearest integer.
        if (std::fabs(value - double(whole)) > 0.5)
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

// The text with a blank, a tab or a line feed after every character.
QString spreadOut(const QString &text)
{
    static const QChar blanks[] = {u' ', u'\t', u'\n'};
    QString spread;
    for (qsizetype i = 0; i < text.size(); ++i)
        spread += text[i], spread += blanks[i % 3];
    return spread;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString utf8 = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString utf16(reinterpret_cast<const QChar *>(data), qsizetype(size / 2));
    for (const QString &text : {utf8, utf16}) {
        const int32_t whole32 = core::WholeNumber32(text);
        const int16_t whole16 = core::WholeNumber16(text);
        checkWholeNumber(text, whole32);
        checkWholeNumber(text, whole16);
        // The 16-bit reading is the 32-bit one clamped, once halves are settled.
        const int32_t clamped = std::clamp<int32_t>(whole32, INT16_MIN, INT16_MAX);
        if (clamped != whole16 && whole32 > INT16_MIN && whole32 < INT16_MAX)
            std::abort();
        const double value = core::ValOf(text);
        const double spread = core::ValOf(spreadOut(text));
        if (std::isnan(value) || std::isnan(spread) || value != spread)
            std::abort();
    }
    return 0;
}
