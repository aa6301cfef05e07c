// The calendar engine against two independent calendars, Qt's QCalendar
// (Julian, Gregorian, IslamicCivil) and ICU's icu::Calendar (gregorian with
// its 1582 cutover, islamic-civil), and the edges of its C interface.
//
// Qt's IslamicCivil calendar starts on Julian day 1948440, Friday 16 July 622
// Julian, the engine's epoch too, so the two compare day for day with no
// offset (initTestCase makes sure). Qt has no year 0 (-1 precedes 1), so
// days before 1 AH are compared with ICU, whose year 0 is the engine's.

#include "engine/zendat32.h"

#include <QCalendar>
#include <QDate>
#include <QTest>

#include <unicode/calendar.h>
#include <unicode/gregocal.h>
#include <unicode/timezone.h>

#include <climits>
#include <memory>

namespace {

struct Date {
    int32_t y = 0, m = 0, d = 0;
    bool operator==(const Date &) const = default;
};

QString str(const Date &x) { return QStringLiteral("%1-%2-%3").arg(x.y).arg(x.m).arg(x.d); }
char *toString(const Date &x) { return qstrdup(qPrintable(str(x))); } // for QCOMPARE

struct Result {
    int32_t ok;
    Date out;
};

constexpr int32_t kUnwritten = -77; // outputs start as this, so a missing write shows

// Inputs are passed from const objects: the engine must only read them.
Result toHijri(const Date g)
{
    Result r{kUnwritten, {kUnwritten, kUnwritten, kUnwritten}};
    r.ok = GregToHijri(&g.y, &g.m, &g.d, &r.out.y, &r.out.m, &r.out.d);
    return r;
}

Result toGreg(const Date h)
{
    Result r{kUnwritten, {kUnwritten, kUnwritten, kUnwritten}};
    r.ok = HijriToGreg(&h.y, &h.m, &h.d, &r.out.y, &r.out.m, &r.out.d);
    return r;
}

int32_t weekday(const Date g)
{
    int32_t w = kUnwritten;
    return WeekDayOf(&g.y, &g.m, &g.d, &w) == 0 ? w : kUnwritten - 1;
}

int32_t checkGreg(const Date g) { return CheckGregDate(&g.y, &g.m, &g.d); }
int32_t checkHijri(const Date h) { return CheckHijriDate(&h.y, &h.m, &h.d); }
int32_t gregDays(const int32_t y, const int32_t m) { return GregMonthDays(&y, &m); }
int32_t hijriDays(const int32_t y, const int32_t m) { return HijriMonthDays(&y, &m); }

Date parts(const QCalendar::YearMonthDay &p) { return {p.year, p.month, p.day}; }

// Disagreements in a long sweep: all counted, the first few kept.
struct Mismatches {
    int count = 0;
    QStringList first;
    void add(const QString &what)
    {
        if (++count <= 8)
            first << what;
    }
    QByteArray report() const { return QStringLiteral("%1 wrong: %2").arg(count).arg(first.join("; ")).toUtf8(); }
};

const QCalendar julian(QCalendar::System::Julian);
const QCalendar gregorian(QCalendar::System::Gregorian);
const QCalendar islamic(QCalendar::System::IslamicCivil);

} // namespace

class TestEngine : public QObject
{
    Q_OBJECT

    qint64 epochJd = 0;  // 16 July 622 Julian
    qint64 reformJd = 0; // 15 October 1582 Gregorian
    qint64 lastJd = 0;   // 31 December 9999, the last supported day

    void compareDay(qint64 jd, Mismatches &bad) const;

private slots:
    void initTestCase();
    void entryPoints();
    void againstQt();
    void againstIcu();
    void rangeEnds();
    void calendarReform();
    void monthLengths();
    void monthAndDayOverflow();
    void nullPointers();
    void inputsAreOnlyRead();
    void hostileInputs();
    void resultTooLarge();
};

