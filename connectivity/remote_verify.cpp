// Native methods of remote-verify source paths.
#include "bridge/native.h"
#include "connectivity/connectivity_records.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"

using namespace kx;

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetRvrfSrcPath(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetRvrfSrcPath, unit_name_arg(unit_name),
                record_out<RvrfSrcInfoRecord>(kRvrfSrcInfoType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetRvrfSrcPath(
    JNIEnv* env, jclass, jstring unit_name, jobject array_unit) {
  native(env, KX_SetRvrfSrcPath, unit_name_arg(unit_name),
         record_in<RvrfSrcArrayUnitRecord>(array_unit, kRvrfSrcArrayUnitType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1DelRvrfSrcPath(
    JNIEnv* env, jclass, jstring unit_name) {
  native(env, KX_DelRvrfSrcPath, unit_name_arg(unit_name));
}
