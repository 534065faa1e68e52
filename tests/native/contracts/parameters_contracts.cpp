// Contract rows of the operating parameters.
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "tests/native/contracts/contract.h"

using namespace kx;
using namespace kxtest::contract;

KX_CONTRACTS(parameters) {
  return {
      KX_CONTRACT(SetDriveMode, unit(), int_in(), int_in(), int_in()),
  };
}
