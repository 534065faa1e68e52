// The double's user, login and password functions.
#include <cstring>

#include "kx_core.h"
#include "tests/double/core_double.h"

using kxtest::CoreDouble;

KX_API int32_t KX_LoginKXUnit(const char* unit, int32_t arg,
                              const KXUserRegistRecord* user, char* result) {
  return CoreDouble::Scope("KX_LoginKXUnit")
      .in(unit, kLongNameSize)
      .value(arg)
      .in(user, sizeof(*user))
      .inout(result, kLoginResultSize)
      .finish();
}

KX_API int32_t KX_GetLoginUser(const char* unit, int32_t arg, char* result) {
  return CoreDouble::Scope("KX_GetLoginUser")
      .in(unit, kLongNameSize)
      .value(arg)
      .inout(result, kLoginUserResultSize)
      .finish();
}

KX_API int32_t KX_LogoutKXUnit(const char* unit, int32_t arg) {
  return CoreDouble::Scope("KX_LogoutKXUnit")
      .in(unit, kLongNameSize)
      .value(arg)
      .finish();
}

KX_API int32_t KX_CheckLogin(const char* unit, int32_t arg, int32_t* value) {
  return CoreDouble::Scope("KX_CheckLogin")
      .in(unit, kLongNameSize)
      .value(arg)
      .out_int(value)
      .finish();
}

KX_API int32_t KX_GetUserInformation(const char* unit, int32_t arg,
                                     KXUserInformationRecord* info) {
  return CoreDouble::Scope("KX_GetUserInformation")
      .in(unit, kLongNameSize)
      .value(arg)
      .inout(info, sizeof(*info))
      .finish();
}

KX_API int32_t KX_RegistUser(const char* unit, int32_t arg,
                             const KXUserRegistRecord* user) {
  return CoreDouble::Scope("KX_RegistUser")
      .in(unit, kLongNameSize)
      .value(arg)
      .in(user, sizeof(*user))
      .finish();
}

KX_API int32_t KX_ChangeUser(const char* unit, int32_t arg,
                             const KXUserRegistRecord* old_user,
                             const KXUserRegistRecord* new_user) {
  return CoreDouble::Scope("KX_ChangeUser")
      .in(unit, kLongNameSize)
      .value(arg)
      .in(old_user, sizeof(*old_user))
      .in(new_user, sizeof(*new_user))
      .finish();
}

KX_API int32_t KX_DeleteUser(const char* unit, int32_t arg,
                             const KXUserRegistRecord* user) {
  return CoreDouble::Scope("KX_DeleteUser")
      .in(unit, kLongNameSize)
      .value(arg)
      .in(user, sizeof(*user))
      .finish();
}

KX_API int32_t KX_DeleteAllUser(const char* unit, int32_t arg) {
  return CoreDouble::Scope("KX_DeleteAllUser")
      .in(unit, kLongNameSize)
      .value(arg)
      .finish();
}

KX_API int32_t KX_ResetLogin(const char* unit, int32_t arg) {
  return CoreDouble::Scope("KX_ResetLogin")
      .in(unit, kLongNameSize)
      .value(arg)
      .finish();
}

KX_API int32_t KX_PasswdChange(const char* text) {
  return CoreDouble::Scope("KX_PasswdChange").in(text, kLongNameSize).finish();
}

// The password comes with no length limit: its bytes up to the NUL are
// recorded, the NUL included.
KX_API int32_t KX_PasswdCheck(const char* password) {
  return CoreDouble::Scope("KX_PasswdCheck")
      .in(password, std::strlen(password) + 1)
      .finish();
}
