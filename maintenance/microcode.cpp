// Native methods of microcode replacement.
#include "bridge/frame.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "maintenance/modified_utf8.h"

using namespace kx;

// Several strings: the unit name, then the file name (1024 bytes), each null
// giving ERR_NULL_ARGUMENT just before its own conversion; the int the core
// writes is the result, 0 on failure.
JNIEXPORT jint JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1MicroFileConcat(
    JNIEnv* env, jclass, jstring unit_name, jstring file_name, jint part) {
  flush_output();
  char unit[kUnitNameSize];
  if (!convert_required(env, unit_name, unit)) return 0;
  char file[kLongNameSize];
  if (!convert_required(env, file_name, file)) return 0;
  int32_t value = 0;
  if (!core_succeeded(env, KX_MicroFileConcat(unit, file, part, &value))) {
    return 0;
  }
  flush_output();
  return value;
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1MicroFileConcat2(
    JNIEnv* env, jclass, jstring unit_name, jstring file_name) {
  flush_output();
  char unit[kUnitNameSize];
  if (!convert_required(env, unit_name, unit)) return;
  char file[kLongNameSize];
  if (!convert_required(env, file_name, file)) return;
  if (!core_succeeded(env, KX_MicroFileConcat2(unit, file))) return;
  flush_output();
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1CancelMicroFileConcat(
    JNIEnv* env, jclass) {
  action_no_unit(env, [] { return KX_CancelMicroFileConcat(); });
}

JNIEXPORT jint JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetMicroDownloadCount(
    JNIEnv* env, jclass, jstring unit_name) {
  return int_result(env, unit_name, [](const char* unit, int32_t* count) {
    return KX_GetMicroDownloadCount(unit, count);
  });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1MicroDownload(
    JNIEnv* env, jclass, jstring unit_name, jint first, jint second,
    jint third) {
  action(env, unit_name, [first, second, third](const char* unit) {
    return KX_MicroDownload(unit, first, second, third);
  });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1MicroReplace(
    JNIEnv* env, jclass, jstring unit_name, jint mode) {
  action(env, unit_name,
         [mode](const char* unit) { return KX_MicroReplace(unit, mode); });
}

// String result without unit name: an 8-byte stack buffer. The string's
// creation is not checked; a failure leaves its exception pending.
JNIEXPORT jstring JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetNewMicroRevision(
    JNIEnv* env, jclass) {
  flush_output();
  char revision[kMicroRevisionSize] = {};
  if (!core_succeeded(env, KX_GetNewMicroRevision(revision))) return nullptr;
  jstring result = new_string_from_core(env, revision, sizeof revision);
  flush_output();
  return result;
}
