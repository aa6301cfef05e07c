// The month page on screen, checked on the pictures' pixels, the labels and
// the day-cell table.
#include "core/monthlayout.h"
#include "core/names.h"
#include "mainwin/calmain.h"
#include "pagepixels.h"
#include "platform/clock.h"
#include "platform/picturebox.h"
#include "testsupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using namespace pagepixels;
using core::Lead;
using core::Ymd;
using Fake = std::function<void(testsupport::FakeEngine &)>;

namespace {

const core::CalendarEngine *realEngine = nullptr;
const QColor Blue(0, 0, 255), Red(255, 0, 0), Olive(128, 128, 0), BlackColour(0, 0, 0);

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

bool labelShows(const QLabel *label, const QString &text, QColor colour)
{
    const QColor shown = label->palette().color(QPalette::WindowText);
    if (label->text() == text && shown == colour)
        return true;
    qWarning() << label->objectName() << label->text() << shown << "expected" << text << colour;
    return false;
}

// The whole page against the month's layout (itself checked against the
// engine): both numbers of each day in the table, the other one drawn in
// its month's key colour, the other cells empty, the labels naming the first
// and the last other month.
void verifyMonthPage(CalMain &w, Lead lead, int year, int month)
{
    const core::MonthLayout page = core::LayMonth(*realEngine, lead, year, month);
    QVERIFY(page.valid);
    const QImage image = w.Pic->image();
    const Grid grid(image);
    for (int n = 1; n <= 42; ++n) {
        const Ink ink = inkIn(image, grid.interior(n - 1));
        if (n < page.FirstCell || n > page.LastCell) {
            QVERIFY2(ink.any == 0, qPrintable(QStringLiteral("cell %1 is not empty").arg(n)));
            continue;
        }
        const core::LaidCell &laid = page.cells[std::size_t(n)];
        const core::DayCell &c = core::DayCells[n];
        QCOMPARE(lead == Lead::Gregorian ? c.GregDayText : c.HijriDayText, QString::number(laid.leadDay));
        QCOMPARE(lead == Lead::Gregorian ? c.HijriDayText : c.GregDayText, QString::number(laid.other.day));
        const int counts[] = {ink.blue, ink.red, ink.olive};
        QVERIFY2(ink.black > 5, qPrintable(QStringLiteral("cell %1: no black number").arg(n)));
        for (int k = 0; k < 3; ++k)
            QVERIFY2((counts[k] > 3) == (k == laid.monthKey), qPrintable(QStringLiteral("cell %1: colour").arg(n)));
    }
    const auto name = [&](bool ofLead, int m) {
        return (lead == Lead::Gregorian) == ofLead ? core::GregMonthName(m) : core::HijriMonthName(m);
    };
    const Ymd first = page.first().other, last = page.last().other;
    const QColor keyColours[] = {Blue, Red, Olive};
    QVERIFY(labelShows(w.Heading, name(true, month) + u',' + QString::number(year), BlackColour));
    QVERIFY(labelShows(w.CurMonth, name(false, first.month) + u',' + QString::number(first.year), Blue));
    QVERIFY(labelShows(w.NextMonth, name(false, last.month) + u',' + QString::number(last.year),
                       keyColours[page.last().monthKey]));
}

void fillDayCells(const QString &sentinel)
{
    for (int n = 1; n <= 42; ++n) {
        core::DayCells[n] = core::DayCell{};
        core::DayCells[n].GregDayText = core::DayCells[n].HijriDayText = sentinel;
    }
}

} // namespace

class TestScreenPage : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { realEngine = &testsupport::installRealEngine(); }
    void init() { platform::pinDate(QDate(2024, 7, 16)); }
    void cleanup() { core::setEngine(realEngine); }
    void gridAndWeekdayNames();
    void monthPages_data();
    void monthPages();
    void july622();
    void october1582();
    void todayMarker();
    void repaintsAreStable();
    void notARealMonth_data();
    void notARealMonth();
};

