// Native methods of statistics and performance collection.
#include <algorithm>
#include <cstring>

#include "bridge/frame.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "statistics/statistics_records.h"

using namespace kx;

namespace {

constexpr size_t kTextSize = 1024;
constexpr char kStatisticalCommandClass[] =
    "korvane/str/diskarray/StatisticalCommand";

// The four samples of the output calls, each read into a zero-filled heap
// record. A null sample is a missing argument; a sample that cannot be read
// whole is refused, so the core never writes figures from a half-read
// sample. Returns 0 or the code to raise.
int32_t read_samples(JNIEnv* env, const jobject (&samples)[4],
                     HeapPtr<StatisticalCommandRecord> (&records)[4]) {
  for (jobject sample : samples) {
    if (sample == nullptr) return ERR_NULL_ARGUMENT;
  }
  for (auto& record : records) {
    record = heap_new<StatisticalCommandRecord>();
    if (!record) return ERR_NO_MEMORY;
  }
  for (size_t k = 0; k < 4; ++k) {
    if (read_statistical_command(env, samples[k], records[k].get()) != 0) {
      return ERR_MARSHAL;
    }
  }
  return 0;
}

}  // namespace

// The record-read frame, with the statistics builder that adds the grids.
JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetStatisticalInformation(
    JNIEnv* env, jclass, jstring unit_name, jint arg) {
  flush_output();
  char unit[kUnitNameSize];
  if (!convert_required(env, unit_name, unit)) return nullptr;
  HeapPtr<StatisticalInformationRecord> record =
      heap_new<StatisticalInformationRecord>();
  if (!record) {
    raise_error(env, ERR_NO_MEMORY);
    return nullptr;
  }
  if (!core_succeeded(env, KX_GetStatisticalInformation(unit, arg,
                                                         record.get()))) {
    return nullptr;
  }
  LocalRef<jobject> object(env,
                           build_statistical_information(env, record.get()));
  record.reset();
  if (!object || env->ExceptionCheck()) {
    raise_error(env, ERR_MARSHAL);
    return nullptr;
  }
  flush_output();
  return object.release();
}

// Both samples live in the method's frame. Like every record-array method,
// the array holds the samples built up to the first that fails, and a failed
// array leaves the exception of its lookup or allocation pending.
JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetPerformance(
    JNIEnv* env, jclass, jstring unit_name) {
  flush_output();
  char unit[kUnitNameSize];
  if (!convert_required(env, unit_name, unit)) return nullptr;
  StatisticalCommandRecord samples[2] = {};
  if (!core_succeeded(env,
                      KX_GetPerformance(unit, &samples[0], &samples[1]))) {
    return nullptr;
  }
  LocalRef<jobjectArray> array(
      env, new_record_array(env, kStatisticalCommandClass, 2));
  if (!array) return nullptr;
  for (jsize i = 0; i < 2; ++i) {
    LocalRef<jobject> sample(env, build_statistical_command(env, &samples[i]));
    if (!sample) break;
    env->SetObjectArrayElement(array.get(), i, sample.get());
    if (env->ExceptionCheck()) break;
  }
  flush_output();
  return array.release();
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1PerformanceOutput(
    JNIEnv* env, jclass, jstring unit_name, jstring text, jobject sample1,
    jobject sample2, jobject sample3, jobject sample4) {
  flush_output();
  char unit[kUnitNameSize];
  if (!convert_required(env, unit_name, unit)) return;
  char path[kTextSize];
  if (!convert_required(env, text, path)) return;
  HeapPtr<StatisticalCommandRecord> records[4];
  const int32_t status =
      read_samples(env, {sample1, sample2, sample3, sample4}, records);
  if (status != 0) {
    raise_error(env, status);
    return;
  }
  const int32_t code =
      KX_PerformanceOutput(unit, path, records[0].get(), records[1].get(),
                           records[2].get(), records[3].get());
  for (auto& record : records) record.reset();
  if (!core_succeeded(env, code)) return;
  flush_output();
}

// The LU list gives one byte per LU (the low 8 bits of each element); a
// list longer than the 512 LU entries is cut to them, and the bytes after a
// shorter list are 0.
JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1PerformanceOutputLU(
    JNIEnv* env, jclass, jstring unit_name, jstring text, jobject sample1,
    jobject sample2, jobject sample3, jobject sample4, jint arg1,
    jintArray lu_list, jint arg2) {
  flush_output();
  char unit[kUnitNameSize];
  if (!convert_required(env, unit_name, unit)) return;
  char path[kTextSize];
  if (!convert_required(env, text, path)) return;
  if (lu_list == nullptr) {
    raise_error(env, ERR_NULL_ARGUMENT);
    return;
  }
  HeapPtr<StatisticalCommandRecord> records[4];
  const int32_t status =
      read_samples(env, {sample1, sample2, sample3, sample4}, records);
  if (status != 0) {
    raise_error(env, status);
    return;
  }
  uint8_t selection[kPerformanceLuListSize] = {};
  {
    const jsize length = std::min<jsize>(env->GetArrayLength(lu_list),
                                         kPerformanceLuListSize);
    jint elements[kPerformanceLuListSize];
    env->GetIntArrayRegion(lu_list, 0, length, elements);
    if (env->ExceptionCheck()) {
      raise_error(env, ERR_MARSHAL);
      return;
    }
    for (jsize i = 0; i < length; ++i) {
      selection[i] = static_cast<uint8_t>(elements[i] & 0xFF);
    }
  }
  const int32_t code = KX_PerformanceOutputLU(
      unit, path, records[0].get(), records[1].get(), records[2].get(),
      records[3].get(), arg1, selection, arg2);
  for (auto& record : records) record.reset();
  if (!core_succeeded(env, code)) return;
  flush_output();
}

// No unit name: three ints in, three ints out, as an int[3] in the order of
// the core's output parameters.
JNIEXPORT jintArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1BlockToByte(
    JNIEnv* env, jclass, jint arg1, jint arg2, jint arg3) {
  flush_output();
  int32_t results[3] = {};
  if (!core_succeeded(env, KX_BlockToByte(arg1, arg2, arg3, &results[0],
                                          &results[1], &results[2]))) {
    return nullptr;
  }
  LocalRef<jintArray> array(env, env->NewIntArray(3));
  if (!array) {
    raise_error(env, ERR_MARSHAL);
    return nullptr;
  }
  const jint values[3] = {results[0], results[1], results[2]};
  env->SetIntArrayRegion(array.get(), 0, 3, values);
  if (env->ExceptionCheck()) {
    raise_error(env, ERR_MARSHAL);
    return nullptr;
  }
  flush_output();
  return array.release();
}
