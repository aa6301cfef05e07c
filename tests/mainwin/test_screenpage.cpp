// The month page on screen, checked on the pictures' pixels, the labels and
// the day-cell table: grid and weekday strip, the cells of both calendars,
// the today marker, repaints, and months that the engine cannot answer.
#include "core/monthlayout.h"
#include "core/names.h"
#include "mainwin/calmain.h"
#include "pagepixels.h"
#include "platform/clock.h"
#include "platform/picturebox.h"
#include "platform/window.h"
#include "testsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <vector>

using namespace pagepixels;
using core::Ymd;

namespace {

const core::CalendarEngine *realEngine = nullptr;
enum class Lead { Gregorian, Hijri };
const QString ShortNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};

// Puts the month into the boxes of the chosen calendar and paints.
void showMonth(CalMain &w, Lead lead, const QString &month, const QString &year)
{
    QRadioButton *option = lead == Lead::Gregorian ? w.GregOpt : w.HegOpt;
    if (!option->isChecked())
        option->click();
    w.MonthTXT->setText(month);
    w.YearTXT->setText(year);
    w.Form_Paint();
}

void showMonth(CalMain &w, Lead lead, int month, int year)
{
    showMonth(w, lead, QString::number(month), QString::number(year));
}

Ymd toOther(Lead lead, int year, int month, int day)
{
    return lead == Lead::Gregorian ? realEngine->GregToHijri(year, month, day)
                                   : realEngine->HijriToGreg(year, month, day);
}

int leadLength(Lead lead, int year, int month)
{
    return lead == Lead::Gregorian ? realEngine->GregMonthDays(year, month)
                                   : realEngine->HijriMonthDays(year, month);
}

int firstWeekday(Lead lead, int year, int month)
{
    const Ymd g = lead == Lead::Gregorian ? Ymd{year, month, 1} : realEngine->HijriToGreg(year, month, 1);
    return realEngine->WeekDayOf(g.year, g.month, g.day);
}

// The other calendar's months met by the days of a leading month, in order.
std::vector<std::pair<int, int>> otherMonthsMet(Lead lead, int year, int month)
{
    std::vector<std::pair<int, int>> met;
    for (int d = 1; d <= leadLength(lead, year, month); ++d) {
        const Ymd o = toOther(lead, year, month, d);
        if (met.empty() || met.back() != std::pair(o.year, o.month))
            met.emplace_back(o.year, o.month);
    }
    return met;
}

std::pair<int, int> firstMonthMeeting(Lead lead, int fromYear, std::size_t count)
{
    for (int y = fromYear; y < fromYear + 400; ++y)
        for (int m = 1; m <= 12; ++m)
            if (otherMonthsMet(lead, y, m).size() == count)
                return {y, m};
    return {0, 0};
}

QString otherMonthName(Lead lead, int month)
{
    return lead == Lead::Gregorian ? core::HijriMonthName(month) : core::GregMonthName(month);
}

QColor labelColour(const QLabel *label) { return label->palette().color(QPalette::WindowText); }

// A label shows `text` in `colour`.
bool labelShows(const QLabel *label, const QString &text, QColor colour)
{
    if (label->text() == text && labelColour(label) == colour)
        return true;
    qWarning() << label->objectName() << label->text() << labelColour(label) << "expected" << text << colour;
    return false;
}

const QColor Blue(0, 0, 255), Red(255, 0, 0), Olive(128, 128, 0), BlackColour(0, 0, 0);

