// pdf: the print dialog's Print, with the fields on the command line and a
// PDF file for the printer. The pages are the print job's own, one after
// the other in one file.
#include "cli.h"

#include "monthrange.h"
#include "outputfile.h"
#include "platform/printing/pdfprinter.h"

#include <QPageLayout>
#include <QPageSize>
#include <optional>

namespace cli {
namespace {

struct Paper {
    const char *name;
    QPageSize::PageSizeId size;
};
constexpr Paper Papers[] = {{"a4", QPageSize::A4}, {"letter", QPageSize::Letter}, {"a5", QPageSize::A5}};
const QString PaperNames = QStringLiteral("a4, letter or a5");
// The margins the screenshots and the benchmark print with.
constexpr double MarginMillimetres = 10;

std::optional<QPageSize::PageSizeId> paperNamed(const QString &name)
{
    for (const Paper &paper : Papers) {
        if (name == QLatin1StringView(paper.name))
            return paper.size;
    }
    return std::nullopt;
}

struct PaperOptions {
    QCommandLineOption paper{QStringLiteral("paper"), QStringLiteral("The paper: a4 (the default), letter or a5."),
                             QStringLiteral("SIZE"), QStringLiteral("a4")};
    QCommandLineOption landscape{QStringLiteral("landscape"), QStringLiteral("Lays the paper on its long side.")};
};

} // namespace

int runPdf(const Command &command, const QStringList &arguments)
{
    QCommandLineParser parser;
    MonthOptions options(parser, command, QStringLiteral("The PDF file"));
    const PaperOptions paperOptions;
    parser.addOptions({paperOptions.paper, paperOptions.landscape});
    const std::variant<MonthsToWrite, int> read = options.read(arguments, true);
    if (const int *status = std::get_if<int>(&read))
        return *status;
    const auto &[file, range] = std::get<MonthsToWrite>(read);
    const std::optional<QPageSize::PageSizeId> paper = paperNamed(parser.value(paperOptions.paper));
    if (!paper) {
        printError(
            QStringLiteral("unknown paper '%1'; --paper takes %2.").arg(parser.value(paperOptions.paper), PaperNames));
        return Misused;
    }
    if (const std::optional<int> refused = refusal(range))
        return *refused;
    if (!installEngine())
        return NoEngine;

    const QPageLayout layout(
        QPageSize(*paper), parser.isSet(paperOptions.landscape) ? QPageLayout::Landscape : QPageLayout::Portrait,
        QMarginsF(MarginMillimetres, MarginMillimetres, MarginMillimetres, MarginMillimetres), QPageLayout::Millimeter);
    platform::PdfPrinter printer(layout);
    if (const core::Result<> printed = PrintJob(range, &printer).run(); !printed) {
        printError(printed.failure().oneLine());
        return Failed;
    }
    const core::Result<QByteArray> pdf = printer.finish();
    core::Result<> written = pdf ? writeOutput(file, *pdf) : core::Result<>(pdf.failure());
    if (!written) {
        printError(written.failure().oneLine());
        return Failed;
    }
    return Done;
}

} // namespace cli
