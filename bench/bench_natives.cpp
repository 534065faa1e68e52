// The benchmark's own natives (class korvane.str.diskarray.bench.BenchNatives):
// the baselines the bridge is timed against. Never shipped.
//
// - raw reads and writes hand the core's bytes to Java in a direct ByteBuffer
//   (and back), for the pure-Java decoder and encoder;
// - the cached builder and reader keep classes, constructors and field IDs for
//   the life of this library (global references made by init(), or at the
//   first write for a record type whose class the table does not name);
// - the plain reader looks every field up by name, as simply as JNI allows:
//   GetObjectClass and GetFieldID for each field, nothing kept.
//
// All three are driven by the bridge's own field tables, so every way of
// converting a record reads and writes the same fields at the same offsets.
// The benchmark checks before timing that they all give the same objects and
// deliver the same bytes to the core.
//
// A further core function is one row of kCalls, a strong definition in
// fake_core.cpp that fills its buffer, and a row of the Java table (Rows).
//
// Besides: layout() hands a call's field tables to Java, for the pure-Java
// decoder of records too large to decode by hand (TableDecoder), and
// mallocInUse() the bytes malloc has handed out, for the memory checks.
#include <jni.h>
#include <malloc.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "bench/fake_core.h"
#include "korvane_str_diskarray_bench_BenchNatives.h"
#include "kx_core.h"
#include "statistics/statistics_records.h"
#include "status/status_records.h"
#include "storage/storage_records.h"
#include "units/unit_records.h"

