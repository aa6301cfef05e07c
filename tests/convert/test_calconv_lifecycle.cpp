// The conversion dialog as the main window's menu opens it: Exit keeps it
// with everything it shows, closing it from the frame starts it afresh, and
// a refused date shows a real message box.
#include "convert/calconv.h"
#include "mainwin/calmain.h"
#include "platform/clock.h"
#include "tests/convert/modalrun.h"
#include "testsupport.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace {

using Steps = std::function<void(CalConv &)>;

void typeInto(QLineEdit *box, const QString &text)
{
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(box, text);
}

QStringList inputs(const CalConv &dialog)
{
    return {dialog.InYearTXT->text(), dialog.InMonthTXT->text(), dialog.InDayTXT->text()};
}

QStringList outputs(const CalConv &dialog)
{
    return {dialog.OutYearTXT->text(), dialog.OutMonthTXT->text(), dialog.OutDayTXT->text(),
            dialog.ToWeekDay->text()};
}

QPoint centredPosition(const QWidget &window)
{
    const QRect screen = window.screen()->geometry();
    const QSize outer = window.frameGeometry().size();
    return {screen.left() + (screen.width() - outer.width()) / 2,
            screen.top() + (screen.height() - outer.height()) / 2};
}

} // namespace

class TestCalConvLifecycle : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void exitKeepsInputsOutputsAndPlace();
    void closingFromTheFrameStartsAfresh();
    void refusalShowsACriticalMessageAndKeepsTheFocus();
};

void TestCalConvLifecycle::initTestCase()
{
    testsupport::installRealEngine();
    platform::pinDate(QDate(2024, 7, 16));
}

void TestCalConvLifecycle::exitKeepsInputsOutputsAndPlace()
{
    CalMain main;
    main.show();
    main.move(0, 0); // centred on the screen, not over the main window
    QVERIFY(!main.convForm()); // made on first use only

    const QPoint moved(23, 31);
    QVERIFY(modalrun::whileOpen<CalConv>(main.Convert, Steps([&](CalConv &dialog) {
        QCOMPARE(dialog.pos(), centredPosition(dialog));
        QCOMPARE(inputs(dialog), QStringList({"1", "1", "1"}));
        typeInto(dialog.InYearTXT, QStringLiteral("2024"));
        typeInto(dialog.InMonthTXT, QStringLiteral("07"));
        typeInto(dialog.InDayTXT, QStringLiteral("16"));
        QTest::mouseClick(dialog.ToHegiry, Qt::LeftButton);
        dialog.move(moved);
        QTest::mouseClick(dialog.ToExit, Qt::LeftButton);
        QVERIFY(!dialog.isVisible());
    })));
    QVERIFY(!QTest::currentTestFailed());
    CalConv *kept = main.convForm();
    QVERIFY(kept);
    QVERIFY(!kept->isVisible());

    QVERIFY(modalrun::whileOpen<CalConv>(main.Convert, Steps([&](CalConv &dialog) {
        QCOMPARE(&dialog, kept);
        QCOMPARE(inputs(dialog), QStringList({"2024", "7", "16"}));
        QCOMPARE(outputs(dialog), QStringList({"1446", "1", "9", "Tuesday"}));
        QCOMPARE(dialog.pos(), moved);
        QTest::keyClick(&dialog, Qt::Key_Escape); // Escape is Exit
    })));
    QCOMPARE(main.convForm(), kept);
}

void TestCalConvLifecycle::closingFromTheFrameStartsAfresh()
{
    CalMain main;
    main.show();
    main.move(0, 0); // centred on the screen, not over the main window
    QVERIFY(modalrun::whileOpen<CalConv>(main.Convert, Steps([&](CalConv &dialog) {
        typeInto(dialog.InYearTXT, QStringLiteral("1446"));
        typeInto(dialog.InMonthTXT, QStringLiteral("1"));
        typeInto(dialog.InDayTXT, QStringLiteral("9"));
        QTest::mouseClick(dialog.ToGreg, Qt::LeftButton);
        QCOMPARE(outputs(dialog), QStringList({"2024", "7", "16", "Tuesday"}));
        dialog.move(40, 50);
        dialog.close();
    })));
    QVERIFY(!QTest::currentTestFailed());
    QVERIFY(!main.convForm());

    QVERIFY(modalrun::whileOpen<CalConv>(main.Convert, Steps([&](CalConv &dialog) {
        QCOMPARE(inputs(dialog), QStringList({"1", "1", "1"}));
        QCOMPARE(outputs(dialog), QStringList({{}, {}, {}, {}}));
        QCOMPARE(dialog.pos(), centredPosition(dialog));
        QTest::mouseClick(dialog.ToExit, Qt::LeftButton);
    })));
    QVERIFY(main.convForm());
}

void TestCalConvLifecycle::refusalShowsACriticalMessageAndKeepsTheFocus()
{
    CalMain main;
    main.show();
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    qsizetype buttons = 0;
    QVERIFY(modalrun::whileOpen<CalConv>(main.Convert, Steps([&](CalConv &dialog) {
        typeInto(dialog.InYearTXT, QStringLiteral("2024"));
        typeInto(dialog.InMonthTXT, QStringLiteral("7"));
        typeInto(dialog.InDayTXT, QStringLiteral("16"));
        QTest::mouseClick(dialog.ToHegiry, Qt::LeftButton);
        const QStringList shown = outputs(dialog);

        typeInto(dialog.InDayTXT, QStringLiteral("32"));
        QTimer::singleShot(0, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            title = box->windowTitle();
            text = box->text();
            icon = box->icon();
            buttons = box->buttons().size();
            box->button(QMessageBox::Ok)->click();
        });
        QTest::mouseClick(dialog.ToHegiry, Qt::LeftButton);
        QCOMPARE(outputs(dialog), shown);
        QCOMPARE(inputs(dialog), QStringList({"2024", "7", "32"}));
        QCOMPARE(dialog.focusWidget(), dialog.ToHegiry);
        QVERIFY(dialog.isVisible());
    })));
    QCOMPARE(title, QStringLiteral("Input Error....."));
    QCOMPARE(text, QStringLiteral("Date out of range ....."));
    QCOMPARE(icon, QMessageBox::Critical);
    QCOMPARE(buttons, qsizetype(1));
}

QTEST_MAIN(TestCalConvLifecycle)
#include "test_calconv_lifecycle.moc"