void TestEngine::initTestCase()
{
    epochJd = QDate(622, 7, 16, julian).toJulianDay();
    reformJd = QDate(1582, 10, 15, gregorian).toJulianDay();
    lastJd = QDate(9999, 12, 31, gregorian).toJulianDay();
    QCOMPARE(epochJd, qint64(1948440));
    QCOMPARE(QDate(1, 1, 1, islamic).toJulianDay(), epochJd); // else every comparison needs an offset
    QCOMPARE(QDate(1582, 10, 4, julian).toJulianDay() + 1, reformJd);
}

void TestEngine::entryPoints()
{
    QCOMPARE(zendat32_entry(3), reinterpret_cast<void *>(&GregMonthDays));
    QCOMPARE(zendat32_entry(4), reinterpret_cast<void *>(&HijriMonthDays));
    QCOMPARE(zendat32_entry(9), reinterpret_cast<void *>(&WeekDayOf));
    QCOMPARE(zendat32_entry(11), reinterpret_cast<void *>(&CheckGregDate));
    QCOMPARE(zendat32_entry(12), reinterpret_cast<void *>(&CheckHijriDate));
    QCOMPARE(zendat32_entry(13), reinterpret_cast<void *>(&HijriToGreg));
    QCOMPARE(zendat32_entry(14), reinterpret_cast<void *>(&GregToHijri));
    int present = 0;
    for (int32_t o = -1000; o <= 1000; ++o)
        present += zendat32_entry(o) != nullptr;
    QCOMPARE(present, 7);
    for (int32_t o : {INT32_MIN, 0x10003, INT32_MAX})
        QVERIFY(!zendat32_entry(o));

    // As the program calls them: through the typed pointers.
    const auto convert = reinterpret_cast<zendat32_convert_fn>(zendat32_entry(ZENDAT32_GREG_TO_HIJRI));
    const int32_t y = 622, m = 7, d = 16;
    int32_t hy = 0, hm = 0, hd = 0;
    QCOMPARE(convert(&y, &m, &d, &hy, &hm, &hd), 1);
    QCOMPARE(Date({hy, hm, hd}), Date({1, 1, 1}));
}

void TestEngine::compareDay(qint64 jd, Mismatches &bad) const
{
    const QDate date = QDate::fromJulianDay(jd);
    const QCalendar &side = jd < reformJd ? julian : gregorian;
    const Date g = parts(side.partsFromDate(date));
    const Date h = parts(islamic.partsFromDate(date));

    const Result toH = toHijri(g), toG = toGreg(h);
    if (toH.ok != 1 || toH.out != h || toG.ok != 1 || toG.out != g)
        bad.add(QStringLiteral("%1 = AH %2, engine AH %3 / %4").arg(str(g), str(h), str(toH.out), str(toG.out)));
    if (weekday(g) != date.dayOfWeek() % 7)
        bad.add(QStringLiteral("weekday of %1: %2").arg(str(g)).arg(weekday(g)));
    if (checkGreg(g) != 1 || checkHijri(h) != 1)
        bad.add(QStringLiteral("%1 = AH %2 refused").arg(str(g), str(h)));

    // Each month on its first day: its length; its last day accepted (unless
    // past 31 December 9999), the day after refused.
    if (g.d == 1) {
        const int32_t len = gregDays(g.y, g.m);
        if (len != side.daysInMonth(g.m, g.y) || checkGreg({g.y, g.m, len}) != (jd + len - 1 <= lastJd)
            || checkGreg({g.y, g.m, len + 1}) != 0)
            bad.add(QStringLiteral("month %1-%2 has %3 days").arg(g.y).arg(g.m).arg(len));
    }
    if (h.d == 1) {
        const int32_t len = hijriDays(h.y, h.m);
        if (len != islamic.daysInMonth(h.m, h.y) || checkHijri({h.y, h.m, len}) != (jd + len - 1 <= lastJd)
            || checkHijri({h.y, h.m, len + 1}) != 0)
            bad.add(QStringLiteral("month AH %1-%2 has %3 days").arg(h.y).arg(h.m).arg(len));
    }
}

void TestEngine::againstQt()
{
    Mismatches bad;
    const qint64 end2600 = QDate(2600, 12, 31, gregorian).toJulianDay();
    for (qint64 jd = epochJd; jd <= end2600; ++jd) // every day
        compareDay(jd, bad);
    for (qint64 jd = end2600 + 1; jd <= lastJd; jd += 11) // every 11th: all weekdays and days in turn
        compareDay(jd, bad);
    for (qint64 jd = lastJd - 400; jd <= lastJd; ++jd)
        compareDay(jd, bad);
    QVERIFY2(bad.count == 0, bad.report().constData());
}