// The whole page of a month checked against the engine: every day in the
// cell of its weekday, its two numbers in the table, the other calendar's
// number in the colour of the month it falls in, the labels naming the
// first and the last of those months, nothing in the cells around.
void verifyMonthPage(CalMain &w, Lead lead, int year, int month)
{
    const auto met = otherMonthsMet(lead, year, month);
    const int wd = firstWeekday(lead, year, month);
    const int length = leadLength(lead, year, month);
    const QImage image = w.Pic->image();
    const Grid grid(image);
    const QColor keyColours[] = {Blue, Red, Olive};
    for (int n = 1; n <= 42; ++n) {
        const Ink ink = inkIn(image, grid.interior(n - 1));
        const int day = n - wd;
        if (day < 1 || day > length) {
            QVERIFY2(ink.any == 0, qPrintable(QStringLiteral("cell %1 is not empty").arg(n)));
            continue;
        }
        const Ymd other = toOther(lead, year, month, day);
        const core::DayCell &c = core::DayCells[n];
        const QString leadText = lead == Lead::Gregorian ? c.GregDayText : c.HijriDayText;
        const QString otherText = lead == Lead::Gregorian ? c.HijriDayText : c.GregDayText;
        QCOMPARE(leadText, QString::number(day));
        QCOMPARE(otherText, QString::number(other.day));
        const int key = int(std::find(met.begin(), met.end(), std::pair(other.year, other.month)) - met.begin());
        QVERIFY2(ink.black > 5, qPrintable(QStringLiteral("cell %1: no black number").arg(n)));
        const int counts[] = {ink.blue, ink.red, ink.olive};
        for (int k = 0; k < 3; ++k)
            QVERIFY2((counts[k] > 3) == (k == key),
                     qPrintable(QStringLiteral("cell %1 (day %2): key %3 expected, ink blue %4 red %5 olive %6")
                                    .arg(n).arg(day).arg(key).arg(ink.blue).arg(ink.red).arg(ink.olive)));
    }
    const QString leadName = lead == Lead::Gregorian ? core::GregMonthName(month) : core::HijriMonthName(month);
    QVERIFY(labelShows(w.Heading, leadName + u',' + QString::number(year), BlackColour));
    const Ymd first = toOther(lead, year, month, 1), last = toOther(lead, year, month, length);
    QVERIFY(labelShows(w.CurMonth, otherMonthName(lead, first.month) + u',' + QString::number(first.year), Blue));
    QVERIFY(labelShows(w.NextMonth, otherMonthName(lead, last.month) + u',' + QString::number(last.year),
                       keyColours[met.size() - 1]));
}

int markedCells(const QImage &image)
{
    const Grid grid(image);
    int count = 0;
    for (int i = 0; i < 42; ++i)
        count += isMarked(image, grid, i);
    return count;
}

int markedCellIndex(const QImage &image)
{
    const Grid grid(image);
    for (int i = 0; i < 42; ++i)
        if (isMarked(image, grid, i))
            return i;
    return -1;
}

void fillDayCellsWith(const QString &sentinel)
{
    for (int n = 1; n <= 42; ++n) {
        core::DayCells[n] = core::DayCell{};
        core::DayCells[n].GregDayText = sentinel;
        core::DayCells[n].HijriDayText = sentinel;
        core::DayCells[n].GregMonth = -7;
    }
}

bool dayCellHolds(int n, const QString &sentinel)
{
    const core::DayCell &c = core::DayCells[n];
    return c.GregDayText == sentinel && c.HijriDayText == sentinel && c.GregMonth == -7 && c.HijriMonth == 0;
}

} // namespace

class TestScreenPage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void controlsAsDesigned();
    void gridHasElevenInnerLines();
    void weekdayNamesCentredOverTheColumns();
    void weekdayNamesShortenWhenTheFontIsLarge();
    void july2024GregorianLed();
    void februaryStartingOnSundayFillsFourRows();
    void thirtyOneDaysFromSaturdayEndInCell37();
    void july622StartsAtCell20();
    void gregorianMonthMeetingThreeHijriMonths();
    void hijriLedPagesInOneTwoAndThreeGregorianMonths();
    void october1582LeavesOutTheTenDays();
    void todayMarkerGregorianLed();
    void todayMarkerHijriLed();
    void noMarkerOnOtherMonths();
    void todayMarkerInOctober1582();
    void repaintsDrawTheSamePage();
    void mousePressChangesNothing();
    void paintingStopsWhenIdle();
    void repaintReadsTheBoxesAsTheyStand();
    void onlyTheMonthsRecordsAreWritten();
    void monthsThatAreNotRealShowTheFrameOnly_data();
    void monthsThatAreNotRealShowTheFrameOnly();
    void farYearsAreDrawnWhenTheEngineAnswers();
};

