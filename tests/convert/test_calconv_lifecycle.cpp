// The conversion dialog and the About box as the main window's menu opens
// them: Exit keeps a window as it stands, closing it from the frame starts
// it afresh.
#include "about/calabout.h"
#include "convert/calconv.h"
#include "mainwin/calmain.h"
#include "platform/clock.h"
#include "testsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>

namespace {

// Runs the steps inside the modal dialog's loop, then hides it (no hang on failure).
template <typename Dialog>
bool whileOpen(QAction *menuEntry, const std::function<void(Dialog &)> &steps)
{
    bool ran = false;
    QTimer::singleShot(0, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *dialog = qobject_cast<Dialog *>(modal)) {
            dialog->activateWindow();
            ran = QTest::qWaitForWindowActive(dialog);
            if (ran)
                steps(*dialog);
        }
        if (modal && modal->isVisible())
            modal->hide();
    });
    menuEntry->trigger();
    return ran;
}

QPoint centred(const QWidget &w)
{
    const QRect screen = w.screen()->geometry();
    const QSize outer = w.frameGeometry().size();
    return screen.topLeft() + QPoint((screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2);
}

QStringList shown(const CalConv &d)
{
    return {d.InYearTXT->text(), d.InMonthTXT->text(), d.InDayTXT->text(), d.OutYearTXT->text(),
            d.OutMonthTXT->text(), d.OutDayTXT->text(), d.ToWeekDay->text()};
}

using ConvSteps = std::function<void(CalConv &)>;
using AboutSteps = std::function<void(CalAbout &)>;
} // namespace

class TestCalConvLifecycle : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void conversionExitKeepsAndCloseStartsAfresh();
    void aboutCentresOnlyWhenCreated();
    void aboutKeysPressExit_data();
    void aboutKeysPressExit();
};

void TestCalConvLifecycle::initTestCase()
{
    testsupport::installRealEngine();
    platform::pinDate(QDate(2024, 7, 16));
}

void TestCalConvLifecycle::conversionExitKeepsAndCloseStartsAfresh()
{
    CalMain main;
    main.show();
    main.move(0, 0); // centred on the screen, not over the main window
    QVERIFY(!main.convForm());
    const QStringList converted = {"2024", "7", "16", "1446", "1", "9", "Tuesday"};
    const QPoint moved(23, 31);
    QVERIFY(whileOpen<CalConv>(main.Convert, ConvSteps([&](CalConv &d) {
        QCOMPARE(d.pos(), centred(d));
        const QList<std::pair<QLineEdit *, QString>> typed = {
            {d.InYearTXT, "2024"}, {d.InMonthTXT, "07"}, {d.InDayTXT, "16"}};
        for (const auto &[box, text] : typed) {
            box->setFocus(Qt::TabFocusReason);
            QTest::keyClicks(box, text);
        }
        QTest::mouseClick(d.ToHegiry, Qt::LeftButton);
        d.move(moved);
        QTest::mouseClick(d.ToExit, Qt::LeftButton);
    })));
    CalConv *kept = main.convForm();
    QVERIFY(kept && !kept->isVisible());

    QVERIFY(whileOpen<CalConv>(main.Convert, ConvSteps([&](CalConv &d) {
        QCOMPARE(&d, kept);
        QCOMPARE(shown(d), converted);
        QCOMPARE(d.pos(), moved);
        d.close(); // from the frame: unloads
    })));
    QVERIFY(!main.convForm());

    QVERIFY(whileOpen<CalConv>(main.Convert, ConvSteps([&](CalConv &d) {
        QCOMPARE(shown(d), QStringList({"1", "1", "1", {}, {}, {}, {}}));
        QCOMPARE(d.pos(), centred(d));
    })));
}

void TestCalConvLifecycle::aboutCentresOnlyWhenCreated()
{
    CalMain main;
    main.show();
    main.move(0, 0);
    const QPoint moved(17, 29);
    QVERIFY(whileOpen<CalAbout>(main.About, AboutSteps([&](CalAbout &box) {
        QCOMPARE(box.pos(), centred(box));
        box.move(moved);
        QTest::mouseClick(box.Command1, Qt::LeftButton);
    })));
    CalAbout *kept = main.aboutForm();
    QVERIFY(kept);
    QVERIFY(whileOpen<CalAbout>(main.About, AboutSteps([&](CalAbout &box) {
        QCOMPARE(&box, kept);
        QCOMPARE(box.pos(), moved); // after Exit: not centred again
        box.close();
    })));
    QVERIFY(!main.aboutForm());
    QVERIFY(whileOpen<CalAbout>(main.About, AboutSteps([&](CalAbout &box) {
        QCOMPARE(box.pos(), centred(box));
    })));
}

void TestCalConvLifecycle::aboutKeysPressExit_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

void TestCalConvLifecycle::aboutKeysPressExit()
{
    QFETCH(int, key);
    CalMain main;
    main.show();
    bool pressed = false, hidden = false;
    QVERIFY(whileOpen<CalAbout>(main.About, AboutSteps([&](CalAbout &box) {
        connect(box.Command1, &QPushButton::clicked, [&] { pressed = true; });
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));
        hidden = !box.isVisible();
    })));
    QVERIFY(pressed);
    QVERIFY(hidden);
    QVERIFY(main.aboutForm()); // hidden, not unloaded
}

QTEST_MAIN(TestCalConvLifecycle)
#include "test_calconv_lifecycle.moc"
