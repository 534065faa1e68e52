// Native methods of unit condition and drives.
#include "bridge/frame.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "status/status_records.h"

using namespace kx;

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetDriveInformation(
    JNIEnv* env, jclass, jstring unit_name, jint first, jint second) {
  return record_read<DiskDriveInformationRecord>(
      env, unit_name, kDiskDriveInformationType,
      [first, second](const char* unit, DiskDriveInformationRecord* record) {
        return KX_GetDriveInformation(unit, first, second, record);
      });
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetUnitCondition(
    JNIEnv* env, jclass, jstring unit_name, jint value) {
  return record_read<UnitConditionRecord>(
      env, unit_name, kUnitConditionType,
      [value](const char* unit, UnitConditionRecord* record) {
        return KX_GetUnitCondition(unit, value, record);
      });
}

JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetDriveInformationAll(
    JNIEnv* env, jclass, jstring unit_name) {
  return record_array<DiskDriveInformationRecord>(
      env, unit_name, kDiskDriveInformationType, kDriveSlotCount,
      [](const char* unit, DiskDriveInformationRecord* table) {
        return KX_GetDriveInformationAll(unit, table);
      });
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1DriveReconstructInformation(
    JNIEnv* env, jclass, jstring unit_name, jint first, jint second) {
  return record_read<DriveReconstructInformationRecord>(
      env, unit_name, kDriveReconstructInformationType,
      [first, second](const char* unit,
                      DriveReconstructInformationRecord* record) {
        return KX_DriveReconstructInformation(unit, first, second, record);
      });
}

// Later family: the table is on the stack, nothing is flushed, and every
// element's result is stored; an element whose failure left an exception
// pending ends the loop (see later_record_array).
JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetDriveStatus(
    JNIEnv* env, jclass, jstring unit_name) {
  return later_record_array<DiskDriveRecord, kDriveSlotCount>(
      env, unit_name, kDiskDriveType,
      [](const char* unit, DiskDriveRecord* table) {
        return KX_GetDriveStatus(unit, table);
      });
}
