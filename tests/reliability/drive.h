// Driving the real windows as a user does, and the rules that must hold
// between their controls whatever was done to them.
#pragma once

#include "core/monthlayout.h"
#include "core/names.h"
#include "core/numtext.h"
#include "mainwin/calmain.h"
#include "platform/picturebox.h"
#include "platform/scrollbar.h"
#include "tests/mainwin/pagepixels.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QString>
#include <QTest>
#include <vector>

namespace drive {

// Drops the offscreen platform's notes that it cannot raise a menu or grab
// the keyboard, and the font database's notes on fonts without OpenType
// tables: thousands of them in a long run, and Qt Test stops showing any
// message after 2000.
inline void quietPlatformNotes()
{
    static QtMessageHandler next = nullptr;
    next = qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &context, const QString &message) {
        if (message.startsWith(QLatin1String("This plugin does not support"))
            || message.startsWith(QLatin1String("OpenType support missing")))
            return;
        if (next)
            next(type, context, message);
    });
}

// Makes the window the one that takes keys and focus. (A window counts as
// active for qWaitForWindowActive while a hidden box of its own still holds
// the platform's focus; focus events then go nowhere.)
inline bool activate(QWidget &w)
{
    w.show();
    w.activateWindow();
    return QTest::qWaitFor([&] { return QApplication::activeWindow() == &w; }, 5000);
}

