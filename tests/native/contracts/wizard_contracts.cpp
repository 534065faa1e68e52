// Contract rows of the set-up wizard.
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "tests/native/contracts/contract.h"
#include "wizard/wizard_records.h"

using namespace kx;
using namespace kxtest::contract;

KX_CONTRACTS(wizard) {
  return {
      KX_CONTRACT(GetWizardParam, unit(), text(kLongNameSize), int_in(),
                  record_out(kWizardParamType)),
      // The writes take the record before the text; Java passes them in the
      // same order.
      KX_CONTRACT(SetWizardParam, unit(), record_in(kWizardParamType),
                  text(kLongNameSize), int_in()),
      KX_CONTRACT(TestWizardParam, unit(), record_in(kWizardParamType),
                  text(kLongNameSize), int_in()),
      KX_CONTRACT(WZTargetIdImport, unit(), text(kLongNameSize), text(kLongNameSize),
                  int_in(), record_element_out(kWZTargetIdType, 0),
                  record_element_out(kWZTargetIdType, 1)),
      KX_CONTRACT(GetNowWZParam, unit(), int_in(), record_out(kNowWZParameterType)),
      KX_CONTRACT(SetNowWZParam, unit(), int_in(), record_in(kNowWZParameterType)),
  };
}