void TestEngine::againstIcu()
{
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Calendar> hijri(icu::Calendar::createInstance(
        icu::TimeZone::getGMT()->clone(), icu::Locale("en@calendar=islamic-civil"), status));
    icu::GregorianCalendar civil(icu::TimeZone::getGMT()->clone(), status);
    QVERIFY2(U_SUCCESS(status), u_errorName(status));
    QCOMPARE(QByteArray(hijri->getType()), QByteArray("islamic-civil"));

    Mismatches bad;
    const qint64 first = QDate(600, 1, 1, julian).toJulianDay(); // 22 years before 1 AH too
    for (qint64 jd = first; jd <= QDate(2600, 12, 31, gregorian).toJulianDay(); ++jd) {
        const UDate ms = double(jd - 2440588) * U_MILLIS_PER_DAY; // from 1 January 1970
        hijri->setTime(ms, status);
        civil.setTime(ms, status);
        const Date h{hijri->get(UCAL_EXTENDED_YEAR, status), hijri->get(UCAL_MONTH, status) + 1,
                     hijri->get(UCAL_DATE, status)};
        const Date g{civil.get(UCAL_YEAR, status), civil.get(UCAL_MONTH, status) + 1, civil.get(UCAL_DATE, status)};
        const Result toH = toHijri(g), toG = toGreg(h);
        if (toH.ok != 1 || toH.out != h || toG.ok != 1 || toG.out != g
            || weekday(g) != civil.get(UCAL_DAY_OF_WEEK, status) - UCAL_SUNDAY)
            bad.add(QStringLiteral("%1 = AH %2, engine AH %3 / %4").arg(str(g), str(h), str(toH.out), str(toG.out)));
        if (jd < epochJd && (checkGreg(g) != 0 || checkHijri(h) != 0))
            bad.add(QStringLiteral("%1 before 1 AH accepted").arg(str(g)));
    }
    QVERIFY2(U_SUCCESS(status), u_errorName(status));
    QVERIFY2(bad.count == 0, bad.report().constData());
}

void TestEngine::rangeEnds()
{
    QCOMPARE(checkGreg({622, 7, 16}), 1);
    QCOMPARE(checkGreg({622, 7, 15}), 0);
    QCOMPARE(checkHijri({1, 1, 1}), 1);
    QCOMPARE(checkHijri({0, 12, 29}), 0);
    QCOMPARE(toHijri({622, 7, 16}).out, Date({1, 1, 1}));
    QCOMPARE(toGreg({1, 1, 1}).out, Date({622, 7, 16}));
    QCOMPARE(weekday({622, 7, 16}), 5); // Friday
    QCOMPARE(weekday({622, 7, 1}), 4);  // Thursday
    QCOMPARE(toGreg(toHijri({622, 6, 20}).out).out, Date({622, 6, 20})); // before 1 AH, by the same arithmetic

    QCOMPARE(checkGreg({9999, 12, 31}), 1);
    QCOMPARE(checkGreg({10000, 1, 1}), 0);
    const Date end = parts(islamic.partsFromDate(QDate(9999, 12, 31, gregorian)));
    QCOMPARE(toHijri({9999, 12, 31}).out, end);
    QCOMPARE(checkHijri(end), 1);
    QCOMPARE(checkHijri({end.y, end.m, end.d + 1}), 0);
    QCOMPARE(checkHijri({end.y + 1, 1, 1}), 0);
    QCOMPARE(toGreg({end.y, end.m, end.d + 1}).out, Date({10000, 1, 1})); // converts past it all the same

    for (const Date &g : {Date{2023, 2, 29}, Date{1900, 2, 29}, Date{2024, 4, 31}, Date{2024, 0, 10},
                          Date{2024, 13, 1}, Date{2024, 1, 0}})
        QVERIFY2(checkGreg(g) == 0, qPrintable(str(g)));
    for (const Date &h : {Date{1445, 2, 30}, Date{1444, 12, 30}, Date{1445, 0, 1}, Date{1445, 13, 1},
                          Date{1445, 1, 0}, Date{0, 1, 1}, Date{-1, 1, 1}})
        QVERIFY2(checkHijri(h) == 0, qPrintable(str(h)));
    QCOMPARE(checkHijri({1445, 12, 30}), islamic.isLeapYear(1445) ? 1 : 0);
}

