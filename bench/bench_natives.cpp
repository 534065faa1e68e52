// The benchmark's own natives (class korvane.str.diskarray.bench.BenchNatives):
// the baselines the bridge is timed against. Never shipped.
//
// - raw reads and writes hand the core's bytes to Java in a direct ByteBuffer
//   (and back), for the pure-Java decoder and encoder;
// - the cached builder and reader keep classes, constructors and field IDs for
//   the life of this library (global references made once by init());
// - the plain reader looks every field up by name, as simply as JNI allows:
//   GetObjectClass and GetFieldID for each field, nothing kept.
//
// All three are driven by the bridge's own field tables, so every way of
// converting a record reads and writes the same fields at the same offsets.
// The benchmark checks before timing that they all give the same objects and
// deliver the same bytes to the core.
//
// A further core function is one row of kCalls (and, on the Java side, one
// row of the table).
#include <jni.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "bench/fake_core.h"
#include "korvane_str_diskarray_bench_BenchNatives.h"
#include "kx_core.h"
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
    {"KX_RaidGroupAdd", &kx::kRaidGroupType, true, nullptr,
     [](const char* unit, const void* record) {
       return KX_RaidGroupAdd(unit,
                              static_cast<const RaidGroupRecord*>(record));
     }},
    {"KX_UnitAdd", &kx::kUnitParamType, false, nullptr,
     [](const char*, const void* record) {
       return KX_UnitAdd(static_cast<const KXUnitParamRecord*>(record));
     }},
};
constexpr jint kCallCount = static_cast<jint>(std::size(kCalls));

// Widest text the cached builder converts through its stack buffer.
constexpr uint32_t kMaxTextWidth = 1024;
// Largest table a read may ask for.
constexpr size_t kMaxTableBytes = size_t{64} << 20;

// Class, constructor and field IDs of one call's record type, kept for the
// life of the library.
struct CachedType {
  jclass cls = nullptr;  // global reference
  jmethodID ctor = nullptr;
  std::vector<jfieldID> ids;  // in field-table order
};

std::vector<CachedType> cached_types;  // one per kCalls entry

void throw_state(JNIEnv* env, const char* message) {
  if (env->ExceptionCheck()) return;
  jclass cls = env->FindClass("java/lang/IllegalStateException");
  if (cls != nullptr) env->ThrowNew(cls, message);
}

// The call at `index`, or null with an exception thrown.
const CoreCall* call_at(JNIEnv* env, jint index) {
  if (index < 0 || index >= kCallCount ||
      cached_types.size() != std::size(kCalls)) {
    throw_state(env, "unknown call, or init() not run");
    return nullptr;
  }
  return &kCalls[index];
}

bool supported(FieldKind kind) {
  return kind == FieldKind::kInt || kind == FieldKind::kSignedByte ||
         kind == FieldKind::kUnsignedByte || kind == FieldKind::kText;
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

// A new object of the cached class with every field set from `record`; null
// with an exception pending.
jobject build_cached(JNIEnv* env, const RecordType& type,
                     const CachedType& cached, const uint8_t* record) {
  jobject object = env->NewObject(cached.cls, cached.ctor);
  if (object == nullptr) return nullptr;
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
      case FieldKind::kText: {
        char text[kMaxTextWidth];
        const void* nul = std::memchr(at, '\0', field.count - 1);
        size_t length = nul != nullptr
                            ? static_cast<const uint8_t*>(nul) - at
                            : field.count - 1;
        std::memcpy(text, at, length);
        text[length] = '\0';
        jstring string = env->NewStringUTF(text);
        if (string == nullptr) {
          env->DeleteLocalRef(object);
          return nullptr;
        }
        env->SetObjectField(object, cached.ids[i], string);
        env->DeleteLocalRef(string);
        break;
      }
      default:
        break;  // refused by init()
    }
  }
  return object;
}

}  // namespace

