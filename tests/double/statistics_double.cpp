// The double's statistics and performance functions.
#include "kx_core.h"
#include "tests/double/core_double.h"

using kxtest::CoreDouble;

KX_API int32_t KX_GetStatisticalInformation(
    const char* unit, int32_t arg, StatisticalInformationRecord* record) {
  return CoreDouble::Scope("KX_GetStatisticalInformation")
      .in(unit, kUnitNameSize)
      .value(arg)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_GetPerformance(const char* unit,
                                 StatisticalCommandRecord* first,
                                 StatisticalCommandRecord* second) {
  return CoreDouble::Scope("KX_GetPerformance")
      .in(unit, kUnitNameSize)
      .inout(first, sizeof(*first))
      .inout(second, sizeof(*second))
      .finish();
}

KX_API int32_t KX_PerformanceOutput(const char* unit, const char* text,
                                    const StatisticalCommandRecord* record1,
                                    const StatisticalCommandRecord* record2,
                                    const StatisticalCommandRecord* record3,
                                    const StatisticalCommandRecord* record4) {
  return CoreDouble::Scope("KX_PerformanceOutput")
      .in(unit, kUnitNameSize)
      .in(text, 1024)
      .in(record1, sizeof(*record1))
      .in(record2, sizeof(*record2))
      .in(record3, sizeof(*record3))
      .in(record4, sizeof(*record4))
      .finish();
}

KX_API int32_t KX_PerformanceOutputLU(const char* unit, const char* text,
                                      const StatisticalCommandRecord* record1,
                                      const StatisticalCommandRecord* record2,
                                      const StatisticalCommandRecord* record3,
                                      const StatisticalCommandRecord* record4,
                                      int32_t arg1, const uint8_t* lu_list,
                                      int32_t arg2) {
  return CoreDouble::Scope("KX_PerformanceOutputLU")
      .in(unit, kUnitNameSize)
      .in(text, 1024)
      .in(record1, sizeof(*record1))
      .in(record2, sizeof(*record2))
      .in(record3, sizeof(*record3))
      .in(record4, sizeof(*record4))
      .value(arg1)
      .in(lu_list, kPerformanceLuListSize)
      .value(arg2)
      .finish();
}

// The three results are output buffers 0, 1 and 2 of 4 bytes each.
KX_API int32_t KX_BlockToByte(int32_t arg1, int32_t arg2, int32_t arg3,
                              int32_t* result0, int32_t* result1,
                              int32_t* result2) {
  return CoreDouble::Scope("KX_BlockToByte")
      .value(arg1)
      .value(arg2)
      .value(arg3)
      .inout(result0, sizeof(*result0))
      .inout(result1, sizeof(*result1))
      .inout(result2, sizeof(*result2))
      .finish();
}
