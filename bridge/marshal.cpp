#include "bridge/marshal.h"

#include <cstring>

#include "bridge/errors.h"
#include "bridge/jni_scoped.h"
#include "kx_clock.h"

namespace kx {
namespace {

constexpr char kStringSignature[] = "Ljava/lang/String;";

// The ID of a field of the object's own class, or null with an exception
// pending.
jfieldID field_id(JNIEnv* env, jobject object, const char* name,
                  const char* signature) {
  LocalRef<jclass> cls(env, env->GetObjectClass(object));
  if (!cls) return nullptr;
  return env->GetFieldID(cls.get(), name, signature);
}

}  // namespace

std::string bounded_text(const void* at, size_t max_length) {
  const char* text = static_cast<const char*>(at);
  const void* nul = std::memchr(text, '\0', max_length);
  size_t length =
      nul != nullptr ? static_cast<const char*>(nul) - text : max_length;
  return std::string(text, length);
}

namespace {

bool is_continuation(uint8_t byte) { return (byte & 0xC0) == 0x80; }

void append_three_byte(std::string& out, uint32_t unit) {
  out.push_back(static_cast<char>(0xE0 | (unit >> 12)));
  out.push_back(static_cast<char>(0x80 | ((unit >> 6) & 0x3F)));
  out.push_back(static_cast<char>(0x80 | (unit & 0x3F)));
}

}  // namespace

std::string modified_utf8(const std::string& bytes) {
  size_t i = 0;
  const size_t n = bytes.size();
  while (i < n && static_cast<uint8_t>(bytes[i]) < 0x80 && bytes[i] != '\0')
    ++i;
  if (i == n) return bytes;
  std::string out(bytes, 0, i);
  out.reserve(n + 8);
  const auto* b = reinterpret_cast<const uint8_t*>(bytes.data());
  while (i < n) {
    uint8_t lead = b[i];
    if (lead == 0) {
      out += "\xC0\x80";
      ++i;
    } else if (lead < 0x80) {
      out.push_back(static_cast<char>(lead));
      ++i;
    } else if ((lead >= 0xC2 && lead <= 0xDF) || lead == 0xC0) {
      // C0 80 is modified UTF-8's own NUL; any other C0 is overlong.
      if (i + 1 < n && is_continuation(b[i + 1]) &&
          (lead != 0xC0 || b[i + 1] == 0x80)) {
        out.append(bytes, i, 2);
        i += 2;
      } else {
        out += "\xEF\xBF\xBD";
        ++i;
      }
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      // Surrogates (ED A0..BF) are kept: modified UTF-8 writes them so.
      bool ok = i + 2 < n && is_continuation(b[i + 1]) &&
                is_continuation(b[i + 2]) && (lead != 0xE0 || b[i + 1] >= 0xA0);
      if (ok) {
        out.append(bytes, i, 3);
        i += 3;
      } else {
        out += "\xEF\xBF\xBD";
        ++i;
      }
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      bool ok = i + 3 < n && is_continuation(b[i + 1]) &&
                is_continuation(b[i + 2]) && is_continuation(b[i + 3]) &&
                (lead != 0xF0 || b[i + 1] >= 0x90) &&
                (lead != 0xF4 || b[i + 1] < 0x90);
      if (ok) {
        uint32_t code = ((lead & 0x07u) << 18) | ((b[i + 1] & 0x3Fu) << 12) |
                        ((b[i + 2] & 0x3Fu) << 6) | (b[i + 3] & 0x3Fu);
        code -= 0x10000;
        append_three_byte(out, 0xD800 | (code >> 10));
        append_three_byte(out, 0xDC00 | (code & 0x3FF));
        i += 4;
      } else {
        out += "\xEF\xBF\xBD";
        ++i;
      }
    } else {
      out += "\xEF\xBF\xBD";
      ++i;
    }
  }
  return out;
}

void copy_text_whole(const char* text, char* buffer, size_t size) {
  if (size == 0) return;
  size_t length = 0;
  while (length < size - 1 && text[length] != '\0') ++length;
  // Cut inside a character: back off to where that character starts.
  if (text[length] != '\0') {
    while (length > 0 && is_continuation(static_cast<uint8_t>(text[length]))) {
      --length;
    }
  }
  std::memcpy(buffer, text, length);
  std::memset(buffer + length, 0, size - length);
}

jobject new_record(JNIEnv* env, const char* class_name) {
  LocalRef<jclass> cls(env, find_class(env, class_name));
  if (!cls) return nullptr;
  jmethodID ctor = env->GetMethodID(cls.get(), "<init>", "()V");
  if (ctor == nullptr) return nullptr;
  return env->NewObject(cls.get(), ctor);
}

jobjectArray new_record_array(JNIEnv* env, const char* class_name,
                              jsize length) {
  LocalRef<jclass> cls(env, find_class(env, class_name));
  if (!cls) return nullptr;
  return env->NewObjectArray(length, cls.get(), nullptr);
}

jobject get_object_field(JNIEnv* env, jobject object, const char* name,
                         const char* signature) {
  if (env->ExceptionCheck()) return nullptr;
  jfieldID id = field_id(env, object, name, signature);
  if (id == nullptr) return nullptr;
  return env->GetObjectField(object, id);
}

int32_t set_int_field(JNIEnv* env, jobject object, const char* name,
                      jint value) {
  if (env->ExceptionCheck()) return ERR_MARSHAL;
  jfieldID id = field_id(env, object, name, "I");
  if (id == nullptr) return ERR_MARSHAL;
  env->SetIntField(object, id, value);
  return env->ExceptionCheck() ? ERR_MARSHAL : 0;
}

int32_t set_object_field(JNIEnv* env, jobject object, const char* name,
                         const char* signature, jobject value) {
  if (env->ExceptionCheck()) return ERR_MARSHAL;
  jfieldID id = field_id(env, object, name, signature);
  if (id == nullptr) return ERR_MARSHAL;
  env->SetObjectField(object, id, value);
  return env->ExceptionCheck() ? ERR_MARSHAL : 0;
}

int32_t set_string_field(JNIEnv* env, jobject object, const char* name,
                         const char* text) {
  if (env->ExceptionCheck()) return ERR_MARSHAL;
  LocalRef<jstring> string(env, env->NewStringUTF(modified_utf8(text).c_str()));
  if (!string) return ERR_MARSHAL;
  return set_object_field(env, object, name, kStringSignature, string.get());
}

jobject new_calendar(JNIEnv* env, const BrokenDownTime* time) {
  LocalRef<jclass> cls(env, find_class(env, "java/util/GregorianCalendar"));
  if (!cls) return nullptr;
  jmethodID ctor = env->GetMethodID(cls.get(), "<init>", "(IIIIII)V");
  if (ctor == nullptr) return nullptr;
  // Years count from 1900; the sum wraps rather than overflow for a year the
  // core should never send.
  jint year = static_cast<jint>(static_cast<uint32_t>(time->tm_year) + 1900u);
  return env->NewObject(cls.get(), ctor, year, time->tm_mon, time->tm_mday,
                        time->tm_hour, time->tm_min, time->tm_sec);
}

int32_t read_calendar(JNIEnv* env, jobject calendar, BrokenDownTime* time) {
  std::memset(time, 0, sizeof(*time));
  if (env->ExceptionCheck() || calendar == nullptr) return ERR_MARSHAL;
  LocalRef<jclass> cls(env, env->GetObjectClass(calendar));
  if (!cls) return ERR_MARSHAL;
  jmethodID get = env->GetMethodID(cls.get(), "get", "(I)I");
  if (get == nullptr) return ERR_MARSHAL;

  static constexpr const char* kFields[] = {"YEAR",        "MONTH",  "DATE",
                                            "HOUR_OF_DAY", "MINUTE", "SECOND"};
  jint values[6];
  for (int i = 0; i < 6; ++i) {
    jfieldID id = env->GetStaticFieldID(cls.get(), kFields[i], "I");
    if (id == nullptr) return ERR_MARSHAL;
    jint index = env->GetStaticIntField(cls.get(), id);
    if (env->ExceptionCheck()) return ERR_MARSHAL;
    values[i] = env->CallIntMethod(calendar, get, index);
    if (env->ExceptionCheck()) return ERR_MARSHAL;
  }
  time->tm_year = values[0];
  time->tm_mon = values[1];
  time->tm_mday = values[2];
  time->tm_hour = values[3];
  time->tm_min = values[4];
  time->tm_sec = values[5];
  return 0;
}

}  // namespace kx
