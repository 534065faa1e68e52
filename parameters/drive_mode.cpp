// Native method that sets the mode of one drive.
#include "bridge/frame.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"

using namespace kx;

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetDriveMode(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jint arg2, jint arg3) {
  action(env, unit_name, [=](const char* unit) {
    return KX_SetDriveMode(unit, arg1, arg2, arg3);
  });
}
