// The frame every native method follows, composed from converters.
//
// An entry point names its core function and one converter per core
// argument, in the core's argument order:
//
//   return native(env, KX_GetLANInformation, unit_name_arg(unit_name),
//                 int_arg(controller),
//                 record_out<LANInformationRecord>(kLANInformationType));
//
// native() flushes standard output (flushing family), prepares each converter
// in order (a required Java string that is null raises ERR_NULL_ARGUMENT, a
// buffer the heap cannot give raises ERR_NO_MEMORY, a record the reader
// cannot read whole raises ERR_MARSHAL with the reader's exception as cause,
// and the core is not called), calls the core once with every converter's
// arguments, raises a nonzero code, and turns the result converter's buffer
// into the Java result. It flushes once more just before a successful
// return. At most one converter gives the Java result; without one the
// native returns nothing.
//
// Converters share the call's Lookups table, so a table of 512 records looks
// its class and fields up once. Everything a converter holds (buffers, UTF
// characters, local references) is released when native() returns.
//
// A converter is a class with
//   [[nodiscard]] bool prepare(CallContext&);  // false: the failure is raised
//   std::tuple<...> args();                    // its core arguments
// and, for the result converter, kResult = true, a type Java, and
//   Java failure() const;                      // what a failed call returns
//   [[nodiscard]] bool finish(CallContext&, Java& out);
// where finish() returning false hands `out` back without the second flush.
// An area writes its own converter when a core argument needs one.
#pragma once

#include <jni.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <tuple>
#include <type_traits>
#include <utility>

#include "bridge/errors.h"
#include "bridge/heap.h"
#include "bridge/jni_scoped.h"
#include "bridge/lookups.h"
#include "bridge/marshal.h"
#include "bridge/record.h"
#include "kx_units.h"

namespace kx {

inline void flush_output() { std::fflush(stdout); }

// Natives that flush standard output at entry and before a successful
// return, raise ERR_MARSHAL when a builder returns null, and end a table at
// its first element that cannot be built.
struct Flushing {
  static constexpr bool kFlush = true;
  static constexpr bool kRaiseBuildFailure = true;
  static constexpr bool kStopAtFailedElement = true;
};

// Natives that leave standard output alone, hand a builder's result back as
// it is (null or not, without raising), and store every element of a table
// whatever its builder returned.
struct Quiet {
  static constexpr bool kFlush = false;
  static constexpr bool kRaiseBuildFailure = false;
  static constexpr bool kStopAtFailedElement = false;
};

// What the converters of one call share.
struct CallContext {
  CallContext(JNIEnv* e, bool raise, bool stop)
      : env(e),
        lookups(e),
        raise_build_failure(raise),
        stop_at_failed_element(stop) {}

  JNIEnv* env;
  Lookups lookups;
  bool raise_build_failure;
  bool stop_at_failed_element;
};

// Converters of Java arguments.
struct ArgumentConverter {
  static constexpr bool kResult = false;
};

// A required string in a NUL-terminated buffer of Width bytes: at most
// Width - 1 bytes of its modified UTF-8 form, whole characters only. Null
// raises ERR_NULL_ARGUMENT. An empty string reaches the core as an empty
// text; the core decides what that means.
template <size_t Width>
class TextArg : public ArgumentConverter {
 public:
  explicit TextArg(jstring string) : string_(string) {}
  [[nodiscard]] bool prepare(CallContext& call) {
    if (string_ == nullptr) {
      raise_error(call.env, ERR_NULL_ARGUMENT);
      return false;
    }
    // An unreadable string leaves the buffer empty: the core refuses it.
    static_cast<void>(get_unit_name(call.env, string_, buffer_, Width));
    return true;
  }
  std::tuple<const char*> args() const { return {buffer_}; }

 private:
  jstring string_;
  char buffer_[Width];
};

// As TextArg, but a null string is an empty text.
template <size_t Width>
class OptionalTextArg : public ArgumentConverter {
 public:
  explicit OptionalTextArg(jstring string) : string_(string) {}
  [[nodiscard]] bool prepare(CallContext& call) {
    std::memset(buffer_, 0, Width);
    if (string_ != nullptr) {
      static_cast<void>(get_unit_name(call.env, string_, buffer_, Width));
    }
    return true;
  }
  std::tuple<const char*> args() const { return {buffer_}; }

