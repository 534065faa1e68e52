// Native methods of user accounts, login and passwords. Every method that
// takes a unit name converts it into a 1024-byte buffer, not the 17-byte one.
#include <cstring>
#include <string>

#include "bridge/frame.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "units/user_records.h"

using namespace kx;

namespace {

// Turns a login result of `size` bytes into String[2]. Unlike a record
// builder: an empty first text is an empty answer (null, no exception), and a
// text that cannot be converted leaves its element null instead of failing
// the array.
jobjectArray login_result_array(JNIEnv* env, const char* result, size_t size) {
  if (result[0] == '\0') {
    flush_output();
    return nullptr;
  }
  LocalRef<jstring> first(
      env, env->NewStringUTF(
               bounded_text(result, kLoginSecondTextOffset - 1).c_str()));
  // No JNI call may follow a failure that left its exception pending.
  LocalRef<jstring> second;
  if (!env->ExceptionCheck()) {
    second = LocalRef<jstring>(
        env, env->NewStringUTF(bounded_text(result + kLoginSecondTextOffset,
                                            size - kLoginSecondTextOffset - 1)
                                   .c_str()));
  }
  LocalRef<jobjectArray> array(env,
                               new_record_array(env, "java/lang/String", 2));
  if (!array) {
    raise_error(env, ERR_MARSHAL);
    return nullptr;
  }
  if (first) env->SetObjectArrayElement(array.get(), 0, first.get());
  if (second) env->SetObjectArrayElement(array.get(), 1, second.get());
  flush_output();
  return array.release();
}

// Reads a KXUserRegist into `record`. A null user is refused like the null
// record of any write, so the core never sees an all-zero account.
bool read_user(JNIEnv* env, jobject user, KXUserRegistRecord* record) {
  if (user == nullptr) {
    raise_error(env, ERR_NULL_ARGUMENT);
    return false;
  }
  read_record(env, kUserRegistType, user, record);
  return true;
}

}  // namespace

JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LoginKXUnit(
    JNIEnv* env, jclass, jstring unit_name, jint value, jobject user) {
  flush_output();
  char unit[kLongNameSize];
  if (!convert_required(env, unit_name, unit)) return nullptr;
  // The account stays on the stack here, unlike the other user operations.
  KXUserRegistRecord account{};
  if (!read_user(env, user, &account)) return nullptr;
  char result[kLoginResultSize] = {};
  if (!core_succeeded(env, KX_LoginKXUnit(unit, value, &account, result)) ||
      !conversion_clean(env)) {
    return nullptr;
  }
  return login_result_array(env, result, sizeof(result));
}

JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetLoginUser(
    JNIEnv* env, jclass, jstring unit_name, jint value) {
  flush_output();
  char unit[kLongNameSize];
  if (!convert_required(env, unit_name, unit)) return nullptr;
  char result[kLoginUserResultSize] = {};
  if (!core_succeeded(env, KX_GetLoginUser(unit, value, result))) {
    return nullptr;
  }
  return login_result_array(env, result, sizeof(result));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1LogoutKXUnit(
    JNIEnv* env, jclass, jstring unit_name, jint value) {
  action<kLongNameSize>(env, unit_name, [value](const char* unit) {
    return KX_LogoutKXUnit(unit, value);
  });
}

JNIEXPORT jint JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1CheckLogin(JNIEnv* env,
                                                              jclass,
                                                              jstring unit_name,
                                                              jint value) {
  return int_result<kLongNameSize>(env, unit_name,
                                   [value](const char* unit, int32_t* result) {
                                     return KX_CheckLogin(unit, value, result);
                                   });
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetUserInformation(
    JNIEnv* env, jclass, jstring unit_name, jint value) {
  return record_read<KXUserInformationRecord, kLongNameSize>(
      env, unit_name, kUserInformationType,
      [value](const char* unit, KXUserInformationRecord* info) {
        return KX_GetUserInformation(unit, value, info);
      });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1RegistUser(
    JNIEnv* env, jclass, jstring unit_name, jint value, jobject user) {
  record_write<KXUserRegistRecord, kLongNameSize>(
      env, unit_name, user, kUserRegistType,
      [value](const char* unit, KXUserRegistRecord* account) {
        return KX_RegistUser(unit, value, account);
      });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ChangeUser(
    JNIEnv* env, jclass, jstring unit_name, jint value, jobject old_user,
    jobject new_user) {
  flush_output();
  char unit[kLongNameSize];
  if (!convert_required(env, unit_name, unit)) return;
  if (old_user == nullptr || new_user == nullptr) {
    raise_error(env, ERR_NULL_ARGUMENT);
    return;
  }
  // Both records are made before either is read; a failure of either frees
  // the other.
  HeapPtr<KXUserRegistRecord> old_account = heap_new<KXUserRegistRecord>();
  HeapPtr<KXUserRegistRecord> new_account = heap_new<KXUserRegistRecord>();
  if (!old_account || !new_account) {
    raise_error(env, ERR_NO_MEMORY);
    return;
  }
  read_record(env, kUserRegistType, old_user, old_account.get());
  read_record(env, kUserRegistType, new_user, new_account.get());
  int32_t code =
      KX_ChangeUser(unit, value, old_account.get(), new_account.get());
  old_account.reset();
  new_account.reset();
  if (!core_succeeded(env, code) || !conversion_clean(env)) return;
  flush_output();
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1DeleteUser(
    JNIEnv* env, jclass, jstring unit_name, jint value, jobject user) {
  record_write<KXUserRegistRecord, kLongNameSize>(
      env, unit_name, user, kUserRegistType,
      [value](const char* unit, KXUserRegistRecord* account) {
        return KX_DeleteUser(unit, value, account);
      });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1DeleteAllUser(
    JNIEnv* env, jclass, jstring unit_name, jint value) {
  action<kLongNameSize>(env, unit_name, [value](const char* unit) {
    return KX_DeleteAllUser(unit, value);
  });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ResetLogin(JNIEnv* env,
                                                              jclass,
                                                              jstring unit_name,
                                                              jint value) {
  action<kLongNameSize>(env, unit_name, [value](const char* unit) {
    return KX_ResetLogin(unit, value);
  });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1PasswdChange(JNIEnv* env,
                                                                jclass,
                                                                jstring text) {
  flush_output();
  char buffer[kLongNameSize];
  if (!convert_required(env, text, buffer)) return;
  if (!core_succeeded(env, KX_PasswdChange(buffer))) return;
  flush_output();
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
