// Native method that sets the mode of one drive.
#include "bridge/native.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"

using namespace kx;

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetDriveMode(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jint arg2, jint arg3) {
  native(env, KX_SetDriveMode, unit_name_arg(unit_name), int_arg(arg1),
         int_arg(arg2), int_arg(arg3));
}
