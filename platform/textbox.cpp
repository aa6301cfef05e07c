#include "textbox.h"

#include "core/numtext.h"

#include <QApplication>
#include <QLineEdit>

namespace platform {
namespace {

void selectWholeText(QLineEdit *box) { box->setSelection(0, int(box->text().size())); }

} // namespace

void selectWholeTextOnFocus(QLineEdit *box)
{
    selectWholeText(box);
    if (QApplication::mouseButtons() != Qt::NoButton) {
        QMetaObject::invokeMethod(
            box,
            [box] {
                if (box->hasFocus())
                    selectWholeText(box);
            },
            Qt::QueuedConnection);
    }
}

void writeNumber(QLineEdit *box, int64_t number)
{
    const QString plain = core::PlainNumber(number);
    if (box->text() != plain)
        box->setText(plain);
}

void rewriteAsWholeNumber(QLineEdit *box) { writeNumber(box, core::WholeNumber32(box->text())); }

} // namespace platform
