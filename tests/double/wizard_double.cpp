// The double's set-up wizard functions.
#include "kx_core.h"
#include "tests/double/core_double.h"

using kxtest::CoreDouble;

KX_API int32_t KX_GetWizardParam(const char* unit, const char* text,
                                 int32_t arg, WizardParamRecord* record) {
  return CoreDouble::Scope("KX_GetWizardParam")
      .in(unit, kUnitNameSize)
      .in(text, kLongNameSize)
      .value(arg)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_SetWizardParam(const char* unit,
                                 const WizardParamRecord* record,
                                 const char* text, int32_t arg) {
  return CoreDouble::Scope("KX_SetWizardParam")
      .in(unit, kUnitNameSize)
      .in(record, sizeof(*record))
      .in(text, kLongNameSize)
      .value(arg)
      .finish();
}

KX_API int32_t KX_TestWizardParam(const char* unit,
                                  const WizardParamRecord* record,
                                  const char* text, int32_t arg) {
  return CoreDouble::Scope("KX_TestWizardParam")
      .in(unit, kUnitNameSize)
      .in(record, sizeof(*record))
      .in(text, kLongNameSize)
      .value(arg)
      .finish();
}

KX_API int32_t KX_WZTargetIdImport(const char* unit, const char* first_text,
                                   const char* second_text, int32_t arg,
                                   WZTargetIdRecord* first,
                                   WZTargetIdRecord* second) {
  return CoreDouble::Scope("KX_WZTargetIdImport")
      .in(unit, kUnitNameSize)
      .in(first_text, kLongNameSize)
      .in(second_text, kLongNameSize)
      .value(arg)
      .inout(first, sizeof(*first))
      .inout(second, sizeof(*second))
      .finish();
}

KX_API int32_t KX_GetNowWZParam(const char* unit, int32_t arg,
                                NowWZParameterRecord* record) {
  return CoreDouble::Scope("KX_GetNowWZParam")
      .in(unit, kUnitNameSize)
      .value(arg)
      .inout(record, sizeof(*record))
      .finish();
}

KX_API int32_t KX_SetNowWZParam(const char* unit, int32_t arg,
                                const NowWZParameterRecord* record) {
  return CoreDouble::Scope("KX_SetNowWZParam")
      .in(unit, kUnitNameSize)
      .value(arg)
      .in(record, sizeof(*record))
      .finish();
}
