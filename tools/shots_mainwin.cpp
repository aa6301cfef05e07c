// The main window, Gregorian-led and Hijri-led.
#include "shots.h"

#include "mainwin/calmain.h"

#include <QRadioButton>

bool shots::mainWindow(const QDir &dir)
{
    CalMain window;
    window.show();
    bool ok = save(window, dir, QStringLiteral("main-gregorian"));
    window.HegOpt->click();
    ok = save(window, dir, QStringLiteral("main-hijri")) && ok;
    return ok;
}