JNIEXPORT void JNICALL Java_korvane_str_diskarray_bench_BenchNatives_init(
    JNIEnv* env, jclass) {
  if (!cached_types.empty()) return;
  std::vector<CachedType> types(std::size(kCalls));
  for (size_t c = 0; c < std::size(kCalls); ++c) {
    const RecordType& type = *kCalls[c].type;
    CachedType& cached = types[c];
    jclass cls = env->FindClass(type.class_name);
    if (cls == nullptr) return;
    cached.cls = static_cast<jclass>(env->NewGlobalRef(cls));
    env->DeleteLocalRef(cls);
    cached.ctor = env->GetMethodID(cached.cls, "<init>", "()V");
    if (cached.ctor == nullptr) return;
    for (size_t i = 0; i < type.field_count; ++i) {
      const FieldSpec& field = type.fields[i];
      if (!supported(field.kind) || field.count > kMaxTextWidth) {
        char message[160];
        std::snprintf(message, sizeof(message),
                      "%s.%s: the benchmark's builders do not handle this "
                      "kind of field yet",
                      type.class_name, field.name);
        throw_state(env, message);
        return;
      }
      jfieldID id = env->GetFieldID(cached.cls, field.name, field.signature);
      if (id == nullptr) return;
      cached.ids.push_back(id);
    }
  }
  cached_types = std::move(types);
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

JNIEXPORT jint JNICALL
Java_korvane_str_diskarray_bench_BenchNatives_recordSize(JNIEnv* env, jclass,
                                                          jint index) {
  const CoreCall* call = call_at(env, index);
  return call != nullptr ? static_cast<jint>(call->type->size) : -1;
}

JNIEXPORT void JNICALL Java_korvane_str_diskarray_bench_BenchNatives_rawRead(
    JNIEnv* env, jclass, jint index, jstring unit, jint count,
    jobject buffer) {
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
  const RecordType& type = *call->type;
  if (call->read == nullptr || count < 0 ||
      static_cast<uint64_t>(count) * type.size > kMaxTableBytes) {
    throw_state(env, "not a read, or a table too large");
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
  const CachedType& cached = cached_types[static_cast<size_t>(index)];
  jobjectArray array = env->NewObjectArray(count, cached.cls, nullptr);
  if (array == nullptr) return nullptr;
  for (jint i = 0; i < count; ++i) {
    jobject element = build_cached(
        env, type, cached, table.get() + static_cast<size_t>(i) * type.size);
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
  char unit_name[kUnitNameSize] = {};
  if (call->takes_unit && !copy_unit_name(env, unit, unit_name)) return;
  const RecordType& type = *call->type;
  const CachedType& cached = cached_types[static_cast<size_t>(index)];
  Buffer record = new_buffer(type.size);
  if (!record) {
    throw_state(env, "out of native memory");
    return;
  }
  for (size_t i = 0; i < type.field_count; ++i) {
    const FieldSpec& field = type.fields[i];
    uint8_t* at = record.get() + field.offset;
    if (field.kind == FieldKind::kText) {
      auto string =
          static_cast<jstring>(env->GetObjectField(object, cached.ids[i]));
      bool copied = copy_text(env, string, at, field.count);
      env->DeleteLocalRef(string);
      if (!copied) return;
    } else if (field.kind == FieldKind::kInt) {
      store_int(at, env->GetIntField(object, cached.ids[i]));
    } else {
      *at = static_cast<uint8_t>(env->GetIntField(object, cached.ids[i]));
    }
  }
  core_succeeded(env, *call, call->write(unit_name, record.get()));
}

JNIEXPORT void JNICALL Java_korvane_str_diskarray_bench_BenchNatives_plainWrite(
    JNIEnv* env, jclass, jint index, jstring unit, jobject object) {
  const CoreCall* call = call_at(env, index);
  if (call == nullptr) return;
  if (call->write == nullptr || object == nullptr) {
    throw_state(env, "not a write, or a null record");
    return;
  }
  char unit_name[kUnitNameSize] = {};
  if (call->takes_unit && !copy_unit_name(env, unit, unit_name)) return;
  const RecordType& type = *call->type;
  Buffer record = new_buffer(type.size);
  if (!record) {
    throw_state(env, "out of native memory");
    return;
  }
  for (size_t i = 0; i < type.field_count; ++i) {
    const FieldSpec& field = type.fields[i];
    uint8_t* at = record.get() + field.offset;
    jclass cls = env->GetObjectClass(object);
    jfieldID id = env->GetFieldID(cls, field.name, field.signature);
    env->DeleteLocalRef(cls);
    if (id == nullptr) return;
    if (field.kind == FieldKind::kText) {
      auto string = static_cast<jstring>(env->GetObjectField(object, id));
      bool copied = copy_text(env, string, at, field.count);
      env->DeleteLocalRef(string);
      if (!copied) return;
    } else if (field.kind == FieldKind::kInt) {
      store_int(at, env->GetIntField(object, id));
    } else {
      *at = static_cast<uint8_t>(env->GetIntField(object, id));
    }
  }
  core_succeeded(env, *call, call->write(unit_name, record.get()));
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
