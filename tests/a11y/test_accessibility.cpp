// What a screen reader gets: a name and a description for every control and
// menu entry, the month grid as a table of days, the conversion as one
// sentence, and nothing built while no screen reader listens.
#include "about/calabout.h"
#include "convert/calconv.h"
#include "mainwin/calmain.h"
#include "platform/accessibility.h"
#include "platform/clock.h"
#include "platform/picturebox.h"
#include "print/calcanprint.h"
#include "print/calprint.h"
#include "testsupport.h"

#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

QAccessibleInterface *accessible(QObject *object) { return QAccessible::queryAccessibleInterface(object); }
QString nameOf(QObject *object) { return accessible(object)->text(QAccessible::Name); }

QStringList childNames(QAccessibleInterface *parent)
{
    QStringList names;
    for (int i = 0; i < parent->childCount(); ++i)
        names << parent->child(i)->text(QAccessible::Name);
    return names;
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
    void nothingIsBuiltBeforeAScreenReaderListens(); // must run first
    void cleanup() { QAccessible::setActive(true); } // whatever the first test found
    void everyControlHasANameAndADescription();
    void gridIsATableOfTheDaysShown();
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

void TestAccessibility::nothingIsBuiltBeforeAScreenReaderListens()
{
    const int before = platform::gridInterfacesMade();
    CalMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_VERIFY(w.paintCount() > 0);
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
    int controls = 0;
    for (QWidget *window : QList<QWidget *>{&main, &conv, &about, &print, print.CanPrint}) {
        QList<QWidget *> named{window};
        for (QWidget *child : window->findChildren<QWidget *>())
            if (!child->objectName().isEmpty() && !child->objectName().startsWith(u"qt_") && child->objectName() != u"Client")
                named << child;
        controls += named.size();
        for (QWidget *control : named) {
            QAccessibleInterface *i = accessible(control);
            QVERIFY2(i && !i->text(QAccessible::Name).trimmed().isEmpty(), qPrintable(control->objectName()));
            QVERIFY2(!i->text(QAccessible::Description).trimmed().isEmpty(), qPrintable(control->objectName()));
        }
    }
    QVERIFY(controls >= 15 + 18 + 6 + 2);

    QAccessibleInterface *menu = accessible(main.CalMenu);
    QCOMPARE(childNames(menu), (QStringList{"Convert", "Print", {}, "About", {}, "Exit"}));
    for (int i = 0; i < menu->childCount(); ++i) {
        QAccessibleInterface *entry = menu->child(i);
        if (entry->role() != QAccessible::Separator)
            QVERIFY2(!entry->text(QAccessible::Description).isEmpty(), qPrintable(entry->text(QAccessible::Name)));
    }
}

void TestAccessibility::gridIsATableOfTheDaysShown()
{
    CalMain w;
    w.Form_Paint();
    QAccessibleInterface *grid = accessible(w.Pic);
    QAccessibleTableInterface *table = grid->tableInterface();
    QVERIFY(table);
    QCOMPARE(table->rowCount(), 6);
    QCOMPARE(table->columnCount(), 7);
    QCOMPARE(table->columnDescription(0), QStringLiteral("Sunday"));
    // July 2024 begins on a Monday: 31 cells from row 0, column 1.
    QCOMPARE(grid->childCount(), 31);
    QVERIFY(!table->cellAt(0, 0));
    QCOMPARE(table->cellAt(0, 1), grid->child(0));
    QCOMPARE(grid->child(0)->role(), QAccessible::Cell);
    const QStringList cells = childNames(grid);
    QCOMPARE(cells.first(), QStringLiteral("Monday 1 July 2024, 24 Thu Al-Hijjah 1445"));
    QCOMPARE(cells.filter(QStringLiteral("today")),
             QStringList{QStringLiteral("Tuesday 16 July 2024, 9 Muharram 1446, today")});

    // Led by the Hijri calendar, each cell reads the Hijri date first.
    w.HegOpt->click();
    QCOMPARE(childNames(grid).filter(QStringLiteral("today")),
             QStringList{QStringLiteral("Tuesday 9 Muharram 1446, 16 July 2024, today")});
    w.GregOpt->click();

    // The first page of the era starts on its first day, a Friday.
    showMonth(w, 7, 622);
    QCOMPARE(grid->childCount(), 16);
    QCOMPARE(grid->child(0)->text(QAccessible::Name), QStringLiteral("Friday 16 July 622, 1 Muharram 1"));
    QCOMPARE(table->cellAt(2, 5), grid->child(0));
    QCOMPARE(messages_->count(), 0);
    QVERIFY(childNames(grid).filter(QStringLiteral("today")).isEmpty());
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
    convert(d.ToHegiry, "2024", "7", "16");
    QCOMPARE(nameOf(d.ToWeekDay), QStringLiteral("Tuesday 9 Muharram 1446"));
    QCOMPARE(nameOf(d.OutYearTXT), QStringLiteral("Converted year 1446"));
    convert(d.ToGreg, "1", "1", "1");
    QCOMPARE(nameOf(d.ToWeekDay), QStringLiteral("Friday 16 July 622"));
    // A refused date changes nothing that is read.
    messages_->clear();
    convert(d.ToGreg, "1446", "13", "1");
    QCOMPARE(messages_->count(), 1);
    QCOMPARE(nameOf(d.ToWeekDay), QStringLiteral("Friday 16 July 622"));
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
