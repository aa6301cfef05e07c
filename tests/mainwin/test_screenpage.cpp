// The month page on screen, checked on the pictures' pixels, the labels and
// the day-cell table; run again on a screen scaled by QT_SCALE_FACTOR.
#include "core/monthlayout.h"
#include "core/names.h"
#include "mainwin/calmain.h"
#include "platform/clock.h"
#include "platform/picturebox.h"
#include "testsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <cmath>

using core::Lead;

namespace {

const core::CalendarEngine *realEngine = nullptr;
const double Scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();

// The today marker XORs grey over the cell: 127 on white, 128 on the lines.
constexpr QRgb White = 0xFFFFFFFF, Black = 0xFF000000, MarkerOnWhite = 0xFF7F7F7F, MarkerOnBlack = 0xFF808080;

// Where the 7 x 6 cells lie in a picture, in device pixels.
struct Grid {
    explicit Grid(const QImage &image)
        : width(image.width()), height(image.height()),
          lineWidth(std::max(1, int(std::floor(image.devicePixelRatio())))) {}
    int width, height, lineWidth;
    int xLine(int column) const { return int(std::floor(column * double(width) / 7 + 0.5)); }
    int yLine(int row) const { return int(std::floor(row * double(height) / 6 + 0.5)); }
    // A cell's pixels without its lines and one pixel more.
    QRect interior(int i) const
    {
        return QRect(QPoint(xLine(i % 7) + lineWidth + 1, yLine(i / 7) + lineWidth + 1),
                     QPoint(xLine(i % 7 + 1) - 2, yLine(i / 7 + 1) - 2));
    }
};

struct Ink {
    int blue = 0, red = 0, olive = 0, black = 0, any = 0;
    QRect bounds;
};

// What an area holds besides its background (white or the marker's grey).
// Text is antialiased, so colours are told apart by hue.
Ink inkIn(const QImage &image, const QRect &area)
{
    Ink ink;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const QRgb p = image.pixel(x, y);
            const int r = qRed(p), g = qGreen(p), b = qBlue(p);
            if (p == White || p == MarkerOnWhite)
                continue;
            ++ink.any;
            ink.bounds |= QRect(x, y, 1, 1);
            ink.blue += b > 150 && r < 120 && g < 120 && b - r > 80;
            ink.red += r > 150 && g < 120 && b < 120 && r - g > 80;
            ink.olive += r < 230 && r - b > 60 && std::abs(r - g) < 20;
            ink.black += r < 90 && g < 90 && b < 90;
        }
    return ink;
}

// The cells whose background is the today marker's grey, by index 0..41.
QList<int> markedCells(const QImage &image)
{
    const Grid grid(image);
    QList<int> marked;
    for (int i = 0; i < 42; ++i) {
        const QRect r = grid.interior(i);
        if (image.pixel(r.topLeft()) == MarkerOnWhite && image.pixel(r.bottomRight()) == MarkerOnWhite)
            marked << i;
    }
    return marked;
}

void showMonth(CalMain &w, Lead lead, const QString &month, const QString &year)
{
    (lead == Lead::Gregorian ? w.GregOpt : w.HegOpt)->setChecked(true);
    w.MonthTXT->setText(month);
    w.YearTXT->setText(year);
    w.Form_Paint();
}

// A label's text and colour, as "July,2024 #000000".
QString shown(const QLabel *label)
{
    return label->text() + u' ' + label->palette().color(QPalette::WindowText).name();
}

} // namespace