namespace {

using kx::FieldKind;
using kx::FieldSpec;
using kx::RecordType;

// One core function the benchmark times: a table read (the core fills
// `count` records) or a single-record write.
struct CoreCall {
  const char* name;
  const RecordType* type;
  bool takes_unit;  // false: the core function has no unit-name argument
  int32_t (*read)(const char* unit, int32_t count, void* table);
  int32_t (*write)(const char* unit, const void* record);
};


const CoreCall kCalls[] = {
    {"KX_GetDriveStatus", &kx::kDiskDriveType, true,
     [](const char* unit, int32_t, void* table) {
       return KX_GetDriveStatus(unit, static_cast<DiskDriveRecord*>(table));
     },
     nullptr},
    {"KX_GetRaidGroups", &kx::kRaidGroupType, true,
     [](const char* unit, int32_t, void* table) {
       return KX_GetRaidGroups(unit, static_cast<RaidGroupRecord*>(table));
     },
     nullptr},
    {"KX_GetLogicalUnit", &kx::kLogicalUnitType, true,
     [](const char* unit, int32_t, void* table) {
       return KX_GetLogicalUnit(unit, static_cast<LogicalUnitRecord*>(table));
     },
     nullptr},
    {"KX_GetUnitParamTable", &kx::kUnitParamType, false,
     [](const char*, int32_t count, void* table) {
       return KX_GetUnitParamTable(count,
                                   static_cast<KXUnitParamRecord*>(table));
     },
     nullptr},
    {"KX_GetUnitParam", &kx::kUnitParamType, true,
     [](const char* unit, int32_t, void* record) {
       return KX_GetUnitParam(unit, static_cast<KXUnitParamRecord*>(record));
     },
     nullptr},
    {"KX_RaidGroupAdd", &kx::kRaidGroupType, true, nullptr,
     [](const char* unit, const void* record) {
       return KX_RaidGroupAdd(unit,
                              static_cast<const RaidGroupRecord*>(record));
     }},
    {"KX_UnitAdd", &kx::kUnitParamType, false, nullptr,
     [](const char*, const void* record) {
       return KX_UnitAdd(static_cast<const KXUnitParamRecord*>(record));
     }},
    {"KX_GetAllInformation", &kx::kArrayAllInformationType, true,
     [](const char* unit, int32_t, void* record) {
       return KX_GetAllInformation(
           unit, static_cast<ArrayAllInformationRecord*>(record));
     },
     nullptr},
    {"KX_GetStatisticalInformation", &kx::kStatisticalInformationType, true,
     [](const char* unit, int32_t, void* record) {
       return KX_GetStatisticalInformation(
           unit, 0, static_cast<StatisticalInformationRecord*>(record));
     },
     nullptr},
};
constexpr jint kCallCount = static_cast<jint>(std::size(kCalls));

// Widest text the builders convert through their stack buffer.
constexpr uint32_t kMaxTextWidth = 1024;
// Largest table a read may ask for.
constexpr size_t kMaxTableBytes = size_t{64} << 20;

// Class, constructor and field IDs of one record type, kept for the life of
// the library.
struct CachedType {
  const RecordType* type = nullptr;
  jclass cls = nullptr;  // global reference
  jmethodID ctor = nullptr;
  std::vector<jfieldID> ids;              // in field-table order
  std::vector<const CachedType*> nested;  // per field; records only
  std::vector<jclass> row_classes;  // per field; record matrices only
                                    // (global references)
};

std::vector<std::unique_ptr<CachedType>> cached_types;
std::vector<const CachedType*> call_types;  // per kCalls entry
jclass string_class = nullptr;              // global references
jclass int_array_class = nullptr;

void throw_state(JNIEnv* env, const char* message) {
  if (env->ExceptionCheck()) return;
  jclass cls = env->FindClass("java/lang/IllegalStateException");
  if (cls != nullptr) env->ThrowNew(cls, message);
}

jclass global_class(JNIEnv* env, const char* name) {
  jclass local = env->FindClass(name);
  if (local == nullptr) return nullptr;
  auto global = static_cast<jclass>(env->NewGlobalRef(local));
  env->DeleteLocalRef(local);
  return global;
}

// The cached description of `type` and of the records nested in it, made at
// its first use. `cls` is the class of an unnamed type. Null with an
// exception pending.
const CachedType* cache_type(JNIEnv* env, const RecordType& type,
                             jclass cls = nullptr) {
  for (const auto& cached : cached_types) {
    if (cached->type == &type) return cached.get();
  }
  auto cached = std::make_unique<CachedType>();
  cached->type = &type;
  if (type.class_name != nullptr) {
    cached->cls = global_class(env, type.class_name);
  } else if (cls != nullptr) {
    cached->cls = static_cast<jclass>(env->NewGlobalRef(cls));
  }
  if (cached->cls == nullptr) {
    throw_state(env, "no class for a record type");
    return nullptr;
  }
  cached->ctor = env->GetMethodID(cached->cls, "<init>", "()V");
  if (cached->ctor == nullptr) return nullptr;
  for (size_t i = 0; i < type.field_count; ++i) {
    const FieldSpec& field = type.fields[i];
    uint32_t width = field.kind == FieldKind::kTextArray ? field.stride
                     : field.kind == FieldKind::kRecordArray ||
                             field.kind == FieldKind::kRecord ||
                             field.kind == FieldKind::kRecordMatrix ||
                             field.kind == FieldKind::kIntMatrix
                         ? 0
                         : field.count;
    if (width > kMaxTextWidth) {
      throw_state(env, "a field wider than the benchmark's buffers");
      return nullptr;
    }
    jfieldID id = env->GetFieldID(cached->cls, field.name, field.signature);
    if (id == nullptr) return nullptr;
    cached->ids.push_back(id);
    const CachedType* nested = nullptr;
    if (field.nested != nullptr) {
      nested = cache_type(env, *field.nested);
      if (nested == nullptr) return nullptr;
    }
    cached->nested.push_back(nested);
    jclass row_class = nullptr;
    if (field.kind == FieldKind::kRecordMatrix) {
      row_class = global_class(env, field.nested->array_signature);
      if (row_class == nullptr) return nullptr;
    }
    cached->row_classes.push_back(row_class);
  }
  cached_types.push_back(std::move(cached));
  return cached_types.back().get();
}

// The call at `index`, or null with an exception thrown.
const CoreCall* call_at(JNIEnv* env, jint index) {
  if (index < 0 || index >= kCallCount ||
      call_types.size() != std::size(kCalls)) {
    throw_state(env, "unknown call, or init() not run");
    return nullptr;
  }
  return &kCalls[index];
}

int32_t load_int(const uint8_t* at) {
  int32_t value;
  std::memcpy(&value, at, sizeof(value));
  return value;
}

void store_int(uint8_t* at, int32_t value) {
  std::memcpy(at, &value, sizeof(value));
}

// Copies the unit name as the bridge does: at most 16 bytes of modified
// UTF-8, zero-filled. False with an exception pending.
bool copy_unit_name(JNIEnv* env, jstring unit, char (&buffer)[kUnitNameSize]) {
  std::memset(buffer, 0, sizeof(buffer));
  if (unit == nullptr) {
    throw_state(env, "null unit name");
    return false;
  }
  const char* chars = env->GetStringUTFChars(unit, nullptr);
  if (chars == nullptr) return false;
  std::strncpy(buffer, chars, sizeof(buffer) - 1);
  env->ReleaseStringUTFChars(unit, chars);
  return true;
}

// Copies a Java string into a text field of `width` bytes (at most width - 1
// bytes of text, zero-filled); a null string leaves the field empty. False
// with an exception pending.
bool copy_text(JNIEnv* env, jstring string, uint8_t* at, uint32_t width) {
  if (string == nullptr) return true;
  const char* chars = env->GetStringUTFChars(string, nullptr);
  if (chars == nullptr) return false;
  std::strncpy(reinterpret_cast<char*>(at), chars, width - 1);
  env->ReleaseStringUTFChars(string, chars);
  return true;
}

// A new string of the text in a field of `width` bytes: up to its NUL, at
// most width - 1 bytes.
jstring new_text(JNIEnv* env, const uint8_t* at, uint32_t width) {
  char text[kMaxTextWidth];
  const void* nul = std::memchr(at, '\0', width - 1);
  size_t length =
      nul != nullptr ? static_cast<const uint8_t*>(nul) - at : width - 1;
  std::memcpy(text, at, length);
  text[length] = '\0';
  return env->NewStringUTF(text);
}

struct FreeMemory {
  void operator()(void* memory) const { std::free(memory); }
};
using Buffer = std::unique_ptr<uint8_t, FreeMemory>;

// A zero-filled heap buffer, as the bridge uses for the core's answers.
Buffer new_buffer(size_t size) {
  return Buffer(static_cast<uint8_t*>(std::calloc(size != 0 ? size : 1, 1)));
}

bool core_succeeded(JNIEnv* env, const CoreCall& call, int32_t code) {
  if (code == 0) return true;
  char message[128];
  std::snprintf(message, sizeof(message), "%s answered %d", call.name,
                static_cast<int>(code));
  throw_state(env, message);
  return false;
}

jobject build_cached(JNIEnv* env, const CachedType& cached,
                     const uint8_t* record);

// The Java value of a field that is neither an int, a byte nor a byte[];
// null with an exception pending.
jobject build_value(JNIEnv* env, const CachedType& cached, size_t index,
                    const uint8_t* at) {
  const FieldSpec& field = cached.type->fields[index];
  auto count = static_cast<jsize>(field.count);
  switch (field.kind) {
    case FieldKind::kText:
      return new_text(env, at, field.count);
    case FieldKind::kByteList: {
      jintArray array = env->NewIntArray(count);
      if (array == nullptr) return nullptr;
      jint values[kMaxTextWidth];
      for (jsize i = 0; i < count; ++i) {
        values[i] = static_cast<int8_t>(at[i]);
      }
      env->SetIntArrayRegion(array, 0, count, values);
      return array;
    }
    case FieldKind::kIntArray: {
      jintArray array = env->NewIntArray(count);
      if (array == nullptr) return nullptr;
      env->SetIntArrayRegion(array, 0, count,
                             reinterpret_cast<const jint*>(at));
      return array;
    }
    case FieldKind::kTextArray: {
      jobjectArray array = env->NewObjectArray(count, string_class, nullptr);
      if (array == nullptr) return nullptr;
      for (jsize i = 0; i < count; ++i) {
        jstring text = new_text(env, at + i * field.stride, field.stride);
        if (text == nullptr) return nullptr;
        env->SetObjectArrayElement(array, i, text);
        env->DeleteLocalRef(text);
      }
      return array;
    }
    case FieldKind::kRecord:
      return build_cached(env, *cached.nested[index], at);
    case FieldKind::kRecordArray: {
      const CachedType& nested = *cached.nested[index];
      jobjectArray array = env->NewObjectArray(count, nested.cls, nullptr);
      if (array == nullptr) return nullptr;
      for (jsize i = 0; i < count; ++i) {
        jobject element = build_cached(env, nested, at + i * field.stride);
        if (element == nullptr) return nullptr;
        env->SetObjectArrayElement(array, i, element);
        env->DeleteLocalRef(element);
      }
      return array;
    }
    case FieldKind::kRecordMatrix: {
      const CachedType& nested = *cached.nested[index];
      jobjectArray matrix =
          env->NewObjectArray(count, cached.row_classes[index], nullptr);
      if (matrix == nullptr) return nullptr;
      auto columns = static_cast<jsize>(field.columns);
      for (jsize r = 0; r < count; ++r) {
        jobjectArray row = env->NewObjectArray(columns, nested.cls, nullptr);
        if (row == nullptr) return nullptr;
        for (jsize c = 0; c < columns; ++c) {
          jobject element = build_cached(
              env, nested,
              at + (static_cast<size_t>(r) * columns + c) * field.stride);
          if (element == nullptr) return nullptr;
          env->SetObjectArrayElement(row, c, element);
          env->DeleteLocalRef(element);
        }
        env->SetObjectArrayElement(matrix, r, row);
        env->DeleteLocalRef(row);
      }
      return matrix;
    }
    case FieldKind::kIntMatrix: {
      jobjectArray matrix =
          env->NewObjectArray(count, int_array_class, nullptr);
      if (matrix == nullptr) return nullptr;
      auto columns = static_cast<jsize>(field.stride);
      for (jsize i = 0; i < count; ++i) {
        jintArray row = env->NewIntArray(columns);
        if (row == nullptr) return nullptr;
        env->SetIntArrayRegion(row, 0, columns,
                               reinterpret_cast<const jint*>(at) +
                                   static_cast<size_t>(i) * columns);
        env->SetObjectArrayElement(matrix, i, row);
        env->DeleteLocalRef(row);
      }
      return matrix;
    }
    default:
      throw_state(env, "a field kind build_value does not make");
      return nullptr;
  }
}

// A new object of the cached class with every field set from `record`; null
// with an exception pending.
jobject build_cached(JNIEnv* env, const CachedType& cached,
                     const uint8_t* record) {
  jobject object = env->NewObject(cached.cls, cached.ctor);
  if (object == nullptr) return nullptr;
  const RecordType& type = *cached.type;
  for (size_t i = 0; i < type.field_count; ++i) {
    const FieldSpec& field = type.fields[i];
    const uint8_t* at = record + field.offset;
    switch (field.kind) {
      case FieldKind::kInt:
        env->SetIntField(object, cached.ids[i], load_int(at));
        break;
      case FieldKind::kSignedByte:
        env->SetIntField(object, cached.ids[i], static_cast<int8_t>(*at));
        break;
      case FieldKind::kUnsignedByte:
        env->SetIntField(object, cached.ids[i], *at);
        break;
      case FieldKind::kByteArray: {
        // The object's constructor made the array at its full width.
        auto array =
            static_cast<jbyteArray>(env->GetObjectField(object, cached.ids[i]));
        if (array == nullptr) {
          env->DeleteLocalRef(object);
          throw_state(env, "a byte[] the constructor did not make");
          return nullptr;
        }
        jsize length = std::min(env->GetArrayLength(array),
                                static_cast<jsize>(field.count));
        env->SetByteArrayRegion(array, 0, length,
                                reinterpret_cast<const jbyte*>(at));
        env->DeleteLocalRef(array);
        break;
      }
      default: {
        jobject value = build_value(env, cached, i, at);
        if (value == nullptr) {
          env->DeleteLocalRef(object);
          return nullptr;
        }
        env->SetObjectField(object, cached.ids[i], value);
        env->DeleteLocalRef(value);
      }
    }
  }
  return object;
}

// Where a reader finds the ID of a record's field: kept since init(), or
// looked up by name on the object's class for every field.
struct CachedIds {
  const CachedType& cached;
  jfieldID id(JNIEnv*, jobject, size_t index) const {
    return cached.ids[index];
  }
  CachedIds nested(size_t index) const { return {*cached.nested[index]}; }
};

struct ByNameIds {
  const RecordType& type;
  jfieldID id(JNIEnv* env, jobject object, size_t index) const {
    const FieldSpec& field = type.fields[index];
    jclass cls = env->GetObjectClass(object);
    jfieldID id = env->GetFieldID(cls, field.name, field.signature);
    env->DeleteLocalRef(cls);
    return id;
  }
  ByNameIds nested(size_t index) const { return {*type.fields[index].nested}; }
};

template <typename Ids>
bool read_fields(JNIEnv* env, const RecordType& type, const Ids& ids,
                 jobject object, uint8_t* record);

// Reads a field that is neither an int nor a byte from `value`, the field's
// object. A shorter array fills what it has; a longer one is cut. False with
// an exception pending.
template <typename Ids>
bool read_value(JNIEnv* env, const FieldSpec& field, const Ids& ids,
                size_t index, jobject value, uint8_t* at) {
  if (value == nullptr) {
    if (field.kind == FieldKind::kText) return true;
    throw_state(env, "a null field where the record needs a value");
    return false;
  }
  auto count = static_cast<jsize>(field.count);
  switch (field.kind) {
    case FieldKind::kText:
      return copy_text(env, static_cast<jstring>(value), at, field.count);
    case FieldKind::kByteList: {
      auto array = static_cast<jintArray>(value);
      jsize length = std::min(env->GetArrayLength(array), count);
      jint values[kMaxTextWidth];
      env->GetIntArrayRegion(array, 0, length, values);
      for (jsize i = 0; i < length; ++i) {
        at[i] = static_cast<uint8_t>(values[i] & 0xFF);
      }
      return true;
    }
    case FieldKind::kIntArray: {
      auto array = static_cast<jintArray>(value);
      env->GetIntArrayRegion(array, 0,
                             std::min(env->GetArrayLength(array), count),
                             reinterpret_cast<jint*>(at));
      return true;
    }
    case FieldKind::kByteArray: {
      auto array = static_cast<jbyteArray>(value);
      env->GetByteArrayRegion(array, 0,
                              std::min(env->GetArrayLength(array), count),
                              reinterpret_cast<jbyte*>(at));
      return true;
    }
    case FieldKind::kRecord:
      return read_fields(env, *field.nested, ids.nested(index), value, at);
    case FieldKind::kTextArray:
    case FieldKind::kRecordArray:
    case FieldKind::kIntMatrix: {
      auto array = static_cast<jobjectArray>(value);
      jsize length = std::min(env->GetArrayLength(array), count);
      size_t element_size = field.kind == FieldKind::kIntMatrix
                                ? field.stride * sizeof(int32_t)
                                : field.stride;
      for (jsize i = 0; i < length; ++i) {
        jobject element = env->GetObjectArrayElement(array, i);
        uint8_t* element_at = at + static_cast<size_t>(i) * element_size;
        bool read = true;
        if (field.kind == FieldKind::kTextArray) {
          read = copy_text(env, static_cast<jstring>(element), element_at,
                           field.stride);
        } else if (element == nullptr) {
          throw_state(env, "a null element where the record needs a value");
          read = false;
        } else if (field.kind == FieldKind::kRecordArray) {
          read = read_fields(env, *field.nested, ids.nested(index), element,
                             element_at);
        } else {
          auto row = static_cast<jintArray>(element);
          env->GetIntArrayRegion(row, 0,
                                 std::min(env->GetArrayLength(row),
                                          static_cast<jsize>(field.stride)),
                                 reinterpret_cast<jint*>(element_at));
        }
        env->DeleteLocalRef(element);
        if (!read) return false;
      }
      return true;
    }
    default:
      throw_state(env, "a field kind read_value does not read");
      return false;
  }
}

// Fills `record` from the object's fields in table order. False with an
// exception pending.
template <typename Ids>
bool read_fields(JNIEnv* env, const RecordType& type, const Ids& ids,
                 jobject object, uint8_t* record) {
  for (size_t i = 0; i < type.field_count; ++i) {
    const FieldSpec& field = type.fields[i];
    uint8_t* at = record + field.offset;
    jfieldID id = ids.id(env, object, i);
    if (id == nullptr) return false;
    switch (field.kind) {
      case FieldKind::kInt:
        store_int(at, env->GetIntField(object, id));
        break;
      case FieldKind::kSignedByte:
      case FieldKind::kUnsignedByte:
        *at = static_cast<uint8_t>(env->GetIntField(object, id) & 0xFF);
        break;
      default: {
        jobject value = env->GetObjectField(object, id);
        bool read = read_value(env, field, ids, i, value, at);
        env->DeleteLocalRef(value);
        if (!read) return false;
      }
    }
  }
  return true;
}

// Reads the object into a zero-filled record and hands it to the core.
template <typename Ids>
void write_record(JNIEnv* env, const CoreCall& call, jstring unit,
                  jobject object, const Ids& ids) {
  char unit_name[kUnitNameSize] = {};
  if (call.takes_unit && !copy_unit_name(env, unit, unit_name)) return;
  Buffer record = new_buffer(call.type->size);
  if (!record) {
    throw_state(env, "out of native memory");
    return;
  }
  if (!read_fields(env, *call.type, ids, object, record.get())) return;
  core_succeeded(env, call, call.write(unit_name, record.get()));
}

}  // namespace

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_bench_BenchNatives_init(JNIEnv* env, jclass) {
  if (!call_types.empty()) return;
  string_class = global_class(env, "java/lang/String");
  int_array_class = global_class(env, "[I");
  if (string_class == nullptr || int_array_class == nullptr) return;
  std::vector<const CachedType*> types;
  for (const CoreCall& call : kCalls) {
    // An unnamed type is cached at the first write, from the object's class.
    const CachedType* cached = nullptr;
    if (call.type->class_name != nullptr) {
      cached = cache_type(env, *call.type);
      if (cached == nullptr) return;
    }
    types.push_back(cached);
  }
  call_types = std::move(types);
}

