// What a screen reader gets: a name and a description for every control, the
// menu entries by name, and the month grid as a table of days.
#include "about/calabout.h"
#include "convert/calconv.h"
#include "mainwin/calmain.h"
#include "platform/clock.h"
#include "platform/picturebox.h"
#include "print/calcanprint.h"
#include "print/calprint.h"
#include "testsupport.h"

#include <QAccessible>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

QAccessibleInterface *accessible(QObject *object) { return QAccessible::queryAccessibleInterface(object); }

QStringList childNames(QAccessibleInterface *parent)
{
    QStringList names;
    for (int i = 0; i < parent->childCount(); ++i)
        names << parent->child(i)->text(QAccessible::Name);
    return names;
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void everyControlHasANameAndADescription(); // first: the screen reader starts after the windows are up
    void gridIsATableOfTheDaysShown();
};

void TestAccessibility::initTestCase()
{
    testsupport::installRealEngine();
    platform::pinDate(QDate(2024, 7, 16)); // Tuesday, 9 Muharram 1446
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
    QAccessible::setActive(true);
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
    QCOMPARE(accessible(main.Pic)->role(), QAccessible::Table);
    QCOMPARE(childNames(accessible(main.CalMenu)), (QStringList{"Convert", "Print", {}, "About", {}, "Exit"}));
}

void TestAccessibility::gridIsATableOfTheDaysShown()
{
    testsupport::MessageCatcher messages;
    CalMain w;
    QAccessible::setActive(true);
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
    QCOMPARE(childNames(grid).filter(QStringLiteral("today")),
             QStringList{QStringLiteral("Tuesday 16 July 2024, 9 Muharram 1446, today")});

    // The first page of the era starts on its first day, a Friday.
    w.MonthTXT->setText(QStringLiteral("7"));
    w.YearTXT->setText(QStringLiteral("622"));
    w.GoCMD->click();
    QCOMPARE(grid->childCount(), 16);
    QCOMPARE(grid->child(0)->text(QAccessible::Name), QStringLiteral("Friday 16 July 622, 1 Muharram 1"));
    QCOMPARE(table->cellAt(2, 5), grid->child(0));
    QVERIFY(childNames(grid).filter(QStringLiteral("today")).isEmpty());
    // Led by the Hijri calendar, each cell reads the Hijri date first.
    w.HegOpt->click();
    QCOMPARE(childNames(grid).filter(QStringLiteral("today")),
             QStringList{QStringLiteral("Tuesday 9 Muharram 1446, 16 July 2024, today")});
    QCOMPARE(messages.count(), 0);
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
