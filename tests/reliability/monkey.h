// A random user: menu entries, dialogs closed by Exit, Escape or the frame,
// options, typing and pasting, scroll bar arrows, troughs and wheel, "Go",
// conversions and print jobs on a recording printer. After every action the
// rules between the controls are checked; a broken rule fails the running
// test, and recentActions() tells how the program got there.
#pragma once

#include "about/calabout.h"
#include "convert/calconv.h"
#include "core/state.h"
#include "drive.h"
#include "platform/printerrecording.h"
#include "print/calcanprint.h"
#include "print/calprint.h"
#include "testsupport.h"
#include "tests/print/printtests.h"

#include <QPushButton>
#include <QTimer>
#include <QWheelEvent>
#include <cmath>
#include <deque>
#include <functional>
#include <limits>
#include <memory>
#include <random>

namespace monkey {

class Monkey {
public:
    Monkey(CalMain &w, testsupport::MessageCatcher &messages, uint32_t seed)
        : w_(w), messages_(messages), random_(seed)
    {
    }

    // An engine that answers nonsense leaves the boxes, bars and pages
    // nothing to agree with it on: then only what holds whatever the engine
    // says is checked.
    bool engineTrusted = true;

    // One user action on the main window; a dialog counts one action for
    // opening it and one for each thing done in it.
    void act()
    {
        const QString headingBefore = w_.Heading->text();
        messages_.clear();
        const int pick = below(100);
        if (pick < 14)
            typeIntoMainBox(w_.MonthTXT);
        else if (pick < 28)
            typeIntoMainBox(w_.YearTXT);
        else if (pick < 33)
            pressTab(w_);
        else if (pick < 39)
            chooseCalendar();
        else if (pick < 55)
            clickBar();
        else if (pick < 59)
            turnWheel();
        else if (pick < 71)
            pressGo(headingBefore);
        else if (pick < 74)
            repaint();
        else if (pick < 76)
            pressOnPicture();
        else if (pick < 86)
            converting();
        else if (pick < 96)
            printing();
        else
            readingAbout();
        ++count_;
        if (!QTest::currentTestFailed())
            checkMainWindow(headingBefore);
    }

    // Closes every dialog from its frame, so that none is kept: memory is
    // then compared between like states.
    void unloadDialogs()
    {
        whileOpen<CalConv>(w_.Convert, [](CalConv &d) { d.close(); });
        whileOpen<CalPrint>(w_.PrintCal, [](CalPrint &d) { d.close(); });
        whileOpen<CalAbout>(w_.About, [](CalAbout &d) { d.close(); });
        QVERIFY(!w_.convForm() && !w_.printForm() && !w_.aboutForm());
        // The printer keeps room for the longest job it recorded.
        printer_ = std::make_unique<platform::RecordingPrinter>();
    }

    int actions() const { return count_; }
    int documentsPrinted() const { return documents_; }
    int messagesAnswered() const { return answered_; }

    QString recentActions() const
    {
        QStringList lines;
        for (const QString &line : log_)
            lines << line;
        return lines.join(u'\n');
    }

private:
    // ---- random choices -------------------------------------------------

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
    bool chance(int percent) { return below(100) < percent; }
    template <typename T>
    const T &oneOf(const std::vector<T> &items)
    {
        return items[std::size_t(below(int(items.size())))];
    }

    void note(const QString &what)
    {
        log_.push_back(QStringLiteral("%1: %2").arg(count_).arg(what.left(80)));
        if (log_.size() > 40)
            log_.pop_front();
    }

    // Mostly numbers a user means, some just outside, some written oddly,
    // a few hostile.
    QString numberText(int low, int high, const std::vector<int> &edges)
    {
        const int pick = below(100);
        if (pick < 45)
            return QString::number(low + below(high - low + 1));
        if (pick < 60)
            return QString::number(oneOf(edges));
        if (pick < 70)
            return QString::number(chance(50) ? low - 1 - below(3) : high + 1 + below(3));
        if (pick < 82) {
            const int n = low + below(high - low + 1);
            const std::vector<QString> forms{u' ' + QString::number(n), QString::number(n) + QStringLiteral(".4"),
                                             QStringLiteral("&H") + QString::number(n, 16),
                                             QStringLiteral("&O") + QString::number(n, 8), QString::number(n) + u'x',
                                             u'+' + QString::number(n), QString::number(n).split(QString()).join(u' ')};
            return oneOf(forms);
        }
        static const std::vector<drive::Hostile> hostile = drive::hostileTexts();
        return oneOf(hostile).text;
    }

