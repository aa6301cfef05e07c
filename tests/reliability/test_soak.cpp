// One running program given ten thousand random user actions: after each,
// the boxes, bars, page, dialogs and printed pages agree with the program's
// rules, and memory in use does not grow once the program has warmed up.
// The seed is printed; DOVRIN_SOAK_SEED and DOVRIN_SOAK_ACTIONS (read by this
// test only) replay or lengthen a run.
#include "monkey.h"
#include "platform/clock.h"

using core::Lead;

#include <QElapsedTimer>
#include <QFile>
#include <QPixmapCache>
#include <malloc.h>

#if defined(__SANITIZE_ADDRESS__)
#define DOVRIN_SOAK_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define DOVRIN_SOAK_SANITIZED 1
#endif
#endif
#ifdef DOVRIN_SOAK_SANITIZED
// The sanitizer runtime's count (its header comes with clang only).
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

namespace {

constexpr int DefaultActions = 10000;
// Fonts, printer metrics and the dialogs' first showings settle by then;
// memory is read every ReadingEvery actions afterwards.
constexpr int WarmUpActions = 2000;
constexpr int ReadingEvery = 2000;
constexpr uint32_t DefaultSeed = 20240716;

// Bytes handed out by the allocator and not yet given back.
std::size_t heapInUse()
{
#ifdef DOVRIN_SOAK_SANITIZED
    return __sanitizer_get_current_allocated_bytes();
#else
    return mallinfo2().uordblks;
#endif
}

// A "VmRSS:"-style line of /proc/self/status, in kB.
long statusKb(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray prefix = QByteArray(field) + ':';
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(prefix))
            return line.mid(prefix.size()).trimmed().split(' ').value(0).toLong();
    return -1;
}

uint32_t numberFromEnvironment(const char *name, uint32_t otherwise)
{
    bool ok = false;
    const uint32_t value = qEnvironmentVariable(name).toUInt(&ok);
    return ok ? value : otherwise;
}

struct Memory {
    std::size_t heap;
    long rssKb;
};

Memory memoryNow()
{
    malloc_trim(0);
    return {heapInUse(), statusKb("VmRSS")};
}

} // namespace

class TestSoak : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void barsFollowTheBoxesAfterACalendarSwitch();
    void randomUserActions();
};

void TestSoak::initTestCase()
{
    drive::quietPlatformNotes();
    testsupport::installRealEngine();
    platform::pinDate(QDate(2024, 7, 16)); // 9 Muharram 1446
}

// A box entered and left unchanged keeps its editing flag until its bar
// next moves; a switch of calendars moves the bar to today's month and must
// not be taken back to the month that the box held before the switch.
void TestSoak::barsFollowTheBoxesAfterACalendarSwitch()
{
    testsupport::MessageCatcher messages;
    CalMain w;
    QVERIFY(drive::activate(w));
    for (QLineEdit *box : {w.MonthTXT, w.YearTXT}) {
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClick(box, Qt::Key_Tab);
        QVERIFY(!box->hasFocus());
    }
    QVERIFY(w.MonthEditing && w.YearEditing);
    drive::clickOption(w.HegOpt);
    QCOMPARE(w.MonthTXT->text(), QStringLiteral("1"));
    QCOMPARE(w.YearTXT->text(), QStringLiteral("1446"));
    QCOMPARE(w.MonthScroll->Value(), 1);
    QCOMPARE(w.YearScroll->Value(), 1446);
    // The next arrow click steps from the month shown.
    drive::clickBarPart(w.MonthScroll, QStyle::SC_ScrollBarSubLine);
    QCOMPARE(w.MonthTXT->text(), QStringLiteral("2"));
    QCOMPARE(messages.count(), 0);
}