void TestEngine::calendarReform()
{
    QCOMPARE(weekday({1582, 10, 4}), 4);  // Thursday, the last Julian day
    QCOMPARE(weekday({1582, 10, 15}), 5); // Friday, the first Gregorian one
    QCOMPARE(gregDays(1582, 10), 31);
    const Date h4 = toHijri({1582, 10, 4}).out;
    QCOMPARE(toGreg({h4.y, h4.m, h4.d + 1}).out, Date({1582, 10, 15}));

    // 5..14 October never existed: refused, yet converted as Julian dates.
    for (int32_t d = 5; d <= 14; ++d) {
        QCOMPARE(checkGreg({1582, 10, d}), 0);
        QCOMPARE(toHijri({1582, 10, d}).out, toHijri({1582, 10, d + 10}).out);
        QCOMPARE(weekday({1582, 10, d}), weekday({1582, 10, d + 10}));
    }
    QCOMPARE(gregDays(1500, 2), 29); // Julian rule before 1582
    QCOMPARE(gregDays(1700, 2), 28);
    QCOMPARE(checkGreg({1500, 2, 29}), 1);
}

void TestEngine::monthLengths()
{
    QCOMPARE(gregDays(2024, 13), gregorian.daysInMonth(1, 2025)); // month 13: January next year
    QCOMPARE(hijriDays(1445, 13), islamic.daysInMonth(1, 1446));
    QCOMPARE(gregDays(INT32_MAX, 13), 31);
    QCOMPARE(hijriDays(INT32_MAX, 13), 30);
    for (int32_t y : {INT32_MIN, -1, 0, 1445, 2024, INT32_MAX}) {
        for (int32_t m : {INT32_MIN, -1, 0, 14, INT32_MAX}) {
            QCOMPARE(gregDays(y, m), 0);
            QCOMPARE(hijriDays(y, m), 0);
        }
    }
    // Leap years far out: the Julian rule (floor, for negative years too),
    // the Gregorian one, and the 30-year Hijri cycle for years of either sign.
    QCOMPARE(gregDays(INT32_MIN, 2), 29);
    QCOMPARE(gregDays(-1, 2), 28);
    QCOMPARE(gregDays(2147483600, 2), 29);
    QCOMPARE(gregDays(2147483500, 2), 28);
    for (int32_t y = 1; y <= 30; ++y)
        QCOMPARE(hijriDays(y - 300000, 12), islamic.daysInMonth(12, y));
    QCOMPARE(hijriDays(INT32_MIN, 12), hijriDays(22, 12)); // INT32_MIN = 22 (mod 30)
    QCOMPARE(hijriDays(INT32_MAX, 12), hijriDays(7, 12));  // INT32_MAX = 7 (mod 30)
}

void TestEngine::monthAndDayOverflow()
{
    // Months fold into years, days count on from the first of the month.
    // Whether a date is Julian goes by the date as given.
    const struct {
        bool hijri;
        Date given, same;
    } cases[] = {
        {false, {2024, 14, 1}, {2025, 2, 1}},     {false, {2024, 0, 1}, {2023, 12, 1}},
        {false, {2024, -10, 1}, {2023, 2, 1}},    {false, {2024, -22, 29}, {2022, 3, 1}},
        {false, {2024, 3, 0}, {2024, 2, 29}},     {false, {2024, 1, -364}, {2023, 1, 1}},
        {false, {2024, 1, 367}, {2025, 1, 1}},    {false, {1500, 2, 31}, {1500, 3, 2}},
        {false, {1582, 9, 40}, {1582, 10, 20}},   {false, {1582, 11, -20}, {1582, 10, 1}},
        {false, {1583, -3, 1}, {1582, 8, 22}}, // read as Gregorian: 1 September 1582 Gregorian
        {true, {1445, 13, 1}, {1446, 1, 1}},      {true, {1445, -1, 1}, {1444, 11, 1}},
        {true, {1446, 0, 30}, {1445, 12, 30}},    {true, {1445, -23, 1}, {1443, 1, 1}},
        {true, {1445, 1, 0}, {1444, 12, 29}},     {true, {1446, 1, 355}, {1447, 1, 1}},
        {true, {1, 1, 0}, {0, 12, 29}},
    };
    for (const auto &c : cases) {
        const Result a = c.hijri ? toGreg(c.given) : toHijri(c.given);
        const Result b = c.hijri ? toGreg(c.same) : toHijri(c.same);
        const Result back = c.hijri ? toHijri(a.out) : toGreg(a.out);
        QVERIFY2(a.ok == 1 && a.out == b.out && back.out == c.same, qPrintable(str(c.given)));
        if (!c.hijri)
            QCOMPARE(weekday(c.given), weekday(c.same));
    }
}

