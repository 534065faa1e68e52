// Native methods of the external program, the logs, the environment checks
// and the SNMP settings.
#include "bridge/frame.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "services/services_records.h"

using namespace kx;

namespace {

// One required text of at most 1023 bytes, no unit name.
template <typename Call>
void text_action(JNIEnv* env, jstring text, Call&& call) {
  flush_output();
  char buffer[kLongNameSize];
  if (!convert_required(env, text, buffer) || !conversion_clean(env)) return;
  if (!core_succeeded(env, call(static_cast<const char*>(buffer)))) return;
  flush_output();
}

// The SNMP pair: two optional texts (null is empty), of which at least one
// must be non-empty.
template <typename Call>
void snmp_call(JNIEnv* env, jstring unit_name, jstring first, jstring second,
               Call&& call) {
  flush_output();
  char unit[kUnitNameSize];
  if (!convert_required(env, unit_name, unit) || !conversion_clean(env)) return;
  char first_text[kLongNameSize] = {};
  if (first != nullptr) get_unit_name(env, first, first_text, sizeof first_text);
  if (!conversion_clean(env)) return;
  char second_text[kLongNameSize] = {};
  if (second != nullptr) {
    get_unit_name(env, second, second_text, sizeof second_text);
  }
  if (!conversion_clean(env)) return;
  if (first_text[0] == '\0' && second_text[0] == '\0') {
    raise_error(env, ERR_NULL_ARGUMENT);
    return;
  }
  if (!core_succeeded(env, call(static_cast<const char*>(unit),
                                static_cast<const char*>(first_text),
                                static_cast<const char*>(second_text)))) {
    return;
  }
  flush_output();
}

}  // namespace

// Record read without a unit name: flush, heap record, build.
JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetExProgramInfo(JNIEnv* env,
                                                                    jclass) {
  flush_output();
  HeapPtr<ExProgramInfoRecord> record = heap_new<ExProgramInfoRecord>();
  if (!record) {
    raise_error(env, ERR_NO_MEMORY);
    return nullptr;
  }
  const int32_t code = KX_GetExProgramInfo(record.get());
  if (code != 0) {
    record.reset();
    raise_error(env, code);
    return nullptr;
  }
  LocalRef<jobject> object(env,
                           build_record(env, kExProgramInfoType, record.get()));
  record.reset();
  if (!object || env->ExceptionCheck()) {
    raise_error(env, ERR_MARSHAL);
    return nullptr;
  }
  flush_output();
  return object.release();
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetExProgramInfo(
    JNIEnv* env, jclass, jobject settings) {
  record_write_no_unit<ExProgramInfoRecord>(
      env, settings, kExProgramInfoType,
      [](ExProgramInfoRecord* record) { return KX_SetExProgramInfo(record); });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ExecuteProgramTest(
    JNIEnv* env, jclass, jobject settings) {
  record_write_no_unit<ExProgramInfoRecord>(
      env, settings, kExProgramInfoType,
      [](ExProgramInfoRecord* record) { return KX_ExecuteProgramTest(record); });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ExecuteProgram(JNIEnv* env,
                                                                  jclass) {
  action_no_unit(env, [] { return KX_ExecuteProgram(); });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1EnvironmentCheck(JNIEnv* env,
                                                                    jclass) {
  action_no_unit(env, [] { return KX_EnvironmentCheck(); });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ErrLogPut(JNIEnv* env, jclass,
                                                             jstring text) {
  text_action(env, text, [](const char* line) { return KX_ErrLogPut(line); });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ErrLogDelete(JNIEnv* env,
                                                                jclass) {
  action_no_unit(env, [] { return KX_ErrLogDelete(); });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1AppLogPut(JNIEnv* env, jclass,
                                                             jstring text) {
  text_action(env, text, [](const char* line) { return KX_AppLogPut(line); });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1JavaVersionCheck(
    JNIEnv* env, jclass, jstring version) {
  text_action(env, version,
              [](const char* text) { return KX_JavaVersionCheck(text); });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetSnmpConfig(
    JNIEnv* env, jclass, jstring unit_name, jstring first, jstring second) {
  snmp_call(env, unit_name, first, second,
            [](const char* unit, const char* managers, const char* options) {
              return KX_SetSnmpConfig(unit, managers, options);
            });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SnmpConfigOutput(
    JNIEnv* env, jclass, jstring unit_name, jstring first, jstring second) {
  snmp_call(env, unit_name, first, second,
            [](const char* unit, const char* directory, const char* file) {
              return KX_SnmpConfigOutput(unit, directory, file);
            });
}
