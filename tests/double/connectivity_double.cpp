// The double's host-connectivity functions.
#include "kx_core.h"
#include "tests/double/core_double.h"

using kxtest::CoreDouble;

KX_API int32_t KX_GetLANInformation(const char* unit, int32_t arg, LANInformationRecord* record) {
  return CoreDouble::Scope("KX_GetLANInformation")
      .in(unit, kUnitNameSize)
      .value(arg)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_SetLANInformation(const char* unit, int32_t arg1, const LANInformationRecord* record, int32_t arg2) {
  return CoreDouble::Scope("KX_SetLANInformation")
      .in(unit, kUnitNameSize)
      .value(arg1)
      .in(record, sizeof(*record))
      .value(arg2)
      .finish();
}

KX_API int32_t KX_GetSyncControl(const char* unit, int32_t arg, SyncControlRecord* record) {
  return CoreDouble::Scope("KX_GetSyncControl")
      .in(unit, kUnitNameSize)
      .value(arg)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_SetSyncControl(const char* unit, int32_t arg1, const SyncControlRecord* record, int32_t arg2) {
  return CoreDouble::Scope("KX_SetSyncControl")
      .in(unit, kUnitNameSize)
      .value(arg1)
      .in(record, sizeof(*record))
      .value(arg2)
      .finish();
}

KX_API int32_t KX_GetTargetId(const char* unit, int32_t arg, TargetIdRecord* first, TargetIdRecord* second) {
  return CoreDouble::Scope("KX_GetTargetId")
      .in(unit, kUnitNameSize)
      .value(arg)
      .inout(first, sizeof(*first))
      .inout(second, sizeof(*second))
      .finish();
}

KX_API int32_t KX_TargetIdImport(const char* unit, const char* file_name, TargetIdRecord* first, TargetIdRecord* second) {
  return CoreDouble::Scope("KX_TargetIdImport")
      .in(unit, kUnitNameSize)
      .in(file_name, 1024)
      .inout(first, sizeof(*first))
      .inout(second, sizeof(*second))
      .finish();
}

KX_API int32_t KX_SetTargetId(const char* unit, int32_t arg1, const TargetIdRecord* record, int32_t arg2) {
  return CoreDouble::Scope("KX_SetTargetId")
      .in(unit, kUnitNameSize)
      .value(arg1)
      .in(record, sizeof(*record))
      .value(arg2)
      .finish();
}

KX_API int32_t KX_GetFibreInformation(const char* unit, FibreInformationRecord* first, FibreInformationRecord* second) {
  return CoreDouble::Scope("KX_GetFibreInformation")
      .in(unit, kUnitNameSize)
      .inout(first, sizeof(*first))
      .inout(second, sizeof(*second))
      .finish();
}

KX_API int32_t KX_SetFibreInformation(const char* unit, const FibreInformationRecord* first, const FibreInformationRecord* second) {
  return CoreDouble::Scope("KX_SetFibreInformation")
      .in(unit, kUnitNameSize)
      .in(first, sizeof(*first))
      .in(second, sizeof(*second))
      .finish();
}

KX_API int32_t KX_FibreInfoPermissionImport(const char* unit, const char* file_name, int32_t arg1, int32_t arg2, int32_t* count, FibreInformationPermissionRecord* table) {
  return CoreDouble::Scope("KX_FibreInfoPermissionImport")
      .in(unit, kUnitNameSize)
      .in(file_name, 1024)
      .value(arg1)
      .value(arg2)
      .out_int(count)
      .inout(table, sizeof(*table) * kHostGroupCapacity)
      .finish();
}

KX_API int32_t KX_GetHGList(const char* unit, HGListRecord* record) {
  return CoreDouble::Scope("KX_GetHGList")
      .in(unit, kUnitNameSize)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_CreateHG(const char* unit, int32_t arg1, int32_t arg2, int32_t arg3, const HostGroupNameRecord* name) {
  return CoreDouble::Scope("KX_CreateHG")
      .in(unit, kUnitNameSize)
      .value(arg1)
      .value(arg2)
      .value(arg3)
      .in(name, sizeof(*name))
      .finish();
}

KX_API int32_t KX_ChangeHG(const char* unit, int32_t arg1, int32_t arg2, int32_t arg3, const HostGroupNameRecord* name) {
  return CoreDouble::Scope("KX_ChangeHG")
      .in(unit, kUnitNameSize)
      .value(arg1)
      .value(arg2)
      .value(arg3)
      .in(name, sizeof(*name))
      .finish();
}

KX_API int32_t KX_DeleteHGList(const char* unit, const HostGroupSelectionRecord* selection) {
  return CoreDouble::Scope("KX_DeleteHGList")
      .in(unit, kUnitNameSize)
      .in(selection, sizeof(*selection))
      .finish();
}

KX_API int32_t KX_InitHGList(const char* unit, const HostGroupSelectionRecord* selection) {
  return CoreDouble::Scope("KX_InitHGList")
      .in(unit, kUnitNameSize)
      .in(selection, sizeof(*selection))
      .finish();
}

KX_API int32_t KX_GetWWNInformation(const char* unit, WWNInformationRecord* record) {
  return CoreDouble::Scope("KX_GetWWNInformation")
      .in(unit, kUnitNameSize)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_SetWWNInformation(const char* unit, const WWNInformationRecord* record) {
  return CoreDouble::Scope("KX_SetWWNInformation")
      .in(unit, kUnitNameSize)
      .in(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_GetWWNHGInformation(const char* unit, WWNHGInformationRecord* record) {
  return CoreDouble::Scope("KX_GetWWNHGInformation")
      .in(unit, kUnitNameSize)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_SetWWNHGInformation(const char* unit, const WWNHGInformationRecord* record) {
  return CoreDouble::Scope("KX_SetWWNHGInformation")
      .in(unit, kUnitNameSize)
      .in(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_GetHGOptionAll(const char* unit, HGOptionRecord* record) {
  return CoreDouble::Scope("KX_GetHGOptionAll")
      .in(unit, kUnitNameSize)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_SetHGOptionAll(const char* unit, const HGOptionRecord* record) {
  return CoreDouble::Scope("KX_SetHGOptionAll")
      .in(unit, kUnitNameSize)
      .in(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_GetHGOption(const char* unit, int32_t arg1, int32_t arg2, int32_t arg3, HGOptionInfoRecord* entry) {
  return CoreDouble::Scope("KX_GetHGOption")
      .in(unit, kUnitNameSize)
      .value(arg1)
      .value(arg2)
      .value(arg3)
      .inout(entry, sizeof(*entry))
      .finish();
}

KX_API int32_t KX_SetHGOption(const char* unit, int32_t arg1, int32_t arg2, int32_t arg3, const HGOptionInfoRecord* entry) {
  return CoreDouble::Scope("KX_SetHGOption")
      .in(unit, kUnitNameSize)
      .value(arg1)
      .value(arg2)
      .value(arg3)
      .in(entry, sizeof(*entry))
      .finish();
}

KX_API int32_t KX_GetPortOption(const char* unit, PortOptionRecord* record) {
  return CoreDouble::Scope("KX_GetPortOption")
      .in(unit, kUnitNameSize)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_SetPortOption(const char* unit, const PortOptionRecord* record) {
  return CoreDouble::Scope("KX_SetPortOption")
      .in(unit, kUnitNameSize)
      .in(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_GetLuMappingListAll(const char* unit, LuMappingRecord* record) {
  return CoreDouble::Scope("KX_GetLuMappingListAll")
      .in(unit, kUnitNameSize)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_SetLuMappingListAll(const char* unit, const LuMappingRecord* record) {
  return CoreDouble::Scope("KX_SetLuMappingListAll")
      .in(unit, kUnitNameSize)
      .in(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_GetLuMappingList(const char* unit, int32_t arg1, int32_t arg2, int32_t arg3, int32_t* value, LuMappingHGInfoRecord* mapping) {
  return CoreDouble::Scope("KX_GetLuMappingList")
      .in(unit, kUnitNameSize)
      .value(arg1)
      .value(arg2)
      .value(arg3)
      .out_int(value)
      .inout(mapping, sizeof(*mapping))
      .finish();
}

KX_API int32_t KX_SetLuMappingList(const char* unit, int32_t arg1, int32_t arg2, int32_t arg3, int32_t arg4, const LuMappingHGInfoRecord* mapping) {
  return CoreDouble::Scope("KX_SetLuMappingList")
      .in(unit, kUnitNameSize)
      .value(arg1)
      .value(arg2)
      .value(arg3)
      .value(arg4)
      .in(mapping, sizeof(*mapping))
      .finish();
}

KX_API int32_t KX_ChangeMappingMode(const char* unit, int32_t arg) {
  return CoreDouble::Scope("KX_ChangeMappingMode")
      .in(unit, kUnitNameSize)
      .value(arg)
      .finish();
}

KX_API int32_t KX_GetRvrfSrcPath(const char* unit, RvrfSrcInfoRecord* record) {
  return CoreDouble::Scope("KX_GetRvrfSrcPath")
      .in(unit, kUnitNameSize)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_SetRvrfSrcPath(const char* unit, const RvrfSrcArrayUnitRecord* entry) {
  return CoreDouble::Scope("KX_SetRvrfSrcPath")
      .in(unit, kUnitNameSize)
      .in(entry, sizeof(*entry))
      .finish();
}

KX_API int32_t KX_DelRvrfSrcPath(const char* unit) {
  return CoreDouble::Scope("KX_DelRvrfSrcPath")
      .in(unit, kUnitNameSize)
      .finish();
}
