// The main window as a user drives it, scenario by scenario, and its month page read back pixel by pixel and as a
// screen reader hears it. Run again on a screen scaled to 200 %.
#include "core/monthlayout.h"
#include "core/names.h"
#include "mainwin/calmain.h"
#include "platform/clock/clock.h"
#include "testsupport.h"

#include <QAccessible>

using namespace testsupport;
using core::Lead;

namespace {

// The boxes, the bars, the year bar's range and page, the heading: "7/2024 7/2024 622..2562/100 July,2024".
QString state(const CalMain &w)
{
    const platform::VScrollBar *m = bar(w, "MonthScroll"), *y = bar(w, "YearScroll");
    return box(w, "MonthTXT")->text() + u'/' + box(w, "YearTXT")->text()
        + QString::asprintf(" %d/%d %d..%d/%d ", m->Value(), y->Value(), y->Min(), y->Max(), y->pageStep())
        + label(w, "Heading")->text();
}

// One step of a user: "Hijri", "Gregorian", "Go", "month=7.5" (typed, then Tab), "year+" / "year-" (a bar's arrow),
// "year++" / "year--" (its trough above or below the thumb), "grid" (a press on the grid), "GregOpt:Up" (a key).
void act(CalMain &w, const QString &step)
{
    if (step == u"grid")
        return QTest::mousePress(picture(w, "Pic"), Qt::LeftButton);
    if (step.contains(u':')) {
        QWidget *control = find(w, step.section(u':', 0, 0).toLatin1());
        control->setFocus(Qt::TabFocusReason);
        return QTest::keyClick(control, Qt::Key(QKeySequence::fromString(step.section(u':', 1))[0].key()));
    }
    QByteArray control = step.section(QRegularExpression("[=+-]"), 0, 0).toLatin1();
    control[0] = char(std::toupper(control[0])); // "month" steps "MonthTXT"
    if (step == u"Hijri" || step == u"Gregorian")
        return click(option(w, step == u"Hijri" ? "HegOpt" : "GregOpt"));
    if (step == u"Go")
        return click(button(w, "GoCMD"));
    if (step.contains(u'='))
        return type(box(w, control + "TXT"), step.section(u'=', 1));
    platform::VScrollBar *scroll = bar(w, control + "Scroll");
    const bool up = step.endsWith(u'+'), page = step.endsWith(u"++") || step.endsWith(u"--");
    const QStyle::SubControl part = page ? (up ? QStyle::SC_ScrollBarSubPage : QStyle::SC_ScrollBarAddPage)
                                         : (up ? QStyle::SC_ScrollBarSubLine : QStyle::SC_ScrollBarAddLine);
    QTest::mouseClick(scroll, Qt::LeftButton, {}, scroll->partRect(part).center());
}

// The today marker XORs grey over a cell: 127 on white, 128 on the lines.
constexpr QRgb White = 0xFFFFFFFF, MarkerOnWhite = 0xFF7F7F7F, MarkerOnBlack = 0xFF808080;

// A cell's pixels inside its lines: whether the marker fills it, and its ink by colour (antialiased: told by hue).
struct Cell {
    int black = 0, blue = 0, red = 0, olive = 0, any = 0;
    bool marked;
    Cell(const QImage &image, int index)
    {
        const int line = std::max(1, int(image.devicePixelRatio())), c = index % 7, r = index / 7;
        const auto x = [&](int c) { return qRound(c * image.width() / 7.0); };
        const auto y = [&](int r) { return qRound(r * image.height() / 6.0); };
        const QRect inner(QPoint(x(c) + line + 1, y(r) + line + 1), QPoint(x(c + 1) - 2, y(r + 1) - 2));
        marked = image.pixel(inner.topLeft()) == MarkerOnWhite && image.pixel(inner.bottomRight()) == MarkerOnWhite;
        for (int py = inner.top(); py <= inner.bottom(); ++py)
            for (int px = inner.left(); px <= inner.right(); ++px)
                if (const QRgb p = image.pixel(px, py); p != White && p != MarkerOnWhite) {
                    const int R = qRed(p), G = qGreen(p), B = qBlue(p);
                    ++any, black += R < 90 && G < 90 && B<90, blue += B> 150 && R < 120 && G < 120;
                    red += R > 150 && G < 120 && B < 120, olive += R < 230 && R - B > 60 && std::abs(R - G) < 20;
                }
    }
};

} // namespace

