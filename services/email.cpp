// Native methods of alerts and e-mail.
#include "bridge/native.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "services/services_records.h"

using namespace kx;

namespace {

// KX_GetEmailInfo's result: the settings on the stack, built by the EmailInfo
// builder, whose null result is handed back as it is.
class EmailInfoOut {
 public:
  static constexpr bool kResult = true;
  using Java = jobject;

  [[nodiscard]] bool prepare(CallContext&) { return true; }
  std::tuple<EmailInfoRecord*> args() { return {&record_}; }
  Java failure() const { return nullptr; }
  [[nodiscard]] bool finish(CallContext& call, Java& out) {
    out = build_email_info(call.env, &record_);
    return out != nullptr;
  }

 private:
  EmailInfoRecord record_{};
};

// Checks that a string argument is not null before any argument is
// converted; passes nothing to the core.
class NotNull : public ArgumentConverter {
 public:
  explicit NotNull(jstring string) : string_(string) {}
  [[nodiscard]] bool prepare(CallContext& call) {
    if (string_ != nullptr) return true;
    raise_error(call.env, ERR_NULL_ARGUMENT);
    return false;
  }
  std::tuple<> args() const { return {}; }

 private:
  jstring string_;
};

// KX_SendEmail's whole texts: heap buffers of their length + 10 bytes (the
// converter adds the NUL to the extra room).
constexpr size_t kWholeTextPadding = 10 - 1;

}  // namespace

// Quiet: no flush, the record on the stack, a builder's null result returned
// without an exception of the bridge's own.
JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetEmailInfo(JNIEnv* env,
                                                                jclass) {
  return native<Quiet>(env, KX_GetEmailInfo, EmailInfoOut());
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetEmailInfo(
    JNIEnv* env, jclass, jobject settings) {
  native(env, KX_SetEmailInfo,
         record_in<EmailInfoRecord>(settings, kEmailInfoType));
}

JNIEXPORT jint JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1AlertCheck(
    JNIEnv* env, jclass, jstring unit_name, jint mode) {
  return native(env, KX_AlertCheck, unit_name_arg(unit_name), int_arg(mode),
                int_out());
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetMailAppendInfo(
    JNIEnv* env, jclass, jstring unit_name, jstring text) {
  native(env, KX_SetMailAppendInfo, unit_name_arg(unit_name),
         long_text_arg(text));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1DelMailAppendInfo(
    JNIEnv* env, jclass, jstring unit_name) {
  native(env, KX_DelMailAppendInfo, unit_name_arg(unit_name));
}

JNIEXPORT jstring JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetMailAppendInfo(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetMailAppendInfo, unit_name_arg(unit_name),
                text_out<kMailAppendResultSize>());
}

// The first text is optional (null: empty) and cut to 1023 bytes; the
// second is checked before the third, and both are passed whole.
JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SendEmail(JNIEnv* env,
                                                             jclass,
                                                             jstring first,
                                                             jstring second,
                                                             jstring third) {
  native(env, KX_SendEmail, NotNull(second),
         optional_text_arg<kLongNameSize>(first),
         whole_text_arg(second, kWholeTextPadding),
         whole_text_arg(third, kWholeTextPadding));
}

// The unit name is optional; the text is checked before the long text, both
// before anything is converted; the settings are the ones to test.
JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SendEmailTest(
    JNIEnv* env, jclass, jstring unit_name, jobject settings, jstring text,
    jstring long_text) {
  native(env, KX_SendEmailTest, NotNull(text), NotNull(long_text),
         optional_text_arg<kUnitNameSize>(unit_name),
         record_in<EmailInfoRecord>(settings, kEmailInfoType),
         text_arg<kLongNameSize>(text),
         text_arg<kMailTestBodySize>(long_text));
}
