// Contract rows of the unit registry, users, login and passwords.
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "tests/native/contracts/contract.h"
#include "units/unit_records.h"
#include "units/user_records.h"

using namespace kx;
using namespace kxtest::contract;

KX_CONTRACTS(units) {
  return {
      KX_CONTRACT(GetUnitParam, unit(), record_out(kUnitParamType)),
      KX_CONTRACT(UnitAdd, record_in(kUnitParamType)),
      KX_CONTRACT(UnitDelete, unit()),
      KX_CONTRACT(UnitChange, unit(kLongNameSize), record_in(kUnitParamType)),
      KX_CONTRACT(GetUnitParamTable, count_in(), sized_table_out(kUnitParamType, 0)),
      KX_CONTRACT(GetUnitCount, int_out()).fails_with(-1),
      KX_CONTRACT(GUIInitialize, record_in(kWorkingDirectoryType)),
      KX_CONTRACT(GetLabelList, counted_table_out(kLabelType, kLabelListCapacity), int_out()),
      KX_CONTRACT(ModifyInfo, text(kModifyInfoSize), int_in(), text_out(kModifyInfoSize)),

      KX_CONTRACT(LoginKXUnit, unit(kLongNameSize), int_in(), record_in(kUserRegistType),
                  text_pair_out(kLoginResultSize, kLoginSecondTextOffset)),
      KX_CONTRACT(GetLoginUser, unit(kLongNameSize), int_in(),
                  text_pair_out(kLoginUserResultSize, kLoginSecondTextOffset)),
      KX_CONTRACT(LogoutKXUnit, unit(kLongNameSize), int_in()),
      KX_CONTRACT(CheckLogin, unit(kLongNameSize), int_in(), int_out()),
      KX_CONTRACT(GetUserInformation, unit(kLongNameSize), int_in(),
                  record_out(kUserInformationType)),
      KX_CONTRACT(RegistUser, unit(kLongNameSize), int_in(), record_in(kUserRegistType)),
      KX_CONTRACT(ChangeUser, unit(kLongNameSize), int_in(), record_in(kUserRegistType),
                  record_in(kUserRegistType)),
      KX_CONTRACT(DeleteUser, unit(kLongNameSize), int_in(), record_in(kUserRegistType)),
      KX_CONTRACT(DeleteAllUser, unit(kLongNameSize), int_in()),
      KX_CONTRACT(ResetLogin, unit(kLongNameSize), int_in()),
      KX_CONTRACT(PasswdChange, text(kLongNameSize)),
      KX_CONTRACT(PasswdCheck, whole_text()).returns_core_code(),
  };
}
