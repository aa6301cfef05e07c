// Reading what the recording printer was asked to print.
#pragma once

#include "platform/printerrecording.h"

#include <optional>
#include <vector>

namespace printtests {

using Op = platform::RecordingPrinter::Op;

inline std::vector<Op> textsOf(const platform::RecordingPrinter &printer, int document)
{
    return printer.opsOf(document, Op::Text);
}

inline std::optional<Op> findText(const std::vector<Op> &texts, const QString &text)
{
    for (const Op &op : texts)
        if (op.text == text)
            return op;
    return std::nullopt;
}

// The heading: the text printed at 30 pt.
inline std::optional<Op> headingOf(const platform::RecordingPrinter &printer, int document)
{
    for (const Op &op : textsOf(printer, document))
        if (op.font.pointSizeF() == 30)
            return op;
    return std::nullopt;
}

} // namespace printtests
