// Every window checked by property, at 100 % and at 200 %: its client area in twips, every control inside it, no
// two overlapping, no text cut off, a screen-reader name and description for each, and the Tab order.
#include "about/calabout.h"
#include "convert/calconv.h"
#include "core/version.h"
#include "mainwin/calmain.h"
#include "print/calcanprint.h"
#include "print/calprint.h"
#include "testsupport.h"

#include <QAccessible>

using namespace testsupport;

class TestWindows : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { realEngine(); }

    void asDesigned_data() // the client area in twips|the controls Tab visits, from the first
    {
        addRows(
            {"CalMain|7350 5385|HegOpt GregOpt MonthTXT MonthScroll YearTXT YearScroll GoCMD",
             "CalConv|7485 3915|InYearTXT InMonthTXT InDayTXT ToHegiry ToGreg ToExit",
             "CalPrint|4485 3975|YearTXTPRT FromMonthTXTPRT ToMonthTXTPRT OPTGregorian OPTHegiry PrintPRT CancelButton",
             "CalCanPrint|3630 1665|CancelPrinting", "CalAbout|4635 3720|Command1"});
    }

    void asDesigned()
    {
        QFETCH(QStringList, row);
        const QSize clientTwips(row[0].section(u' ', 0, 0).toInt(), row[0].section(u' ', 1).toInt());
        const QString tabOrder = row[1];
        CalMain main;
        CalPrint print;
        CalConv conv;
        CalAbout about;
        QWidget *window = QList<QWidget *>{&main, &conv, &print, print.findChild<CalCanPrint *>(), &about}.value(
            QStringList{"CalMain", "CalConv", "CalPrint", "CalCanPrint", "CalAbout"}.indexOf(QTest::currentDataTag()));
        QVERIFY(activate(*window));
        QAccessible::setActive(true);
        const QWidget *client = qobject_cast<CalMain *>(window) ? main.centralWidget() : window;
        QCOMPARE(client->size() * platform::TwipsPerPixel, clientTwips);
        QList<QWidget *> controls
            = client->findChildren<QWidget *>(QRegularExpression("^(?!qt_).+"), Qt::FindDirectChildrenOnly);
        controls.removeIf([](const QWidget *w) { return w->isWindow(); }); // the printing box is a window of its own
        for (QWidget *control : controls) {
            const QString name = control->objectName();
            QVERIFY2(client->rect().contains(control->geometry()), qPrintable(name));
            for (QWidget *other : controls) // a pixel's rounding aside
                QVERIFY2(other == control || !control->geometry().adjusted(1, 1, -1, -1).intersects(other->geometry()),
                         qPrintable(name + u'/' + other->objectName()));
            const QString text = control->property("text").toString().remove(u'&');
            QVERIFY2(control->fontMetrics().horizontalAdvance(text) <= control->contentsRect().width(),
                     qPrintable(name));
            QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(control);
            QVERIFY2(!spoken->text(QAccessible::Name).isEmpty() && !spoken->text(QAccessible::Description).isEmpty(),
                     qPrintable(name));
            if (!text.isEmpty() && !qobject_cast<QLineEdit *>(control))
                QVERIFY2(spoken->text(QAccessible::Name).startsWith(text), qPrintable(name));
        }
        QStringList visited;
        for (QWidget *w = find(*window, tabOrder.section(u' ', 0, 0).toLatin1()); visited.size() < 20;
             w = w->nextInFocusChain())
            if (controls.contains(w) && w->focusPolicy() != Qt::NoFocus && !visited.contains(w->objectName()))
                visited << w->objectName();
            else if (visited.contains(w->objectName()))
                break;
        QCOMPARE(visited.join(u' '), tabOrder);
        if (window == &about) // the version made by the build, not typed here
            QCOMPARE(label(about, "Label4")->text(), QStringLiteral("Version " DOVRIN_VERSION));
    }
};

QTEST_MAIN(TestWindows)
#include "test_windows.moc"