void TestEngine::nullPointers()
{
    const int32_t v = 3; // a valid year, month and day
    QCOMPARE(GregMonthDays(nullptr, &v) | GregMonthDays(&v, nullptr), 0);
    QCOMPARE(HijriMonthDays(nullptr, &v) | HijriMonthDays(&v, nullptr), 0);
    QCOMPARE(WeekDayOf(&v, &v, &v, nullptr), 0);
    using Check = int32_t (*)(const int32_t *, const int32_t *, const int32_t *);
    using Convert = int32_t (*)(const int32_t *, const int32_t *, const int32_t *, int32_t *, int32_t *, int32_t *);
    for (int gap = 0; gap < 6; ++gap) { // each pointer missing in turn: answer 0, write nothing
        const int32_t *in[3] = {&v, &v, &v};
        int32_t out[3] = {kUnwritten, kUnwritten, kUnwritten};
        int32_t *outp[3] = {&out[0], &out[1], &out[2]};
        if (gap < 3)
            in[gap] = nullptr;
        else
            outp[gap - 3] = nullptr;
        for (Convert convert : {Convert(&GregToHijri), Convert(&HijriToGreg)})
            QCOMPARE(convert(in[0], in[1], in[2], outp[0], outp[1], outp[2]), 0);
        if (gap < 3) {
            for (Check check : {Check(&CheckGregDate), Check(&CheckHijriDate)})
                QCOMPARE(check(in[0], in[1], in[2]), 0);
            QCOMPARE(WeekDayOf(in[0], in[1], in[2], &out[0]), 0);
        }
        QVERIFY(out[0] == kUnwritten && out[1] == kUnwritten && out[2] == kUnwritten);
    }
}

void TestEngine::inputsAreOnlyRead()
{
    // In read-only storage a write would crash; elsewhere it would show.
    static const int32_t y = 1445, m = 12, d = 30;
    int32_t o[3] = {};
    QCOMPARE(HijriToGreg(&y, &m, &d, &o[0], &o[1], &o[2]) + CheckHijriDate(&y, &m, &d), 2);
    QCOMPARE(GregToHijri(&o[0], &o[1], &o[2], &o[0], &o[1], &o[2]), 1); // outputs may be the inputs
    QCOMPARE(Date({o[0], o[1], o[2]}), Date({y, m, d}));
    for (const Date start : {Date{2024, 2, 29}, Date{INT32_MIN, 0, INT32_MAX}, Date{1582, 10, 10}}) {
        Date in = start, out;
        GregToHijri(&in.y, &in.m, &in.d, &out.y, &out.m, &out.d);
        HijriToGreg(&in.y, &in.m, &in.d, &out.y, &out.m, &out.d);
        WeekDayOf(&in.y, &in.m, &in.d, &out.y);
        CheckGregDate(&in.y, &in.m, &in.d);
        CheckHijriDate(&in.y, &in.m, &in.d);
        GregMonthDays(&in.y, &in.m);
        HijriMonthDays(&in.y, &in.m);
        QCOMPARE(in, start);
    }
}

