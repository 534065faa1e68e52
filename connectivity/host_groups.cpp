// Native methods of host groups and host WWNs.
#include "bridge/frame.h"
#include "connectivity/connectivity_records.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"

using namespace kx;

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetHGList(
    JNIEnv* env, jclass, jstring unit_name) {
  return record_read<HGListRecord>(
      env, unit_name, kHGListType,
      [](const char* unit, HGListRecord* record) {
        return KX_GetHGList(unit, record);
      });
}

// The name object may be of any class with a String field hgname.
JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1CreateHG(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jint arg2, jint arg3,
    jobject name) {
  record_write<HostGroupNameRecord>(
      env, unit_name, name, kHostGroupNameType,
      [=](const char* unit, HostGroupNameRecord* record) {
        return KX_CreateHG(unit, arg1, arg2, arg3, record);
      });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ChangeHG(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jint arg2, jint arg3,
    jobject name) {
  record_write<HostGroupNameRecord>(
      env, unit_name, name, kHostGroupNameType,
      [=](const char* unit, HostGroupNameRecord* record) {
        return KX_ChangeHG(unit, arg1, arg2, arg3, record);
      });
}

// The selection object may be of any class whose field ctl is a
// DeleteHGCtlList[] (InitHGCtlList[] below).
JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1DeleteHGList(
    JNIEnv* env, jclass, jstring unit_name, jobject selection) {
  record_write<HostGroupSelectionRecord>(
      env, unit_name, selection, kDeleteHGSelectionType,
      [](const char* unit, HostGroupSelectionRecord* record) {
        return KX_DeleteHGList(unit, record);
      });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1InitHGList(
    JNIEnv* env, jclass, jstring unit_name, jobject selection) {
  record_write<HostGroupSelectionRecord>(
      env, unit_name, selection, kInitHGSelectionType,
      [](const char* unit, HostGroupSelectionRecord* record) {
        return KX_InitHGList(unit, record);
      });
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetWWNInformation(
    JNIEnv* env, jclass, jstring unit_name) {
  return record_read<WWNInformationRecord>(
      env, unit_name, kWWNInformationType,
      [](const char* unit, WWNInformationRecord* record) {
        return KX_GetWWNInformation(unit, record);
      });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetWWNInformation(
    JNIEnv* env, jclass, jstring unit_name, jobject information) {
  record_write<WWNInformationRecord>(
      env, unit_name, information, kWWNInformationType,
      [](const char* unit, WWNInformationRecord* record) {
        return KX_SetWWNInformation(unit, record);
      });
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetWWNHGInformation(
    JNIEnv* env, jclass, jstring unit_name) {
  return record_read<WWNHGInformationRecord>(
      env, unit_name, kWWNHGInformationType,
      [](const char* unit, WWNHGInformationRecord* record) {
        return KX_GetWWNHGInformation(unit, record);
      });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetWWNHGInformation(
    JNIEnv* env, jclass, jstring unit_name, jobject information) {
  record_write<WWNHGInformationRecord>(
      env, unit_name, information, kWWNHGInformationType,
      [](const char* unit, WWNHGInformationRecord* record) {
        return KX_SetWWNHGInformation(unit, record);
      });
}
