// The double's RAID group, logical unit and formatting functions.
#include "kx_core.h"
#include "tests/double/core_double.h"

using kxtest::CoreDouble;

KX_API int32_t KX_GetRaidGroups(const char* unit, RaidGroupRecord* table) {
  return CoreDouble::Scope("KX_GetRaidGroups")
      .in(unit, kUnitNameSize)
      .inout(table, sizeof(RaidGroupRecord) * kRaidGroupCapacity)
      .finish();
}

KX_API int32_t KX_RaidGroupAdd(const char* unit,
                               const RaidGroupRecord* record) {
  return CoreDouble::Scope("KX_RaidGroupAdd")
      .in(unit, kUnitNameSize)
      .in(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_RaidGroupDelete(const char* unit, int32_t arg) {
  return CoreDouble::Scope("KX_RaidGroupDelete")
      .in(unit, kUnitNameSize)
      .value(arg)
      .finish();
}

KX_API int32_t KX_RaidGroupAllDelete(const char* unit) {
  return CoreDouble::Scope("KX_RaidGroupAllDelete")
      .in(unit, kUnitNameSize)
      .finish();
}

KX_API int32_t KX_RaidGroupExpand(const char* unit,
                                  const RaidGroupRecord* record) {
  return CoreDouble::Scope("KX_RaidGroupExpand")
      .in(unit, kUnitNameSize)
      .in(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_GetLogicalUnit(const char* unit, LogicalUnitRecord* table) {
  return CoreDouble::Scope("KX_GetLogicalUnit")
      .in(unit, kUnitNameSize)
      .inout(table, sizeof(LogicalUnitRecord) * kLogicalUnitCapacity)
      .finish();
}

KX_API int32_t KX_GetLogicalUnit1(const char* unit, int32_t arg,
                                  LogicalUnitRecord* record) {
  return CoreDouble::Scope("KX_GetLogicalUnit1")
      .in(unit, kUnitNameSize)
      .value(arg)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_LogicalUnitAdd(const char* unit,
                                 const LogicalUnitRecord* record) {
  return CoreDouble::Scope("KX_LogicalUnitAdd")
      .in(unit, kUnitNameSize)
      .in(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_LogicalUnitDelete(const char* unit) {
  return CoreDouble::Scope("KX_LogicalUnitDelete")
      .in(unit, kUnitNameSize)
      .finish();
}

KX_API int32_t KX_LogicalUnitDeleteAll(const char* unit) {
  return CoreDouble::Scope("KX_LogicalUnitDeleteAll")
      .in(unit, kUnitNameSize)
      .finish();
}

KX_API int32_t KX_LogicalUnitExpand(const char* unit, int32_t arg1,
                                    int32_t arg2) {
  return CoreDouble::Scope("KX_LogicalUnitExpand")
      .in(unit, kUnitNameSize)
      .value(arg1)
      .value(arg2)
      .finish();
}

KX_API int32_t KX_LogicalUnitChangeStaging(const char* unit, int32_t arg1,
                                           int32_t arg2) {
  return CoreDouble::Scope("KX_LogicalUnitChangeStaging")
      .in(unit, kUnitNameSize)
      .value(arg1)
      .value(arg2)
      .finish();
}

KX_API int32_t KX_LogicalUnitChangeCtl(const char* unit, int32_t arg) {
  return CoreDouble::Scope("KX_LogicalUnitChangeCtl")
      .in(unit, kUnitNameSize)
      .value(arg)
      .finish();
}

KX_API int32_t KX_LogicalUnitFormat(const char* unit, int32_t arg1,
                                    int32_t arg2) {
  return CoreDouble::Scope("KX_LogicalUnitFormat")
      .in(unit, kUnitNameSize)
      .value(arg1)
      .value(arg2)
      .finish();
}

KX_API int32_t KX_LogicalUnitFormatStatus(const char* unit, int32_t arg,
                                          int32_t* value) {
  return CoreDouble::Scope("KX_LogicalUnitFormatStatus")
      .in(unit, kUnitNameSize)
      .value(arg)
      .out_int(value)
      .finish();
}

KX_API int32_t KX_GetLastLogicalUnit(const char* unit, int32_t* value) {
  return CoreDouble::Scope("KX_GetLastLogicalUnit")
      .in(unit, kUnitNameSize)
      .out_int(value)
      .finish();
}

KX_API int32_t KX_LogicalUnitInvalid(const char* unit, int32_t arg) {
  return CoreDouble::Scope("KX_LogicalUnitInvalid")
      .in(unit, kUnitNameSize)
      .value(arg)
      .finish();
}

KX_API int32_t KX_LogicalUnitRestore(const char* unit, int32_t arg) {
  return CoreDouble::Scope("KX_LogicalUnitRestore")
      .in(unit, kUnitNameSize)
      .value(arg)
      .finish();
}

KX_API int32_t KX_LogicalUnitRealloc(const char* unit,
                                     const LuReallocRequestRecord* request) {
  return CoreDouble::Scope("KX_LogicalUnitRealloc")
      .in(unit, kUnitNameSize)
      .in(request, sizeof(*request))
      .finish();
}

KX_API int32_t KX_EntryFormatList(const char* unit,
                                  const FormatEntryListRecord* list) {
  return CoreDouble::Scope("KX_EntryFormatList")
      .in(unit, kUnitNameSize)
      .in(list, sizeof(*list))
      .finish();
}

KX_API int32_t KX_GetFormatStatusList(const char* unit,
                                      FormatStatusListRecord* record) {
  return CoreDouble::Scope("KX_GetFormatStatusList")
      .in(unit, kUnitNameSize)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_LogicalUnitFormatStatusList(
    const char* unit, LuFormatStatusListRecord* record) {
  return CoreDouble::Scope("KX_LogicalUnitFormatStatusList")
      .in(unit, kUnitNameSize)
      .inout(record, sizeof(*record))
      .finish();
}
