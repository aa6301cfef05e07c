// One running program given ten thousand random user actions: after each,
// the boxes, bars, page, dialogs and printed pages keep the program's rules,
// and memory in use does not grow once the program has warmed up.
// DOVRIN_SOAK_SEED and DOVRIN_SOAK_ACTIONS replay or lengthen a run.
#include "about/calabout.h"
#include "drive.h"
#include "platform/clock.h"

#include <QPixmapCache>
#include <QPointer>
#include <QTimer>
#include <QWheelEvent>
#include <malloc.h>
#include <random>

#if defined(__SANITIZE_ADDRESS__)
extern "C" std::size_t __sanitizer_get_current_allocated_bytes();
#endif

using namespace drive;

namespace {

// Bytes handed out by the allocator and not yet given back.
std::size_t heapInUse()
{
#if defined(__SANITIZE_ADDRESS__)
    return __sanitizer_get_current_allocated_bytes();
#else
    malloc_trim(0);
    return mallinfo2().uordblks;
#endif
}

class User {
public:
    User(CalMain &w, Messages &messages, uint32_t seed) : w(w), messages(messages), random(seed) {}

    void act()
    {
        const QString headingBefore = w.Heading->text();
        messages.clear();
        const int pick = below(100);
        const bool barMoved = pick >= 41 && pick < 60;
        if (pick < 30)
            chance(50) ? enter(w.MonthTXT, numberIn(1, 12)) : enter(w.YearTXT, yearIn(leadOf(w)));
        else if (pick < 35)
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &w, Qt::Key_Tab);
        else if (pick < 41)
            clickOption(chance(50) ? w.HegOpt : w.GregOpt);
        else if (pick < 60)
            moveBar(chance(50) ? w.MonthScroll : w.YearScroll);
        else if (pick < 72)
            go();
        else if (pick < 75)
            w.centralWidget()->repaint();
        else if (pick < 85)
            inDialog<CalConv>(w.Convert, [this](CalConv &d) { converting(d); });
        else if (pick < 95)
            inDialog<CalPrint>(w.PrintCal, [this](CalPrint &d) { printing(d); });
        else
            inDialog<CalAbout>(w.About, [this](CalAbout &d) { closeDialog(d, d.Command1); });
        checkMainWindow(w, headingBefore, messages, !barMoved);
        QVERIFY(!QApplication::activeModalWidget());
    }

    // Every dialog closed from its frame, so that none is kept.
    void unloadDialogs()
    {
        inDialog<CalConv>(w.Convert, [](CalConv &d) { d.close(); });
        inDialog<CalPrint>(w.PrintCal, [](CalPrint &d) { d.close(); });
        inDialog<CalAbout>(w.About, [](CalAbout &d) { d.close(); });
        QVERIFY(!w.convForm() && !w.printForm() && !w.aboutForm());
        printer = std::make_unique<platform::RecordingPrinter>(); // it keeps room for its longest job
    }

    int documents = 0;

private:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    bool chance(int percent) { return below(100) < percent; }

