// Native methods of RAID groups.
#include "bridge/frame.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "storage/storage_records.h"

using namespace kx;

JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetRaidGroups(
    JNIEnv* env, jclass, jstring unit_name) {
  // The core reports no count: every slot of the table is converted.
  return record_array<RaidGroupRecord>(
      env, unit_name, kRaidGroupType, kRaidGroupCapacity,
      [](const char* unit, RaidGroupRecord* table) {
        return KX_GetRaidGroups(unit, table);
      });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1RaidGroupAdd(
    JNIEnv* env, jclass, jstring unit_name, jobject raid_group) {
  record_write<RaidGroupRecord>(env, unit_name, raid_group, kRaidGroupType,
                                [](const char* unit, RaidGroupRecord* record) {
                                  return KX_RaidGroupAdd(unit, record);
                                });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1RaidGroupDelete(
    JNIEnv* env, jclass, jstring unit_name, jint raid_group) {
  action(env, unit_name, [raid_group](const char* unit) {
    return KX_RaidGroupDelete(unit, raid_group);
  });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1RaidGroupAllDelete(
    JNIEnv* env, jclass, jstring unit_name) {
  action(env, unit_name,
         [](const char* unit) { return KX_RaidGroupAllDelete(unit); });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1RaidGroupExpand(
    JNIEnv* env, jclass, jstring unit_name, jobject raid_group) {
  record_write<RaidGroupRecord>(env, unit_name, raid_group, kRaidGroupType,
                                [](const char* unit, RaidGroupRecord* record) {
                                  return KX_RaidGroupExpand(unit, record);
                                });
}
