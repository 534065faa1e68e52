// Native methods of remote-verify source paths.
#include "bridge/frame.h"
#include "connectivity/connectivity_records.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"

using namespace kx;

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetRvrfSrcPath(
    JNIEnv* env, jclass, jstring unit_name) {
  return record_read<RvrfSrcInfoRecord>(
      env, unit_name, kRvrfSrcInfoType,
      [](const char* unit, RvrfSrcInfoRecord* record) {
        return KX_GetRvrfSrcPath(unit, record);
      });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetRvrfSrcPath(
    JNIEnv* env, jclass, jstring unit_name, jobject array_unit) {
  record_write<RvrfSrcArrayUnitRecord>(
      env, unit_name, array_unit, kRvrfSrcArrayUnitType,
      [](const char* unit, RvrfSrcArrayUnitRecord* record) {
        return KX_SetRvrfSrcPath(unit, record);
      });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1DelRvrfSrcPath(
    JNIEnv* env, jclass, jstring unit_name) {
  action(env, unit_name,
         [](const char* unit) { return KX_DelRvrfSrcPath(unit); });
}
