// Operations of this area that the station does not model yet. Each answers
// KXE_NOT_SUPPORTED without touching its arguments, so the bridge links and
// every native method can be called end to end. A function leaves this file
// when the area models it; the file goes when it is empty.
#include "kx_core.h"
#include "kx_errors.h"

// Wizard: the set-up wizard's parameters and the current wizard parameters.

int32_t KX_GetWizardParam(const char*, const char*, int32_t,
                          WizardParamRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetWizardParam(const char*, const WizardParamRecord*, const char*,
                          int32_t) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_TestWizardParam(const char*, const WizardParamRecord*, const char*,
                           int32_t) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_WZTargetIdImport(const char*, const char*, const char*, int32_t,
                            WZTargetIdRecord*, WZTargetIdRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetNowWZParam(const char*, int32_t, NowWZParameterRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetNowWZParam(const char*, int32_t, const NowWZParameterRecord*) {
  return KXE_NOT_SUPPORTED;
}