JNIEXPORT jint JNICALL Java_korvane_str_diskarray_bench_BenchNatives_callIndex(
    JNIEnv* env, jclass, jstring name) {
  if (name == nullptr) return -1;
  const char* chars = env->GetStringUTFChars(name, nullptr);
  if (chars == nullptr) return -1;
  jint found = -1;
  for (jint i = 0; i < kCallCount; ++i) {
    if (std::strcmp(kCalls[i].name, chars) == 0) found = i;
  }
  env->ReleaseStringUTFChars(name, chars);
  return found;
}

JNIEXPORT jint JNICALL Java_korvane_str_diskarray_bench_BenchNatives_recordSize(
    JNIEnv* env, jclass, jint index) {
  const CoreCall* call = call_at(env, index);
  return call != nullptr ? static_cast<jint>(call->type->size) : -1;
}

JNIEXPORT void JNICALL Java_korvane_str_diskarray_bench_BenchNatives_rawRead(
    JNIEnv* env, jclass, jint index, jstring unit, jint count, jobject buffer) {
  const CoreCall* call = call_at(env, index);
  if (call == nullptr) return;
  auto* bytes = static_cast<uint8_t*>(env->GetDirectBufferAddress(buffer));
  jlong capacity = env->GetDirectBufferCapacity(buffer);
  if (call->read == nullptr || bytes == nullptr || count < 0 ||
      static_cast<uint64_t>(count) * call->type->size >
          static_cast<uint64_t>(capacity)) {
    throw_state(env, "not a read, or the buffer is too small");
    return;
  }
  char unit_name[kUnitNameSize] = {};
  if (call->takes_unit && !copy_unit_name(env, unit, unit_name)) return;
  core_succeeded(env, *call, call->read(unit_name, count, bytes));
}

JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_bench_BenchNatives_cachedRead(JNIEnv* env, jclass,
                                                         jint index,
                                                         jstring unit,
                                                         jint count) {
  const CoreCall* call = call_at(env, index);
  if (call == nullptr) return nullptr;
  const CachedType* cached = call_types[static_cast<size_t>(index)];
  const RecordType& type = *call->type;
  if (call->read == nullptr || cached == nullptr || count < 0 ||
      static_cast<uint64_t>(count) * type.size > kMaxTableBytes) {
    throw_state(env, "not a read of a named record, or a table too large");
    return nullptr;
  }
  char unit_name[kUnitNameSize] = {};
  if (call->takes_unit && !copy_unit_name(env, unit, unit_name)) return nullptr;
  Buffer table = new_buffer(static_cast<size_t>(count) * type.size);
  if (!table) {
    throw_state(env, "out of native memory");
    return nullptr;
  }
  if (!core_succeeded(env, *call, call->read(unit_name, count, table.get()))) {
    return nullptr;
  }
  jobjectArray array = env->NewObjectArray(count, cached->cls, nullptr);
  if (array == nullptr) return nullptr;
  for (jint i = 0; i < count; ++i) {
    const uint8_t* record = table.get() + static_cast<size_t>(i) * type.size;
    jobject element = build_cached(env, *cached, record);
    if (element == nullptr) {
      env->DeleteLocalRef(array);
      return nullptr;
    }
    env->SetObjectArrayElement(array, i, element);
    env->DeleteLocalRef(element);
  }
  return array;
}

