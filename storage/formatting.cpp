// Native methods of LU formatting: the entry list and progress lists.
#include "bridge/frame.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "storage/storage_records.h"

using namespace kx;

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1EntryFormatList(
    JNIEnv* env, jclass, jstring unit_name, jobject entry_list) {
  record_write<FormatEntryListRecord>(
      env, unit_name, entry_list, kFormatEntryListType,
      [](const char* unit, FormatEntryListRecord* list) {
        return KX_EntryFormatList(unit, list);
      });
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetFormatStatusList(
    JNIEnv* env, jclass, jstring unit_name) {
  return record_read<FormatStatusListRecord>(
      env, unit_name, kFormatStatusListType,
      [](const char* unit, FormatStatusListRecord* record) {
        return KX_GetFormatStatusList(unit, record);
      });
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogicalUnitFormatStatusList(
    JNIEnv* env, jclass, jstring unit_name) {
  // Later family: an unbuilt list comes back as null with no exception added.
  return later_record_read<LuFormatStatusListRecord>(
      env, unit_name, kLuFormatStatusListType,
      [](const char* unit, LuFormatStatusListRecord* record) {
        return KX_LogicalUnitFormatStatusList(unit, record);
      });
}