void TestScreenPage::initTestCase()
{
    realEngine = &testsupport::installRealEngine();
}

void TestScreenPage::init()
{
    platform::pinDate(QDate(2024, 7, 16)); // 9 or 10 Muharram 1446, by the engine's reckoning
}

void TestScreenPage::cleanup()
{
    core::setEngine(realEngine);
}

void TestScreenPage::controlsAsDesigned()
{
    CalMain w;
    QCOMPARE(w.Heading->geometry(), platform::twipsRect(1080, 120, 5175, 615));
    QCOMPARE(w.CurMonth->geometry(), platform::twipsRect(480, 720, 3135, 495));
    QCOMPARE(w.NextMonth->geometry(), platform::twipsRect(3720, 720, 3135, 495));
    QCOMPARE(w.Pic2->geometry(), platform::twipsRect(480, 1200, 6375, 375));
    QCOMPARE(w.Pic->geometry(), platform::twipsRect(480, 1680, 6375, 2415));
    QCOMPARE(w.Heading->font().family(), QStringLiteral("Arial"));
    QCOMPARE(w.Heading->font().pointSizeF(), 24.0);
    QVERIFY(!w.Heading->font().bold());
    QVERIFY(w.Heading->alignment() & Qt::AlignHCenter);
    QVERIFY(w.CurMonth->alignment() & Qt::AlignLeft);
    QVERIFY(w.NextMonth->alignment() & Qt::AlignRight);
    for (const QFont &font : {w.CurMonth->font(), w.NextMonth->font(), w.Pic->TextFont(), w.Pic2->TextFont()}) {
        QCOMPARE(font.family(), QStringLiteral("Arial"));
        QCOMPARE(font.pointSizeF(), 9.75);
        QVERIFY(font.bold());
    }
    // The single border, and the scale over the inner area.
    for (platform::PictureBox *pic : {w.Pic, w.Pic2}) {
        QCOMPARE(pic->frameWidth(), 1);
        QCOMPARE(pic->image().size(), pic->size() - QSize(2, 2));
    }
    w.Form_Paint();
    QCOMPARE(w.Pic->toDevice(7, 6), QPointF(423, 159));
    QCOMPARE(w.Pic2->toDevice(7, 1), QPointF(423, 23));
}

void TestScreenPage::gridHasElevenInnerLines()
{
    CalMain w;
    showMonth(w, Lead::Gregorian, 3, 2025); // not the current month: no marker on the lines
    const QImage image = w.Pic->image();
    QCOMPARE(fullBlackColumns(image), 6);
    QCOMPARE(fullBlackRows(image), 5);
    const Grid grid(image);
    for (int k = 1; k <= 6; ++k)
        QCOMPARE(image.pixel(grid.xLine(k), image.height() / 2 + 3), Black);
    for (int k = 1; k <= 5; ++k)
        QCOMPARE(image.pixel(3, grid.yLine(k)), Black);
    QCOMPARE(image.pixel(0, 3), White); // no outer frame drawn: the border is the frame
    QCOMPARE(image.pixel(image.width() - 1, 3), White);
}

