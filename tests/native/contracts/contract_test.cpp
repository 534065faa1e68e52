// Every contract row against its native and the double: the core function
// called, the ints in order, every text cut and zero-filled to its width,
// input records as the reader makes them, output records and texts handed
// back unchanged, null arguments and core failures.
#include <algorithm>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "tests/double/core_double.h"
#include "tests/native/contracts/contract.h"
#include "tests/native/contracts/record_support.h"
#include "tests/native/jvm.h"

namespace kxtest::contract {
namespace {

constexpr jint kFailureCode = 0x1ABC;
constexpr jint kSilentCode = 256;
constexpr jint kNullArgument = 258;
constexpr jint kTableCount = 3;  // ints that size a table, and counted tables

bool takes_string(Core kind) {
  return kind == Core::kUnit || kind == Core::kText ||
         kind == Core::kOptionalText || kind == Core::kWholeText ||
         kind == Core::kOptionalWhole;
}
bool optional(Core kind) {
  return kind == Core::kOptionalText || kind == Core::kOptionalWhole;
}
bool takes_int(Core kind) { return kind == Core::kInt || kind == Core::kCount; }
bool takes_object(Core kind) {
  return kind == Core::kRecordIn || kind == Core::kObjectIn;
}
bool is_buffer(Core kind) { return !takes_int(kind) && kind != Core::kIntOut; }
bool is_output(Core kind) {
  return is_buffer(kind) && !takes_string(kind) && !takes_object(kind);
}

// Which Java parameter each core argument takes, or -1; empty with a
// message when the row and the native's parameters do not pair up.
std::vector<int> pair_arguments(const Row& row, std::string* error) {
  std::vector<int> strings, ints, objects;
  for (size_t j = 0; j < row.java.size(); ++j) {
    int index = static_cast<int>(j);
    if (row.java[j] == JavaKind::kString) strings.push_back(index);
    if (row.java[j] == JavaKind::kInt) ints.push_back(index);
    if (row.java[j] == JavaKind::kObject) objects.push_back(index);
  }
  std::reverse(strings.begin(), strings.end());
  std::reverse(ints.begin(), ints.end());
  std::reverse(objects.begin(), objects.end());
  std::vector<int> taken;
  for (const CoreArgument& arg : row.core) {
    std::vector<int>* queue = takes_string(arg.kind)   ? &strings
                              : takes_int(arg.kind)    ? &ints
                              : takes_object(arg.kind) ? &objects
                                                       : nullptr;
    if (queue == nullptr) {
      taken.push_back(-1);
      continue;
    }
    if (queue->empty()) {
      *error = "a core argument has no Java parameter of its kind left";
      return {};
    }
    taken.push_back(queue->back());
    queue->pop_back();
  }
  if (!strings.empty() || !ints.empty() || !objects.empty()) {
    *error = "a Java parameter reaches no core argument";
    return {};
  }
  return taken;
}

// A text of `length` characters that differs from one argument to the next.
std::string make_text(size_t length, size_t argument) {
  static const char kAlphabet[] = "abcdefghijklmnopqrstuvwxyz0123456789";
  std::string text;
  for (size_t i = 0; i < length; ++i) {
    text += kAlphabet[(i * 7 + argument * 5) % 36];
  }
  return text;
}

std::vector<uint8_t> cut_to(const std::string& text, size_t width) {
  std::vector<uint8_t> bytes(width, 0);
  std::memcpy(bytes.data(), text.data(), std::min(text.size(), width - 1));
  return bytes;
}

std::vector<uint8_t> letters(size_t size, uint32_t seed) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i) {
    bytes[i] = static_cast<uint8_t>('A' + (i * 3 + seed) % 26);
  }
  return bytes;
}