void TestSoak::randomUserActions()
{
    const uint32_t seed = numberFromEnvironment("DOVRIN_SOAK_SEED", DefaultSeed);
    const int wanted = int(numberFromEnvironment("DOVRIN_SOAK_ACTIONS", DefaultActions));
    qInfo("seed %u, %d actions (DOVRIN_SOAK_SEED, DOVRIN_SOAK_ACTIONS)", seed, wanted);

    testsupport::MessageCatcher messages;
    // Qt's style keeps drawn button faces in the pixmap cache, with a key
    // for each palette ever drawn with: Qt's memory, not the program's.
    QPixmapCache::setCacheLimit(0);
    CalMain w;
    QVERIFY(drive::activate(w));
    monkey::Monkey user(w, messages, seed);
    // Every dialog unloaded first, as they are after a start, and two
    // different months shown, so that the page is held once (a drawing is
    // kept twice while the screen still shows the one before).
    const auto settledMemory = [&] {
        user.unloadDialogs();
        const QString year = drive::leadOf(w) == Lead::Gregorian ? QStringLiteral("1999") : QStringLiteral("1420");
        for (const QString month : {QStringLiteral("1"), QStringLiteral("2")}) {
            drive::paste(w.MonthTXT, month);
            drive::paste(w.YearTXT, year);
            drive::click(w.GoCMD);
            QTest::qWait(1);
        }
        messages.clear();
        return memoryNow();
    };
    // Runs to the given number of actions, taking a settled reading every
    // ReadingEvery actions on the way.
    std::vector<std::pair<int, Memory>> readings;
    const auto runUntil = [&](int actions) {
        while (user.actions() < actions) {
            user.act();
            if (QTest::currentTestFailed()) {
                qWarning("seed %u, action %d failed; the actions before it:\n%s", seed, user.actions(),
                         qPrintable(user.recentActions()));
                return false;
            }
            if (user.actions() >= WarmUpActions
                && (readings.empty() || user.actions() - readings.back().first >= ReadingEvery)) {
                readings.emplace_back(user.actions(), settledMemory());
                qInfo("after %d actions: heap in use %zu bytes, resident %ld kB", user.actions(),
                      readings.back().second.heap, readings.back().second.rssKb);
            }
        }
        return true;
    };

    // Every script of the hostile texts laid out and drawn once: the fonts
    // they load stay loaded.
    for (const drive::Hostile &h : drive::hostileTexts()) {
        drive::paste(w.MonthTXT, h.text);
        w.MonthTXT->repaint();
    }
    QTest::keyClick(w.MonthTXT, Qt::Key_Tab);

    QElapsedTimer clock;
    clock.start();
    if (!runUntil(wanted))
        return;
    if (readings.empty() || readings.back().first != user.actions())
        readings.emplace_back(user.actions(), settledMemory());
    const double seconds = clock.elapsed() / 1000.0;
    qInfo("%d actions in %.1f s (%d documents printed, %d messages answered); peak resident %ld kB",
          user.actions(), seconds, user.documentsPrinted(), user.messagesAnswered(), statusKb("VmHWM"));
    QVERIFY2(readings.size() >= 4, "too short a run to tell whether memory grows");

    // Nothing the actions do keeps memory: after the warm-up the heap only
    // moves with what the boxes' undo history and the fonts hold, well under
    // 32 bytes per action, and with whether a picture's drawing is held once
    // or twice (the drawing, and what the screen was last asked to show). The
    // lower of the first two readings is set against the lower of the last
    // two. Under the sanitizers freed memory waits in quarantine, so the
    // resident size says nothing there.
    const auto lower = [](const std::pair<int, Memory> &a, const std::pair<int, Memory> &b) {
        return a.second.heap < b.second.heap ? a : b;
    };
    const auto early = lower(readings[0], readings[1]);
    const auto late = lower(readings[readings.size() - 2], readings.back());
    const std::ptrdiff_t pictures = w.Pic->image().sizeInBytes() + w.Pic2->image().sizeInBytes();
    const std::ptrdiff_t heapGrowth = std::ptrdiff_t(late.second.heap) - std::ptrdiff_t(early.second.heap);
    qInfo("heap in use %zu bytes after %d actions, %zu bytes after %d actions", early.second.heap, early.first,
          late.second.heap, late.first);
    QVERIFY2(heapGrowth < 32 * (late.first - early.first) + pictures,
             qPrintable(QStringLiteral("heap grew by %1 bytes").arg(heapGrowth)));
#ifndef DOVRIN_SOAK_SANITIZED
    const long rssGrowth = late.second.rssKb - early.second.rssKb;
    QVERIFY2(rssGrowth < 4 * 1024, qPrintable(QStringLiteral("resident memory grew by %1 kB").arg(rssGrowth)));
#endif
}

QTEST_MAIN(TestSoak)
#include "test_soak.moc"
