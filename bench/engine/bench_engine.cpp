// Nanoseconds per date conversion, Gregorian -> Hijri and back, for the engine
// (called through the pointers zendat32_entry hands out, as the program does),
// Qt's QCalendar and ICU's icu::Calendar, over the same spread of dates from
// 622 to 2600. After the runs a table puts the three side by side.

#include "zendat32.h"

#include <benchmark/benchmark.h>

#include <QCalendar>
#include <QDate>

#include <unicode/calendar.h>
#include <unicode/gregocal.h>
#include <unicode/timezone.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

struct Date {
    int32_t y, m, d;
};

const QCalendar julian(QCalendar::System::Julian);
const QCalendar gregorian(QCalendar::System::Gregorian);
const QCalendar islamic(QCalendar::System::IslamicCivil);

// The same random days, on both sides, in a power-of-two count so the loop
// picks the next one with a mask. Random order: no help from the branch
// predictor for the Julian/Gregorian choice.
constexpr size_t kDates = 1 << 14;

struct Sample {
    std::vector<Date> greg; // Julian before 15 October 1582
    std::vector<Date> hijri;
};

const Sample &sample()
{
    static const Sample s = [] {
        Sample out;
        const qint64 first = QDate(622, 7, 16, julian).toJulianDay();
        const qint64 last = QDate(2600, 12, 31, gregorian).toJulianDay();
        const qint64 reform = QDate(1582, 10, 15, gregorian).toJulianDay();
        std::mt19937_64 rng(1582);
        std::uniform_int_distribution<qint64> pick(first, last);
        for (size_t i = 0; i < kDates; ++i) {
            const QDate date = QDate::fromJulianDay(pick(rng));
            const auto g = (date.toJulianDay() < reform ? julian : gregorian).partsFromDate(date);
            const auto h = islamic.partsFromDate(date);
            out.greg.push_back({g.year, g.month, g.day});
            out.hijri.push_back({h.year, h.month, h.day});
        }
        return out;
    }();
    return s;
}

bool readAsGregorian(const Date &g) { return g.y > 1582 || (g.y == 1582 && (g.m > 10 || (g.m == 10 && g.d >= 15))); }

// --- the engine -------------------------------------------------------------

void engineGregToHijri(benchmark::State &state)
{
    const auto convert = reinterpret_cast<zendat32_convert_fn>(zendat32_entry(ZENDAT32_GREG_TO_HIJRI));
    const std::vector<Date> &in = sample().greg;
    size_t i = 0;
    int32_t y, m, d;
    for (auto _ : state) {
        const Date &g = in[i++ & (kDates - 1)];
        benchmark::DoNotOptimize(convert(&g.y, &g.m, &g.d, &y, &m, &d));
        benchmark::DoNotOptimize(y);
        benchmark::DoNotOptimize(m);
        benchmark::DoNotOptimize(d);
    }
    state.SetItemsProcessed(state.iterations());
}

void engineHijriToGreg(benchmark::State &state)
{
    const auto convert = reinterpret_cast<zendat32_convert_fn>(zendat32_entry(ZENDAT32_HIJRI_TO_GREG));
    const std::vector<Date> &in = sample().hijri;
    size_t i = 0;
    int32_t y, m, d;
    for (auto _ : state) {
        const Date &h = in[i++ & (kDates - 1)];
        benchmark::DoNotOptimize(convert(&h.y, &h.m, &h.d, &y, &m, &d));
        benchmark::DoNotOptimize(y);
        benchmark::DoNotOptimize(m);
        benchmark::DoNotOptimize(d);
    }
    state.SetItemsProcessed(state.iterations());
}

// --- QCalendar --------------------------------------------------------------

