// Broken-down time exchanged with the core library: nine signed ints in the
// order of the C library's struct tm.
#pragma once

#include "kx_api.h"

struct BrokenDownTime {
  int32_t tm_sec;
  int32_t tm_min;
  int32_t tm_hour;
  int32_t tm_mday;
  int32_t tm_mon;   // 0-11
  int32_t tm_year;  // years since 1900 from the core; calendar year to it
  int32_t tm_wday;
  int32_t tm_yday;
  int32_t tm_isdst;
};
KX_ASSERT_OFFSET(BrokenDownTime, tm_sec, 0);
KX_ASSERT_OFFSET(BrokenDownTime, tm_min, 4);
KX_ASSERT_OFFSET(BrokenDownTime, tm_hour, 8);
KX_ASSERT_OFFSET(BrokenDownTime, tm_mday, 12);
KX_ASSERT_OFFSET(BrokenDownTime, tm_mon, 16);
KX_ASSERT_OFFSET(BrokenDownTime, tm_year, 20);
KX_ASSERT_OFFSET(BrokenDownTime, tm_wday, 24);
KX_ASSERT_OFFSET(BrokenDownTime, tm_yday, 28);
KX_ASSERT_OFFSET(BrokenDownTime, tm_isdst, 32);
KX_ASSERT_SIZE(BrokenDownTime, 36);
