// Every text box of every window given texts no user should type, then every
// button pressed: the program answers with its own messages or a sound
// value, draws and prints only months it allows, and stays usable.
#include "convert/calconv.h"
#include "core/state.h"
#include "drive.h"
#include "platform/clock.h"
#include "platform/printerrecording.h"
#include "print/calcanprint.h"
#include "print/calprint.h"
#include "testsupport.h"
#include "tests/print/printtests.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <cmath>
#include <limits>

using core::Lead;
using platform::RecordingPrinter;

namespace {

const QDate PinnedToday(2024, 7, 16); // 9 Muharram 1446

const QString ConvTitle = QStringLiteral("Input Error.....");
const QString ConvMessage = QStringLiteral("Date out of range .....");
const QString PrintTitle = QStringLiteral("Input Error .....");
const QStringList PrintMessages = {QStringLiteral("Check your 'From Month' or 'To Month' limits"),
                                   QStringLiteral("Check your date limits")};

void addHostileRows()
{
    QTest::addColumn<QString>("text");
    for (const drive::Hostile &h : drive::hostileTexts())
        QTest::newRow(h.name) << h.text;
}

QLineEdit *mainBox(CalMain &w, int which) { return which == 0 ? w.MonthTXT : w.YearTXT; }


void showMonth(CalMain &w, const QString &month, const QString &year)
{
    drive::paste(w.MonthTXT, month);
    drive::paste(w.YearTXT, year);
    drive::click(w.GoCMD);
}

// A month of either calendar that Go draws.
QString usualYear(Lead lead) { return lead == Lead::Gregorian ? QStringLiteral("2001") : QStringLiteral("1421"); }

// The conversion's expected outputs for the boxes as they read now; false
// when the engine refuses the date or a box lies beyond 32 bits.
struct Conversion {
    QString year, month, day, weekday;
};

bool fitsIn32Bits(const QString &text)
{
    const double rounded = std::nearbyint(core::ValOf(text));
    return rounded >= std::numeric_limits<int32_t>::min() && rounded <= std::numeric_limits<int32_t>::max();
}

bool expectedConversion(const CalConv &d, bool toHijri, Conversion &out)
{
    for (const QLineEdit *box : {d.InYearTXT, d.InMonthTXT, d.InDayTXT})
        if (!fitsIn32Bits(box->text()))
            return false;
    const int32_t y = core::WholeNumber32(d.InYearTXT->text());
    const int32_t m = core::WholeNumber32(d.InMonthTXT->text());
    const int32_t day = core::WholeNumber32(d.InDayTXT->text());
    const core::CalendarEngine &e = core::engine();
    if (!(toHijri ? e.CheckGregDate(y, m, day) : e.CheckHijriDate(y, m, day)))
        return false;
    const core::Ymd converted = toHijri ? e.GregToHijri(y, m, day) : e.HijriToGreg(y, m, day);
    const core::Ymd greg = toHijri ? core::Ymd{y, m, day} : converted;
    out = {core::PlainNumber(converted.year), core::PlainNumber(converted.month), core::PlainNumber(converted.day),
           core::WeekDayName(e.WeekDayOf(greg.year, greg.month, greg.day))};
    return true;
}

Conversion outputsOf(const CalConv &d)
{
    return {d.OutYearTXT->text(), d.OutMonthTXT->text(), d.OutDayTXT->text(), d.ToWeekDay->text()};
}

void compareConversion(const Conversion &actual, const Conversion &expected)
{
    QCOMPARE(actual.year, expected.year);
    QCOMPARE(actual.month, expected.month);
    QCOMPARE(actual.day, expected.day);
    QCOMPARE(actual.weekday, expected.weekday);
}

void fillConv(CalConv &d, const QString &year, const QString &month, const QString &day)
{
    drive::paste(d.InYearTXT, year);
    drive::paste(d.InMonthTXT, month);
    drive::paste(d.InDayTXT, day);
}

QString printedHeading(bool hijri, int32_t month, int32_t year)
{
    return (hijri ? core::HijriMonthName(month) : core::GregMonthName(month)) + QStringLiteral("    ")
           + core::PlainNumber(year);
}

bool printable(bool hijri, int32_t month, int32_t year)
{
    if (month < 1 || month > 12)
        return false;
    if (!hijri)
        return (year > 622 && year < 2562) || (year == 622 && month >= 7) || (year == 2562 && month == 1);
    return (year >= 1 && year < 2000) || (year == 2000 && month == 1);
}

// Answers real message boxes with their OK button and remembers them.
class BoxAnswerer : public QObject {
public:
    BoxAnswerer()
    {
        connect(&timer_, &QTimer::timeout, this, [this] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box || !box->isVisible())
                return;
            if (QApplication::activeModalWidget() != box)
                return;
            texts << box->text();
            const QWidgetList windows = QApplication::topLevelWidgets();
            const auto shownBoxes = std::count_if(windows.begin(), windows.end(), [](QWidget *t) {
                return qobject_cast<QMessageBox *>(t) && t->isVisible();
            });
            nestedBoxes = std::max(nestedBoxes, int(shownBoxes));
            box->button(QMessageBox::Ok)->click();
        });
        timer_.start(5);
    }
    QStringList texts;
    int nestedBoxes = 0;

