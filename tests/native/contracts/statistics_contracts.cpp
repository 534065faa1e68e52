// Contract rows of the statistics record and the performance samples.
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "kx_statistics.h"
#include "statistics/statistics_records.h"
#include "tests/native/contracts/contract.h"

using namespace kx;
using namespace kxtest::contract;

namespace {

// A sample the reader takes whole: every LU entry and its time set. The
// sample's calendar and the LU list are converted by hand; their bytes are
// checked by the statistics native tests.
constexpr char kReadySample[] = "korvane/str/diskarray/testing/ReadySample";
constexpr uint32_t kSampleSize = sizeof(StatisticalCommandRecord);

}  // namespace

KX_CONTRACTS(statistics) {
  return {
      // The grids beyond the table are checked by the statistics native tests.
      KX_CONTRACT(GetStatisticalInformation, unit(), int_in(),
                  record_out(kStatisticalInformationType)),
      KX_CONTRACT(GetPerformance, unit(), record_element_out(kStatisticalCommandType, 0),
                  record_element_out(kStatisticalCommandType, 1)),
      KX_CONTRACT(PerformanceOutput, unit(), text(kLongNameSize),
                  object_in(kSampleSize, kReadySample), object_in(kSampleSize, kReadySample),
                  object_in(kSampleSize, kReadySample), object_in(kSampleSize, kReadySample)),
      KX_CONTRACT(PerformanceOutputLU, unit(), text(kLongNameSize),
                  object_in(kSampleSize, kReadySample), object_in(kSampleSize, kReadySample),
                  object_in(kSampleSize, kReadySample), object_in(kSampleSize, kReadySample),
                  int_in(), object_in(kPerformanceLuListSize, "[I"), int_in()),
      KX_CONTRACT(BlockToByte, int_in(), int_in(), int_in(), int_element_out(0),
                  int_element_out(1), int_element_out(2)),
  };
}