void TestEngine::hostileInputs()
{
    const int32_t values[] = {INT32_MIN, INT32_MIN + 1, -400001, -12, -1, 0, 1, 2, 12, 13, 31, 10000,
                              400001, INT32_MAX - 1, INT32_MAX};
    Mismatches bad;
    for (int32_t y : values) {
        for (int32_t m : values) {
            for (int32_t d : values) {
                const Date x{y, m, d};
                const int32_t wd = weekday(x);
                if (wd < 0 || wd > 6)
                    bad.add(QStringLiteral("weekday %1 for %2").arg(wd).arg(str(x)));
                const int32_t cg = checkGreg(x), ch = checkHijri(x);
                if ((cg | ch) & ~1 || (cg && (y < 622 || y > 9999 || m > 12 || d > 31 || m < 1 || d < 1))
                    || (ch && (y < 1 || y > 9666 || m > 12 || d > 30 || m < 1 || d < 1)))
                    bad.add(QStringLiteral("checks of %1 say %2, %3").arg(str(x)).arg(cg).arg(ch));

                // Either all zeros, or a real date that leads back to the same day.
                const Result h = toHijri(x);
                if (h.ok != 1 ? h.ok != 0 || h.out != Date{}
                              : h.out.m > 12 || h.out.d < 1 || h.out.d > hijriDays(h.out.y, h.out.m)
                                    || toGreg(h.out).ok != 1
                                    || toHijri(toGreg(h.out).out).out != h.out || weekday(toGreg(h.out).out) != wd)
                    bad.add(QStringLiteral("%1 -> AH %2 (%3)").arg(str(x), str(h.out)).arg(h.ok));
                const Result g = toGreg(x);
                const Result back = toHijri(g.out); // may itself not fit, then all zeros
                if (g.ok != 1 ? g.ok != 0 || g.out != Date{}
                              : g.out.m > 12 || g.out.d < 1 || g.out.d > gregDays(g.out.y, g.out.m)
                                    || (g.out.y == 1582 && g.out.m == 10 && g.out.d > 4 && g.out.d < 15)
                                    || (back.ok == 1 && toGreg(back.out).out != g.out))
                    bad.add(QStringLiteral("AH %1 -> %2 (%3)").arg(str(x), str(g.out)).arg(g.ok));
            }
        }
    }
    QVERIFY2(bad.count == 0, bad.report().constData());
}

void TestEngine::resultTooLarge()
{
    // Hijri years run 3% faster than Gregorian ones: the extreme Gregorian
    // years have no int32_t Hijri year. Then every output is 0.
    for (const Date &g : {Date{INT32_MAX, 12, 31}, Date{INT32_MIN, 1, 1}, Date{INT32_MAX, INT32_MAX, 1},
                          Date{INT32_MIN, INT32_MIN, INT32_MIN}}) {
        const Result h = toHijri(g);
        QVERIFY2(h.ok == 0 && h.out == Date{}, qPrintable(str(g)));
    }
    for (const Date &h : {Date{INT32_MAX, INT32_MAX, INT32_MAX}, Date{INT32_MIN, INT32_MIN, INT32_MIN}}) {
        const Result g = toGreg(h);
        QVERIFY2(g.ok == 0 && g.out == Date{}, qPrintable(str(h)));
    }
    // A huge month count alone stays inside: INT32_MAX - 1 = 178956970 * 12 + 6.
    QCOMPARE(toHijri({2000, INT32_MAX, 1}).out, toHijri({2000 + 178956970, 7, 1}).out);

    // The last and first Hijri days that fit, and one day beyond each.
    const Date top{INT32_MAX, 12, hijriDays(INT32_MAX, 12)}, bottom{INT32_MIN, 1, 1};
    const Date gTop = toGreg(top).out, gBottom = toGreg(bottom).out;
    QCOMPARE(toHijri(gTop).out, top);
    QCOMPARE(toHijri(gBottom).out, bottom);
    const Result over = toHijri({gTop.y, gTop.m, gTop.d + 1}), under = toHijri({gBottom.y, gBottom.m, gBottom.d - 1});
    QVERIFY(over.ok == 0 && over.out == Date{});
    QVERIFY(under.ok == 0 && under.out == Date{});
}

QTEST_GUILESS_MAIN(TestEngine)
#include "test_engine.moc"
