// One running program given ten thousand random user actions: after each, the rules of drive.h hold, and the heap
// read in settled states does not grow. DOVRIN_SOAK_SEED and DOVRIN_SOAK_ACTIONS replay or lengthen a run.
#include "about/calabout.h"
#include "drive.h"
#include "platform/clock/clock.h"

#include <QPixmapCache>
#include <QWheelEvent>
#include <random>

using namespace drive;

// Bytes handed out by the allocator and not yet given back.
#if defined(__SANITIZE_ADDRESS__)
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
std::size_t heapInUse() { return __sanitizer_get_current_allocated_bytes(); }
#else
#include <malloc.h>
std::size_t heapInUse()
{
    malloc_trim(0);
    return mallinfo2().uordblks;
}
#endif

struct User {
    CalMain &w;
    Messages &messages;
    std::mt19937 random;

    void act()
    {
        const QString headingBefore = testsupport::label(w, "Heading")->text();
        messages.clear();
        const int pick = below(100);
        if (pick < 30)
            chance(50) ? enter(testsupport::box(w, "MonthTXT"), numberIn(1, 12))
                       : enter(testsupport::box(w, "YearTXT"), yearIn(leadOf(w)));
        else if (pick < 35)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w, Qt::Key_Tab);
        else if (pick < 41)
            clickOption(chance(50) ? testsupport::option(w, "HegOpt") : testsupport::option(w, "GregOpt"));
        else if (pick < 60)
            moveBar(chance(50) ? testsupport::bar(w, "MonthScroll") : testsupport::bar(w, "YearScroll"));
        else if (pick < 72)
            goAndCheck(w, messages);
        else if (pick < 75)
            w.centralWidget()->repaint();
        else if (pick < 85)
            inDialog<CalConv>(testsupport::entry(w, "Convert"), "ToExit", [this](CalConv &d) { converting(d); });
        else if (pick < 95)
            inDialog<CalPrint>(testsupport::entry(w, "PrintCal"), "CancelButton", [this](CalPrint &d) { printing(d); });
        else
            inDialog<CalAbout>(testsupport::entry(w, "About"), "Command1");
        checkMainWindow(w, headingBefore, messages, pick < 41 || pick >= 60); // a bar goes on past a refused box
    }

    // A like state for each reading of the heap: every dialog closed from its frame, so that none is kept, and
    // two months shown in turn so that the page is held once.
    void settle()
    {
        for (QAction *entry :
             {testsupport::entry(w, "Convert"), testsupport::entry(w, "PrintCal"), testsupport::entry(w, "About")})
            inDialog<QDialog>(entry, "", [](QDialog &d) { d.close(); });
        QVERIFY(!w.findChild<CalConv *>() && !w.findChild<CalPrint *>() && !w.findChild<CalAbout *>());
        for (const char *month : {"1", "2"}) {
            fill({testsupport::box(w, "MonthTXT"), testsupport::box(w, "YearTXT")},
                 {month, leadOf(w) == Lead::Hijri ? "1420" : "1999"});
            click(testsupport::button(w, "GoCMD"));
        }
        QTest::qWait(1);
    }

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    bool chance(int percent) { return below(100) < percent; }

    // Mostly numbers a user means, some just outside the range, some hostile (cut to 100 characters: a box
    // keeps room for the longest undo history it held, which would read as growth).
    QString numberIn(int low, int high)
    {
        static const QStringList hostile = hostileTexts();
        const int pick = below(100);
        if (pick < 70)
            return QString::number(low + below(high - low + 1));
        if (pick < 85)
            return QString::number(chance(50) ? low - below(3) : high + below(3));
        if (pick < 92)
            return u' ' + QString::number(low + below(high - low + 1)) + QStringLiteral(".4");
        return hostile[below(int(hostile.size()))].left(100);
    }
    QString yearIn(Lead lead) { return lead == Lead::Hijri ? numberIn(1, 2000) : numberIn(622, 2562); }

    // Typed key by key, into a box clicked or tabbed to, when it can be; pasted when it cannot.
    void enter(QLineEdit *box, const QString &text)
    {
        const bool typeable = !text.isEmpty() && text.size() < 40
            && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u' ' && c <= u'~'; });
        if (!typeable)
            return paste(box, text);
        if (!box->window()->isActiveWindow())
            activate(*box->window()); // as a click into it would
        chance(50) ? QTest::mouseClick(box, Qt::LeftButton) : box->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(box, text);
    }

    void moveBar(platform::VScrollBar *bar)
    {
        const auto part = QStyle::SubControl(QStyle::SC_ScrollBarAddLine << below(4)); // an arrow or a trough side
        if (chance(80))
            return QTest::mouseClick(bar, Qt::LeftButton, {}, bar->partRect(part).center());
        const QPointF at(bar->width() / 2.0, bar->height() / 2.0);
        QWheelEvent wheel(at, bar->mapToGlobal(at), {}, {0, chance(50) ? 120 : -120}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(bar, &wheel);
    }

    void converting(CalConv &d)
    {
        for (int n = below(4); n > 0; --n) {
            const bool toHijri = chance(50);
            enter(testsupport::box(d, "InYearTXT"), yearIn(toHijri ? Lead::Gregorian : Lead::Hijri));
            enter(testsupport::box(d, "InMonthTXT"), numberIn(1, 12));
            enter(testsupport::box(d, "InDayTXT"), numberIn(1, 30));
            convertAndCheck(d, toHijri ? testsupport::button(d, "ToHegiry") : testsupport::button(d, "ToGreg"),
                            messages);
        }
    }

    void printing(CalPrint &d)
    {
        testsupport::RecordingPrinter printer;
        d.usePrinter(&printer);
        for (int n = below(3); n > 0; --n) {
            clickOption(chance(50) ? testsupport::option(d, "OPTHegiry") : testsupport::option(d, "OPTGregorian"));
            enter(testsupport::box(d, "YearTXTPRT"),
                  yearIn(testsupport::option(d, "OPTHegiry")->isChecked() ? Lead::Hijri : Lead::Gregorian));
            enter(testsupport::box(d, "FromMonthTXTPRT"), numberIn(1, 12));
            enter(testsupport::box(d, "ToMonthTXTPRT"), numberIn(1, 12));
            printAndCheck(d, printer, messages);
        }
        d.usePrinter(nullptr);
    }

    // Opens a dialog from the menu, has `work` use it, then closes it by its Exit button, by Escape (which the
    // conversion dialog and About box take for Exit) or from the frame; one left open fails instead of hanging.
    template <typename Dialog>
    void inDialog(QAction *entry, const char *exit, const std::function<void(Dialog &)> &work = {})
    {
        const bool closed = testsupport::whileOpen<Dialog>(entry, [&](Dialog &d) {
            if (work)
                work(d);
            if (!d.isVisible())
                return;
            const int how = below(3);
            if (how == 0 && *exit)
                click(testsupport::button(d, exit));
            else if (how == 1 && !std::is_same_v<Dialog, CalPrint>)
                QTest::keyClick(&d, Qt::Key_Escape);
            else
                d.close();
        });
        QVERIFY2(closed, qPrintable(entry->text() + QStringLiteral(": did not open, or was left open")));
        messages.clear(); // the dialog's own, checked already
        QVERIFY(activate(w));
    }
};

