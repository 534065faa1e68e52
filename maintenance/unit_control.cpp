// Native methods of unit control.
#include "bridge/native.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"

using namespace kx;

// The unit name goes to the core in a 1024-byte buffer, not cut to 16 bytes.
JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1UnitReboot(
    JNIEnv* env, jclass, jstring unit_name) {
  native(env, KX_UnitReboot, long_text_arg(unit_name));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetSPinformation(
    JNIEnv* env, jclass, jstring unit_name, jint link, jint interval,
    jint port) {
  native(env, KX_SetSPinformation, unit_name_arg(unit_name), int_arg(link),
         int_arg(interval), int_arg(port));
}

JNIEXPORT jint JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1FDDTest(JNIEnv* env, jclass,
                                                           jstring unit_name,
                                                           jint controller) {
  return native(env, KX_FDDTest, unit_name_arg(unit_name), int_arg(controller),
                int_out());
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1TestUnitReady(
    JNIEnv* env, jclass, jstring unit_name, jint controller) {
  native(env, KX_TestUnitReady, unit_name_arg(unit_name), int_arg(controller));
}
