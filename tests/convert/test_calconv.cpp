// The conversion dialog, worked as a user works it: typing into the boxes,
// Tab, Enter, Escape and button clicks.
#include "convert/calconv.h"
#include "platform/window.h"
#include "testsupport.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

namespace {

const QString RefusedText = QStringLiteral("Date out of range .....");
const QString RefusedTitle = QStringLiteral("Input Error.....");

// Focus as Tab gives it (the box selects its whole text), then type over it.
void typeInto(QLineEdit *box, const QString &text)
{
    box->setFocus(Qt::TabFocusReason);
    if (text.isEmpty())
        QTest::keyClick(box, Qt::Key_Delete);
    else
        QTest::keyClicks(box, text);
}

// For what cannot be typed: tabs, line feeds, very long texts.
void pasteInto(QLineEdit *box, const QString &text)
{
    box->setFocus(Qt::TabFocusReason);
    QGuiApplication::clipboard()->setText(text);
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

QStringList outputs(const CalConv &dialog)
{
    return {dialog.OutYearTXT->text(), dialog.OutMonthTXT->text(), dialog.OutDayTXT->text(),
            dialog.ToWeekDay->text()};
}

// The engine's checks accept every date and its conversions answer fixed
// values: what still gets refused is refused by the dialog itself.
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
    void initTestCase();
    void init();
    void cleanup();

    void looksAsDesigned();
    void opensWithOnesAndTheYearSelected();
    void conversions_data();
    void conversions();
    void everyWeekdayIsNamedInFull();
    void refusalKeepsEveryOutput();
    void secondConversionReplacesEveryOutput();
    void leavingABoxRewritesItsNumber_data();
    void leavingABoxRewritesItsNumber();
    void hostileTexts_data();
    void hostileTexts();
    void numbersBeyond32BitsNeverReachTheEngine();
    void gettingFocusSelectsTheWholeText();
    void aBoxsContextMenuLeavesItAsTyped();
    void tabRunsYearMonthDayThenButtons();
    void enterMovesOnFromABoxAndPressesAButton();
    void escapePressesExit();

private:
    void open();
    // Types a date, year first as the boxes stand, and presses the button.
    void convert(QPushButton *button, const QString &year, const QString &month, const QString &day);

    const core::CalendarEngine *real_ = nullptr;
    std::unique_ptr<testsupport::MessageCatcher> messages_;
    std::unique_ptr<CalConv> dialog_;
};

void TestCalConv::initTestCase()
{
    real_ = &testsupport::installRealEngine();
}

void TestCalConv::init()
{
    core::setEngine(real_);
    messages_ = std::make_unique<testsupport::MessageCatcher>();
    open();
}

void TestCalConv::cleanup()
{
    dialog_.reset();
    messages_.reset();
    core::setEngine(real_);
}

void TestCalConv::open()
{
    dialog_ = std::make_unique<CalConv>();
    dialog_->show();
    dialog_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(dialog_.get()));
}

void TestCalConv::convert(QPushButton *button, const QString &year, const QString &month, const QString &day)
{
    typeInto(dialog_->InYearTXT, year);
    typeInto(dialog_->InMonthTXT, month);
    typeInto(dialog_->InDayTXT, day);
    QTest::mouseClick(button, Qt::LeftButton);
}