    QString monthText() { return numberText(1, 12, {1, 12, 0, 13, 7, 9, 10}); }
    QString yearText(core::Lead lead)
    {
        if (lead == core::Lead::Gregorian)
            return numberText(622, 2562, {622, 2562, 1582, 2024, 621, 2563});
        return numberText(1, 2000, {1, 2000, 990, 1446, 0, 2001});
    }

    // ---- ways of putting text in a box -----------------------------------

    static bool typeable(const QString &text)
    {
        for (const QChar c : text)
            if (c.unicode() < 0x20 || c.unicode() > 0x7E)
                return false;
        return !text.isEmpty() && text.size() < 40;
    }

    void enter(QLineEdit *box, const QString &text)
    {
        if (!typeable(text)) {
            note(QStringLiteral("paste into %1: %2").arg(box->objectName(), text));
            drive::paste(box, text);
            return;
        }
        if (!box->window()->isActiveWindow())
            drive::activate(*box->window());
        if (chance(50)) {
            note(QStringLiteral("click into %1 and type %2").arg(box->objectName(), text));
            QTest::mouseClick(box, Qt::LeftButton);
            QCoreApplication::processEvents(); // the click's own selection of the whole text
        } else {
            note(QStringLiteral("focus %1 and type %2").arg(box->objectName(), text));
            box->setFocus(Qt::TabFocusReason);
        }
        QTest::keyClicks(box, text);
    }

    static void pressTab(QWidget &window)
    {
        QWidget *focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : &window, Qt::Key_Tab);
    }

    // ---- the main window ------------------------------------------------

    void typeIntoMainBox(QLineEdit *box)
    {
        enter(box, box == w_.MonthTXT ? monthText() : yearText(drive::leadOf(w_)));
    }

    void chooseCalendar()
    {
        QRadioButton *option = chance(50) ? w_.HegOpt : w_.GregOpt;
        note(QStringLiteral("click %1").arg(option->objectName()));
        drive::clickOption(option);
    }

    void clickBar()
    {
        platform::VScrollBar *bar = chance(50) ? w_.MonthScroll : w_.YearScroll;
        static const std::vector<QStyle::SubControl> parts{QStyle::SC_ScrollBarSubLine, QStyle::SC_ScrollBarAddLine,
                                                          QStyle::SC_ScrollBarSubPage, QStyle::SC_ScrollBarAddPage};
        const QStyle::SubControl part = oneOf(parts);
        note(QStringLiteral("click %1 part %2").arg(bar->objectName()).arg(int(part)));
        drive::clickBarPart(bar, part);
    }

