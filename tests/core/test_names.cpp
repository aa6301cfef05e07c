// Month and weekday names.
#include "core/names.h"

#include <QTest>

class TestNames : public QObject {
    Q_OBJECT
private slots:
    // The spelling users see ("Thu", a straight apostrophe); a page draws the month its box holds before
    // anything checks it, so numbers out of range give no name.
    void names()
    {
        QCOMPARE(core::HijriMonthName(11), QStringLiteral("Thu Al-Qa'dah"));
        for (int32_t month : {0, 13, INT32_MIN, INT32_MAX})
            QVERIFY(core::GregMonthName(month).isEmpty() && core::HijriMonthName(month).isEmpty());
        for (int32_t weekday : {7, -1, INT32_MIN, INT32_MAX})
            QVERIFY(core::WeekDayName(weekday).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestNames)
#include "test_names.moc"
