// Native methods of controller LAN settings, synchronous ports and target
// IDs.
#include "bridge/frame.h"
#include "connectivity/connectivity_records.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"

using namespace kx;

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetLANInformation(
    JNIEnv* env, jclass, jstring unit_name, jint arg) {
  return record_read<LANInformationRecord>(
      env, unit_name, kLANInformationType,
      [arg](const char* unit, LANInformationRecord* record) {
        return KX_GetLANInformation(unit, arg, record);
      });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetLANInformation(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jobject lan,
    jint arg2) {
  record_write<LANInformationRecord>(
      env, unit_name, lan, kLANInformationType,
      [arg1, arg2](const char* unit, LANInformationRecord* record) {
        return KX_SetLANInformation(unit, arg1, record, arg2);
      });
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetSyncControl(
    JNIEnv* env, jclass, jstring unit_name, jint arg) {
  return record_read<SyncControlRecord>(
      env, unit_name, kSyncControlType,
      [arg](const char* unit, SyncControlRecord* record) {
        return KX_GetSyncControl(unit, arg, record);
      });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetSyncControl(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jobject sync_control,
    jint arg2) {
  record_write<SyncControlRecord>(
      env, unit_name, sync_control, kSyncControlType,
      [arg1, arg2](const char* unit, SyncControlRecord* record) {
        return KX_SetSyncControl(unit, arg1, record, arg2);
      });
}

JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetTargetId(
    JNIEnv* env, jclass, jstring unit_name, jint arg) {
  // One buffer of both controllers' records; the core gets a pointer to
  // each.
  return record_array<TargetIdRecord>(
      env, unit_name, kTargetIdType, kHostControllerCapacity,
      [arg](const char* unit, TargetIdRecord* records) {
        return KX_GetTargetId(unit, arg, &records[0], &records[1]);
      });
}

// Hand-written: the record-array frame with a file name converted after the
// unit name (a null file name raises ERR_NULL_ARGUMENT before anything is
// allocated).
JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1TargetIdImport(
    JNIEnv* env, jclass, jstring unit_name, jstring file_name) {
  flush_output();
  char unit[kUnitNameSize];
  if (!convert_required(env, unit_name, unit)) return nullptr;
  char file[1024];
  if (!convert_required(env, file_name, file)) return nullptr;
  HeapPtr<TargetIdRecord> records =
      heap_new<TargetIdRecord>(sizeof(TargetIdRecord) * kHostControllerCapacity);
  if (!records) {
    raise_error(env, ERR_NO_MEMORY);
    return nullptr;
  }
  if (!core_succeeded(env, KX_TargetIdImport(unit, file, &records.get()[0],
                                             &records.get()[1]))) {
    return nullptr;
  }
  LocalRef<jobjectArray> array(
      env, new_record_array(env, kTargetIdType.class_name,
                            static_cast<jsize>(kHostControllerCapacity)));
  if (!array) return nullptr;
  fill_record_array(env, array.get(), kTargetIdType, records.get(),
                    kHostControllerCapacity, true);
  records.reset();
  flush_output();
  return array.release();
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetTargetId(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jobject target_id,
    jint arg2) {
  record_write<TargetIdRecord>(
      env, unit_name, target_id, kTargetIdType,
      [arg1, arg2](const char* unit, TargetIdRecord* record) {
        return KX_SetTargetId(unit, arg1, record, arg2);
      });
}
