// The whole program against what users and machines throw at it (one driver, User, for hostile and random steps).
#include "convert/calconv.h"
#include "core/names.h"
#include "mainwin/calmain.h"
#include "platform/clock/clock.h"
#include "print/calprint.h"
#include "testsupport.h"

#include <QPixmapCache>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <malloc.h>
#include <random>

using namespace testsupport;

namespace {
const QStringList Hostile = QString(" \t\n\t |+-|.|7.5|2,5|1E999|-1E999|NaN|2\t0\n2\t4|\u0633\u0646\u0629|\u202E12|"
                                    "\u0662\u0660\u0662\u0664|\U0001F4C5 7|")
                                .split(u'|')
    + QStringList{QString(10000, u'9'), QString(9999, u'0') + u'7', "&H" + QString(40, u'F'), QString(QChar(0)) + u'7'};
struct Panel { // a window's boxes, what there is to press in it, and texts it takes in either calendar
    QStringList boxes, controls, usual;
} const Main{{"MonthTXT", "YearTXT"}, {"GoCMD", "MonthScroll", "YearScroll", "GregOpt", "HegOpt"}, {"8", "1421"}},
    Conv{{"InYearTXT", "InMonthTXT", "InDayTXT"}, {"ToHegiry", "ToGreg"}, {"2024", "7", "16"}},
    Print{{"YearTXTPRT", "FromMonthTXTPRT", "ToMonthTXTPRT"},
          {"PrintPRT", "OPTGregorian", "OPTHegiry"},
          {"2000", "1", "1"}};
int32_t number(const QWidget &window, const char *name) { return box(window, name)->wholeNumber(); }
QString heading(core::Lead l, int m, int y, QString gap) { return core::MonthName(l, m) + gap + QString::number(y); }
} // namespace

struct User { // the main window and its two dialogs, printing on a recording printer
    CalMain w;
    CalConv conv;
    CalPrint print;
    MessageCatcher messages;
    std::unique_ptr<RecordingPrinter> printer;
    bool printingBoxShown = false;
    std::mt19937 random;
    const std::pair<QWidget *, const Panel *> windows[3] = {{&conv, &Conv}, {&print, &Print}, {&w, &Main}};
    explicit User(uint32_t seed) : random(seed) { newPrinter(); }
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
    void newPrinter() // (one keeps all it printed)
    {
        print.usePrinter((printer = std::make_unique<RecordingPrinter>()).get());
        printer->afterEndDoc = [this] { printingBoxShown |= print.findChild<QDialog *>()->isVisible(); };
    }