 private:
  jstring string_;
  char buffer_[Width];
};

template <size_t Width>
TextArg<Width> text_arg(jstring string) {
  return TextArg<Width>(string);
}
template <size_t Width>
OptionalTextArg<Width> optional_text_arg(jstring string) {
  return OptionalTextArg<Width>(string);
}
// The unit name of most natives: 17 bytes.
inline TextArg<kUnitNameSize> unit_name_arg(jstring string) {
  return TextArg<kUnitNameSize>(string);
}
// Unit names of the user and login natives, file names and paths: 1024 bytes.
inline TextArg<kLongNameSize> long_text_arg(jstring string) {
  return TextArg<kLongNameSize>(string);
}

// A whole string of any length in a heap buffer of its modified UTF-8 length
// plus `extra` bytes plus its NUL, zero-filled past the text. Null raises
// ERR_NULL_ARGUMENT unless the argument is optional, when it is an empty text.
class WholeTextArg : public ArgumentConverter {
 public:
  WholeTextArg(jstring string, size_t extra, bool optional)
      : string_(string), extra_(extra), optional_(optional) {}
  [[nodiscard]] bool prepare(CallContext& call);
  std::tuple<const char*> args() const { return {buffer_.get()}; }

 private:
  jstring string_;
  size_t extra_;
  bool optional_;
  HeapPtr<char> buffer_;
};

inline WholeTextArg whole_text_arg(jstring string, size_t extra = 0) {
  return WholeTextArg(string, extra, false);
}
inline WholeTextArg optional_whole_text_arg(jstring string, size_t extra = 0) {
  return WholeTextArg(string, extra, true);
}

// An int passed to the core unchanged.
class IntArg : public ArgumentConverter {
 public:
  explicit IntArg(jint value) : value_(value) {}
  [[nodiscard]] bool prepare(CallContext&) { return true; }
  std::tuple<int32_t> args() const { return {value_}; }

 private:
  int32_t value_;
};

inline IntArg int_arg(jint value) { return IntArg(value); }

// A record read from a Java object into a zero-filled heap record. A write
// stores what was sent or nothing: a null object raises ERR_NULL_ARGUMENT and
// a record the reader cannot read whole raises ERR_MARSHAL (its exception
// attached as the cause), both before the core is called.
template <typename Record>
class RecordIn : public ArgumentConverter {
 public:
  RecordIn(jobject object, const RecordType& type)
      : object_(object), type_(type) {}
  [[nodiscard]] bool prepare(CallContext& call) {
    if (object_ == nullptr) {
      raise_error(call.env, ERR_NULL_ARGUMENT);
      return false;
    }
    record_ = heap_new<Record>(type_.size);
    if (!record_) {
      raise_error(call.env, ERR_NO_MEMORY);
      return false;
    }
    if (read_record(call.lookups, type_, object_, record_.get()) != 0) {
      raise_error(call.env, ERR_MARSHAL);
      return false;
    }
    return true;
  }
  std::tuple<const Record*> args() const { return {record_.get()}; }

 private:
  jobject object_;
  const RecordType& type_;
  HeapPtr<Record> record_;
};

template <typename Record>
RecordIn<Record> record_in(jobject object, const RecordType& type) {
  static_assert(sizeof(Record) > 0, "the record must be complete");
  return RecordIn<Record>(object, type);
}

// Result converters.

// One record filled by the core, built into a new object of its class.
template <typename Record>
class RecordOut {
 public:
  static constexpr bool kResult = true;
  using Java = jobject;

  explicit RecordOut(const RecordType& type) : type_(type) {}
  [[nodiscard]] bool prepare(CallContext& call) {
    record_ = heap_new<Record>(type_.size);
    if (!record_) {
      raise_error(call.env, ERR_NO_MEMORY);
      return false;
    }
    return true;
  }
  std::tuple<Record*> args() { return {record_.get()}; }
  Java failure() const { return nullptr; }
  [[nodiscard]] bool finish(CallContext& call, Java& out) {
    LocalRef<jobject> object(call.env,
                             build_record(call.lookups, type_, record_.get()));
    record_.reset();
    if (!call.raise_build_failure) {
      out = object.release();
      return out != nullptr;
    }
    // A builder that went past a failed text field may have left its
    // exception pending; the object is then not handed out either.
    if (!object || call.env->ExceptionCheck()) {
      raise_error(call.env, ERR_MARSHAL);
      return false;
    }
    out = object.release();
    return true;
  }