std::string java_text(jobject string) {
  if (string == nullptr) return "<null>";
  JNIEnv* env = jni();
  const char* chars = env->GetStringUTFChars(static_cast<jstring>(string), nullptr);
  std::string copy(chars);
  env->ReleaseStringUTFChars(static_cast<jstring>(string), chars);
  return copy;
}

std::string dotted(const char* class_name) {
  std::string name = class_name;
  std::replace(name.begin(), name.end(), '/', '.');
  return name;
}

// Leaves recognisable garbage where the native's stack buffers will lie, so
// that a buffer the bridge does not fill shows.
__attribute__((noinline)) void scribble_stack() {
  volatile uint8_t area[256 * 1024];
  for (size_t i = 0; i < sizeof(area); ++i) area[i] = 0xCC;
}

enum class Texts { kLong, kShort, kEmpty };

// One prepared call of a row: the Java arguments, what each core argument
// should receive and what the double answers.
class Call {
 public:
  Call(const Row& row, Texts texts) : row_(row) {
    std::string error;
    paired_ = pair_arguments(row, &error);
    if (!error.empty()) {
      ADD_FAILURE() << row.native << ": " << error;
      return;
    }
    JNIEnv* env = jni();
    java_.resize(row.java.size());
    strings_.resize(row.java.size());
    size_t int_count = 0;
    for (size_t a = 0; a < row.core.size(); ++a) {
      const CoreArgument& arg = row.core[a];
      int j = paired_[a];
      if (takes_string(arg.kind)) {
        bool whole = arg.kind == Core::kWholeText || arg.kind == Core::kOptionalWhole;
        size_t length = texts == Texts::kEmpty       ? 0
                        : whole                        ? 40
                        : texts == Texts::kLong        ? arg.width + 7
                                                       : 3;
        strings_[j] = make_text(length, a);
        java_[j].l = env->NewStringUTF(strings_[j].c_str());
      } else if (arg.kind == Core::kCount) {
        java_[j].i = kTableCount;
        ints_.push_back(kTableCount);
      } else if (arg.kind == Core::kInt) {
        jint value = static_cast<jint>((int_count + 1) * 100003) *
                     (int_count % 2 == 0 ? -1 : 1);
        java_[j].i = value;
        ints_.push_back(value);
      } else if (arg.kind == Core::kRecordIn) {
        std::vector<uint8_t> bytes = records::pattern(*arg.type, 17 + a);
        java_[j].l = records::build(env, *arg.type, bytes.data());
        EXPECT_NE(java_[j].l, nullptr) << "cannot make the argument object";
      } else if (arg.kind == Core::kObjectIn) {
        // An int[] carrier is an array of one element per byte of the width.
        java_[j].l = std::strcmp(arg.carrier, "[I") == 0
                         ? env->NewIntArray(static_cast<jsize>(arg.width))
                         : new_object(arg.carrier);
        EXPECT_NE(java_[j].l, nullptr) << "cannot make the argument object";
      }
      if (takes_int(arg.kind)) ++int_count;
    }
  }

  bool ready() const { return !paired_.empty() || row_.core.empty(); }
  const std::vector<int>& paired() const { return paired_; }
  std::vector<jvalue>& java() { return java_; }

  // Programs the double: a pattern for every output buffer, an out int.
  void program() {
    size_t buffer = 0;
    bool counted = false;
    for (size_t a = 0; a < row_.core.size(); ++a) {
      const CoreArgument& arg = row_.core[a];
      if (!is_buffer(arg.kind)) continue;
      if (is_output(arg.kind)) CoreDouble::set_output(buffer, output_bytes(a));
      counted = counted || arg.kind == Core::kCountedTable;
      ++buffer;
    }
    CoreDouble::set_out_int(counted ? kTableCount : 0x5A5A1234);
  }

  // Calls the native within a frame of sixteen local references.
  jvalue invoke() {
    JNIEnv* env = jni();
    env->PushLocalFrame(16);
    scribble_stack();
    jvalue result = row_.invoke(env, java_);
    if (row_.result == JavaKind::kString || row_.result == JavaKind::kObject) {
      result.l = env->PopLocalFrame(result.l);
    } else {
      env->PopLocalFrame(nullptr);
    }
    return result;
  }

