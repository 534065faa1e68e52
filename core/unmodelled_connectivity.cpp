// Operations of this area that the station does not model yet. Each answers
// KXE_NOT_SUPPORTED without touching its arguments, so the bridge links and
// every native method can be called end to end. A function leaves this file
// when the area models it; the file goes when it is empty.
#include "kx_core.h"
#include "kx_errors.h"

// Connectivity: LAN, target IDs, Fibre Channel, host groups, WWNs, LU mapping.

int32_t KX_GetLANInformation(const char*, int32_t, LANInformationRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetLANInformation(const char*, int32_t, const LANInformationRecord*,
                             int32_t) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetSyncControl(const char*, int32_t, SyncControlRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetSyncControl(const char*, int32_t, const SyncControlRecord*,
                          int32_t) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetTargetId(const char*, int32_t, TargetIdRecord*, TargetIdRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_TargetIdImport(const char*, const char*, TargetIdRecord*,
                          TargetIdRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetTargetId(const char*, int32_t, const TargetIdRecord*, int32_t) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetFibreInformation(const char*, FibreInformationRecord*,
                               FibreInformationRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetFibreInformation(const char*, const FibreInformationRecord*,
                               const FibreInformationRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_FibreInfoPermissionImport(const char*, const char*, int32_t, int32_t,
                                     int32_t*,
                                     FibreInformationPermissionRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetHGList(const char*, HGListRecord*) { return KXE_NOT_SUPPORTED; }
int32_t KX_CreateHG(const char*, int32_t, int32_t, int32_t,
                    const HostGroupNameRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_ChangeHG(const char*, int32_t, int32_t, int32_t,
                    const HostGroupNameRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_DeleteHGList(const char*, const HostGroupSelectionRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_InitHGList(const char*, const HostGroupSelectionRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetWWNInformation(const char*, WWNInformationRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetWWNInformation(const char*, const WWNInformationRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetWWNHGInformation(const char*, WWNHGInformationRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetWWNHGInformation(const char*, const WWNHGInformationRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetHGOptionAll(const char*, HGOptionRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetHGOptionAll(const char*, const HGOptionRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetHGOption(const char*, int32_t, int32_t, int32_t,
                       HGOptionInfoRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetHGOption(const char*, int32_t, int32_t, int32_t,
                       const HGOptionInfoRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetPortOption(const char*, PortOptionRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetPortOption(const char*, const PortOptionRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetLuMappingListAll(const char*, LuMappingRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetLuMappingListAll(const char*, const LuMappingRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetLuMappingList(const char*, int32_t, int32_t, int32_t, int32_t*,
                            LuMappingHGInfoRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetLuMappingList(const char*, int32_t, int32_t, int32_t, int32_t,
                            const LuMappingHGInfoRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_ChangeMappingMode(const char*, int32_t) { return KXE_NOT_SUPPORTED; }
int32_t KX_GetRvrfSrcPath(const char*, RvrfSrcInfoRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetRvrfSrcPath(const char*, const RvrfSrcArrayUnitRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_DelRvrfSrcPath(const char*) { return KXE_NOT_SUPPORTED; }
