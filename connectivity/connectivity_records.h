// Record types of host connectivity.
#pragma once

#include "bridge/record.h"
#include "kx_connectivity.h"

namespace kx {

// The field tables of TargetLunList and SyncPort, shared with the wizard's
// WZTargetLunList and WZSyncPort: the same layouts and field names under
// other class names. The builder copies into the byte[] the object already
// holds; a failed copy is not examined (its exception stays pending and
// fails the enclosing array's builder).
inline constexpr FieldSpec kTargetLunListFields[] = {
    [] {
      FieldSpec lun = KX_FIELD(byte_array, TargetLunListRecord, lun);
      lun.on_failure = OnFailure::kSkip;
      return lun;
    }(),
};
inline constexpr FieldSpec kSyncPortFields[] = {
    KX_FIELD(signed_byte, SyncPortRecord, board_type),
    KX_FIELD(unsigned_byte, SyncPortRecord, rate),
};

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