void TestCalConv::looksAsDesigned()
{
    CalConv &d = *dialog_;
    QCOMPARE(d.windowTitle(), QStringLiteral("Conversion"));
    QCOMPARE(d.size(), QSize(platform::px(7485), platform::px(3915)));
    QCOMPARE(d.minimumSize(), d.maximumSize());
    QVERIFY(!d.windowIcon().isNull());

    struct Place {
        QWidget *control;
        QRect twips;
        QString caption;
    };
    const QList<Place> places = {
        {d.Label1, {120, 360, 1815, 495}, QStringLiteral("Input date :")},
        {d.Label2, {5160, 360, 2055, 495}, QStringLiteral("Output Date :")},
        {d.Label3, {240, 1080, 615, 375}, QStringLiteral("Year")},
        {d.InYearTXT, {960, 1080, 735, 375}, QStringLiteral("1")},
        {d.ToHegiry, {2880, 1080, 1455, 375}, QStringLiteral("To Hijri")},
        {d.Label6, {5280, 1080, 615, 375}, QStringLiteral("Year")},
        {d.OutYearTXT, {6000, 1080, 735, 375}, QString()},
        {d.Label4, {240, 1800, 615, 375}, QStringLiteral("Month")},
        {d.InMonthTXT, {960, 1800, 735, 375}, QStringLiteral("1")},
        {d.ToGreg, {2880, 1800, 1455, 375}, QStringLiteral("To Greg/Chris")},
        {d.Label7, {5280, 1800, 615, 375}, QStringLiteral("Month")},
        {d.OutMonthTXT, {6000, 1800, 735, 375}, QString()},
        {d.Label5, {240, 2520, 615, 375}, QStringLiteral("Day")},
        {d.InDayTXT, {960, 2520, 735, 375}, QStringLiteral("1")},
        {d.ToExit, {2880, 2520, 1455, 375}, QStringLiteral("Exit")},
        {d.Label8, {5280, 2520, 615, 375}, QStringLiteral("Day")},
        {d.OutDayTXT, {6000, 2520, 735, 375}, QString()},
        {d.ToWeekDay, {2520, 3240, 2175, 375}, QString()},
    };
    for (const Place &p : places) {
        const QRect expected = platform::twipsRect(p.twips.x(), p.twips.y(), p.twips.width(), p.twips.height());
        QCOMPARE(p.control->geometry(), expected);
        QString caption;
        if (auto *label = qobject_cast<QLabel *>(p.control))
            caption = label->text();
        else if (auto *box = qobject_cast<QLineEdit *>(p.control))
            caption = box->text();
        else
            caption = qobject_cast<QPushButton *>(p.control)->text();
        QCOMPARE(caption, p.caption);
        QVERIFY(p.control->isVisible());
    }

    for (QLabel *heading : {d.Label1, d.Label2}) {
        QCOMPARE(heading->font().family(), QStringLiteral("Arial"));
        QCOMPARE(heading->font().pointSizeF(), 18.0);
        QVERIFY(heading->font().bold());
    }
    QCOMPARE(d.ToWeekDay->font().pointSizeF(), 13.5);
    QVERIFY(!d.ToWeekDay->font().bold());
    QCOMPARE(d.ToWeekDay->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    for (QWidget *plain : std::initializer_list<QWidget *>{d.Label3, d.InYearTXT, d.ToHegiry, d.OutDayTXT}) {
        QCOMPARE(plain->font().pointSizeF(), 9.75);
        QVERIFY(plain->font().bold());
    }
    for (QLabel *output : {d.OutYearTXT, d.OutMonthTXT, d.OutDayTXT}) {
        QCOMPARE(output->frameShape(), QFrame::Box);
        QCOMPARE(output->lineWidth(), 1);
        QCOMPARE(output->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
        // The widest output, a four-digit year, fits inside the frame.
        QVERIFY(output->fontMetrics().horizontalAdvance(QStringLiteral("9999")) <= output->contentsRect().width());
    }
    QVERIFY(d.ToWeekDay->fontMetrics().horizontalAdvance(QStringLiteral("Wednesday")) <= d.ToWeekDay->width());
    QCOMPARE(d.palette().color(QPalette::Window), QColor(Qt::white));
}

void TestCalConv::opensWithOnesAndTheYearSelected()
{
    QCOMPARE(QApplication::focusWidget(), dialog_->InYearTXT);
    QCOMPARE(dialog_->InYearTXT->selectedText(), QStringLiteral("1"));
    // Typing a year replaces the "1" at once.
    QTest::keyClicks(dialog_->InYearTXT, QStringLiteral("2024"));
    QCOMPARE(dialog_->InYearTXT->text(), QStringLiteral("2024"));
    QCOMPARE(outputs(*dialog_), QStringList({{}, {}, {}, {}}));
}

void TestCalConv::conversions_data()
{
    QTest::addColumn<bool>("toHijri");
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("day");
    // Year, month, day, weekday; empty when the date is refused.
    QTest::addColumn<QStringList>("shown");

    auto toHijri = [](const char *name, const char *y, const char *m, const char *d, QStringList shown) {
        QTest::newRow(name) << true << y << m << d << shown;
    };
    auto toGreg = [](const char *name, const char *y, const char *m, const char *d, QStringList shown) {
        QTest::newRow(name) << false << y << m << d << shown;
    };
    toHijri("1 July 2024", "2024", "7", "1", {"1445", "12", "24", "Monday"});
    toGreg("24 Thu Al-Hijjah 1445", "1445", "12", "24", {"2024", "7", "1", "Monday"});
    toHijri("16 July 622, first day", "622", "7", "16", {"1", "1", "1", "Friday"});
    toGreg("1 Muharram 1", "1", "1", "1", {"622", "7", "16", "Friday"});
    toHijri("15 July 622, before the era", "622", "7", "15", {});
    toGreg("30 Thu Al-Hijjah 0", "0", "12", "30", {});
    toHijri("4 October 1582, last Julian day", "1582", "10", "4", {"990", "9", "16", "Thursday"});
    toHijri("15 October 1582, first Gregorian day", "1582", "10", "15", {"990", "9", "17", "Friday"});
    toGreg("16 Ramadan 990", "990", "9", "16", {"1582", "10", "4", "Thursday"});
    toGreg("17 Ramadan 990", "990", "9", "17", {"1582", "10", "15", "Friday"});
    toHijri("10 October 1582, dropped by the reform", "1582", "10", "10", {});
    toHijri("29 February 1500, a Julian leap day", "1500", "2", "29", {"905", "7", "29", "Saturday"});
    toHijri("29 February 1700, no Gregorian leap day", "1700", "2", "29", {});
    toHijri("29 February 2024", "2024", "2", "29", {"1445", "8", "19", "Thursday"});
    toHijri("30 February", "2024", "2", "30", {});
    toHijri("month 13", "2024", "13", "1", {});
    toGreg("Hijri month 13", "1445", "13", "1", {});
    toHijri("month 0", "2024", "0", "1", {});
    toHijri("day 0", "2024", "7", "0", {});
    toGreg("Hijri day 31", "1445", "1", "31", {});
    toGreg("30 Thu Al-Hijjah 1445, a leap year", "1445", "12", "30", {"2024", "7", "7", "Sunday"});
    toGreg("30 Thu Al-Hijjah 1446, a common year", "1446", "12", "30", {});
    toHijri("year 0", "0", "1", "1", {});
    toGreg("Hijri year 0", "0", "1", "1", {});
    toHijri("negative year", "-1", "1", "1", {});
    toHijri("31 December 9999, the engine's last day", "9999", "12", "31", {"9666", "4", "2", "Friday"});
    toGreg("2 Rabi I 9666, the engine's last day", "9666", "4", "2", {"9999", "12", "31", "Friday"});
    toHijri("1 January 10000", "10000", "1", "1", {});
    toGreg("3 Rabi I 9666, past the last day", "9666", "4", "3", {});
    toHijri("largest 32-bit year", "2147483647", "12", "31", {});
    toGreg("largest 32-bit Hijri year", "2147483647", "12", "29", {});
}

void TestCalConv::conversions()
{
    QFETCH(bool, toHijri);
    QFETCH(QString, year);
    QFETCH(QString, month);
    QFETCH(QString, day);
    QFETCH(QStringList, shown);

    // An earlier conversion, so that a refusal has something to keep.
    convert(dialog_->ToGreg, QStringLiteral("1446"), QStringLiteral("1"), QStringLiteral("9"));
    const QStringList before = outputs(*dialog_);
    QCOMPARE(before, QStringList({"2024", "7", "16", "Tuesday"}));

    QPushButton *button = toHijri ? dialog_->ToHegiry : dialog_->ToGreg;
    convert(button, year, month, day);
    if (shown.isEmpty()) {
        QCOMPARE(messages_->count(), 1);
        QCOMPARE(messages_->texts.first(), RefusedText);
        QCOMPARE(messages_->titles.first(), RefusedTitle);
        QCOMPARE(outputs(*dialog_), before);
    } else {
        QCOMPARE(messages_->count(), 0);
        QCOMPARE(outputs(*dialog_), shown);
    }
    // Inputs stay as typed; the focus stays on the button pressed.
    QCOMPARE(dialog_->InYearTXT->text(), year);
    QCOMPARE(dialog_->InMonthTXT->text(), month);
    QCOMPARE(dialog_->InDayTXT->text(), day);
    QCOMPARE(dialog_->focusWidget(), button);
}

void TestCalConv::everyWeekdayIsNamedInFull()
{
    const QStringList week = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    for (int i = 0; i < 7; ++i) {
        convert(dialog_->ToHegiry, QStringLiteral("2024"), QStringLiteral("7"), QString::number(14 + i));
        QCOMPARE(dialog_->ToWeekDay->text(), week[i]);
        // The same day typed as its Hijri date (7 to 13 Muharram 1446).
        dialog_->ToWeekDay->clear();
        convert(dialog_->ToGreg, QStringLiteral("1446"), QStringLiteral("1"), QString::number(7 + i));
        QCOMPARE(dialog_->ToWeekDay->text(), week[i]);
        QCOMPARE(dialog_->OutDayTXT->text(), QString::number(14 + i));
    }
    QCOMPARE(messages_->count(), 0);
}

void TestCalConv::refusalKeepsEveryOutput()
{
    convert(dialog_->ToHegiry, QStringLiteral("2024"), QStringLiteral("7"), QStringLiteral("16"));
    const QStringList good = {"1446", "1", "9", "Tuesday"};
    QCOMPARE(outputs(*dialog_), good);

    convert(dialog_->ToHegiry, QStringLiteral("2023"), QStringLiteral("2"), QStringLiteral("29"));
    QCOMPARE(outputs(*dialog_), good);
    // No Hijri month has 31 days.
    convert(dialog_->ToGreg, QStringLiteral("1445"), QStringLiteral("2"), QStringLiteral("31"));
    QCOMPARE(outputs(*dialog_), good);
    QCOMPARE(messages_->count(), 2);
    QCOMPARE(dialog_->focusWidget(), dialog_->ToGreg);
}

void TestCalConv::secondConversionReplacesEveryOutput()
{
    convert(dialog_->ToGreg, QStringLiteral("1446"), QStringLiteral("1"), QStringLiteral("9"));
    QCOMPARE(outputs(*dialog_), QStringList({"2024", "7", "16", "Tuesday"}));
    convert(dialog_->ToHegiry, QStringLiteral("2000"), QStringLiteral("1"), QStringLiteral("1"));
    QCOMPARE(outputs(*dialog_), QStringList({"1420", "9", "24", "Saturday"}));
    QCOMPARE(messages_->count(), 0);
}

void TestCalConv::leavingABoxRewritesItsNumber_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("rewritten");
    QTest::newRow("leading blank") << " 12" << "12";
    QTest::newRow("letters") << "abc" << "0";
    QTest::newRow("empty") << "" << "0";
    QTest::newRow("number then letters") << "12abc" << "12";
    QTest::newRow("blanks inside") << "2 0 2 4" << "2024";
    QTest::newRow("leading zeros") << "007" << "7";
    QTest::newRow("plus sign") << "+5" << "5";
    QTest::newRow("minus sign") << "-7" << "-7";
    QTest::newRow("half to even down") << "2.5" << "2";
    QTest::newRow("half to even up") << "3.5" << "4";
    QTest::newRow("exponent") << "1e3" << "1000";
    QTest::newRow("hexadecimal") << "&H1F" << "31";
    QTest::newRow("octal") << "&o17" << "15";
    QTest::newRow("largest 32-bit number") << "2147483647" << "2147483647";
    QTest::newRow("smallest 32-bit number") << "-2147483648" << "-2147483648";
    // No 32-bit number to write back: kept as typed, never a clamped one.
    QTest::newRow("one past the 32-bit range") << "2147483648" << "2147483648";
    QTest::newRow("far past the 32-bit range") << "1E999" << "1E999";
}

void TestCalConv::leavingABoxRewritesItsNumber()
{
    QFETCH(QString, typed);
    QFETCH(QString, rewritten);
    for (QLineEdit *box : {dialog_->InYearTXT, dialog_->InMonthTXT, dialog_->InDayTXT}) {
        typeInto(box, typed);
        QCOMPARE(box->text(), typed);
        QTest::keyClick(box, Qt::Key_Tab);
        QVERIFY(!box->hasFocus());
        QCOMPARE(box->text(), rewritten);
    }
    // Nothing is checked on leaving a box.
    QCOMPARE(messages_->count(), 0);
    QCOMPARE(outputs(*dialog_), QStringList({{}, {}, {}, {}}));
}

void TestCalConv::hostileTexts_data()
{
    QTest::addColumn<QString>("year");
    QTest::addColumn<QString>("day");
    // Year, month, day, weekday of 16 July 2024 as a Hijri date, or empty
    // when refused.
    QTest::addColumn<QStringList>("shown");
    const QStringList july16 = {"1446", "1", "9", "Tuesday"};
    const QString day = QStringLiteral("16");

    QTest::newRow("10000 digits") << QString(10000, u'9') << day << QStringList();
    QTest::newRow("10000 digits of day") << "2024" << QString(10000, u'1') << QStringList();
    QTest::newRow("hexadecimal of 40 digits") << QStringLiteral("&H") + QString(40, u'F') << day << QStringList();
    QTest::newRow("octal of 40 digits") << QStringLiteral("&O") + QString(40, u'7') << day << QStringList();
    QTest::newRow("1E999") << "1E999" << day << QStringList();
    QTest::newRow("-1E999") << "-1E999" << day << QStringList();
    QTest::newRow("day 1E999") << "2024" << "1E999" << QStringList();
    QTest::newRow("day -1E999") << "2024" << "-1E999" << QStringList();
    QTest::newRow("2^32 wraps to nothing") << "4294967296" << day << QStringList();
    QTest::newRow("2^32 + 2024") << "4294969320" << day << QStringList();
    QTest::newRow("plus alone") << "+" << day << QStringList();
    QTest::newRow("minus alone") << "-" << day << QStringList();
    QTest::newRow("exponent alone") << "E5" << day << QStringList();
    QTest::newRow("Arabic-Indic digits") << QStringLiteral(u"\u0662\u0660\u0662\u0664") << day << QStringList();
    QTest::newRow("full-width digits") << QStringLiteral(u"\uFF12\uFF10\uFF12\uFF14") << day << QStringList();
    QTest::newRow("tabs and line feeds between digits") << "2\t0\n2 4" << "1\t6" << july16;
    QTest::newRow("hexadecimal year") << "&H7E8" << day << july16;
    QTest::newRow("fraction rounds down") << "2024.4" << day << july16;
    QTest::newRow("half rounds to even") << "2024.5" << "16.5" << july16;
    QTest::newRow("exponent year") << "2.024E3" << day << july16;
}

void TestCalConv::hostileTexts()
{
    QFETCH(QString, year);
    QFETCH(QString, day);
    QFETCH(QStringList, shown);
    pasteInto(dialog_->InYearTXT, year);
    typeInto(dialog_->InMonthTXT, QStringLiteral("7"));
    pasteInto(dialog_->InDayTXT, day);
    QTest::mouseClick(dialog_->ToHegiry, Qt::LeftButton);
    if (shown.isEmpty()) {
        QCOMPARE(messages_->count(), 1);
        QCOMPARE(outputs(*dialog_), QStringList({{}, {}, {}, {}}));
    } else {
        QCOMPARE(messages_->count(), 0);
        QCOMPARE(outputs(*dialog_), shown);
        QCOMPARE(dialog_->InYearTXT->text(), QStringLiteral("2024"));
        QCOMPARE(dialog_->InDayTXT->text(), QStringLiteral("16"));
    }
    // The dialog goes on working.
    convert(dialog_->ToGreg, QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("1"));
    QCOMPARE(outputs(*dialog_), QStringList({"622", "7", "16", "Friday"}));
}

void TestCalConv::numbersBeyond32BitsNeverReachTheEngine()
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

    const QStringList beyond = {"2147483648", "-2147483649", "4294967296", "1E999", "-1E999",
                                QString(40, u'9'), QStringLiteral("&H") + QString(12, u'F')};
    for (const QString &text : beyond) {
        for (QPushButton *button : {dialog_->ToHegiry, dialog_->ToGreg}) {
            convert(button, text, QStringLiteral("1"), QStringLiteral("1"));
            convert(button, QStringLiteral("1"), text, QStringLiteral("1"));
            convert(button, QStringLiteral("1"), QStringLiteral("1"), text);
        }
    }
    QCOMPARE(conversions, 0);
    QCOMPARE(messages_->count(), int(beyond.size()) * 6);

    // At the very edge of the range the number is the engine's to judge.
    convert(dialog_->ToHegiry, QStringLiteral("2147483647"), QStringLiteral("-2147483648"), QStringLiteral("1"));
    QCOMPARE(conversions, 1);
    QCOMPARE(outputs(*dialog_), QStringList({"7", "8", "9", "Wednesday"}));
}

