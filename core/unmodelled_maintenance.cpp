// Operations of this area that the station does not model yet. Each answers
// KXE_NOT_SUPPORTED without touching its arguments, so the bridge links and
// every native method can be called end to end. A function leaves this file
// when the area models it; the file goes when it is empty.
#include "kx_core.h"
#include "kx_errors.h"

// Maintenance: microcode replacement, traces, host files and unit control.

int32_t KX_MicroFileConcat(const char*, const char*, int32_t, int32_t*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_MicroFileConcat2(const char*, const char*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_CancelMicroFileConcat() { return KXE_NOT_SUPPORTED; }
int32_t KX_GetMicroDownloadCount(const char*, int32_t*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_MicroDownload(const char*, int32_t, int32_t, int32_t) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_MicroReplace(const char*, int32_t) { return KXE_NOT_SUPPORTED; }
int32_t KX_GetNewMicroRevision(char*) { return KXE_NOT_SUPPORTED; }
int32_t KX_CreateTraceFile(const char*, int32_t, int32_t, int32_t,
                           const char*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_CreateTraceFile2(const char*, int32_t, const char*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetTraceText(const char*, int32_t, int32_t, int32_t, char*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetWebTrace(const char*, WebTraceRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetFileText(const char*, char**) { return KXE_NOT_SUPPORTED; }
int32_t KX_GetFileLine(const char*, int32_t, char*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_ExistFile(const char*, int32_t*) { return KXE_NOT_SUPPORTED; }
int32_t KX_UnitReboot(const char*) { return KXE_NOT_SUPPORTED; }
int32_t KX_SetSPinformation(const char*, int32_t, int32_t, int32_t) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_FDDTest(const char*, int32_t, int32_t*) { return KXE_NOT_SUPPORTED; }
int32_t KX_TestUnitReady(const char*, int32_t) { return KXE_NOT_SUPPORTED; }
