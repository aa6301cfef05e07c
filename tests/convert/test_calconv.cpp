// The conversion dialog and the About box, worked as a user works them: typing,
// Tab, Enter, Escape, clicks, and opening them again from the main window's menu.
#include "about/calabout.h"
#include "convert/calconv.h"
#include "mainwin/calmain.h"
#include "testsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <type_traits>
#include <utility>

namespace {

void convert(CalConv &d, QPushButton *button, const QString &year, const QString &month, const QString &day)
{
    // Focus as Tab gives it (the whole text selected), then type over it.
    for (const auto &[box, text] : {std::pair{d.InYearTXT, year}, {d.InMonthTXT, month}, {d.InDayTXT, day}}) {
        box->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(box, text);
    }
    QTest::mouseClick(button, Qt::LeftButton);
}

// The three inputs, then the four outputs.
QStringList shown(const CalConv &d)
{
    return {d.InYearTXT->text(), d.InMonthTXT->text(), d.InDayTXT->text(), d.OutYearTXT->text(),
            d.OutMonthTXT->text(), d.OutDayTXT->text(), d.ToWeekDay->text()};
}

// Opens the dialog from the menu and runs the steps in its modal loop; true when they ran and left it hidden.
template <typename Dialog>
bool whileOpen(QAction *menuEntry, const std::type_identity_t<std::function<void(Dialog &)>> &steps)
{
    bool hidden = false;
    QTimer::singleShot(0, [&] {
        QWidget *modal = QApplication::activeModalWidget();
        if (auto *dialog = qobject_cast<Dialog *>(modal)) {
            dialog->activateWindow();
            if (QTest::qWaitForWindowActive(dialog))
                steps(*dialog);
            hidden = !dialog->isVisible();
        }
        if (modal && modal->isVisible())
            modal->hide(); // no hang on failure
    });
    menuEntry->trigger();
    return hidden;
}

QPoint centred(const QWidget &w)
{
    const QRect screen = w.screen()->geometry();
    const QSize outer = w.frameGeometry().size();
    return screen.topLeft() + QPoint((screen.width() - outer.width()) / 2, (screen.height() - outer.height()) / 2);
}

} // namespace