 private:
  const RecordType& type_;
  HeapPtr<Record> record_;
};

template <typename Record>
RecordOut<Record> record_out(const RecordType& type) {
  static_assert(sizeof(Record) > 0, "the record must be complete");
  return RecordOut<Record>(type);
}

// A table of Count records filled by the core (no count comes back), built
// into an array of exactly Count elements. The core receives one pointer to
// the table, or with Split one pointer to each record. An array that cannot
// be made ends the call with null and its exception standing (nothing raised,
// no second flush); an element that cannot be built ends the table or is
// stored as null, as the family says.
template <typename Record, size_t Count, bool Split = false>
class RecordTable {
 public:
  static constexpr bool kResult = true;
  using Java = jobjectArray;

  explicit RecordTable(const RecordType& type) : type_(type) {}
  [[nodiscard]] bool prepare(CallContext& call) {
    static_assert(Count <= std::numeric_limits<size_t>::max() / sizeof(Record),
                  "table size overflows");
    table_ = heap_new<Record>(static_cast<size_t>(type_.size) * Count);
    if (!table_) {
      raise_error(call.env, ERR_NO_MEMORY);
      return false;
    }
    return true;
  }
  auto args() {
    if constexpr (Split) {
      return split(std::make_index_sequence<Count>());
    } else {
      return std::tuple<Record*>(table_.get());
    }
  }
  Java failure() const { return nullptr; }
  [[nodiscard]] bool finish(CallContext& call, Java& out) {
    LocalRef<jobjectArray> array(
        call.env,
        new_record_array(call.lookups, type_, static_cast<jsize>(Count)));
    if (!array) return false;
    fill_record_array(call.lookups, array.get(), type_, table_.get(), Count,
                      call.stop_at_failed_element);
    table_.reset();
    out = array.release();
    return true;
  }

 private:
  template <size_t... I>
  auto split(std::index_sequence<I...>) {
    return std::tuple<decltype(I, static_cast<Record*>(nullptr))...>(
        table_.get() + I...);
  }

  const RecordType& type_;
  HeapPtr<Record> table_;
};

template <typename Record, size_t Count>
RecordTable<Record, Count> record_table(const RecordType& type) {
  return RecordTable<Record, Count>(type);
}
// Two records the core fills through two pointers into one buffer.
template <typename Record>
RecordTable<Record, 2, true> record_pair(const RecordType& type) {
  return RecordTable<Record, 2, true>(type);
}

// An int the core writes through a pointer; `failure` is what a failed call
// returns.
class IntOut {
 public:
  static constexpr bool kResult = true;
  using Java = jint;

  explicit IntOut(jint failure_value) : failure_(failure_value) {}
  [[nodiscard]] bool prepare(CallContext&) { return true; }
  std::tuple<int32_t*> args() { return {&value_}; }
  Java failure() const { return failure_; }
  [[nodiscard]] bool finish(CallContext&, Java& out) {
    out = value_;
    return true;
  }

 private:
  jint failure_;
  int32_t value_ = 0;
};

inline IntOut int_out(jint failure_value = 0) { return IntOut(failure_value); }

// Count ints the core writes, returned as a new int[Count]. The core receives
// one pointer to them, or with Split one pointer to each.
template <size_t Count, bool Split = false>
class IntsOut {
 public:
  static constexpr bool kResult = true;
  using Java = jintArray;

  [[nodiscard]] bool prepare(CallContext&) { return true; }
  auto args() {
    if constexpr (Split) {
      return split(std::make_index_sequence<Count>());
    } else {
      return std::tuple<int32_t*>(values_);
    }
  }
  Java failure() const { return nullptr; }
  [[nodiscard]] bool finish(CallContext& call, Java& out) {
    LocalRef<jintArray> array(call.env,
                              call.env->NewIntArray(static_cast<jsize>(Count)));
    if (!array) {
      raise_error(call.env, ERR_MARSHAL);
      return false;
    }
    jint values[Count];
    for (size_t i = 0; i < Count; ++i) values[i] = values_[i];
    call.env->SetIntArrayRegion(array.get(), 0, static_cast<jsize>(Count),
                                values);
    out = array.release();
    return true;
  }

