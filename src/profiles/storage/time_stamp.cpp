#include "profiles/storage/time_stamp.h"

#include <time.h>

#include <cstdio>
#include <mutex>

namespace {

// Wall-clock time counted as if the local calendar were UTC: one number per distinct text, so
// keeping it strictly increasing keeps the texts distinct even when local time runs backwards.
int64_t LocalWallClockMilliseconds() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  tm local{};
  localtime_r(&now.tv_sec, &local);
  int64_t seconds = static_cast<int64_t>(now.tv_sec) + local.tm_gmtoff;
  return seconds * 1000 + now.tv_nsec / 1000000;
}

int64_t FloorDivide(int64_t value, int64_t divisor) {
  int64_t quotient = value / divisor;
  return (value % divisor != 0 && value < 0) ? quotient - 1 : quotient;
}

}  // namespace

std::string FormatTimeStamp(int64_t localMilliseconds) {
  int64_t seconds = FloorDivide(localMilliseconds, 1000);
  int milliseconds = static_cast<int>(localMilliseconds - seconds * 1000);
  time_t asTime = static_cast<time_t>(seconds);
  tm fields{};
  gmtime_r(&asTime, &fields);
  char text[64];
  std::snprintf(text, sizeof text, "%d_%02d_%02d_%02d_%02d_%02d_%03d", fields.tm_year + 1900, fields.tm_mon + 1,
                fields.tm_mday, fields.tm_hour, fields.tm_min, fields.tm_sec, milliseconds);
  return text;
}

std::string MakeTimeStamp() {
  static std::mutex lock;
  static int64_t lastIssued = INT64_MIN;
  int64_t moment = LocalWallClockMilliseconds();
  {
    std::lock_guard guard(lock);
    if (moment <= lastIssued) moment = lastIssued + 1;
    lastIssued = moment;
  }
  return FormatTimeStamp(moment);
}
