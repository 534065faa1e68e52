// Native methods of the unit identity, command device, warnings, automatic
// dumps and the station-wide alert interval.
#include "bridge/frame.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "parameters/parameter_natives.h"
#include "parameters/parameter_records.h"

using namespace kx;

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetUnitIdentifier(JNIEnv* env, jclass,
                                                              jstring unit_name) {
  return record_read<UnitIdentifierRecord>(env, unit_name, kUnitIdentifierType,
                             [](const char* unit, UnitIdentifierRecord* record) {
                               return KX_GetUnitIdentifier(unit, record);
                             });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetUnitIdentifier(JNIEnv* env, jclass,
                                                              jstring unit_name,
                                                              jobject object) {
  record_write<UnitIdentifierRecord>(env, unit_name, object, kUnitIdentifierType,
                       [](const char* unit, UnitIdentifierRecord* record) {
                         return KX_SetUnitIdentifier(unit, record);
                       });
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetCommandDevice(JNIEnv* env, jclass,
                                                              jstring unit_name) {
  return record_read<CommandDeviceRecord>(env, unit_name, kCommandDeviceType,
                             [](const char* unit, CommandDeviceRecord* record) {
                               return KX_GetCommandDevice(unit, record);
                             });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetCommandDevice(JNIEnv* env, jclass,
                                                              jstring unit_name,
                                                              jobject object) {
  record_write<CommandDeviceRecord>(env, unit_name, object, kCommandDeviceType,
                       [](const char* unit, CommandDeviceRecord* record) {
                         return KX_SetCommandDevice(unit, record);
                       });
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetWarningInfo(JNIEnv* env, jclass,
                                                              jstring unit_name) {
  return record_read<WarningInfoRecord>(env, unit_name, kWarningInfoType,
                             [](const char* unit, WarningInfoRecord* record) {
                               return KX_GetWarningInfo(unit, record);
                             });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetWarningInfo(JNIEnv* env, jclass,
                                                              jstring unit_name,
                                                              jobject object) {
  record_write<WarningInfoRecord>(env, unit_name, object, kWarningInfoType,
                       [](const char* unit, WarningInfoRecord* record) {
                         return KX_SetWarningInfo(unit, record);
                       });
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetAutoDump(
    JNIEnv* env, jclass, jstring unit_name, jint arg) {
  return record_read<AutoDumpRecord>(
      env, unit_name, kAutoDumpType,
      [arg](const char* unit, AutoDumpRecord* record) {
        return KX_GetAutoDump(unit, arg, record);
      });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1OutputAutoDump(
    JNIEnv* env, jclass, jstring unit_name, jint arg, jstring path) {
  unit_and_path_action(env, unit_name, path,
                       [arg](const char* unit, const char* path_text) {
                         return KX_OutputAutoDump(unit, arg, path_text);
                       });
}

JNIEXPORT jint JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetAlertInterval(JNIEnv* env,
                                                                    jclass) {
  // Int through an out-parameter, without a unit name; 0 on failure.
  flush_output();
  int32_t interval = 0;
  if (!core_succeeded(env, KX_GetAlertInterval(&interval))) return 0;
  flush_output();
  return interval;
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetAlertInterval(
    JNIEnv* env, jclass, jint interval) {
  action_no_unit(env, [interval]() { return KX_SetAlertInterval(interval); });
}
