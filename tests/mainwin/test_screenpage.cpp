// The month page on screen: its pixels, labels and day-cell table; run again on a screen scaled by QT_SCALE_FACTOR.
#include "core/monthlayout.h"
#include "mainwin/calmain.h"
#include "platform/clock/clock.h"
#include "platform/controls/picturebox.h"
#include "testsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using core::Lead;

namespace {

const core::CalendarEngine *realEngine = nullptr;
const double Scale = qEnvironmentVariable("QT_SCALE_FACTOR", "1").toDouble();

// The today marker XORs grey over the cell: 127 on white, 128 on the lines.
constexpr QRgb White = 0xFFFFFFFF, MarkerOnWhite = 0xFF7F7F7F, MarkerOnBlack = 0xFF808080;

// Where the 7 x 6 cells of a picture lie, in device pixels.
struct Grid {
    const QImage &image;
    int lineWidth() const { return std::max(1, int(image.devicePixelRatio())); }
    int xLine(int column) const { return qRound(column * image.width() / 7.0); }
    int yLine(int row) const { return qRound(row * image.height() / 6.0); }
    // A cell's pixels without its lines and one pixel more.
    QRect interior(int i) const
    {
        return QRect(QPoint(xLine(i % 7) + lineWidth() + 1, yLine(i / 7) + lineWidth() + 1),
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
    const Grid grid{image};
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
    (lead == Lead::Gregorian ? testsupport::option(w, "GregOpt") : testsupport::option(w, "HegOpt"))->click();
    testsupport::box(w, "MonthTXT")->setText(month);
    testsupport::box(w, "YearTXT")->setText(year);
    w.Form_Paint();
}

} // namespace

class TestScreenPage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { realEngine = &testsupport::installRealEngine(); }
    void init() { platform::pinDate(QDate(2024, 7, 16)); }
    void cleanup() { core::setEngine(realEngine); }

    // Today's page, shown: on screen pixel for pixel, weekday names centred, today's cell greyed with its lines and no
    // further, the legend; a repaint draws it again (one marker, not erased by a second XOR), an idle window never.
    void pages()
    {
        CalMain w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QTRY_VERIFY(w.paintCount() > 0);
        const QImage today = testsupport::picture(w, "Pic")->image(), strip = testsupport::picture(w, "Pic2")->image();
        const QImage onScreen = testsupport::picture(w, "Pic")->grab().toImage().copy(int(Scale), int(Scale),
                                                                                      today.width(), today.height());
        QCOMPARE(onScreen.convertToFormat(today.format()), today);
        const Grid grid{today};
        for (int i = 0; i < 7; ++i) {
            const QRect column(QPoint(grid.xLine(i) + grid.lineWidth(), 0),
                               QPoint(grid.xLine(i + 1) - 1, strip.height() - 1));
            const QRect ink = inkIn(strip, column).bounds;
            QVERIFY(!ink.isNull());
            QVERIFY(qAbs(ink.left() + ink.right() + 1 - grid.xLine(i) - grid.xLine(i + 1)) <= 5 * Scale);
        }
        const int y = grid.yLine(2) + 6; // 16 July 2024: Tuesday, third row
        QCOMPARE(today.pixel(grid.xLine(2) - 1, y), White);
        QCOMPARE(today.pixel(grid.xLine(2), y), MarkerOnBlack);
        QCOMPARE(today.pixel(grid.xLine(3) + grid.lineWidth() - 1, y), MarkerOnBlack);
        QCOMPARE(today.pixel(grid.xLine(3) + grid.lineWidth(), y), White);
        QCOMPARE(testsupport::label(w, "CurMonth")->text() + u' ' + testsupport::label(w, "NextMonth")->text(),
                 QStringLiteral("Thu Al-Hijjah,1445 Muharram,1446"));
        QCOMPARE(testsupport::label(w, "NextMonth")->palette().color(QPalette::WindowText), QColor(Qt::red));
        w.Form_Paint();
        w.centralWidget()->repaint();
        QCOMPARE(testsupport::picture(w, "Pic")->image(), today);
        QTest::qWait(200);
        const int settled = w.paintCount();
        QTest::qWait(400);
        QCOMPARE(w.paintCount(), settled);

        // Both numbers of each day in the table, the other in its month's key colour, the marker only on today's cell.
        const struct {
            Lead lead;
            int year, month, marked;
        } months[] = {{Lead::Gregorian, 622, 7, -1},
                      {Lead::Gregorian, 1582, 10, -1},
                      {Lead::Hijri, 1446, 1, 9},
                      {Lead::Hijri, 38, 9, -1}};
        for (const auto &[lead, year, month, marked] : months) {
            showMonth(w, lead, QString::number(month), QString::number(year));
            const core::MonthLayout page = core::LayMonth(*realEngine, lead, year, month);
            const QImage image = testsupport::picture(w, "Pic")->image();
            QCOMPARE(markedCells(image), marked < 0 ? QList<int>() : QList<int>{marked});
            for (int n = 1; n <= 42; ++n) {
                const Ink ink = inkIn(image, Grid{image}.interior(n - 1));
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
        }
        // In October 1582 the marker follows the ten missing days; a day that never was has none.
        for (int d : {3, 15, 31, 10}) {
            platform::pinDate(QDate(1582, 10, d));
            showMonth(w, Lead::Gregorian, "10", "1582");
            QCOMPARE(markedCells(testsupport::picture(w, "Pic")->image()),
                     d == 10 ? QList<int>{} : QList<int>{(d > 4 ? d - 10 : d)});
        }
    }

    // Not a real month, from the boxes or the engine's answers: the grid lines only (6 inner columns and 5 inner rows
    // black end to end; the border is the frame's), without the marker of the page before, and empty labels.
    void notARealMonth()
    {
        testsupport::FakeEngine oddWeekday(*realEngine), longMonth(*realEngine);
        oddWeekday.weekDayOf = [](int32_t, int32_t, int32_t) { return 9; };
        longMonth.hijriMonthDays = [](int32_t, int32_t) { return 40; };
        const struct {
            Lead lead;
            const char *month;
            const core::CalendarEngine *engine;
        } pages[] = {{Lead::Gregorian, "13", realEngine},
                     {Lead::Gregorian, "7", &oddWeekday},
                     {Lead::Hijri, "1", &longMonth}};
        for (const auto &p : pages) {
            const QString year = p.lead == Lead::Gregorian ? "2024" : "1446";
            CalMain w;
            showMonth(w, p.lead, p.lead == Lead::Gregorian ? "7" : "1", year); // today's month, marked
            core::setEngine(p.engine);
            showMonth(w, p.lead, p.month, year);
            core::setEngine(realEngine);
            const QImage image = testsupport::picture(w, "Pic")->image();
            const Ink ink = inkIn(image, image.rect());
            QCOMPARE(ink.any, ink.black); // no text, and no marker, whose grey would show on the lines
            const int lineWidth = Grid{image}.lineWidth();
            QCOMPARE(ink.black, lineWidth * (6 * image.height() + 5 * image.width() - 30 * lineWidth));
            QCOMPARE(testsupport::label(w, "Heading")->text() + testsupport::label(w, "CurMonth")->text()
                         + testsupport::label(w, "NextMonth")->text(),
                     QString());
        }
    }
};

QTEST_MAIN(TestScreenPage)
#include "test_screenpage.moc"