    // A text into a box (typed where keys type it, else pasted) or a press, then the rules of its window.
    void step(QWidget &window, const QString &name, const QString &text = {})
    {
        QWidget *control = find(window, qPrintable(name));
        QVERIFY(activate(window));
        const auto outputs = [&] {
            return QStringList{label(conv, "OutYearTXT")->text(), label(conv, "OutMonthTXT")->text(),
                               label(conv, "OutDayTXT")->text(), label(conv, "ToWeekDay")->text()};
        };
        QStringList expected = outputs();
        const int printed = printer->documentCount();
        messages.shown.clear(), printingBoxShown = false;
        auto *bar = qobject_cast<platform::VScrollBar *>(control);
        if (auto *b = qobject_cast<QLineEdit *>(control)) { // a box
            b->setFocus(Qt::TabFocusReason);                // which selects its text
            below(2) && text.contains(QRegularExpression("^[ -~]{1,9}$")) ? QTest::keyClicks(b, text) : b->insert(text);
        } else if (bar)
            QTest::mouseClick(bar, Qt::LeftButton, {}, bar->partRect(QStyle::SubControl(1 << below(4))).center());
        else
            click(static_cast<QAbstractButton *>(control));

        // The main window: a box not being edited holds a plain number its bar shows; a refusal brings today's month
        // back (16 July 2024, 9 Muharram 1446) unless a bar's click went on past it; Go draws only a month it shows.
        const bool hijri = (&window == &print ? option(print, "OPTHegiry") : option(w, "HegOpt"))->isChecked();
        const auto lead = hijri ? core::Lead::Hijri : core::Lead::Gregorian;
        if (&window == &w) {
            for (const auto &[name, barName, today] : {std::tuple{"MonthTXT", "MonthScroll", hijri ? 1 : 7},
                                                       std::tuple{"YearTXT", "YearScroll", hijri ? 1446 : 2024}}) {
                if (box(w, name)->hasFocus())
                    continue;
                QCOMPARE(box(w, name)->text(), QString::number(testsupport::bar(w, barName)->Value()));
                QVERIFY2(messages.shown.isEmpty() || bar || number(w, name) == today, name);
            }
            const core::YearMonth month{number(w, "YearTXT"), number(w, "MonthTXT")};
            const QString drawn = label(w, "Heading")->text();
            QVERIFY2(name != u"GoCMD" || !messages.shown.isEmpty()
                         || (drawn == heading(lead, month.month, month.year, ",") && core::goShowsMonth(lead, month)),
                     qPrintable(drawn));
            return;
        }
        // Print: refused or a page per month headed by it, the printing box shown if, and only if, several months.
        // Conversions: the engine's, or refused keeping the outputs, which nothing else changes.
        const int32_t year = number(print, "YearTXTPRT"), from = number(print, "FromMonthTXTPRT"),
                      to = number(print, "ToMonthTXTPRT");
        const bool months = from >= 1 && from <= 12 && to >= 1 && to <= 12;
        const bool allowed = name == u"PrintPRT" && months && core::monthInSpan(lead, {year, from})
            && core::monthInSpan(lead, {year, to});
        if (name == u"PrintPRT" && !allowed)
            expected.prepend(QString("Input Error .....: Check your ")
                             + (months ? "date" : "'From Month' or 'To Month'") + " limits");
        QCOMPARE(printer->documentCount() - printed, allowed ? std::max(0, to - from + 1) : 0);
        QCOMPARE(printingBoxShown, allowed && to > from);
        for (int32_t month = from; allowed && month <= to; ++month)
            QCOMPARE(headingOf(*printer, printed + month - from + 1).value_or(RecordingPrinter::Op()).text,
                     heading(lead, month, year, "    "));
        const int32_t y = number(conv, "InYearTXT"), m = number(conv, "InMonthTXT"), d = number(conv, "InDayTXT");
        const core::CalendarEngine &e = core::engine();
        const bool toHijri = name == u"ToHegiry", converts = toHijri || name == u"ToGreg";
        if (converts && (toHijri ? e.CheckGregDate(y, m, d) : e.CheckHijriDate(y, m, d))) {
            const core::Ymd c = toHijri ? e.GregToHijri(y, m, d) : e.HijriToGreg(y, m, d),
                            g = toHijri ? core::Ymd{y, m, d} : c;
            expected = {QString::number(c.year), QString::number(c.month), QString::number(c.day),
                        core::WeekDayName(e.WeekDayOf(g.year, g.month, g.day))};
        } else if (converts)
            expected.prepend("Input Error.....: Date out of range .....");
        QCOMPARE(messages.shown + outputs(), expected);
    }
};

class TestReliability : public QObject {
    Q_OBJECT
private slots:
    void init()
    {
        realEngine();
        platform::pinDate(QDate(2024, 7, 16));
    }

    // Each text into every box of every window, then each button pressed; after each, the usual texts work again.
    void hostileInput()
    {
        for (const QString &text : Hostile) {
            User u(7);
            for (const auto &[window, panel] : u.windows)
                for (const QString &box : panel->boxes)
                    for (const QString &control : panel->controls) {
                        u.step(*window, box, text);
                        u.step(*window, control);
                        for (qsizetype i = 0; i < panel->boxes.size(); ++i)
                            u.step(*window, panel->boxes[i], panel->usual[i]);
                        u.step(*window, panel->controls[0]);
                        QVERIFY2(u.messages.shown.isEmpty() && !QTest::currentTestFailed(), qPrintable(text.left(40)));
                    }
        }
    }

    // Thousands of random steps on one running program (DOVRIN_SOAK_SEED, _ACTIONS replay or lengthen a run); hostile
    // texts cut short (a box keeps undo room for its longest). The heap, read in like states, must not climb.
    void soak()
    {
        QPixmapCache::setCacheLimit(0); // the style's button faces are Qt's memory, not the program's
        User u(qEnvironmentVariable("DOVRIN_SOAK_SEED", "20240716").toUInt());
        const int steps = qEnvironmentVariable("DOVRIN_SOAK_ACTIONS", "10000").toInt();
        std::vector<std::size_t> heap;
        for (int n = 1; n <= steps && !QTest::currentTestFailed(); ++n) {
            const auto [window, panel] = u.windows[std::min(u.below(10), 2)]; // mostly the main window
            const QString box = panel->boxes[u.below(panel->boxes.size())];
            const int any = 1 + u.below(box.contains("Year") ? 2600 : 31),
                      near = QList{1, 12, 29, 622, 990, 1582, 2000, 2562}[u.below(8)] + u.below(5) - 2;
            const QString text
                = u.below(7) ? QString::number(u.below(2) ? any : near) : Hostile[u.below(Hostile.size())].left(100);
            u.below(2) ? u.step(*window, box, text) : u.step(*window, panel->controls[u.below(panel->controls.size())]);
            if (n % 2000 == 0) { // a like state: two months shown in turn, a new printer
                u.step(u.w, "MonthTXT", "1"), u.step(u.w, "GoCMD"), u.step(u.w, "MonthTXT", "2"), u.step(u.w, "GoCMD");
                u.newPrinter();
                heap.push_back((malloc_trim(0), mallinfo2().uordblks)); // (LeakSanitizer watches the sanitizer's)
                qInfo("%d steps: heap %zu kB in use", n, heap.back() / 1024);
            }
        }
        QVERIFY(heap.size() < 4 || heap.back() <= heap[heap.size() / 2] * 21 / 20 + 65536); // from half the run on
    }

