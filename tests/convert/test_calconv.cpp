// The conversion dialog, worked as a user works it: typing, Tab, Enter,
// Escape and button clicks.
#include "convert/calconv.h"
#include "testsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

// Focus as Tab gives it (the whole text selected), then type over it.
void typeInto(QLineEdit *box, const QString &text)
{
    box->setFocus(Qt::TabFocusReason);
    text.isEmpty() ? QTest::keyClick(box, Qt::Key_Delete) : QTest::keyClicks(box, text);
}

QStringList outputs(const CalConv &d)
{
    return {d.OutYearTXT->text(), d.OutMonthTXT->text(), d.OutDayTXT->text(), d.ToWeekDay->text()};
}

// Accepts every date, so that what is refused is refused by the dialog.
class AcceptingEngine : public testsupport::FakeEngine {
public:
    using FakeEngine::FakeEngine;
    bool CheckGregDate(int32_t, int32_t, int32_t) const override { return true; }
    bool CheckHijriDate(int32_t, int32_t, int32_t) const override { return true; }
};

} // namespace

class TestCalConv : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { real_ = &testsupport::installRealEngine(); }
    void init();
    void cleanup() { dialog_.reset(); messages_.reset(); core::setEngine(real_); }
    void conversions_data();
    void conversions();
    void leavingABoxRewritesItsNumber_data();
    void leavingABoxRewritesItsNumber();
    void numbersBeyond32BitsAreRefused();
    void keyboard();

private:
    void convert(QPushButton *button, const QString &y, const QString &m, const QString &d);

    const core::CalendarEngine *real_ = nullptr;
    std::unique_ptr<testsupport::MessageCatcher> messages_;
    std::unique_ptr<CalConv> dialog_;
};

void TestCalConv::init()
{
    core::setEngine(real_);
    messages_ = std::make_unique<testsupport::MessageCatcher>();
    dialog_ = std::make_unique<CalConv>();
    dialog_->show();
    dialog_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog_.get()));
}

void TestCalConv::convert(QPushButton *button, const QString &y, const QString &m, const QString &d)
{
    typeInto(dialog_->InYearTXT, y);
    typeInto(dialog_->InMonthTXT, m);
    typeInto(dialog_->InDayTXT, d);
    QTest::mouseClick(button, Qt::LeftButton);
}

void TestCalConv::conversions_data()
{
    QTest::addColumn<bool>("toHijri");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("day");
    QTest::addColumn<QStringList>("shown"); // empty: refused
    auto row = [](const char *name, bool toHijri, const char *y, const char *m, const char *d, QStringList shown) {
        QTest::newRow(name) << toHijri << y << m << d << shown;
    };
    row("1 July 2024", true, "2024", "7", "1", {"1445", "12", "24", "Monday"});
    row("24/12/1445", false, "1445", "12", "24", {"2024", "7", "1", "Monday"});
    row("16 July 622", true, "622", "7", "16", {"1", "1", "1", "Friday"});
    row("1/1/1", false, "1", "1", "1", {"622", "7", "16", "Friday"});
    row("4 October 1582", true, "1582", "10", "4", {"990", "9", "16", "Thursday"});
    row("15 October 1582", true, "1582", "10", "15", {"990", "9", "17", "Friday"});
    row("10 October 1582", true, "1582", "10", "10", {});
    row("15 July 622", true, "622", "7", "15", {});
    row("29 February 1700", true, "1700", "2", "29", {});
    row("30 February", true, "2024", "2", "30", {});
    row("month 13", true, "2024", "13", "1", {});
    row("Hijri 30/12 leap year", false, "1445", "12", "30", {"2024", "7", "7", "Sunday"});
    row("Hijri 30/12 common year", false, "1446", "12", "30", {});
    row("year 0", true, "0", "1", "1", {});
    row("Hijri year 0", false, "0", "1", "1", {});
    row("31 December 9999", true, "9999", "12", "31", {"9666", "4", "2", "Friday"});
    row("1 January 10000", true, "10000", "1", "1", {});
}

void TestCalConv::conversions()
{
    QFETCH(bool, toHijri);
    QFETCH(QString, year);
    QFETCH(QString, month);
    QFETCH(QString, day);
    QFETCH(QStringList, shown);

    // An earlier conversion: a refusal keeps all four outputs, an accepted
    // date replaces all four (no accepted row shares any with it).
    convert(dialog_->ToGreg, "1446", "1", "9");
    const QStringList before = outputs(*dialog_);
    QCOMPARE(before, QStringList({"2024", "7", "16", "Tuesday"}));

    QPushButton *button = toHijri ? dialog_->ToHegiry : dialog_->ToGreg;
    convert(button, year, month, day);
    if (shown.isEmpty()) {
        QCOMPARE(messages_->count(), 1);
        QCOMPARE(messages_->texts.first(), QStringLiteral("Date out of range ....."));
        QCOMPARE(messages_->titles.first(), QStringLiteral("Input Error....."));
        QCOMPARE(outputs(*dialog_), before);
    } else {
        QCOMPARE(messages_->count(), 0);
        QCOMPARE(outputs(*dialog_), shown);
    }
    QCOMPARE(QStringList({dialog_->InYearTXT->text(), dialog_->InMonthTXT->text(), dialog_->InDayTXT->text()}),
             QStringList({year, month, day}));
    QCOMPARE(dialog_->focusWidget(), button);
}

