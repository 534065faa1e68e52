// Record types of coupled, unified and turbo LUs and of PIN information.
#pragma once

#include "bridge/record.h"

namespace kx {

// Also built by the array-wide snapshot. A list whose entry cannot be built
// fails as a whole.
extern const RecordType kCouplingInfoType;       // CouplingInfo
extern const RecordType kIntegrationLUInfoType;  // IntegrationLUInfo
extern const RecordType kTurboLuType;            // TurboLu
extern const RecordType kPINInformationType;     // PINInformation

// Read from objects of any class that carries operation, parent_lun and
// child_lun.
extern const RecordType kUnifiedLuRequestType;

}  // namespace kx
