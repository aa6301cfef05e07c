// The months and years the boxes, "Go" and the print dialog accept, and the engine's days behind them.
#include "core/dateranges.h"
#include "testsupport.h"

#include <QTest>

using core::Lead;
using core::Ymd;

class TestDateRanges : public QObject {
    Q_OBJECT
private slots:
    // Each edge with the answers of "Go" and of the print dialog, which also prints October 1582 and Ramadan 990.
    void goAndPrintEdges()
    {
        const struct {
            bool hijri;
            int32_t year, month;
            bool go, print;
        } rows[] = {{false, 622, 6, false, false},  {false, 622, 7, true, true},  {false, 2562, 1, true, true},
                    {false, 2562, 2, false, false}, {false, 1582, 9, true, true}, {false, 1582, 10, false, true},
                    {false, 1582, 11, true, true},  {false, 990, 9, true, true},  {true, 1, 1, true, true},
                    {true, 1, 0, false, false},     {true, 2000, 1, true, true},  {true, 2000, 2, false, false},
                    {true, 990, 8, true, true},     {true, 990, 9, false, true},  {true, 990, 10, true, true},
                    {true, 1582, 10, true, true}};
        for (const auto &r : rows) {
            const Lead lead = r.hijri ? Lead::Hijri : Lead::Gregorian;
            const QByteArray row
                = QByteArray(r.hijri ? "H " : "G ") + QByteArray::number(r.year) + '-' + QByteArray::number(r.month);
            QVERIFY2(core::goShowsMonth(lead, {r.year, r.month}) == r.go, row + " (Go)");
            QVERIFY2(core::monthInSpan(lead, {r.year, r.month}) == r.print, row + " (print)");
        }
        for (const Lead lead : {Lead::Gregorian, Lead::Hijri})
            QVERIFY(!core::yearInRange(lead, core::firstYear(lead) - 1) && core::yearInRange(lead, core::lastYear(lead))
                    && !core::yearInRange(lead, core::lastYear(lead) + 1));
    }

    // Hijri 1 begins on 16 July 622 and Hijri 2000 in January 2562; 4 October 1582 is followed by 15 October,
    // both in Ramadan 990: the two refused months.
    void theEngineAgrees()
    {
        const core::CalendarEngine &e = testsupport::installRealEngine();
        QCOMPARE(e.HijriToGreg(1, 1, 1), core::HijriEraStart);
        const Ymd lastStart = e.HijriToGreg(2000, 1, 1);
        QCOMPARE((core::YearMonth{lastStart.year, lastStart.month}), core::GregorianSpan.last);
        QVERIFY(e.CheckGregDate(1582, 10, 4) && !e.CheckGregDate(1582, 10, 5) && !e.CheckGregDate(1582, 10, 14));
        const Ymd before = e.GregToHijri(1582, 10, 4), after = e.GregToHijri(1582, 10, 15);
        QCOMPARE((core::YearMonth{before.year, before.month}), core::HijriSpan.refusedByGo);
        QCOMPARE(after, (Ymd{before.year, before.month, before.day + 1}));
    }
};

QTEST_GUILESS_MAIN(TestDateRanges)
#include "test_dateranges.moc"