void TestCalConv::gettingFocusSelectsTheWholeText()
{
    typeInto(dialog_->InMonthTXT, QStringLiteral("12"));
    QTest::keyClick(dialog_->InMonthTXT, Qt::Key_Tab);
    QTest::keyClick(dialog_->InDayTXT, Qt::Key_Backtab);
    QVERIFY(dialog_->InMonthTXT->hasFocus());
    QCOMPARE(dialog_->InMonthTXT->selectionStart(), 0);
    QCOMPARE(dialog_->InMonthTXT->selectedText(), QStringLiteral("12"));
    // Typing replaces the whole old number.
    QTest::keyClicks(dialog_->InMonthTXT, QStringLiteral("3"));
    QCOMPARE(dialog_->InMonthTXT->text(), QStringLiteral("3"));
}

void TestCalConv::aBoxsContextMenuLeavesItAsTyped()
{
    typeInto(dialog_->InYearTXT, QStringLiteral(" 20"));
    QLineEdit *box = dialog_->InYearTXT;
    QContextMenuEvent request(QContextMenuEvent::Mouse, QPoint(5, 5), box->mapToGlobal(QPoint(5, 5)));
    QApplication::sendEvent(box, &request);
    QWidget *menu = QApplication::activePopupWidget();
    QVERIFY(menu);
    // Leaving the box for its own menu is no leaving: typing goes on.
    QCOMPARE(box->text(), QStringLiteral(" 20"));
    menu->close();
    QTRY_VERIFY(!QApplication::activePopupWidget());
    QVERIFY(box->hasFocus());
    QCOMPARE(box->selectedText(), QString());
    QTest::keyClicks(box, QStringLiteral("24"));
    QTest::keyClick(box, Qt::Key_Tab);
    QCOMPARE(box->text(), QStringLiteral("2024"));
}