 private:
  template <size_t... I>
  auto split(std::index_sequence<I...>) {
    return std::tuple<decltype(I, static_cast<int32_t*>(nullptr))...>(values_ +
                                                                      I...);
  }

  int32_t values_[Count] = {};
};

template <size_t Count>
IntsOut<Count> ints_out() {
  return IntsOut<Count>();
}
template <size_t Count>
IntsOut<Count, true> split_ints_out() {
  return IntsOut<Count, true>();
}

// What a string result does when NewStringUTF fails.
enum class NullString { kRaise, kReturn };

// A text the core writes into a buffer of Width bytes, returned as a new
// String (cut at Width - 1 bytes when the core left no NUL, made valid
// modified UTF-8).
template <size_t Width>
class TextOut {
 public:
  static constexpr bool kResult = true;
  using Java = jstring;

  explicit TextOut(NullString on_null) : on_null_(on_null) {}
  [[nodiscard]] bool prepare(CallContext&) {
    std::memset(buffer_, 0, Width);
    return true;
  }
  std::tuple<char*> args() { return {buffer_}; }
  Java failure() const { return nullptr; }
  [[nodiscard]] bool finish(CallContext& call, Java& out) {
    out = call.env->NewStringUTF(
        modified_utf8(bounded_text(buffer_, Width - 1)).c_str());
    if (out != nullptr) return true;
    if (on_null_ == NullString::kRaise) raise_error(call.env, ERR_MARSHAL);
    return false;
  }

 private:
  NullString on_null_;
  char buffer_[Width];
};

template <size_t Width>
TextOut<Width> text_out(NullString on_null = NullString::kRaise) {
  return TextOut<Width>(on_null);
}

namespace detail {

inline constexpr size_t kNoResult = static_cast<size_t>(-1);

template <typename... Converters>
constexpr size_t result_index() {
  size_t index = kNoResult;
  size_t i = 0;
  ((std::decay_t<Converters>::kResult ? (index = i, ++i) : ++i), ...);
  return index;
}

template <typename... Converters>
constexpr size_t result_count() {
  return (size_t{0} + ... + (std::decay_t<Converters>::kResult ? 1 : 0));
}

template <size_t Index, typename... Converters>
struct JavaResult {
  using type = typename std::decay_t<
      std::tuple_element_t<Index, std::tuple<Converters...>>>::Java;
};
template <typename... Converters>
struct JavaResult<kNoResult, Converters...> {
  using type = void;
};

}  // namespace detail

template <typename Family = Flushing, typename Core, typename... Converters>
auto native(JNIEnv* env, Core&& core, Converters&&... converters) {
  static_assert(detail::result_count<Converters...>() <= 1,
                "a native has at most one result");
  constexpr size_t kResultIndex = detail::result_index<Converters...>();
  using Java = typename detail::JavaResult<kResultIndex, Converters...>::type;

  CallContext call(env, Family::kRaiseBuildFailure,
                   Family::kStopAtFailedElement);
  auto all = std::forward_as_tuple(converters...);
  auto failure = [&]() -> Java {
    if constexpr (!std::is_void_v<Java>) {
      return std::get<kResultIndex>(all).failure();
    }
  };

  if constexpr (Family::kFlush) flush_output();
  if (!(converters.prepare(call) && ...)) return failure();
  const int32_t code = std::apply(std::forward<Core>(core),
                                  std::tuple_cat(converters.args()...));
  if (code != 0) {
    raise_error(env, code);
    return failure();
  }
  if constexpr (std::is_void_v<Java>) {
    if constexpr (Family::kFlush) flush_output();
  } else {
    Java out = failure();
    if (std::get<kResultIndex>(all).finish(call, out) && Family::kFlush) {
      flush_output();
    }
    return out;
  }
}

}  // namespace kx
