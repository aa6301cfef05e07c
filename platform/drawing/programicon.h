// The program's icon: a calendar page with a crescent.
#pragma once

#include <QIcon>
#include <QImage>

namespace platform {

QIcon programIcon();
// The icon drawn at size x size pixels.
QImage programIconImage(int size);

} // namespace platform
