// What every window's number boxes do: select their whole text when they
// get the focus, and show a number as its plain decimal text.
#pragma once

#include <QString>
#include <cstdint>

class QLineEdit;

namespace platform {

// Selects the box's whole text. A click that brings the focus puts the caret
// where it lands only afterwards, so the text is selected again once that
// click has been handled.
void selectWholeTextOnFocus(QLineEdit *box);

// Writes the number's plain decimal text, leaving a box that already shows
// it untouched.
void writeNumber(QLineEdit *box, int64_t number);

// Rewrites the box as the plain text of its whole number (32 bits, clamped).
void rewriteAsWholeNumber(QLineEdit *box);

} // namespace platform
