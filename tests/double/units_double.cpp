// The double's unit registry functions.
#include "kx_core.h"
#include "tests/double/core_double.h"

using kxtest::CoreDouble;

KX_API int32_t KX_GetUnitParam(const char* unit, KXUnitParamRecord* record) {
  return CoreDouble::Scope("KX_GetUnitParam")
      .in(unit, kUnitNameSize)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_UnitAdd(const KXUnitParamRecord* record) {
  return CoreDouble::Scope("KX_UnitAdd").in(record, sizeof(*record)).finish();
}

KX_API int32_t KX_UnitDelete(const char* unit) {
  return CoreDouble::Scope("KX_UnitDelete").in(unit, kUnitNameSize).finish();
}

KX_API int32_t KX_UnitChange(const char* old_unit,
                             const KXUnitParamRecord* record) {
  return CoreDouble::Scope("KX_UnitChange")
      .in(old_unit, kLongNameSize)
      .in(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_GetUnitParamTable(int32_t count,
                                    KXUnitParamRecord* records) {
  return CoreDouble::Scope("KX_GetUnitParamTable")
      .value(count)
      .inout(records, sizeof(KXUnitParamRecord) * static_cast<size_t>(count))
      .finish();
}

KX_API int32_t KX_GetUnitCount(int32_t* count) {
  return CoreDouble::Scope("KX_GetUnitCount").out_int(count).finish();
}

KX_API int32_t KX_GUIInitialize(const WorkingDirectoryRecord* directory) {
  return CoreDouble::Scope("KX_GUIInitialize")
      .in(directory, sizeof(*directory))
      .finish();
}

KX_API int32_t KX_GetLabelList(KXLabelRecord* entries, int32_t* count) {
  return CoreDouble::Scope("KX_GetLabelList")
      .inout(entries, sizeof(KXLabelRecord) * kLabelListCapacity)
      .out_int(count)
      .finish();
}

KX_API int32_t KX_ModifyInfo(const char* text, int32_t value, char* result) {
  return CoreDouble::Scope("KX_ModifyInfo")
      .in(text, kModifyInfoSize)
      .value(value)
      .inout(result, kModifyInfoSize)
      .finish();
}
