#include "bridge/errors.h"

#include <cstring>

#include "bridge/jni_scoped.h"
#include "bridge/marshal.h"

namespace kx {
namespace {

constexpr char kClassNotFound[] = "java/lang/ClassNotFoundException";

// Makes `cause` the cause of the exception now pending. The pending exception
// is taken, given its cause and thrown again; if any step fails the pending
// exception stays as it is.
void attach_cause(JNIEnv* env, jthrowable cause) {
  LocalRef<jthrowable> thrown(env, env->ExceptionOccurred());
  if (!thrown) return;
  env->ExceptionClear();
  LocalRef<jclass> cls(env, env->GetObjectClass(thrown.get()));
  jmethodID init_cause =
      cls ? env->GetMethodID(cls.get(), "initCause",
                             "(Ljava/lang/Throwable;)Ljava/lang/Throwable;")
          : nullptr;
  if (init_cause != nullptr) {
    LocalRef<jobject> self(
        env, env->CallObjectMethod(thrown.get(), init_cause, cause));
  }
  // initCause refuses a second cause; that failure is not the caller's news.
  if (env->ExceptionCheck()) env->ExceptionClear();
  env->Throw(thrown.get());
}

void throw_error(JNIEnv* env, int32_t code) {
  if (code == ERR_NO_MEMORY) {
    throw_new(env, "java/lang/OutOfMemoryError", "");
    return;
  }
  LocalRef<jclass> cls(env, find_class(env, kExceptionClass));
  if (!cls) return;
  jmethodID ctor = env->GetMethodID(cls.get(), "<init>", "(I)V");
  if (ctor == nullptr) return;
  LocalRef<jthrowable> error(
      env, static_cast<jthrowable>(env->NewObject(cls.get(), ctor, code)));
  if (!error) return;
  env->Throw(error.get());
}

}  // namespace

void raise_error(JNIEnv* env, int32_t code) {
  if (code == 0 || code == ERR_SILENT) return;
  LocalRef<jthrowable> cause(env, env->ExceptionOccurred());
  if (cause) env->ExceptionClear();
  throw_error(env, code);
  if (cause) attach_cause(env, cause.get());
}

jclass find_class(JNIEnv* env, const char* name) {
  if (env->ExceptionCheck()) return nullptr;
  jclass cls = env->FindClass(name);
  if (cls != nullptr) return cls;
  if (std::strcmp(name, kClassNotFound) != 0) {
    // The NoClassDefFoundError of FindClass gives way to the system's own
    // report, which names the class in slash form.
    env->ExceptionClear();
    throw_new(env, kClassNotFound, name);
  }
  return nullptr;
}

void throw_new(JNIEnv* env, const char* class_name, const char* message) {
  LocalRef<jclass> cls(env, find_class(env, class_name));
  if (cls) env->ThrowNew(cls.get(), message);
}

int32_t get_unit_name(JNIEnv* env, jstring string, char* buffer, size_t size) {
  std::memset(buffer, 0, size);
  if (env->GetStringUTFLength(string) == 0) return ERR_MARSHAL;
  UtfChars chars(env, string);
  if (!chars) return ERR_MARSHAL;
  // Cut to whole characters: a name cut inside one would come back as text
  // that changes on every round trip.
  copy_text_whole(chars.get(), buffer, size);
  return 0;
}

}  // namespace kx
