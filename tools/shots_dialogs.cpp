// The conversion dialog, fresh and with a conversion shown, and the About box.
#include "shots.h"

#include "about/calabout.h"
#include "convert/calconv.h"
#include "platform/controls/controltable.h"

#include <QLineEdit>
#include <QPushButton>

bool shots::dialogs(const QDir &dir)
{
    CalConv conv;
    conv.show();
    bool ok = save(conv, dir, QStringLiteral("conversion-opened"));
    using platform::findControl;
    findControl<QLineEdit>(conv, "InYearTXT")->setText(QStringLiteral("2024"));
    findControl<QLineEdit>(conv, "InMonthTXT")->setText(QStringLiteral("7"));
    findControl<QLineEdit>(conv, "InDayTXT")->setText(QStringLiteral("16"));
    findControl<QPushButton>(conv, "ToHegiry")->click();
    ok = save(conv, dir, QStringLiteral("conversion-to-hijri")) && ok;

    CalAbout about;
    about.show();
    ok = save(about, dir, QStringLiteral("about")) && ok;
    return ok;
}
