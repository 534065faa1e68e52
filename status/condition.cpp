// Native methods of unit condition and drives.
#include "bridge/native.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "status/status_records.h"

using namespace kx;

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetDriveInformation(
    JNIEnv* env, jclass, jstring unit_name, jint first, jint second) {
  return native(
      env, KX_GetDriveInformation, unit_name_arg(unit_name), int_arg(first),
      int_arg(second),
      record_out<DiskDriveInformationRecord>(kDiskDriveInformationType));
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetUnitCondition(
    JNIEnv* env, jclass, jstring unit_name, jint value) {
  return native(env, KX_GetUnitCondition, unit_name_arg(unit_name),
                int_arg(value),
                record_out<UnitConditionRecord>(kUnitConditionType));
}

JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetDriveInformationAll(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetDriveInformationAll, unit_name_arg(unit_name),
                record_table<DiskDriveInformationRecord, kDriveSlotCount>(
                    kDiskDriveInformationType));
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1DriveReconstructInformation(
    JNIEnv* env, jclass, jstring unit_name, jint first, jint second) {
  return native(env, KX_DriveReconstructInformation, unit_name_arg(unit_name),
                int_arg(first), int_arg(second),
                record_out<DriveReconstructInformationRecord>(
                    kDriveReconstructInformationType));
}

// Every element's result is stored, null or not; an element whose failure
// left an exception pending ends the table.
JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetDriveStatus(
    JNIEnv* env, jclass, jstring unit_name) {
  return native<Quiet>(
      env, KX_GetDriveStatus, unit_name_arg(unit_name),
      record_table<DiskDriveRecord, kDriveSlotCount>(kDiskDriveType));
}
