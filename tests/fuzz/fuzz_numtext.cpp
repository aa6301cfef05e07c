// Every text a box can hold, read into 32 and 16 bits: the nearest integer
// (halves to even), or the limit beyond the range, reading the same once
// written back; blanks, tabs and line feeds put anywhere change nothing.
#include "core/numtext.h"

#include <cmath>
#include <cstdlib>
#include <limits>

template <typename Int> bool isWholeNumberOf(const QString &text, Int whole)
{
    const double value = core::ValOf(text);
    const double off = std::fabs(value - double(whole));
    const bool nearest = off < 0.5 || (off == 0.5 && whole % 2 == 0);
    if (value >= std::numeric_limits<Int>::max() || value <= std::numeric_limits<Int>::min())
        return whole == (value > 0 ? std::numeric_limits<Int>::max() : std::numeric_limits<Int>::min());
    return nearest && core::WholeNumber32(core::PlainNumber(whole)) == whole;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString utf8 = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString utf16(reinterpret_cast<const QChar *>(data), qsizetype(size / 2));
    for (const QString &text : {utf8, utf16}) {
        QString spread; // a blank, a tab or a line feed after every character
        for (qsizetype i = 0; i < text.size(); ++i) {
            spread += text[i];
            spread += u" \t\n"[i % 3];
        }
        const double value = core::ValOf(text);
        if (!isWholeNumberOf(text, core::WholeNumber32(text)) || !isWholeNumberOf(text, core::WholeNumber16(text))
            || std::isnan(value) || value != core::ValOf(spread))
            std::abort();
    }
    return 0;
}
