// Native methods of controller LAN settings, synchronous ports and target
// IDs.
#include "bridge/native.h"
#include "connectivity/connectivity_records.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"

using namespace kx;

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetLANInformation(
    JNIEnv* env, jclass, jstring unit_name, jint arg) {
  return native(env, KX_GetLANInformation, unit_name_arg(unit_name),
                int_arg(arg),
                record_out<LANInformationRecord>(kLANInformationType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetLANInformation(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jobject lan,
    jint arg2) {
  native(env, KX_SetLANInformation, unit_name_arg(unit_name), int_arg(arg1),
         record_in<LANInformationRecord>(lan, kLANInformationType),
         int_arg(arg2));
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetSyncControl(
    JNIEnv* env, jclass, jstring unit_name, jint arg) {
  return native(env, KX_GetSyncControl, unit_name_arg(unit_name), int_arg(arg),
                record_out<SyncControlRecord>(kSyncControlType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetSyncControl(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jobject sync_control,
    jint arg2) {
  native(env, KX_SetSyncControl, unit_name_arg(unit_name), int_arg(arg1),
         record_in<SyncControlRecord>(sync_control, kSyncControlType),
         int_arg(arg2));
}

// Both controllers' records in one buffer; the core gets a pointer to each.
JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetTargetId(
    JNIEnv* env, jclass, jstring unit_name, jint arg) {
  return native(env, KX_GetTargetId, unit_name_arg(unit_name), int_arg(arg),
                record_pair<TargetIdRecord>(kTargetIdType));
}

// The file name, a path on the station, in 1024 bytes; null raises
// ERR_NULL_ARGUMENT after the unit name was converted.
JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1TargetIdImport(
    JNIEnv* env, jclass, jstring unit_name, jstring file_name) {
  return native(env, KX_TargetIdImport, unit_name_arg(unit_name),
                long_text_arg(file_name),
                record_pair<TargetIdRecord>(kTargetIdType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetTargetId(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jobject target_id,
    jint arg2) {
  native(env, KX_SetTargetId, unit_name_arg(unit_name), int_arg(arg1),
         record_in<TargetIdRecord>(target_id, kTargetIdType), int_arg(arg2));
}
