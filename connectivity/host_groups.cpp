// Native methods of host groups and host WWNs.
#include "bridge/native.h"
#include "connectivity/connectivity_records.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"

using namespace kx;

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetHGList(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetHGList, unit_name_arg(unit_name),
                record_out<HGListRecord>(kHGListType));
}

// The name object may be of any class with a String field hgname.
JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1CreateHG(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jint arg2, jint arg3,
    jobject name) {
  native(env, KX_CreateHG, unit_name_arg(unit_name), int_arg(arg1),
         int_arg(arg2), int_arg(arg3),
         record_in<HostGroupNameRecord>(name, kHostGroupNameType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ChangeHG(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jint arg2, jint arg3,
    jobject name) {
  native(env, KX_ChangeHG, unit_name_arg(unit_name), int_arg(arg1),
         int_arg(arg2), int_arg(arg3),
         record_in<HostGroupNameRecord>(name, kHostGroupNameType));
}

// The selection object may be of any class whose field ctl is a
// DeleteHGCtlList[] (InitHGCtlList[] below).
JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1DeleteHGList(
    JNIEnv* env, jclass, jstring unit_name, jobject selection) {
  native(env, KX_DeleteHGList, unit_name_arg(unit_name),
         record_in<HostGroupSelectionRecord>(selection, kDeleteHGSelectionType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1InitHGList(
    JNIEnv* env, jclass, jstring unit_name, jobject selection) {
  native(env, KX_InitHGList, unit_name_arg(unit_name),
         record_in<HostGroupSelectionRecord>(selection, kInitHGSelectionType));
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetWWNInformation(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetWWNInformation, unit_name_arg(unit_name),
                record_out<WWNInformationRecord>(kWWNInformationType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetWWNInformation(
    JNIEnv* env, jclass, jstring unit_name, jobject information) {
  native(env, KX_SetWWNInformation, unit_name_arg(unit_name),
         record_in<WWNInformationRecord>(information, kWWNInformationType));
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetWWNHGInformation(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetWWNHGInformation, unit_name_arg(unit_name),
                record_out<WWNHGInformationRecord>(kWWNHGInformationType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetWWNHGInformation(
    JNIEnv* env, jclass, jstring unit_name, jobject information) {
  native(env, KX_SetWWNHGInformation, unit_name_arg(unit_name),
         record_in<WWNHGInformationRecord>(information, kWWNHGInformationType));
}
