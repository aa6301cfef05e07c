// One running program given ten thousand random user actions: after each,
// the boxes, bars, page, dialogs and printed pages agree with the program's
// rules, and memory in use does not grow once the program has warmed up.
// The seed is printed; DOVRIN_SOAK_SEED and DOVRIN_SOAK_ACTIONS (read by this
// test only) replay or lengthen a run.
#include "monkey.h"
#include "platform/clock.h"

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
// Fonts, printer metrics and the dialogs' first showings settle by then.
constexpr int WarmUpActions = 2000;
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
    // Every dialog unloaded first, as they are after a start, and the page
    // shown as drawn (a page not yet shown is held twice for a while).
    const auto settledMemory = [&] {
        user.unloadDialogs();
        w.centralWidget()->repaint();
        QTest::qWait(1);
        return memoryNow();
    };
    const auto runUntil = [&](int actions) {
        int nextReport = (user.actions() / 2000 + 1) * 2000;
        while (user.actions() < actions) {
            user.act();
            if (user.actions() >= nextReport) {
                const Memory now = settledMemory();
                qInfo("after %d actions: heap in use %zu bytes, resident %ld kB", user.actions(), now.heap, now.rssKb);
                nextReport += 2000;
            }
            if (QTest::currentTestFailed()) {
                qWarning("seed %u, action %d failed; the actions before it:\n%s", seed, user.actions(),
                         qPrintable(user.recentActions()));
                return false;
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
    if (!runUntil(std::min(WarmUpActions, wanted / 2)))
        return;
    const int warmedUp = user.actions();
    const Memory before = settledMemory();
    if (!runUntil(wanted))
        return;
    const Memory after = settledMemory();
    const double seconds = clock.elapsed() / 1000.0;
    qInfo("%d actions in %.1f s (%d documents printed, %d messages answered)", user.actions(), seconds,
          user.documentsPrinted(), user.messagesAnswered());
    qInfo("after %d actions: heap in use %zu bytes, resident %ld kB; at the end: heap %zu bytes, resident %ld kB, "
          "peak resident %ld kB",
          warmedUp, before.heap, before.rssKb, after.heap, after.rssKb, statusKb("VmHWM"));

    // Nothing the actions do keeps memory: after the warm-up the heap only
    // moves with what the boxes' undo and the fonts hold, well under 32
    // bytes per action, and with whether a picture holds its drawing once or
    // twice (the drawing and what the screen last showed). Under the
    // sanitizers freed memory waits in quarantine, so the resident size says
    // nothing there.
    const std::ptrdiff_t pictures = w.Pic->image().sizeInBytes() + w.Pic2->image().sizeInBytes();
    const std::ptrdiff_t heapGrowth = std::ptrdiff_t(after.heap) - std::ptrdiff_t(before.heap);
    QVERIFY2(heapGrowth < 32 * (user.actions() - warmedUp) + pictures,
             qPrintable(QStringLiteral("heap grew by %1 bytes").arg(heapGrowth)));
#ifndef DOVRIN_SOAK_SANITIZED
    QVERIFY2(after.rssKb - before.rssKb < 8 * 1024,
             qPrintable(QStringLiteral("resident memory grew by %1 kB").arg(after.rssKb - before.rssKb)));
#endif
}

QTEST_MAIN(TestSoak)
#include "test_soak.moc"
