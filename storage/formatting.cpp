// Native methods of formatting and its progress.
#include "bridge/native.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "storage/storage_records.h"

using namespace kx;

// A byte[] shorter than the 512 entries is refused before the core is called.
JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1EntryFormatList(
    JNIEnv* env, jclass, jstring unit_name, jobject list) {
  native(env, KX_EntryFormatList, unit_name_arg(unit_name),
         record_in<FormatEntryListRecord>(list, kFormatEntryListType));
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetFormatStatusList(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetFormatStatusList, unit_name_arg(unit_name),
                record_out<FormatStatusListRecord>(kFormatStatusListType));
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogicalUnitFormatStatusList(
    JNIEnv* env, jclass, jstring unit_name) {
  return native<Quiet>(
      env, KX_LogicalUnitFormatStatusList, unit_name_arg(unit_name),
      record_out<LuFormatStatusListRecord>(kLuFormatStatusListType));
}