private:
    QTimer timer_;
};

} // namespace

class TestHostileInput : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void mainWindowBoxes_data() { addHostileRows(); }
    void mainWindowBoxes();
    void mainWindowWithRealMessageBoxes_data();
    void mainWindowWithRealMessageBoxes();
    void conversionBoxes_data() { addHostileRows(); }
    void conversionBoxes();
    void printBoxes_data() { addHostileRows(); }
    void printBoxes();

private:
    testsupport::MessageCatcher *messages_ = nullptr;
};

void TestHostileInput::initTestCase()
{
    drive::quietPlatformNotes();
    testsupport::installRealEngine();
    platform::pinDate(PinnedToday);
}

void TestHostileInput::init()
{
    messages_ = new testsupport::MessageCatcher;
    core::CancelPrintFlag = core::False16;
}

void TestHostileInput::cleanup()
{
    delete messages_;
    messages_ = nullptr;
}

// Each box of the main window, in both calendars: a repaint while the text
// stands in the box, then "Go"; afterwards a usual month is still reached.
void TestHostileInput::mainWindowBoxes()
{
    QFETCH(QString, text);
    for (const Lead lead : {Lead::Gregorian, Lead::Hijri}) {
        for (int which = 0; which < 2; ++which) {
            CalMain w;
            QVERIFY(drive::activate(w));
            if (lead == Lead::Hijri)
                drive::clickOption(w.HegOpt);
            showMonth(w, QStringLiteral("3"), usualYear(lead));
            QCOMPARE(w.Heading->text(), drive::headingFor(lead, 3, core::WholeNumber32(usualYear(lead))));
            messages_->clear();

            QLineEdit *box = mainBox(w, which);
            drive::paste(box, text);
            QVERIFY(box->hasFocus());
            const int paints = w.paintCount();
            w.centralWidget()->repaint();
            QCOMPARE(w.paintCount(), paints + 1);
            drive::expectPageAgreesWithBoxes(w);
            if (QTest::currentTestFailed())
                return;
            QCOMPARE(messages_->count(), 0);

            const QString headingBefore = w.Heading->text();
            drive::click(w.GoCMD);
            drive::expectSoundAfterGo(w, messages_->texts, messages_->titles, headingBefore);
            if (QTest::currentTestFailed())
                return;

            messages_->clear();
            showMonth(w, QStringLiteral("8"), usualYear(lead));
            QCOMPARE(messages_->count(), 0);
            QCOMPARE(w.Heading->text(), drive::headingFor(lead, 8, core::WholeNumber32(usualYear(lead))));
        }
    }
}

void TestHostileInput::mainWindowWithRealMessageBoxes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("box");
    QTest::newRow("month of 10,000 digits") << QString(10000, u'9') << 0;
    QTest::newRow("year 1E999") << QStringLiteral("1E999") << 1;
    QTest::newRow("month NaN") << QStringLiteral("NaN") << 0;
    QTest::newRow("year in Arabic-Indic digits") << QStringLiteral("\u0662\u0660\u0662\u0664") << 1;
    QTest::newRow("year -1E999") << QStringLiteral("-1E999") << 1;
}

// The same with the program's real message boxes, answered by their OK
// button: one box at a time, and the window takes the next action.
void TestHostileInput::mainWindowWithRealMessageBoxes()
{
    QFETCH(QString, text);
    QFETCH(int, box);
    delete messages_;
    messages_ = nullptr;
    BoxAnswerer answerer;
    CalMain w;
    QVERIFY(drive::activate(w));
    showMonth(w, QStringLiteral("3"), QStringLiteral("1999"));
    QVERIFY(drive::activate(w));
    const QString headingBefore = w.Heading->text();
    QCOMPARE(headingBefore, QStringLiteral("March,1999"));
    drive::paste(mainBox(w, box), text);
    drive::click(w.GoCMD);
    QTRY_VERIFY(!answerer.texts.isEmpty());
    QCOMPARE(answerer.nestedBoxes, 1);
    drive::expectSoundAfterGo(w, answerer.texts, {}, headingBefore);
    if (QTest::currentTestFailed())
        return;

    QVERIFY(drive::activate(w));
    answerer.texts.clear();
    showMonth(w, QStringLiteral("8"), QStringLiteral("2001"));
    QVERIFY(answerer.texts.isEmpty());
    QCOMPARE(w.Heading->text(), QStringLiteral("August,2001"));
    messages_ = new testsupport::MessageCatcher;
}

