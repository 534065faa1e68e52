// Operations of this area that the station does not model yet. Each answers
// KXE_NOT_SUPPORTED without touching its arguments, so the bridge links and
// every native method can be called end to end. A function leaves this file
// when the area models it; the file goes when it is empty.
#include "kx_core.h"
#include "kx_errors.h"

// Statistics: the statistics record and performance samples.

int32_t KX_GetStatisticalInformation(const char*, int32_t,
                                     StatisticalInformationRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetPerformance(const char*, StatisticalCommandRecord*,
                          StatisticalCommandRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_PerformanceOutput(const char*, const char*,
                             const StatisticalCommandRecord*,
                             const StatisticalCommandRecord*,
                             const StatisticalCommandRecord*,
                             const StatisticalCommandRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_PerformanceOutputLU(const char*, const char*,
                               const StatisticalCommandRecord*,
                               const StatisticalCommandRecord*,
                               const StatisticalCommandRecord*,
                               const StatisticalCommandRecord*, int32_t,
                               const uint8_t*, int32_t) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_BlockToByte(int32_t, int32_t, int32_t, int32_t*, int32_t*,
                       int32_t*) {
  return KXE_NOT_SUPPORTED;
}
