// Native methods that export and import parameter and configuration files
// and read and write raw mode pages: the core reads and writes the files.
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "parameters/parameter_natives.h"

using namespace kx;

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SystemParamExport(
    JNIEnv* env, jclass, jstring unit_name, jstring path, jint arg1,
    jint arg2) {
  unit_and_path_action(env, unit_name, path,
                       [=](const char* unit, const char* path_text) {
                         return KX_SystemParamExport(unit, path_text, arg1,
                                                     arg2);
                       });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SystemParamImport(
    JNIEnv* env, jclass, jstring unit_name, jstring path, jint arg) {
  unit_and_path_action(env, unit_name, path,
                       [=](const char* unit, const char* path_text) {
                         return KX_SystemParamImport(unit, path_text, arg);
                       });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ConfigExport(
    JNIEnv* env, jclass, jstring unit_name, jstring path) {
  unit_and_path_action(env, unit_name, path,
                       [](const char* unit, const char* path_text) {
                         return KX_ConfigExport(unit, path_text);
                       });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ConfigImport(
    JNIEnv* env, jclass, jstring unit_name, jstring path) {
  unit_and_path_action(env, unit_name, path,
                       [](const char* unit, const char* path_text) {
                         return KX_ConfigImport(unit, path_text);
                       });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ModeSense(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jint arg2, jint arg3,
    jstring path) {
  unit_and_path_action(env, unit_name, path,
                       [=](const char* unit, const char* path_text) {
                         return KX_ModeSense(unit, arg1, arg2, arg3, path_text);
                       });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ModeSelect(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jint arg2, jint arg3,
    jstring path) {
  unit_and_path_action(env, unit_name, path,
                       [=](const char* unit, const char* path_text) {
                         return KX_ModeSelect(unit, arg1, arg2, arg3,
                                              path_text);
                       });
}
