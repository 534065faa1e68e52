// Native methods of the unit registry.
#include <algorithm>

#include "bridge/frame.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "units/unit_records.h"

using namespace kx;

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetUnitParam(
    JNIEnv* env, jclass, jstring unit_name) {
  return record_read<KXUnitParamRecord>(
      env, unit_name, kUnitParamType,
      [](const char* unit, KXUnitParamRecord* record) {
        return KX_GetUnitParam(unit, record);
      });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1UnitAdd(JNIEnv* env, jclass,
                                                           jobject record) {
  record_write_no_unit<KXUnitParamRecord>(
      env, record, kUnitParamType,
      [](KXUnitParamRecord* unit) { return KX_UnitAdd(unit); });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1UnitDelete(
    JNIEnv* env, jclass, jstring unit_name) {
  action(env, unit_name, [](const char* unit) { return KX_UnitDelete(unit); });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1UnitChange(
    JNIEnv* env, jclass, jstring old_unit_name, jobject record) {
  // The old name may be longer than a unit name, up to a path's length.
  record_write<KXUnitParamRecord, kLongNameSize>(
      env, old_unit_name, record, kUnitParamType,
      [](const char* old_unit, KXUnitParamRecord* unit) {
        return KX_UnitChange(old_unit, unit);
      });
}

JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetUnitParamTable(
    JNIEnv* env, jclass, jint count) {
  // A negative count sizes no table; it is refused before anything is made.
  if (count < 0) {
    raise_error(env, ERR_MARSHAL);
    return nullptr;
  }
  HeapPtr<KXUnitParamRecord> records = heap_new<KXUnitParamRecord>(
      sizeof(KXUnitParamRecord) * static_cast<size_t>(count));
  if (!records) {
    raise_error(env, ERR_NO_MEMORY);
    return nullptr;
  }
  int32_t code = KX_GetUnitParamTable(count, records.get());
  LocalRef<jobjectArray> array;
  if (code == 0) {
    array = LocalRef<jobjectArray>(
        env, new_record_array(env, kUnitParamType.class_name, count));
    if (array) {
      fill_record_array(env, array.get(), kUnitParamType, records.get(),
                        static_cast<size_t>(count), true);
    } else {
      code = -1;
    }
  }
  flush_output();
  records.reset();
  if (code != 0) {
    raise_error(env, code);
    return nullptr;
  }
  return array.release();
}

JNIEXPORT jint JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetUnitCount(JNIEnv* env,
                                                                jclass) {
  int32_t count = 0;
  int32_t code = KX_GetUnitCount(&count);
  if (code != 0) {
    raise_error(env, code);
    return -1;
  }
  return count;
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GUIInitialize(
    JNIEnv* env, jclass, jobject record) {
  record_write_no_unit<WorkingDirectoryRecord>(
      env, record, kWorkingDirectoryType,
      [](WorkingDirectoryRecord* path) { return KX_GUIInitialize(path); });
}

JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetLabelList(JNIEnv* env,
                                                                jclass) {
  flush_output();
  KXLabelRecord entries[kLabelListCapacity] = {};
  int32_t count = 0;
  if (!core_succeeded(env, KX_GetLabelList(entries, &count))) return nullptr;
  // The list holds at most its capacity, whatever count the core reports.
  count = std::clamp<int32_t>(count, 0, kLabelListCapacity);
  LocalRef<jobjectArray> array(
      env, new_record_array(env, kLabelType.class_name, count));
  if (!array) return nullptr;
  fill_record_array(env, array.get(), kLabelType, entries,
                    static_cast<size_t>(count), true);
  flush_output();
  return array.release();
}

JNIEXPORT jstring JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ModifyInfo(JNIEnv* env,
                                                              jclass,
                                                              jstring text,
                                                              jint value) {
  flush_output();
  char in[kModifyInfoSize];
  if (!convert_required(env, text, in)) return nullptr;
  char out[kModifyInfoSize] = {};
  if (!core_succeeded(env, KX_ModifyInfo(in, value, out))) return nullptr;
  out[kModifyInfoSize - 1] = '\0';
  LocalRef<jstring> result(env, env->NewStringUTF(out));
  if (!result) {
    raise_error(env, ERR_MARSHAL);
    return nullptr;
  }
  flush_output();
  return result.release();
}
