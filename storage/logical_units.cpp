// Native methods of logical units.
#include "bridge/native.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "storage/storage_records.h"

using namespace kx;

// The core reports no count: every slot of the table is converted.
JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetLogicalUnit(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(
      env, KX_GetLogicalUnit, unit_name_arg(unit_name),
      record_table<LogicalUnitRecord, kLogicalUnitCapacity>(kLogicalUnitType));
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetLogicalUnit1(
    JNIEnv* env, jclass, jstring unit_name, jint lu) {
  return native(env, KX_GetLogicalUnit1, unit_name_arg(unit_name), int_arg(lu),
                record_out<LogicalUnitRecord>(kLogicalUnitType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogicalUnitAdd(
    JNIEnv* env, jclass, jstring unit_name, jobject lu) {
  native(env, KX_LogicalUnitAdd, unit_name_arg(unit_name),
         record_in<LogicalUnitRecord>(lu, kLogicalUnitType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogicalUnitDelete(
    JNIEnv* env, jclass, jstring unit_name) {
  native(env, KX_LogicalUnitDelete, unit_name_arg(unit_name));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogicalUnitDeleteAll(
    JNIEnv* env, jclass, jstring unit_name) {
  native(env, KX_LogicalUnitDeleteAll, unit_name_arg(unit_name));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogicalUnitExpand(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jint arg2) {
  native(env, KX_LogicalUnitExpand, unit_name_arg(unit_name), int_arg(arg1),
         int_arg(arg2));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogicalUnitChangeStaging(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jint arg2) {
  native(env, KX_LogicalUnitChangeStaging, unit_name_arg(unit_name),
         int_arg(arg1), int_arg(arg2));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogicalUnitChangeCtl(
    JNIEnv* env, jclass, jstring unit_name, jint arg) {
  native(env, KX_LogicalUnitChangeCtl, unit_name_arg(unit_name), int_arg(arg));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogicalUnitFormat(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jint arg2) {
  native(env, KX_LogicalUnitFormat, unit_name_arg(unit_name), int_arg(arg1),
         int_arg(arg2));
}

JNIEXPORT jint JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogicalUnitFormatStatus(
    JNIEnv* env, jclass, jstring unit_name, jint arg) {
  return native(env, KX_LogicalUnitFormatStatus, unit_name_arg(unit_name),
                int_arg(arg), int_out());
}

JNIEXPORT jint JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetLastLogicalUnit(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetLastLogicalUnit, unit_name_arg(unit_name),
                int_out());
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogicalUnitInvalid(
    JNIEnv* env, jclass, jstring unit_name, jint arg) {
  native(env, KX_LogicalUnitInvalid, unit_name_arg(unit_name), int_arg(arg));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogicalUnitRestore(
    JNIEnv* env, jclass, jstring unit_name, jint arg) {
  native(env, KX_LogicalUnitRestore, unit_name_arg(unit_name), int_arg(arg));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogicalUnitRealloc(
    JNIEnv* env, jclass, jstring unit_name, jobject request) {
  native(env, KX_LogicalUnitRealloc, unit_name_arg(unit_name),
         record_in<LuReallocRequestRecord>(request, kLuReallocRequestType));
}
