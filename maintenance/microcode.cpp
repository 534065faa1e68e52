// Native methods of microcode replacement.
#include "bridge/native.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"

using namespace kx;

// The unit name, then the file name (1024 bytes): each null raises
// ERR_NULL_ARGUMENT just before its own conversion.
JNIEXPORT jint JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1MicroFileConcat(
    JNIEnv* env, jclass, jstring unit_name, jstring file_name, jint part) {
  return native(env, KX_MicroFileConcat, unit_name_arg(unit_name),
                long_text_arg(file_name), int_arg(part), int_out());
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1MicroFileConcat2(
    JNIEnv* env, jclass, jstring unit_name, jstring file_name) {
  native(env, KX_MicroFileConcat2, unit_name_arg(unit_name),
         long_text_arg(file_name));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1CancelMicroFileConcat(
    JNIEnv* env, jclass) {
  native(env, KX_CancelMicroFileConcat);
}

JNIEXPORT jint JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetMicroDownloadCount(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetMicroDownloadCount, unit_name_arg(unit_name),
                int_out());
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1MicroDownload(
    JNIEnv* env, jclass, jstring unit_name, jint portion, jint count,
    jint reserved) {
  native(env, KX_MicroDownload, unit_name_arg(unit_name), int_arg(portion),
         int_arg(count), int_arg(reserved));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1MicroReplace(
    JNIEnv* env, jclass, jstring unit_name, jint mode) {
  native(env, KX_MicroReplace, unit_name_arg(unit_name), int_arg(mode));
}

// The 8-byte revision on the stack; a string that cannot be made is returned
// as null with its exception standing.
JNIEXPORT jstring JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetNewMicroRevision(
    JNIEnv* env, jclass) {
  return native(env, KX_GetNewMicroRevision,
                text_out<kMicroRevisionSize>(NullString::kReturn));
}
