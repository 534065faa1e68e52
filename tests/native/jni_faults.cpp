#include "tests/native/jni_faults.h"

#include <cstring>

#include "tests/native/jvm.h"

namespace kxtest {
namespace {

const JNINativeInterface_* g_original = nullptr;
JNINativeInterface_ g_table;
std::vector<Fault> g_faults;
std::vector<int> g_seen;
int g_failures = 0;

// Decides whether this call fails; throws the VM's exception for it if so.
bool should_fail(JNIEnv* env, Slot slot, const char* name,
                 const char* exception_class) {
  for (size_t i = 0; i < g_faults.size(); ++i) {
    Fault& fault = g_faults[i];
    if (fault.slot != slot) continue;
    if (!fault.name.empty() && (name == nullptr || fault.name != name)) continue;
    int seen = g_seen[i]++;
    if (seen < fault.skip) return false;
    if (fault.times >= 0 && seen >= fault.skip + fault.times) return false;
    ++g_failures;
    if (fault.throws) {
      jclass cls = g_original->FindClass(env, exception_class);
      g_original->ThrowNew(env, cls, name != nullptr ? name : "injected");
      g_original->DeleteLocalRef(env, cls);
    }
    return true;
  }
  return false;
}

jclass JNICALL find_class(JNIEnv* env, const char* name) {
  if (should_fail(env, Slot::kFindClass, name, "java/lang/NoClassDefFoundError"))
    return nullptr;
  return g_original->FindClass(env, name);
}

jmethodID JNICALL get_method_id(JNIEnv* env, jclass cls, const char* name,
                                const char* sig) {
  if (should_fail(env, Slot::kGetMethodID, name, "java/lang/NoSuchMethodError"))
    return nullptr;
  return g_original->GetMethodID(env, cls, name, sig);
}

jfieldID JNICALL get_field_id(JNIEnv* env, jclass cls, const char* name,
                              const char* sig) {
  if (should_fail(env, Slot::kGetFieldID, name, "java/lang/NoSuchFieldError"))
    return nullptr;
  return g_original->GetFieldID(env, cls, name, sig);
}

jfieldID JNICALL get_static_field_id(JNIEnv* env, jclass cls, const char* name,
                                     const char* sig) {
  if (should_fail(env, Slot::kGetStaticFieldID, name,
                  "java/lang/NoSuchFieldError"))
    return nullptr;
  return g_original->GetStaticFieldID(env, cls, name, sig);
}

jobject JNICALL new_object_v(JNIEnv* env, jclass cls, jmethodID ctor,
                             va_list args) {
  if (should_fail(env, Slot::kNewObjectV, nullptr, "java/lang/OutOfMemoryError"))
    return nullptr;
  return g_original->NewObjectV(env, cls, ctor, args);
}

jobjectArray JNICALL new_object_array(JNIEnv* env, jsize length, jclass cls,
                                      jobject initial) {
  if (should_fail(env, Slot::kNewObjectArray, nullptr,
                  "java/lang/OutOfMemoryError"))
    return nullptr;
  return g_original->NewObjectArray(env, length, cls, initial);
}

jstring JNICALL new_string_utf(JNIEnv* env, const char* text) {
  if (should_fail(env, Slot::kNewStringUTF, text, "java/lang/OutOfMemoryError"))
    return nullptr;
  return g_original->NewStringUTF(env, text);
}

jintArray JNICALL new_int_array(JNIEnv* env, jsize length) {
  if (should_fail(env, Slot::kNewIntArray, nullptr, "java/lang/OutOfMemoryError"))
    return nullptr;
  return g_original->NewIntArray(env, length);
}

const char* JNICALL get_string_utf_chars(JNIEnv* env, jstring string,
                                         jboolean* is_copy) {
  if (should_fail(env, Slot::kGetStringUTFChars, nullptr,
                  "java/lang/OutOfMemoryError"))
    return nullptr;
  return g_original->GetStringUTFChars(env, string, is_copy);
}

jclass JNICALL get_object_class(JNIEnv* env, jobject object) {
  if (should_fail(env, Slot::kGetObjectClass, nullptr,
                  "java/lang/OutOfMemoryError"))
    return nullptr;
  return g_original->GetObjectClass(env, object);
}

}  // namespace

JniFaults::JniFaults(std::vector<Fault> faults) {
  JNIEnv* env = jni();
  g_original = env->functions;
  std::memcpy(&g_table, g_original, sizeof(g_table));
  g_faults = std::move(faults);
  g_seen.assign(g_faults.size(), 0);
  g_failures = 0;
  g_table.FindClass = find_class;
  g_table.GetMethodID = get_method_id;
  g_table.GetFieldID = get_field_id;
  g_table.GetStaticFieldID = get_static_field_id;
  g_table.NewObjectV = new_object_v;
  g_table.NewObjectArray = new_object_array;
  g_table.NewStringUTF = new_string_utf;
  g_table.NewIntArray = new_int_array;
  g_table.GetStringUTFChars = get_string_utf_chars;
  g_table.GetObjectClass = get_object_class;
  env->functions = &g_table;
}

JniFaults::~JniFaults() {
  jni()->functions = g_original;
  g_faults.clear();
}

int JniFaults::failures() const { return g_failures; }

}  // namespace kxtest