void TestScreenPage::weekdayNamesCentredOverTheColumns()
{
    CalMain w;
    w.Form_Paint();
    const QImage strip = w.Pic2->image();
    const QImage grid = w.Pic->image();
    const Grid cells(grid);
    const QFontMetricsF metrics(w.Pic2->TextFont(), &strip);
    for (int i = 0; i < 7; ++i) {
        const QRect column(QPoint(cells.xLine(i) + 1, 0), QPoint(cells.xLine(i + 1) - 1, strip.height() - 1));
        const QRect ink = inkBox(strip, column);
        QVERIFY2(!ink.isNull(), qPrintable(ShortNames[i]));
        // Centred over the grid's column, three letters wide, standing on the bottom edge.
        QVERIFY(qAbs((ink.left() + ink.right() + 1) / 2.0 - (cells.xLine(i) + cells.xLine(i + 1)) / 2.0) <= 2.5);
        QVERIFY(qAbs(ink.width() - metrics.boundingRect(ShortNames[i]).width()) <= 3);
        QVERIFY(ink.bottom() >= strip.height() - 1 - metrics.descent() - 1);
        QVERIFY(ink.bottom() < strip.height());
    }
    // Black text: every pixel of the strip a shade of grey.
    for (int y = 0; y < strip.height(); ++y)
        for (int x = 0; x < strip.width(); ++x) {
            const QRgb p = strip.pixel(x, y);
            QVERIFY(qRed(p) == qGreen(p) && qGreen(p) == qBlue(p));
        }
}

void TestScreenPage::weekdayNamesShortenWhenTheFontIsLarge()
{
    CalMain w;
    w.Pic2->setTextFont(platform::arialFont(18, true));
    w.Form_Paint();
    QVERIFY(w.Pic2->TextWidth(QStringLiteral("WWW")) > 1);
    const QImage strip = w.Pic2->image();
    const Grid cells(w.Pic->image());
    const QFontMetricsF metrics(w.Pic2->TextFont(), &strip);
    for (int i = 0; i < 7; ++i) {
        const QRect column(QPoint(cells.xLine(i), 0), QPoint(cells.xLine(i + 1) - 1, strip.height() - 1));
        const QRect ink = inkBox(strip, column);
        const QString two = ShortNames[i].left(2);
        QVERIFY2(qAbs(ink.width() - metrics.boundingRect(two).width()) <= 4,
                 qPrintable(QStringLiteral("%1: %2 px").arg(two).arg(ink.width())));
    }
}

void TestScreenPage::july2024GregorianLed()
{
    CalMain w;
    showMonth(w, Lead::Gregorian, 6, 2024);
    showMonth(w, Lead::Gregorian, 7, 2024);
    QCOMPARE(w.Heading->text(), QStringLiteral("July,2024"));
    QCOMPARE(core::DayCells[2].GregDayText, QStringLiteral("1"));
    QCOMPARE(core::DayCells[32].GregDayText, QStringLiteral("31"));
    QCOMPARE(otherMonthsMet(Lead::Gregorian, 2024, 7).size(), std::size_t(2));
    verifyMonthPage(w, Lead::Gregorian, 2024, 7);
    QCOMPARE(inkIn(w.Pic->image(), Grid(w.Pic->image()).interior(0)).any, 0); // cell 1 empty
}

void TestScreenPage::februaryStartingOnSundayFillsFourRows()
{
    CalMain w;
    for (int year : {2015, 2026}) {
        showMonth(w, Lead::Gregorian, 2, year);
        verifyMonthPage(w, Lead::Gregorian, year, 2);
        const QImage image = w.Pic->image();
        const Grid grid(image);
        for (int i = 0; i < 42; ++i)
            QCOMPARE(inkIn(image, grid.interior(i)).any > 0, i < 28);
    }
}

void TestScreenPage::thirtyOneDaysFromSaturdayEndInCell37()
{
    CalMain w;
    showMonth(w, Lead::Gregorian, 8, 2020);
    verifyMonthPage(w, Lead::Gregorian, 2020, 8);
    QCOMPARE(core::DayCells[37].GregDayText, QStringLiteral("31"));
    QCOMPARE(core::DayCells[7].GregDayText, QStringLiteral("1"));
}