// Each input box of the conversion dialog, in both directions: the refusal
// message with the outputs left alone, or the engine's conversion of what
// the boxes read.
void TestHostileInput::conversionBoxes()
{
    QFETCH(QString, text);
    CalConv d;
    QVERIFY(drive::activate(d));
    for (QPushButton *button : {d.ToHegiry, d.ToGreg}) {
        const bool toHijri = button == d.ToHegiry;
        for (QLineEdit *box : {d.InYearTXT, d.InMonthTXT, d.InDayTXT}) {
            if (toHijri)
                fillConv(d, QStringLiteral("2024"), QStringLiteral("7"), QStringLiteral("16"));
            else
                fillConv(d, QStringLiteral("1446"), QStringLiteral("1"), QStringLiteral("9"));
            drive::click(button);
            const Conversion before = outputsOf(d);
            QVERIFY(!before.weekday.isEmpty());
            messages_->clear();

            drive::paste(box, text);
            const QString typed = box->text();
            drive::click(button);
            QVERIFY(button->hasFocus());
            // A box that was left holds its plain number, or what was typed
            // when no 32-bit number can hold it.
            QCOMPARE(box->text(), fitsIn32Bits(typed) ? core::PlainNumber(core::WholeNumber32(typed)) : typed);
            Conversion expected;
            if (expectedConversion(d, toHijri, expected)) {
                QCOMPARE(messages_->count(), 0);
                compareConversion(outputsOf(d), expected);
                if (QTest::currentTestFailed())
                    return;
            } else {
                QCOMPARE(messages_->texts, QStringList{ConvMessage});
                QCOMPARE(messages_->titles, QStringList{ConvTitle});
                compareConversion(outputsOf(d), before);
                if (QTest::currentTestFailed())
                    return;
            }
        }
    }
    messages_->clear();
    fillConv(d, QStringLiteral("2024"), QStringLiteral("7"), QStringLiteral("16"));
    drive::click(d.ToHegiry);
    QCOMPARE(messages_->count(), 0);
    compareConversion(outputsOf(d), Conversion{"1446", "1", "9", "Tuesday"});
}

// Each field of the print dialog, in both calendars, then Print: one of the
// dialog's two messages and nothing printed, or one page per month of a
// printable range, each headed by its month.
void TestHostileInput::printBoxes()
{
    QFETCH(QString, text);
    RecordingPrinter printer;
    CalPrint d;
    d.usePrinter(&printer);
    QVERIFY(drive::activate(d));
    for (const bool hijri : {false, true}) {
        drive::clickOption(hijri ? d.OPTHegiry : d.OPTGregorian);
        QCOMPARE(d.OPTHegiry->isChecked(), hijri);
        for (QLineEdit *box : {d.YearTXTPRT, d.FromMonthTXTPRT, d.ToMonthTXTPRT}) {
            drive::paste(d.YearTXTPRT, hijri ? QStringLiteral("1446") : QStringLiteral("2024"));
            drive::paste(d.FromMonthTXTPRT, QStringLiteral("3"));
            drive::paste(d.ToMonthTXTPRT, QStringLiteral("4"));
            drive::paste(box, text);
            printer.clear();
            messages_->clear();
            drive::click(d.PrintPRT);

            for (const QLineEdit *field : {d.YearTXTPRT, d.FromMonthTXTPRT, d.ToMonthTXTPRT})
                QVERIFY2(drive::isPlainNumber(field->text()), qPrintable(field->text()));
            const int32_t year = core::WholeNumber32(d.YearTXTPRT->text());
            const int32_t from = core::WholeNumber32(d.FromMonthTXTPRT->text());
            const int32_t to = core::WholeNumber32(d.ToMonthTXTPRT->text());
            QVERIFY(d.isVisible());
            QVERIFY(!d.CanPrint->isVisible());
            if (messages_->count() > 0) {
                QCOMPARE(messages_->count(), 1);
                QVERIFY2(PrintMessages.contains(messages_->texts[0]), qPrintable(messages_->texts[0]));
                QCOMPARE(messages_->titles[0], PrintTitle);
                QCOMPARE(printer.documentCount(), 0);
                QVERIFY(!printable(hijri, from, year) || !printable(hijri, to, year));
                continue;
            }
            QVERIFY(printable(hijri, from, year) && printable(hijri, to, year));
            QCOMPARE(printer.documentCount(), std::max(0, to - from + 1));
            for (int32_t month = from; month <= to; ++month) {
                const auto heading = printtests::headingOf(printer, month - from + 1);
                QVERIFY(heading);
                QCOMPARE(heading->text, printedHeading(hijri, month, year));
            }
        }
    }
    printer.clear();
    messages_->clear();
    drive::clickOption(d.OPTGregorian);
    drive::paste(d.YearTXTPRT, QStringLiteral("2024"));
    drive::paste(d.FromMonthTXTPRT, QStringLiteral("1"));
    drive::paste(d.ToMonthTXTPRT, QStringLiteral("2"));
    drive::click(d.PrintPRT);
    QCOMPARE(messages_->count(), 0);
    QCOMPARE(printer.documentCount(), 2);
    QCOMPARE(printtests::headingOf(printer, 2)->text, QStringLiteral("February    2024"));
}

QTEST_MAIN(TestHostileInput)
#include "test_hostile_input.moc"
