// Native methods of unit control.
#include "bridge/frame.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"

using namespace kx;

// The unit name goes to the core in a 1024-byte buffer, not cut to 16 bytes.
JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1UnitReboot(
    JNIEnv* env, jclass, jstring unit_name) {
  action<kLongNameSize>(env, unit_name,
                        [](const char* unit) { return KX_UnitReboot(unit); });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetSPinformation(
    JNIEnv* env, jclass, jstring unit_name, jint first, jint second,
    jint third) {
  action(env, unit_name, [first, second, third](const char* unit) {
    return KX_SetSPinformation(unit, first, second, third);
  });
}

JNIEXPORT jint JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1FDDTest(JNIEnv* env, jclass,
                                                           jstring unit_name,
                                                           jint controller) {
  return int_result(env, unit_name,
                    [controller](const char* unit, int32_t* result) {
                      return KX_FDDTest(unit, controller, result);
                    });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1TestUnitReady(
    JNIEnv* env, jclass, jstring unit_name, jint controller) {
  action(env, unit_name, [controller](const char* unit) {
    return KX_TestUnitReady(unit, controller);
  });
}
