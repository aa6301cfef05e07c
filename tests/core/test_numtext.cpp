// Reading the number a box holds, as every window reads its boxes.
#include "core/numtext.h"

#include <QTest>
#include <algorithm>
#include <limits>

class TestNumText : public QObject {
    Q_OBJECT
private slots:
    // The 32-bit reading, the 16-bit one clamped to its own limits, and the plain text written back.
    void wholeNumbers_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("expected");
        constexpr qint64 max32 = std::numeric_limits<int32_t>::max(), min32 = std::numeric_limits<int32_t>::min();
        const std::pair<QString, qint64> rows[] = {
            // Blanks anywhere, signs, halves to even, the first character that fits nothing ends the number.
            {" 1 9\t9\n9", 1999},
            {"+12", 12},
            {"--5", 0},
            {"", 0},
            {".", 0},
            {".6", 1},
            {"7.5", 8},
            {"6.5", 6},
            {"-2.5", -2},
            {"1.5.5", 2},
            {" 7x", 7},
            {"1,5", 1},
            {"0x1F", 0},
            {"NaN", 0},
            {QString::fromUtf8("٣"), 0},
            // Exponents, &H and &O.
            {"1.2E3", 1200},
            {"5e-1", 0},
            {"12E", 12},
            {"12E+", 12},
            {"&h1F", 31},
            {"&O78", 7},
            {"&H", 0},
            // Clamped to 16 and to 32 bits.
            {"32768", 32768},
            {"-32769", -32769},
            {"2147483648", max32},
            {"-2147483648", min32},
            {"-2147483649", min32},
            {"1E999", max32},
            {"-1E999", min32},
            {"1E-999", 0},
            {QString(10000, u'9'), max32},
            {"1E" + QString(10000, u'9'), max32},
            {"&H" + QString(40, u'F'), max32},
            {"&O" + QString(40, u'7'), max32},
            {QString(10000, u'.'), 0},
            {QString(5000, u' ') + "3", 3},
        };
        int row = 0;
        for (const auto &[text, expected] : rows)
            QTest::addRow("%d %s", ++row, qPrintable(text.left(12).simplified())) << text << expected;
    }

    void wholeNumbers()
    {
        QFETCH(QString, text);
        QFETCH(qint64, expected);
        QCOMPARE(qint64(core::WholeNumber32(text)), expected);
        QCOMPARE(qint64(core::WholeNumber16(text)), std::clamp<qint64>(expected, -32768, 32767));
        QCOMPARE(core::PlainNumber(core::WholeNumber32(text)), QString::number(expected));
    }
};

QTEST_GUILESS_MAIN(TestNumText)
#include "test_numtext.moc"