void TestScreenPage::july622StartsAtCell20()
{
    CalMain w;
    showMonth(w, Lead::Gregorian, 7, 622);
    const QImage image = w.Pic->image();
    const Grid grid(image);
    for (int i = 0; i < 42; ++i) {
        const Ink ink = inkIn(image, grid.interior(i));
        QCOMPARE(ink.any > 0, i >= 19 && i <= 34);
        QCOMPARE(ink.red + ink.olive, 0);
        if (ink.any)
            QVERIFY(ink.blue > 3 && ink.black > 5);
    }
    QCOMPARE(core::DayCells[20].GregDayText, QStringLiteral("16"));
    QCOMPARE(core::DayCells[20].HijriDayText, QStringLiteral("1"));
    QCOMPARE(core::DayCells[35].GregDayText, QStringLiteral("31"));
    QCOMPARE(core::DayCells[35].HijriDayText, QStringLiteral("16"));
    QVERIFY(labelShows(w.Heading, QStringLiteral("July,622"), BlackColour));
    QVERIFY(labelShows(w.CurMonth, QStringLiteral("Muharram,1"), Blue));
    QVERIFY(labelShows(w.NextMonth, QStringLiteral("Muharram,1"), Blue));
}

void TestScreenPage::gregorianMonthMeetingThreeHijriMonths()
{
    const auto [year, month] = firstMonthMeeting(Lead::Gregorian, 2000, 3);
    QVERIFY(year != 0);
    CalMain w;
    showMonth(w, Lead::Gregorian, month, year);
    verifyMonthPage(w, Lead::Gregorian, year, month);
    // The day that ends the first Hijri month keeps blue; the next is 1 in red.
    QCOMPARE(core::DayCells[firstWeekday(Lead::Gregorian, year, month) + 2].HijriDayText, QStringLiteral("1"));
    QCOMPARE(core::DayCells[firstWeekday(Lead::Gregorian, year, month) + 2].HijriColor, core::KeyRed);
    QCOMPARE(labelColour(w.NextMonth), Olive);
}

void TestScreenPage::hijriLedPagesInOneTwoAndThreeGregorianMonths()
{
    CalMain w;
    for (std::size_t count : {1, 2, 3}) {
        const auto [year, month] = firstMonthMeeting(Lead::Hijri, 1, count);
        QVERIFY(year != 0);
        showMonth(w, Lead::Hijri, month, year);
        verifyMonthPage(w, Lead::Hijri, year, month);
        if (count == 1)
            QCOMPARE(w.NextMonth->text(), w.CurMonth->text());
    }
    // Muharram 1446 as the window shows it after the switch.
    showMonth(w, Lead::Hijri, 1, 1446);
    verifyMonthPage(w, Lead::Hijri, 1446, 1);
}

void TestScreenPage::october1582LeavesOutTheTenDays()
{
    CalMain w;
    showMonth(w, Lead::Gregorian, 10, 1582);
    const int wd = firstWeekday(Lead::Gregorian, 1582, 10);
    QCOMPARE(wd, 1);
    const QImage image = w.Pic->image();
    const Grid grid(image);
    for (int n = 1; n <= 42; ++n)
        QCOMPARE(inkIn(image, grid.interior(n - 1)).any > 0, n >= wd + 1 && n <= 21 + wd);
    for (int d = 1; d <= 4; ++d)
        QCOMPARE(core::DayCells[d + wd].GregDayText, QString::number(d));
    for (int d = 15; d <= 31; ++d) {
        QCOMPARE(core::DayCells[d - 10 + wd].GregDayText, QString::number(d));
        QCOMPARE(core::DayCells[d - 10 + wd].HijriDayText,
                 QString::number(realEngine->GregToHijri(1582, 10, d).day));
    }
    QCOMPARE((15 - 10 + wd - 1) % 7, 5); // Friday 15 October
    QVERIFY(labelShows(w.Heading, QStringLiteral("October,1582"), BlackColour));
}

void TestScreenPage::todayMarkerGregorianLed()
{
    CalMain w; // starts on today's month
    w.Form_Paint();
    const QImage image = w.Pic->image();
    QCOMPARE(markedCells(image), 1);
    const int index = markedCellIndex(image);
    QCOMPARE(core::DayCells[index + 1].GregDayText, QStringLiteral("16"));
    QCOMPARE(index, 16); // 16 July 2024, a Tuesday in the third row
    // The numbers stand on the grey: drawn after the marker, still black and coloured.
    const Ink ink = inkIn(image, Grid(image).interior(index));
    QVERIFY(ink.black > 5);
    QVERIFY(ink.blue + ink.red > 3);
    // The lines around the marked cell are XORed too.
    const Grid grid(image);
    QCOMPARE(image.pixel(grid.xLine(2), grid.yLine(2) + 5), markerOnBlack());
    QCOMPARE(image.pixel(grid.xLine(3), grid.yLine(2) + 5), markerOnBlack());
}

