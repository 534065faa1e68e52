// Native methods that export and import parameter and configuration files
// and read and write raw mode pages: the core reads and writes the files.
#include "bridge/native.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"

using namespace kx;

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SystemParamExport(
    JNIEnv* env, jclass, jstring unit_name, jstring path, jint arg1,
    jint arg2) {
  native(env, KX_SystemParamExport, unit_name_arg(unit_name),
         long_text_arg(path), int_arg(arg1), int_arg(arg2));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SystemParamImport(
    JNIEnv* env, jclass, jstring unit_name, jstring path, jint arg) {
  native(env, KX_SystemParamImport, unit_name_arg(unit_name),
         long_text_arg(path), int_arg(arg));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ConfigExport(
    JNIEnv* env, jclass, jstring unit_name, jstring path) {
  native(env, KX_ConfigExport, unit_name_arg(unit_name), long_text_arg(path));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ConfigImport(
    JNIEnv* env, jclass, jstring unit_name, jstring path) {
  native(env, KX_ConfigImport, unit_name_arg(unit_name), long_text_arg(path));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ModeSense(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jint arg2, jint arg3,
    jstring path) {
  native(env, KX_ModeSense, unit_name_arg(unit_name), int_arg(arg1),
         int_arg(arg2), int_arg(arg3), long_text_arg(path));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ModeSelect(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jint arg2, jint arg3,
    jstring path) {
  native(env, KX_ModeSelect, unit_name_arg(unit_name), int_arg(arg1),
         int_arg(arg2), int_arg(arg3), long_text_arg(path));
}