    void turnWheel()
    {
        platform::VScrollBar *bar = chance(50) ? w_.MonthScroll : w_.YearScroll;
        const int notches = chance(50) ? 1 : -1;
        note(QStringLiteral("wheel %1 on %2").arg(notches).arg(bar->objectName()));
        const QPointF at = bar->rect().center();
        QWheelEvent wheel(at, bar->mapToGlobal(at), QPoint(), QPoint(0, 120 * notches), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(bar, &wheel);
    }

    void pressGo(const QString &headingBefore)
    {
        note(QStringLiteral("click Go"));
        drive::click(w_.GoCMD);
        if (!engineTrusted) {
            // Today's date itself may be nonsense: only the page is checked.
            if (messages_.texts.contains(drive::DateOutOfRange))
                QCOMPARE(w_.Heading->text(), headingBefore);
            else
                drive::expectPageAgreesWithBoxes(w_);
            return;
        }
        drive::expectSoundAfterGo(w_, messages_.texts, messages_.titles, headingBefore);
    }

    void repaint()
    {
        note(QStringLiteral("repaint"));
        const int paints = w_.paintCount();
        w_.centralWidget()->repaint();
        QCOMPARE(w_.paintCount(), paints + 1);
        drive::expectPageAgreesWithBoxes(w_);
    }

    void pressOnPicture()
    {
        const QPoint at(below(w_.Pic->width()), below(w_.Pic->height()));
        note(QStringLiteral("press on the grid at %1,%2").arg(at.x()).arg(at.y()));
        const QImage before = w_.Pic->image();
        QTest::mouseClick(w_.Pic, Qt::LeftButton, {}, at);
        QCOMPARE(w_.Pic->image(), before);
    }

    void checkMainWindow(const QString &headingBefore)
    {
        answered_ += messages_.count();
        for (const QString &title : messages_.titles)
            QVERIFY2(title == drive::MainTitle, qPrintable(title));
        QCOMPARE(core::CalendarMode, int16_t(w_.GregOpt->isChecked() ? 1 : 0));
        QVERIFY(w_.GregOpt->isChecked() != w_.HegOpt->isChecked());
        const core::Lead lead = drive::leadOf(w_);
        QCOMPARE(w_.MonthScroll->Min(), 1);
        QCOMPARE(w_.MonthScroll->Max(), 12);
        QCOMPARE(w_.YearScroll->Min(), drive::yearRange(lead).first);
        QCOMPARE(w_.YearScroll->Max(), drive::yearRange(lead).second);
        QVERIFY(w_.MonthScroll->Value() >= 1 && w_.MonthScroll->Value() <= 12);
        QVERIFY(w_.YearScroll->Value() >= w_.YearScroll->Min() && w_.YearScroll->Value() <= w_.YearScroll->Max());
        if (engineTrusted)
            drive::expectBarsFollowBoxes(w_);
        for (const QLineEdit *box : {w_.MonthTXT, w_.YearTXT})
            QVERIFY2(box->hasFocus() || drive::isPlainNumber(box->text()), qPrintable(box->text()));
        if (w_.Heading->text() != headingBefore)
            drive::expectPageAgreesWithBoxes(w_);
        if (engineTrusted)
            drive::expectTodayMarkedOnlyOnItsPage(w_);
        QVERIFY(!QApplication::activeModalWidget());
    }

    // ---- dialogs ----------------------------------------------------------

    // Opens a dialog from its menu entry and runs `work` on it while it is
    // shown modally; `work` ends by closing it. A dialog left open is closed
    // and counts as a failure, so that the test never waits on it.
    template <typename Dialog>
    void whileOpen(QAction *entry, const std::function<void(Dialog &)> &work)
    {
        bool opened = false;
        QTimer::singleShot(0, &w_, [&] {
            QPointer<Dialog> dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
            if (!dialog || !drive::activate(*dialog)) {
                if (QWidget *other = QApplication::activeModalWidget())
                    other->hide();
                return;
            }
            opened = true;
            work(*dialog);
            if (dialog && dialog->isVisible()) {
                dialog->hide();
                QFAIL("the dialog was left open");
            }
        });
        if (chance(50)) {
            note(QStringLiteral("menu %1").arg(entry->text()));
            entry->trigger();
        } else {
            // The keyboard's way: Alt and the menu's access key, then the
            // entry's own.
            const QChar key = entry->text().at(entry->text().indexOf(u'&') + 1).toUpper();
            note(QStringLiteral("Alt+C, %1").arg(key));
            QTest::keyClick(&w_, Qt::Key_C, Qt::AltModifier);
            QWidget *menu = QApplication::activePopupWidget();
            QVERIFY2(menu, "the menu did not open");
            QTest::keyClick(menu, Qt::Key(key.unicode()));
        }
        messages_.clear(); // the dialog's own, already checked
        QVERIFY2(opened, qPrintable(entry->text()));
        QVERIFY(drive::activate(w_));
    }

    enum class Closing { Exit, Frame, Escape };
    Closing closing() { return Closing(below(3)); }

    void close(QDialog &dialog, QAbstractButton *exit, Closing how)
    {
        switch (how) {
        case Closing::Exit:
            note(QStringLiteral("click %1 of %2").arg(exit->text(), dialog.objectName()));
            drive::click(exit);
            break;
        case Closing::Frame:
            note(QStringLiteral("close %1 from its frame").arg(dialog.objectName()));
            dialog.close();
            break;
        case Closing::Escape:
            note(QStringLiteral("Escape in %1").arg(dialog.objectName()));
            QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &dialog, Qt::Key_Escape);
            break;
        }
    }

