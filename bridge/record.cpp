#include "bridge/record.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "bridge/errors.h"
#include "bridge/jni_scoped.h"
#include "bridge/marshal.h"

namespace kx {
namespace {

int32_t load_int(const uint8_t* at) {
  int32_t value;
  std::memcpy(&value, at, sizeof(value));
  return value;
}

void store_int(uint8_t* at, int32_t value) {
  std::memcpy(at, &value, sizeof(value));
}

int32_t set_text_array(JNIEnv* env, jobject object, const FieldSpec& field,
                       const uint8_t* at) {
  // Each text is bounded by its slot before it is handed to JNI.
  std::string copies(static_cast<size_t>(field.count) * field.stride, '\0');
  for (uint32_t i = 0; i < field.count; ++i) {
    std::string text = bounded_text(at + i * field.stride, field.stride - 1);
    std::memcpy(&copies[i * field.stride], text.data(), text.size());
  }
  return set_string_array_field(env, object, field.name, copies.data(),
                                static_cast<int>(field.count),
                                static_cast<int>(field.stride));
}

int32_t set_nested_array(JNIEnv* env, jobject object, const FieldSpec& field,
                         const uint8_t* at) {
  const RecordType& nested = *field.nested;
  LocalRef<jobjectArray> array(
      env, new_record_array(env, nested.class_name,
                            static_cast<jsize>(field.count)));
  if (!array) return ERR_MARSHAL;
  for (uint32_t i = 0; i < field.count; ++i) {
    LocalRef<jobject> element(env,
                              build_record(env, nested, at + i * field.stride));
    if (!element) return ERR_MARSHAL;
    env->SetObjectArrayElement(array.get(), static_cast<jsize>(i),
                               element.get());
    if (env->ExceptionCheck()) return ERR_MARSHAL;
  }
  return set_object_field(env, object, field.name, field.signature,
                          array.get());
}

int32_t set_int_matrix(JNIEnv* env, jobject object, const FieldSpec& field,
                       const uint8_t* at) {
  LocalRef<jobjectArray> matrix(
      env, new_record_array(env, "[I", static_cast<jsize>(field.count)));
  if (!matrix) return ERR_MARSHAL;
  for (uint32_t i = 0; i < field.count; ++i) {
    LocalRef<jintArray> row(env,
                            env->NewIntArray(static_cast<jsize>(field.stride)));
    if (!row) return ERR_MARSHAL;
    env->SetIntArrayRegion(
        row.get(), 0, static_cast<jsize>(field.stride),
        reinterpret_cast<const jint*>(at + i * field.stride * sizeof(int32_t)));
    env->SetObjectArrayElement(matrix.get(), static_cast<jsize>(i), row.get());
    if (env->ExceptionCheck()) return ERR_MARSHAL;
  }
  return set_object_field(env, object, field.name, field.signature,
                          matrix.get());
}

int32_t build_field(JNIEnv* env, jobject object, const FieldSpec& field,
                    const uint8_t* record) {
  const uint8_t* at = record + field.offset;
  switch (field.kind) {
    case FieldKind::kInt:
      return set_int_field(env, object, field.name, load_int(at));
    case FieldKind::kSignedByte:
      return set_int_field(env, object, field.name, static_cast<int8_t>(*at));
    case FieldKind::kUnsignedByte:
      return set_int_field(env, object, field.name, *at);
    case FieldKind::kText:
      return set_string_field(env, object, field.name,
                              bounded_text(at, field.count - 1).c_str());
    case FieldKind::kByteList: {
      LocalRef<jintArray> array(
          env,
          new_int_array_from_bytes(env, at, static_cast<int>(field.count)));
      if (!array) return ERR_MARSHAL;
      return set_object_field(env, object, field.name, field.signature,
                              array.get());
    }
    case FieldKind::kIntArray:
      return set_int_array_field(env, object, field.name,
                                 reinterpret_cast<const int32_t*>(at),
                                 static_cast<int>(field.count));
    case FieldKind::kByteArray:
      return set_byte_array_region(env, object, field.name, at,
                                   static_cast<int>(field.count));
    case FieldKind::kTextArray:
      return set_text_array(env, object, field, at);
    case FieldKind::kRecord: {
      LocalRef<jobject> nested(env, build_record(env, *field.nested, at));
      if (!nested) return ERR_MARSHAL;
      return set_object_field(env, object, field.name, field.signature,
                              nested.get());
    }
    case FieldKind::kRecordArray:
      return set_nested_array(env, object, field, at);
    case FieldKind::kIntMatrix:
      return set_int_matrix(env, object, field, at);
  }
  return ERR_MARSHAL;
}

int32_t read_nested_array(JNIEnv* env, jobject object, const FieldSpec& field,
                          uint8_t* at) {
  LocalRef<jobjectArray> array(
      env, static_cast<jobjectArray>(
               get_object_field(env, object, field.name, field.signature)));
  if (!array) return ERR_MARSHAL;
  jsize length = env->GetArrayLength(array.get());
  // A longer Java array is cut to the record's capacity.
  if (length > static_cast<jsize>(field.count)) {
    length = static_cast<jsize>(field.count);
  }
  for (jsize i = 0; i < length; ++i) {
    LocalRef<jobject> element(env, env->GetObjectArrayElement(array.get(), i));
    if (read_record(env, *field.nested, element.get(),
                    at + static_cast<size_t>(i) * field.stride) != 0) {
      return ERR_MARSHAL;
    }
  }
  return 0;
}

int32_t read_field(JNIEnv* env, jobject object, const FieldSpec& field,
                   uint8_t* record) {
  uint8_t* at = record + field.offset;
  switch (field.kind) {
    case FieldKind::kInt:
      store_int(at, get_int_field(env, object, field.name));
      return env->ExceptionCheck() ? ERR_MARSHAL : 0;
    case FieldKind::kSignedByte:
    case FieldKind::kUnsignedByte:
      *at = static_cast<uint8_t>(get_int_field(env, object, field.name) & 0xFF);
      return env->ExceptionCheck() ? ERR_MARSHAL : 0;
    case FieldKind::kText:
      return get_string_field(env, object, field.name,
                              reinterpret_cast<char*>(at), field.count);
    case FieldKind::kByteList:
      return get_bytes_from_int_array_field(env, object, field.name, at,
                                            field.count);
    case FieldKind::kIntArray:
      return get_int_array_field(env, object, field.name,
                                 reinterpret_cast<int32_t*>(at),
                                 static_cast<int>(field.count));
    case FieldKind::kByteArray:
      return get_byte_array_field(env, object, field.name, at,
                                  static_cast<int>(field.count));
    case FieldKind::kTextArray:
      return get_string_array_field(env, object, field.name,
                                    reinterpret_cast<char*>(at), field.stride,
                                    field.count);
    case FieldKind::kRecord: {
      LocalRef<jobject> nested(
          env, get_object_field(env, object, field.name, field.signature));
      if (!nested) return ERR_MARSHAL;
      return read_record(env, *field.nested, nested.get(), at) == 0
                 ? 0
                 : ERR_MARSHAL;
    }
    case FieldKind::kRecordArray:
      return read_nested_array(env, object, field, at);
    case FieldKind::kIntMatrix:
      return get_int_matrix_field(
          env, object, field.name, reinterpret_cast<int32_t*>(at),
          static_cast<int>(field.count), static_cast<int>(field.stride));
  }
  return ERR_MARSHAL;
}

}  // namespace

jobject build_record(JNIEnv* env, const RecordType& type, const void* record) {
  std::fflush(stdout);
  if (record == nullptr) return nullptr;
  LocalRef<jobject> object(env, new_record(env, type.class_name));
  if (!object) return nullptr;
  const auto* base = static_cast<const uint8_t*>(record);
  for (size_t i = 0; i < type.field_count; ++i) {
    const FieldSpec& field = type.fields[i];
    if (build_field(env, object.get(), field, base) != 0 &&
        field.on_failure == OnFailure::kAbort) {
      return nullptr;
    }
  }
  return object.release();
}

int32_t read_record(JNIEnv* env, const RecordType& type, jobject object,
                    void* record) {
  if (object == nullptr || record == nullptr) return -1;
  auto* base = static_cast<uint8_t*>(record);
  for (size_t i = 0; i < type.field_count; ++i) {
    if (read_field(env, object, type.fields[i], base) != 0) return ERR_MARSHAL;
  }
  return 0;
}

size_t fill_record_array(JNIEnv* env, jobjectArray array,
                         const RecordType& type, const void* records,
                         size_t count, bool stop_at_failure) {
  const auto* base = static_cast<const uint8_t*>(records);
  size_t built = 0;
  for (size_t i = 0; i < count; ++i) {
    LocalRef<jobject> element(env,
                              build_record(env, type, base + i * type.size));
    if (!element && stop_at_failure) break;
    // A failed build leaves its exception pending, and nothing more may be
    // stored then; the remaining elements stay null.
    if (env->ExceptionCheck()) break;
    env->SetObjectArrayElement(array, static_cast<jsize>(i), element.get());
    if (element) ++built;
  }
  return built;
}

}  // namespace kx
