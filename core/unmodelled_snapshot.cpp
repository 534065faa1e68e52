// Operations of this area that the station does not model yet. Each answers
// KXE_NOT_SUPPORTED without touching its arguments, so the bridge links and
// every native method can be called end to end. A function leaves this file
// when the area models it; the file goes when it is empty.
#include "kx_core.h"
#include "kx_errors.h"

// Status: the array-wide snapshot.

int32_t KX_GetAllInformation(const char*, ArrayAllInformationRecord*) {
  return KXE_NOT_SUPPORTED;
}
