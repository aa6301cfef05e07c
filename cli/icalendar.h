// The Hijri date of every day of a range of months as an iCalendar file
// (RFC 5545), the form every calendar program imports: one all-day event a
// day, titled with the day's Hijri date.
#pragma once

#include "print/printjob.h"

#include <QByteArray>
#include <QDateTime>

namespace cli {

// stamp: when the file was made, each event's DTSTAMP.
QByteArray hijriDatesCalendar(const PrintRange &range, const QDateTime &stamp);

} // namespace cli
