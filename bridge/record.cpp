#include "bridge/record.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>

#include "bridge/errors.h"
#include "bridge/jni_scoped.h"
#include "bridge/marshal.h"

namespace kx {
namespace {

using TypeIds = Lookups::TypeIds;

}  // namespace

namespace {

jobject build_with(Lookups& lookups, TypeIds& ids, const uint8_t* record);

int32_t load_int(const uint8_t* at) {
  int32_t value;
  std::memcpy(&value, at, sizeof(value));
  return value;
}

void store_int(uint8_t* at, int32_t value) {
  std::memcpy(at, &value, sizeof(value));
}

// True when no byte of the text has its high bit set, tested a word at a
// time.
bool all_ascii(const uint8_t* at, size_t length) {
  uint64_t high = 0;
  size_t i = 0;
  for (; i + sizeof(uint64_t) <= length; i += sizeof(uint64_t)) {
    uint64_t word;
    std::memcpy(&word, at + i, sizeof(word));
    high |= word;
  }
  for (; i < length; ++i) high |= at[i];
  return (high & 0x8080808080808080ULL) == 0;
}

// A new Java string of the text in a slot of `width` bytes (NUL-terminated
// within it, or cut at width - 1), as valid modified UTF-8. A plain ASCII
// text, the usual case, goes to Java straight from the record (or through a
// small stack buffer when it fills its slot); only other bytes take the
// converting copy.
jstring new_slot_string(JNIEnv* env, const uint8_t* at, size_t width) {
  if (width == 0) return env->NewStringUTF("");
  const size_t max_length = width - 1;
  const void* nul = std::memchr(at, 0, max_length);
  const size_t length =
      nul != nullptr ? static_cast<size_t>(static_cast<const uint8_t*>(nul) - at)
                     : max_length;
  if (!all_ascii(at, length)) {
    return env->NewStringUTF(
        modified_utf8(bounded_text(at, max_length)).c_str());
  }
  if (at[length] == 0) {
    return env->NewStringUTF(reinterpret_cast<const char*>(at));
  }
  char buffer[256];
  if (length < sizeof buffer) {
    std::memcpy(buffer, at, length);
    buffer[length] = '\0';
    return env->NewStringUTF(buffer);
  }
  return env->NewStringUTF(bounded_text(at, max_length).c_str());
}

// Ints between a record (at any alignment) and a Java int[] through a small
// stack buffer: no heap allocation, whatever the count. `widen` makes each
// int from its place in the record (an int, or a signed byte of a byte
// list); `narrow` puts it back.
constexpr uint32_t kIntChunk = 256;

template <typename Widen>
void copy_ints_to_java(JNIEnv* env, jintArray array, uint32_t count,
                       Widen widen) {
  jint buffer[kIntChunk];
  for (uint32_t done = 0; done < count;) {
    const uint32_t chunk = std::min(kIntChunk, count - done);
    for (uint32_t i = 0; i < chunk; ++i) buffer[i] = widen(done + i);
    env->SetIntArrayRegion(array, static_cast<jsize>(done),
                           static_cast<jsize>(chunk), buffer);
    done += chunk;
  }
}

// The ints of a record straight into a Java int[] when they lie at an int's
// alignment, as the records' int arrays do; through the stack buffer when not.
void copy_record_ints_to_java(JNIEnv* env, jintArray array, uint32_t count,
                              const uint8_t* at) {
  if (reinterpret_cast<uintptr_t>(at) % alignof(jint) == 0) {
    env->SetIntArrayRegion(array, 0, static_cast<jsize>(count),
                           reinterpret_cast<const jint*>(at));
    return;
  }
  copy_ints_to_java(env, array, count,
                    [at](uint32_t i) { return load_int(at + i * sizeof(int32_t)); });
}

template <typename Narrow>
void copy_ints_from_java(JNIEnv* env, jintArray array, uint32_t count,
                         Narrow narrow) {
  jint buffer[kIntChunk];
  for (uint32_t done = 0; done < count;) {
    const uint32_t chunk = std::min(kIntChunk, count - done);
    env->GetIntArrayRegion(array, static_cast<jsize>(done),
                           static_cast<jsize>(chunk), buffer);
    for (uint32_t i = 0; i < chunk; ++i) narrow(done + i, buffer[i]);
    done += chunk;
  }
}

// Builder steps return 0 or ERR_MARSHAL. Field IDs are valid for the objects
// the builder itself creates, and the Set/New calls used here raise nothing
// with valid IDs and in-range regions, so only steps that can return null are
// checked.

int32_t set_object(Lookups& lookups, TypeIds& ids, size_t index, jobject object,
                   jobject value) {
  jfieldID id = lookups.field(ids, index);
  if (id == nullptr) return ERR_MARSHAL;
  lookups.env()->SetObjectField(object, id, value);
  return 0;
}

int32_t set_text_array(Lookups& lookups, TypeIds& ids, size_t index,
                       jobject object, const FieldSpec& field,
                       const uint8_t* at) {
  JNIEnv* env = lookups.env();
  jclass string_class = lookups.find("java/lang/String");
  if (string_class == nullptr) return ERR_MARSHAL;
  // The array is as long as a slot is wide; slots past `count` stay null.
  LocalRef<jobjectArray> array(
      env, env->NewObjectArray(static_cast<jsize>(field.stride), string_class,
                               nullptr));
  if (!array) return ERR_MARSHAL;
  for (uint32_t i = 0; i < field.count; ++i) {
    LocalRef<jstring> string(
        env, new_slot_string(env, at + static_cast<size_t>(i) * field.stride,
                             field.stride));
    if (!string) return ERR_MARSHAL;
    env->SetObjectArrayElement(array.get(), static_cast<jsize>(i),
                               string.get());
  }
  return set_object(lookups, ids, index, object, array.get());
}

int32_t set_nested_array(Lookups& lookups, TypeIds& ids, size_t index,
                         jobject object, const FieldSpec& field,
                         const uint8_t* at) {
  JNIEnv* env = lookups.env();
  TypeIds* nested = lookups.nested_for_building(ids, index);
  if (nested == nullptr) return ERR_MARSHAL;
  LocalRef<jobjectArray> array(
      env, env->NewObjectArray(static_cast<jsize>(field.count), nested->cls,
                               nullptr));
  if (!array) return ERR_MARSHAL;
  for (uint32_t i = 0; i < field.count; ++i) {
    LocalRef<jobject> element(
        env, build_with(lookups, *nested,
                        at + static_cast<size_t>(i) * field.stride));
    if (!element) return ERR_MARSHAL;
    env->SetObjectArrayElement(array.get(), static_cast<jsize>(i),
                               element.get());
  }
  return set_object(lookups, ids, index, object, array.get());
}

// Rows of records: an array of `count` rows, each an array of `columns`
// records built by the nested type's builder. Any element, row or store that
// fails fails the field.
int32_t set_record_matrix(Lookups& lookups, TypeIds& ids, size_t index,
                          jobject object, const FieldSpec& field,
                          const uint8_t* at) {
  JNIEnv* env = lookups.env();
  jclass row_class = lookups.find(field.nested->array_signature);
  if (row_class == nullptr) return ERR_MARSHAL;
  TypeIds* nested = lookups.nested_for_building(ids, index);
  if (nested == nullptr) return ERR_MARSHAL;
  LocalRef<jobjectArray> matrix(
      env,
      env->NewObjectArray(static_cast<jsize>(field.count), row_class, nullptr));
  if (!matrix) return ERR_MARSHAL;
  for (uint32_t j = 0; j < field.count; ++j) {
    LocalRef<jobjectArray> row(
        env, env->NewObjectArray(static_cast<jsize>(field.columns), nested->cls,
                                 nullptr));
    if (!row) return ERR_MARSHAL;
    for (uint32_t i = 0; i < field.columns; ++i) {
      const size_t element = static_cast<size_t>(j) * field.columns + i;
      LocalRef<jobject> record(
          env, build_with(lookups, *nested, at + element * field.stride));
      if (!record) return ERR_MARSHAL;
      env->SetObjectArrayElement(row.get(), static_cast<jsize>(i),
                                 record.get());
    }
    env->SetObjectArrayElement(matrix.get(), static_cast<jsize>(j), row.get());
  }
  return set_object(lookups, ids, index, object, matrix.get());
}

int32_t set_int_matrix(Lookups& lookups, TypeIds& ids, size_t index,
                       jobject object, const FieldSpec& field,
                       const uint8_t* at) {
  JNIEnv* env = lookups.env();
  jclass row_class = lookups.find("[I");
  if (row_class == nullptr) return ERR_MARSHAL;
  LocalRef<jobjectArray> matrix(
      env,
      env->NewObjectArray(static_cast<jsize>(field.count), row_class, nullptr));
  if (!matrix) return ERR_MARSHAL;
  for (uint32_t i = 0; i < field.count; ++i) {
    LocalRef<jintArray> row(env,
                            env->NewIntArray(static_cast<jsize>(field.stride)));
    if (!row) return ERR_MARSHAL;
    copy_record_ints_to_java(
        env, row.get(), field.stride,
        at + static_cast<size_t>(i) * field.stride * sizeof(int32_t));
    env->SetObjectArrayElement(matrix.get(), static_cast<jsize>(i), row.get());
  }
  return set_object(lookups, ids, index, object, matrix.get());
}

template <typename Widen>
int32_t set_int_values(Lookups& lookups, TypeIds& ids, size_t index,
                       jobject object, uint32_t count, Widen widen) {
  JNIEnv* env = lookups.env();
  LocalRef<jintArray> array(env, env->NewIntArray(static_cast<jsize>(count)));
  if (!array) return ERR_MARSHAL;
  copy_ints_to_java(env, array.get(), count, widen);
  return set_object(lookups, ids, index, object, array.get());
}

int32_t build_field(Lookups& lookups, TypeIds& ids, size_t index,
                    jobject object, const uint8_t* record) {
  JNIEnv* env = lookups.env();
  const FieldSpec& field = ids.type->fields[index];
  const uint8_t* at = record + field.offset;
  switch (field.kind) {
    case FieldKind::kInt:
    case FieldKind::kSignedByte:
    case FieldKind::kUnsignedByte: {
      jfieldID id = lookups.field(ids, index);
      if (id == nullptr) return ERR_MARSHAL;
      jint value = field.kind == FieldKind::kInt ? load_int(at)
                   : field.kind == FieldKind::kSignedByte
                       ? static_cast<jint>(static_cast<int8_t>(*at))
                       : static_cast<jint>(*at);
      env->SetIntField(object, id, value);
      return 0;
    }
    case FieldKind::kText: {
      // The string is made before the field is looked up.
      LocalRef<jstring> string(env, new_slot_string(env, at, field.count));
      if (!string) return ERR_MARSHAL;
      return set_object(lookups, ids, index, object, string.get());
    }
    case FieldKind::kByteList:
      return set_int_values(
          lookups, ids, index, object, field.count,
          [at](uint32_t i) { return static_cast<jint>(static_cast<int8_t>(at[i])); });
    case FieldKind::kIntArray: {
      LocalRef<jintArray> array(
          env, env->NewIntArray(static_cast<jsize>(field.count)));
      if (!array) return ERR_MARSHAL;
      copy_record_ints_to_java(env, array.get(), field.count, at);
      return set_object(lookups, ids, index, object, array.get());
    }
    case FieldKind::kByteArray: {
      // Copied into the byte[] the object's constructor made; one that is
      // missing or too short fails the field.
      jfieldID id = lookups.field(ids, index);
      if (id == nullptr) return ERR_MARSHAL;
      LocalRef<jbyteArray> array(
          env, static_cast<jbyteArray>(env->GetObjectField(object, id)));
      if (!array) return ERR_MARSHAL;
      env->SetByteArrayRegion(array.get(), 0, static_cast<jsize>(field.count),
                              reinterpret_cast<const jbyte*>(at));
      return env->ExceptionCheck() ? ERR_MARSHAL : 0;
    }
    case FieldKind::kTextArray:
      return set_text_array(lookups, ids, index, object, field, at);
    case FieldKind::kRecord: {
      TypeIds* nested_ids = lookups.nested_for_building(ids, index);
      if (nested_ids == nullptr) return ERR_MARSHAL;
      LocalRef<jobject> nested(env, build_with(lookups, *nested_ids, at));
      if (!nested) return ERR_MARSHAL;
      return set_object(lookups, ids, index, object, nested.get());
    }
    case FieldKind::kRecordArray:
      return set_nested_array(lookups, ids, index, object, field, at);
    case FieldKind::kIntMatrix:
      return set_int_matrix(lookups, ids, index, object, field, at);
    case FieldKind::kRecordMatrix:
      return set_record_matrix(lookups, ids, index, object, field, at);
  }
  return ERR_MARSHAL;
}

// Reader steps return 0 or ERR_MARSHAL and check lengths before any region
// copy, so a short Java array fails without an exception.

// Copies a Java string into a slot of `width` bytes, cut at the last whole
// character that fits, or, for a text that must not be cut, left without
// its NUL when it does not fit. A null string is an empty text.
int32_t read_text(JNIEnv* env, jstring string, uint8_t* at, size_t width,
                  bool whole_or_unterminated = false) {
  std::memset(at, 0, width);
  if (string == nullptr) return 0;
  UtfChars chars(env, string);
  if (!chars) return ERR_MARSHAL;
  if (whole_or_unterminated && std::strlen(chars.get()) >= width) {
    std::memcpy(at, chars.get(), width);
    return 0;
  }
  copy_text_whole(chars.get(), reinterpret_cast<char*>(at), width);
  return 0;
}

template <typename Array>
Array get_array(Lookups& lookups, TypeIds& ids, size_t index, jobject object) {
  jfieldID id = lookups.field(ids, index);
  if (id == nullptr) return nullptr;
  return static_cast<Array>(lookups.env()->GetObjectField(object, id));
}

int32_t read_nested_array(Lookups& lookups, TypeIds& ids, size_t index,
                          jobject object, const FieldSpec& field, uint8_t* at) {
  JNIEnv* env = lookups.env();
  LocalRef<jobjectArray> array(
      env, get_array<jobjectArray>(lookups, ids, index, object));
  if (!array) return ERR_MARSHAL;
  jsize length = env->GetArrayLength(array.get());
  // A longer Java array is cut to the record's capacity.
  if (length > static_cast<jsize>(field.count)) {
    length = static_cast<jsize>(field.count);
  }
  for (jsize i = 0; i < length; ++i) {
    LocalRef<jobject> element(env, env->GetObjectArrayElement(array.get(), i));
    if (read_record(lookups, *field.nested, element.get(),
                    at + static_cast<size_t>(i) * field.stride) != 0) {
      return ERR_MARSHAL;
    }
  }
  return 0;
}

int32_t read_text_array(Lookups& lookups, TypeIds& ids, size_t index,
                        jobject object, const FieldSpec& field, uint8_t* at) {
  JNIEnv* env = lookups.env();
  LocalRef<jobjectArray> array(
      env, get_array<jobjectArray>(lookups, ids, index, object));
  if (!array) return ERR_MARSHAL;
  std::memset(at, 0, static_cast<size_t>(field.count) * field.stride);
  jsize length = env->GetArrayLength(array.get());
  if (length > static_cast<jsize>(field.count)) {
    length = static_cast<jsize>(field.count);
  }
  for (jsize i = 0; i < length; ++i) {
    LocalRef<jstring> string(
        env, static_cast<jstring>(env->GetObjectArrayElement(array.get(), i)));
    // A null element ends the list: builders leave the slots past the last
    // text null, so a list read back and passed on keeps its texts.
    if (!string) break;
    if (read_text(env, string.get(), at + static_cast<size_t>(i) * field.stride,
                  field.stride) != 0) {
      return ERR_MARSHAL;
    }
  }
  return 0;
}

int32_t read_int_matrix(Lookups& lookups, TypeIds& ids, size_t index,
                        jobject object, const FieldSpec& field, uint8_t* at) {
  JNIEnv* env = lookups.env();
  LocalRef<jobjectArray> matrix(
      env, get_array<jobjectArray>(lookups, ids, index, object));
  if (!matrix) return ERR_MARSHAL;
  // A matrix with fewer rows, or a row shorter, than the record holds fails.
  if (env->GetArrayLength(matrix.get()) < static_cast<jsize>(field.count)) {
    return ERR_MARSHAL;
  }
  for (uint32_t i = 0; i < field.count; ++i) {
    LocalRef<jintArray> row(env,
                            static_cast<jintArray>(env->GetObjectArrayElement(
                                matrix.get(), static_cast<jsize>(i))));
    if (!row ||
        env->GetArrayLength(row.get()) < static_cast<jsize>(field.stride)) {
      return ERR_MARSHAL;
    }
    uint8_t* row_at = at + static_cast<size_t>(i) * field.stride * sizeof(int32_t);
    copy_ints_from_java(env, row.get(), field.stride,
                        [row_at](uint32_t k, jint value) {
                          store_int(row_at + k * sizeof(int32_t), value);
                        });
  }
  return 0;
}

// Rows of records, read as the builder makes them: a matrix with fewer rows,
// or a row with fewer records, than the record holds fails; a null record
// fails; longer rows are cut.
int32_t read_record_matrix(Lookups& lookups, TypeIds& ids, size_t index,
                           jobject object, const FieldSpec& field,
                           uint8_t* at) {
  JNIEnv* env = lookups.env();
  LocalRef<jobjectArray> matrix(
      env, get_array<jobjectArray>(lookups, ids, index, object));
  if (!matrix ||
      env->GetArrayLength(matrix.get()) < static_cast<jsize>(field.count)) {
    return ERR_MARSHAL;
  }
  for (uint32_t j = 0; j < field.count; ++j) {
    LocalRef<jobjectArray> row(
        env, static_cast<jobjectArray>(env->GetObjectArrayElement(
                 matrix.get(), static_cast<jsize>(j))));
    if (!row ||
        env->GetArrayLength(row.get()) < static_cast<jsize>(field.columns)) {
      return ERR_MARSHAL;
    }
    for (uint32_t i = 0; i < field.columns; ++i) {
      LocalRef<jobject> element(
          env, env->GetObjectArrayElement(row.get(), static_cast<jsize>(i)));
      const size_t slot = static_cast<size_t>(j) * field.columns + i;
      if (read_record(lookups, *field.nested, element.get(),
                      at + slot * field.stride) != 0) {
        return ERR_MARSHAL;
      }
    }
  }
  return 0;
}

int32_t read_field(Lookups& lookups, TypeIds& ids, size_t index, jobject object,
                   uint8_t* record) {
  JNIEnv* env = lookups.env();
  const FieldSpec& field = ids.type->fields[index];
  uint8_t* at = record + field.offset;
  switch (field.kind) {
    case FieldKind::kInt:
    case FieldKind::kSignedByte:
    case FieldKind::kUnsignedByte: {
      jfieldID id = lookups.field(ids, index);
      if (id == nullptr) return ERR_MARSHAL;
      jint value = env->GetIntField(object, id);
      if (field.kind == FieldKind::kInt) {
        store_int(at, value);
      } else {
        *at = static_cast<uint8_t>(value & 0xFF);
      }
      return 0;
    }
    case FieldKind::kText: {
      jfieldID id = lookups.field(ids, index);
      if (id == nullptr) return ERR_MARSHAL;
      LocalRef<jstring> string(
          env, static_cast<jstring>(env->GetObjectField(object, id)));
      return read_text(env, string.get(), at, field.count,
                       field.whole_or_unterminated);
    }
    case FieldKind::kByteList: {
      LocalRef<jintArray> array(
          env, get_array<jintArray>(lookups, ids, index, object));
      if (!array) return ERR_MARSHAL;
      jsize length = env->GetArrayLength(array.get());
      if (length == 0) {
        at[0] = 0;
        return 0;
      }
      if (length > static_cast<jsize>(field.count)) {
        length = static_cast<jsize>(field.count);
      }
      copy_ints_from_java(env, array.get(), static_cast<uint32_t>(length),
                          [at](uint32_t i, jint value) {
                            at[i] = static_cast<uint8_t>(value & 0xFF);
                          });
      return 0;
    }
    case FieldKind::kIntArray: {
      LocalRef<jintArray> array(
          env, get_array<jintArray>(lookups, ids, index, object));
      if (!array ||
          env->GetArrayLength(array.get()) < static_cast<jsize>(field.count)) {
        return ERR_MARSHAL;
      }
      copy_ints_from_java(env, array.get(), field.count,
                          [at](uint32_t i, jint value) {
                            store_int(at + i * sizeof(int32_t), value);
                          });
      return 0;
    }
    case FieldKind::kByteArray: {
      LocalRef<jbyteArray> array(
          env, get_array<jbyteArray>(lookups, ids, index, object));
      if (!array ||
          env->GetArrayLength(array.get()) < static_cast<jsize>(field.count)) {
        return ERR_MARSHAL;
      }
      env->GetByteArrayRegion(array.get(), 0, static_cast<jsize>(field.count),
                              reinterpret_cast<jbyte*>(at));
      return 0;
    }
    case FieldKind::kTextArray:
      return read_text_array(lookups, ids, index, object, field, at);
    case FieldKind::kRecord: {
      LocalRef<jobject> nested(env,
                               get_array<jobject>(lookups, ids, index, object));
      if (!nested) return ERR_MARSHAL;
      return read_record(lookups, *field.nested, nested.get(), at) == 0
                 ? 0
                 : ERR_MARSHAL;
    }
    case FieldKind::kRecordArray:
      return read_nested_array(lookups, ids, index, object, field, at);
    case FieldKind::kIntMatrix:
      return read_int_matrix(lookups, ids, index, object, field, at);
    case FieldKind::kRecordMatrix:
      return read_record_matrix(lookups, ids, index, object, field, at);
  }
  return ERR_MARSHAL;
}

}  // namespace

// Builds without flushing: standard output is flushed once when a build
// starts, not once per nested object, since nothing can write to it while
// the objects are made.
namespace {

// A new object of the type whose IDs are `ids`, every field set from
// `record`; null on a failure that aborts it.
jobject build_with(Lookups& lookups, TypeIds& ids, const uint8_t* record) {
  JNIEnv* env = lookups.env();
  LocalRef<jobject> object(env, env->NewObject(ids.cls, ids.ctor));
  if (!object) return nullptr;
  const RecordType& type = *ids.type;
  for (size_t i = 0; i < type.field_count; ++i) {
    const FieldSpec& field = type.fields[i];
    if (field.kind == FieldKind::kInt) {
      // The most common field, set here without the general step's switch.
      jfieldID id = lookups.field(ids, i);
      if (id != nullptr) {
        env->SetIntField(object.get(), id, load_int(record + field.offset));
        continue;
      }
    } else if (build_field(lookups, ids, i, object.get(), record) == 0) {
      continue;
    }
    // A skipped field may not leave an exception behind it: no further JNI
    // call may run then, so the builder ends there.
    if (field.on_failure == OnFailure::kAbort || env->ExceptionCheck()) {
      return nullptr;
    }
  }
  return object.release();
}

}  // namespace

jobject build_object(Lookups& lookups, const RecordType& type,
                     const void* record) {
  if (record == nullptr) return nullptr;
  TypeIds* ids = lookups.for_building(type);
  if (ids == nullptr) return nullptr;
  return build_with(lookups, *ids, static_cast<const uint8_t*>(record));
}

jobject build_record(Lookups& lookups, const RecordType& type,
                     const void* record) {
  if (!type.quiet) std::fflush(stdout);
  return build_object(lookups, type, record);
}

int32_t read_record(Lookups& lookups, const RecordType& type, jobject object,
                    void* record) {
  if (object == nullptr || record == nullptr) return -1;
  TypeIds* ids = lookups.for_reading(type, object);
  if (ids == nullptr) return ERR_MARSHAL;
  auto* base = static_cast<uint8_t*>(record);
  for (size_t i = 0; i < type.field_count; ++i) {
    if (read_field(lookups, *ids, i, object, base) != 0) return ERR_MARSHAL;
  }
  return 0;
}

jobjectArray new_record_array(Lookups& lookups, const RecordType& type,
                              jsize length) {
  TypeIds* ids = lookups.for_building(type);
  if (ids == nullptr) return nullptr;
  return lookups.env()->NewObjectArray(length, ids->cls, nullptr);
}

size_t fill_record_array(Lookups& lookups, jobjectArray array,
                         const RecordType& type, const void* records,
                         size_t count, bool stop_at_failure) {
  JNIEnv* env = lookups.env();
  const auto* base = static_cast<const uint8_t*>(records);
  if (!type.quiet) std::fflush(stdout);
  if (count == 0 || base == nullptr) return 0;
  // A type that cannot be had leaves its exception pending (or, unnamed,
  // builds nothing): no element can be built.
  TypeIds* ids = lookups.for_building(type);
  if (ids == nullptr) return 0;
  size_t built = 0;
  for (size_t i = 0; i < count; ++i) {
    LocalRef<jobject> element(env,
                              build_with(lookups, *ids, base + i * type.size));
    if (!element) {
      // A failed build may leave its exception pending, and nothing more may
      // be stored then; the remaining elements stay null.
      if (stop_at_failure || env->ExceptionCheck()) break;
      continue;
    }
    env->SetObjectArrayElement(array, static_cast<jsize>(i), element.get());
    ++built;
  }
  return built;
}

}  // namespace kx
