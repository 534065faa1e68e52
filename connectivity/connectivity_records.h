// Record types of host connectivity.
#pragma once

#include "bridge/record.h"

namespace kx {

// Built as well by the array-wide snapshot; TargetLunList and SyncPort are
// also read from the wizard's objects of the same field names.
extern const RecordType kLANInformationType;  // LANInformation
extern const RecordType kSyncPortType;        // SyncPort
extern const RecordType kSyncControlType;     // SyncControl
extern const RecordType kTargetLunListType;   // TargetLunList
extern const RecordType kTargetIdType;        // TargetId
extern const RecordType kFibreInformationType;  // FibreInformation
extern const RecordType kRvrfSrcInfoType;       // RvrfSrcInfo
extern const RecordType kHGListType;            // HGList
extern const RecordType kWWNInformationType;    // WWNInformation
extern const RecordType kWWNHGInformationType;  // WWNHGInformation
extern const RecordType kHGOptionType;          // HGOption
extern const RecordType kPortOptionType;        // PortOption
extern const RecordType kLuMappingType;         // LuMapping

extern const RecordType kFibreInformationPermissionType;
extern const RecordType kHGOptionInfoType;     // HGOptionInfo
extern const RecordType kLuMappingHGInfoType;  // LuMappingHGInfo
extern const RecordType kRvrfSrcArrayUnitType;  // RvrfSrcArrayUnit

// Read from objects whose class the bridge does not name: the host-group
// name (field hgname) and the two selections (field ctl, an array of
// DeleteHGCtlList or InitHGCtlList).
extern const RecordType kHostGroupNameType;
extern const RecordType kDeleteHGSelectionType;
extern const RecordType kInitHGSelectionType;

}  // namespace kx
