// Native methods of RAID groups.
#include "bridge/native.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "storage/storage_records.h"

using namespace kx;

// The core reports no count: every slot of the table is converted.
JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetRaidGroups(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(
      env, KX_GetRaidGroups, unit_name_arg(unit_name),
      record_table<RaidGroupRecord, kRaidGroupCapacity>(kRaidGroupType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1RaidGroupAdd(
    JNIEnv* env, jclass, jstring unit_name, jobject raid_group) {
  native(env, KX_RaidGroupAdd, unit_name_arg(unit_name),
         record_in<RaidGroupRecord>(raid_group, kRaidGroupType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1RaidGroupDelete(
    JNIEnv* env, jclass, jstring unit_name, jint raid_group) {
  native(env, KX_RaidGroupDelete, unit_name_arg(unit_name),
         int_arg(raid_group));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1RaidGroupAllDelete(
    JNIEnv* env, jclass, jstring unit_name) {
  native(env, KX_RaidGroupAllDelete, unit_name_arg(unit_name));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1RaidGroupExpand(
    JNIEnv* env, jclass, jstring unit_name, jobject raid_group) {
  native(env, KX_RaidGroupExpand, unit_name_arg(unit_name),
         record_in<RaidGroupRecord>(raid_group, kRaidGroupType));
}
