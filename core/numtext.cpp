#include "numtext.h"

#include <QLocale>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace core {
namespace {

bool isSkipped(QChar c) { return c == u' ' || c == u'\t' || c == u'\n'; }

bool isAsciiDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// Walks the text one significant character at a time, skipping blanks.
class Reader {
public:
    explicit Reader(QStringView text) : text_(text) {}
    char16_t peek()
    {
        while (pos_ < text_.size() && isSkipped(text_[pos_]))
            ++pos_;
        return pos_ < text_.size() ? text_[pos_].unicode() : u'\0';
    }
    char16_t peekUpper()
    {
        const char16_t c = peek();
        return (c >= u'a' && c <= u'z') ? char16_t(c - u'a' + u'A') : c;
    }
    void next() { ++pos_; }

private:
    QStringView text_;
    qsizetype pos_ = 0;
};

int digitValue(char16_t c, int base)
{
    int value = 99;
    if (isAsciiDigit(c))
        value = c - u'0';
    else if (c >= u'A' && c <= u'F')
        value = c - u'A' + 10;
    else if (c >= u'a' && c <= u'f')
        value = c - u'a' + 10;
    return value < base ? value : -1;
}

double readRadix(Reader &in, int base)
{
    double value = 0;
    for (int digit; (digit = digitValue(in.peek(), base)) >= 0; in.next())
        value = value * base + digit; // grows to infinity for absurd lengths, never UB
    return value;
}

// Copies the decimal number's characters and converts them correctly
// rounded, in the C locale whatever the user's: the point is always "." and
// the exponent "E". Beyond a double's range the number is infinite when too
// large, and zero when too small even to be a denormal.
double readDecimal(Reader &in)
{
    bool negative = false;
    if (in.peek() == u'+' || in.peek() == u'-') {
        negative = in.peek() == u'-';
        in.next();
    }
    std::string number;
    bool mantissa = false;
    for (; isAsciiDigit(in.peek()); in.next(), mantissa = true)
        number += char(in.peek());
    if (in.peek() == u'.') {
        number += '.';
        in.next();
        for (; isAsciiDigit(in.peek()); in.next(), mantissa = true)
            number += char(in.peek());
    }
    if (!mantissa)
        return 0;
    if (in.peekUpper() == u'E') {
        in.next();
        bool negativeExponent = false;
        if (in.peek() == u'+' || in.peek() == u'-') {
            negativeExponent = in.peek() == u'-';
            in.next();
        }
        std::string digits;
        for (; isAsciiDigit(in.peek()); in.next())
            digits += char(in.peek());
        if (!digits.empty())
            number += (negativeExponent ? "e-" : "e") + digits;
    }
    const double value = QLocale::c().toDouble(QLatin1StringView(number.data(), qsizetype(number.size())));
    return negative ? -value : value;
}

template <typename Int> Int roundAndClamp(double value)
{
    constexpr double low = double(std::numeric_limits<Int>::min());
    constexpr double high = double(std::numeric_limits<Int>::max());
    const double rounded = std::nearbyint(value); // ties to even in the default mode
    if (std::isnan(rounded))
        return 0;
    if (rounded <= low)
        return std::numeric_limits<Int>::min();
    if (rounded >= high)
        return std::numeric_limits<Int>::max();
    return Int(rounded);
}

} // namespace

double ValOf(QStringView text)
{
    Reader in(text);
    if (in.peek() == u'&') {
        in.next();
        const char16_t prefix = in.peekUpper();
        if (prefix == u'H' || prefix == u'O') {
            in.next();
            return readRadix(in, prefix == u'H' ? 16 : 8);
        }
        return 0;
    }
    return readDecimal(in);
}

int32_t WholeNumber32(QStringView text) { return roundAndClamp<int32_t>(ValOf(text)); }
int16_t WholeNumber16(QStringView text) { return roundAndClamp<int16_t>(ValOf(text)); }

QString PlainNumber(int64_t value) { return QString::number(value); }

} // namespace core