JNIEXPORT void JNICALL Java_korvane_str_diskarray_bench_BenchNatives_rawWrite(
    JNIEnv* env, jclass, jint index, jstring unit, jobject buffer) {
  const CoreCall* call = call_at(env, index);
  if (call == nullptr) return;
  auto* bytes = static_cast<uint8_t*>(env->GetDirectBufferAddress(buffer));
  if (call->write == nullptr || bytes == nullptr ||
      env->GetDirectBufferCapacity(buffer) < call->type->size) {
    throw_state(env, "not a write, or the buffer is too small");
    return;
  }
  char unit_name[kUnitNameSize] = {};
  if (call->takes_unit && !copy_unit_name(env, unit, unit_name)) return;
  core_succeeded(env, *call, call->write(unit_name, bytes));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_bench_BenchNatives_cachedWrite(JNIEnv* env, jclass,
                                                          jint index,
                                                          jstring unit,
                                                          jobject object) {
  const CoreCall* call = call_at(env, index);
  if (call == nullptr) return;
  if (call->write == nullptr || object == nullptr) {
    throw_state(env, "not a write, or a null record");
    return;
  }
  // A record type whose class the table does not name is cached from the
  // first object written; every row writes one sample object of one class.
  const CachedType*& cached = call_types[static_cast<size_t>(index)];
  if (cached == nullptr) {
    jclass cls = env->GetObjectClass(object);
    cached = cache_type(env, *call->type, cls);
    env->DeleteLocalRef(cls);
    if (cached == nullptr) return;
  }
  write_record(env, *call, unit, object, CachedIds{*cached});
}

JNIEXPORT void JNICALL Java_korvane_str_diskarray_bench_BenchNatives_plainWrite(
    JNIEnv* env, jclass, jint index, jstring unit, jobject object) {
  const CoreCall* call = call_at(env, index);
  if (call == nullptr) return;
  if (call->write == nullptr || object == nullptr) {
    throw_state(env, "not a write, or a null record");
    return;
  }
  write_record(env, *call, unit, object, ByNameIds{*call->type});
}

JNIEXPORT jbyteArray JNICALL
Java_korvane_str_diskarray_bench_BenchNatives_lastWrite(JNIEnv* env, jclass) {
  uint8_t bytes[1024];
  size_t size = kxbench_last_write(bytes, sizeof(bytes));
  if (size > sizeof(bytes)) size = sizeof(bytes);
  jbyteArray array = env->NewByteArray(static_cast<jsize>(size));
  if (array == nullptr) return nullptr;
  env->SetByteArrayRegion(array, 0, static_cast<jsize>(size),
                          reinterpret_cast<const jbyte*>(bytes));
  return array;
}

namespace {

// The call's record types, numbered from its own (0), one line per type and
// per field; see BenchNatives.layout().
std::string describe(const CoreCall& call) {
  std::vector<const RecordType*> types;
  auto number = [&types](const RecordType* of) {
    for (size_t i = 0; i < types.size(); ++i) {
      if (types[i] == of) return i;
    }
    types.push_back(of);
    return types.size() - 1;
  };
  number(call.type);
  std::string out;
  char line[512];
  // `types` grows as nested records are found.
  for (size_t index = 0; index < types.size(); ++index) {
    const RecordType& type = *types[index];
    std::snprintf(line, sizeof line, "type %zu %s %u\n", index,
                  type.class_name != nullptr ? type.class_name : "-",
                  type.size);
    out += line;
    for (size_t f = 0; f < type.field_count; ++f) {
      const FieldSpec& field = type.fields[f];
      const long nested =
          field.nested != nullptr ? static_cast<long>(number(field.nested)) : -1;
      std::snprintf(line, sizeof line, "field %zu %s %d %u %u %u %ld %u\n",
                    index, field.name, static_cast<int>(field.kind),
                    field.offset, field.count, field.stride, nested,
                    field.columns);
      out += line;
    }
  }
  return out;
}

}  // namespace

namespace {

// Looks up, by name and discarding them, the classes, constructors and field
// IDs the bridge's per-call table holds after building the call's record:
// the floor that looking everything up once per call sets. True, or false
// with an exception pending.
bool look_up_once(JNIEnv* env, const RecordType& type,
                  std::vector<const RecordType*>& seen) {
  for (const RecordType* done : seen) {
    if (done == &type) return true;
  }
  seen.push_back(&type);
  jclass cls = env->FindClass(type.class_name);
  if (cls == nullptr) return false;
  bool found = env->GetMethodID(cls, "<init>", "()V") != nullptr;
  for (size_t i = 0; found && i < type.field_count; ++i) {
    const FieldSpec& field = type.fields[i];
    found = env->GetFieldID(cls, field.name, field.signature) != nullptr;
    const char* extra = field.kind == FieldKind::kRecordMatrix
                            ? field.nested->array_signature
                        : field.kind == FieldKind::kTextArray ? "java/lang/String"
                        : field.kind == FieldKind::kIntMatrix ? "[I"
                                                              : nullptr;
    if (found && extra != nullptr) {
      jclass other = env->FindClass(extra);
      found = other != nullptr;
      if (other != nullptr) env->DeleteLocalRef(other);
    }
    if (found && field.nested != nullptr) {
      found = look_up_once(env, *field.nested, seen);
    }
  }
  env->DeleteLocalRef(cls);
  return found;
}

}  // namespace

JNIEXPORT void JNICALL Java_korvane_str_diskarray_bench_BenchNatives_lookUpOnce(
    JNIEnv* env, jclass, jint index) {
  const CoreCall* call = call_at(env, index);
  if (call == nullptr) return;
  if (call->type->class_name == nullptr) {
    throw_state(env, "a record type without a class name");
    return;
  }
  std::vector<const RecordType*> seen;
  look_up_once(env, *call->type, seen);
}

JNIEXPORT jstring JNICALL Java_korvane_str_diskarray_bench_BenchNatives_layout(
    JNIEnv* env, jclass, jint index) {
  const CoreCall* call = call_at(env, index);
  if (call == nullptr) return nullptr;
  return env->NewStringUTF(describe(*call).c_str());
}

JNIEXPORT jlong JNICALL
Java_korvane_str_diskarray_bench_BenchNatives_snapshotPeakInUse(JNIEnv*, jclass,
                                                               jboolean reset) {
  return static_cast<jlong>(kxbench_snapshot_peak_in_use(reset == JNI_TRUE));
}

JNIEXPORT jlong JNICALL
Java_korvane_str_diskarray_bench_BenchNatives_mallocInUse(JNIEnv*, jclass) {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<jlong>(info.uordblks + info.hblkhd);
}
