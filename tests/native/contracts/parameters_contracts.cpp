// Contract rows of the operating parameters.
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "parameters/parameter_records.h"
#include "tests/native/contracts/contract.h"

using namespace kx;
using namespace kxtest::contract;

KX_CONTRACTS(parameters) {
  return {
      KX_CONTRACT(GetOnlineSystemParam, unit(), record_out(kOnlineSystemParamType)),
      KX_CONTRACT(SetOnlineSystemParam, unit(), record_in(kOnlineSystemParamType)),
      KX_CONTRACT(GetOnlineTuningParam, unit(), record_out(kOnlineTuningParamType)),
      KX_CONTRACT(SetOnlineTuningParam, unit(), record_in(kOnlineTuningParamType)),
      KX_CONTRACT(GetTuningParam, unit(), record_out(kTuningParamType)),
      KX_CONTRACT(SetTuningParam, unit(), record_in(kTuningParamType)),
      KX_CONTRACT(GetDiskDriveRestoration, unit(), record_out(kDiskDriveRestorationType)),
      KX_CONTRACT(SetDiskDriveRestoration, unit(), record_in(kDiskDriveRestorationType)),
      KX_CONTRACT(GetPrefetchInformation, unit(), record_out(kPrefetchInformationType)),
      KX_CONTRACT(SetPrefetchInformation, unit(), record_in(kPrefetchInformationType)),
      KX_CONTRACT(GetOnlineVerify, unit(), record_out(kOnlineVerifyType)),
      KX_CONTRACT(SetOnlineVerify, unit(), record_in(kOnlineVerifyType)),
      KX_CONTRACT(GetThreshold, unit(), record_out(kThresholdType)),
      KX_CONTRACT(SetThreshold, unit(), record_in(kThresholdType)),

      KX_CONTRACT(GetUnitIdentifier, unit(), record_out(kUnitIdentifierType)),
      KX_CONTRACT(SetUnitIdentifier, unit(), record_in(kUnitIdentifierType)),
      KX_CONTRACT(GetCommandDevice, unit(), record_out(kCommandDeviceType)),
      KX_CONTRACT(SetCommandDevice, unit(), record_in(kCommandDeviceType)),
      KX_CONTRACT(GetWarningInfo, unit(), record_out(kWarningInfoType)),
      KX_CONTRACT(SetWarningInfo, unit(), record_in(kWarningInfoType)),
      KX_CONTRACT(GetAutoDump, unit(), int_in(), record_out(kAutoDumpType)),
      KX_CONTRACT(OutputAutoDump, unit(), int_in(), text(kLongNameSize)),
      KX_CONTRACT(GetAlertInterval, int_out()),
      KX_CONTRACT(SetAlertInterval, int_in()),

      KX_CONTRACT(SystemParamExport, unit(), text(kLongNameSize), int_in(), int_in()),
      KX_CONTRACT(SystemParamImport, unit(), text(kLongNameSize), int_in()),
      KX_CONTRACT(ConfigExport, unit(), text(kLongNameSize)),
      KX_CONTRACT(ConfigImport, unit(), text(kLongNameSize)),
      KX_CONTRACT(ModeSense, unit(), int_in(), int_in(), int_in(), text(kLongNameSize)),
      KX_CONTRACT(ModeSelect, unit(), int_in(), int_in(), int_in(), text(kLongNameSize)),
      KX_CONTRACT(SetDriveMode, unit(), int_in(), int_in(), int_in()),
  };
}
