// Native methods of traces and host files.
#include <cstdint>
#include <limits>

#include "bridge/native.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "maintenance/maintenance_records.h"
#include "maintenance/text_results.h"

using namespace kx;

namespace kx {

bool FileLineOut::prepare(CallContext& call) {
  // length + 1 cannot overflow a 32-bit size_t for a non-negative int32.
  static_assert(std::numeric_limits<size_t>::max() >
                    static_cast<uint64_t>(std::numeric_limits<int32_t>::max()),
                "a line buffer of length + 1 bytes fits size_t");
  if (length_ < 0) {
    raise_error(call.env, ERR_MARSHAL);
    return false;
  }
  size_ = static_cast<size_t>(length_) + 1;
  line_ = heap_new<char>(size_);
  if (!line_) {
    raise_error(call.env, ERR_NO_MEMORY);
    return false;
  }
  return true;
}

bool FileLineOut::finish(CallContext& call, Java& out) {
  const std::string text = modified_utf8(bounded_text(line_.get(), size_ - 1));
  line_.reset();
  out = call.env->NewStringUTF(text.c_str());
  if (out != nullptr) return true;
  raise_error(call.env, ERR_MARSHAL);
  return false;
}

}  // namespace kx

// The unit name, then the path: each null raises ERR_NULL_ARGUMENT.
JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1CreateTraceFile(
    JNIEnv* env, jclass, jstring unit_name, jint categories, jint first,
    jint max_events, jstring path) {
  native(env, KX_CreateTraceFile, unit_name_arg(unit_name), int_arg(categories),
         int_arg(first), int_arg(max_events), long_text_arg(path));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1CreateTraceFile2(
    JNIEnv* env, jclass, jstring unit_name, jint categories, jstring path) {
  native(env, KX_CreateTraceFile2, unit_name_arg(unit_name),
         int_arg(categories), long_text_arg(path));
}

JNIEXPORT jstring JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetTraceText(
    JNIEnv* env, jclass, jstring unit_name, jint categories, jint first,
    jint max_events) {
  return native(env, KX_GetTraceText, unit_name_arg(unit_name),
                int_arg(categories), int_arg(first), int_arg(max_events),
                HeapTextOut<kTraceTextSize>());
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetWebTrace(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetWebTrace, unit_name_arg(unit_name),
                record_out<WebTraceRecord>(kWebTraceType));
}

JNIEXPORT jstring JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetFileText(JNIEnv* env,
                                                               jclass,
                                                               jstring path) {
  return native(env, KX_GetFileText, long_text_arg(path), CoreTextOut());
}

// Standard output is flushed on the way out whether the call succeeded or
// not, unlike the other natives.
JNIEXPORT jstring JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetFileLine(JNIEnv* env,
                                                               jclass,
                                                               jstring path,
                                                               jint length) {
  jstring line =
      native(env, KX_GetFileLine, long_text_arg(path), FileLineOut(length));
  if (line == nullptr) flush_output();
  return line;
}

JNIEXPORT jint JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ExistFile(JNIEnv* env,
                                                             jclass,
                                                             jstring path) {
  return native(env, KX_ExistFile, long_text_arg(path), int_out());
}