void TestScreenPage::gridAndWeekdayNames()
{
    CalMain w;
    showMonth(w, Lead::Gregorian, 3, 2025); // no marker on the lines
    const QImage image = w.Pic->image(), strip = w.Pic2->image();
    QCOMPARE(fullBlackLines(image), qMakePair(6, 5));
    QCOMPARE(image.pixel(0, 3), White); // the border is the frame
    const Grid grid(image);
    const QFontMetricsF metrics(w.Pic2->TextFont(), &strip);
    const QString names[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    for (int i = 0; i < 7; ++i) {
        const QRect ink = inkBox(strip, grid.column(i, strip.height()));
        QVERIFY2(!ink.isNull(), qPrintable(names[i]));
        QVERIFY(qAbs((ink.left() + ink.right() + 1) / 2.0 - (grid.xLine(i) + grid.xLine(i + 1)) / 2.0) <= 2.5);
        QVERIFY(qAbs(ink.width() - metrics.boundingRect(names[i]).width()) <= 3);
        QVERIFY(ink.bottom() >= strip.height() - 2 - metrics.descent());
    }
}

void TestScreenPage::monthPages_data()
{
    QTest::addColumn<int>("lead");
    QTest::addColumn<int>("year");
    QTest::addColumn<int>("month");
    QTest::addColumn<int>("otherMonths");
    QTest::newRow("July 2024") << int(Lead::Gregorian) << 2024 << 7 << 2;
    QTest::newRow("February 2015 from Sunday") << int(Lead::Gregorian) << 2015 << 2 << 2;
    QTest::newRow("March 2006: three Hijri months") << int(Lead::Gregorian) << 2006 << 3 << 3;
    QTest::newRow("Rabi II 2: one Gregorian month") << int(Lead::Hijri) << 2 << 4 << 1;
    QTest::newRow("Muharram 1: two") << int(Lead::Hijri) << 1 << 1 << 2;
    QTest::newRow("Ramadan 38: three") << int(Lead::Hijri) << 38 << 9 << 3;
}

void TestScreenPage::monthPages()
{
    QFETCH(int, lead);
    QFETCH(int, year);
    QFETCH(int, month);
    QFETCH(int, otherMonths);
    CalMain w;
    showMonth(w, Lead(lead), month, year);
    verifyMonthPage(w, Lead(lead), year, month);
    QCOMPARE(core::LayMonth(*realEngine, Lead(lead), year, month).last().monthKey + 1, otherMonths);
}

void TestScreenPage::july622()
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
    QVERIFY(labelShows(w.Heading, QStringLiteral("July,622"), BlackColour));
    QVERIFY(labelShows(w.CurMonth, QStringLiteral("Muharram,1"), Blue));
    QVERIFY(labelShows(w.NextMonth, QStringLiteral("Muharram,1"), Blue));
}

void TestScreenPage::october1582()
{
    CalMain w;
    showMonth(w, Lead::Gregorian, 10, 1582);
    const int wd = 1; // Monday 1 October
    const QImage image = w.Pic->image();
    const Grid grid(image);
    for (int n = 1; n <= 42; ++n)
        QCOMPARE(inkIn(image, grid.interior(n - 1)).any > 0, n >= wd + 1 && n <= 21 + wd);
    QCOMPARE(core::DayCells[wd + 4].GregDayText, QStringLiteral("4"));
    QCOMPARE(core::DayCells[6].GregDayText, QStringLiteral("15")); // a Friday, the sixth column
    QCOMPARE(core::DayCells[22].GregDayText, QStringLiteral("31"));
    // Today's marker follows the ten missing days; a day that never was has none.
    for (int day : {3, 15, 31, 10}) {
        platform::pinDate(QDate(1582, 10, day));
        showMonth(w, Lead::Gregorian, 10, 1582);
        const QList<int> marked = markedCells(w.Pic->image());
        if (day == 10) {
            QVERIFY(marked.isEmpty());
            continue;
        }
        QCOMPARE(marked.size(), 1);
        QCOMPARE(core::DayCells[marked[0] + 1].GregDayText, QString::number(day));
    }
}

void TestScreenPage::todayMarker()
{
    CalMain w; // starts on today's month
    w.Form_Paint();
    const QImage image = w.Pic->image();
    QCOMPARE(markedCells(image), QList<int>{16}); // 16 July 2024, Tuesday, third row
    const Ink ink = inkIn(image, Grid(image).interior(16)); // numbers drawn over the grey
    QVERIFY(ink.black > 5 && ink.blue + ink.red > 3);
    QCOMPARE(image.pixel(Grid(image).xLine(2), Grid(image).yLine(2) + 5), markerOnBlack());

    w.HegOpt->click(); // today's Hijri month
    int32_t day, month, year;
    core::TodayHijri(day, month, year);
    QCOMPARE(w.MonthTXT->text(), QString::number(month));
    const QList<int> marked = markedCells(w.Pic->image());
    QCOMPARE(marked.size(), 1);
    QCOMPARE(core::DayCells[marked[0] + 1].HijriDayText, QString::number(day));
    QCOMPARE(core::DayCells[marked[0] + 1].GregDayText, QStringLiteral("16"));
    QCOMPARE(marked[0] % 7, 2);

    for (auto [m, y] : {std::pair(6, 2024), std::pair(7, 2023)}) {
        showMonth(w, Lead::Gregorian, m, y);
        QVERIFY(markedCells(w.Pic->image()).isEmpty());
    }
    showMonth(w, Lead::Hijri, month % 12 + 1, year);
    QVERIFY(markedCells(w.Pic->image()).isEmpty());
    QCOMPARE(fullBlackLines(w.Pic->image()), qMakePair(6, 5));
}