// Gives the box the focus (which selects its text) and pastes over it with
// Ctrl+V, as a user pastes text that cannot be typed: control characters,
// 10,000 digits, other scripts. A window left inactive by a closed modal
// box is activated first, as the user's click into it would.
inline void paste(QLineEdit *box, const QString &text)
{
    if (!box->window()->isActiveWindow())
        activate(*box->window());
    box->setFocus(Qt::TabFocusReason);
    box->selectAll();
    QApplication::clipboard()->setText(text);
    if (QApplication::clipboard()->text() != text || text.isEmpty()) {
        // Nothing to paste (or no clipboard): the text is put in directly.
        box->setText(text);
        return;
    }
    QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

// A mouse click where a user would click: it moves the focus first.
inline void click(QAbstractButton *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// A click on an option's round indicator.
inline void clickOption(QRadioButton *option)
{
    QTest::mouseClick(option, Qt::LeftButton, {}, QPoint(8, option->height() / 2));
}

inline void clickBarPart(platform::VScrollBar *bar, QStyle::SubControl part)
{
    const QRect r = bar->partRect(part);
    if (!r.isEmpty())
        QTest::mouseClick(bar, Qt::LeftButton, {}, r.center());
}

// What a box holds once it has lost the focus: digits and a leading minus.
inline bool isPlainNumber(const QString &text)
{
    return core::PlainNumber(core::WholeNumber32(text)) == text;
}

inline core::Lead leadOf(const CalMain &w)
{
    return w.GregOpt->isChecked() ? core::Lead::Gregorian : core::Lead::Hijri;
}

// The heading of the main window's page for a month of the leading calendar.
inline QString headingFor(core::Lead lead, int32_t month, int32_t year)
{
    const QString name = lead == core::Lead::Gregorian ? core::GregMonthName(month) : core::HijriMonthName(month);
    return name + u',' + core::PlainNumber(year);
}

// The months "Go" may draw: July 622 to January 2562 without October 1582
// (Gregorian), Muharram 1 to Muharram 2000 without Ramadan 990 (Hijri),
// months 1 to 12 only.
inline bool goAllows(core::Lead lead, int32_t month, int32_t year)
{
    if (month < 1 || month > 12)
        return false;
    if (lead == core::Lead::Gregorian) {
        if (year == 1582 && month == 10)
            return false;
        return (year > 622 && year < 2562) || (year == 622 && month >= 7) || (year == 2562 && month == 1);
    }
    if (year == 990 && month == 9)
        return false;
    return (year >= 1 && year < 2000) || (year == 2000 && month == 1);
}

// The year range of the main window's year bar and box for a calendar.
inline std::pair<int, int> yearRange(core::Lead lead)
{
    return lead == core::Lead::Gregorian ? std::pair{622, 2562} : std::pair{1, 2000};
}

const QString MainTitle = QStringLiteral("Input Error ...");
const QString MonthOutOfRange = QStringLiteral("Your Month is out of range");
const QString YearOutOfRange = QStringLiteral("Your Year is out of range");
const QString DateOutOfRange = QStringLiteral("Your date is out of range");

inline void todayIn(core::Lead lead, int32_t &month, int32_t &year)
{
    int32_t day;
    lead == core::Lead::Gregorian ? core::TodayGreg(day, month, year) : core::TodayHijri(day, month, year);
}

// A page either names the month the boxes read, with its cells, or shows
// the frame alone: never another month, never half a page.
inline void expectPageAgreesWithBoxes(CalMain &w)
{
    const int32_t month = core::WholeNumber32(w.MonthTXT->text());
    const int32_t year = core::WholeNumber32(w.YearTXT->text());
    if (w.Heading->text().isEmpty()) {
        QVERIFY(w.CurMonth->text().isEmpty() && w.NextMonth->text().isEmpty());
        QVERIFY2(pagepixels::isBareGrid(w.Pic->image()), "a page without a heading shows the grid alone");
        return;
    }
    QCOMPARE(w.Heading->text(), headingFor(leadOf(w), month, year));
    QVERIFY(!w.CurMonth->text().isEmpty() && !w.NextMonth->text().isEmpty());
}

// Boxes that the user is not in hold plain numbers within their ranges,
// and the bars stand where the boxes say.
inline void expectBarsFollowBoxes(CalMain &w)
{
    const core::Lead lead = leadOf(w);
    for (const QLineEdit *box : {w.MonthTXT, w.YearTXT})
        QVERIFY2(box->hasFocus() || isPlainNumber(box->text()), qPrintable(box->text()));
    if (!w.MonthTXT->hasFocus()) {
        const int32_t month = core::WholeNumber32(w.MonthTXT->text());
        QVERIFY2(month >= 1 && month <= 12, qPrintable(w.MonthTXT->text()));
        QCOMPARE(w.MonthScroll->Value(), month);
    }
    if (!w.YearTXT->hasFocus()) {
        const int32_t year = core::WholeNumber32(w.YearTXT->text());
        QVERIFY2(year >= yearRange(lead).first && year <= yearRange(lead).second, qPrintable(w.YearTXT->text()));
        QCOMPARE(w.YearScroll->Value(), year);
    }
}

// After "Go": only the window's own messages; the boxes hold plain numbers
// within their ranges and the bars agree; the page shows the boxes' month
// if Go allows it, else it is unchanged and the boxes hold today's month.
inline void expectSoundAfterGo(CalMain &w, const QStringList &texts, const QStringList &titles,
                               const QString &headingBefore)
{
    const core::Lead lead = leadOf(w);
    QVERIFY2(texts.size() <= 2, qPrintable(texts.join(u'|')));
    for (const QString &t : texts)
        QVERIFY2(t == MonthOutOfRange || t == YearOutOfRange || t == DateOutOfRange, qPrintable(t));
    for (const QString &t : titles)
        QCOMPARE(t, MainTitle);
    QVERIFY(!w.MonthTXT->hasFocus() && !w.YearTXT->hasFocus());
    expectBarsFollowBoxes(w);
    const int32_t month = core::WholeNumber32(w.MonthTXT->text());
    const int32_t year = core::WholeNumber32(w.YearTXT->text());
    if (texts.contains(DateOutOfRange)) {
        QCOMPARE(w.Heading->text(), headingBefore);
        int32_t todayMonth, todayYear;
        todayIn(lead, todayMonth, todayYear);
        QCOMPARE(month, todayMonth);
        QCOMPARE(year, todayYear);
    } else {
        QVERIFY(goAllows(lead, month, year));
        QCOMPARE(w.Heading->text(), headingFor(lead, month, year));
    }
}

// Cells of the page shaded as today's.
inline QList<int> markedCells(CalMain &w)
{
    const QImage image = w.Pic->image();
    const pagepixels::Grid grid(image);
    QList<int> marked;
    for (int i = 0; i < core::CellCount; ++i)
        if (pagepixels::isMarked(image, grid, i))
            marked << i;
    return marked;
}

// Today's cell is shaded when the page shows today's month of the leading
// calendar, and no other cell ever is.
inline void expectTodayMarkedOnlyOnItsPage(CalMain &w)
{
    const core::Lead lead = leadOf(w);
    int32_t day, month, year;
    lead == core::Lead::Gregorian ? core::TodayGreg(day, month, year) : core::TodayHijri(day, month, year);
    const QList<int> marked = markedCells(w);
    if (w.Heading->text().isEmpty() || w.Heading->text() != headingFor(lead, month, year)) {
        QCOMPARE(marked, QList<int>());
        return;
    }
    const int cell = core::LayMonth(core::engine(), lead, year, month).cellOfDay(day);
    QCOMPARE(marked, cell == 0 ? QList<int>() : QList<int>{cell - 1});
}

struct Hostile {
    const char *name;
    QString text;
};

// Texts no box should fear.
inline std::vector<Hostile> hostileTexts()
{
    const QString tenThousandDigits(10000, u'9');
    return {
        {"empty", QString()},
        {"blanks only", QStringLiteral("     ")},
        {"tabs and line feeds only", QStringLiteral("\t\n\t\n")},
        {"plus alone", QStringLiteral("+")},
        {"minus alone", QStringLiteral("-")},
        {"signs alone", QStringLiteral("+-")},
        {"dot alone", QStringLiteral(".")},
        {"10,000 digits", tenThousandDigits},
        {"10,000 digits that read as 7", QString(9999, u'0') + u'7'},
        {"10,000 decimals", QStringLiteral("7.") + tenThousandDigits},
        {"exponent of 10,000 digits", QStringLiteral("1E") + tenThousandDigits},
        {"&H with 40 digits", QStringLiteral("&H") + QString(40, u'F')},
        {"&O with 40 digits", QStringLiteral("&O") + QString(40, u'7')},
        {"&H alone", QStringLiteral("&H")},
        {"1E999", QStringLiteral("1E999")},
        {"-1E999", QStringLiteral("-1E999")},
        {"1E-999", QStringLiteral("1E-999")},
        {"NaN", QStringLiteral("NaN")},
        {"Infinity", QStringLiteral("Infinity")},
        {"-Infinity", QStringLiteral("-Infinity")},
        {"C hex float", QStringLiteral("0x1p4")},
        {"tabs between digits", QStringLiteral("2\t0\t2\t4")},
        {"line feeds between digits", QStringLiteral("1\n4\n4\n6")},
        {"carriage return between digits", QStringLiteral("20\r24")},
        {"Hebrew", QStringLiteral("\u05E9\u05E0\u05D4")},
        {"Arabic", QStringLiteral("\u0633\u0646\u0629")},
        {"right-to-left override before digits", QStringLiteral("\u202E2024")},
        {"right-to-left override inside digits", QStringLiteral("20\u202E24")},
        {"Arabic-Indic digits", QStringLiteral("\u0662\u0660\u0662\u0664")},
        {"Eastern Arabic-Indic digits", QStringLiteral("\u06F2\u06F0\u06F2\u06F4")},
        {"Devanagari digits", QStringLiteral("\u0968\u0966\u0968\u096A")},
        {"fullwidth digits", QStringLiteral("\uFF12\uFF10\uFF12\uFF14")},
        {"CJK numerals", QStringLiteral("\u4E8C\u3007\u4E8C\u56DB")},
        {"emoji before a digit", QStringLiteral("\U0001F4C5") + u'7'},
        {"lone surrogate before a digit", QString(QChar(0xD800)) + u'7'},
        {"NUL before a digit", QString(QChar(0)) + u'7'},
        {"zero-width space before a digit", QStringLiteral("\u200B7")},
        {"combining mark after a digit", QStringLiteral("7\u0301")},
        {"format directives", QStringLiteral("%s%n%x%d")},
    };
}

} // namespace drive
