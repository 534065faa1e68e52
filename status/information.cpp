// Native methods of unit information and the unit clock. The clock methods
// belong to the later family: the clock is on the stack and nothing is
// flushed.
#include "bridge/frame.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "status/status_records.h"

using namespace kx;

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetUnitInformation(
    JNIEnv* env, jclass, jstring unit_name) {
  return record_read<UnitInformationRecord>(
      env, unit_name, kUnitInformationType,
      [](const char* unit, UnitInformationRecord* record) {
        return KX_GetUnitInformation(unit, record);
      });
}

// The core counts years from 1900; the calendar gets the calendar year. A
// calendar that cannot be made is returned as null with its lookup's
// exception standing.
JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetUnitTime(
    JNIEnv* env, jclass, jstring unit_name) {
  char unit[kUnitNameSize];
  if (!convert_required(env, unit_name, unit)) return nullptr;
  BrokenDownTime clock{};
  if (!core_succeeded(env, KX_GetUnitTime(unit, &clock))) return nullptr;
  return new_calendar(env, &clock);
}

// The core receives the calendar year itself. A calendar that cannot be read
// never reaches the core.
JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetUnitTime(
    JNIEnv* env, jclass, jstring unit_name, jobject time) {
  if (unit_name == nullptr || time == nullptr) {
    raise_error(env, ERR_NULL_ARGUMENT);
    return;
  }
  char unit[kUnitNameSize];
  get_unit_name(env, unit_name, unit, sizeof(unit));
  BrokenDownTime clock{};
  int32_t status = read_calendar(env, time, &clock);
  if (status != 0) {
    raise_error(env, status);
    return;
  }
  core_succeeded(env, KX_SetUnitTime(unit, &clock));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetUnitTimeNow(
    JNIEnv* env, jclass, jstring unit_name) {
  later_action(env, unit_name,
               [](const char* unit) { return KX_SetUnitTimeNow(unit); });
}
