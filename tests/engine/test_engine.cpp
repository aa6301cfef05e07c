// The calendar engine against Qt's QCalendar (Julian, Gregorian,
// IslamicCivil), whose Hijri epoch is the engine's: Friday 16 July 622 Julian.
#include "engine/zendat32.h"

#include <QCalendar>
#include <QDate>
#include <QTest>

namespace {

struct Date {
    int32_t y = 0, m = 0, d = 0;
    bool operator==(const Date &) const = default;
};
QString str(const Date &x) { return QStringLiteral("%1-%2-%3").arg(x.y).arg(x.m).arg(x.d); }
Date convert(zendat32_convert_fn fn, const Date x)
{
    Date out;
    fn(&x.y, &x.m, &x.d, &out.y, &out.m, &out.d);
    return out;
}
Date toHijri(const Date g) { return convert(GregToHijri, g); }
Date toGreg(const Date h) { return convert(HijriToGreg, h); }
int32_t checkGreg(const Date g) { return CheckGregDate(&g.y, &g.m, &g.d); }
int32_t checkHijri(const Date h) { return CheckHijriDate(&h.y, &h.m, &h.d); }
int32_t gregDays(const int32_t y, const int32_t m) { return GregMonthDays(&y, &m); }
int32_t hijriDays(const int32_t y, const int32_t m) { return HijriMonthDays(&y, &m); }
Date parts(const QCalendar::YearMonthDay &p) { return {p.year, p.month, p.day}; }

const QCalendar julian(QCalendar::System::Julian);
const QCalendar gregorian(QCalendar::System::Gregorian);
const QCalendar islamic(QCalendar::System::IslamicCivil);

} // namespace

class TestEngine : public QObject {
    Q_OBJECT
private slots:
    // Every day from 1 AH to 2600 both ways, then every 11th day and the last 400
    // days up to 31 December 9999, with its weekday; each month's length on its 1st.
    void againstQCalendar()
    {
        const qint64 epochJd = QDate(622, 7, 16, julian).toJulianDay();
        const qint64 reformJd = QDate(1582, 10, 15, gregorian).toJulianDay();
        const qint64 end2600 = QDate(2600, 12, 31, gregorian).toJulianDay();
        const qint64 lastJd = QDate(9999, 12, 31, gregorian).toJulianDay();
        QStringList bad;
        // On a month's 1st: its length, and the day after its last refused.
        const auto checkMonth = [&](const Date &x, int32_t length, int32_t expected, decltype(checkGreg) check) {
            if (x.d == 1 && (length != expected || check({x.y, x.m, length + 1}) == 1))
                bad << QStringLiteral("month of %1 has %2 days").arg(str(x)).arg(length);
        };
        for (qint64 jd = epochJd; jd <= lastJd && bad.size() < 8; jd += (jd < end2600 || jd > lastJd - 400) ? 1 : 11) {
            const QDate date = QDate::fromJulianDay(jd);
            const QCalendar &side = jd < reformJd ? julian : gregorian;
            const Date g = parts(side.partsFromDate(date));
            const Date h = parts(islamic.partsFromDate(date));
            if (toHijri(g) != h || toGreg(h) != g || checkGreg(g) != 1 || checkHijri(h) != 1)
                bad << QStringLiteral("%1 = AH %2, not %3 / %4").arg(str(g), str(h), str(toHijri(g)), str(toGreg(h)));
            int32_t weekday = -1;
            WeekDayOf(&g.y, &g.m, &g.d, &weekday);
            if (weekday != date.dayOfWeek() % 7)
                bad << QStringLiteral("weekday of %1: %2").arg(str(g)).arg(weekday);
            checkMonth(g, gregDays(g.y, g.m), side.daysInMonth(g.m, g.y), checkGreg);
            checkMonth(h, hijriDays(h.y, h.m), islamic.daysInMonth(h.m, h.y), checkHijri);
        }
        QVERIFY2(bad.isEmpty(), qPrintable(bad.join("; ")));
    }

    // The days before the Hijri era and after 9999, the ten days October 1582 never had, and months 0 and 13.
    void refusedDatesAndMonth13()
    {
        QCOMPARE(checkGreg({622, 7, 15}), 0);
        QCOMPARE(checkHijri({0, 12, 29}), 0);
        QCOMPARE(checkGreg({10000, 1, 1}), 0);
        QCOMPARE(checkHijri(parts(islamic.partsFromDate(QDate(10000, 1, 1)))), 0);
        for (int32_t d = 5; d <= 14; ++d)
            QCOMPARE(checkGreg({1582, 10, d}), 0);
        for (const Date &x : {Date{1445, 0, 1}, Date{1445, 13, 1}, Date{1445, 1, 0}, Date{-1, 1, 1}})
            QVERIFY2(checkGreg(x) != 1 && checkHijri(x) != 1, qPrintable(str(x)));
        // Month 13 is January of the next year to the lengths, as a page asks for it.
        QCOMPARE(gregDays(2024, 13), 31);
        QCOMPARE(hijriDays(1445, 13), islamic.daysInMonth(1, 1446));
    }
};

QTEST_GUILESS_MAIN(TestEngine)
#include "test_engine.moc"
