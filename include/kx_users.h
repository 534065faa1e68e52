// Records of user accounts and login on a unit.
#pragma once

#include "kx_api.h"

enum : uint32_t {
  kUserTextSize = 17,  // user name or password: 16 bytes of text and a NUL
  // Login results: two texts, the first at offset 0, the second at offset
  // 17. The login-user query has the shorter area, so its second text holds
  // at most 14 bytes.
  kLoginSecondTextOffset = 17,
  kLoginResultSize = 36,      // KX_LoginKXUnit
  kLoginUserResultSize = 32,  // KX_GetLoginUser
};

// A user account as the user operations take it.
struct KXUserRegistRecord {
  char user[17];
  char passwd[17];
};
KX_ASSERT_OFFSET(KXUserRegistRecord, user, 0);
KX_ASSERT_OFFSET(KXUserRegistRecord, passwd, 17);
KX_ASSERT_SIZE(KXUserRegistRecord, 34);

// Summary of the user accounts of a unit.
struct KXUserInformationRecord {
  int32_t num;
  int32_t option;
};
KX_ASSERT_OFFSET(KXUserInformationRecord, num, 0);
KX_ASSERT_OFFSET(KXUserInformationRecord, option, 4);
KX_ASSERT_SIZE(KXUserInformationRecord, 8);
