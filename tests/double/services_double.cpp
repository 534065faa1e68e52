// The double's notification and host service functions.
#include <cstring>

#include "kx_core.h"
#include "tests/double/core_double.h"

using kxtest::CoreDouble;

namespace {
// The whole texts of KX_SendEmail have no fixed buffer: their text and NUL.
size_t whole(const char* text) { return text ? std::strlen(text) + 1 : 0; }
}  // namespace

KX_API int32_t KX_GetEmailInfo(EmailInfoRecord* settings) {
  return CoreDouble::Scope("KX_GetEmailInfo")
      .inout(settings, sizeof(EmailInfoRecord))
      .finish();
}
KX_API int32_t KX_SetEmailInfo(const EmailInfoRecord* settings) {
  return CoreDouble::Scope("KX_SetEmailInfo")
      .in(settings, sizeof(EmailInfoRecord))
      .finish();
}
KX_API int32_t KX_AlertCheck(const char* unit, int32_t arg, int32_t* value) {
  return CoreDouble::Scope("KX_AlertCheck")
      .in(unit, kUnitNameSize)
      .value(arg)
      .out_int(value)
      .finish();
}
KX_API int32_t KX_SetMailAppendInfo(const char* unit, const char* text) {
  return CoreDouble::Scope("KX_SetMailAppendInfo")
      .in(unit, kUnitNameSize)
      .in(text, kLongNameSize)
      .finish();
}
KX_API int32_t KX_DelMailAppendInfo(const char* unit) {
  return CoreDouble::Scope("KX_DelMailAppendInfo")
      .in(unit, kUnitNameSize)
      .finish();
}
KX_API int32_t KX_GetMailAppendInfo(const char* unit, char* text) {
  return CoreDouble::Scope("KX_GetMailAppendInfo")
      .in(unit, kUnitNameSize)
      .inout(text, kMailAppendResultSize)
      .finish();
}
KX_API int32_t KX_SendEmail(const char* first, const char* second,
                            const char* third) {
  return CoreDouble::Scope("KX_SendEmail")
      .in(first, kLongNameSize)
      .in(second, whole(second))
      .in(third, whole(third))
      .finish();
}
KX_API int32_t KX_SendEmailTest(const char* unit,
                                const EmailInfoRecord* settings,
                                const char* text, const char* long_text) {
  return CoreDouble::Scope("KX_SendEmailTest")
      .in(unit, kUnitNameSize)
      .in(settings, sizeof(EmailInfoRecord))
      .in(text, kLongNameSize)
      .in(long_text, kMailTestBodySize)
      .finish();
}
KX_API int32_t KX_GetExProgramInfo(ExProgramInfoRecord* settings) {
  return CoreDouble::Scope("KX_GetExProgramInfo")
      .inout(settings, sizeof(ExProgramInfoRecord))
      .finish();
}
KX_API int32_t KX_SetExProgramInfo(const ExProgramInfoRecord* settings) {
  return CoreDouble::Scope("KX_SetExProgramInfo")
      .in(settings, sizeof(ExProgramInfoRecord))
      .finish();
}
KX_API int32_t KX_ExecuteProgramTest(const ExProgramInfoRecord* settings) {
  return CoreDouble::Scope("KX_ExecuteProgramTest")
      .in(settings, sizeof(ExProgramInfoRecord))
      .finish();
}
KX_API int32_t KX_ExecuteProgram() {
  return CoreDouble::Scope("KX_ExecuteProgram").finish();
}
KX_API int32_t KX_EnvironmentCheck() {
  return CoreDouble::Scope("KX_EnvironmentCheck").finish();
}
KX_API int32_t KX_ErrLogPut(const char* text) {
  return CoreDouble::Scope("KX_ErrLogPut").in(text, kLongNameSize).finish();
}
KX_API int32_t KX_ErrLogDelete() {
  return CoreDouble::Scope("KX_ErrLogDelete").finish();
}
KX_API int32_t KX_AppLogPut(const char* text) {
  return CoreDouble::Scope("KX_AppLogPut").in(text, kLongNameSize).finish();
}
KX_API int32_t KX_JavaVersionCheck(const char* version) {
  return CoreDouble::Scope("KX_JavaVersionCheck")
      .in(version, kLongNameSize)
      .finish();
}
KX_API int32_t KX_SetSnmpConfig(const char* unit, const char* first,
                                const char* second) {
  return CoreDouble::Scope("KX_SetSnmpConfig")
      .in(unit, kUnitNameSize)
      .in(first, kLongNameSize)
      .in(second, kLongNameSize)
      .finish();
}
KX_API int32_t KX_SnmpConfigOutput(const char* unit, const char* first,
                                   const char* second) {
  return CoreDouble::Scope("KX_SnmpConfigOutput")
      .in(unit, kUnitNameSize)
      .in(first, kLongNameSize)
      .in(second, kLongNameSize)
      .finish();
}
