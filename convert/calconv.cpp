#include "calconv.h"

CalConv::CalConv(QWidget *parent) : platform::Form(parent, QStringLiteral("Conversion"), 7485, 3915)
{
}