void qtGregToHijri(benchmark::State &state)
{
    const std::vector<Date> &in = sample().greg;
    size_t i = 0;
    for (auto _ : state) {
        const Date &g = in[i++ & (kDates - 1)];
        const QDate date(g.y, g.m, g.d, readAsGregorian(g) ? gregorian : julian);
        const auto h = islamic.partsFromDate(QDate::fromJulianDay(date.toJulianDay()));
        benchmark::DoNotOptimize(h.year);
        benchmark::DoNotOptimize(h.month);
        benchmark::DoNotOptimize(h.day);
    }
    state.SetItemsProcessed(state.iterations());
}

void qtHijriToGreg(benchmark::State &state)
{
    const std::vector<Date> &in = sample().hijri;
    const qint64 reform = QDate(1582, 10, 15, gregorian).toJulianDay();
    size_t i = 0;
    for (auto _ : state) {
        const Date &h = in[i++ & (kDates - 1)];
        const QDate date = islamic.dateFromParts(h.y, h.m, h.d);
        const auto g = (date.toJulianDay() < reform ? julian : gregorian).partsFromDate(date);
        benchmark::DoNotOptimize(g.year);
        benchmark::DoNotOptimize(g.month);
        benchmark::DoNotOptimize(g.day);
    }
    state.SetItemsProcessed(state.iterations());
}

// --- ICU ----------------------------------------------------------------------

struct IcuCalendars {
    std::unique_ptr<icu::Calendar> hijri;
    std::unique_ptr<icu::GregorianCalendar> civil; // Julian before its 1582 cutover
    bool ok = false;

    IcuCalendars()
    {
        UErrorCode status = U_ZERO_ERROR;
        hijri.reset(icu::Calendar::createInstance(icu::TimeZone::getGMT()->clone(),
                                                  icu::Locale("en@calendar=islamic-civil"), status));
        civil = std::make_unique<icu::GregorianCalendar>(icu::TimeZone::getGMT()->clone(), status);
        ok = U_SUCCESS(status);
    }
};

void icuGregToHijri(benchmark::State &state)
{
    IcuCalendars cal;
    if (!cal.ok) {
        state.SkipWithError("ICU calendars unavailable");
        return;
    }
    const std::vector<Date> &in = sample().greg;
    UErrorCode status = U_ZERO_ERROR;
    size_t i = 0;
    for (auto _ : state) {
        const Date &g = in[i++ & (kDates - 1)];
        cal.civil->set(g.y, g.m - 1, g.d);
        cal.hijri->setTime(cal.civil->getTime(status), status);
        benchmark::DoNotOptimize(cal.hijri->get(UCAL_EXTENDED_YEAR, status));
        benchmark::DoNotOptimize(cal.hijri->get(UCAL_MONTH, status));
        benchmark::DoNotOptimize(cal.hijri->get(UCAL_DATE, status));
    }
    if (U_FAILURE(status))
        state.SkipWithError(u_errorName(status));
    state.SetItemsProcessed(state.iterations());
}

void icuHijriToGreg(benchmark::State &state)
{
    IcuCalendars cal;
    if (!cal.ok) {
        state.SkipWithError("ICU calendars unavailable");
        return;
    }
    const std::vector<Date> &in = sample().hijri;
    UErrorCode status = U_ZERO_ERROR;
    size_t i = 0;
    for (auto _ : state) {
        const Date &h = in[i++ & (kDates - 1)];
        cal.hijri->set(UCAL_EXTENDED_YEAR, h.y);
        cal.hijri->set(UCAL_MONTH, h.m - 1);
        cal.hijri->set(UCAL_DATE, h.d);
        cal.civil->setTime(cal.hijri->getTime(status), status);
        benchmark::DoNotOptimize(cal.civil->get(UCAL_YEAR, status));
        benchmark::DoNotOptimize(cal.civil->get(UCAL_MONTH, status));
        benchmark::DoNotOptimize(cal.civil->get(UCAL_DATE, status));
    }
    if (U_FAILURE(status))
        state.SkipWithError(u_errorName(status));
    state.SetItemsProcessed(state.iterations());
}