void TestScreenPage::todayMarkerHijriLed()
{
    CalMain w;
    w.HegOpt->click(); // today's Hijri month
    int32_t tDay, tMonth, tYear;
    core::TodayHijri(tDay, tMonth, tYear);
    QCOMPARE(w.MonthTXT->text(), QString::number(tMonth));
    const QImage image = w.Pic->image();
    QCOMPARE(markedCells(image), 1);
    const int index = markedCellIndex(image);
    QCOMPARE(core::DayCells[index + 1].HijriDayText, QString::number(tDay));
    QCOMPARE(core::DayCells[index + 1].GregDayText, QStringLiteral("16"));
    QCOMPARE(index, tDay + firstWeekday(Lead::Hijri, tYear, tMonth) - 1);
    QCOMPARE(index % 7, 2); // the same Tuesday as in the Gregorian view
}

void TestScreenPage::noMarkerOnOtherMonths()
{
    CalMain w;
    for (auto [month, year] : {std::pair(6, 2024), std::pair(8, 2024), std::pair(7, 2023), std::pair(7, 2025)}) {
        showMonth(w, Lead::Gregorian, month, year);
        QCOMPARE(markedCells(w.Pic->image()), 0);
    }
    for (auto [month, year] : {std::pair(2, 1446), std::pair(12, 1445), std::pair(1, 1445)}) {
        showMonth(w, Lead::Hijri, month, year);
        QCOMPARE(markedCells(w.Pic->image()), 0);
    }
    // Not even on the lines: the grid stays black all through.
    QCOMPARE(fullBlackColumns(w.Pic->image()), 6);
    QCOMPARE(fullBlackRows(w.Pic->image()), 5);
}

void TestScreenPage::todayMarkerInOctober1582()
{
    CalMain w;
    const int wd = firstWeekday(Lead::Gregorian, 1582, 10);
    for (int day : {3, 15, 31}) {
        platform::pinDate(QDate(1582, 10, day));
        showMonth(w, Lead::Gregorian, 10, 1582);
        const int index = markedCellIndex(w.Pic->image());
        QCOMPARE(markedCells(w.Pic->image()), 1);
        QCOMPARE(index, (day > 4 ? day - 10 : day) + wd - 1);
        QCOMPARE(core::DayCells[index + 1].GregDayText, QString::number(day));
    }
    platform::pinDate(QDate(1582, 10, 10)); // a day that never was
    showMonth(w, Lead::Gregorian, 10, 1582);
    QCOMPARE(markedCells(w.Pic->image()), 0);
}

void TestScreenPage::repaintsDrawTheSamePage()
{
    CalMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    for (Lead lead : {Lead::Gregorian, Lead::Hijri}) {
        (lead == Lead::Gregorian ? w.GregOpt : w.HegOpt)->click();
        const QImage grid = w.Pic->image(), strip = w.Pic2->image();
        const QString heading = w.Heading->text(), cur = w.CurMonth->text(), next = w.NextMonth->text();
        QCOMPARE(markedCells(grid), 1);
        for (int i = 0; i < 3; ++i)
            w.Form_Paint();
        const int before = w.paintCount();
        w.centralWidget()->update(); // as the platform asks for it
        QTRY_VERIFY(w.paintCount() > before);
        QCOMPARE(w.Pic->image(), grid); // one marker, never erased by a second XOR
        QCOMPARE(w.Pic2->image(), strip);
        QCOMPARE(w.Heading->text(), heading);
        QCOMPARE(w.CurMonth->text(), cur);
        QCOMPARE(w.NextMonth->text(), next);
        // What the screen shows is the drawing.
        const QImage shown = w.Pic->grab().toImage();
        QCOMPARE(shown.copy(1, 1, grid.width(), grid.height()).convertToFormat(grid.format()), grid);
    }
}