void TestScreenPage::repaintsAreStable()
{
    CalMain w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_VERIFY(w.paintCount() > 0);
    for (QRadioButton *option : {w.HegOpt, w.GregOpt}) {
        option->click();
        const QImage grid = w.Pic->image(), strip = w.Pic2->image();
        const QString labels = w.Heading->text() + w.CurMonth->text() + w.NextMonth->text();
        w.Form_Paint();
        w.Form_Paint();
        w.centralWidget()->repaint();
        QCOMPARE(w.Pic->image(), grid); // one marker, never erased by a second XOR
        QCOMPARE(w.Pic2->image(), strip);
        QCOMPARE(w.Heading->text() + w.CurMonth->text() + w.NextMonth->text(), labels);
        const QImage shown = w.Pic->grab().toImage();
        QCOMPARE(shown.copy(1, 1, grid.width(), grid.height()).convertToFormat(grid.format()), grid);
    }
    // Mouse presses on the page change nothing.
    const QImage before = w.Pic->image();
    for (QPoint at : {QPoint(10, 10), QPoint(200, 80)}) {
        QTest::mouseClick(w.Pic, Qt::LeftButton, {}, at);
        QTest::mouseClick(w.Pic, Qt::RightButton, {}, at);
        QTest::mouseDClick(w.Pic, Qt::LeftButton, {}, at);
    }
    QCOMPARE(w.Pic->image(), before);
    QCOMPARE(w.MonthTXT->text(), QStringLiteral("7"));
    // Idle: no repaint loop, and a platform repaint draws once.
    QTest::qWait(200);
    const int settled = w.paintCount();
    QTest::qWait(400);
    QCOMPARE(w.paintCount(), settled);
    w.centralWidget()->repaint();
    QTest::qWait(300);
    QCOMPARE(w.paintCount(), settled + 1);
}

void TestScreenPage::notARealMonth_data()
{
    QTest::addColumn<int>("lead");
    QTest::addColumn<QString>("month");
    QTest::addColumn<QString>("year");
    QTest::addColumn<Fake>("fake");
    const int greg = int(Lead::Gregorian), hijri = int(Lead::Hijri);
    QTest::newRow("month 13") << greg << "13" << "2024" << Fake();
    QTest::newRow("month abc") << greg << "abc" << "2024" << Fake();
    QTest::newRow("month empty") << hijri << "" << "1446" << Fake();
    QTest::newRow("year past int32") << greg << "7" << "99999999999" << Fake();
    QTest::newRow("weekday 9") << greg << "7" << "2024"
                               << Fake([](auto &f) { f.weekDayOf = [](int32_t, int32_t, int32_t) { return 9; }; });
    QTest::newRow("length 40") << hijri << "1" << "1446"
                               << Fake([](auto &f) { f.hijriMonthDays = [](int32_t, int32_t) { return 40; }; });
    QTest::newRow("converted month 0") << greg << "7" << "2024" << Fake([](auto &f) {
        f.gregToHijri = [](int32_t, int32_t, int32_t d) { return Ymd{1446, 0, d}; };
    });
}

void TestScreenPage::notARealMonth()
{
    QFETCH(int, lead);
    QFETCH(QString, month);
    QFETCH(QString, year);
    QFETCH(Fake, fake);
    const auto showToday = [&](CalMain &w) {
        showMonth(w, Lead(lead), lead == int(Lead::Gregorian) ? 7 : 1, lead == int(Lead::Gregorian) ? 2024 : 1446);
        QCOMPARE(markedCells(w.Pic->image()).size(), 1);
        QVERIFY(!w.Heading->text().isEmpty());
    };
    CalMain w;
    showToday(w);
    fillDayCells(QStringLiteral("earlier"));
    testsupport::FakeEngine engine(*realEngine);
    if (fake) {
        fake(engine);
        core::setEngine(&engine);
    }
    showMonth(w, Lead(lead), month, year);
    QVERIFY(isBareGrid(w.Pic->image()));
    QCOMPARE(w.Heading->text() + w.CurMonth->text() + w.NextMonth->text(), QString());
    for (int n = 1; n <= 42; ++n)
        QCOMPARE(core::DayCells[n].GregDayText, QStringLiteral("earlier"));
    core::setEngine(realEngine);
    showToday(w); // a real month afterwards draws whole again
}

QTEST_MAIN(TestScreenPage)
#include "test_screenpage.moc"
