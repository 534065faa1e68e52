// The frame that every native method follows, written once per variant.
//
// A main-family frame flushes standard output at entry, converts the unit
// name (a null name raises ERR_NULL_ARGUMENT before anything else), makes its
// buffer, calls exactly one core function, converts the result and raises any
// failure through raise_error; it flushes standard output once more just
// before a successful return. The core call is passed in as a callable that
// receives the converted unit name and the buffer.
#pragma once

#include <jni.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "bridge/errors.h"
#include "bridge/heap.h"
#include "bridge/jni_scoped.h"
#include "bridge/marshal.h"
#include "bridge/record.h"
#include "kx_units.h"

namespace kx {

inline void flush_output() { std::fflush(stdout); }

// Converts a required string argument into `buffer`; a null string raises
// ERR_NULL_ARGUMENT and returns false.
template <size_t N>
bool convert_required(JNIEnv* env, jstring string, char (&buffer)[N]) {
  if (string == nullptr) {
    raise_error(env, ERR_NULL_ARGUMENT);
    return false;
  }
  get_unit_name(env, string, buffer, N);
  return true;
}

// Raises a nonzero core code; true when the call succeeded.
inline bool core_succeeded(JNIEnv* env, int32_t code) {
  if (code == 0) return true;
  raise_error(env, code);
  return false;
}

// After a successful core call, an exception still pending was left by a
// conversion step the frame went past; it is reported as the system's own.
inline bool conversion_clean(JNIEnv* env) {
  if (!env->ExceptionCheck()) return true;
  raise_error(env, ERR_MARSHAL);
  return false;
}

// Runs the record's reader into a zero-filled heap record and hands it to the
// core. A null Java record is rejected before anything is allocated: a record
// that carries no settings must not reach the core as all zeros. Other reader
// failures leave the unread fields zero and go on to the core call.
template <typename Record, typename Call>
void write_heap_record(JNIEnv* env, jobject java_record, const RecordType& type,
                       Call&& call) {
  if (java_record == nullptr) {
    raise_error(env, ERR_NULL_ARGUMENT);
    return;
  }
  HeapPtr<Record> record = heap_new<Record>(type.size);
  if (!record) {
    raise_error(env, ERR_NO_MEMORY);
    return;
  }
  read_record(env, type, java_record, record.get());
  int32_t code = call(record.get());
  record.reset();
  if (!core_succeeded(env, code) || !conversion_clean(env)) return;
  flush_output();
}

// Record read: call(unit, record) fills one heap record, built into a new
// object of the record's class.
template <typename Record, size_t UnitSize = kUnitNameSize, typename Call>
jobject record_read(JNIEnv* env, jstring unit_name, const RecordType& type,
                    Call&& call) {
  flush_output();
  char unit[UnitSize];
  if (!convert_required(env, unit_name, unit)) return nullptr;
  HeapPtr<Record> record = heap_new<Record>(type.size);
  if (!record) {
    raise_error(env, ERR_NO_MEMORY);
    return nullptr;
  }
  int32_t code = call(unit, record.get());
  if (code != 0) {
    record.reset();
    raise_error(env, code);
    return nullptr;
  }
  LocalRef<jobject> object(env, build_record(env, type, record.get()));
  record.reset();
  // A builder that went past a failed text field may leave its exception
  // pending; the object is then not handed out either.
  if (!object || env->ExceptionCheck()) {
    raise_error(env, ERR_MARSHAL);
    return nullptr;
  }
  flush_output();
  return object.release();
}

// Record write: the reader fills a heap record from the Java object, then
// call(unit, record).
template <typename Record, size_t UnitSize = kUnitNameSize, typename Call>
void record_write(JNIEnv* env, jstring unit_name, jobject java_record,
                  const RecordType& type, Call&& call) {
  flush_output();
  char unit[UnitSize];
  if (!convert_required(env, unit_name, unit)) return;
  write_heap_record<Record>(env, java_record, type, [&](Record* record) {
    return call(static_cast<const char*>(unit), record);
  });
}

// Record without unit name: the reader fills a heap record, then call(record).
template <typename Record, typename Call>
void record_write_no_unit(JNIEnv* env, jobject java_record,
                          const RecordType& type, Call&& call) {
  flush_output();
  write_heap_record<Record>(env, java_record, type, call);
}

// Action: call(unit) with no record.
template <size_t UnitSize = kUnitNameSize, typename Call>
void action(JNIEnv* env, jstring unit_name, Call&& call) {
  flush_output();
  char unit[UnitSize];
  if (!convert_required(env, unit_name, unit)) return;
  if (!core_succeeded(env, call(static_cast<const char*>(unit)))) return;
  flush_output();
}

// Action without unit name: call().
template <typename Call>
void action_no_unit(JNIEnv* env, Call&& call) {
  flush_output();
  if (!core_succeeded(env, call())) return;
  flush_output();
}

// Int through an out-parameter: call(unit, &value); 0 on failure.
template <size_t UnitSize = kUnitNameSize, typename Call>
jint int_result(JNIEnv* env, jstring unit_name, Call&& call) {
  flush_output();
  char unit[UnitSize];
  if (!convert_required(env, unit_name, unit)) return 0;
  int32_t value = 0;
  if (!core_succeeded(env, call(static_cast<const char*>(unit), &value))) {
    return 0;
  }
  flush_output();
  return value;
}

// Record array: call(unit, table) fills `count` heap records, built into a
// new array of exactly `count` elements. The first element that cannot be
// built ends the loop; it and the later elements stay null.
template <typename Record, typename Call>
jobjectArray record_array(JNIEnv* env, jstring unit_name,
                          const RecordType& type, size_t count, Call&& call) {
  flush_output();
  char unit[kUnitNameSize];
  if (!convert_required(env, unit_name, unit)) return nullptr;
  HeapPtr<Record> table = heap_new<Record>(static_cast<size_t>(type.size) * count);
  if (!table) {
    raise_error(env, ERR_NO_MEMORY);
    return nullptr;
  }
  int32_t code = call(static_cast<const char*>(unit), table.get());
  if (code != 0) {
    table.reset();
    raise_error(env, code);
    return nullptr;
  }
  // A failed array leaves the exception of its lookup or allocation pending.
  LocalRef<jobjectArray> array(
      env, new_record_array(env, type.class_name, static_cast<jsize>(count)));
  if (!array) return nullptr;
  fill_record_array(env, array.get(), type, table.get(), count, true);
  table.reset();
  flush_output();
  return array.release();
}

// The later family: no flush, the record on the stack, and a builder's null
// result handed back as it is. A null unit name is still reported as
// ERR_NULL_ARGUMENT.

// Later-family record read: call(unit, record) fills one stack record.
template <typename Record, typename Call>
jobject later_record_read(JNIEnv* env, jstring unit_name,
                          const RecordType& type, Call&& call) {
  char unit[kUnitNameSize];
  if (!convert_required(env, unit_name, unit)) return nullptr;
  Record record{};
  if (!core_succeeded(env, call(static_cast<const char*>(unit), &record))) {
    return nullptr;
  }
  return build_record(env, type, &record);
}

// Later-family record array: call(unit, table) fills Count stack records;
// every element's builder result is stored, null or not. An element whose
// failure left an exception pending ends the loop, since nothing more may be
// stored then; the remaining elements stay null.
template <typename Record, size_t Count, typename Call>
jobjectArray later_record_array(JNIEnv* env, jstring unit_name,
                                const RecordType& type, Call&& call) {
  char unit[kUnitNameSize];
  if (!convert_required(env, unit_name, unit)) return nullptr;
  Record table[Count] = {};
  if (!core_succeeded(env, call(static_cast<const char*>(unit), table))) {
    return nullptr;
  }
  LocalRef<jobjectArray> array(
      env, new_record_array(env, type.class_name, static_cast<jsize>(Count)));
  if (!array) return nullptr;
  fill_record_array(env, array.get(), type, table, Count, false);
  return array.release();
}

// Later-family action: call(unit), no flush.
template <typename Call>
void later_action(JNIEnv* env, jstring unit_name, Call&& call) {
  char unit[kUnitNameSize];
  if (!convert_required(env, unit_name, unit)) return;
  core_succeeded(env, call(static_cast<const char*>(unit)));
}

}  // namespace kx