void TestScreenPage::mousePressChangesNothing()
{
    CalMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::qWait(50);
    const QImage before = w.Pic->image();
    const QString month = w.MonthTXT->text();
    for (QPoint at : {QPoint(10, 10), QPoint(200, 80), QPoint(400, 150)}) {
        QTest::mousePress(w.Pic, Qt::LeftButton, {}, at);
        QTest::mouseRelease(w.Pic, Qt::LeftButton, {}, at);
        QTest::mouseClick(w.Pic, Qt::RightButton, {}, at);
        QTest::mouseDClick(w.Pic, Qt::LeftButton, {}, at);
    }
    QTest::qWait(50);
    QCOMPARE(w.Pic->image(), before);
    QCOMPARE(w.MonthTXT->text(), month);
}

void TestScreenPage::paintingStopsWhenIdle()
{
    CalMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_VERIFY(w.paintCount() > 0);
    QTest::qWait(200);
    const int settled = w.paintCount();
    QTest::qWait(500);
    QCOMPARE(w.paintCount(), settled);
    // A platform repaint of the page draws once, and then it is quiet again.
    w.centralWidget()->repaint();
    QCOMPARE(w.paintCount(), settled + 1);
    QTest::qWait(300);
    QCOMPARE(w.paintCount(), settled + 1);
    // Go and the calendar switch draw explicitly; neither starts a chain.
    w.HegOpt->click();
    QTest::qWait(300);
    const int afterSwitch = w.paintCount();
    QTest::qWait(300);
    QCOMPARE(w.paintCount(), afterSwitch);
}

void TestScreenPage::repaintReadsTheBoxesAsTheyStand()
{
    CalMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // June 622 passes no "Go", but a repaint draws what the boxes hold.
    w.MonthTXT->setText(QStringLiteral("6"));
    w.YearTXT->setText(QStringLiteral("622"));
    const int before = w.paintCount();
    w.centralWidget()->repaint();
    QVERIFY(w.paintCount() > before);
    QCOMPARE(w.Heading->text(), QStringLiteral("June,622"));
    verifyMonthPage(w, Lead::Gregorian, 622, 6);
    // Half-typed year "62": whatever the engine makes of it, a sound page.
    w.YearTXT->setText(QStringLiteral("62"));
    w.centralWidget()->repaint();
    QCOMPARE(w.Heading->text(), QStringLiteral("June,62"));
}

void TestScreenPage::onlyTheMonthsRecordsAreWritten()
{
    CalMain w;
    fillDayCellsWith(QStringLiteral("earlier"));
    showMonth(w, Lead::Gregorian, 7, 2024); // cells 2..32
    QVERIFY(dayCellHolds(1, QStringLiteral("earlier")));
    for (int n = 33; n <= 42; ++n)
        QVERIFY(dayCellHolds(n, QStringLiteral("earlier")));
    QVERIFY(!dayCellHolds(2, QStringLiteral("earlier")));
    QVERIFY(!dayCellHolds(32, QStringLiteral("earlier")));
}

