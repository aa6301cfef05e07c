// The calendar engine against Qt's QCalendar (Julian, Gregorian,
// IslamicCivil), whose Hijri epoch is the engine's: Friday 16 July 622 Julian.
#include "engine/zendat32.h"

#include <QCalendar>
#include <QDate>
#include <QTest>

#include <climits>

namespace {

struct Date {
    int32_t y = 0, m = 0, d = 0;
    bool operator==(const Date &) const = default;
};
QString str(const Date &x) { return QStringLiteral("%1-%2-%3").arg(x.y).arg(x.m).arg(x.d); }
char *toString(const Date &x) { return qstrdup(qPrintable(str(x))); }

struct Result {
    int32_t ok;
    Date out;
};
constexpr int32_t kUnwritten = -77; // outputs start as this, so a missing write shows

// Each call takes a copy of its inputs; an engine that writes to one answers kUnwritten.
Result convert(zendat32_convert_fn fn, const Date x)
{
    Date in = x;
    Result r{kUnwritten, {kUnwritten, kUnwritten, kUnwritten}};
    r.ok = fn(&in.y, &in.m, &in.d, &r.out.y, &r.out.m, &r.out.d);
    return in == x ? r : Result{kUnwritten, r.out};
}
Result toHijri(const Date g) { return convert(GregToHijri, g); }
Result toGreg(const Date h) { return convert(HijriToGreg, h); }
int32_t weekday(const Date g)
{
    Date in = g;
    int32_t w = kUnwritten;
    return WeekDayOf(&in.y, &in.m, &in.d, &w) == 0 && in == g ? w : kUnwritten - 1;
}
int32_t checkGreg(const Date g) { return CheckGregDate(&g.y, &g.m, &g.d); }
int32_t checkHijri(const Date h) { return CheckHijriDate(&h.y, &h.m, &h.d); }
int32_t gregDays(const int32_t y, const int32_t m) { return GregMonthDays(&y, &m); }
int32_t hijriDays(const int32_t y, const int32_t m) { return HijriMonthDays(&y, &m); }
Date parts(const QCalendar::YearMonthDay &p) { return {p.year, p.month, p.day}; }

const QCalendar julian(QCalendar::System::Julian);
const QCalendar gregorian(QCalendar::System::Gregorian);
const QCalendar islamic(QCalendar::System::IslamicCivil);

} // namespace

class TestEngine : public QObject
{
    Q_OBJECT
private slots:
    void entryPoints();
    void againstQCalendar();
    void rangeEndsAndMonth13();
    void calendarReform();
    void hostileInputs();
};

void TestEngine::entryPoints()
{
    const std::pair<int32_t, void *> table[] = {
        {3, reinterpret_cast<void *>(&GregMonthDays)}, {4, reinterpret_cast<void *>(&HijriMonthDays)},
        {9, reinterpret_cast<void *>(&WeekDayOf)},     {11, reinterpret_cast<void *>(&CheckGregDate)},
        {12, reinterpret_cast<void *>(&CheckHijriDate)}, {13, reinterpret_cast<void *>(&HijriToGreg)},
        {14, reinterpret_cast<void *>(&GregToHijri)}};
    for (const auto &[ordinal, fn] : table)
        QCOMPARE(zendat32_entry(ordinal), fn);
    int present = 0;
    for (int32_t o = -1000; o <= 1000; ++o)
        present += zendat32_entry(o) != nullptr;
    QCOMPARE(present, 7);
    QVERIFY(!zendat32_entry(INT32_MIN) && !zendat32_entry(INT32_MAX));
}

// Every day from 1 AH to 2600 both ways, then every 11th day and the last 400
// days up to 31 December 9999; each month's length and its last day on its 1st.
void TestEngine::againstQCalendar()
{
    const qint64 epochJd = QDate(622, 7, 16, julian).toJulianDay();
    const qint64 reformJd = QDate(1582, 10, 15, gregorian).toJulianDay();
    const qint64 end2600 = QDate(2600, 12, 31, gregorian).toJulianDay();
    const qint64 lastJd = QDate(9999, 12, 31, gregorian).toJulianDay();
    QCOMPARE(QDate(1, 1, 1, islamic).toJulianDay(), epochJd);

    int count = 0;
    QStringList bad;
    const auto fail = [&](const QString &what) { if (++count <= 8) bad << what; };
    for (qint64 jd = epochJd; jd <= lastJd; jd += (jd < end2600 || jd > lastJd - 400) ? 1 : 11) {
        const QDate date = QDate::fromJulianDay(jd);
        const QCalendar &side = jd < reformJd ? julian : gregorian;
        const Date g = parts(side.partsFromDate(date)), h = parts(islamic.partsFromDate(date));
        const Result toH = toHijri(g), toG = toGreg(h);
        if (toH.ok != 1 || toH.out != h || toG.ok != 1 || toG.out != g || checkGreg(g) != 1 || checkHijri(h) != 1)
            fail(QStringLiteral("%1 = AH %2, engine AH %3 / %4").arg(str(g), str(h), str(toH.out), str(toG.out)));
        if (weekday(g) != date.dayOfWeek() % 7)
            fail(QStringLiteral("weekday of %1: %2").arg(str(g)).arg(weekday(g)));
        if (g.d == 1) {
            const int32_t len = gregDays(g.y, g.m);
            if (len != side.daysInMonth(g.m, g.y) || checkGreg({g.y, g.m, len}) != (jd + len - 1 <= lastJd)
                || checkGreg({g.y, g.m, len + 1}) != 0)
                fail(QStringLiteral("month %1-%2 has %3 days").arg(g.y).arg(g.m).arg(len));
        }
        if (h.d == 1) {
            const int32_t len = hijriDays(h.y, h.m);
            if (len != islamic.daysInMonth(h.m, h.y) || checkHijri({h.y, h.m, len}) != (jd + len - 1 <= lastJd)
                || checkHijri({h.y, h.m, len + 1}) != 0)
                fail(QStringLiteral("month AH %1-%2 has %3 days").arg(h.y).arg(h.m).arg(len));
        }
    }
    QVERIFY2(count == 0, qPrintable(QStringLiteral("%1 wrong: %2").arg(count).arg(bad.join("; "))));
}

