#include "services/services_records.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "bridge/errors.h"
#include "bridge/jni_scoped.h"
#include "bridge/marshal.h"
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

int32_t read_text(JNIEnv* env, jobject object, const char* name, char* field,
                  size_t width) {
  return get_string_field(env, object, name, field, width) == 0 ? 0
                                                                : ERR_MARSHAL;
}

int32_t read_int(JNIEnv* env, jobject object, const char* name,
                 int32_t* field) {
  *field = get_int_field(env, object, name);
  return env->ExceptionCheck() ? ERR_MARSHAL : 0;
}

}  // namespace

const RecordType kExProgramInfoType =
    record_type(KX_RECORD_CLASS("ExProgramInfo"), sizeof(ExProgramInfoRecord),
                kExProgramInfoFields);

const RecordType kEmailInfoType =
    record_type(KX_RECORD_CLASS("EmailInfo"), sizeof(EmailInfoRecord),
                kEmailInfoFields);

jobject build_email_info(JNIEnv* env, const EmailInfoRecord* record) {
  if (record == nullptr) return nullptr;
  LocalRef<jobject> object(env, new_record(env, kEmailInfoClass));
  if (!object) return nullptr;
  if (set_int_field(env, object.get(), "on_off", record->on_off) != 0) {
    return nullptr;
  }
  set_string_field(env, object.get(), "domain",
                   bounded_text(record->domain, sizeof record->domain - 1).c_str());
  set_string_field(env, object.get(), "smtp",
                   bounded_text(record->smtp, sizeof record->smtp - 1).c_str());
  set_string_field(env, object.get(), "from",
                   bounded_text(record->from, sizeof record->from - 1).c_str());
  if (set_int_field(env, object.get(), "tonum", record->tonum) != 0) {
    return nullptr;
  }
  // A count beyond the slots never reads past the record; each text is
  // bounded by its slot.
  const int32_t count =
      std::clamp<int32_t>(record->tonum, 0, kEmailRecipientSlots);
  std::string slots(static_cast<size_t>(count) * kEmailTextWidth, '\0');
  for (int32_t i = 0; i < count; ++i) {
    const std::string text =
        bounded_text(record->to[i], kEmailTextWidth - 1);
    std::memcpy(&slots[static_cast<size_t>(i) * kEmailTextWidth], text.data(),
                text.size());
  }
  set_string_array_field(env, object.get(), "to", slots.data(), count,
                         kRecipientArrayLength);
  return object.release();
}

int32_t read_email_info(JNIEnv* env, jobject object, EmailInfoRecord* record) {
  if (object == nullptr || record == nullptr) return -1;
  if (read_int(env, object, "on_off", &record->on_off) != 0 ||
      read_text(env, object, "domain", record->domain, sizeof record->domain) !=
          0 ||
      read_text(env, object, "smtp", record->smtp, sizeof record->smtp) != 0 ||
      read_text(env, object, "from", record->from, sizeof record->from) != 0 ||
      read_int(env, object, "tonum", &record->tonum) != 0) {
    return ERR_MARSHAL;
  }
  LocalRef<jobjectArray> to(
      env, static_cast<jobjectArray>(
               get_object_field(env, object, "to", "[Ljava/lang/String;")));
  if (!to) return ERR_MARSHAL;
  const jsize length =
      std::min<jsize>(env->GetArrayLength(to.get()), kEmailRecipientSlots);
  for (jsize i = 0; i < length; ++i) {
    LocalRef<jstring> recipient(
        env, static_cast<jstring>(env->GetObjectArrayElement(to.get(), i)));
    if (env->ExceptionCheck()) return ERR_MARSHAL;
    // The null slots after the last recipient end the list.
    if (!recipient) break;
    UtfChars chars(env, recipient.get());
    if (!chars) return ERR_MARSHAL;
    std::strncpy(record->to[i], chars.get(), kEmailTextWidth - 1);
    record->to[i][kEmailTextWidth - 1] = '\0';
  }
  return 0;
}

}  // namespace kx