    // Mostly numbers a user means, some just outside the range, some hostile.
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
        // Cut to 100 characters: a box keeps room for the longest undo
        // history it ever held (Qt's, one step per character), which would
        // read as growth; the full texts are the hostile-input test's.
        return hostile[below(int(hostile.size()))].left(100);
    }
    QString yearIn(Lead lead) { return lead == Lead::Hijri ? numberIn(1, 2000) : numberIn(622, 2562); }

    // Typed key by key when it can be, pasted when it cannot.
    void enter(QLineEdit *box, const QString &text)
    {
        const bool typeable = !text.isEmpty() && text.size() < 40
                              && std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u' ' && c <= u'~'; });
        if (!typeable)
            return paste(box, text);
        if (!box->window()->isActiveWindow())
            activate(*box->window());
        if (chance(50))
            QTest::mouseClick(box, Qt::LeftButton);
        else
            box->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(box, text);
    }

    void moveBar(platform::VScrollBar *bar)
    {
        static const QStyle::SubControl parts[] = {QStyle::SC_ScrollBarAddLine, QStyle::SC_ScrollBarSubLine,
                                                   QStyle::SC_ScrollBarAddPage, QStyle::SC_ScrollBarSubPage};
        if (chance(80)) {
            const QRect r = bar->partRect(parts[below(4)]);
            if (!r.isEmpty())
                QTest::mouseClick(bar, Qt::LeftButton, {}, r.center());
            return;
        }
        const QPointF at(bar->width() / 2.0, bar->height() / 2.0);
        QWheelEvent wheel(at, bar->mapToGlobal(at), {}, {0, chance(50) ? 120 : -120}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(bar, &wheel);
    }

    void go()
    {
        click(w.GoCMD);
        if (messages.count() > 0)
            return;
        const Lead lead = leadOf(w);
        QVERIFY(inRange(lead, whole(w.MonthTXT), whole(w.YearTXT)));
        QCOMPARE(w.Heading->text(), headingFor(lead, whole(w.MonthTXT), whole(w.YearTXT)));
    }

    void converting(CalConv &d)
    {
        for (int n = below(4); n > 0; --n) {
            const bool toHijri = chance(50);
            enter(d.InYearTXT, yearIn(toHijri ? Lead::Gregorian : Lead::Hijri));
            enter(d.InMonthTXT, numberIn(1, 12));
            enter(d.InDayTXT, numberIn(1, 30));
            convertAndCheck(d, toHijri ? d.ToHegiry : d.ToGreg, messages);
        }
        closeDialog(d, d.ToExit);
    }

    void printing(CalPrint &d)
    {
        d.usePrinter(printer.get());
        for (int n = below(3); n > 0; --n) {
            clickOption(chance(50) ? d.OPTHegiry : d.OPTGregorian);
            enter(d.YearTXTPRT, yearIn(d.OPTHegiry->isChecked() ? Lead::Hijri : Lead::Gregorian));
            enter(d.FromMonthTXTPRT, numberIn(1, 12));
            enter(d.ToMonthTXTPRT, numberIn(1, 12));
            printAndCheck(d, *printer, messages);
            documents += printer->documentCount();
        }
        d.usePrinter(nullptr);
        closeDialog(d, d.CancelButton);
    }

    // By its Exit button, by Escape (which the conversion dialog and the
    // About box take for Exit) or from the frame.
    void closeDialog(QDialog &d, QPushButton *exit)
    {
        const int how = below(3);
        if (how == 0)
            click(exit);
        else if (how == 1 && !qobject_cast<CalPrint *>(&d))
            QTest::keyClick(&d, Qt::Key_Escape);
        else
            d.close();
    }

    // Opens a dialog from the menu; `work` runs while it is shown modally
    // and closes it. A dialog left open fails the test instead of hanging it.
    template <typename Dialog>
    void inDialog(QAction *entry, const std::function<void(Dialog &)> &work)
    {
        bool opened = false;
        QTimer::singleShot(0, &w, [&] {
            QPointer<Dialog> d = qobject_cast<Dialog *>(QApplication::activeModalWidget());
            if (!d || !activate(*d)) {
                if (QWidget *other = QApplication::activeModalWidget())
                    other->hide();
                return;
            }
            opened = true;
            work(*d);
            if (d && d->isVisible()) {
                d->hide();
                QFAIL("the dialog was left open");
            }
        });
        entry->trigger();
        QVERIFY2(opened, qPrintable(entry->text()));
        messages.clear(); // the dialog's own, checked already
        QVERIFY(activate(w));
    }

    CalMain &w;
    Messages &messages;
    std::mt19937 random;
    std::unique_ptr<platform::RecordingPrinter> printer = std::make_unique<platform::RecordingPrinter>();
};

} // namespace

class TestSoak : public QObject {
    Q_OBJECT
private slots:
    void randomUserActions();
};

void TestSoak::randomUserActions()
{
    const uint32_t seed = qEnvironmentVariable("DOVRIN_SOAK_SEED", "20240716").toUInt();
    const int actions = qEnvironmentVariable("DOVRIN_SOAK_ACTIONS", "10000").toInt();
    testsupport::installRealEngine();
    platform::pinDate(QDate(2024, 7, 16));
    QPixmapCache::setCacheLimit(0); // the style's button faces are Qt's memory, not the program's
    Messages messages;
    CalMain w;
    QVERIFY(activate(w));
    User user(w, messages, seed);

    // Readings every 2,000 actions in like states: no dialog kept, and two
    // months shown in turn so that the page is held once.
    std::vector<std::size_t> heap;
    const auto settledHeap = [&] {
        user.unloadDialogs();
        for (const char *month : {"1", "2"}) {
            paste(w.MonthTXT, QString::fromLatin1(month));
            paste(w.YearTXT, leadOf(w) == Lead::Hijri ? QStringLiteral("1420") : QStringLiteral("1999"));
            click(w.GoCMD);
        }
        QTest::qWait(1);
        return heapInUse();
    };
    QElapsedTimer clock;
    clock.start();
    for (int n = 1; n <= actions && !QTest::currentTestFailed(); ++n) {
        user.act();
        if (QTest::currentTestFailed())
            qInfo("seed %u failed at action %d", seed, n);
        if (n % 2000 == 0)
            heap.push_back(settledHeap());
    }
    qInfo("seed %u: %d actions in %lld ms, %d pages printed; heap in use every 2,000 actions (kB):", seed, actions,
          clock.elapsed(), user.documents);
    for (const std::size_t bytes : heap)
        qInfo("  %zu", bytes / 1024);
    // The first reading includes the fonts and dialogs' first showings; past
    // it, the heap may wander a little but must not climb.
    if (heap.size() >= 3) {
        const std::size_t early = std::min(heap[1], heap[2]), late = *std::min_element(heap.end() - 2, heap.end());
        QVERIFY2(late <= early + early / 20 + 64 * 1024, qPrintable(QStringLiteral("%1 -> %2").arg(early).arg(late)));
    }
}

QTEST_MAIN(TestSoak)
#include "test_soak.moc"
