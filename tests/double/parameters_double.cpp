// The double's operating-parameter functions.
#include "kx_core.h"
#include "tests/double/core_double.h"

using kxtest::CoreDouble;

KX_API int32_t KX_SetDriveMode(const char* unit, int32_t arg1, int32_t arg2,
                               int32_t arg3) {
  return CoreDouble::Scope("KX_SetDriveMode")
      .in(unit, kUnitNameSize)
      .value(arg1)
      .value(arg2)
      .value(arg3)
      .finish();
}
