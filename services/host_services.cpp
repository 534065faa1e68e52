// Native methods of the external program, the logs, the environment checks
// and the SNMP settings.
#include "bridge/native.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "services/services_records.h"

using namespace kx;

namespace {

// The SNMP pair's two optional texts: at least one must hold text, or the
// call raises ERR_NULL_ARGUMENT before the core. Passes nothing to the core.
class AnyText : public ArgumentConverter {
 public:
  AnyText(jstring first, jstring second) : first_(first), second_(second) {}
  [[nodiscard]] bool prepare(CallContext& call) {
    // A conversion before this one may have failed with its exception
    // pending; no JNI call may follow it.
    if (call.env->ExceptionCheck()) {
      raise_error(call.env, ERR_MARSHAL);
      return false;
    }
    if (has_text(call.env, first_) || has_text(call.env, second_)) return true;
    raise_error(call.env, ERR_NULL_ARGUMENT);
    return false;
  }
  std::tuple<> args() const { return {}; }

 private:
  static bool has_text(JNIEnv* env, jstring string) {
    return string != nullptr && env->GetStringLength(string) > 0;
  }
  jstring first_;
  jstring second_;
};

}  // namespace

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetExProgramInfo(JNIEnv* env,
                                                                    jclass) {
  return native(env, KX_GetExProgramInfo,
                record_out<ExProgramInfoRecord>(kExProgramInfoType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetExProgramInfo(
    JNIEnv* env, jclass, jobject settings) {
  native(env, KX_SetExProgramInfo,
         record_in<ExProgramInfoRecord>(settings, kExProgramInfoType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ExecuteProgramTest(
    JNIEnv* env, jclass, jobject settings) {
  native(env, KX_ExecuteProgramTest,
         record_in<ExProgramInfoRecord>(settings, kExProgramInfoType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ExecuteProgram(JNIEnv* env,
                                                                  jclass) {
  native(env, KX_ExecuteProgram);
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1EnvironmentCheck(JNIEnv* env,
                                                                    jclass) {
  native(env, KX_EnvironmentCheck);
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ErrLogPut(JNIEnv* env, jclass,
                                                             jstring text) {
  native(env, KX_ErrLogPut, long_text_arg(text));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ErrLogDelete(JNIEnv* env,
                                                                jclass) {
  native(env, KX_ErrLogDelete);
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1AppLogPut(JNIEnv* env, jclass,
                                                             jstring text) {
  native(env, KX_AppLogPut, long_text_arg(text));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1JavaVersionCheck(
    JNIEnv* env, jclass, jstring version) {
  native(env, KX_JavaVersionCheck, long_text_arg(version));
}

// Either text may be null (an empty text), but not both empty.
JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetSnmpConfig(
    JNIEnv* env, jclass, jstring unit_name, jstring first, jstring second) {
  native(env, KX_SetSnmpConfig, unit_name_arg(unit_name),
         AnyText(first, second), optional_text_arg<kLongNameSize>(first),
         optional_text_arg<kLongNameSize>(second));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SnmpConfigOutput(
    JNIEnv* env, jclass, jstring unit_name, jstring first, jstring second) {
  native(env, KX_SnmpConfigOutput, unit_name_arg(unit_name),
         AnyText(first, second), optional_text_arg<kLongNameSize>(first),
         optional_text_arg<kLongNameSize>(second));
}
