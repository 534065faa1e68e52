// Native methods of the online system, tuning and drive maintenance
// parameters: each group is one record read and written whole.
#include "bridge/frame.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "parameters/parameter_records.h"

using namespace kx;

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetOnlineSystemParam(JNIEnv* env, jclass,
                                                              jstring unit_name) {
  return record_read<OnlineSystemParamRecord>(env, unit_name, kOnlineSystemParamType,
                             [](const char* unit, OnlineSystemParamRecord* record) {
                               return KX_GetOnlineSystemParam(unit, record);
                             });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetOnlineSystemParam(JNIEnv* env, jclass,
                                                              jstring unit_name,
                                                              jobject object) {
  record_write<OnlineSystemParamRecord>(env, unit_name, object, kOnlineSystemParamType,
                       [](const char* unit, OnlineSystemParamRecord* record) {
                         return KX_SetOnlineSystemParam(unit, record);
                       });
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetOnlineTuningParam(JNIEnv* env, jclass,
                                                              jstring unit_name) {
  return record_read<OnlineTuningParamRecord>(env, unit_name, kOnlineTuningParamType,
                             [](const char* unit, OnlineTuningParamRecord* record) {
                               return KX_GetOnlineTuningParam(unit, record);
                             });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetOnlineTuningParam(JNIEnv* env, jclass,
                                                              jstring unit_name,
                                                              jobject object) {
  record_write<OnlineTuningParamRecord>(env, unit_name, object, kOnlineTuningParamType,
                       [](const char* unit, OnlineTuningParamRecord* record) {
                         return KX_SetOnlineTuningParam(unit, record);
                       });
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetTuningParam(JNIEnv* env, jclass,
                                                              jstring unit_name) {
  return record_read<TuningParamRecord>(env, unit_name, kTuningParamType,
                             [](const char* unit, TuningParamRecord* record) {
                               return KX_GetTuningParam(unit, record);
                             });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetTuningParam(JNIEnv* env, jclass,
                                                              jstring unit_name,
                                                              jobject object) {
  record_write<TuningParamRecord>(env, unit_name, object, kTuningParamType,
                       [](const char* unit, TuningParamRecord* record) {
                         return KX_SetTuningParam(unit, record);
                       });
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetDiskDriveRestoration(JNIEnv* env, jclass,
                                                              jstring unit_name) {
  return record_read<DiskDriveRestorationRecord>(env, unit_name, kDiskDriveRestorationType,
                             [](const char* unit, DiskDriveRestorationRecord* record) {
                               return KX_GetDiskDriveRestoration(unit, record);
                             });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetDiskDriveRestoration(JNIEnv* env, jclass,
                                                              jstring unit_name,
                                                              jobject object) {
  record_write<DiskDriveRestorationRecord>(env, unit_name, object, kDiskDriveRestorationType,
                       [](const char* unit, DiskDriveRestorationRecord* record) {
                         return KX_SetDiskDriveRestoration(unit, record);
                       });
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetPrefetchInformation(JNIEnv* env, jclass,
                                                              jstring unit_name) {
  return record_read<PrefetchInformationRecord>(env, unit_name, kPrefetchInformationType,
                             [](const char* unit, PrefetchInformationRecord* record) {
                               return KX_GetPrefetchInformation(unit, record);
                             });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetPrefetchInformation(JNIEnv* env, jclass,
                                                              jstring unit_name,
                                                              jobject object) {
  record_write<PrefetchInformationRecord>(env, unit_name, object, kPrefetchInformationType,
                       [](const char* unit, PrefetchInformationRecord* record) {
                         return KX_SetPrefetchInformation(unit, record);
                       });
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetOnlineVerify(JNIEnv* env, jclass,
                                                              jstring unit_name) {
  return record_read<OnlineVerifyRecord>(env, unit_name, kOnlineVerifyType,
                             [](const char* unit, OnlineVerifyRecord* record) {
                               return KX_GetOnlineVerify(unit, record);
                             });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetOnlineVerify(JNIEnv* env, jclass,
                                                              jstring unit_name,
                                                              jobject object) {
  record_write<OnlineVerifyRecord>(env, unit_name, object, kOnlineVerifyType,
                       [](const char* unit, OnlineVerifyRecord* record) {
                         return KX_SetOnlineVerify(unit, record);
                       });
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetThreshold(JNIEnv* env, jclass,
                                                              jstring unit_name) {
  return record_read<ThresholdRecord>(env, unit_name, kThresholdType,
                             [](const char* unit, ThresholdRecord* record) {
                               return KX_GetThreshold(unit, record);
                             });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetThreshold(JNIEnv* env, jclass,
                                                              jstring unit_name,
                                                              jobject object) {
  record_write<ThresholdRecord>(env, unit_name, object, kThresholdType,
                       [](const char* unit, ThresholdRecord* record) {
                         return KX_SetThreshold(unit, record);
                       });
}