  // The core saw what the Java arguments say.
  void check_core_call() {
    ASSERT_EQ(CoreDouble::call_count(), 1u) << "one core call";
    const CoreCall& call = CoreDouble::last_call();
    EXPECT_EQ(call.function, row_.native) << "the core function called";
    EXPECT_EQ(call.ints, ints_) << "ints, in order";
    size_t buffer = 0;
    for (size_t a = 0; a < row_.core.size(); ++a) {
      const CoreArgument& arg = row_.core[a];
      if (!is_buffer(arg.kind)) continue;
      SCOPED_TRACE("core argument " + std::to_string(a));
      ASSERT_LT(buffer, call.buffers.size());
      const std::vector<uint8_t>& seen = call.buffers[buffer++];
      int j = paired_[a];
      switch (arg.kind) {
        case Core::kUnit:
        case Core::kText:
        case Core::kOptionalText:
          EXPECT_EQ(seen, cut_to(strings_[j], arg.width)) << "cut and zero-filled";
          break;
        case Core::kWholeText:
        case Core::kOptionalWhole:
          EXPECT_EQ(seen, cut_to(strings_[j], strings_[j].size() + 1));
          break;
        case Core::kRecordIn: {
          std::vector<uint8_t> expected =
              records::read(jni(), *arg.type, java_[j].l);
          ASSERT_EQ(seen.size(), expected.size());
          EXPECT_EQ(seen, expected) << "the record as the reader makes it";
          EXPECT_TRUE(records::same_fields(*arg.type, expected.data(), seen.data()));
          break;
        }
        case Core::kObjectIn:
          EXPECT_EQ(seen.size(), arg.width);
          break;
        default:
          // Output buffers reach the core zero-filled.
          EXPECT_EQ(seen, std::vector<uint8_t>(output_size(a), 0))
              << "an output buffer of its width, zero-filled";
          break;
      }
    }
  }

