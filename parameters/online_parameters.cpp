// Native methods of the online system, tuning and drive maintenance
// parameters: each group is one record read and written whole.
#include "bridge/native.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "parameters/parameter_records.h"

using namespace kx;

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetOnlineSystemParam(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetOnlineSystemParam, unit_name_arg(unit_name),
                record_out<OnlineSystemParamRecord>(kOnlineSystemParamType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetOnlineSystemParam(
    JNIEnv* env, jclass, jstring unit_name, jobject record) {
  native(env, KX_SetOnlineSystemParam, unit_name_arg(unit_name),
         record_in<OnlineSystemParamRecord>(record, kOnlineSystemParamType));
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetOnlineTuningParam(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetOnlineTuningParam, unit_name_arg(unit_name),
                record_out<OnlineTuningParamRecord>(kOnlineTuningParamType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetOnlineTuningParam(
    JNIEnv* env, jclass, jstring unit_name, jobject record) {
  native(env, KX_SetOnlineTuningParam, unit_name_arg(unit_name),
         record_in<OnlineTuningParamRecord>(record, kOnlineTuningParamType));
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetTuningParam(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetTuningParam, unit_name_arg(unit_name),
                record_out<TuningParamRecord>(kTuningParamType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetTuningParam(
    JNIEnv* env, jclass, jstring unit_name, jobject record) {
  native(env, KX_SetTuningParam, unit_name_arg(unit_name),
         record_in<TuningParamRecord>(record, kTuningParamType));
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetDiskDriveRestoration(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetDiskDriveRestoration, unit_name_arg(unit_name),
                record_out<DiskDriveRestorationRecord>(kDiskDriveRestorationType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetDiskDriveRestoration(
    JNIEnv* env, jclass, jstring unit_name, jobject record) {
  native(env, KX_SetDiskDriveRestoration, unit_name_arg(unit_name),
         record_in<DiskDriveRestorationRecord>(record, kDiskDriveRestorationType));
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetPrefetchInformation(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetPrefetchInformation, unit_name_arg(unit_name),
                record_out<PrefetchInformationRecord>(kPrefetchInformationType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetPrefetchInformation(
    JNIEnv* env, jclass, jstring unit_name, jobject record) {
  native(env, KX_SetPrefetchInformation, unit_name_arg(unit_name),
         record_in<PrefetchInformationRecord>(record, kPrefetchInformationType));
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetOnlineVerify(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetOnlineVerify, unit_name_arg(unit_name),
                record_out<OnlineVerifyRecord>(kOnlineVerifyType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetOnlineVerify(
    JNIEnv* env, jclass, jstring unit_name, jobject record) {
  native(env, KX_SetOnlineVerify, unit_name_arg(unit_name),
         record_in<OnlineVerifyRecord>(record, kOnlineVerifyType));
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetThreshold(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetThreshold, unit_name_arg(unit_name),
                record_out<ThresholdRecord>(kThresholdType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetThreshold(
    JNIEnv* env, jclass, jstring unit_name, jobject record) {
  native(env, KX_SetThreshold, unit_name_arg(unit_name),
         record_in<ThresholdRecord>(record, kThresholdType));
}
