// What a screen reader gets, through Qt's accessibility interfaces: a name
// and a description for every control of every window and menu entry; the
// month grid as a table of the days shown, read as their cells read, with
// today marked; the conversion read as one sentence; and nothing made while
// no screen reader asks.
#include "about/calabout.h"
#include "convert/calconv.h"
#include "core/names.h"
#include "core/numtext.h"
#include "mainwin/calmain.h"
#include "platform/accessibility.h"
#include "platform/clock.h"
#include "platform/picturebox.h"
#include "platform/printerrecording.h"
#include "platform/scrollbar.h"
#include "print/calcanprint.h"
#include "print/calprint.h"
#include "testsupport.h"

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

namespace {

QAccessibleInterface *accessible(QObject *object)
{
    return QAccessible::queryAccessibleInterface(object);
}

QString nameOf(QObject *object) { return accessible(object)->text(QAccessible::Name); }

// The window's own controls: every child widget the window names.
QList<QWidget *> controlsOf(QWidget *window)
{
    QList<QWidget *> controls;
    for (QWidget *child : window->findChildren<QWidget *>()) {
        const QString name = child->objectName();
        if (!name.isEmpty() && !name.startsWith(u"qt_") && name != u"Client")
            controls << child;
    }
    return controls;
}

QStringList namelessOrUndescribed(QWidget *window)
{
    QStringList faults;
    for (QWidget *control : QList<QWidget *>{window} + controlsOf(window)) {
        QAccessibleInterface *i = accessible(control);
        if (!i || i->text(QAccessible::Name).trimmed().isEmpty())
            faults << control->objectName() + QStringLiteral(": no name");
        if (!i || i->text(QAccessible::Description).trimmed().isEmpty())
            faults << control->objectName() + QStringLiteral(": no description");
    }
    return faults;
}

QStringList childNames(QAccessibleInterface *parent)
{
    QStringList names;
    for (int i = 0; i < parent->childCount(); ++i)
        names << parent->child(i)->text(QAccessible::Name);
    return names;
}

// A day as the grid reads it, from the engine: "16 July 2024".
QString gregorianInWords(const core::Ymd &d)
{
    return core::PlainNumber(d.day) + u' ' + core::GregMonthName(d.month) + u' ' + core::PlainNumber(d.year);
}

QString hijriInWords(const core::Ymd &d)
{
    return core::PlainNumber(d.day) + u' ' + core::HijriMonthName(d.month) + u' ' + core::PlainNumber(d.year);
}

void showMonth(CalMain &w, int month, int year)
{
    w.MonthTXT->setText(QString::number(month));
    w.YearTXT->setText(QString::number(year));
    w.GoCMD->click();
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void nothingIsMadeWhileNoScreenReaderAsks();
    void everyControlHasANameAndADescription();
    void boxesSayWhatTheyHold();
    void menuEntriesHaveNamesAndDescriptions();
    void describedMenuEntryStillWorks();
    void gridIsATableOfTheDaysShown();
    void gridCellsReadAsTheyStand();
    void hijriLedGridReadsHijriFirst();
    void firstPageOfTheEra();
    void gridDescribesThePageShownNotTheBoxes();
    void monthThatIsNotRealHasNoCells();
    void conversionIsReadAsOneSentence();

private:
    testsupport::MessageCatcher *messages_ = nullptr;
};

void TestAccessibility::initTestCase()
{
    testsupport::installRealEngine();
    platform::pinDate(QDate(2024, 7, 16)); // Tuesday, 9 Muharram 1446
    messages_ = new testsupport::MessageCatcher;
}

// Every test but the first runs with a screen reader listening.
void TestAccessibility::init()
{
    if (qstrcmp(QTest::currentTestFunction(), "nothingIsMadeWhileNoScreenReaderAsks") != 0)
        QAccessible::setActive(true);
}

// Runs first, before a screen reader is simulated.
void TestAccessibility::nothingIsMadeWhileNoScreenReaderAsks()
{
    const int before = platform::gridInterfacesMade();
    CalMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_VERIFY(w.paintCount() > 0);
    w.HegOpt->click();
    w.GregOpt->click();
    showMonth(w, 3, 2025);
    QCOMPARE(platform::gridInterfacesMade(), before);
    QVERIFY(w.MonthTXT->accessibleName().isEmpty());

    // A screen reader that starts later hears every name.
    QAccessible::setActive(true);
    QCOMPARE(w.MonthTXT->accessibleName(), QStringLiteral("Month"));
    QCOMPARE(w.MonthTXT->accessibleDescription(), QStringLiteral("The month on display, 1 to 12"));
    QCOMPARE(accessible(w.Pic)->role(), QAccessible::Table);
    QCOMPARE(platform::gridInterfacesMade(), before + 1);
}

void TestAccessibility::everyControlHasANameAndADescription()
{
    CalMain main;
    main.show();
    QVERIFY(QTest::qWaitForWindowExposed(&main));
    QTRY_VERIFY(main.paintCount() > 0);
    CalConv conv;
    CalAbout about;
    CalPrint print;
    QList<QWidget *> windows{&main, &conv, &about, &print, print.CanPrint};
    QCOMPARE(controlsOf(&main).size(), 15); // the menu too
    QCOMPARE(controlsOf(&conv).size(), 18);
    QCOMPARE(controlsOf(&about).size(), 6);
    QCOMPARE(controlsOf(print.CanPrint).size(), 2);
    for (QWidget *window : windows) {
        const QStringList faults = namelessOrUndescribed(window);
        QVERIFY2(faults.isEmpty(), qPrintable(window->objectName() + QStringLiteral(": ") + faults.join(u", ")));
    }
}

void TestAccessibility::boxesSayWhatTheyHold()
{
    CalMain w;
    QAccessibleInterface *month = accessible(w.MonthTXT);
    QCOMPARE(month->role(), QAccessible::EditableText);
    QCOMPARE(month->text(QAccessible::Name), QStringLiteral("Month"));
    QCOMPARE(month->text(QAccessible::Description), QStringLiteral("The month on display, 1 to 12"));
    QCOMPARE(month->text(QAccessible::Value), QStringLiteral("7"));
    QCOMPARE(nameOf(w.YearTXT), QStringLiteral("Year"));
    QCOMPARE(nameOf(w.MonthScroll), QStringLiteral("Month"));
    QCOMPARE(accessible(w.MonthScroll)->role(), QAccessible::ScrollBar);
    // Captions stay their own text.
    QCOMPARE(nameOf(w.GoCMD), QStringLiteral("Go"));
    QCOMPARE(nameOf(w.HegOpt), QStringLiteral("Hijri"));

    CalPrint print;
    QCOMPARE(nameOf(print.FromMonthTXTPRT), QStringLiteral("From Month"));
    QCOMPARE(accessible(print.FromMonthTXTPRT)->text(QAccessible::Value), print.FromMonthTXTPRT->text());
}

void TestAccessibility::menuEntriesHaveNamesAndDescriptions()
{
    CalMain w;
    QAccessibleInterface *bar = accessible(w.menuBar());
    QCOMPARE(bar->childCount(), 1);
    QAccessibleInterface *calendar = bar->child(0);
    QCOMPARE(calendar->role(), QAccessible::MenuItem);
    QCOMPARE(calendar->text(QAccessible::Name), QStringLiteral("Calendar"));
    QVERIFY(!calendar->text(QAccessible::Description).isEmpty());
    QVERIFY(calendar->state().hasPopup);
    QCOMPARE(calendar->child(0)->object(), w.CalMenu);

    QAccessibleInterface *menu = accessible(w.CalMenu);
    QCOMPARE(menu->role(), QAccessible::PopupMenu);
    QCOMPARE(menu->text(QAccessible::Name), QStringLiteral("Calendar"));
    QCOMPARE(childNames(menu), (QStringList{QStringLiteral("Convert"), QStringLiteral("Print"), {},
                                            QStringLiteral("About"), {}, QStringLiteral("Exit")}));
    for (int i = 0; i < menu->childCount(); ++i) {
        QAccessibleInterface *entry = menu->child(i);
        QCOMPARE(entry->parent()->object(), w.CalMenu);
        QCOMPARE(menu->indexOfChild(entry), i);
        if (entry->role() == QAccessible::Separator)
            continue;
        QCOMPARE(entry->role(), QAccessible::MenuItem);
        QVERIFY2(!entry->text(QAccessible::Description).isEmpty(), qPrintable(entry->text(QAccessible::Name)));
        QVERIFY(entry->actionInterface());
    }
    QCOMPARE(menu->child(0)->text(QAccessible::Accelerator), QKeySequence(Qt::ALT | Qt::Key_O).toString(QKeySequence::NativeText));
}

void TestAccessibility::describedMenuEntryStillWorks()
{
    QMenu menu;
    QAction *entry = menu.addAction(QStringLiteral("&Fish && Chips"));
    platform::describe(entry, QStringLiteral("Orders"));
    QSignalSpy triggered(entry, &QAction::triggered);
    QAccessibleInterface *i = accessible(entry);
    QCOMPARE(i->text(QAccessible::Name), QStringLiteral("Fish & Chips"));
    QCOMPARE(i->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    i->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(triggered.count(), 1);
    entry->setEnabled(false);
    QVERIFY(i->state().disabled);
    QVERIFY(i->actionInterface()->actionNames().isEmpty());
    i->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    QCOMPARE(triggered.count(), 1);
}

void TestAccessibility::gridIsATableOfTheDaysShown()
{
    CalMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_VERIFY(w.paintCount() > 0);
    QAccessibleInterface *grid = accessible(w.Pic);
    QCOMPARE(grid->role(), QAccessible::Table);
    QCOMPARE(grid->text(QAccessible::Name), QStringLiteral("Days of the month"));
    QAccessibleTableInterface *table = grid->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->rowCount(), 6);
    QCOMPARE(table->columnCount(), 7);
    QCOMPARE(table->columnDescription(0), QStringLiteral("Sunday"));
    QCOMPARE(table->columnDescription(6), QStringLiteral("Saturday"));
    // July 2024 begins on a Monday: cells 2 to 32.
    QCOMPARE(grid->childCount(), 31);
    QVERIFY(!table->cellAt(0, 0));
    QCOMPARE(table->cellAt(0, 1), grid->child(0));
    QCOMPARE(table->cellAt(4, 3), grid->child(30));
    QVERIFY(!table->cellAt(4, 4));
    QVERIFY(!table->cellAt(6, 0));
    QVERIFY(!table->cellAt(0, 7));
    for (int i = 0; i < grid->childCount(); ++i) {
        QAccessibleInterface *cell = grid->child(i);
        QCOMPARE(cell->role(), QAccessible::Cell);
        QCOMPARE(cell->parent(), grid);
        QCOMPARE(grid->indexOfChild(cell), i);
        QAccessibleTableCellInterface *place = cell->tableCellInterface();
        QVERIFY(place);
        QCOMPARE(place->rowIndex() * 7 + place->columnIndex(), i + 1);
        QCOMPARE(place->table(), grid);
        // On the grid, where the page draws the cell, and found there again.
        const QRect box = cell->rect();
        QVERIFY(grid->rect().contains(box));
        const QPointF inner = w.Pic->contentsRect().topLeft();
        const QPointF drawnFrom = w.Pic->mapToGlobal(inner + w.Pic->toDevice(place->columnIndex(), place->rowIndex()));
        const QPointF drawnTo = w.Pic->mapToGlobal(inner + w.Pic->toDevice(place->columnIndex() + 1, place->rowIndex() + 1));
        QVERIFY(qAbs(box.left() - drawnFrom.x()) <= 1 && qAbs(box.top() - drawnFrom.y()) <= 1);
        QVERIFY(qAbs(box.left() + box.width() - drawnTo.x()) <= 1 && qAbs(box.top() + box.height() - drawnTo.y()) <= 1);
        QCOMPARE(grid->childAt(box.center().x(), box.center().y()), cell);
    }
}

void TestAccessibility::gridCellsReadAsTheyStand()
{
    CalMain w;
    w.Form_Paint();
    QAccessibleInterface *grid = accessible(w.Pic);
    const QStringList cells = childNames(grid);
    QCOMPARE(cells.size(), 31);
    for (int day = 1; day <= 31; ++day) {
        const core::Ymd greg{2024, 7, day};
        const core::Ymd hijri = core::engine().GregToHijri(2024, 7, day);
        const QString weekday = core::WeekDayName(day % 7); // 1 July 2024 is a Monday
        QString expected = weekday + u' ' + gregorianInWords(greg) + QStringLiteral(", ") + hijriInWords(hijri);
        if (day == 16)
            expected += QStringLiteral(", today");
        QCOMPARE(cells.at(day - 1), expected);
    }
    QCOMPARE(cells.at(15), QStringLiteral("Tuesday 16 July 2024, 9 Muharram 1446, today"));
    QCOMPARE(cells.filter(QStringLiteral("today")).size(), 1);

    // Another month: no day is today.
    showMonth(w, 8, 2024);
    QVERIFY(childNames(grid).filter(QStringLiteral("today")).isEmpty());
    QCOMPARE(grid->child(0)->text(QAccessible::Name).left(24), QStringLiteral("Thursday 1 August 2024, "));
}

void TestAccessibility::hijriLedGridReadsHijriFirst()
{
    CalMain w;
    w.HegOpt->click();
    QAccessibleInterface *grid = accessible(w.Pic);
    const QStringList cells = childNames(grid);
    const QStringList today = cells.filter(QStringLiteral("today"));
    QCOMPARE(today, QStringList{QStringLiteral("Tuesday 9 Muharram 1446, 16 July 2024, today")});
    // The weekday of each cell is its column's.
    for (int i = 0; i < grid->childCount(); ++i) {
        QAccessibleTableCellInterface *place = grid->child(i)->tableCellInterface();
        QVERIFY(cells.at(i).startsWith(core::WeekDayName(place->columnIndex()) + u' '));
    }
    QVERIFY(cells.first().contains(QStringLiteral(" 1 Muharram 1446, ")));
}

void TestAccessibility::firstPageOfTheEra()
{
    CalMain w;
    showMonth(w, 7, 622);
    QCOMPARE(messages_->count(), 0);
    QAccessibleInterface *grid = accessible(w.Pic);
    QCOMPARE(grid->child(0)->text(QAccessible::Name), QStringLiteral("Friday 16 July 622, 1 Muharram 1"));
    QCOMPARE(grid->child(0)->tableCellInterface()->rowIndex(), 2);
    QCOMPARE(grid->child(0)->tableCellInterface()->columnIndex(), 5);
    QCOMPARE(grid->childCount(), 16); // 16 to 31 July
    QVERIFY(grid->tableInterface()->cellAt(0, 0) == nullptr);
}

void TestAccessibility::gridDescribesThePageShownNotTheBoxes()
{
    CalMain w;
    showMonth(w, 3, 2025);
    QAccessibleInterface *grid = accessible(w.Pic);
    const QString firstOfMarch = grid->child(0)->text(QAccessible::Name);
    QVERIFY(firstOfMarch.startsWith(QStringLiteral("Saturday 1 March 2025, ")));

    // "Go" refuses June 622 and puts today's month into the boxes without
    // drawing it: the page, and what is read of it, stay March.
    messages_->clear();
    showMonth(w, 6, 622);
    QCOMPARE(messages_->count(), 1);
    QCOMPARE(w.MonthTXT->text(), QStringLiteral("7"));
    QCOMPARE(grid->child(0)->text(QAccessible::Name), firstOfMarch);

    // Printing fills the shared day table with other months.
    platform::RecordingPrinter printer;
    CalPrint print;
    print.usePrinter(&printer);
    print.YearTXTPRT->setText(QStringLiteral("1999"));
    print.FromMonthTXTPRT->setText(QStringLiteral("12"));
    print.ToMonthTXTPRT->setText(QStringLiteral("12"));
    print.PrintPRT_Click();
    QCOMPARE(printer.documentCount(), 1);
    QCOMPARE(grid->child(0)->text(QAccessible::Name), firstOfMarch);
    QCOMPARE(grid->childCount(), 31);

    // The next paint draws, and reads, what the boxes hold.
    w.Form_Paint();
    QVERIFY(grid->child(0)->text(QAccessible::Name).startsWith(QStringLiteral("Monday 1 July 2024, ")));
}

void TestAccessibility::monthThatIsNotRealHasNoCells()
{
    CalMain w;
    w.Form_Paint();
    QAccessibleInterface *grid = accessible(w.Pic);
    QAccessibleInterface *cell = grid->child(3);
    QVERIFY(cell->isValid());
    // A repaint while the user types reads the box as it stands.
    w.MonthTXT->setText(QStringLiteral("0"));
    w.Form_Paint();
    QCOMPARE(grid->childCount(), 0);
    QVERIFY(!grid->tableInterface()->cellAt(0, 4));
    QVERIFY(!cell->isValid());
    QVERIFY(cell->text(QAccessible::Name).isEmpty());
    w.MonthTXT->setText(QStringLiteral("7"));
    w.Form_Paint();
    QVERIFY(cell->isValid());
    QVERIFY(cell->text(QAccessible::Name).startsWith(QStringLiteral("Thursday 4 July 2024")));
}

void TestAccessibility::conversionIsReadAsOneSentence()
{
    CalConv d;
    const auto convert = [&](QPushButton *button, const char *year, const char *month, const char *day) {
        d.InYearTXT->setText(QLatin1String(year));
        d.InMonthTXT->setText(QLatin1String(month));
        d.InDayTXT->setText(QLatin1String(day));
        button->click();
    };
    QCOMPARE(nameOf(d.ToWeekDay), QStringLiteral("Converted date"));
    convert(d.ToHegiry, "2024", "7", "16");
    QCOMPARE(nameOf(d.ToWeekDay), QStringLiteral("Tuesday 9 Muharram 1446"));
    QCOMPARE(nameOf(d.OutYearTXT), QStringLiteral("Converted year 1446"));
    QCOMPARE(nameOf(d.OutMonthTXT), QStringLiteral("Converted month 1"));
    QCOMPARE(nameOf(d.OutDayTXT), QStringLiteral("Converted day 9"));

    convert(d.ToGreg, "1", "1", "1");
    QCOMPARE(nameOf(d.ToWeekDay), QStringLiteral("Friday 16 July 622"));

    // A refused date changes nothing, what is read included.
    messages_->clear();
    convert(d.ToGreg, "1446", "13", "1");
    QCOMPARE(messages_->count(), 1);
    QCOMPARE(nameOf(d.ToWeekDay), QStringLiteral("Friday 16 July 622"));
    QCOMPARE(nameOf(d.OutYearTXT), QStringLiteral("Converted year 622"));
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
