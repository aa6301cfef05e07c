// What a screen reader gets: a name and a description for every control, and the month grid as a table of days.
#include "about/calabout.h"
#include "convert/calconv.h"
#include "mainwin/calmain.h"
#include "platform/clock/clock.h"
#include "platform/controls/picturebox.h"
#include "print/calcanprint.h"
#include "print/calprint.h"
#include "testsupport.h"

#include <QAccessible>
#include <QMenu>
#include <QRadioButton>
#include <QRegularExpression>
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
    // Today is the first day of the era, a Friday, whose page starts in cell 20. The screen reader starts after the
    // windows are made.
    void everyControlNamedAndTheGridATable()
    {
        testsupport::installRealEngine();
        platform::pinDate(QDate(622, 7, 16));
        CalMain main;
        main.Form_Paint();
        CalConv conv;
        CalAbout about;
        CalPrint print;
        QAccessible::setActive(true);
        for (QWidget *window : QList<QWidget *>{&main, &conv, &about, &print, print.findChild<CalCanPrint *>()}) {
            // The window and every control it names, Qt's own parts aside.
            QList<QWidget *> named = window->findChildren<QWidget *>(QRegularExpression("^(?!qt_|Client$).+"));
            named << window;
            QVERIFY(named.size() > 1);
            for (QWidget *control : named) {
                QAccessibleInterface *i = accessible(control);
                QVERIFY2(i && !i->text(QAccessible::Name).trimmed().isEmpty(), qPrintable(control->objectName()));
                QVERIFY2(!i->text(QAccessible::Description).trimmed().isEmpty(), qPrintable(control->objectName()));
            }
        }
        QCOMPARE(childNames(accessible(testsupport::menu(main, "CalMenu"))),
                 (QStringList{"Convert", "Print", {}, "About", {}, "Exit"}));

        QAccessibleInterface *grid = accessible(testsupport::picture(main, "Pic"));
        QAccessibleTableInterface *table = grid->tableInterface();
        QVERIFY(grid->role() == QAccessible::Table && table);
        QCOMPARE(table->columnDescription(0), QStringLiteral("Sunday"));
        QCOMPARE(grid->childCount(), 16);
        QCOMPARE(grid->child(0)->role(), QAccessible::Cell);
        QCOMPARE(table->cellAt(2, 5), grid->child(0));
        // Each cell knows its row and its column, the weekday its name begins with.
        for (int i = 0; i < grid->childCount(); ++i) {
            QAccessibleTableCellInterface *cell = grid->child(i)->tableCellInterface();
            QVERIFY(cell && cell->rowIndex() == (19 + i) / 7);
            QVERIFY(grid->child(i)->text(QAccessible::Name).startsWith(table->columnDescription(cell->columnIndex())));
        }
        QCOMPARE(childNames(grid).filter(QStringLiteral("today")),
                 QStringList{QStringLiteral("Friday 16 July 622, 1 Muharram 1, today")});
        QCOMPARE(grid->child(1)->text(QAccessible::Name), QStringLiteral("Saturday 17 July 622, 2 Muharram 1"));
        testsupport::option(main, "HegOpt")->click(); // the leading calendar's date is read first
        QCOMPARE(accessible(testsupport::picture(main, "Pic"))->child(0)->text(QAccessible::Name),
                 QStringLiteral("Friday 1 Muharram 1, 16 July 622, today"));
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