class TestSoak : public QObject {
    Q_OBJECT
private slots:
    void randomUserActions()
    {
        const uint32_t seed = qEnvironmentVariable("DOVRIN_SOAK_SEED", "20240716").toUInt();
        const int actions = qEnvironmentVariable("DOVRIN_SOAK_ACTIONS", "10000").toInt();
        testsupport::installRealEngine();
        platform::pinDate(QDate(2024, 7, 16));
        QPixmapCache::setCacheLimit(0); // the style's button faces are Qt's memory, not the program's
        Messages messages;
        CalMain w;
        QVERIFY(activate(w));
        User user{w, messages, std::mt19937(seed)};
        std::vector<std::size_t> heap;
        for (int n = 1; n <= actions && !QTest::currentTestFailed(); ++n) {
            user.act();
            if (QTest::currentTestFailed())
                qInfo("seed %u failed at action %d", seed, n);
            if (n % 2000 == 0) {
                user.settle();
                heap.push_back(heapInUse());
                qInfo("seed %u, %d actions: heap %zu kB in use", seed, n, heap.back() / 1024);
            }
        }
        // Past the first reading (fonts and dialogs shown the first time) the heap may wander a little, not climb.
        if (heap.size() >= 3)
            QVERIFY(std::min(heap.end()[-1], heap.end()[-2]) <= std::min(heap[1], heap[2]) * 21 / 20 + 64 * 1024);
    }
};

QTEST_MAIN(TestSoak)
#include "test_soak.moc"
