// Native methods of user accounts, login and passwords. Every method that
// takes a unit name converts it into a 1024-byte buffer, not the 17-byte one.
#include <cstring>
#include <string>

#include "bridge/native.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "units/user_records.h"

using namespace kx;

namespace {

// A login result of Size bytes, two texts at offsets 0 and
// kLoginSecondTextOffset, as a new String[2]. Unlike a record builder: an
// empty first text is an empty answer (null, no exception), and a text that
// cannot be converted leaves its element null instead of failing the array.
template <size_t Size>
class LoginResult {
 public:
  static constexpr bool kResult = true;
  using Java = jobjectArray;

  [[nodiscard]] bool prepare(CallContext&) { return true; }
  std::tuple<char*> args() { return {result_}; }
  Java failure() const { return nullptr; }
  [[nodiscard]] bool finish(CallContext& call, Java& out) {
    JNIEnv* env = call.env;
    if (result_[0] == '\0') return true;
    LocalRef<jstring> first(
        env,
        env->NewStringUTF(
            modified_utf8(bounded_text(result_, kLoginSecondTextOffset - 1))
                .c_str()));
    // No JNI call may follow a failure that left its exception pending.
    LocalRef<jstring> second;
    if (!env->ExceptionCheck()) {
      second = LocalRef<jstring>(
          env,
          env->NewStringUTF(
              modified_utf8(bounded_text(result_ + kLoginSecondTextOffset,
                                         Size - kLoginSecondTextOffset - 1))
                  .c_str()));
    }
    jclass string_class = call.lookups.find("java/lang/String");
    LocalRef<jobjectArray> array(
        env, string_class != nullptr
                 ? env->NewObjectArray(2, string_class, nullptr)
                 : nullptr);
    if (!array) {
      raise_error(env, ERR_MARSHAL);
      return false;
    }
    if (first) env->SetObjectArrayElement(array.get(), 0, first.get());
    if (second) env->SetObjectArrayElement(array.get(), 1, second.get());
    out = array.release();
    return true;
  }

 private:
  char result_[Size] = {};
};

}  // namespace

JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LoginKXUnit(
    JNIEnv* env, jclass, jstring unit_name, jint value, jobject user) {
  return native(env, KX_LoginKXUnit, long_text_arg(unit_name), int_arg(value),
                record_in<KXUserRegistRecord>(user, kUserRegistType),
                LoginResult<kLoginResultSize>());
}

JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetLoginUser(
    JNIEnv* env, jclass, jstring unit_name, jint value) {
  return native(env, KX_GetLoginUser, long_text_arg(unit_name), int_arg(value),
                LoginResult<kLoginUserResultSize>());
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogoutKXUnit(
    JNIEnv* env, jclass, jstring unit_name, jint value) {
  native(env, KX_LogoutKXUnit, long_text_arg(unit_name), int_arg(value));
}

JNIEXPORT jint JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1CheckLogin(JNIEnv* env,
                                                              jclass,
                                                              jstring unit_name,
                                                              jint value) {
  return native(env, KX_CheckLogin, long_text_arg(unit_name), int_arg(value),
                int_out());
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetUserInformation(
    JNIEnv* env, jclass, jstring unit_name, jint value) {
  return native(env, KX_GetUserInformation, long_text_arg(unit_name),
                int_arg(value),
                record_out<KXUserInformationRecord>(kUserInformationType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1RegistUser(
    JNIEnv* env, jclass, jstring unit_name, jint value, jobject user) {
  native(env, KX_RegistUser, long_text_arg(unit_name), int_arg(value),
         record_in<KXUserRegistRecord>(user, kUserRegistType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ChangeUser(
    JNIEnv* env, jclass, jstring unit_name, jint value, jobject old_user,
    jobject new_user) {
  native(env, KX_ChangeUser, long_text_arg(unit_name), int_arg(value),
         record_in<KXUserRegistRecord>(old_user, kUserRegistType),
         record_in<KXUserRegistRecord>(new_user, kUserRegistType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1DeleteUser(
    JNIEnv* env, jclass, jstring unit_name, jint value, jobject user) {
  native(env, KX_DeleteUser, long_text_arg(unit_name), int_arg(value),
         record_in<KXUserRegistRecord>(user, kUserRegistType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1DeleteAllUser(
    JNIEnv* env, jclass, jstring unit_name, jint value) {
  native(env, KX_DeleteAllUser, long_text_arg(unit_name), int_arg(value));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ResetLogin(JNIEnv* env,
                                                              jclass,
                                                              jstring unit_name,
                                                              jint value) {
  native(env, KX_ResetLogin, long_text_arg(unit_name), int_arg(value));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1PasswdChange(JNIEnv* env,
                                                                jclass,
                                                                jstring text) {
  native(env, KX_PasswdChange, long_text_arg(text));
}

// Returns the core's own answer: 0 and -1 are ordinary values, any other
// value also arrives with a pending DiskArrayException.
JNIEXPORT jint JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1PasswdCheck(
    JNIEnv* env, jclass, jstring password) {
  flush_output();
  if (password == nullptr) {
    raise_error(env, ERR_NULL_ARGUMENT);
    return -1;
  }
  int32_t result;
  {
    // Passed whole, with no copy or length limit.
    UtfChars chars(env, password);
    // The failed lookup's exception stands; nothing is raised or flushed.
    if (!chars) return ERR_MARSHAL;
    result = KX_PasswdCheck(chars.get());
  }
  if (result != 0 && result != -1) raise_error(env, result);
  flush_output();
  return result;
}
