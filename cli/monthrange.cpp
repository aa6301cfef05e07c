#include "monthrange.h"

#include "core/numtext.h"
#include "print/printchecks.h"

#include <QRegularExpression>
#include <optional>

namespace cli {
namespace {

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

QCommandLineOption option(const char *name, const char *description, const char *value = nullptr)
{
    return QCommandLineOption(QLatin1String(name), QLatin1String(description),
                              value ? QLatin1String(value) : QString());
}

} // namespace

MonthOptions::MonthOptions(QCommandLineParser &parser, const Command &command, const QString &what)
    : parser_(parser), command_(command), year_(option("year", "The year, in the chosen calendar.", "Y")),
      from_(option("from", "The first month, 1 to 12.", "M")), to_(option("to", "The last month, 1 to 12.", "N")),
      hijri_(option("hijri", "Hijri year and months (Gregorian ones without it)."))
{
    parser_.setApplicationDescription(command.description);
    parser_.addOptions({help_, year_, from_, to_, hijri_});
    parser_.addPositionalArgument(
        QStringLiteral("FILE"),
        what + QStringLiteral(" to write; - for standard output, a pipe or a device is written as it is."),
        command.name + u' ' + command.operands);
}

std::variant<MonthsToWrite, int> MonthOptions::read(const QStringList &arguments, bool monthsNeeded)
{
    const QString moreHelp = QStringLiteral("; 'dovrin-cli %1 --help' tells more.").arg(command_.name);
    if (!parser_.parse(QStringList{command_.name} + arguments)) {
        printError(parser_.errorText());
        return Misused;
    }
    if (parser_.isSet(help_)) {
        printHelp(parser_);
        return Done;
    }
    const QStringList files = parser_.positionalArguments();
    if (files.size() != 1 || files[0].isEmpty()) {
        printError(command_.name + QStringLiteral(" writes one FILE") + moreHelp);
        return Misused;
    }
    MonthsToWrite months{files[0], {parser_.isSet(hijri_) ? core::Lead::Hijri : core::Lead::Gregorian, 0, 1, 12}};
    const std::tuple<const QCommandLineOption &, int32_t &, bool> fields[] = {{year_, months.range.Year, true},
                                                                              {from_, months.range.From, monthsNeeded},
                                                                              {to_, months.range.To, monthsNeeded}};
    for (const auto &[given, field, needed] : fields) {
        if (!parser_.isSet(given)) {
            if (!needed)
                continue;
            printError(command_.name + QStringLiteral(" needs --") + given.names()[0] + moreHelp);
            return Misused;
        }
        const QString text = parser_.value(given);
        const std::optional<int32_t> value = fieldValue(text);
        if (!value) {
            printError(QStringLiteral("--%1 takes a whole number, not '%2'.").arg(given.names()[0], text));
            return Misused;
        }
        field = *value;
    }
    return months;
}

std::optional<int> refusal(const PrintRange &range)
{
    if (const core::Result<> checked = printchecks::checkRange(range); !checked) {
        printError(checked.failure().oneLine());
        return Refused;
    }
    if (range.From > range.To) {
        printError(QStringLiteral("'From Month' %1 is after 'To Month' %2: no month to write, no file written.")
                       .arg(range.From)
                       .arg(range.To));
        return Refused;
    }
    return std::nullopt;
}

} // namespace cli