void TestEngine::rangeEndsAndMonth13()
{
    QCOMPARE(checkGreg({622, 7, 15}), 0);
    QCOMPARE(checkHijri({0, 12, 29}), 0);
    QCOMPARE(toHijri({622, 7, 16}).out, Date({1, 1, 1}));
    QCOMPARE(weekday({622, 7, 16}), 5); // Friday
    QCOMPARE(toGreg(toHijri({622, 6, 20}).out).out, Date({622, 6, 20})); // before 1 AH, same arithmetic

    QCOMPARE(checkGreg({10000, 1, 1}), 0);
    const Date end = toHijri({9999, 12, 31}).out;
    QCOMPARE(end, parts(islamic.partsFromDate(QDate(9999, 12, 31, gregorian))));
    QCOMPARE(checkHijri({end.y, end.m, end.d + 1}), 0);
    QCOMPARE(toGreg({end.y, end.m, end.d + 1}).out, Date({10000, 1, 1})); // converts past it all the same

    // Month 13 is January of the next year to the lengths and conversions, yet refused by the checks,
    // as are months and days out of any range (days past a month's end: see againstQCalendar).
    QCOMPARE(gregDays(2024, 13), 31);
    QCOMPARE(hijriDays(1445, 13), islamic.daysInMonth(1, 1446));
    QCOMPARE(toHijri({2024, 13, 1}).out, toHijri({2025, 1, 1}).out);
    QCOMPARE(toGreg({1445, 13, 1}).out, toGreg({1446, 1, 1}).out);
    for (const Date &x : {Date{1445, 0, 1}, Date{1445, 13, 1}, Date{1445, 1, 0}, Date{-1, 1, 1}})
        QVERIFY2(checkGreg(x) == 0 && checkHijri(x) == 0, qPrintable(str(x)));
    for (int32_t y : {INT32_MIN, 0, 1445, INT32_MAX})
        for (int32_t m : {INT32_MIN, -1, 0, 14, INT32_MAX})
            QVERIFY(gregDays(y, m) == 0 && hijriDays(y, m) == 0);
}

void TestEngine::calendarReform()
{
    // Thursday 4 and Friday 15 October are next to each other in againstQCalendar; the days
    // between never existed: refused, yet converted as Julian dates.
    for (int32_t d = 5; d <= 14; ++d) {
        QCOMPARE(checkGreg({1582, 10, d}), 0);
        QCOMPARE(toHijri({1582, 10, d}).out, toHijri({1582, 10, d + 10}).out);
    }
}

// Any numbers at all: no crash, inputs unchanged (see the helpers), a weekday 0..6, checks 0 or 1,
// conversions either all zeros or a real date leading back to the same day.
void TestEngine::hostileInputs()
{
    const int32_t values[] = {INT32_MIN, INT32_MIN + 1, -400001, -1, 0, 1, 12, 13, 31, 10000, 400001, INT32_MAX};
    for (int32_t y : values) {
        for (int32_t m : values) {
            for (int32_t d : values) {
                const Date x{y, m, d};
                QVERIFY2((checkGreg(x) | checkHijri(x)) <= 1, qPrintable(str(x)));
                const int32_t wd = weekday(x);
                QVERIFY2(wd >= 0 && wd <= 6, qPrintable(str(x)));
                const Result h = toHijri(x);
                if (h.ok == 1) {
                    const Result g = toGreg(h.out);
                    QVERIFY2(g.ok == 1 && toHijri(g.out).out == h.out && weekday(g.out) == wd, qPrintable(str(x)));
                } else {
                    QVERIFY2(h.ok == 0 && h.out == Date{}, qPrintable(str(x)));
                }
                const Result g = toGreg(x);
                QVERIFY2(g.ok == 1 ? g.out.d >= 1 && g.out.d <= gregDays(g.out.y, g.out.m)
                                   : g.ok == 0 && g.out == Date{},
                         qPrintable(str(x)));
            }
        }
    }
    const int32_t v = 3; // missing pointers: refused, nothing written
    int32_t o = kUnwritten;
    QCOMPARE(GregToHijri(&v, nullptr, &v, &o, &o, &o) | HijriToGreg(&v, &v, &v, &o, nullptr, &o), 0);
    QCOMPARE(WeekDayOf(&v, &v, &v, nullptr) | GregMonthDays(nullptr, &v), 0);
    QCOMPARE(o, kUnwritten);
}

QTEST_GUILESS_MAIN(TestEngine)
#include "test_engine.moc"