class TestScreenPage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { realEngine = &testsupport::installRealEngine(); }
    void init() { platform::pinDate(QDate(2024, 7, 16)); }
    void cleanup() { core::setEngine(realEngine); }

    // Both pictures in device pixels; each weekday's name centred in its column, as wide as its text, at the bottom.
    void weekdayNames()
    {
        CalMain w;
        w.Form_Paint();
        for (platform::PictureBox *pic : {w.Pic, w.Pic2}) {
            QCOMPARE(pic->image().devicePixelRatio(), Scale);
            QCOMPARE(pic->image().size(), (QSizeF(pic->contentsRect().size()) * Scale).toSize());
        }
        const QImage strip = w.Pic2->image();
        const Grid grid(w.Pic->image());
        const QFontMetricsF metrics(w.Pic2->TextFont(), &strip);
        const QString names[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
        for (int i = 0; i < 7; ++i) {
            const QRect column(QPoint(grid.xLine(i) + grid.lineWidth, 0),
                               QPoint(grid.xLine(i + 1) - 1, strip.height() - 1));
            const QRect ink = inkIn(strip, column).bounds;
            QVERIFY2(!ink.isNull(), qPrintable(names[i]));
            const double centre = (grid.xLine(i) + grid.xLine(i + 1)) / 2.0;
            QVERIFY(qAbs((ink.left() + ink.right() + 1) / 2.0 - centre) <= 2.5 * Scale);
            QVERIFY(qAbs(ink.width() - metrics.boundingRect(names[i]).width() * Scale) <= 3 * Scale);
            QVERIFY(ink.bottom() >= strip.height() - 2 * Scale - metrics.descent() * Scale);
        }
    }

    // Each page, drawn over the one before, against its month's layout: both numbers of each day in the table, the
    // other in its month's key colour, the labels naming the other months, the marker only on today's cell.
    void monthPages()
    {
        const struct { Lead lead; int year, month, marked; } months[] = {
            {Lead::Gregorian, 2024, 7, 16}, {Lead::Gregorian, 2023, 7, -1},  {Lead::Gregorian, 2015, 2, -1},
            {Lead::Gregorian, 2006, 3, -1}, {Lead::Gregorian, 622, 7, -1},   {Lead::Gregorian, 1582, 10, -1},
            {Lead::Hijri, 1446, 1, 9},      {Lead::Hijri, 2, 4, -1},         {Lead::Hijri, 1, 1, -1},
            {Lead::Hijri, 38, 9, -1}};
        CalMain w;
        for (const auto &[lead, year, month, marked] : months) {
            showMonth(w, lead, QString::number(month), QString::number(year));
            const core::MonthLayout page = core::LayMonth(*realEngine, lead, year, month);
            QVERIFY(page.valid);
            const QImage image = w.Pic->image();
            QCOMPARE(markedCells(image), marked < 0 ? QList<int>() : QList<int>{marked});
            const Grid grid(image);
            for (int n = 1; n <= 42; ++n) {
                const Ink ink = inkIn(image, grid.interior(n - 1));
                const core::LaidCell &laid = page.cells[std::size_t(n)];
                const core::DayCell &c = core::DayCells[n];
                const QString at = QStringLiteral("%1/%2 cell %3").arg(month).arg(year).arg(n);
                QVERIFY2((ink.any > 0) == (n >= page.FirstCell && n <= page.LastCell), qPrintable(at));
                if (!ink.any)
                    continue;
                const bool greg = lead == Lead::Gregorian;
                QVERIFY2((greg ? c.GregDayText : c.HijriDayText) == QString::number(laid.leadDay), qPrintable(at));
                QVERIFY2((greg ? c.HijriDayText : c.GregDayText) == QString::number(laid.other.day), qPrintable(at));
                QVERIFY2(ink.black > 5, qPrintable(at));
                const int counts[] = {ink.blue, ink.red, ink.olive};
                for (int k = 0; k < 3; ++k)
                    QVERIFY2((counts[k] > 3) == (k == laid.monthKey), qPrintable(at));
            }
            const auto name = [&](bool ofLead, int m) {
                return (lead == Lead::Gregorian) == ofLead ? core::GregMonthName(m) : core::HijriMonthName(m);
            };
            const core::Ymd first = page.first().other, last = page.last().other;
            const QString keyColours[] = {"#0000ff", "#ff0000", "#808000"};
            QCOMPARE(shown(w.Heading), name(true, month) + u',' + QString::number(year) + " #000000");
            QCOMPARE(shown(w.CurMonth), name(false, first.month) + u',' + QString::number(first.year) + " #0000ff");
            QCOMPARE(shown(w.NextMonth), name(false, last.month) + u',' + QString::number(last.year) + u' '
                                             + keyColours[page.last().monthKey]);
        }
    }

    // Today's cell greyed with its lines, and no further. In October 1582 the marker follows the ten missing days;
    // a day that never was has none.
    void todayMarker()
    {
        CalMain w; // starts on today's month: 16 July 2024, Tuesday, third row
        w.Form_Paint();
        const QImage image = w.Pic->image();
        const Grid grid(image);
        for (int t = 0; t < grid.lineWidth; ++t)
            for (int k : {2, 3})
                QCOMPARE(image.pixel(grid.xLine(k) + t, grid.yLine(2) + 6), MarkerOnBlack);
        QCOMPARE(image.pixel(grid.xLine(2) - 1, grid.yLine(2) + 6), White);
        QCOMPARE(image.pixel(grid.xLine(3) + grid.lineWidth, grid.yLine(2) + 6), White);
        for (int d : {3, 15, 31, 10}) {
            platform::pinDate(QDate(1582, 10, d));
            showMonth(w, Lead::Gregorian, "10", "1582");
            QCOMPARE(markedCells(w.Pic->image()), d == 10 ? QList<int>{} : QList<int>{(d > 4 ? d - 10 : d)});
        }
    }

    void repaintsAreStable()
    {
        CalMain w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_VERIFY(w.paintCount() > 0);
        for (QRadioButton *option : {w.HegOpt, w.GregOpt}) {
            option->click();
            const QImage grid = w.Pic->image(), strip = w.Pic2->image();
            w.Form_Paint();
            w.Form_Paint();
            w.centralWidget()->repaint();
            QCOMPARE(w.Pic->image(), grid); // one marker, never erased by a second XOR
            QCOMPARE(w.Pic2->image(), strip);
            const QImage onScreen = w.Pic->grab().toImage().copy(int(Scale), int(Scale), grid.width(), grid.height());
            QCOMPARE(onScreen.convertToFormat(grid.format()), grid);
        }
        const QImage before = w.Pic->image(); // mouse presses on the page change nothing
        QTest::mouseClick(w.Pic, Qt::LeftButton, {}, QPoint(200, 80));
        QTest::mouseClick(w.Pic, Qt::RightButton, {}, QPoint(200, 80));
        QTest::mouseDClick(w.Pic, Qt::LeftButton, {}, QPoint(200, 80));
        QCOMPARE(w.Pic->image(), before);
        QCOMPARE(w.MonthTXT->text(), QStringLiteral("7"));
        QTest::qWait(200); // idle: no repaint loop, and a platform repaint draws once
        const int settled = w.paintCount();
        QTest::qWait(400);
        QCOMPARE(w.paintCount(), settled);
        w.centralWidget()->repaint();
        QTest::qWait(300);
        QCOMPARE(w.paintCount(), settled + 1);
    }

    // Not a real month, from the boxes or from the engine's answers: only the frame's grid lines, without the
    // marker of the page before, and empty labels.
    void notARealMonth()
    {
        testsupport::FakeEngine oddWeekday(*realEngine), longMonth(*realEngine);
        oddWeekday.weekDayOf = [](int32_t, int32_t, int32_t) { return 9; };
        longMonth.hijriMonthDays = [](int32_t, int32_t) { return 40; };
        const struct { Lead lead; const char *month, *year; const core::CalendarEngine *engine; } pages[] = {
            {Lead::Gregorian, "13", "2024", realEngine}, {Lead::Gregorian, "7", "99999999999", realEngine},
            {Lead::Gregorian, "7", "2024", &oddWeekday}, {Lead::Hijri, "1", "1446", &longMonth}};
        for (const auto &p : pages) {
            const bool greg = p.lead == Lead::Gregorian;
            CalMain w;
            showMonth(w, p.lead, greg ? "7" : "1", greg ? "2024" : "1446"); // today's month, marked
            QCOMPARE(markedCells(w.Pic->image()).size(), 1);
            core::setEngine(p.engine);
            showMonth(w, p.lead, p.month, p.year);
            core::setEngine(realEngine);
            const QImage image = w.Pic->image();
            QList<int> inColumn(image.width()), inRow(image.height());
            int stray = 0; // neither white nor black: ink, or the marker's grey on a cell or a line
            for (int y = 0; y < image.height(); ++y)
                for (int x = 0; x < image.width(); ++x) {
                    const bool black = image.pixel(x, y) == Black;
                    stray += !black && image.pixel(x, y) != White;
                    inColumn[x] += black;
                    inRow[y] += black;
                }
            QCOMPARE(stray, 0);
            // Black end to end: the 6 inner columns and 5 inner rows, no outer lines (the border is the frame).
            QCOMPARE(inColumn.count(image.height()), 6 * Grid(image).lineWidth);
            QCOMPARE(inRow.count(image.width()), 5 * Grid(image).lineWidth);
            QCOMPARE(w.Heading->text() + w.CurMonth->text() + w.NextMonth->text(), QString());
        }
    }
};

QTEST_MAIN(TestScreenPage)
#include "test_screenpage.moc"