void TestCalConv::tabRunsYearMonthDayThenButtons()
{
    const QList<QWidget *> order = {dialog_->InYearTXT, dialog_->InMonthTXT, dialog_->InDayTXT,
                                    dialog_->ToHegiry,  dialog_->ToGreg,     dialog_->ToExit,
                                    dialog_->InYearTXT};
    QCOMPARE(QApplication::focusWidget(), order.first());
    for (int i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), order[i]);
    }
    QVERIFY(dialog_->isVisible());
    QCOMPARE(messages_->count(), 0);
}

void TestCalConv::enterMovesOnFromABoxAndPressesAButton()
{
    typeInto(dialog_->InYearTXT, QStringLiteral(" 2024"));
    QTest::keyClick(dialog_->InYearTXT, Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), dialog_->InMonthTXT);
    QCOMPARE(dialog_->InYearTXT->text(), QStringLiteral("2024"));
    QTest::keyClicks(dialog_->InMonthTXT, QStringLiteral("7"));
    QTest::keyClick(dialog_->InMonthTXT, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClicks(dialog_->InDayTXT, QStringLiteral("16.0"));
    QTest::keyClick(dialog_->InDayTXT, Qt::Key_Return);
    QCOMPARE(dialog_->InDayTXT->text(), QStringLiteral("16"));
    // Leaving the last box converts nothing.
    QCOMPARE(QApplication::focusWidget(), dialog_->ToHegiry);
    QCOMPARE(outputs(*dialog_), QStringList({{}, {}, {}, {}}));

    QTest::keyClick(dialog_->ToHegiry, Qt::Key_Return);
    QCOMPARE(outputs(*dialog_), QStringList({"1446", "1", "9", "Tuesday"}));
    // The same numbers read as 16 Rajab 2024 of the Hijri calendar.
    QTest::keyClick(dialog_->ToHegiry, Qt::Key_Tab);
    QTest::keyClick(dialog_->ToGreg, Qt::Key_Return);
    QCOMPARE(outputs(*dialog_), QStringList({"2585", "10", "31", "Monday"}));
    QVERIFY(dialog_->isVisible());
    QCOMPARE(messages_->count(), 0);
}

void TestCalConv::escapePressesExit()
{
    typeInto(dialog_->InDayTXT, QStringLiteral("5"));
    QTest::keyClick(dialog_->InDayTXT, Qt::Key_Escape);
    QVERIFY(!dialog_->isVisible());
    QVERIFY(!dialog_->unloaded());
    QCOMPARE(dialog_->InDayTXT->text(), QStringLiteral("5"));
}

QTEST_MAIN(TestCalConv)
#include "test_calconv.moc"