class TestMainWin : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        realEngine();
        QVERIFY(userLocaleInEffect());
    }
    void init() { platform::pinDate(QDate(2024, 7, 16)); } // 9 Muharram 1446

    // First, before windows come and go (Qt caches interfaces by address): the menu and the grid as a screen reader
    // hears them, each cell both calendars' day with its row and weekday's column, today's marked; Hijri first if led.
    void screenReader()
    {
        platform::pinDate(QDate(622, 7, 16));
        CalMain w;
        w.Form_Paint();
        QAccessible::setActive(true);
        QStringList entries;
        QAccessibleInterface *calendar = QAccessible::queryAccessibleInterface(menu(w));
        for (int i = 0; i < calendar->childCount(); ++i)
            entries << calendar->child(i)->text(QAccessible::Name);
        QCOMPARE(entries, QStringList({"Convert", "Print", {}, "About", {}, "Exit"}));
        QAccessibleInterface *grid = QAccessible::queryAccessibleInterface(picture(w, "Pic"));
        QVERIFY(grid->role() == QAccessible::Table && grid->childCount() == 16);
        QCOMPARE(grid->tableInterface()->cellAt(2, 5), grid->child(0));
        QCOMPARE(grid->child(0)->text(QAccessible::Name), "Friday 16 July 622, 1 Muharram 1, today");
        for (int i = 0; i < grid->childCount(); ++i) {
            QAccessibleTableCellInterface *cell = grid->child(i)->tableCellInterface();
            QVERIFY(cell->rowIndex() == (19 + i) / 7
                    && grid->child(i)->text(QAccessible::Name).startsWith(core::WeekDayName(cell->columnIndex())));
        }
        click(option(w, "HegOpt"));
        QCOMPARE(QAccessible::queryAccessibleInterface(picture(w, "Pic"))->child(0)->text(QAccessible::Name),
                 "Friday 1 Muharram 1, 16 July 622, today");
        QAccessible::setActive(false);
    }

    // Steps from start-up (";" between them), then the window as the user finds it, the message and whether the page
    // was redrawn ("!"). "today" and "hijri" stand for today's month in either calendar.
    void scenarios_data()
    {
        addRows({
            "start-up: today's month||today",
            "Hijri: today's Hijri month|month=3;Hijri|hijri|!",
            "and back: today's month|year=1999;Hijri;Gregorian|today|!",
            "the leading option again: nothing|Gregorian|today",
            "a blank and 07|month= 07|today",
            "7.5 is 8, Go|month=7.5;Go|8/2024 8/2024 622..2562/100 August,2024|!",
            "6.5 is 6, Go|month=6.5;Go|6/2024 6/2024 622..2562/100 June,2024|!",
            "letters: month 0, refused|month=7;month=abc|today|Input Error ...: Your Month is out of range",
            "June 622, refused by Go|month=6;year=622;Go|today|refused",
            "July 622|year=622;Go|7/622 7/622 622..2562/100 July,622|!",
            "October 1582, refused|month=10;year=1582;Go|today|refused",
            "November 1582|month=11;year=1582;Go|11/1582 11/1582 622..2562/100 November,1582|!",
            "January 2562|month=1;year=2562;Go|1/2562 1/2562 622..2562/100 January,2562|!",
            "February 2562, refused|month=2;year=2562;Go|today|refused",
            "Hijri Ramadan 990, refused|Hijri;month=9;year=990;Go|hijri|refused!",
            "Hijri Sha'ban 990|Hijri;month=8;year=990;Go|8/990 8/990 1..2000/100 Sha'ban,990|!",
            "Hijri Muharram 1|Hijri;month=1;year=1;Go|1/1 1/1 1..2000/100 Muharram,1|!",
            "Hijri Safar 2000, refused|Hijri;month=2;year=2000;Go|hijri|refused!",
            "Hijri year 2001, refused|Hijri;year=2001|hijri|Input Error ...: Your Year is out of range!",
            "67536 is not 2000 in 16 bits|year=67536|today|Input Error ...: Your Year is out of range",
            "year 621, refused|year=621|today|Input Error ...: Your Year is out of range",
            "Hijri year 0, refused|Hijri;year=0|hijri|Input Error ...: Your Year is out of range!",
            "month bar's arrow up at 5: 6, no redraw|month=5;month+;month+|today",
            "a box left as it was: the first arrow only sets the bar back|month=7;month+|today",
            "the year's trough: a hundred years|year=2000;year++;year++;year--|7/2100 7/2100 622..2562/100 "
            "July,2024",
            "no year past the top|year=2560;year+;year+;year+;year+|7/2562 7/2562 622..2562/100 July,2024",
            "an option by the keyboard|GregOpt:Up|hijri|!",
            "a bar by the keyboard: the next month|MonthScroll:Up|8/2024 8/2024 622..2562/100 July,2024",
            "a press on the grid: nothing|grid|today",
        });
    }

    void scenarios()
    {
        QFETCH(QStringList, row);
        const QString after = row[1], message = row.value(2);
        MessageCatcher messages;
        CalMain w;
        QVERIFY(activate(w));
        QTRY_VERIFY(w.paintCount() > 0);
        const int paints = w.paintCount();
        for (const QString &step : row[0].split(u';', Qt::SkipEmptyParts))
            act(w, step);
        QCOMPARE(state(w),
                 after == u"today"       ? "7/2024 7/2024 622..2562/100 July,2024"
                     : after == u"hijri" ? "1/1446 1/1446 1..2000/100 Muharram,1446"
                                         : after);
        QCOMPARE(messages.shown.join(u'\n'),
                 QString(message).remove(u'!').replace("refused", "Input Error ...: Your date is out of range"));
        QCOMPARE(w.paintCount() > paints, message.endsWith(u'!'));
    }

    // Exit, and closing from the frame, end the program. (Keys, menus and message boxes through the X server:
    // test_x11.)
    void exitAndFrame()
    {
        CalMain w, framed;
        QVERIFY(activate(w));
        entry(w, "Quit")->trigger();
        QVERIFY(!w.isVisible() && activate(framed) && framed.close() && !framed.isVisible());
    }

    // Today's page on screen pixel for pixel: weekday names centred over their columns, today's cell greyed with its
    // lines and no further, the other calendar's months named in their colours; a repaint draws the same, an idle
    // window nothing. Then pages of both calendars: each day's numbers in their cells, the other calendar's in its
    // month's colour, the marker on today's cell only (in October 1582 too); a month that is not real: lines only.
    void monthPage()
    {
        CalMain w;
        QVERIFY(activate(w));
        QTRY_VERIFY(w.paintCount() > 0);
        const QImage today = picture(w, "Pic")->image(), strip = picture(w, "Pic2")->image();
        const int scale = int(today.devicePixelRatio());
        const QImage onScreen = picture(w, "Pic")->grab().toImage(); // inside the box's sunken border
        QCOMPARE(onScreen.copy(scale, scale, today.width(), today.height()).convertToFormat(today.format()), today);
        for (int column = 0; column < 7; ++column) {
            QRect ink;
            for (int x = column * strip.width() / 7 + 2; x < (column + 1) * strip.width() / 7 - 1; ++x)
                for (int y = 0; y < strip.height(); ++y)
                    if (strip.pixel(x, y) != White)
                        ink |= QRect(x, y, 1, 1);
            QVERIFY(!ink.isNull() && qAbs(ink.center().x() - (2 * column + 1) * strip.width() / 14) <= 3 * scale);
        }
        const int left = qRound(2 * today.width() / 7.0), right = qRound(3 * today.width() / 7.0);
        const int y = qRound(2 * today.height() / 6.0) + 3 * scale; // 16 July 2024: Tuesday, third row
        QCOMPARE(QList({today.pixel(left - 1, y), today.pixel(left, y), today.pixel(right + scale - 1, y),
                        today.pixel(right + scale, y)}),
                 QList({White, MarkerOnBlack, MarkerOnBlack, White}));
        QCOMPARE(label(w, "CurMonth")->text() + u' ' + label(w, "NextMonth")->text(),
                 "Thu Al-Hijjah,1445 Muharram,1446");
        QCOMPARE(label(w, "CurMonth")->palette().color(QPalette::WindowText), QColor(Qt::blue));
        QCOMPARE(label(w, "NextMonth")->palette().color(QPalette::WindowText), QColor(Qt::red));
        w.centralWidget()->repaint();
        QCOMPARE(picture(w, "Pic")->image(), today);
        QTest::qWait(200);
        const int settled = w.paintCount();
        QTest::qWait(300);
        QCOMPARE(w.paintCount(), settled);

        // The lead, year and month shown, today, and the cell marked (from 0; -1: none on the page).
        for (const QString page :
             {"G 622 7 2024-07-16 -1", "H 1446 1 2024-07-16 9", "H 38 9 2024-07-16 -1", "G 1582 10 1582-10-15 5",
              "G 1582 10 1582-10-04 4", "G 1582 10 1582-10-10 -1", "G 1919 5 2024-07-16 -1"}) {
            const QStringList p = page.split(u' ');
            const Lead lead = p[0] == u"H" ? Lead::Hijri : Lead::Gregorian;
            platform::pinDate(QDate::fromString(p[3], Qt::ISODate));
            click(option(w, lead == Lead::Hijri ? "HegOpt" : "GregOpt"));
            box(w, "MonthTXT")->setText(p[2]);
            box(w, "YearTXT")->setText(p[1]);
            w.Form_Paint();
            const core::MonthLayout laid = core::LayMonth(realEngine(), lead, p[1].toInt(), p[2].toInt());
            const QImage image = picture(w, "Pic")->image();
            for (int n = 1; n <= 42; ++n) {
                const Cell cell(image, n - 1);
                const QByteArray at = page.toLatin1() + " cell " + QByteArray::number(n);
                QVERIFY2((cell.any > 0) == (n >= laid.FirstCell && n <= laid.LastCell)
                             && cell.marked == (n - 1 == p[4].toInt()),
                         at);
                const int keys[] = {cell.blue, cell.red, cell.olive};
                for (int k = 0; cell.any && k < 3; ++k)
                    QVERIFY2(cell.black > 5 && (keys[k] > 3) == (k == laid.cells[std::size_t(n)].monthKey), at);
            }
        }
        box(w, "MonthTXT")->setText(QStringLiteral("13"));
        w.Form_Paint();
        const QImage lines = picture(w, "Pic")->image();
        int black = 0, other = 0;
        for (int y = 0; y < lines.height(); ++y)
            for (int x = 0; x < lines.width(); ++x)
                (lines.pixel(x, y) == 0xFF000000 ? black : other) += lines.pixel(x, y) != White;
        QCOMPARE(black, scale * (6 * lines.height() + 5 * lines.width() - 30 * scale));
        QCOMPARE(other + label(w, "Heading")->text().size() + label(w, "CurMonth")->text().size(), 0);
    }
};

QTEST_MAIN(TestMainWin)
#include "test_mainwin.moc"
