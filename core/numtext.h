// Reading the number a text box holds and writing a number back as text.
#pragma once

#include <QString>
#include <QStringView>
#include <cstdint>

namespace core {

// The number at the start of the text, read the classic way: blanks, tabs
// and line feeds are skipped wherever they stand; then an optional sign,
// digits, a decimal point with digits and an exponent ("E", sign, digits),
// or "&H" hexadecimal / "&O" octal digits. The first character that fits
// none of this ends the number; a text with no number reads as 0. May be
// infinite for a text such as "1E999".
double ValOf(QStringView text);

// The whole number of a field: ValOf rounded to the nearest integer (halves
// to even), clamped to the integer's limits when it lies beyond them.
int32_t WholeNumber32(QStringView text);
int16_t WholeNumber16(QStringView text);

// Plain decimal text: digits, a leading "-" when negative, nothing else.
QString PlainNumber(int64_t value);

} // namespace core
