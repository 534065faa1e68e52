// Native methods of the set-up wizard: the wizard parameter record read,
// tested and written whole, the target-ID import, and the current wizard
// parameters.
#include "bridge/frame.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "wizard/wizard_records.h"

using namespace kx;

namespace {

// Test and write share one frame and differ only in the core function: the
// unit name, then the text argument (each null raising ERR_NULL_ARGUMENT
// before its conversion), then the record filled by the WizardParam reader.
template <typename Call>
void wizard_write(JNIEnv* env, jstring unit_name, jobject wizard_param,
                  jstring text, Call&& call) {
  flush_output();
  char unit[kUnitNameSize];
  if (!convert_required(env, unit_name, unit)) return;
  char text_buffer[kLongNameSize];
  if (!convert_required(env, text, text_buffer)) return;
  write_heap_record<WizardParamRecord>(
      env, wizard_param, kWizardParamType, [&](WizardParamRecord* record) {
        return call(static_cast<const char*>(unit), record,
                    static_cast<const char*>(text_buffer));
      });
}

}  // namespace

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetWizardParam(
    JNIEnv* env, jclass, jstring unit_name, jstring text, jint arg) {
  // A record read whose text argument is converted after the unit name and
  // before the record is allocated.
  flush_output();
  char unit[kUnitNameSize];
  if (!convert_required(env, unit_name, unit)) return nullptr;
  char text_buffer[kLongNameSize];
  if (!convert_required(env, text, text_buffer)) return nullptr;
  HeapPtr<WizardParamRecord> record = heap_new<WizardParamRecord>();
  if (!record) {
    raise_error(env, ERR_NO_MEMORY);
    return nullptr;
  }
  int32_t code = KX_GetWizardParam(unit, text_buffer, arg, record.get());
  if (code != 0) {
    record.reset();
    raise_error(env, code);
    return nullptr;
  }
  LocalRef<jobject> object(env,
                           build_record(env, kWizardParamType, record.get()));
  record.reset();
  if (!object || env->ExceptionCheck()) {
    raise_error(env, ERR_MARSHAL);
    return nullptr;
  }
  flush_output();
  return object.release();
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetWizardParam(
    JNIEnv* env, jclass, jstring unit_name, jobject wizard_param, jstring text,
    jint arg) {
  wizard_write(env, unit_name, wizard_param, text,
               [arg](const char* unit, WizardParamRecord* record,
                     const char* text_buffer) {
                 return KX_SetWizardParam(unit, record, text_buffer, arg);
               });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1TestWizardParam(
    JNIEnv* env, jclass, jstring unit_name, jobject wizard_param, jstring text,
    jint arg) {
  wizard_write(env, unit_name, wizard_param, text,
               [arg](const char* unit, WizardParamRecord* record,
                     const char* text_buffer) {
                 return KX_TestWizardParam(unit, record, text_buffer, arg);
               });
}

JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1WZTargetIdImport(
    JNIEnv* env, jclass, jstring unit_name, jstring first_text,
    jstring second_text, jint arg) {
  // A record array of the two target-ID sub-records with two text arguments;
  // a failed element ends the loop without an error code, as in every record
  // array, and a failed array leaves its own exception pending.
  flush_output();
  char unit[kUnitNameSize];
  if (!convert_required(env, unit_name, unit)) return nullptr;
  char first[kLongNameSize];
  if (!convert_required(env, first_text, first)) return nullptr;
  char second[kLongNameSize];
  if (!convert_required(env, second_text, second)) return nullptr;
  HeapPtr<WZTargetIdRecord> table =
      heap_new<WZTargetIdRecord>(sizeof(WZTargetIdRecord) * kWizardControllers);
  if (!table) {
    raise_error(env, ERR_NO_MEMORY);
    return nullptr;
  }
  int32_t code = KX_WZTargetIdImport(unit, first, second, arg, table.get(),
                                     table.get() + 1);
  if (code != 0) {
    table.reset();
    raise_error(env, code);
    return nullptr;
  }
  LocalRef<jobjectArray> array(
      env, new_record_array(env, kWZTargetIdType.class_name,
                            static_cast<jsize>(kWizardControllers)));
  if (!array) return nullptr;
  fill_record_array(env, array.get(), kWZTargetIdType, table.get(),
                    kWizardControllers, true);
  table.reset();
  flush_output();
  return array.release();
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetNowWZParam(
    JNIEnv* env, jclass, jstring unit_name, jint arg) {
  return record_read<NowWZParameterRecord>(
      env, unit_name, kNowWZParameterType,
      [arg](const char* unit, NowWZParameterRecord* record) {
        return KX_GetNowWZParam(unit, arg, record);
      });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetNowWZParam(
    JNIEnv* env, jclass, jstring unit_name, jint arg, jobject param) {
  record_write<NowWZParameterRecord>(
      env, unit_name, param, kNowWZParameterType,
      [arg](const char* unit, NowWZParameterRecord* record) {
        return KX_SetNowWZParam(unit, arg, record);
      });
}
