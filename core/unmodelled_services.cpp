// Operations of this area that the station does not model yet. Each answers
// KXE_NOT_SUPPORTED without touching its arguments, so the bridge links and
// every native method can be called end to end. A function leaves this file
// when the area models it; the file goes when it is empty.
#include "kx_core.h"
#include "kx_errors.h"

// Services: alerts, e-mail, SNMP, external programs and logs.

int32_t KX_GetEmailInfo(EmailInfoRecord*) { return KXE_NOT_SUPPORTED; }
int32_t KX_SetEmailInfo(const EmailInfoRecord*) { return KXE_NOT_SUPPORTED; }
int32_t KX_AlertCheck(const char*, int32_t, int32_t*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SetMailAppendInfo(const char*, const char*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_DelMailAppendInfo(const char*) { return KXE_NOT_SUPPORTED; }
int32_t KX_GetMailAppendInfo(const char*, char*) { return KXE_NOT_SUPPORTED; }
int32_t KX_SendEmail(const char*, const char*, const char*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SendEmailTest(const char*, const EmailInfoRecord*, const char*,
                         const char*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_GetExProgramInfo(ExProgramInfoRecord*) { return KXE_NOT_SUPPORTED; }
int32_t KX_SetExProgramInfo(const ExProgramInfoRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_ExecuteProgramTest(const ExProgramInfoRecord*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_ExecuteProgram() { return KXE_NOT_SUPPORTED; }
int32_t KX_EnvironmentCheck() { return KXE_NOT_SUPPORTED; }
int32_t KX_ErrLogPut(const char*) { return KXE_NOT_SUPPORTED; }
int32_t KX_ErrLogDelete() { return KXE_NOT_SUPPORTED; }
int32_t KX_AppLogPut(const char*) { return KXE_NOT_SUPPORTED; }
int32_t KX_JavaVersionCheck(const char*) { return KXE_NOT_SUPPORTED; }
int32_t KX_SetSnmpConfig(const char*, const char*, const char*) {
  return KXE_NOT_SUPPORTED;
}
int32_t KX_SnmpConfigOutput(const char*, const char*, const char*) {
  return KXE_NOT_SUPPORTED;
}
