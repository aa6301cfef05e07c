// Reading what the recording printer was asked to print.
#pragma once

#include "print/calprint.h"
#include "recordingprinter.h"
#include "testsupport.h"

#include <QLineEdit>
#include <QRadioButton>
#include <optional>
#include <vector>

namespace printtests {

using Op = testsupport::RecordingPrinter::Op;

inline std::vector<Op> textsOf(const testsupport::RecordingPrinter &printer, int document)
{
    return printer.opsOf(document, Op::Text);
}

// The heading: the text printed at 30 pt.
inline std::optional<Op> headingOf(const testsupport::RecordingPrinter &printer, int document)
{
    for (const Op &op : textsOf(printer, document))
        if (op.font.pointSizeF() == 30)
            return op;
    return std::nullopt;
}

// Chooses the calendar and fills year, from and to.
inline void fill(CalPrint &dialog, bool hijri, const QStringList &range)
{
    (hijri ? testsupport::option(dialog, "OPTHegiry") : testsupport::option(dialog, "OPTGregorian"))->setChecked(true);
    testsupport::box(dialog, "YearTXTPRT")->setText(range[0]);
    testsupport::box(dialog, "FromMonthTXTPRT")->setText(range[1]);
    testsupport::box(dialog, "ToMonthTXTPRT")->setText(range[2]);
}

// The same, then presses Print.
inline void print(CalPrint &dialog, bool hijri, const QStringList &range)
{
    fill(dialog, hijri, range);
    dialog.PrintPRT_Click();
}

} // namespace printtests
