// Native methods of unit information and the unit clock. The clock methods
// leave standard output alone and keep the clock on the stack.
#include "bridge/native.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_clock.h"
#include "kx_core.h"
#include "status/status_records.h"

using namespace kx;

namespace {

// The unit clock the core fills, as a new GregorianCalendar. The core counts
// years from 1900; the calendar gets the calendar year. A calendar that
// cannot be made is returned as null with its lookup's exception standing.
class CalendarOut {
 public:
  static constexpr bool kResult = true;
  using Java = jobject;

  [[nodiscard]] bool prepare(CallContext&) { return true; }
  std::tuple<BrokenDownTime*> args() { return {&clock_}; }
  Java failure() const { return nullptr; }
  [[nodiscard]] bool finish(CallContext& call, Java& out) {
    out = new_calendar(call.env, &clock_);
    return out != nullptr;
  }

 private:
  BrokenDownTime clock_{};
};

// A Java Calendar read into a broken-down time holding the calendar year
// itself. A null calendar raises ERR_NULL_ARGUMENT; one that cannot be read
// raises the reader's code; the core is not called in either case.
class CalendarIn : public ArgumentConverter {
 public:
  explicit CalendarIn(jobject calendar) : calendar_(calendar) {}
  [[nodiscard]] bool prepare(CallContext& call) {
    if (calendar_ == nullptr) {
      raise_error(call.env, ERR_NULL_ARGUMENT);
      return false;
    }
    int32_t status = read_calendar(call.env, calendar_, &clock_);
    if (status != 0) {
      raise_error(call.env, status);
      return false;
    }
    return true;
  }
  std::tuple<const BrokenDownTime*> args() const { return {&clock_}; }

 private:
  jobject calendar_;
  BrokenDownTime clock_{};
};

}  // namespace

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetUnitInformation(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetUnitInformation, unit_name_arg(unit_name),
                record_out<UnitInformationRecord>(kUnitInformationType));
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetUnitTime(
    JNIEnv* env, jclass, jstring unit_name) {
  return native<Quiet>(env, KX_GetUnitTime, unit_name_arg(unit_name),
                       CalendarOut());
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetUnitTime(
    JNIEnv* env, jclass, jstring unit_name, jobject time) {
  native<Quiet>(env, KX_SetUnitTime, unit_name_arg(unit_name),
                CalendarIn(time));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetUnitTimeNow(
    JNIEnv* env, jclass, jstring unit_name) {
  native<Quiet>(env, KX_SetUnitTimeNow, unit_name_arg(unit_name));
}
