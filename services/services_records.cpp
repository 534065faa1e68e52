#include "services/services_records.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "bridge/errors.h"
#include "bridge/jni_scoped.h"
#include "bridge/marshal.h"
#include "bridge/record_registry.h"
#include "kx_services.h"

namespace kx {
namespace {

constexpr FieldSpec kExProgramInfoFields[] = {
    KX_FIELD(int32, ExProgramInfoRecord, on_off),
    KX_FIELD(int32, ExProgramInfoRecord, exec_mode),
    KX_FIELD(text, ExProgramInfoRecord, program_name),
};

constexpr FieldSpec kEmailInfoFields[] = {
    KX_FIELD(int32, EmailInfoRecord, on_off),
    KX_FIELD(text, EmailInfoRecord, domain),
    KX_FIELD(text, EmailInfoRecord, smtp),
    KX_FIELD(text, EmailInfoRecord, from),
    KX_FIELD(int32, EmailInfoRecord, tonum),
    KX_FIELD(text_array, EmailInfoRecord, to),
};

constexpr char kEmailInfoClass[] = "korvane/str/diskarray/EmailInfo";
// The builder's String[] has one element per byte of a slot, as the
// recipients' array has always had.
constexpr int kRecipientArrayLength = kEmailTextWidth;

// A text slot of the record as a valid modified UTF-8 string.
template <size_t Width>
std::string slot_text(const char (&slot)[Width]) {
  return modified_utf8(bounded_text(slot, Width - 1));
}

}  // namespace

const RecordType kExProgramInfoType =
    record_type(KX_RECORD_CLASS("ExProgramInfo"), sizeof(ExProgramInfoRecord),
                kExProgramInfoFields);

const RecordType kEmailInfoType =
    record_type(KX_RECORD_CLASS("EmailInfo"), sizeof(EmailInfoRecord),
                kEmailInfoFields);

// Registered for the tests that check every table against its class. EmailInfo
// is built by hand (build_email_info) but read through its table.
KX_REGISTER_RECORD(kExProgramInfoType);
KX_REGISTER_RECORD(kEmailInfoType);

jobject build_email_info(JNIEnv* env, const EmailInfoRecord* record) {
  if (record == nullptr) return nullptr;
  LocalRef<jobject> object(env, new_record(env, kEmailInfoClass));
  if (!object) return nullptr;
  if (set_int_field(env, object.get(), "on_off", record->on_off) != 0) {
    return nullptr;
  }
  // A text that cannot be set is passed over.
  static_cast<void>(set_string_field(env, object.get(), "domain",
                                     slot_text(record->domain).c_str()));
  static_cast<void>(set_string_field(env, object.get(), "smtp",
                                     slot_text(record->smtp).c_str()));
  static_cast<void>(set_string_field(env, object.get(), "from",
                                     slot_text(record->from).c_str()));
  if (set_int_field(env, object.get(), "tonum", record->tonum) != 0) {
    return nullptr;
  }
  // A count beyond the slots never reads past the record. If the array
  // cannot be made or filled, `to` stays as the constructor left it.
  const int32_t count =
      std::clamp<int32_t>(record->tonum, 0, kEmailRecipientSlots);
  LocalRef<jobjectArray> to(
      env, new_record_array(env, "java/lang/String", kRecipientArrayLength));
  if (!to) return object.release();
  for (int32_t i = 0; i < count; ++i) {
    LocalRef<jstring> recipient(
        env, env->NewStringUTF(slot_text(record->to[i]).c_str()));
    if (!recipient) return object.release();
    env->SetObjectArrayElement(to.get(), i, recipient.get());
  }
  static_cast<void>(set_object_field(env, object.get(), "to",
                                     "[Ljava/lang/String;", to.get()));
  return object.release();
}

}  // namespace kx