// Prints as usual and keeps the fastest and the median repetition of each
// benchmark (CPU ns per conversion). The machine is shared: other work only
// ever adds time, so the fastest repetition is the fairest figure, the median
// shows how much the rest wandered.
class TableReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> fastest, median;

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.error_occurred)
                continue;
            if (run.aggregate_name == "min")
                fastest[run.run_name.function_name] = run.GetAdjustedCPUTime();
            else if (run.aggregate_name == "median")
                median[run.run_name.function_name] = run.GetAdjustedCPUTime();
        }
    }
};

double smallest(const std::vector<double> &v) { return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end()); }

// Each side converts the other side's answers, so a wrong sample would show
// before any timing is believed.
bool sampleAgrees()
{
    const auto toH = reinterpret_cast<zendat32_convert_fn>(zendat32_entry(ZENDAT32_GREG_TO_HIJRI));
    const auto toG = reinterpret_cast<zendat32_convert_fn>(zendat32_entry(ZENDAT32_HIJRI_TO_GREG));
    const Sample &s = sample();
    for (size_t i = 0; i < kDates; ++i) {
        const Date &g = s.greg[i], &h = s.hijri[i];
        int32_t y, m, d;
        if (!toH(&g.y, &g.m, &g.d, &y, &m, &d) || y != h.y || m != h.m || d != h.d)
            return false;
        if (!toG(&h.y, &h.m, &h.d, &y, &m, &d) || y != g.y || m != g.m || d != g.d)
            return false;
    }
    return true;
}

} // namespace

#define CONVERSION_BENCHMARK(fn)                                                                                       \
    BENCHMARK(fn)                                                                                                      \
        ->Unit(benchmark::kNanosecond)                                                                                 \
        ->MinTime(0.2)                                                                                                 \
        ->Repetitions(7)                                                                                               \
        ->ComputeStatistics("min", smallest)                                                                           \
        ->ReportAggregatesOnly(true)

CONVERSION_BENCHMARK(engineGregToHijri);
CONVERSION_BENCHMARK(engineHijriToGreg);
CONVERSION_BENCHMARK(qtGregToHijri);
CONVERSION_BENCHMARK(qtHijriToGreg);
CONVERSION_BENCHMARK(icuGregToHijri);
CONVERSION_BENCHMARK(icuHijriToGreg);

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (!sampleAgrees()) {
        std::fprintf(stderr, "the engine disagrees with QCalendar on the sample dates\n");
        return 1;
    }
    TableReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto at = [](const std::map<std::string, double> &ns, const std::string &name) {
        const auto it = ns.find(name);
        return it == ns.end() ? 0.0 : it->second;
    };
    std::printf("\nns per conversion, fastest of 7 repetitions (median in brackets)\n");
    std::printf("%-12s %18s %18s %18s %10s %10s\n", "", "engine", "QCalendar", "ICU", "Qt/engine", "ICU/engine");
    bool met = true;
    for (const char *way : {"GregToHijri", "HijriToGreg"}) {
        const std::string e = std::string("engine") + way, q = std::string("qt") + way, u = std::string("icu") + way;
        const double ef = at(reporter.fastest, e), qf = at(reporter.fastest, q), uf = at(reporter.fastest, u);
        if (ef <= 0)
            continue;
        std::printf("%-12s %8.2f (%7.2f) %8.2f (%7.2f) %8.2f (%7.2f) %9.1fx %9.1fx\n", way, ef, at(reporter.median, e),
                    qf, at(reporter.median, q), uf, at(reporter.median, u), qf / ef, uf / ef);
        met = met && ef <= 12.0 && (qf <= 0 || qf > ef) && (uf <= 0 || uf >= 30 * ef);
    }
    std::printf("targets (engine <= 12 ns, faster than QCalendar, >= 30x faster than ICU): %s\n",
                met ? "met" : "MISSED");
    return 0;
}