    // The program's own main() (the probe) with an engine beside it or, the real one, in ../lib/dovrin, among planted
    // libraries (also on LD_LIBRARY_PATH) that must never load: one message naming what is wrong, or the main window
    // shown and the spooler asked.
    void startUp()
    {
        const QString bin = QCoreApplication::applicationDirPath() + '/'; // where the build puts the libraries
        for (const auto &[engine, expected] :
             {std::pair<QString, QString>{"", "Reason: not found in %1/bin or %1/lib/dovrin"},
              {bin + "libzendat32_standin.so", "bin/libzendat32.so Reason: it has no entry point with ordinal 13"},
              {BROKEN_ENGINE, "bin/libzendat32.so Reason: %1/bin/libzendat32.so: "},
              {bin + "libzendat32.so", "window shown: CalMain"}}) { // %1: where it is installed
            const bool starts = engine == bin + "libzendat32.so";
            QTemporaryDir root, work;
            for (const auto &[from, to] :
                 {std::pair<QString, QString>{bin + "dovrin_startup_probe", root.filePath("bin/dovrin")},
                  {engine, root.filePath(starts ? "lib/dovrin/libzendat32.so" : "bin/libzendat32.so")},
                  {bin + "libzendat32_standin.so", work.filePath("libzendat32.so")},
                  {bin + "libzendat32_standin.so", work.filePath("libcups.so.2")}})
                QVERIFY(from.isEmpty() || (QDir().mkpath(QFileInfo(to).path()) && QFile::copy(from, to)));
            const Run r = run(root.filePath("bin/dovrin"), {}, {"LD_LIBRARY_PATH=:" + work.path()}, work.path());
            QVERIFY2(r.status == (starts ? 0 : 2) && r.out.count("message:") == !starts
                         && r.out.contains("spooler: ") == starts && !r.out.contains("cannot be loaded")
                         && r.out.contains(QString(expected).replace("%1", root.path())),
                     qPrintable(r.out + r.err));
            QCOMPARE(QDir(work.path()).entryList({"*.ran"}), QStringList()); // the planted libraries never ran
        }
    }

    // An engine answering nonsense while months print (each a frame, weekdays alone); midnight between repaints.
    void nonsenseAndMidnight()
    {
        FakeEngine weekday9, month45Days;
        weekday9.weekDayOf = [](int32_t, int32_t, int32_t) { return 9; };
        month45Days.gregMonthDays = [](int32_t, int32_t) { return 45; };
        for (const core::CalendarEngine *engine : {&weekday9, &month45Days}) {
            User u(1);
            core::setEngine(engine);
            testsupport::print(u.print, false, {"2024", "3", "4"});
            core::setEngine(&realEngine());
            QVERIFY(u.messages.shown.isEmpty() && u.printer->documentCount() == 2);
            for (const auto &ops : {textsOf(*u.printer, 1), textsOf(*u.printer, 2)})
                QVERIFY(ops.size() == 7 && std::ranges::all_of(ops, [](auto &op) { return op.text.endsWith("day"); }));
        }
        platform::pinDate(QDate(2024, 8, 1));
        User u(1);
        u.step(u.w, "MonthTXT", "7"), u.step(u.w, "GoCMD");
        for (const int day : {16, 17, 31, 32}) { // July 2024 begins on a Monday: the 1st in cell 2
            platform::pinDate(QDate(2024, 7, 1).addDays(day - 1));
            u.w.centralWidget()->repaint();
            QCOMPARE(u.w.todayCell(), day == 32 ? 0 : day + 1);
        }
    }
};

QTEST_MAIN(TestReliability)
#include "test_reliability.moc"
