// Record types of unit condition, drives and unit information. The array-wide
// snapshot builds its parts with these same types.
#pragma once

#include "bridge/record.h"

namespace kx {

// Each is named after its Java class.
extern const RecordType kCacheStatusType;
extern const RecordType kUnitConditionType;
extern const RecordType kDiskDriveType;
extern const RecordType kDiskDriveInformationType;
extern const RecordType kDriveReconstructInformationType;
extern const RecordType kBaseInformationType;
extern const RecordType kLogicalInformationType;
extern const RecordType kPhysicalInformationType;
extern const RecordType kUnitInformationType;
// ArrayAllInformation: the snapshot record, built from the types above and
// those of every other area that owns a part of it.
extern const RecordType kArrayAllInformationType;

}  // namespace kx
