// Contract rows of coupled, unified and turbo LUs, pinned data and the RAID
// group and LU configuration files.
#include "bridge/errors.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "kx_special_lus.h"
#include "kx_storage.h"
#include "storage/special_lu_records.h"
#include "tests/native/contracts/contract.h"

using namespace kx;
using namespace kxtest::contract;

KX_CONTRACTS(special_lus) {
  return {
      KX_CONTRACT(GetPinInfoGetTime, unit(), int_in(), int_out()),
      KX_CONTRACT(GetPinInfo, unit(), int_in(), int_out()),
      KX_CONTRACT(GetCouplingInfo, unit(), record_out(kCouplingInfoType)),
      KX_CONTRACT(SetIntegrationLU, unit(), record_in(kUnifiedLuRequestType)),
      KX_CONTRACT(GetIntegrationPinInfo, unit(), record_out(kPINInformationType)),
      KX_CONTRACT(GetTurboLU, unit(), record_out(kTurboLuType)),
      // Its reader's refusal, a null record included, stops the call.
      KX_CONTRACT(SetTurboLU, unit(), record_in(kTurboLuType))
          .refuses_null_record_with(ERR_MARSHAL),
      KX_CONTRACT(GetPinInfo2, unit(), ints_out(kPerLuCapacity)),
      KX_CONTRACT(IntegrationLUInfo, unit(), record_out(kIntegrationLUInfoType)),

      KX_CONTRACT(RgLuFileOutput, unit(), text(kLongNameSize)),
      KX_CONTRACT(RaidLuExport, unit(), text(kLongNameSize)),
      // Irregular: both tables come back in one Object[] (the RAID groups at
      // 0..44, the LUs from 45), which no kind states; the tables are given
      // by their widths and the array's layout is checked in
      // special_lus_test.cpp.
      KX_CONTRACT(RaidLuImport, unit(), text(kLongNameSize),
                  bytes_out(sizeof(RaidGroupRecord) * kRaidGroupCapacity),
                  bytes_out(sizeof(LogicalUnitRecord) * kLogicalUnitCapacity)),
  };
}