  // The native handed back what the core wrote.
  void check_result(const jvalue& result) {
    JNIEnv* env = jni();
    bool any_result = false;
    for (size_t a = 0; a < row_.core.size(); ++a) {
      const CoreArgument& arg = row_.core[a];
      SCOPED_TRACE("core argument " + std::to_string(a));
      std::vector<uint8_t> written = output_bytes(a);
      switch (arg.kind) {
        case Core::kIntOut:
          if (std::any_of(row_.core.begin(), row_.core.end(), [](const CoreArgument& c) {
                return c.kind == Core::kCountedTable;
              })) {
            break;
          }
          any_result = true;
          EXPECT_EQ(result.i, 0x5A5A1234) << "the int the core stored";
          break;
        case Core::kRecordOut: {
          any_result = true;
          ASSERT_NE(result.l, nullptr);
          EXPECT_EQ(class_name_of(result.l), dotted(arg.type->class_name));
          std::vector<uint8_t> back = records::read(env, *arg.type, result.l);
          EXPECT_TRUE(records::same_fields(*arg.type, written.data(), back.data()));
          break;
        }
        case Core::kTableOut:
        case Core::kSizedTable:
        case Core::kCountedTable: {
          any_result = true;
          ASSERT_NE(result.l, nullptr);
          auto array = static_cast<jobjectArray>(result.l);
          size_t entries = output_size(a) / arg.type->size;
          if (arg.kind == Core::kCountedTable) entries = kTableCount;
          ASSERT_EQ(env->GetArrayLength(array), static_cast<jsize>(entries));
          for (size_t e = 0; e < entries; ++e) {
            LocalFrame frame(8);
            jobject element = env->GetObjectArrayElement(array, static_cast<jsize>(e));
            ASSERT_NE(element, nullptr) << "element " << e;
            std::vector<uint8_t> back = records::read(env, *arg.type, element);
            ASSERT_TRUE(records::same_fields(
                *arg.type, written.data() + e * arg.type->size, back.data()))
                << "element " << e;
          }
          break;
        }
        case Core::kIntsOut:
        case Core::kIntElement: {
          any_result = true;
          ASSERT_NE(result.l, nullptr);
          auto array = static_cast<jintArray>(result.l);
          size_t first = arg.kind == Core::kIntElement ? static_cast<size_t>(arg.int_index) : 0;
          size_t count = arg.width / 4;
          if (arg.kind == Core::kIntsOut) {
            ASSERT_EQ(env->GetArrayLength(array), static_cast<jsize>(count));
          } else {
            ASSERT_GT(env->GetArrayLength(array), static_cast<jsize>(first));
          }
          std::vector<jint> values(count);
          env->GetIntArrayRegion(array, static_cast<jsize>(first), static_cast<jsize>(count),
                                 values.data());
          EXPECT_EQ(std::memcmp(values.data(), written.data(), arg.width), 0)
              << "the ints the core wrote";
          break;
        }
        case Core::kRecordElement: {
          any_result = true;
          ASSERT_NE(result.l, nullptr);
          auto array = static_cast<jobjectArray>(result.l);
          ASSERT_GT(env->GetArrayLength(array), arg.int_index);
          LocalFrame frame(8);
          jobject element = env->GetObjectArrayElement(array, arg.int_index);
          ASSERT_NE(element, nullptr);
          std::vector<uint8_t> back = records::read(env, *arg.type, element);
          EXPECT_TRUE(records::same_fields(*arg.type, written.data(), back.data()));
          break;
        }
        case Core::kTextOut:
          any_result = true;
          EXPECT_EQ(java_text(result.l),
                    std::string(written.begin(), written.begin() + arg.width - 1))
              << "the text within its width";
          break;
        case Core::kHeapTextOut:
          any_result = true;
          EXPECT_EQ(java_text(result.l), std::string(written.begin(), written.end()))
              << "the whole text the core handed over";
          break;
        case Core::kLineOut:
          any_result = true;
          EXPECT_EQ(java_text(result.l),
                    std::string(written.begin(), written.begin() + kTableCount))
              << "the line within its length";
          break;
        case Core::kTextPairOut: {
          any_result = true;
          ASSERT_NE(result.l, nullptr);
          auto pair = static_cast<jobjectArray>(result.l);
          ASSERT_EQ(env->GetArrayLength(pair), 2);
          LocalFrame frame(4);
          EXPECT_EQ(java_text(env->GetObjectArrayElement(pair, 0)),
                    std::string(reinterpret_cast<const char*>(written.data())));
          EXPECT_EQ(java_text(env->GetObjectArrayElement(pair, 1)),
                    std::string(reinterpret_cast<const char*>(written.data() + arg.second)));
          break;
        }
        default:
          break;
      }
    }
    if (row_.failure_is_code) {
      EXPECT_EQ(result.i, 0) << "the core's answer";
    }
    if (!any_result && row_.result == JavaKind::kObject) {
      // Results converted by hand (a calendar) are only required to exist.
      EXPECT_NE(result.l, nullptr);
    }
  }

 private:
  size_t output_size(size_t a) const {
    const CoreArgument& arg = row_.core[a];
    switch (arg.kind) {
      case Core::kTableOut:
      case Core::kCountedTable:
        return size_t{arg.width} * arg.type->size;
      case Core::kSizedTable:
        return size_t{kTableCount} * arg.type->size;
      case Core::kLineOut:
        return size_t{kTableCount} + 1;
      default:
        return arg.width;
    }
  }

