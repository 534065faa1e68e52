// Native methods of statistics and performance collection. The statistics
// tree is one record type; the samples carry a calendar, so they have a
// builder and a reader of their own (statistics_records.h) and converters of
// their own.
#include <algorithm>

#include "bridge/native.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "statistics/statistics_records.h"

using namespace kx;

namespace {

// The two samples the core fills, held in the native's frame, as a
// StatisticalCommand[2]. Like every table, the array holds the samples built
// up to the first that fails, and an array that cannot be made ends the call
// with null and its exception standing.
class SamplePairOut {
 public:
  static constexpr bool kResult = true;
  using Java = jobjectArray;

  [[nodiscard]] bool prepare(CallContext&) { return true; }
  std::tuple<StatisticalCommandRecord*, StatisticalCommandRecord*> args() {
    return {&samples_[0], &samples_[1]};
  }
  Java failure() const { return nullptr; }
  [[nodiscard]] bool finish(CallContext& call, Java& out) {
    LocalRef<jobjectArray> array(
        call.env, new_record_array(call.lookups, kStatisticalCommandType, 2));
    if (!array) return false;
    for (jsize i = 0; i < 2; ++i) {
      LocalRef<jobject> sample(
          call.env, build_statistical_command(call.lookups, &samples_[i]));
      if (!sample) break;
      call.env->SetObjectArrayElement(array.get(), i, sample.get());
      if (call.env->ExceptionCheck()) break;
    }
    out = array.release();
    return true;
  }

 private:
  StatisticalCommandRecord samples_[2] = {};
};

// A sample read into a zero-filled heap record. A null sample raises
// ERR_NULL_ARGUMENT; one that cannot be read whole raises ERR_MARSHAL, so the
// core never writes figures from a half-read sample.
class SampleIn : public ArgumentConverter {
 public:
  explicit SampleIn(jobject sample) : sample_(sample) {}
  [[nodiscard]] bool prepare(CallContext& call) {
    if (sample_ == nullptr) {
      raise_error(call.env, ERR_NULL_ARGUMENT);
      return false;
    }
    record_ = heap_new<StatisticalCommandRecord>();
    if (!record_) {
      raise_error(call.env, ERR_NO_MEMORY);
      return false;
    }
    if (read_statistical_command(call.lookups, sample_, record_.get()) != 0) {
      raise_error(call.env, ERR_MARSHAL);
      return false;
    }
    return true;
  }
  std::tuple<const StatisticalCommandRecord*> args() const {
    return {record_.get()};
  }

 private:
  jobject sample_;
  HeapPtr<StatisticalCommandRecord> record_;
};

// The LU selection: byte i is the low 8 bits of element i. A list longer
// than the 512 LU entries is cut to them; the bytes after a shorter list are
// 0. A null list raises ERR_NULL_ARGUMENT.
class LuListIn : public ArgumentConverter {
 public:
  explicit LuListIn(jintArray list) : list_(list) {}
  [[nodiscard]] bool prepare(CallContext& call) {
    if (list_ == nullptr) {
      raise_error(call.env, ERR_NULL_ARGUMENT);
      return false;
    }
    const jsize length = std::min<jsize>(call.env->GetArrayLength(list_),
                                         kPerformanceLuListSize);
    jint elements[kPerformanceLuListSize];
    call.env->GetIntArrayRegion(list_, 0, length, elements);
    if (call.env->ExceptionCheck()) {
      raise_error(call.env, ERR_MARSHAL);
      return false;
    }
    for (jsize i = 0; i < length; ++i) {
      selection_[i] = static_cast<uint8_t>(elements[i] & 0xFF);
    }
    return true;
  }
  std::tuple<const uint8_t*> args() const { return {selection_}; }

 private:
  jintArray list_;
  uint8_t selection_[kPerformanceLuListSize] = {};
};

}  // namespace

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetStatisticalInformation(
    JNIEnv* env, jclass, jstring unit_name, jint arg) {
  return native(env, KX_GetStatisticalInformation, unit_name_arg(unit_name),
                int_arg(arg),
                record_out<StatisticalInformationRecord>(
                    kStatisticalInformationType));
}

JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetPerformance(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetPerformance, unit_name_arg(unit_name),
                SamplePairOut());
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1PerformanceOutput(
    JNIEnv* env, jclass, jstring unit_name, jstring text, jobject sample1,
    jobject sample2, jobject sample3, jobject sample4) {
  native(env, KX_PerformanceOutput, unit_name_arg(unit_name),
         long_text_arg(text), SampleIn(sample1), SampleIn(sample2),
         SampleIn(sample3), SampleIn(sample4));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1PerformanceOutputLU(
    JNIEnv* env, jclass, jstring unit_name, jstring text, jobject sample1,
    jobject sample2, jobject sample3, jobject sample4, jint arg1,
    jintArray lu_list, jint arg2) {
  native(env, KX_PerformanceOutputLU, unit_name_arg(unit_name),
         long_text_arg(text), SampleIn(sample1), SampleIn(sample2),
         SampleIn(sample3), SampleIn(sample4), int_arg(arg1),
         LuListIn(lu_list), int_arg(arg2));
}

// No unit name: three ints in, the core's three output ints out as an
// int[3] in the order of its output parameters.
JNIEXPORT jintArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1BlockToByte(
    JNIEnv* env, jclass, jint arg1, jint arg2, jint arg3) {
  return native(env, KX_BlockToByte, int_arg(arg1), int_arg(arg2),
                int_arg(arg3), split_ints_out<3>());
}
