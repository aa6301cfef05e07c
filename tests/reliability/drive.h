// Driving the real windows as a user does, and the rules between their controls whatever was done to them.
#pragma once

#include "convert/calconv.h"
#include "core/names.h"
#include "core/numtext.h"
#include "mainwin/calmain.h"
#include "platform/controls/scrollbar.h"
#include "print/calcanprint.h"
#include "print/calprint.h"
#include "tests/print/printtests.h"
#include "testsupport.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cmath>

namespace drive {

using core::Lead;
using namespace testsupport;
using Messages = MessageCatcher;

const QStringList MainMessages = {QStringLiteral("Input Error ...: Your Month is out of range"),
                                  QStringLiteral("Input Error ...: Your Year is out of range"),
                                  QStringLiteral("Input Error ...: Your date is out of range")};

// Texts no user should type: Qt's clipboard brings them in as a paste would.
inline QStringList hostileTexts()
{
    return {QString(),
            QStringLiteral(" \t\n\t "),
            QStringLiteral("+"),
            QStringLiteral("-"),
            QStringLiteral("+-"),
            QStringLiteral("."),
            QString(10000, u'9'),
            QString(9999, u'0') + u'7',
            QStringLiteral("&H") + QString(40, u'F'),
            QStringLiteral("&O") + QString(40, u'7'),
            QStringLiteral("1E999"),
            QStringLiteral("-1E999"),
            QStringLiteral("NaN"),
            QStringLiteral("-Infinity"),
            QStringLiteral("2\t0\n2\t4"),
            QStringLiteral("\u0633\u0646\u0629"),
            QStringLiteral("\u0662\u0660\u0662\u0664"),
            QStringLiteral("\u202E12"),
            QStringLiteral("\U0001F4C5") + u'7',
            QString(QChar(0)) + u'7'};
}

// Focus the box (which selects its text) and paste over it with Ctrl+V.
inline void paste(QLineEdit *box, const QString &text)
{
    if (!box->window()->isActiveWindow())
        activate(*box->window());
    box->setFocus(Qt::TabFocusReason);
    box->selectAll();
    QApplication::clipboard()->setText(text);
    if (text.isEmpty() || QApplication::clipboard()->text() != text)
        box->setText(text); // nothing to paste
    else
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

inline void fill(const QList<QLineEdit *> &boxes, const QStringList &texts)
{
    for (qsizetype i = 0; i < boxes.size(); ++i)
        paste(boxes[i], texts[i]);
}

inline void click(QAbstractButton *button) { QTest::mouseClick(button, Qt::LeftButton); }
inline int32_t whole(const QLineEdit *box) { return core::WholeNumber32(box->text()); }
inline bool isPlainNumber(const QString &text) { return core::PlainNumber(core::WholeNumber32(text)) == text; }

inline bool fitsIn32Bits(const QString &text)
{
    const double rounded = std::nearbyint(core::ValOf(text));
    return rounded >= INT32_MIN && rounded <= INT32_MAX;
}

inline Lead leadOf(const CalMain &w)
{
    return testsupport::option(w, "HegOpt")->isChecked() ? Lead::Hijri : Lead::Gregorian;
}

inline QString headingFor(Lead lead, int32_t month, int32_t year, const QString &gap = QStringLiteral(","))
{
    return (lead == Lead::Hijri ? core::HijriMonthName(month) : core::GregMonthName(month)) + gap
        + core::PlainNumber(year);
}

// July 622 to January 2562 (Gregorian), Muharram 1 to Muharram 2000 (Hijri).
inline bool inRange(Lead lead, int32_t month, int32_t year)
{
    const int64_t months = int64_t(year) * 12 + month;
    const bool hijri = lead == Lead::Hijri;
    return month >= 1 && month <= 12 && months >= (hijri ? 12 + 1 : 622 * 12 + 7)
        && months <= (hijri ? 2000 : 2562) * 12 + 1;
}

// After any action on the main window: only its own messages, each bringing back today's month (unless the
// action went on, as a click on a bar does once the box it left is refused); a box not being edited holds a plain
// number its bar shows; a page drawn since `headingBefore` names the boxes' month; a bare one names none.
inline void checkMainWindow(const CalMain &w, const QString &headingBefore, const Messages &messages,
                            bool refusalEndsAction = true)
{
    for (int i = 0; i < messages.count(); ++i)
        QVERIFY2(MainMessages.contains(messages.titles[i] + QStringLiteral(": ") + messages.texts[i]),
                 qPrintable(messages.texts[i]));
    const Lead lead = leadOf(w);
    QCOMPARE(core::CalendarMode, int16_t(lead == Lead::Gregorian ? 1 : 0));
    QCOMPARE(testsupport::bar(w, "YearScroll")->Min(), lead == Lead::Hijri ? 1 : 622);
    QCOMPARE(testsupport::bar(w, "YearScroll")->Max(), lead == Lead::Hijri ? 2000 : 2562);
    int32_t day, month, year;
    lead == Lead::Hijri ? core::TodayHijri(day, month, year) : core::TodayGreg(day, month, year);
    for (const auto &[box, bar, todays] :
         {std::tuple{testsupport::box(w, "MonthTXT"), testsupport::bar(w, "MonthScroll"), month},
          std::tuple{testsupport::box(w, "YearTXT"), testsupport::bar(w, "YearScroll"), year}}) {
        if (box->hasFocus())
            continue;
        QVERIFY2(isPlainNumber(box->text()), qPrintable(box->text()));
        QCOMPARE(bar->Value(), whole(box));
        if (messages.count() > 0 && refusalEndsAction)
            QCOMPARE(whole(box), todays);
    }
    if (testsupport::label(w, "Heading")->text().isEmpty())
        QCOMPARE(testsupport::label(w, "CurMonth")->text() + testsupport::label(w, "NextMonth")->text(), QString());
    else if (testsupport::label(w, "Heading")->text() != headingBefore)
        QCOMPARE(testsupport::label(w, "Heading")->text(),
                 headingFor(lead, whole(testsupport::box(w, "MonthTXT")), whole(testsupport::box(w, "YearTXT"))));
}

// Presses Go: refused with the window's message, or the boxes' month, in range, drawn.
inline void goAndCheck(const CalMain &w, const Messages &messages)
{
    const QString headingBefore = testsupport::label(w, "Heading")->text();
    click(testsupport::button(w, "GoCMD"));
    checkMainWindow(w, headingBefore, messages);
    if (messages.count() == 0) {
        QVERIFY(inRange(leadOf(w), whole(testsupport::box(w, "MonthTXT")), whole(testsupport::box(w, "YearTXT"))));
        QCOMPARE(testsupport::label(w, "Heading")->text(),
                 headingFor(leadOf(w), whole(testsupport::box(w, "MonthTXT")), whole(testsupport::box(w, "YearTXT"))));
    }
}

// Presses a conversion button: the engine's conversion of what the boxes read, or a refusal keeping the outputs.
inline void convertAndCheck(CalConv &d, QPushButton *button, Messages &messages)
{
    const auto outputs = [&] {
        return QStringList{testsupport::label(d, "OutYearTXT")->text(), testsupport::label(d, "OutMonthTXT")->text(),
                           testsupport::label(d, "OutDayTXT")->text(), testsupport::label(d, "ToWeekDay")->text()};
    };
    const QStringList before = outputs();
    messages.clear();
    click(button);
    const bool accepted = fitsIn32Bits(testsupport::box(d, "InYearTXT")->text())
        && fitsIn32Bits(testsupport::box(d, "InMonthTXT")->text())
        && fitsIn32Bits(testsupport::box(d, "InDayTXT")->text());
    const int32_t y = whole(testsupport::box(d, "InYearTXT")), m = whole(testsupport::box(d, "InMonthTXT")),
                  day = whole(testsupport::box(d, "InDayTXT"));
    const core::CalendarEngine &e = core::engine();
    const bool toHijri = button == testsupport::button(d, "ToHegiry");
    if (!accepted || !(toHijri ? e.CheckGregDate(y, m, day) : e.CheckHijriDate(y, m, day))) {
        QCOMPARE(messages.texts + messages.titles, (QStringList{"Date out of range .....", "Input Error....."}));
        QCOMPARE(outputs(), before);
        return;
    }
    const core::Ymd c = toHijri ? e.GregToHijri(y, m, day) : e.HijriToGreg(y, m, day);
    const core::Ymd g = toHijri ? core::Ymd{y, m, day} : c;
    QCOMPARE(messages.count(), 0);
    QCOMPARE(outputs(),
             (QStringList{core::PlainNumber(c.year), core::PlainNumber(c.month), core::PlainNumber(c.day),
                          core::WeekDayName(e.WeekDayOf(g.year, g.month, g.day))}));
}

// Presses Print: one of the dialog's messages and nothing printed, or a page for each month, headed by its month.
inline void printAndCheck(CalPrint &d, testsupport::RecordingPrinter &printer, Messages &messages)
{
    const int before = printer.documentCount();
    messages.clear();
    click(testsupport::button(d, "PrintPRT"));
    for (const QLineEdit *field : {testsupport::box(d, "YearTXTPRT"), testsupport::box(d, "FromMonthTXTPRT"),
                                   testsupport::box(d, "ToMonthTXTPRT")})
        QVERIFY2(isPlainNumber(field->text()), qPrintable(field->text()));
    QVERIFY(d.isVisible() && !d.findChild<CalCanPrint *>()->isVisible());
    const Lead lead = testsupport::option(d, "OPTHegiry")->isChecked() ? Lead::Hijri : Lead::Gregorian;
    const int32_t year = whole(testsupport::box(d, "YearTXTPRT")), from = whole(testsupport::box(d, "FromMonthTXTPRT")),
                  to = whole(testsupport::box(d, "ToMonthTXTPRT"));
    const bool allowed = inRange(lead, from, year) && inRange(lead, to, year);
    const QStringList refusals = {QStringLiteral("Input Error .....: Check your 'From Month' or 'To Month' limits"),
                                  QStringLiteral("Input Error .....: Check your date limits")};
    QCOMPARE(messages.count(), allowed ? 0 : 1);
    QVERIFY(allowed || refusals.contains(messages.titles[0] + QStringLiteral(": ") + messages.texts[0]));
    QCOMPARE(printer.documentCount() - before, allowed ? std::max(0, to - from + 1) : 0);
    for (int32_t month = from; allowed && month <= to; ++month) {
        const auto heading = printtests::headingOf(printer, before + month - from + 1);
        QCOMPARE(heading ? heading->text : QString(), headingFor(lead, month, year, QStringLiteral("    ")));
    }
}

} // namespace drive