  // What the double writes into output buffer `a` (empty for inputs).
  std::vector<uint8_t> output_bytes(size_t a) const {
    const CoreArgument& arg = row_.core[a];
    uint32_t seed = 101 + static_cast<uint32_t>(a);
    switch (arg.kind) {
      case Core::kRecordOut:
      case Core::kRecordElement:
        return records::pattern(*arg.type, seed);
      case Core::kIntsOut:
      case Core::kIntElement: {
        std::vector<uint8_t> bytes(arg.width);
        for (size_t i = 0; i < bytes.size(); ++i) {
          bytes[i] = static_cast<uint8_t>(seed * 31 + i * 97 + 0x80);
        }
        return bytes;
      }
      case Core::kTableOut:
      case Core::kSizedTable:
      case Core::kCountedTable: {
        std::vector<uint8_t> table;
        size_t entries = output_size(a) / arg.type->size;
        for (size_t e = 0; e < entries; ++e) {
          std::vector<uint8_t> one =
              records::pattern(*arg.type, seed + static_cast<uint32_t>(e) * 7919);
          table.insert(table.end(), one.begin(), one.end());
        }
        return table;
      }
      case Core::kTextOut:
        // No NUL: the native must stop within the width.
        return letters(arg.width, seed);
      case Core::kLineOut:
        return letters(output_size(a), seed);
      case Core::kHeapTextOut:
        // The double adds the NUL to its copy.
        return letters(300, seed);
      case Core::kTextPairOut: {
        std::vector<uint8_t> bytes = letters(arg.width, seed);
        bytes[arg.second - 1] = 0;
        bytes[arg.width - 1] = 0;
        return bytes;
      }
      default:
        return {};
    }
  }

  const Row& row_;
  std::vector<int> paired_;
  std::vector<jvalue> java_;
  std::vector<std::string> strings_;
  std::vector<int32_t> ints_;
};

class ContractTest : public JniTest, public ::testing::WithParamInterface<const Row*> {
 protected:
  const Row& row() const { return *GetParam(); }

  // The result a failed call gives.
  void check_failure_result(const jvalue& result, jint code) {
    if (row().result == JavaKind::kObject || row().result == JavaKind::kString) {
      EXPECT_EQ(result.l, nullptr);
    } else if (row().result == JavaKind::kInt) {
      EXPECT_EQ(result.i, row().failure_is_code ? code : row().failure_value);
    }
  }
};

TEST_P(ContractTest, ConveysItsArguments) {
  for (Texts texts : {Texts::kLong, Texts::kShort, Texts::kEmpty}) {
    SCOPED_TRACE(texts == Texts::kLong    ? "texts longer than their width"
                 : texts == Texts::kShort ? "short texts"
                                          : "empty texts");
    CoreDouble::reset();
    Call call(row(), texts);
    ASSERT_TRUE(call.ready());
    call.program();
    jvalue result = call.invoke();
    if (texts == Texts::kEmpty && row().empty_texts_refused) {
      EXPECT_TRUE(disk_array_exception(kNullArgument));
      EXPECT_EQ(CoreDouble::call_count(), 0u) << "the core is not called";
      continue;
    }
    ASSERT_FALSE(env->ExceptionCheck()) << message_of(take_exception());
    call.check_core_call();
    call.check_result(result);
  }
}

