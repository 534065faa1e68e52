// Record types of maintenance.
#pragma once

#include <jni.h>

#include "bridge/record.h"

struct WebTraceRecord;

namespace kx {

extern const RecordType kWebTraceType;  // WebTrace

// The WebTrace builder. It follows kWebTraceType's table (texts skipped on
// failure, then the three lengths, whose failure gives null) but hands its
// texts to Java through new_string_from_core: a trace holds whatever bytes
// the unit's events carried, and NewStringUTF takes only modified UTF-8.
jobject build_web_trace(JNIEnv* env, const WebTraceRecord* record);

}  // namespace kx
