// The double's coupled, unified and turbo LU, PIN information and
// configuration-file functions.
#include "kx_core.h"
#include "tests/double/core_double.h"

using kxtest::CoreDouble;

KX_API int32_t KX_GetPinInfoGetTime(const char* unit, int32_t arg,
                                    int32_t* value) {
  return CoreDouble::Scope("KX_GetPinInfoGetTime")
      .in(unit, kUnitNameSize)
      .value(arg)
      .out_int(value)
      .finish();
}

KX_API int32_t KX_GetPinInfo(const char* unit, int32_t arg, int32_t* value) {
  return CoreDouble::Scope("KX_GetPinInfo")
      .in(unit, kUnitNameSize)
      .value(arg)
      .out_int(value)
      .finish();
}

KX_API int32_t KX_GetCouplingInfo(const char* unit,
                                  CouplingInfoRecord* record) {
  return CoreDouble::Scope("KX_GetCouplingInfo")
      .in(unit, kUnitNameSize)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_SetIntegrationLU(const char* unit,
                                   const UnifiedLuRequestRecord* request) {
  return CoreDouble::Scope("KX_SetIntegrationLU")
      .in(unit, kUnitNameSize)
      .in(request, sizeof(*request))
      .finish();
}

KX_API int32_t KX_GetIntegrationPinInfo(const char* unit,
                                        PINInformationRecord* record) {
  return CoreDouble::Scope("KX_GetIntegrationPinInfo")
      .in(unit, kUnitNameSize)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_GetTurboLU(const char* unit, TurboLuRecord* record) {
  return CoreDouble::Scope("KX_GetTurboLU")
      .in(unit, kUnitNameSize)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_SetTurboLU(const char* unit, const TurboLuRecord* record) {
  return CoreDouble::Scope("KX_SetTurboLU")
      .in(unit, kUnitNameSize)
      .in(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_GetPinInfo2(const char* unit, int32_t* pin_list) {
  return CoreDouble::Scope("KX_GetPinInfo2")
      .in(unit, kUnitNameSize)
      .inout(pin_list, sizeof(int32_t) * kPerLuCapacity)
      .finish();
}

KX_API int32_t KX_IntegrationLUInfo(const char* unit,
                                    IntegrationLUInfoRecord* record) {
  return CoreDouble::Scope("KX_IntegrationLUInfo")
      .in(unit, kUnitNameSize)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_RgLuFileOutput(const char* unit, const char* file_name) {
  return CoreDouble::Scope("KX_RgLuFileOutput")
      .in(unit, kUnitNameSize)
      .in(file_name, kLongNameSize)
      .finish();
}

KX_API int32_t KX_RaidLuExport(const char* unit, const char* file_name) {
  return CoreDouble::Scope("KX_RaidLuExport")
      .in(unit, kUnitNameSize)
      .in(file_name, kLongNameSize)
      .finish();
}

KX_API int32_t KX_RaidLuImport(const char* unit, const char* file_name,
                               RaidGroupRecord* raid_groups,
                               LogicalUnitRecord* logical_units) {
  return CoreDouble::Scope("KX_RaidLuImport")
      .in(unit, kUnitNameSize)
      .in(file_name, kLongNameSize)
      .inout(raid_groups, sizeof(RaidGroupRecord) * kRaidGroupCapacity)
      .inout(logical_units, sizeof(LogicalUnitRecord) * kLogicalUnitCapacity)
      .finish();
}
