// The station rows' own natives (class korvane.str.diskarray.bench.
// StationNatives), linked against the real core: one core call made many
// times straight from C, timed in CPU time of the calling thread, so the
// station's own cost (SQLite and the core's loaders) is measured without the
// bridge. Never shipped.
#include <jni.h>
#include <time.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "korvane_str_diskarray_bench_StationNatives.h"
#include "kx_core.h"
#include "kx_snapshot.h"
#include "kx_statistics.h"
#include "kx_units.h"

namespace {

int64_t thread_cpu_nanos() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<int64_t>(now.tv_sec) * 1000000000 + now.tv_nsec;
}

struct FreeMemory {
  void operator()(void* memory) const { std::free(memory); }
};

// What the call kinds of StationNatives name.
enum Call : jint { kSnapshot = 0, kStatistics = 1 };

void throw_state(JNIEnv* env, const char* message) {
  if (env->ExceptionCheck()) return;
  jclass cls = env->FindClass("java/lang/IllegalStateException");
  if (cls != nullptr) env->ThrowNew(cls, message);
}

}  // namespace

// CPU time of `calls` calls of one core function on `unit`, each into a
// zero-filled record allocated and cleared before the clock starts. A core
// failure, an unknown call kind or missing memory throws
// IllegalStateException.
JNIEXPORT jlong JNICALL
Java_korvane_str_diskarray_bench_StationNatives_coreNanos(JNIEnv* env, jclass,
                                                          jint call,
                                                          jstring unit,
                                                          jint calls) {
  if (unit == nullptr || calls <= 0) {
    throw_state(env, "no unit, or no calls");
    return -1;
  }
  char unit_name[kUnitNameSize] = {};
  const char* chars = env->GetStringUTFChars(unit, nullptr);
  if (chars == nullptr) return -1;
  std::strncpy(unit_name, chars, sizeof(unit_name) - 1);
  env->ReleaseStringUTFChars(unit, chars);

  size_t size = call == kSnapshot     ? sizeof(ArrayAllInformationRecord)
                : call == kStatistics ? sizeof(StatisticalInformationRecord)
                                      : 0;
  std::unique_ptr<void, FreeMemory> record(size != 0 ? std::calloc(1, size)
                                                     : nullptr);
  if (!record) {
    throw_state(env, "unknown call kind, or out of memory");
    return -1;
  }
  int64_t total = 0;
  for (jint i = 0; i < calls; ++i) {
    std::memset(record.get(), 0, size);
    const int64_t start = thread_cpu_nanos();
    int32_t code =
        call == kSnapshot
            ? KX_GetAllInformation(
                  unit_name,
                  static_cast<ArrayAllInformationRecord*>(record.get()))
            : KX_GetStatisticalInformation(
                  unit_name, 0,
                  static_cast<StatisticalInformationRecord*>(record.get()));
    total += thread_cpu_nanos() - start;
    if (code != 0) {
      char message[96];
      std::snprintf(message, sizeof message, "the core answered %d",
                    static_cast<int>(code));
      throw_state(env, message);
      return -1;
    }
  }
  return total;
}