    void readingAbout()
    {
        whileOpen<CalAbout>(w_.About, [this](CalAbout &box) {
            QCOMPARE(box.Label4->text(), QStringLiteral("Version 1.21"));
            close(box, box.Command1, closing());
            QVERIFY(!box.isVisible());
        });
    }

    void converting()
    {
        whileOpen<CalConv>(w_.Convert, [this](CalConv &d) {
            for (int n = 1 + below(8); n > 0 && !QTest::currentTestFailed(); --n) {
                convertStep(d);
                ++count_;
            }
            const Closing how = closing();
            close(d, d.ToExit, how);
            QVERIFY(!d.isVisible());
        });
    }

    void convertStep(CalConv &d)
    {
        messages_.clear();
        const int pick = below(10);
        if (pick < 5) {
            QLineEdit *box = oneOf(std::vector<QLineEdit *>{d.InYearTXT, d.InMonthTXT, d.InDayTXT});
            const QString text = box == d.InYearTXT    ? yearText(chance(50) ? core::Lead::Gregorian : core::Lead::Hijri)
                                 : box == d.InMonthTXT ? monthText()
                                                       : numberText(1, 31, {0, 29, 30, 31, 32});
            enter(box, text);
        } else if (pick < 6) {
            note(QStringLiteral("Tab in Conversion"));
            pressTab(d);
        } else {
            QPushButton *button = chance(50) ? d.ToHegiry : d.ToGreg;
            const QStringList before{d.OutYearTXT->text(), d.OutMonthTXT->text(), d.OutDayTXT->text(),
                                     d.ToWeekDay->text()};
            note(QStringLiteral("click %1").arg(button->text()));
            drive::click(button);
            checkConversion(d, button == d.ToHegiry, before);
        }
    }

    static bool fitsIn32Bits(const QString &text)
    {
        const double rounded = std::nearbyint(core::ValOf(text));
        return rounded >= std::numeric_limits<int32_t>::min() && rounded <= std::numeric_limits<int32_t>::max();
    }

    // The outputs show the engine's conversion of what the boxes read, or
    // are left as they were under the refusal message.
    void checkConversion(CalConv &d, bool toHijri, const QStringList &before)
    {
        answered_ += messages_.count();
        const QStringList after{d.OutYearTXT->text(), d.OutMonthTXT->text(), d.OutDayTXT->text(), d.ToWeekDay->text()};
        bool fits = true;
        for (const QLineEdit *box : {d.InYearTXT, d.InMonthTXT, d.InDayTXT})
            fits = fits && fitsIn32Bits(box->text());
        const int32_t y = core::WholeNumber32(d.InYearTXT->text());
        const int32_t m = core::WholeNumber32(d.InMonthTXT->text());
        const int32_t day = core::WholeNumber32(d.InDayTXT->text());
        const core::CalendarEngine &e = core::engine();
        const bool accepted = fits && (toHijri ? e.CheckGregDate(y, m, day) : e.CheckHijriDate(y, m, day));
        if (!accepted) {
            QCOMPARE(messages_.texts, QStringList{QStringLiteral("Date out of range .....")});
            QCOMPARE(messages_.titles, QStringList{QStringLiteral("Input Error.....")});
            QCOMPARE(after, before);
            return;
        }
        QCOMPARE(messages_.count(), 0);
        const core::Ymd out = toHijri ? e.GregToHijri(y, m, day) : e.HijriToGreg(y, m, day);
        const core::Ymd greg = toHijri ? core::Ymd{y, m, day} : out;
        const QStringList expected{core::PlainNumber(out.year), core::PlainNumber(out.month),
                                   core::PlainNumber(out.day),
                                   core::WeekDayName(e.WeekDayOf(greg.year, greg.month, greg.day))};
        QCOMPARE(after, expected);
    }