class TestCalConv : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::installRealEngine(); }
    void init() { messages_.clear(); }

    void conversions_data()
    {
        QTest::addColumn<bool>("toHijri");
        QTest::addColumn<QStringList>("typed");
        QTest::addColumn<QStringList>("rewritten"); // the inputs once they have lost the focus
        QTest::addColumn<QStringList>("result");    // empty: refused
        auto row = [](const char *name, bool toHijri, QStringList typed, QStringList rewritten, QStringList result) {
            QTest::newRow(name) << toHijri << typed << rewritten << result;
        };
        row("16 July 622", true, {" 622", "07", "16"}, {"622", "7", "16"}, {"1", "1", "1", "Friday"});
        row("1/1/1", false, {"1", "1", "1"}, {"1", "1", "1"}, {"622", "7", "16", "Friday"});
        row("10 October 1582", true, {"1582", "10", "10"}, {"1582", "10", "10"}, {});
        row("Hijri 30/12 common year", false, {"1446", "12", "30"}, {"1446", "12", "30"}, {});
        // Past 32 bits: kept as typed and refused, never clamped or wrapped (to 16 here).
        row("day past 32 bits", true, {"2024", "7", "4294967312"}, {"2024", "7", "4294967312"}, {});
    }

    void conversions()
    {
        QFETCH(bool, toHijri);
        QFETCH(QStringList, typed);
        QFETCH(QStringList, rewritten);
        QFETCH(QStringList, result);
        CalConv d;
        QVERIFY(testsupport::activate(d));

        // An earlier conversion: a refusal keeps all four outputs, an accepted date replaces them.
        convert(d, d.ToGreg, "1446", "1", "9");
        const QStringList before = shown(d).mid(3);
        QCOMPARE(before, QStringList({"2024", "7", "16", "Tuesday"}));

        QPushButton *button = toHijri ? d.ToHegiry : d.ToGreg;
        convert(d, button, typed[0], typed[1], typed[2]);
        QCOMPARE(shown(d), rewritten + (result.isEmpty() ? before : result));
        const QStringList refusal = {"Date out of range .....", "Input Error....."};
        QCOMPARE(messages_.texts + messages_.titles, result.isEmpty() ? refusal : QStringList());
        QCOMPARE(d.focusWidget(), button);
    }

    void keyboard()
    {
        CalConv d;
        QVERIFY(testsupport::activate(d));
        // Opens on the year, its "1" selected: typing replaces it.
        QCOMPARE(QApplication::focusWidget(), d.InYearTXT);
        QTest::keyClicks(d.InYearTXT, " 2024");
        // Enter moves on from a box, rewriting it, and converts nothing.
        QTest::keyClick(d.InYearTXT, Qt::Key_Return);
        QCOMPARE(d.InYearTXT->text(), QStringLiteral("2024"));
        QCOMPARE(QApplication::focusWidget(), d.InMonthTXT);
        QTest::keyClicks(d.InMonthTXT, "7");
        QTest::keyClick(d.InMonthTXT, Qt::Key_Enter, Qt::KeypadModifier);
        QTest::keyClicks(d.InDayTXT, "16");
        QTest::keyClick(d.InDayTXT, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget(), d.ToHegiry);
        QCOMPARE(shown(d).mid(3), QStringList({{}, {}, {}, {}}));
        // Enter on a button presses it.
        QTest::keyClick(d.ToHegiry, Qt::Key_Return);
        QCOMPARE(shown(d), QStringList({"2024", "7", "16", "1446", "1", "9", "Tuesday"}));
        // Escape is Exit: hidden, not unloaded.
        QTest::keyClick(d.ToHegiry, Qt::Key_Escape);
        QVERIFY(!d.isVisible());
        QVERIFY(!d.unloaded());
        QCOMPARE(messages_.count(), 0);
    }

    // Exit (for the About box also Enter and Escape) hides a dialog where it stands and keeps what it shows;
    // closing it from the frame unloads it. Only a dialog made anew is centred on the screen.
    void dialogsKeptOnExitCentredWhenMade()
    {
        CalMain main;
        main.show();
        main.move(0, 0); // centred on the screen, not over the main window
        const QPoint moved(23, 31);
        QVERIFY(whileOpen<CalConv>(main.Convert, [&](CalConv &d) {
            QCOMPARE(d.pos(), centred(d));
            convert(d, d.ToHegiry, "2024", "07", "16");
            d.move(moved);
            QTest::mouseClick(d.ToExit, Qt::LeftButton);
        }));
        CalConv *conv = main.convForm();
        QVERIFY(conv);
        QVERIFY(whileOpen<CalConv>(main.Convert, [&](CalConv &d) {
            QCOMPARE(&d, conv);
            QCOMPARE(shown(d), QStringList({"2024", "7", "16", "1446", "1", "9", "Tuesday"}));
            QCOMPARE(d.pos(), moved);
            d.close();
        }));
        QVERIFY(!main.convForm());
        QVERIFY(whileOpen<CalConv>(main.Convert, [&](CalConv &d) {
            QCOMPARE(shown(d), QStringList({"1", "1", "1", {}, {}, {}, {}}));
            QCOMPARE(d.pos(), centred(d));
            d.close();
        }));

        QVERIFY(whileOpen<CalAbout>(main.About, [&](CalAbout &box) {
            QCOMPARE(box.pos(), centred(box));
            box.move(moved);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        }));
        CalAbout *about = main.aboutForm();
        QVERIFY(about);
        QVERIFY(whileOpen<CalAbout>(main.About, [&](CalAbout &box) {
            QCOMPARE(&box, about);
            QCOMPARE(box.pos(), moved);
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        }));
        QVERIFY(whileOpen<CalAbout>(main.About, [&](CalAbout &box) { box.close(); }));
        QVERIFY(!main.aboutForm());
        QVERIFY(whileOpen<CalAbout>(main.About, [&](CalAbout &box) {
            QCOMPARE(box.pos(), centred(box));
            box.close();
        }));
    }

private:
    testsupport::MessageCatcher messages_;
};

QTEST_MAIN(TestCalConv)
#include "test_calconv.moc"
