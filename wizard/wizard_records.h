// Record types of the set-up wizard. WZTargetId is also built by the
// target-ID import, and NowWZParameter by the array-wide snapshot.
#pragma once

#include "bridge/record.h"

namespace kx {

extern const RecordType kWizardParamType;     // WizardParam and its WZ tree
extern const RecordType kWZTargetIdType;      // WZTargetId
extern const RecordType kNowWZParameterType;  // NowWZParameter
extern const RecordType kNowWZPortOptionsType;
extern const RecordType kNowWZCtrlIdType;

// The LUN-list and synchronous-port elements. Their layouts are those of the
// connectivity area's TargetLunList and SyncPort, and fields are looked up on
// the object's own class, so either class is read the same way.
extern const RecordType kWZTargetLunListType;  // WZTargetLunList
extern const RecordType kWZSyncPortType;       // WZSyncPort

}  // namespace kx
