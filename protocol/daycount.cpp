#include "daycount.h"

#include <cmath>

namespace vlm {

namespace {
const QDate kBaseDay(1899, 12, 30);
constexpr double kMsPerDay = 86400000.0;
// Beyond this the day number no longer names a date Qt can hold usefully.
constexpr double kMaxDays = 2958465.0 + 1;  // 31 December 9999
}  // namespace

double toDayCount(const QDate& tarih) {
  if (!tarih.isValid()) return 0;
  return static_cast<double>(kBaseDay.daysTo(tarih));
}

double toDayCount(const QDateTime& zaman) {
  if (!zaman.isValid()) return 0;
  const double gun = toDayCount(zaman.date());
  const double kesir = zaman.time().msecsSinceStartOfDay() / kMsPerDay;
  // Before the base day the fraction still adds time of day: -1 + 0.25 is
  // written -1.25.
  return gun < 0 ? gun - kesir : gun + kesir;
}

QDateTime fromDayCount(double gun) {
  if (!std::isfinite(gun) || std::fabs(gun) > kMaxDays) return QDateTime();
  const double butun = std::trunc(gun);
  double kesir = std::fabs(gun - butun);
  qint64 ms = std::llround(kesir * kMsPerDay);
  qint64 gunler = static_cast<qint64>(butun);
  if (ms >= static_cast<qint64>(kMsPerDay)) {  // rounding reached midnight
    ms = 0;
    gunler += gun < 0 ? -1 : 1;
  }
  return QDateTime(kBaseDay.addDays(gunler), QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms)));
}

}  // namespace vlm
