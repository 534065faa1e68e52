// The double's microcode, trace, host file and unit control functions.
#include <cstdlib>

#include "kx_core.h"
#include "tests/double/core_double.h"

using kxtest::CoreDouble;

namespace {

// The text KX_GetFileText hands over: this many bytes of the program, from
// the C heap, with a NUL after them.
constexpr size_t kFileTextProgramSize = 4096;

}  // namespace

KX_API int32_t KX_MicroFileConcat(const char* unit, const char* file_name,
                                  int32_t arg, int32_t* value) {
  return CoreDouble::Scope("KX_MicroFileConcat")
      .in(unit, kUnitNameSize)
      .in(file_name, kLongNameSize)
      .value(arg)
      .out_int(value)
      .finish();
}

KX_API int32_t KX_MicroFileConcat2(const char* unit, const char* file_name) {
  return CoreDouble::Scope("KX_MicroFileConcat2")
      .in(unit, kUnitNameSize)
      .in(file_name, kLongNameSize)
      .finish();
}

KX_API int32_t KX_CancelMicroFileConcat() {
  return CoreDouble::Scope("KX_CancelMicroFileConcat").finish();
}

KX_API int32_t KX_GetMicroDownloadCount(const char* unit, int32_t* count) {
  return CoreDouble::Scope("KX_GetMicroDownloadCount")
      .in(unit, kUnitNameSize)
      .out_int(count)
      .finish();
}

KX_API int32_t KX_MicroDownload(const char* unit, int32_t arg1, int32_t arg2,
                                int32_t arg3) {
  return CoreDouble::Scope("KX_MicroDownload")
      .in(unit, kUnitNameSize)
      .value(arg1)
      .value(arg2)
      .value(arg3)
      .finish();
}

KX_API int32_t KX_MicroReplace(const char* unit, int32_t arg) {
  return CoreDouble::Scope("KX_MicroReplace")
      .in(unit, kUnitNameSize)
      .value(arg)
      .finish();
}

KX_API int32_t KX_GetNewMicroRevision(char* revision) {
  return CoreDouble::Scope("KX_GetNewMicroRevision")
      .inout(revision, kMicroRevisionSize)
      .finish();
}

KX_API int32_t KX_CreateTraceFile(const char* unit, int32_t arg1, int32_t arg2,
                                  int32_t arg3, const char* path) {
  return CoreDouble::Scope("KX_CreateTraceFile")
      .in(unit, kUnitNameSize)
      .value(arg1)
      .value(arg2)
      .value(arg3)
      .in(path, kLongNameSize)
      .finish();
}

KX_API int32_t KX_CreateTraceFile2(const char* unit, int32_t arg,
                                   const char* path) {
  return CoreDouble::Scope("KX_CreateTraceFile2")
      .in(unit, kUnitNameSize)
      .value(arg)
      .in(path, kLongNameSize)
      .finish();
}

KX_API int32_t KX_GetTraceText(const char* unit, int32_t arg1, int32_t arg2,
                               int32_t arg3, char* text) {
  return CoreDouble::Scope("KX_GetTraceText")
      .in(unit, kUnitNameSize)
      .value(arg1)
      .value(arg2)
      .value(arg3)
      .inout(text, kTraceTextSize)
      .finish();
}

KX_API int32_t KX_GetWebTrace(const char* unit, WebTraceRecord* trace) {
  return CoreDouble::Scope("KX_GetWebTrace")
      .in(unit, kUnitNameSize)
      .inout(trace, sizeof(*trace))
      .finish();
}

// Output buffer 1 programs the text; it is handed over from the C heap only
// when the call succeeds, as the core does.
KX_API int32_t KX_GetFileText(const char* path, char** text) {
  char* buffer = static_cast<char*>(std::calloc(kFileTextProgramSize + 1, 1));
  if (buffer == nullptr) return 0x100F;
  const int32_t code = CoreDouble::Scope("KX_GetFileText")
                           .in(path, kLongNameSize)
                           .inout(buffer, kFileTextProgramSize)
                           .finish();
  if (code != 0) {
    std::free(buffer);
    return code;
  }
  *text = buffer;
  return code;
}

KX_API int32_t KX_GetFileLine(const char* path, int32_t length, char* line) {
  return CoreDouble::Scope("KX_GetFileLine")
      .in(path, kLongNameSize)
      .value(length)
      .inout(line, static_cast<size_t>(length) + 1)
      .finish();
}

KX_API int32_t KX_ExistFile(const char* path, int32_t* value) {
  return CoreDouble::Scope("KX_ExistFile")
      .in(path, kLongNameSize)
      .out_int(value)
      .finish();
}

KX_API int32_t KX_UnitReboot(const char* unit) {
  return CoreDouble::Scope("KX_UnitReboot").in(unit, kLongNameSize).finish();
}

KX_API int32_t KX_SetSPinformation(const char* unit, int32_t arg1, int32_t arg2,
                                   int32_t arg3) {
  return CoreDouble::Scope("KX_SetSPinformation")
      .in(unit, kUnitNameSize)
      .value(arg1)
      .value(arg2)
      .value(arg3)
      .finish();
}

KX_API int32_t KX_FDDTest(const char* unit, int32_t arg, int32_t* result) {
  return CoreDouble::Scope("KX_FDDTest")
      .in(unit, kUnitNameSize)
      .value(arg)
      .out_int(result)
      .finish();
}

KX_API int32_t KX_TestUnitReady(const char* unit, int32_t arg) {
  return CoreDouble::Scope("KX_TestUnitReady")
      .in(unit, kUnitNameSize)
      .value(arg)
      .finish();
}