TEST_P(ContractTest, RefusesNullArguments) {
  Call prepared(row(), Texts::kLong);
  ASSERT_TRUE(prepared.ready());
  for (size_t a = 0; a < row().core.size(); ++a) {
    const CoreArgument& arg = row().core[a];
    if (!takes_string(arg.kind) && !takes_object(arg.kind)) continue;
    SCOPED_TRACE("null for core argument " + std::to_string(a));
    CoreDouble::reset();
    prepared.program();
    std::vector<jvalue> saved = prepared.java();
    prepared.java()[prepared.paired()[a]].l = nullptr;
    jvalue result = prepared.invoke();
    prepared.java() = saved;
    if (optional(arg.kind)) {
      ASSERT_FALSE(env->ExceptionCheck()) << message_of(take_exception());
      ASSERT_EQ(CoreDouble::call_count(), 1u);
      size_t buffer = static_cast<size_t>(std::count_if(
          row().core.begin(), row().core.begin() + a,
          [](const CoreArgument& c) { return is_buffer(c.kind); }));
      size_t width = arg.kind == Core::kOptionalWhole ? 1 : arg.width;
      EXPECT_EQ(CoreDouble::last_call().buffers[buffer], std::vector<uint8_t>(width, 0))
          << "passed as empty";
      continue;
    }
    jint code = arg.kind == Core::kRecordIn ? row().null_record_code : kNullArgument;
    EXPECT_TRUE(disk_array_exception(code));
    EXPECT_EQ(CoreDouble::call_count(), 0u) << "the core is not called";
    if (row().result != JavaKind::kInt) check_failure_result(result, code);
  }
}

TEST_P(ContractTest, ReportsCoreFailures) {
  Call call(row(), Texts::kShort);
  ASSERT_TRUE(call.ready());
  for (jint code : {kFailureCode, kSilentCode}) {
    SCOPED_TRACE("core answers " + std::to_string(code));
    CoreDouble::reset();
    call.program();
    CoreDouble::set_code(code);
    jvalue result = call.invoke();
    EXPECT_EQ(CoreDouble::call_count(), 1u);
    if (code == kSilentCode) {
      EXPECT_FALSE(env->ExceptionCheck()) << message_of(take_exception());
    } else {
      EXPECT_TRUE(disk_array_exception(code));
    }
    check_failure_result(result, code);
  }
}

std::vector<const Row*> row_pointers() {
  std::vector<const Row*> pointers;
  for (const Row& row : rows()) pointers.push_back(&row);
  return pointers;
}

INSTANTIATE_TEST_SUITE_P(Natives, ContractTest, ::testing::ValuesIn(row_pointers()),
                         [](const ::testing::TestParamInfo<const Row*>& info) {
                           return std::string(info.param->native);
                         });

// The rows against the core's declarations: each names a declared function
// once and gives each of its arguments a kind that fits the declaration.
TEST(ContractRows, MatchTheCoreDeclarations) {
  std::set<std::string> named;
  for (const Row& row : rows()) {
    SCOPED_TRACE(row.native);
    EXPECT_TRUE(named.insert(row.native).second) << "two rows";
    const CoreDeclaration* declaration = nullptr;
    for (size_t i = 0; i < kCoreDeclarationCount; ++i) {
      if (row.native == std::string(kCoreDeclarations[i].function)) {
        declaration = &kCoreDeclarations[i];
      }
    }
    ASSERT_NE(declaration, nullptr) << "no core function of that name";
    std::string kinds;
    for (const CoreArgument& arg : row.core) {
      kinds += takes_int(arg.kind)                                   ? 'i'
               : (takes_string(arg.kind) || takes_object(arg.kind)) ? 'c'
               : arg.kind == Core::kHeapTextOut                      ? 'p'
                                                                     : 'm';
    }
    EXPECT_EQ(kinds, declaration->arguments)
        << "argument kinds: i int, c read-only pointer, m written pointer";
    std::string error;
    pair_arguments(row, &error);
    EXPECT_EQ(error, "");
  }
}

