// Native methods of the set-up wizard: the wizard parameter record read,
// tested and written whole, the target-ID import, and the current wizard
// parameters.
#include "bridge/native.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "wizard/wizard_records.h"

using namespace kx;

namespace {

// The write and test calls take the record before the text, but the text is
// checked for null and converted before the record is read: the converters
// run in that order and these adapters put the record back in its place.
int32_t set_wizard_param(const char* unit, const char* text, int32_t arg,
                         const WizardParamRecord* record) {
  return KX_SetWizardParam(unit, record, text, arg);
}

int32_t test_wizard_param(const char* unit, const char* text, int32_t arg,
                          const WizardParamRecord* record) {
  return KX_TestWizardParam(unit, record, text, arg);
}

}  // namespace

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetWizardParam(
    JNIEnv* env, jclass, jstring unit_name, jstring text, jint arg) {
  return native(env, KX_GetWizardParam, unit_name_arg(unit_name),
                long_text_arg(text), int_arg(arg),
                record_out<WizardParamRecord>(kWizardParamType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetWizardParam(
    JNIEnv* env, jclass, jstring unit_name, jobject wizard_param, jstring text,
    jint arg) {
  native(env, set_wizard_param, unit_name_arg(unit_name), long_text_arg(text),
         int_arg(arg),
         record_in<WizardParamRecord>(wizard_param, kWizardParamType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1TestWizardParam(
    JNIEnv* env, jclass, jstring unit_name, jobject wizard_param, jstring text,
    jint arg) {
  native(env, test_wizard_param, unit_name_arg(unit_name), long_text_arg(text),
         int_arg(arg),
         record_in<WizardParamRecord>(wizard_param, kWizardParamType));
}

JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1WZTargetIdImport(
    JNIEnv* env, jclass, jstring unit_name, jstring first_text,
    jstring second_text, jint arg) {
  // The core fills the two target-ID records through two pointers.
  return native(env, KX_WZTargetIdImport, unit_name_arg(unit_name),
                long_text_arg(first_text), long_text_arg(second_text),
                int_arg(arg), record_pair<WZTargetIdRecord>(kWZTargetIdType));
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetNowWZParam(
    JNIEnv* env, jclass, jstring unit_name, jint arg) {
  return native(env, KX_GetNowWZParam, unit_name_arg(unit_name), int_arg(arg),
                record_out<NowWZParameterRecord>(kNowWZParameterType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetNowWZParam(
    JNIEnv* env, jclass, jstring unit_name, jint arg, jobject param) {
  native(env, KX_SetNowWZParam, unit_name_arg(unit_name), int_arg(arg),
         record_in<NowWZParameterRecord>(param, kNowWZParameterType));
}
