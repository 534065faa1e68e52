#include "maintenance/maintenance_records.h"

#include <cstdio>
#include <cstring>

#include "bridge/errors.h"
#include "bridge/jni_scoped.h"
#include "bridge/marshal.h"
#include "kx_maintenance.h"
#include "maintenance/modified_utf8.h"

namespace kx {
namespace {

constexpr FieldSpec kWebTraceFields[] = {
    KX_FIELD(text, WebTraceRecord, common),
    KX_FIELD(text, WebTraceRecord, ctl0),
    KX_FIELD(text, WebTraceRecord, ctl1),
    KX_FIELD(int32, WebTraceRecord, common_len),
    KX_FIELD(int32, WebTraceRecord, ctl0_len),
    KX_FIELD(int32, WebTraceRecord, ctl1_len),
};

}  // namespace

const RecordType kWebTraceType = record_type(
    KX_RECORD_CLASS("WebTrace"), sizeof(WebTraceRecord), kWebTraceFields);

jobject build_web_trace(JNIEnv* env, const WebTraceRecord* record) {
  std::fflush(stdout);
  if (record == nullptr) return nullptr;
  LocalRef<jobject> object(env, new_record(env, kWebTraceType.class_name));
  if (!object) return nullptr;
  for (const FieldSpec& field : kWebTraceFields) {
    const char* at = reinterpret_cast<const char*>(record) + field.offset;
    if (field.kind == FieldKind::kText) {
      // A text that cannot be set is skipped; an exception it left pending
      // makes the next int field fail.
      if (env->ExceptionCheck()) continue;
      LocalRef<jstring> text(env, new_string_from_core(env, at, field.count));
      if (text) {
        set_object_field(env, object.get(), field.name, field.signature,
                         text.get());
      }
      continue;
    }
    int32_t value;
    std::memcpy(&value, at, sizeof value);
    if (set_int_field(env, object.get(), field.name, value) != 0) {
      return nullptr;
    }
  }
  return object.release();
}

}  // namespace kx
