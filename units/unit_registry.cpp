// Native methods of the unit registry.
#include <algorithm>
#include <limits>

#include "bridge/native.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "units/unit_records.h"

using namespace kx;

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetUnitParam(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetUnitParam, unit_name_arg(unit_name),
                record_out<KXUnitParamRecord>(kUnitParamType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1UnitAdd(JNIEnv* env, jclass,
                                                           jobject record) {
  native(env, KX_UnitAdd, record_in<KXUnitParamRecord>(record, kUnitParamType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1UnitDelete(
    JNIEnv* env, jclass, jstring unit_name) {
  native(env, KX_UnitDelete, unit_name_arg(unit_name));
}

// The old name may be longer than a unit name, up to a path's length.
JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1UnitChange(
    JNIEnv* env, jclass, jstring old_unit_name, jobject record) {
  native(env, KX_UnitChange, long_text_arg(old_unit_name),
         record_in<KXUnitParamRecord>(record, kUnitParamType));
}

// Irregular: the table is sized by the caller's count, standard output is
// flushed once, just before the table is freed, on every path, and an array
// that cannot be made is reported as -1.
JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetUnitParamTable(
    JNIEnv* env, jclass, jint count) {
  // A negative count, or one above the most units a station registers,
  // sizes no table: it is refused before anything is made. The bound also
  // keeps the table's size far from wrapping a 32-bit size_t.
  if (count < 0 || count > static_cast<jint>(kMaxUnits)) {
    raise_error(env, ERR_MARSHAL);
    return nullptr;
  }
  const size_t entries = static_cast<size_t>(count);
  static_assert(kMaxUnits <= std::numeric_limits<size_t>::max() /
                                 sizeof(KXUnitParamRecord),
                "the largest unit table fits a size_t");
  // calloc(0) may answer null; one byte keeps that from looking like an
  // exhausted heap.
  HeapPtr<KXUnitParamRecord> records = heap_new<KXUnitParamRecord>(
      std::max<size_t>(1, sizeof(KXUnitParamRecord) * entries));
  if (!records) {
    raise_error(env, ERR_NO_MEMORY);
    return nullptr;
  }
  int32_t code = KX_GetUnitParamTable(count, records.get());
  Lookups lookups(env);
  LocalRef<jobjectArray> array;
  if (code == 0) {
    array = LocalRef<jobjectArray>(
        env, new_record_array(lookups, kUnitParamType, count));
    if (array) {
      fill_record_array(lookups, array.get(), kUnitParamType, records.get(),
                        entries, true);
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
  return native<Quiet>(env, KX_GetUnitCount, int_out(-1));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GUIInitialize(
    JNIEnv* env, jclass, jobject record) {
  native(env, KX_GUIInitialize,
         record_in<WorkingDirectoryRecord>(record, kWorkingDirectoryType));
}

// Irregular: the core reports how many of the list's entries are in use; the
// array holds that many, never more than the list's capacity.
JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetLabelList(JNIEnv* env,
                                                                jclass) {
  flush_output();
  KXLabelRecord entries[kLabelListCapacity] = {};
  int32_t count = 0;
  int32_t code = KX_GetLabelList(entries, &count);
  if (code != 0) {
    raise_error(env, code);
    return nullptr;
  }
  count = std::clamp<int32_t>(count, 0, kLabelListCapacity);
  Lookups lookups(env);
  LocalRef<jobjectArray> array(env,
                               new_record_array(lookups, kLabelType, count));
  if (!array) return nullptr;
  fill_record_array(lookups, array.get(), kLabelType, entries,
                    static_cast<size_t>(count), true);
  flush_output();
  return array.release();
}

JNIEXPORT jstring JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ModifyInfo(JNIEnv* env,
                                                              jclass,
                                                              jstring text,
                                                              jint value) {
  return native(env, KX_ModifyInfo, text_arg<kModifyInfoSize>(text),
                int_arg(value), text_out<kModifyInfoSize>());
}
