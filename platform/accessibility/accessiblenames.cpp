// Names and descriptions of controls: they wait on the control until a
// screen reader listens.
#include "accessibility.h"
#include "accessiblesupport.h"

#include <QVariant>
#include <QWidget>

namespace platform {
namespace accessibility {

void handOver(QWidget *control)
{
    const QVariant name = control->property(NameProperty);
    if (name.isValid())
        control->setAccessibleName(name.toString());
    const QVariant description = control->property(DescriptionProperty);
    if (description.isValid())
        control->setAccessibleDescription(description.toString());
}

} // namespace accessibility

namespace {

void keepTexts(QWidget *control)
{
    accessibility::installSupport();
    if (accessibility::screenReaderListens())
        accessibility::handOver(control);
}

} // namespace

using accessibility::DescriptionProperty;
using accessibility::NameProperty;

void describe(QWidget *control, const QString &name, const QString &description)
{
    control->setProperty(NameProperty, name);
    control->setProperty(DescriptionProperty, description);
    keepTexts(control);
}

void describe(QWidget *control, const QString &description)
{
    control->setProperty(DescriptionProperty, description);
    keepTexts(control);
}

void rename(QWidget *control, const QString &name)
{
    control->setProperty(NameProperty, name);
    keepTexts(control);
}

} // namespace platform
