// The main window: today's month led by either calendar (the clock is
// pinned by the screenshot tool), and the two pages with a rule of their
// own, July 622 and October 1582, and the month bar with the keyboard
// focus, showing its focus frame. The page at 150 % and 200 % is saved by
// the scaled screen-page tests, since the scale is fixed when the
// application starts.
#include "shots.h"

#include "mainwin/calmain.h"
#include "platform/controls/controltable.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QRadioButton>

namespace {

// A Gregorian month as a repaint draws it from the boxes, whether or not
// "Go" would take it.
bool saveGregorianMonth(CalMain &window, const QDir &dir, int month, int year)
{
    platform::findControl<QLineEdit>(window, "MonthTXT")->setText(QString::number(month));
    platform::findControl<QLineEdit>(window, "YearTXT")->setText(QString::number(year));
    window.Form_Paint();
    return shots::save(window, dir,
                       QStringLiteral("main-gregorian-%1-%2").arg(year).arg(month, 2, 10, QLatin1Char('0')));
}

} // namespace

bool shots::mainWindow(const QDir &dir)
{
    CalMain window;
    window.show();
    bool ok = save(window, dir, QStringLiteral("main-gregorian"));
    platform::findControl<QRadioButton>(window, "HegOpt")->click();
    ok = save(window, dir, QStringLiteral("main-hijri")) && ok;
    platform::findControl<QRadioButton>(window, "GregOpt")->click();
    ok = saveGregorianMonth(window, dir, 7, 622) && ok;
    ok = saveGregorianMonth(window, dir, 10, 1582) && ok;
    // The focus shows only in the active window.
    window.activateWindow();
    QElapsedTimer waited;
    waited.start();
    while (QApplication::activeWindow() != &window && waited.elapsed() < 5000)
        QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    platform::findControl<QWidget>(window, "MonthScroll")->setFocus(Qt::TabFocusReason);
    ok = save(window, dir, QStringLiteral("main-month-bar-focused")) && ok;
    return ok;
}
