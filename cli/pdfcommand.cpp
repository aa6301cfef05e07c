// pdf: the print dialog's Print, with the fields on the command line and a
// PDF file for the printer. The pages are the print job's own, one after
// the other in one file.
#include "cli.h"

#include "core/numtext.h"
#include "outputfile.h"
#include "platform/printing/pdfprinter.h"
#include "print/printchecks.h"
#include "print/printjob.h"

#include <QCommandLineParser>
#include <QPageLayout>
#include <QPageSize>
#include <QRegularExpression>
#include <cstdio>
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

// A field's value: decimal ASCII digits, a leading "-" allowed. Texts the
// dialog would read as some number anyway ("7x", "1.5", "&H7") are refused
// here, since a script that passes them has a fault of its own. Numbers
// beyond the 32-bit range are held at its ends, as the dialog holds them,
// and then refused by its checks.
std::optional<int32_t> fieldValue(const QString &text)
{
    static const QRegularExpression form(QRegularExpression::anchoredPattern(QStringLiteral("-?[0-9]+")));
    if (!form.match(text).hasMatch())
        return std::nullopt;
    return core::WholeNumber32(text);
}

struct Options {
    QCommandLineOption help = helpOption();
    QCommandLineOption year{QStringLiteral("year"), QStringLiteral("The year to print, in the chosen calendar."),
                            QStringLiteral("Y")};
    QCommandLineOption from{QStringLiteral("from"), QStringLiteral("The first month to print, 1 to 12."),
                            QStringLiteral("M")};
    QCommandLineOption to{QStringLiteral("to"), QStringLiteral("The last month to print, 1 to 12."),
                          QStringLiteral("N")};
    QCommandLineOption hijri{QStringLiteral("hijri"),
                             QStringLiteral("Prints Hijri months (Gregorian ones without it).")};
    QCommandLineOption paper{QStringLiteral("paper"), QStringLiteral("The paper: a4 (the default), letter or a5."),
                             QStringLiteral("SIZE"), QStringLiteral("a4")};
    QCommandLineOption landscape{QStringLiteral("landscape"), QStringLiteral("Lays the paper on its long side.")};
};

void addOptions(QCommandLineParser &parser, const Options &options, const Command &command)
{
    parser.setApplicationDescription(command.description);
    parser.addOptions(
        {options.help, options.year, options.from, options.to, options.hijri, options.paper, options.landscape});
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QStringLiteral("The PDF file to write; - for standard output, a pipe or a device "
                                                "is written as it is."),
                                 command.name + u' ' + command.operands);
}

} // namespace

int runPdf(const Command &command, const QStringList &arguments)
{
    QCommandLineParser parser;
    const Options options;
    addOptions(parser, options, command);
    if (!parser.parse(QStringList{command.name} + arguments)) {
        printError(parser.errorText());
        return Misused;
    }
    if (parser.isSet(options.help)) {
        printHelp(parser);
        return Done;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1 || files[0].isEmpty()) {
        printError(QStringLiteral("pdf writes one FILE; 'dovrin-cli pdf --help' tells more."));
        return Misused;
    }
    for (const QCommandLineOption *needed : {&options.year, &options.from, &options.to}) {
        if (!parser.isSet(*needed)) {
            printError(QStringLiteral("pdf needs --%1; 'dovrin-cli pdf --help' tells more.").arg(needed->names()[0]));
            return Misused;
        }
    }
    PrintRange range;
    range.calendar = parser.isSet(options.hijri) ? core::Lead::Hijri : core::Lead::Gregorian;
    const std::pair<const QCommandLineOption *, int32_t *> fields[]
        = {{&options.year, &range.Year}, {&options.from, &range.From}, {&options.to, &range.To}};
    for (const auto &[option, field] : fields) {
        const QString text = parser.value(*option);
        const std::optional<int32_t> value = fieldValue(text);
        if (!value) {
            printError(QStringLiteral("--%1 takes a whole number, not '%2'.").arg(option->names()[0], text));
            return Misused;
        }
        *field = *value;
    }
    const std::optional<QPageSize::PageSizeId> paper = paperNamed(parser.value(options.paper));
    if (!paper) {
        printError(
            QStringLiteral("unknown paper '%1'; --paper takes %2.").arg(parser.value(options.paper), PaperNames));
        return Misused;
    }

    if (const core::Result<> checked = printchecks::checkRange(range); !checked) {
        printError(checked.failure().oneLine());
        return Refused;
    }
    // The dialog prints nothing for such a range and says nothing; a script
    // would find no file and not know why.
    if (range.From > range.To) {
        printError(QStringLiteral("'From Month' %1 is after 'To Month' %2: no month to print, no file written.")
                       .arg(range.From)
                       .arg(range.To));
        return Refused;
    }
    if (!installEngine())
        return NoEngine;

    const QPageLayout layout(
        QPageSize(*paper), parser.isSet(options.landscape) ? QPageLayout::Landscape : QPageLayout::Portrait,
        QMarginsF(MarginMillimetres, MarginMillimetres, MarginMillimetres, MarginMillimetres), QPageLayout::Millimeter);
    platform::PdfPrinter printer(layout);
    if (const core::Result<> printed = PrintJob(range, &printer).run(); !printed) {
        printError(printed.failure().oneLine());
        return Failed;
    }
    const core::Result<QByteArray> pdf = printer.finish();
    core::Result<> written = pdf ? writeOutput(files[0], *pdf) : core::Result<>(pdf.failure());
    if (!written) {
        printError(written.failure().oneLine());
        return Failed;
    }
    return Done;
}

} // namespace cli