void TestCalConv::leavingABoxRewritesItsNumber_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("rewritten");
    QTest::newRow("leading blank") << " 12" << "12";
    QTest::newRow("letters") << "abc" << "0";
    QTest::newRow("empty") << "" << "0";
    QTest::newRow("number then letters") << "12abc" << "12";
    QTest::newRow("half to even") << "2.5" << "2";
    QTest::newRow("hexadecimal") << "&H1F" << "31";
    // No 32-bit number to write back: kept as typed, never clamped.
    QTest::newRow("past 32 bits") << "2147483648" << "2147483648";
}

void TestCalConv::leavingABoxRewritesItsNumber()
{
    QFETCH(QString, typed);
    QFETCH(QString, rewritten);
    for (QLineEdit *box : {dialog_->InYearTXT, dialog_->InMonthTXT, dialog_->InDayTXT}) {
        typeInto(box, typed);
        QTest::keyClick(box, Qt::Key_Tab);
        QVERIFY(!box->hasFocus());
        QCOMPARE(box->text(), rewritten);
    }
    QCOMPARE(messages_->count(), 0);
    QCOMPARE(outputs(*dialog_), QStringList({{}, {}, {}, {}}));
}

void TestCalConv::numbersBeyond32BitsAreRefused()
{
    AcceptingEngine accepting(*real_);
    int conversions = 0;
    accepting.gregToHijri = [&](int32_t, int32_t, int32_t) {
        ++conversions;
        return core::Ymd{7, 8, 9};
    };
    accepting.hijriToGreg = accepting.gregToHijri;
    accepting.weekDayOf = [](int32_t, int32_t, int32_t) { return 3; };
    core::setEngine(&accepting);

    const QStringList beyond = {"2147483648", "-2147483649", "4294967296", "1E999", QString(40, u'9')};
    for (const QString &text : beyond) {
        for (QPushButton *button : {dialog_->ToHegiry, dialog_->ToGreg}) {
            convert(button, text, "1", "1");
            convert(button, "1", text, "1");
            convert(button, "1", "1", text);
        }
    }
    QCOMPARE(conversions, 0);
    QCOMPARE(messages_->count(), int(beyond.size()) * 6);

    // At the very edge of the range the number is the engine's to judge.
    convert(dialog_->ToHegiry, "2147483647", "-2147483648", "1");
    QCOMPARE(conversions, 1);
    QCOMPARE(outputs(*dialog_), QStringList({"7", "8", "9", "Wednesday"}));
}

void TestCalConv::keyboard()
{
    // Opens on the year, its "1" selected: typing replaces it.
    QCOMPARE(QApplication::focusWidget(), dialog_->InYearTXT);
    QTest::keyClicks(dialog_->InYearTXT, " 2024");
    // Enter moves on from a box, rewriting it, and converts nothing.
    QTest::keyClick(dialog_->InYearTXT, Qt::Key_Return);
    QCOMPARE(dialog_->InYearTXT->text(), QStringLiteral("2024"));
    QCOMPARE(QApplication::focusWidget(), dialog_->InMonthTXT);
    QTest::keyClicks(dialog_->InMonthTXT, "7");
    QTest::keyClick(dialog_->InMonthTXT, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClicks(dialog_->InDayTXT, "16");
    QTest::keyClick(dialog_->InDayTXT, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), dialog_->ToHegiry);
    QCOMPARE(outputs(*dialog_), QStringList({{}, {}, {}, {}}));
    // Enter on a button presses it.
    QTest::keyClick(dialog_->ToHegiry, Qt::Key_Return);
    QCOMPARE(outputs(*dialog_), QStringList({"1446", "1", "9", "Tuesday"}));
    // Escape is Exit: hidden, not unloaded, inputs kept.
    QTest::keyClick(dialog_->ToHegiry, Qt::Key_Escape);
    QVERIFY(!dialog_->isVisible());
    QVERIFY(!dialog_->unloaded());
    QCOMPARE(dialog_->InDayTXT->text(), QStringLiteral("16"));
    QCOMPARE(messages_->count(), 0);
}

QTEST_MAIN(TestCalConv)
#include "test_calconv.moc"
