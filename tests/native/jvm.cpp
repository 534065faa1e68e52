#include "tests/native/jvm.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "bridge/record_registry.h"
#include "tests/double/core_double.h"
#include "tests/double/test_heap.h"

namespace kxtest {
namespace {

JavaVM* g_vm = nullptr;
JNIEnv* g_env = nullptr;

class JvmEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    std::string class_path = std::string("-Djava.class.path=") + KX_TEST_CLASSPATH;
    std::vector<JavaVMOption> options(2);
    options[0].optionString = const_cast<char*>("-Xcheck:jni");
    options[1].optionString = const_cast<char*>(class_path.c_str());
    JavaVMInitArgs args{};
    args.version = JNI_VERSION_1_8;
    args.nOptions = static_cast<jint>(options.size());
    args.options = options.data();
    args.ignoreUnrecognized = JNI_FALSE;
    void* env = nullptr;
    if (JNI_CreateJavaVM(&g_vm, &env, &args) != JNI_OK) {
      std::fprintf(stderr, "cannot create the Java VM\n");
      std::abort();
    }
    g_env = static_cast<JNIEnv*>(env);
    preload_classes();
  }

 private:
  // Each test runs in a process of its own. Tests that make JNI calls fail
  // on purpose must not be the first to load a class: the class loader's own
  // native code would meet the same failures. Every class the bridge names
  // is loaded here, before any test.
  static void preload_classes() {
    std::vector<std::string> names = {
        "korvane/str/diskarray/DiskArrayException", "java/util/GregorianCalendar",
        "java/lang/String", "korvane/str/diskarray/testing/Sample",
        "korvane/str/diskarray/testing/SampleEntry"};
    for (const kx::RegisteredRecord* entry : kx::registered_records()) {
      if (entry->carrier != nullptr) names.push_back(entry->carrier);
      const kx::RecordType& type = *entry->type;
      if (type.class_name != nullptr) names.push_back(type.class_name);
      for (size_t i = 0; i < type.field_count; ++i) {
        const kx::RecordType* nested = type.fields[i].nested;
        if (nested != nullptr && nested->class_name != nullptr) {
          names.push_back(nested->class_name);
        }
      }
    }
    for (const std::string& name : names) {
      jclass cls = g_env->FindClass(name.c_str());
      if (cls == nullptr) {
        std::fprintf(stderr, "cannot load %s\n", name.c_str());
        std::abort();
      }
      g_env->DeleteLocalRef(cls);
    }
  }
  // The VM is left to the process exit: DestroyJavaVM waits for threads the
  // tests do not own.
};

const ::testing::Environment* const g_jvm_environment =
    ::testing::AddGlobalTestEnvironment(new JvmEnvironment);

}  // namespace

JNIEnv* jni() { return g_env; }

LocalFrame::LocalFrame(int capacity) { g_env->PushLocalFrame(capacity); }
LocalFrame::~LocalFrame() { g_env->PopLocalFrame(nullptr); }

void JniTest::SetUp() {
  env = g_env;
  ASSERT_FALSE(env->ExceptionCheck());
  frame_ = new LocalFrame();
  CoreDouble::reset();
  stop_failing_allocations();
  reset_allocation_count();
}

void JniTest::TearDown() {
  if (env->ExceptionCheck()) {
    jthrowable pending = take_exception();
    ADD_FAILURE() << "exception left pending: " << message_of(pending);
  }
  stop_failing_allocations();
  delete frame_;
}

jobject new_object(const char* class_name) {
  JNIEnv* env = g_env;
  jclass cls = env->FindClass(class_name);
  if (cls == nullptr) return nullptr;
  jmethodID ctor = env->GetMethodID(cls, "<init>", "()V");
  jobject object = env->NewObject(cls, ctor);
  env->DeleteLocalRef(cls);
  return object;
}

static jfieldID field_of(jobject object, const char* field,
                         const char* signature) {
  jclass cls = g_env->GetObjectClass(object);
  jfieldID id = g_env->GetFieldID(cls, field, signature);
  g_env->DeleteLocalRef(cls);
  return id;
}

void set_int(jobject object, const char* field, jint value) {
  g_env->SetIntField(object, field_of(object, field, "I"), value);
}

