// Every text a box can hold, read into 32 and 16 bits: the nearest integer
// (halves to even), or the limit beyond the range, reading the same once
// written back; blanks, tabs and line feeds put anywhere change nothing.
// A decimal number reads bit for bit as the C library reads it in the "C"
// locale, while the process runs under a decimal-comma locale.
#include "core/numtext.h"

#include <bit>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <locale.h>
#include <string>

namespace {

locale_t cLocale = nullptr;

template <typename Int> bool isWholeNumberOf(const QString &text, Int whole)
{
    const double value = core::ValOf(text);
    const double off = std::fabs(value - double(whole));
    const bool nearest = off < 0.5 || (off == 0.5 && whole % 2 == 0);
    if (value >= std::numeric_limits<Int>::max() || value <= std::numeric_limits<Int>::min())
        return whole == (value > 0 ? std::numeric_limits<Int>::max() : std::numeric_limits<Int>::min());
    return nearest && core::WholeNumber32(core::PlainNumber(whole)) == whole;
}

bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// The text without its blanks, tabs and line feeds, when it starts as a
// decimal number (a sign, then a digit or the point): the one form that
// strtod and the reader share. strtod's own forms, "0x", "inf" and "nan",
// and the reader's "&H" and "&O" are left out.
bool decimalForm(const QString &text, std::string &out)
{
    for (QChar c : text)
        if (c != u' ' && c != u'\t' && c != u'\n')
            out += c.unicode() < 0x80 ? char(c.unicode()) : '?'; // any other character ends both readings
    const size_t start = (!out.empty() && (out[0] == '+' || out[0] == '-')) ? 1 : 0;
    if (start >= out.size() || !(isAsciiDigit(out[start]) || out[start] == '.'))
        return false;
    const bool hexadecimal = out[start] == '0' && start + 1 < out.size() && (out[start + 1] | 0x20) == 'x';
    return !hexadecimal;
}

bool readsAsStrtod(const QString &text, double value)
{
    std::string decimal;
    if (!decimalForm(text, decimal))
        return true;
    const double expected = strtod_l(decimal.c_str(), nullptr, cLocale);
    return std::bit_cast<uint64_t>(value) == std::bit_cast<uint64_t>(expected);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    if (!cLocale || !std::setlocale(LC_ALL, "de_DE.UTF-8") || std::localeconv()->decimal_point != std::string(","))
        std::abort(); // tools/install-deps makes the locale: without it the run would test nothing
    return 0;
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
            || std::isnan(value) || value != core::ValOf(spread) || !readsAsStrtod(text, value))
            std::abort();
    }
    return 0;
}
