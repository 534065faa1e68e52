// Native methods of the unit identity, command device, warnings, automatic
// dumps and the station-wide alert interval.
#include "bridge/native.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "parameters/parameter_records.h"

using namespace kx;

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetUnitIdentifier(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetUnitIdentifier, unit_name_arg(unit_name),
                record_out<UnitIdentifierRecord>(kUnitIdentifierType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetUnitIdentifier(
    JNIEnv* env, jclass, jstring unit_name, jobject record) {
  native(env, KX_SetUnitIdentifier, unit_name_arg(unit_name),
         record_in<UnitIdentifierRecord>(record, kUnitIdentifierType));
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetCommandDevice(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetCommandDevice, unit_name_arg(unit_name),
                record_out<CommandDeviceRecord>(kCommandDeviceType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetCommandDevice(
    JNIEnv* env, jclass, jstring unit_name, jobject record) {
  native(env, KX_SetCommandDevice, unit_name_arg(unit_name),
         record_in<CommandDeviceRecord>(record, kCommandDeviceType));
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetWarningInfo(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetWarningInfo, unit_name_arg(unit_name),
                record_out<WarningInfoRecord>(kWarningInfoType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetWarningInfo(
    JNIEnv* env, jclass, jstring unit_name, jobject record) {
  native(env, KX_SetWarningInfo, unit_name_arg(unit_name),
         record_in<WarningInfoRecord>(record, kWarningInfoType));
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetAutoDump(
    JNIEnv* env, jclass, jstring unit_name, jint arg) {
  return native(env, KX_GetAutoDump, unit_name_arg(unit_name), int_arg(arg),
                record_out<AutoDumpRecord>(kAutoDumpType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1OutputAutoDump(
    JNIEnv* env, jclass, jstring unit_name, jint arg, jstring path) {
  native(env, KX_OutputAutoDump, unit_name_arg(unit_name), int_arg(arg),
         long_text_arg(path));
}

JNIEXPORT jint JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetAlertInterval(JNIEnv* env,
                                                                    jclass) {
  return native(env, KX_GetAlertInterval, int_out());
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetAlertInterval(
    JNIEnv* env, jclass, jint interval) {
  native(env, KX_SetAlertInterval, int_arg(interval));
}