void TestScreenPage::monthsThatAreNotRealShowTheFrameOnly_data()
{
    using Fake = std::function<void(testsupport::FakeEngine &)>;
    QTest::addColumn<int>("lead");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<Fake>("fake");
    const Fake none;
    const int greg = int(Lead::Gregorian), hijri = int(Lead::Hijri);
    QTest::newRow("month 13") << greg << "13" << "2024" << none;
    QTest::newRow("month abc") << greg << "abc" << "2024" << none;
    QTest::newRow("month empty") << hijri << "" << "1446" << none;
    QTest::newRow("month -1") << hijri << "-1" << "1446" << none;
    QTest::newRow("month 1E9") << greg << "1E9" << "2024" << none;
    QTest::newRow("year past int32") << greg << "7" << "99999999999" << none;
    QTest::newRow("weekday 9") << greg << "7" << "2024"
                               << Fake([](auto &f) { f.weekDayOf = [](int32_t, int32_t, int32_t) { return 9; }; });
    QTest::newRow("weekday -1") << hijri << "1" << "1446"
                                << Fake([](auto &f) { f.weekDayOf = [](int32_t, int32_t, int32_t) { return -1; }; });
    QTest::newRow("length 0") << greg << "7" << "2024"
                              << Fake([](auto &f) { f.gregMonthDays = [](int32_t, int32_t) { return 0; }; });
    QTest::newRow("length 40") << hijri << "1" << "1446"
                               << Fake([](auto &f) { f.hijriMonthDays = [](int32_t, int32_t) { return 40; }; });
    QTest::newRow("converted month 0") << greg << "7" << "2024" << Fake([](auto &f) {
        f.gregToHijri = [](int32_t, int32_t, int32_t d) { return Ymd{1446, 0, d}; };
    });
    QTest::newRow("converted month 13") << hijri << "1" << "1446" << Fake([](auto &f) {
        f.hijriToGreg = [](int32_t y, int32_t m, int32_t d) {
            return d == 1 ? realEngine->HijriToGreg(y, m, d) : Ymd{2024, 13, d};
        };
    });
}

void TestScreenPage::monthsThatAreNotRealShowTheFrameOnly()
{
    using Fake = std::function<void(testsupport::FakeEngine &)>;
    QFETCH(int, lead);
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(Fake, fake);
    CalMain w;
    // Start from today's month, with the marker on.
    showMonth(w, Lead(lead), lead == int(Lead::Gregorian) ? 7 : 1, lead == int(Lead::Gregorian) ? 2024 : 1446);
    QVERIFY(!w.Heading->text().isEmpty());
    QCOMPARE(markedCells(w.Pic->image()), 1);
    fillDayCellsWith(QStringLiteral("earlier"));

    testsupport::FakeEngine engine(*realEngine);
    if (fake) {
        fake(engine);
        core::setEngine(&engine);
    }
    showMonth(w, Lead(lead), month, year);
    QVERIFY(isBareGrid(w.Pic->image()));
    QCOMPARE(w.Heading->text(), QString());
    QCOMPARE(w.CurMonth->text(), QString());
    QCOMPARE(w.NextMonth->text(), QString());
    for (int n = 1; n <= 42; ++n)
        QVERIFY(dayCellHolds(n, QStringLiteral("earlier")));
    // The weekday strip is there as ever.
    const QImage strip = w.Pic2->image();
    const Grid cells(w.Pic->image());
    for (int i = 0; i < 7; ++i)
        QVERIFY(!inkBox(strip, QRect(QPoint(cells.xLine(i) + 1, 0), QPoint(cells.xLine(i + 1) - 1, strip.height() - 1)))
                     .isNull());
    // And a real month afterwards draws whole again.
    core::setEngine(realEngine);
    showMonth(w, Lead(lead), lead == int(Lead::Gregorian) ? 7 : 1, lead == int(Lead::Gregorian) ? 2024 : 1446);
    QCOMPARE(markedCells(w.Pic->image()), 1);
    QVERIFY(!w.Heading->text().isEmpty());
}

void TestScreenPage::farYearsAreDrawnWhenTheEngineAnswers()
{
    // Far beyond the boxes' range the engine still answers a real month:
    // the page shows it rather than nothing.
    CalMain w;
    showMonth(w, Lead::Gregorian, QStringLiteral("7"), QStringLiteral("99999999"));
    QCOMPARE(w.Heading->text(), QStringLiteral("July,99999999"));
    verifyMonthPage(w, Lead::Gregorian, 99999999, 7);
    showMonth(w, Lead::Hijri, QStringLiteral("1"), QStringLiteral("-5"));
    verifyMonthPage(w, Lead::Hijri, -5, 1);
}

QTEST_MAIN(TestScreenPage)
#include "test_screenpage.moc"
