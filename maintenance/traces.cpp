// Native methods of traces and host files. Every text the core hands back
// goes to Java through new_string_from_core: trace and file contents are
// whatever bytes the unit or the file held.
#include <cstdlib>
#include <limits>

#include "bridge/frame.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "maintenance/maintenance_records.h"
#include "maintenance/modified_utf8.h"

using namespace kx;

namespace {

// Frees a text the core allocated on the C heap both libraries share.
struct CoreTextFree {
  void operator()(char* text) const { std::free(text); }
};

}  // namespace

// Several strings: the unit name, then the path.
JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1CreateTraceFile(
    JNIEnv* env, jclass, jstring unit_name, jint first, jint second,
    jint third, jstring path_name) {
  flush_output();
  char unit[kUnitNameSize];
  if (!convert_required(env, unit_name, unit)) return;
  char path[kLongNameSize];
  if (!convert_required(env, path_name, path)) return;
  if (!core_succeeded(env, KX_CreateTraceFile(unit, first, second, third,
                                              path))) {
    return;
  }
  flush_output();
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1CreateTraceFile2(
    JNIEnv* env, jclass, jstring unit_name, jint first, jstring path_name) {
  flush_output();
  char unit[kUnitNameSize];
  if (!convert_required(env, unit_name, unit)) return;
  char path[kLongNameSize];
  if (!convert_required(env, path_name, path)) return;
  if (!core_succeeded(env, KX_CreateTraceFile2(unit, first, path))) return;
  flush_output();
}

// The text buffer is on the heap (144000 bytes); the string's creation is
// not checked.
JNIEXPORT jstring JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetTraceText(
    JNIEnv* env, jclass, jstring unit_name, jint first, jint second,
    jint third) {
  flush_output();
  char unit[kUnitNameSize];
  if (!convert_required(env, unit_name, unit)) return nullptr;
  HeapPtr<char> text = heap_new<char>(kTraceTextSize);
  if (!text) {
    raise_error(env, ERR_NO_MEMORY);
    return nullptr;
  }
  if (!core_succeeded(env,
                      KX_GetTraceText(unit, first, second, third, text.get()))) {
    return nullptr;
  }
  jstring result = new_string_from_core(env, text.get(), kTraceTextSize);
  text.reset();
  flush_output();
  return result;
}

// Record read on the 216012-byte heap record, with the WebTrace builder.
JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetWebTrace(
    JNIEnv* env, jclass, jstring unit_name) {
  flush_output();
  char unit[kUnitNameSize];
  if (!convert_required(env, unit_name, unit)) return nullptr;
  HeapPtr<WebTraceRecord> trace =
      heap_new<WebTraceRecord>(sizeof(WebTraceRecord));
  if (!trace) {
    raise_error(env, ERR_NO_MEMORY);
    return nullptr;
  }
  if (!core_succeeded(env, KX_GetWebTrace(unit, trace.get()))) return nullptr;
  LocalRef<jobject> object(env, build_web_trace(env, trace.get()));
  trace.reset();
  if (!object || env->ExceptionCheck()) {
    raise_error(env, ERR_MARSHAL);
    return nullptr;
  }
  flush_output();
  return object.release();
}

// The core allocates the text; it is released here with free(), from the C
// runtime heap both libraries use. The string's creation is not checked.
JNIEXPORT jstring JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetFileText(
    JNIEnv* env, jclass, jstring path_name) {
  flush_output();
  char path[kLongNameSize];
  if (!convert_required(env, path_name, path)) return nullptr;
  char* core_text = nullptr;
  const int32_t code = KX_GetFileText(path, &core_text);
  std::unique_ptr<char, CoreTextFree> text(core_text);
  if (!core_succeeded(env, code)) return nullptr;
  if (!text) {
    raise_error(env, ERR_MARSHAL);
    return nullptr;
  }
  jstring result = new_string_from_core(
      env, text.get(), std::numeric_limits<size_t>::max());
  text.reset();
  flush_output();
  return result;
}

// A line buffer of length + 1 bytes. A negative length sizes no buffer and is
// refused before anything is allocated. Standard output is flushed on the
// way out whether the call succeeded or not.
JNIEXPORT jstring JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetFileLine(
    JNIEnv* env, jclass, jstring path_name, jint length) {
  flush_output();
  char path[kLongNameSize];
  if (!convert_required(env, path_name, path)) return nullptr;
  jstring result = nullptr;
  if (length < 0 ||
      static_cast<uint64_t>(length) + 1 > std::numeric_limits<size_t>::max()) {
    raise_error(env, ERR_MARSHAL);
    flush_output();
    return nullptr;
  }
  const size_t size = static_cast<size_t>(length) + 1;
  HeapPtr<char> line = heap_new<char>(size);
  if (!line) {
    raise_error(env, ERR_NO_MEMORY);
    return nullptr;
  }
  if (core_succeeded(env, KX_GetFileLine(path, length, line.get()))) {
    result = new_string_from_core(env, line.get(), size);
    if (result == nullptr) raise_error(env, ERR_MARSHAL);
  }
  line.reset();
  flush_output();
  return result;
}

// Int through an out-parameter, with a path instead of a unit name.
JNIEXPORT jint JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ExistFile(
    JNIEnv* env, jclass, jstring path_name) {
  flush_output();
  char path[kLongNameSize];
  if (!convert_required(env, path_name, path)) return 0;
  int32_t value = 0;
  if (!core_succeeded(env, KX_ExistFile(path, &value))) return 0;
  flush_output();
  return value;
}
