// Record types of RAID groups, logical units and their formatting.
#pragma once

#include "bridge/record.h"

namespace kx {

// RaidGroup and LogicalUnit are also built by the array-wide snapshot and
// the configuration-file import.
extern const RecordType kRaidGroupType;    // RaidGroup
extern const RecordType kLogicalUnitType;  // LogicalUnit

// Read from objects of any class that carries the fields.
extern const RecordType kLuReallocRequestType;  // lun, lusize, newlun
extern const RecordType kFormatEntryListType;   // byte[] lu of 512

// The whole list fails when one of its 512 entries cannot be built.
extern const RecordType kFormatStatusListType;    // FormatStatusList
extern const RecordType kLuFormatStatusListType;  // LuFormatStatusList

}  // namespace kx
