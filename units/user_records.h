// Record types of user accounts.
#pragma once

#include "bridge/record.h"

namespace kx {

// KXUserRegist as the user operations read it: user name and password.
extern const RecordType kUserRegistType;
// KXUserRegist as the user information query builds it: num and option.
extern const RecordType kUserInformationType;

}  // namespace kx
