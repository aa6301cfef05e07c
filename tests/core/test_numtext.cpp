// Reading the number a box holds, as every window reads its boxes.
#include "core/numtext.h"

#include <QTest>
#include <algorithm>
#include <limits>

class TestNumText : public QObject {
    Q_OBJECT
private slots:
    void wholeNumbers_data();
    void wholeNumbers();
    void plainNumberReadsBack();
};

// The 32-bit reading, and the 16-bit one clamped to its own limits.
void TestNumText::wholeNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("expected");
    constexpr qint64 max32 = std::numeric_limits<int32_t>::max(), min32 = std::numeric_limits<int32_t>::min();
    const struct {
        const char *name;
        QString text;
        qint64 expected;
    } rows[] = {
        {"leading blank", " 07", 7},      {"half up to even", "7.5", 8},    {"half down to even", "6.5", 6},
        {"-2.5", "-2.5", -2},             {"not half", "2.51", 3},          {"hex", "&H0C", 12},
        {"hex lower", "&h1f", 31},        {"octal", "&O17", 15},            {"octal stops at 8", "&O78", 7},
        {"letters", "abc", 0},            {"trailing letter", " 7x", 7},    {"blanks between", "1 9\t9\n9", 1999},
        {"sign", "-12", -12},             {"plus", "+12", 12},              {"sign alone", "-", 0},
        {"two signs", "--5", 0},          {"empty", "", 0},                 {"point alone", ".", 0},
        {"leading point", ".6", 1},       {"exponent", "1.2E3", 1200},      {"exponent lower", "5e-1", 0},
        {"exponent no digits", "12E", 12}, {"exponent sign alone", "12E+", 12}, {"hex no digits", "&H", 0},
        {"second point", "1.5.5", 2},     {"comma ends", "1,5", 1},         {"0x is not hex", "0x1F", 0},
        {"NaN", "NaN", 0},                {"Arabic-Indic digits", QString::fromUtf8("٣"), 0},
        {"5000 blanks", QString(5000, u' ') + "3", 3},
        {"16-bit max + 1", "32768", 32768}, {"16-bit min - 1", "-32769", -32769},
        {"int32 max", "2147483647", max32}, {"int32 max + 1", "2147483648", max32},
        {"int32 min", "-2147483648", min32}, {"int32 min - 1", "-2147483649", min32},
        {"1E999", "1E999", max32},        {"-1E999", "-1E999", min32},     {"1E-999", "1E-999", 0},
        {"exponent 10,000 digits", "1E" + QString(10000, u'9'), max32},
        {"hex 40 digits", "&H" + QString(40, u'F'), max32}, {"octal 40 digits", "&O" + QString(40, u'7'), max32},
        {"10,000 digits", QString(10000, u'9'), max32}, {"-10,000 digits", "-" + QString(10000, u'9'), min32},
        {"10,000 points", QString(10000, u'.'), 0},
    };
    for (const auto &r : rows)
        QTest::newRow(r.name) << r.text << r.expected;
}

void TestNumText::wholeNumbers()
{
    QFETCH(QString, text);
    QFETCH(qint64, expected);
    QCOMPARE(qint64(core::WholeNumber32(text)), expected);
    QCOMPARE(qint64(core::WholeNumber16(text)), std::clamp<qint64>(expected, -32768, 32767));
}

void TestNumText::plainNumberReadsBack()
{
    QCOMPARE(core::PlainNumber(-12), QStringLiteral("-12"));
    QCOMPARE(core::PlainNumber(std::numeric_limits<int32_t>::min()), QStringLiteral("-2147483648"));
    for (int32_t v : {0, 1, -1, 2562, std::numeric_limits<int32_t>::max()})
        QCOMPARE(core::WholeNumber32(core::PlainNumber(v)), v);
}

QTEST_GUILESS_MAIN(TestNumText)
#include "test_numtext.moc"
