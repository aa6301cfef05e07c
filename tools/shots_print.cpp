// Printed pages: the print dialog prints each month to a PDF file through
// the program's own printer class; pdftoppm turns the PDF into a PNG.
#include "shots.h"

#include "platform/controls/controltable.h"
#include "platform/printing/printer.h"
#include "print/calcanprint.h"
#include "print/calprint.h"

#include <QLineEdit>
#include <QPageLayout>
#include <QPageSize>
#include <QProcess>
#include <QRadioButton>
#include <cstdio>

namespace {

struct PrintedShot {
    const char *name;
    bool hijri;
    const char *year;
    const char *month;
    QPageLayout::Orientation orientation;
};

bool pdfToPng(const QString &pdf, const QString &pngBase)
{
    QProcess pdftoppm;
    pdftoppm.start(QStringLiteral("pdftoppm"),
                   {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("90"), QStringLiteral("-singlefile"),
                    pdf, pngBase});
    if (!pdftoppm.waitForFinished(30000) || pdftoppm.exitStatus() != QProcess::NormalExit || pdftoppm.exitCode() != 0) {
        std::fprintf(stderr, "pdftoppm failed on %s\n", qPrintable(pdf));
        return false;
    }
    std::printf("%s.png\n", qPrintable(pngBase));
    return true;
}

bool printShot(const QDir &dir, const PrintedShot &shot)
{
    const QString base = dir.filePath(QLatin1String(shot.name));
    const QString pdf = base + QStringLiteral(".pdf");
    QFile::remove(pdf);
    platform::DevicePrinter printer(
        pdf,
        QPageLayout(QPageSize(QPageSize::A4), shot.orientation, QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    CalPrint dialog;
    dialog.usePrinter(&printer);
    using platform::findControl;
    findControl<QRadioButton>(dialog, shot.hijri ? "OPTHegiry" : "OPTGregorian")->setChecked(true);
    findControl<QLineEdit>(dialog, "YearTXTPRT")->setText(QLatin1String(shot.year));
    findControl<QLineEdit>(dialog, "FromMonthTXTPRT")->setText(QLatin1String(shot.month));
    findControl<QLineEdit>(dialog, "ToMonthTXTPRT")->setText(QLatin1String(shot.month));
    dialog.PrintPRT_Click();
    if (!QFile::exists(pdf)) {
        std::fprintf(stderr, "no PDF for %s\n", shot.name);
        return false;
    }
    std::printf("%s\n", qPrintable(pdf));
    return pdfToPng(pdf, base);
}

// The print dialog as it opens, and the printing box.
bool dialogShots(const QDir &dir)
{
    CalPrint dialog;
    bool ok = shots::save(dialog, dir, QStringLiteral("print-dialog"));
    return shots::save(*dialog.findChild<CalCanPrint *>(), dir, QStringLiteral("print-cancel-box")) && ok;
}

} // namespace

bool shots::printedPage(const QDir &dir)
{
    const PrintedShot pages[] = {
        {"print-gregorian-2024-07", false, "2024", "7", QPageLayout::Portrait},
        {"print-hijri-1446-01", true, "1446", "1", QPageLayout::Portrait},
        {"print-gregorian-2024-07-landscape", false, "2024", "7", QPageLayout::Landscape},
        {"print-gregorian-0622-07", false, "622", "7", QPageLayout::Portrait},
    };
    bool ok = dialogShots(dir);
    for (const PrintedShot &shot : pages)
        ok = printShot(dir, shot) && ok;
    return ok;
}
