// Record types of the operating parameters. The builders of the online
// system, online tuning and drive maintenance groups and of the unit
// identity are also used by the array-wide snapshot.
#pragma once

#include "bridge/record.h"

namespace kx {

extern const RecordType kSystemParamCtlType;       // SystemParamCtl
extern const RecordType kOnlineSystemParamType;    // OnlineSystemParam
extern const RecordType kLUTuningType;             // LUTuning
extern const RecordType kOnlineTuningParamType;    // OnlineTuningParam
extern const RecordType kTuningParamType;          // TuningParam
extern const RecordType kDiskDriveRestorationType; // DiskDriveRestoration
extern const RecordType kPrefetchInformationType;  // PrefetchInformation
extern const RecordType kOnlineVerifyType;         // OnlineVerify
extern const RecordType kThresholdType;            // Threshold
extern const RecordType kControllerInfoType;       // ControllerInfo
extern const RecordType kUnitIdentifierType;       // UnitIdentifier
extern const RecordType kCommandDeviceType;        // CommandDevice
extern const RecordType kWarningInfoType;          // WarningInfo
extern const RecordType kAutoDumpType;             // AutoDump

}  // namespace kx
