// Any text in a box, under de_DE.UTF-8 (tools/install-deps makes it): the nearest whole number (halves to even) or
// the limit, the same written back; blanks change nothing; decimal numbers read bit for bit as strtod's in "C".
#include "core/numtext.h"

#include <QRegularExpression>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>

template <typename Int> static bool isWholeNumberOf(double value, Int whole)
{
    using Limits = std::numeric_limits<Int>;
    const double limit = value > 0 ? Limits::max() : Limits::min(), off = std::fabs(value - whole);
    if (std::fabs(value) >= std::fabs(limit))
        return whole == limit;
    return (off < 0.5 || (off == 0.5 && whole % 2 == 0)) && core::WholeNumber32(core::PlainNumber(whole)) == whole;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const locale_t c = setlocale(LC_ALL, "de_DE.UTF-8") ? newlocale(LC_ALL_MASK, "C", 0) : (abort(), nullptr);
    static const QRegularExpression blanks("[ \t\n]"), decimal("^[+-]?(?!0[xX])[0-9.]"); // strtod reads 0x as hex
    for (const QString &text : {QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(size)),
                                QString(reinterpret_cast<const QChar *>(data), qsizetype(size / 2))}) {
        const QString plain = QString(text).remove(blanks), spread = text.split(QString()).join(" \t\n");
        const double value = core::ValOf(text), classic = strtod_l(plain.toLatin1().constData(), nullptr, c);
        if (!isWholeNumberOf(value, core::WholeNumber32(text)) || !isWholeNumberOf(value, core::WholeNumber16(text))
            || std::isnan(value) || value != core::ValOf(spread)
            || (decimal.match(plain).hasMatch() && std::bit_cast<quint64>(value) != std::bit_cast<quint64>(classic)))
            std::abort();
    }
    return 0;
}
