// Operations of this area that the station does not model yet. Each answers
// KXE_NOT_SUPPORTED without touching its arguments, so the bridge links and
// every native method can be called end to end. A function leaves this file
// when the area models it; the file goes when it is empty.
#include "kx_core.h"
#include "kx_errors.h"

// Storage: PIN information, coupled, unified and turbo LUs, RAID/LU files.

int32_t KX_GetPinInfoGetTime(const char*, int32_t, int32_t*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetPinInfo(const char*, int32_t, int32_t*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetCouplingInfo(const char*, CouplingInfoRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetIntegrationLU(const char*, const UnifiedLuRequestRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetIntegrationPinInfo(const char*, PINInformationRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetTurboLU(const char*, TurboLuRecord*) { return KXE_NOT_SUPPORTED; }
int32_t KX_SetTurboLU(const char*, const TurboLuRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetPinInfo2(const char*, int32_t*) { return KXE_NOT_SUPPORTED; }
int32_t KX_IntegrationLUInfo(const char*, IntegrationLUInfoRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_RgLuFileOutput(const char*, const char*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_RaidLuExport(const char*, const char*) { return KXE_NOT_SUPPORTED; }
int32_t KX_RaidLuImport(const char*, const char*, RaidGroupRecord*,
                        LogicalUnitRecord*) {
  return KXE_NOT_SUPPORTED;
}
