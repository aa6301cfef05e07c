#include "calprint.h"

CalPrint::CalPrint(QWidget *parent) : platform::Form(parent, QStringLiteral("Print"), 4485, 3975)
{
}