jint get_int(jobject object, const char* field) {
  return g_env->GetIntField(object, field_of(object, field, "I"));
}

void set_string(jobject object, const char* field, const char* value) {
  jstring string = value != nullptr ? g_env->NewStringUTF(value) : nullptr;
  g_env->SetObjectField(object, field_of(object, field, "Ljava/lang/String;"),
                        string);
  if (string != nullptr) g_env->DeleteLocalRef(string);
}

// Takes a local string reference: its modified UTF-8 text, the reference
// deleted.
static std::string take_text(jstring string) {
  const char* chars = g_env->GetStringUTFChars(string, nullptr);
  std::string copy(chars);
  g_env->ReleaseStringUTFChars(string, chars);
  g_env->DeleteLocalRef(string);
  return copy;
}

std::string get_string(jobject object, const char* field) {
  auto string = static_cast<jstring>(g_env->GetObjectField(
      object, field_of(object, field, "Ljava/lang/String;")));
  if (string == nullptr) return "<null>";
  return take_text(string);
}

jobject get_object(jobject object, const char* field, const char* signature) {
  return g_env->GetObjectField(object, field_of(object, field, signature));
}

jstring java_string(const char* text) { return g_env->NewStringUTF(text); }

std::string class_name_of(jobject object) {
  JNIEnv* env = g_env;
  jclass cls = env->GetObjectClass(object);
  jclass class_class = env->FindClass("java/lang/Class");
  jmethodID get_name =
      env->GetMethodID(class_class, "getName", "()Ljava/lang/String;");
  auto name = static_cast<jstring>(env->CallObjectMethod(cls, get_name));
  env->ExceptionCheck();
  std::string copy = take_text(name);
  env->DeleteLocalRef(class_class);
  env->DeleteLocalRef(cls);
  return copy;
}

jthrowable take_exception() {
  jthrowable pending = g_env->ExceptionOccurred();
  if (pending != nullptr) g_env->ExceptionClear();
  return pending;
}

std::string message_of(jthrowable throwable) {
  if (throwable == nullptr) return "<none>";
  JNIEnv* env = g_env;
  jclass cls = env->FindClass("java/lang/Throwable");
  jmethodID to_string =
      env->GetMethodID(cls, "toString", "()Ljava/lang/String;");
  auto text = static_cast<jstring>(env->CallObjectMethod(throwable, to_string));
  env->ExceptionCheck();
  std::string copy = take_text(text);
  env->DeleteLocalRef(cls);
  return copy;
}

jthrowable cause_of(jthrowable throwable) {
  JNIEnv* env = g_env;
  jclass cls = env->FindClass("java/lang/Throwable");
  jmethodID get_cause =
      env->GetMethodID(cls, "getCause", "()Ljava/lang/Throwable;");
  auto cause = static_cast<jthrowable>(env->CallObjectMethod(throwable, get_cause));
  env->ExceptionCheck();
  env->DeleteLocalRef(cls);
  return cause;
}

::testing::AssertionResult exception_of(const char* class_name) {
  jthrowable pending = take_exception();
  if (pending == nullptr) {
    return ::testing::AssertionFailure() << "no exception pending, expected "
                                         << class_name;
  }
  std::string actual = class_name_of(pending);
  if (actual != class_name) {
    return ::testing::AssertionFailure()
           << "expected " << class_name << ", got " << message_of(pending);
  }
  return ::testing::AssertionSuccess();
}

::testing::AssertionResult disk_array_exception(jint code) {
  jthrowable pending = take_exception();
  if (pending == nullptr) {
    return ::testing::AssertionFailure()
           << "no exception pending, expected DiskArrayException(" << code
           << ")";
  }
  std::string actual = class_name_of(pending);
  if (actual != "korvane.str.diskarray.DiskArrayException") {
    return ::testing::AssertionFailure()
           << "expected DiskArrayException(" << code << "), got "
           << message_of(pending);
  }
  jint actual_code = get_int(pending, "code");
  if (actual_code != code) {
    return ::testing::AssertionFailure()
           << "expected code " << code << ", got " << actual_code;
  }
  return ::testing::AssertionSuccess();
}

}  // namespace kxtest
