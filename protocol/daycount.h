#pragma once
// Dates as day numbers: whole days counted from 30 December 1899, the time of
// day as the fraction. This is how dates cross the wire and how date columns
// keep them.
#include <QDateTime>

namespace vlm {

// The day number of a date and time (local wall-clock time, no zone
// arithmetic). An invalid date gives 0.
double toDayCount(const QDateTime& zaman);
double toDayCount(const QDate& tarih);

// The date and time of a day number. Before the base day the whole part
// counts backwards and the fraction is still the time of day (-1.25 is
// 29 December 1899, 06:00). A value that is not finite or is out of range
// gives an invalid QDateTime.
QDateTime fromDayCount(double gun);

}  // namespace vlm
