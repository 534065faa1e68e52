// Native methods of Fibre Channel ports and their LUN security.
#include "bridge/frame.h"
#include "connectivity/connectivity_records.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"

using namespace kx;

JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetFibreInformation(
    JNIEnv* env, jclass, jstring unit_name) {
  return record_array<FibreInformationRecord>(
      env, unit_name, kFibreInformationType, kHostControllerCapacity,
      [](const char* unit, FibreInformationRecord* records) {
        return KX_GetFibreInformation(unit, &records[0], &records[1]);
      });
}

// Hand-written: two records, each allocated and read from its own object.
// As in every record write, a null object is refused before anything is
// allocated rather than sent to the core as zeros.
JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetFibreInformation(
    JNIEnv* env, jclass, jstring unit_name, jobject first, jobject second) {
  flush_output();
  char unit[kUnitNameSize];
  if (!convert_required(env, unit_name, unit)) return;
  if (first == nullptr || second == nullptr) {
    raise_error(env, ERR_NULL_ARGUMENT);
    return;
  }
  HeapPtr<FibreInformationRecord> first_record =
      heap_new<FibreInformationRecord>();
  HeapPtr<FibreInformationRecord> second_record =
      heap_new<FibreInformationRecord>();
  if (!first_record || !second_record) {
    raise_error(env, ERR_NO_MEMORY);
    return;
  }
  read_record(env, kFibreInformationType, first, first_record.get());
  read_record(env, kFibreInformationType, second, second_record.get());
  const int32_t code =
      KX_SetFibreInformation(unit, first_record.get(), second_record.get());
  first_record.reset();
  second_record.reset();
  if (!core_succeeded(env, code) || !conversion_clean(env)) return;
  flush_output();
}

// Hand-written: a later-family method whose array length is the count the
// core returns. The count is kept within the 128-entry table, so a count
// out of range never reads past it.
JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1FibreInfoPermissionImport(
    JNIEnv* env, jclass, jstring unit_name, jstring file_name, jint arg1,
    jint arg2) {
  char unit[kUnitNameSize];
  if (!convert_required(env, unit_name, unit)) return nullptr;
  char file[1024];
  if (!convert_required(env, file_name, file)) return nullptr;
  int32_t count = 0;
  FibreInformationPermissionRecord table[kHostGroupCapacity] = {};
  if (!core_succeeded(env, KX_FibreInfoPermissionImport(unit, file, arg1, arg2,
                                                        &count, table))) {
    return nullptr;
  }
  size_t built = count < 0 ? 0 : static_cast<size_t>(count);
  if (built > kHostGroupCapacity) built = kHostGroupCapacity;
  LocalRef<jobjectArray> array(
      env, new_record_array(env, kFibreInformationPermissionType.class_name,
                            static_cast<jsize>(built)));
  if (!array) return nullptr;
  fill_record_array(env, array.get(), kFibreInformationPermissionType, table,
                    built, false);
  return array.release();
}