// The names of the natives DiskArrayUtilityJNI declares, by reflection.
std::set<std::string> declared_natives() {
  JNIEnv* env = jni();
  LocalFrame frame(16);
  std::set<std::string> natives;
  jclass class_class = env->FindClass("java/lang/Class");
  jclass loader_class = env->FindClass("java/lang/ClassLoader");
  jclass method_class = env->FindClass("java/lang/reflect/Method");
  jclass modifier_class = env->FindClass("java/lang/reflect/Modifier");
  if (class_class == nullptr || loader_class == nullptr || method_class == nullptr ||
      modifier_class == nullptr) {
    ADD_FAILURE() << "reflection classes: " << message_of(take_exception());
    return natives;
  }
  jmethodID for_name = env->GetStaticMethodID(
      class_class, "forName",
      "(Ljava/lang/String;ZLjava/lang/ClassLoader;)Ljava/lang/Class;");
  jmethodID system_loader = env->GetStaticMethodID(
      loader_class, "getSystemClassLoader", "()Ljava/lang/ClassLoader;");
  jmethodID declared_methods = env->GetMethodID(
      class_class, "getDeclaredMethods", "()[Ljava/lang/reflect/Method;");
  jmethodID modifiers = env->GetMethodID(method_class, "getModifiers", "()I");
  jmethodID name_of = env->GetMethodID(method_class, "getName", "()Ljava/lang/String;");
  jmethodID is_native = env->GetStaticMethodID(modifier_class, "isNative", "(I)Z");
  if (for_name == nullptr || system_loader == nullptr || declared_methods == nullptr ||
      modifiers == nullptr || name_of == nullptr || is_native == nullptr) {
    ADD_FAILURE() << "reflection methods: " << message_of(take_exception());
    return natives;
  }
  jobject loader = env->CallStaticObjectMethod(loader_class, system_loader);
  jstring binding_name = env->ExceptionCheck() ? nullptr
                                               : env->NewStringUTF(
                                                     "korvane.str.diskarray.DiskArrayUtilityJNI");
  // Loaded, not initialised: its initialiser would load the real library,
  // whose natives this program's bridge objects stand in for.
  jobject binding =
      binding_name == nullptr
          ? nullptr
          : env->CallStaticObjectMethod(class_class, for_name, binding_name, JNI_FALSE, loader);
  auto methods = env->ExceptionCheck() || binding == nullptr
                     ? nullptr
                     : static_cast<jobjectArray>(env->CallObjectMethod(binding, declared_methods));
  if (env->ExceptionCheck() || methods == nullptr) {
    ADD_FAILURE() << "DiskArrayUtilityJNI's methods: " << message_of(take_exception());
    return natives;
  }
  for (jsize i = 0; i < env->GetArrayLength(methods); ++i) {
    LocalFrame element_frame(4);
    jobject method = env->GetObjectArrayElement(methods, i);
    jint bits = env->CallIntMethod(method, modifiers);
    if (env->ExceptionCheck()) break;
    jboolean native = env->CallStaticBooleanMethod(modifier_class, is_native, bits);
    if (env->ExceptionCheck()) break;
    if (native != JNI_TRUE) continue;
    jobject name = env->CallObjectMethod(method, name_of);
    if (env->ExceptionCheck()) break;
    natives.insert(java_text(name));
  }
  if (env->ExceptionCheck()) {
    ADD_FAILURE() << "reading a method: " << message_of(take_exception());
  }
  return natives;
}

// Every native the binding declares, and every function the core declares,
// has a row: a native whose row is missing is not tested at all.
TEST(ContractRows, CoverEveryDeclaredNative) {
  std::set<std::string> named;
  for (const Row& row : rows()) named.insert(row.native);
  std::set<std::string> core;
  for (size_t i = 0; i < kCoreDeclarationCount; ++i) {
    core.insert(kCoreDeclarations[i].function);
  }
  std::set<std::string> natives = declared_natives();
  ASSERT_FALSE(natives.empty()) << "DiskArrayUtilityJNI declares no native";
  for (const std::string& native : natives) {
    EXPECT_EQ(named.count(native), 1u) << native << " is declared but has no contract row";
  }
  for (const std::string& function : core) {
    EXPECT_EQ(named.count(function), 1u) << function << " is in kx_core.h but has no row";
  }
  EXPECT_EQ(named.size(), natives.size()) << "a row for a native Java does not declare";
}

}  // namespace
}  // namespace kxtest::contract