    void printing()
    {
        whileOpen<CalPrint>(w_.PrintCal, [this](CalPrint &d) {
            d.usePrinter(printer_.get());
            for (int n = 1 + below(6); n > 0 && !QTest::currentTestFailed(); --n) {
                printStep(d);
                ++count_;
            }
            Closing how = closing();
            if (how == Closing::Escape)
                how = Closing::Exit; // Escape does nothing in this dialog
            close(d, d.CancelButton, how);
            QVERIFY(!d.isVisible());
        });
    }

    void printStep(CalPrint &d)
    {
        messages_.clear();
        const int pick = below(10);
        const core::Lead lead = d.OPTHegiry->isChecked() ? core::Lead::Hijri : core::Lead::Gregorian;
        if (pick < 2) {
            QRadioButton *option = chance(50) ? d.OPTHegiry : d.OPTGregorian;
            note(QStringLiteral("click %1").arg(option->objectName()));
            drive::clickOption(option);
        } else if (pick < 6) {
            QLineEdit *box = oneOf(std::vector<QLineEdit *>{d.YearTXTPRT, d.FromMonthTXTPRT, d.ToMonthTXTPRT});
            enter(box, box == d.YearTXTPRT ? yearText(lead) : monthText());
        } else {
            pressPrint(d, lead);
        }
    }

    static bool printable(core::Lead lead, int32_t month, int32_t year)
    {
        if (month < 1 || month > 12)
            return false;
        if (lead == core::Lead::Gregorian)
            return (year > 622 && year < 2562) || (year == 622 && month >= 7) || (year == 2562 && month == 1);
        return (year >= 1 && year < 2000) || (year == 2000 && month == 1);
    }

    // One page per month headed by its month, or one of the dialog's own
    // messages and nothing printed; a cancelled job stops at a month's end.
    void pressPrint(CalPrint &d, core::Lead lead)
    {
        printer_->clear();
        const bool cancel = chance(20);
        if (cancel)
            QTimer::singleShot(0, d.CanPrint, [&d] {
                if (d.CanPrint->isVisible())
                    drive::click(d.CanPrint->CancelPrinting);
            });
        note(QStringLiteral("click Print%1").arg(cancel ? QStringLiteral(" and Cancel while it prints") : QString()));
        drive::click(d.PrintPRT);
        answered_ += messages_.count();
        QVERIFY(d.isVisible());
        QVERIFY(!d.CanPrint->isVisible());
        for (const QLineEdit *field : {d.YearTXTPRT, d.FromMonthTXTPRT, d.ToMonthTXTPRT})
            QVERIFY2(drive::isPlainNumber(field->text()), qPrintable(field->text()));
        const int32_t year = core::WholeNumber32(d.YearTXTPRT->text());
        const int32_t from = core::WholeNumber32(d.FromMonthTXTPRT->text());
        const int32_t to = core::WholeNumber32(d.ToMonthTXTPRT->text());
        if (!printable(lead, from, year) || !printable(lead, to, year)) {
            QCOMPARE(messages_.count(), 1);
            QCOMPARE(messages_.titles[0], QStringLiteral("Input Error ....."));
            QCOMPARE(printer_->documentCount(), 0);
            return;
        }
        QCOMPARE(messages_.count(), 0);
        const int wanted = std::max(0, to - from + 1);
        if (core::CancelPrintFlag == core::True16)
            QVERIFY(printer_->documentCount() < wanted);
        else
            QCOMPARE(printer_->documentCount(), wanted);
        documents_ += printer_->documentCount();
        for (int doc = 1; doc <= printer_->documentCount(); ++doc) {
            const auto heading = printtests::headingOf(*printer_, doc);
            const int32_t month = from + doc - 1;
            const QString name = lead == core::Lead::Gregorian ? core::GregMonthName(month) : core::HijriMonthName(month);
            if (engineTrusted || heading)
                QCOMPARE(heading ? heading->text : QString(), name + QStringLiteral("    ") + core::PlainNumber(year));
        }
    }

    CalMain &w_;
    testsupport::MessageCatcher &messages_;
    std::mt19937 random_;
    std::unique_ptr<platform::RecordingPrinter> printer_ = std::make_unique<platform::RecordingPrinter>();
    std::deque<QString> log_;
    int count_ = 0;
    int documents_ = 0;
    int answered_ = 0;
};

} // namespace monkey
