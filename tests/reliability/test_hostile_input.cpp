// Every text box of every window given texts no user should type, then every
// button pressed: only the windows' own messages, only allowed months drawn
// or printed, and each window stays usable.
#include "convert/calconv.h"
#include "core/names.h"
#include "core/numtext.h"
#include "core/state.h"
#include "mainwin/calmain.h"
#include "platform/clock.h"
#include "platform/printerrecording.h"
#include "platform/scrollbar.h"
#include "print/calcanprint.h"
#include "print/calprint.h"
#include "testsupport.h"
#include "tests/print/printtests.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <cmath>
#include <limits>

namespace {

const QString MainTitle = QStringLiteral("Input Error ...");
const QStringList MainMessages = {QStringLiteral("Your Month is out of range"),
                                  QStringLiteral("Your Year is out of range"),
                                  QStringLiteral("Your date is out of range")};
const QString ConvTitle = QStringLiteral("Input Error.....");
const QString ConvMessage = QStringLiteral("Date out of range .....");
const QString PrintTitle = QStringLiteral("Input Error .....");
const QStringList PrintMessages = {QStringLiteral("Check your 'From Month' or 'To Month' limits"),
                                   QStringLiteral("Check your date limits")};

bool activate(QWidget &w)
{
    w.show();
    w.activateWindow();
    return QTest::qWaitFor([&] { return QApplication::activeWindow() == &w; }, 5000);
}

// Focus the box (selecting its text) and paste over it with Ctrl+V; a
// window left inactive (by the printing notice) is activated first.
void paste(QLineEdit *box, const QString &text)
{
    if (!box->window()->isActiveWindow())
        activate(*box->window());
    box->setFocus(Qt::TabFocusReason);
    box->selectAll();
    QApplication::clipboard()->setText(text);
    if (text.isEmpty() || QApplication::clipboard()->text() != text)
        box->setText(text); // nothing to paste, or no clipboard
    else
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
}

void click(QAbstractButton *button) { QTest::mouseClick(button, Qt::LeftButton); }
void clickOption(QRadioButton *o) { QTest::mouseClick(o, Qt::LeftButton, {}, QPoint(8, o->height() / 2)); }
int32_t whole(const QLineEdit *box) { return core::WholeNumber32(box->text()); }
bool isPlainNumber(const QString &text) { return core::PlainNumber(core::WholeNumber32(text)) == text; }

bool fitsIn32Bits(const QString &text)
{
    const double rounded = std::nearbyint(core::ValOf(text));
    return rounded >= std::numeric_limits<int32_t>::min() && rounded <= std::numeric_limits<int32_t>::max();
}

// The months that may be drawn or printed: July 622 to January 2562
// (Gregorian), Muharram 1 to Muharram 2000 (Hijri).
bool inRange(bool hijri, int32_t month, int32_t year)
{
    if (month < 1 || month > 12)
        return false;
    if (hijri)
        return (year >= 1 && year < 2000) || (year == 2000 && month == 1);
    return (year > 622 && year < 2562) || (year == 622 && month >= 7) || (year == 2562 && month == 1);
}

QString headingFor(bool hijri, int32_t month, int32_t year, const QString &gap = QStringLiteral(","))
{
    return (hijri ? core::HijriMonthName(month) : core::GregMonthName(month)) + gap + core::PlainNumber(year);
}

void showMonth(CalMain &w, const QString &month, const QString &year)
{
    paste(w.MonthTXT, month);
    paste(w.YearTXT, year);
    click(w.GoCMD);
}

struct Conversion {
    QString year, month, day, weekday;
    bool operator==(const Conversion &) const = default;
};

Conversion outputsOf(const CalConv &d)
{
    return {d.OutYearTXT->text(), d.OutMonthTXT->text(), d.OutDayTXT->text(), d.ToWeekDay->text()};
}

// The engine's conversion of what the boxes read; false when it refuses the
// date or a box lies beyond 32 bits.
bool expectedConversion(const CalConv &d, bool toHijri, Conversion &out)
{
    for (const QLineEdit *box : {d.InYearTXT, d.InMonthTXT, d.InDayTXT})
        if (!fitsIn32Bits(box->text()))
            return false;
    const int32_t y = whole(d.InYearTXT), m = whole(d.InMonthTXT), day = whole(d.InDayTXT);
    const core::CalendarEngine &e = core::engine();
    if (!(toHijri ? e.CheckGregDate(y, m, day) : e.CheckHijriDate(y, m, day)))
        return false;
    const core::Ymd c = toHijri ? e.GregToHijri(y, m, day) : e.HijriToGreg(y, m, day);
    const core::Ymd g = toHijri ? core::Ymd{y, m, day} : c;
    out = {core::PlainNumber(c.year), core::PlainNumber(c.month), core::PlainNumber(c.day),
           core::WeekDayName(e.WeekDayOf(g.year, g.month, g.day))};
    return true;
}

void fillConv(CalConv &d, const QString &year, const QString &month, const QString &day)
{
    paste(d.InYearTXT, year);
    paste(d.InMonthTXT, month);
    paste(d.InDayTXT, day);
}

void fillPrint(CalPrint &d, const QString &year, const QString &from, const QString &to)
{
    paste(d.YearTXTPRT, year);
    paste(d.FromMonthTXTPRT, from);
    paste(d.ToMonthTXTPRT, to);
}

} // namespace

