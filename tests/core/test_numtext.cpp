// Reading the number a box holds, as every window reads its boxes.
#include "core/numtext.h"

#include <QTest>
#include <limits>

class TestNumText : public QObject {
    Q_OBJECT
private slots:
    void wholeNumbers_data();
    void wholeNumbers();
    void clampsBeyondTheInteger_data();
    void clampsBeyondTheInteger();
    void hostileTextsNeverBreak();
    void plainNumber();
};

void TestNumText::wholeNumbers_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("leading blank") << " 07" << 7;
    QTest::newRow("half up to even") << "7.5" << 8;
    QTest::newRow("half down to even") << "6.5" << 6;
    QTest::newRow("2.5") << "2.5" << 2;
    QTest::newRow("3.5") << "3.5" << 4;
    QTest::newRow("-2.5") << "-2.5" << -2;
    QTest::newRow("not half") << "2.51" << 3;
    QTest::newRow("hex") << "&H0C" << 12;
    QTest::newRow("hex lower case") << "&h1f" << 31;
    QTest::newRow("octal") << "&O17" << 15;
    QTest::newRow("octal stops at 8") << "&O78" << 7;
    QTest::newRow("letters") << "abc" << 0;
    QTest::newRow("trailing letter") << " 7x" << 7;
    QTest::newRow("blanks between digits") << "1 9\t9\n9" << 1999;
    QTest::newRow("sign") << "-12" << -12;
    QTest::newRow("plus sign") << "+12" << 12;
    QTest::newRow("sign alone") << "-" << 0;
    QTest::newRow("two signs") << "--5" << 0;
    QTest::newRow("empty") << "" << 0;
    QTest::newRow("blanks only") << "   " << 0;
    QTest::newRow("point alone") << "." << 0;
    QTest::newRow("leading point") << ".6" << 1;
    QTest::newRow("exponent") << "1.2E3" << 1200;
    QTest::newRow("exponent lower case") << "5e-1" << 0;
    QTest::newRow("exponent without digits") << "12E" << 12;
    QTest::newRow("exponent sign without digits") << "12E+" << 12;
    QTest::newRow("hex without digits") << "&H" << 0;
    QTest::newRow("ampersand alone") << "&5" << 0;
    QTest::newRow("Arabic-Indic digits are not digits") << QString::fromUtf8("٣") << 0;
    QTest::newRow("second point ends") << "1.5.5" << 2;
    QTest::newRow("comma ends") << "1,5" << 1;
}

void TestNumText::wholeNumbers()
{
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(core::WholeNumber32(text), expected);
    QCOMPARE(core::WholeNumber16(text), int16_t(expected));
}

void TestNumText::clampsBeyondTheInteger_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("expected32");
    QTest::addColumn<int>("expected16");
    constexpr qint64 max32 = std::numeric_limits<int32_t>::max();
    constexpr qint64 min32 = std::numeric_limits<int32_t>::min();
    QTest::newRow("just above 16 bits") << "32768" << qint64(32768) << 32767;
    QTest::newRow("just below 16 bits") << "-32769" << qint64(-32769) << -32768;
    QTest::newRow("int32 max") << "2147483647" << max32 << 32767;
    QTest::newRow("int32 max + 1") << "2147483648" << max32 << 32767;
    QTest::newRow("int32 min") << "-2147483648" << min32 << -32768;
    QTest::newRow("int32 min - 1") << "-2147483649" << min32 << -32768;
    QTest::newRow("1E999") << "1E999" << max32 << 32767;
    QTest::newRow("-1E999") << "-1E999" << min32 << -32768;
    QTest::newRow("tiny") << "1E-999" << qint64(0) << 0;
    QTest::newRow("huge exponent digits") << "1E99999999999999999999" << max32 << 32767;
    QTest::newRow("hex 40 digits") << "&H" + QString(40, u'F') << max32 << 32767;
    QTest::newRow("octal 40 digits") << "&O" + QString(40, u'7') << max32 << 32767;
    QTest::newRow("hex beyond 16 bits") << "&HFFFF" << qint64(65535) << 32767;
    QTest::newRow("10,000 digits") << QString(10000, u'9') << max32 << 32767;
    QTest::newRow("10,000 minus digits") << "-" + QString(10000, u'9') << min32 << -32768;
}

void TestNumText::clampsBeyondTheInteger()
{
    QFETCH(QString, text);
    QFETCH(qint64, expected32);
    QFETCH(int, expected16);
    QCOMPARE(qint64(core::WholeNumber32(text)), expected32);
    QCOMPARE(int(core::WholeNumber16(text)), expected16);
}

void TestNumText::hostileTextsNeverBreak()
{
    const QStringList texts = {
        QString(10000, u'.'), QString(10000, u'&'), "&H" + QString(10000, u'1'),
        "1E" + QString(10000, u'9'), "1E-" + QString(10000, u'9'), QString::fromUtf8("١٢٣"),
        QString::fromUtf8("שנה"), QString::fromUtf8("\u202e12"), QStringLiteral("NaN"),
        QStringLiteral("Infinity"), QStringLiteral("inf"), QString(QChar(0)) + "5",
        QStringLiteral("0x1F"), QString(5000, u' ') + "3",
    };
    for (const QString &text : texts) {
        const int32_t value = core::WholeNumber32(text);
        QVERIFY2(value == 0 || value == 3 || value == std::numeric_limits<int32_t>::max()
                     || value == std::numeric_limits<int32_t>::min(),
                 qPrintable(text.left(20)));
    }
    QCOMPARE(core::WholeNumber32(QStringLiteral("NaN")), 0);
    QCOMPARE(core::WholeNumber32(QStringLiteral("0x1F")), 0);
    QCOMPARE(core::WholeNumber32(QString(5000, u' ') + "3"), 3);
}

void TestNumText::plainNumber()
{
    QCOMPARE(core::PlainNumber(7), QStringLiteral("7"));
    QCOMPARE(core::PlainNumber(0), QStringLiteral("0"));
    QCOMPARE(core::PlainNumber(-12), QStringLiteral("-12"));
    QCOMPARE(core::PlainNumber(std::numeric_limits<int32_t>::min()), QStringLiteral("-2147483648"));
    // Reading back the written text gives the same number.
    for (int32_t v : {1, -1, 2562, std::numeric_limits<int32_t>::max()})
        QCOMPARE(core::WholeNumber32(core::PlainNumber(v)), v);
}

QTEST_GUILESS_MAIN(TestNumText)
#include "test_numtext.moc"
