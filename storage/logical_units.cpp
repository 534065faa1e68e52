// Native methods of logical units.
#include "bridge/frame.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "storage/storage_records.h"

using namespace kx;

JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetLogicalUnit(
    JNIEnv* env, jclass, jstring unit_name) {
  // The core reports no count: every slot of the table is converted.
  return record_array<LogicalUnitRecord>(
      env, unit_name, kLogicalUnitType, kLogicalUnitCapacity,
      [](const char* unit, LogicalUnitRecord* table) {
        return KX_GetLogicalUnit(unit, table);
      });
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetLogicalUnit1(
    JNIEnv* env, jclass, jstring unit_name, jint lu) {
  return record_read<LogicalUnitRecord>(
      env, unit_name, kLogicalUnitType,
      [lu](const char* unit, LogicalUnitRecord* record) {
        return KX_GetLogicalUnit1(unit, lu, record);
      });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogicalUnitAdd(
    JNIEnv* env, jclass, jstring unit_name, jobject logical_unit) {
  record_write<LogicalUnitRecord>(
      env, unit_name, logical_unit, kLogicalUnitType,
      [](const char* unit, LogicalUnitRecord* record) {
        return KX_LogicalUnitAdd(unit, record);
      });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogicalUnitDelete(
    JNIEnv* env, jclass, jstring unit_name) {
  // The core chooses the LU itself; it receives the unit name only.
  action(env, unit_name,
         [](const char* unit) { return KX_LogicalUnitDelete(unit); });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogicalUnitDeleteAll(
    JNIEnv* env, jclass, jstring unit_name) {
  action(env, unit_name,
         [](const char* unit) { return KX_LogicalUnitDeleteAll(unit); });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogicalUnitExpand(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jint arg2) {
  action(env, unit_name, [arg1, arg2](const char* unit) {
    return KX_LogicalUnitExpand(unit, arg1, arg2);
  });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogicalUnitChangeStaging(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jint arg2) {
  action(env, unit_name, [arg1, arg2](const char* unit) {
    return KX_LogicalUnitChangeStaging(unit, arg1, arg2);
  });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogicalUnitChangeCtl(
    JNIEnv* env, jclass, jstring unit_name, jint arg) {
  action(env, unit_name, [arg](const char* unit) {
    return KX_LogicalUnitChangeCtl(unit, arg);
  });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogicalUnitFormat(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jint arg2) {
  action(env, unit_name, [arg1, arg2](const char* unit) {
    return KX_LogicalUnitFormat(unit, arg1, arg2);
  });
}

JNIEXPORT jint JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogicalUnitFormatStatus(
    JNIEnv* env, jclass, jstring unit_name, jint arg) {
  return int_result(env, unit_name, [arg](const char* unit, int32_t* value) {
    return KX_LogicalUnitFormatStatus(unit, arg, value);
  });
}

JNIEXPORT jint JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetLastLogicalUnit(
    JNIEnv* env, jclass, jstring unit_name) {
  return int_result(env, unit_name, [](const char* unit, int32_t* value) {
    return KX_GetLastLogicalUnit(unit, value);
  });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogicalUnitInvalid(
    JNIEnv* env, jclass, jstring unit_name, jint arg) {
  action(env, unit_name,
         [arg](const char* unit) { return KX_LogicalUnitInvalid(unit, arg); });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogicalUnitRestore(
    JNIEnv* env, jclass, jstring unit_name, jint arg) {
  action(env, unit_name,
         [arg](const char* unit) { return KX_LogicalUnitRestore(unit, arg); });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogicalUnitRealloc(
    JNIEnv* env, jclass, jstring unit_name, jobject request) {
  record_write<LuReallocRequestRecord>(
      env, unit_name, request, kLuReallocRequestType,
      [](const char* unit, LuReallocRequestRecord* record) {
        return KX_LogicalUnitRealloc(unit, record);
      });
}