class TestHostileInput : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        testsupport::installRealEngine();
        platform::pinDate(QDate(2024, 7, 16)); // 9 Muharram 1446
    }
    void init()
    {
        messages_ = new testsupport::MessageCatcher;
        core::CancelPrintFlag = core::False16;
    }
    void cleanup() { delete messages_; }

    void mainWindowBoxes_data() { hostileRows(); }
    // Each box of the main window in both calendars: a repaint while the text
    // stands in the box, then "Go", then a usual month is still reached.
    void mainWindowBoxes()
    {
        QFETCH(QString, text);
        for (const bool hijri : {false, true}) {
            const QString usualYear = hijri ? QStringLiteral("1421") : QStringLiteral("2001");
            for (const bool yearBox : {false, true}) {
                CalMain w;
                QVERIFY(activate(w));
                if (hijri)
                    clickOption(w.HegOpt);
                showMonth(w, QStringLiteral("3"), usualYear);
                QCOMPARE(w.Heading->text(), headingFor(hijri, 3, usualYear.toInt()));
                messages_->clear();

                paste(yearBox ? w.YearTXT : w.MonthTXT, text);
                w.centralWidget()->repaint();
                // The page names the month the boxes read, or it is bare.
                if (w.Heading->text().isEmpty())
                    QVERIFY(w.CurMonth->text().isEmpty() && w.NextMonth->text().isEmpty());
                else
                    QCOMPARE(w.Heading->text(), headingFor(hijri, whole(w.MonthTXT), whole(w.YearTXT)));
                QCOMPARE(messages_->count(), 0);

                const QString before = w.Heading->text();
                click(w.GoCMD);
                QVERIFY2(messages_->count() <= 2, qPrintable(messages_->texts.join(u'|')));
                for (const QString &t : messages_->texts)
                    QVERIFY2(MainMessages.contains(t), qPrintable(t));
                for (const QString &t : messages_->titles)
                    QCOMPARE(t, MainTitle);
                for (const QLineEdit *box : {w.MonthTXT, w.YearTXT})
                    QVERIFY2(isPlainNumber(box->text()), qPrintable(box->text()));
                const int32_t month = whole(w.MonthTXT), year = whole(w.YearTXT);
                QCOMPARE(w.MonthScroll->Value(), month);
                QCOMPARE(w.YearScroll->Value(), year);
                if (messages_->texts.contains(MainMessages[2])) {
                    QCOMPARE(w.Heading->text(), before);
                    QCOMPARE(month, hijri ? 1 : 7);
                    QCOMPARE(year, hijri ? 1446 : 2024);
                } else {
                    QVERIFY(inRange(hijri, month, year));
                    QCOMPARE(w.Heading->text(), headingFor(hijri, month, year));
                }

                messages_->clear();
                showMonth(w, QStringLiteral("8"), usualYear);
                QCOMPARE(messages_->count(), 0);
                QCOMPARE(w.Heading->text(), headingFor(hijri, 8, usualYear.toInt()));
            }
        }
    }
    void conversionBoxes_data() { hostileRows(); }
    // Each input box of the conversion dialog, both ways: the refusal with the
    // outputs left alone, or the engine's conversion of what the boxes read.
    void conversionBoxes()
    {
        QFETCH(QString, text);
        CalConv d;
        QVERIFY(activate(d));
        for (QPushButton *button : {d.ToHegiry, d.ToGreg}) {
            const bool toHijri = button == d.ToHegiry;
            for (QLineEdit *box : {d.InYearTXT, d.InMonthTXT, d.InDayTXT}) {
                toHijri ? fillConv(d, "2024", "7", "16") : fillConv(d, "1446", "1", "9");
                click(button);
                const Conversion before = outputsOf(d);
                QVERIFY(!before.weekday.isEmpty());
                messages_->clear();

                paste(box, text);
                const QString typed = box->text();
                click(button);
                // A box that was left holds its plain number, or what was typed
                // when no 32-bit number can hold it.
                QCOMPARE(box->text(), fitsIn32Bits(typed) ? core::PlainNumber(core::WholeNumber32(typed)) : typed);
                Conversion expected;
                if (expectedConversion(d, toHijri, expected)) {
                    QCOMPARE(messages_->count(), 0);
                    QVERIFY(outputsOf(d) == expected);
                } else {
                    QCOMPARE(messages_->texts, QStringList{ConvMessage});
                    QCOMPARE(messages_->titles, QStringList{ConvTitle});
                    QVERIFY(outputsOf(d) == before);
                }
            }
        }
        messages_->clear();
        fillConv(d, "2024", "7", "16");
        click(d.ToHegiry);
        QCOMPARE(messages_->count(), 0);
        QVERIFY(outputsOf(d) == (Conversion{"1446", "1", "9", "Tuesday"}));
    }
    void printBoxes_data() { hostileRows(); }
    // Each field of the print dialog in both calendars, then Print: one of the
    // dialog's messages and nothing printed, or one page per month, each headed
    // by its month.
    void printBoxes()
    {
        QFETCH(QString, text);
        platform::RecordingPrinter printer;
        CalPrint d;
        d.usePrinter(&printer);
        QVERIFY(activate(d));
        for (const bool hijri : {false, true}) {
            clickOption(hijri ? d.OPTHegiry : d.OPTGregorian);
            for (QLineEdit *box : {d.YearTXTPRT, d.FromMonthTXTPRT, d.ToMonthTXTPRT}) {
                paste(d.YearTXTPRT, hijri ? QStringLiteral("1446") : QStringLiteral("2024"));
                paste(d.FromMonthTXTPRT, QStringLiteral("3"));
                paste(d.ToMonthTXTPRT, QStringLiteral("4"));
                paste(box, text);
                printer.clear();
                messages_->clear();
                click(d.PrintPRT);

                for (const QLineEdit *field : {d.YearTXTPRT, d.FromMonthTXTPRT, d.ToMonthTXTPRT})
                    QVERIFY2(isPlainNumber(field->text()), qPrintable(field->text()));
                const int32_t year = whole(d.YearTXTPRT), from = whole(d.FromMonthTXTPRT), to = whole(d.ToMonthTXTPRT);
                QVERIFY(d.isVisible() && !d.CanPrint->isVisible());
                if (messages_->count() > 0) {
                    QCOMPARE(messages_->count(), 1);
                    QVERIFY2(PrintMessages.contains(messages_->texts[0]), qPrintable(messages_->texts[0]));
                    QCOMPARE(messages_->titles[0], PrintTitle);
                    QCOMPARE(printer.documentCount(), 0);
                    QVERIFY(!inRange(hijri, from, year) || !inRange(hijri, to, year));
                    continue;
                }
                QVERIFY(inRange(hijri, from, year) && inRange(hijri, to, year));
                QCOMPARE(printer.documentCount(), std::max(0, to - from + 1));
                for (int32_t month = from; month <= to; ++month) {
                    const auto heading = printtests::headingOf(printer, month - from + 1);
                    QVERIFY(heading);
                    QCOMPARE(heading->text, headingFor(hijri, month, year, QStringLiteral("    ")));
                }
            }
        }
        printer.clear();
        messages_->clear();
        clickOption(d.OPTGregorian);
        paste(d.YearTXTPRT, QStringLiteral("2024"));
        paste(d.FromMonthTXTPRT, QStringLiteral("1"));
        paste(d.ToMonthTXTPRT, QStringLiteral("2"));
        click(d.PrintPRT);
        QCOMPARE(messages_->count(), 0);
        QCOMPARE(printer.documentCount(), 2);
        QCOMPARE(printtests::headingOf(printer, 2)->text, QStringLiteral("February    2024"));
    }

