#include "calabout.h"

CalAbout::CalAbout(QWidget *parent) : platform::Form(parent, QStringLiteral("About"), 4635, 3720)
{
}
