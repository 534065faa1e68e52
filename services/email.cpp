// Native methods of alerts and e-mail.
#include <cstring>
#include <limits>

#include "bridge/frame.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "services/services_records.h"

using namespace kx;

namespace {

// A whole Java string in a heap buffer of its modified UTF-8 length + 10
// bytes, zero-padded after the text. Null with the failure raised: 65535 for
// a heap that cannot supply the buffer, 2817 for characters that cannot be
// obtained.
HeapPtr<char> whole_text(JNIEnv* env, jstring string) {
  const jsize length = env->GetStringUTFLength(string);
  constexpr size_t kPadding = 10;
  if (length < 0 ||
      static_cast<size_t>(length) > std::numeric_limits<size_t>::max() - kPadding) {
    raise_error(env, ERR_NO_MEMORY);
    return nullptr;
  }
  HeapPtr<char> buffer = heap_new<char>(static_cast<size_t>(length) + kPadding);
  if (!buffer) {
    raise_error(env, ERR_NO_MEMORY);
    return nullptr;
  }
  UtfChars chars(env, string);
  if (!chars) {
    raise_error(env, ERR_MARSHAL);
    return nullptr;
  }
  std::memcpy(buffer.get(), chars.get(), static_cast<size_t>(length));
  return buffer;
}

// Reads an EmailInfo into `record`. A null EmailInfo is refused like the null
// record of any write; a reader failure stops the call before the core sees
// half-read settings.
bool read_settings(JNIEnv* env, jobject settings, EmailInfoRecord* record) {
  if (settings == nullptr) {
    raise_error(env, ERR_NULL_ARGUMENT);
    return false;
  }
  if (read_email_info(env, settings, record) != 0) {
    raise_error(env, ERR_MARSHAL);
    return false;
  }
  return true;
}

}  // namespace

// Later family: no flush, the record on the stack, the builder's null result
// returned as it is.
JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetEmailInfo(JNIEnv* env,
                                                                jclass) {
  EmailInfoRecord record{};
  if (!core_succeeded(env, KX_GetEmailInfo(&record))) return nullptr;
  return build_email_info(env, &record);
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetEmailInfo(
    JNIEnv* env, jclass, jobject settings) {
  flush_output();
  HeapPtr<EmailInfoRecord> record = heap_new<EmailInfoRecord>();
  if (settings != nullptr && !record) {
    raise_error(env, ERR_NO_MEMORY);
    return;
  }
  if (!read_settings(env, settings, record.get())) return;
  const int32_t code = KX_SetEmailInfo(record.get());
  record.reset();
  if (!core_succeeded(env, code)) return;
  flush_output();
}

JNIEXPORT jint JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1AlertCheck(
    JNIEnv* env, jclass, jstring unit_name, jint mode) {
  return int_result(env, unit_name, [mode](const char* unit, int32_t* value) {
    return KX_AlertCheck(unit, mode, value);
  });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetMailAppendInfo(
    JNIEnv* env, jclass, jstring unit_name, jstring text) {
  flush_output();
  char unit[kUnitNameSize];
  if (!convert_required(env, unit_name, unit)) return;
  char append_text[kLongNameSize];
  if (!convert_required(env, text, append_text)) return;
  if (!core_succeeded(env, KX_SetMailAppendInfo(unit, append_text))) return;
  flush_output();
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1DelMailAppendInfo(
    JNIEnv* env, jclass, jstring unit_name) {
  action(env, unit_name,
         [](const char* unit) { return KX_DelMailAppendInfo(unit); });
}

JNIEXPORT jstring JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetMailAppendInfo(
    JNIEnv* env, jclass, jstring unit_name) {
  flush_output();
  char unit[kUnitNameSize];
  if (!convert_required(env, unit_name, unit)) return nullptr;
  char text[kMailAppendResultSize] = {};
  if (!core_succeeded(env, KX_GetMailAppendInfo(unit, text))) return nullptr;
  LocalRef<jstring> result(
      env, env->NewStringUTF(bounded_text(text, sizeof text - 1).c_str()));
  if (!result) {
    raise_error(env, ERR_MARSHAL);
    return nullptr;
  }
  flush_output();
  return result.release();
}

// The first text is optional and the other two are copied whole, each into a
// heap buffer of its length + 10 bytes.
JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SendEmail(JNIEnv* env,
                                                             jclass,
                                                             jstring first,
                                                             jstring second,
                                                             jstring third) {
  flush_output();
  if (second == nullptr) {
    raise_error(env, ERR_NULL_ARGUMENT);
    return;
  }
  // A first text longer than its buffer is cut to 1023 bytes.
  char first_text[kLongNameSize] = {};
  if (first != nullptr) get_unit_name(env, first, first_text, sizeof first_text);
  if (!conversion_clean(env)) return;
  HeapPtr<char> second_text = whole_text(env, second);
  if (!second_text) return;
  if (third == nullptr) {
    second_text.reset();
    raise_error(env, ERR_NULL_ARGUMENT);
    return;
  }
  HeapPtr<char> third_text = whole_text(env, third);
  if (!third_text) return;
  const int32_t code =
      KX_SendEmail(first_text, second_text.get(), third_text.get());
  second_text.reset();
  third_text.reset();
  if (!core_succeeded(env, code)) return;
  flush_output();
}

// The unit name is optional; the settings are the ones to test, not the
// stored ones.
JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SendEmailTest(
    JNIEnv* env, jclass, jstring unit_name, jobject settings, jstring text,
    jstring long_text) {
  flush_output();
  if (text == nullptr) {
    raise_error(env, ERR_NULL_ARGUMENT);
    return;
  }
  char unit[kUnitNameSize] = {};
  if (unit_name != nullptr) get_unit_name(env, unit_name, unit, sizeof unit);
  if (!conversion_clean(env)) return;
  char subject[kLongNameSize];
  get_unit_name(env, text, subject, sizeof subject);
  if (!conversion_clean(env)) return;
  char body[kMailTestBodySize];
  if (!convert_required(env, long_text, body) || !conversion_clean(env)) return;
  HeapPtr<EmailInfoRecord> record = heap_new<EmailInfoRecord>();
  if (settings != nullptr && !record) {
    raise_error(env, ERR_NO_MEMORY);
    return;
  }
  if (!read_settings(env, settings, record.get())) return;
  const int32_t code = KX_SendEmailTest(unit, record.get(), subject, body);
  record.reset();
  if (!core_succeeded(env, code)) return;
  flush_output();
}