private:
    static void hostileRows()
    {
        QTest::addColumn<QString>("text");
        const QString digits(10000, u'9');
        QTest::newRow("empty") << QString();
        QTest::newRow("tabs and line feeds only") << QStringLiteral("\t\n\t\n");
        QTest::newRow("plus alone") << QStringLiteral("+");
        QTest::newRow("minus alone") << QStringLiteral("-");
        QTest::newRow("signs alone") << QStringLiteral("+-");
        QTest::newRow("dot alone") << QStringLiteral(".");
        QTest::newRow("10,000 digits") << digits;
        QTest::newRow("10,000 digits that read as 7") << QString(9999, u'0') + u'7';
        QTest::newRow("&H with 40 digits") << QStringLiteral("&H") + QString(40, u'F');
        QTest::newRow("1E999") << QStringLiteral("1E999");
        QTest::newRow("-1E999") << QStringLiteral("-1E999");
        QTest::newRow("NaN") << QStringLiteral("NaN");
        QTest::newRow("tabs between digits") << QStringLiteral("2\t0\t2\t4");
        QTest::newRow("Arabic") << QStringLiteral("\u0633\u0646\u0629");
        QTest::newRow("Arabic-Indic digits") << QStringLiteral("\u0662\u0660\u0662\u0664");
        QTest::newRow("emoji before a digit") << QStringLiteral("\U0001F4C5") + u'7';
        QTest::newRow("NUL before a digit") << QString(QChar(0)) + u'7';
    }

    testsupport::MessageCatcher *messages_ = nullptr;
};

QTEST_MAIN(TestHostileInput)
#include "test_hostile_input.moc"
