// Result codes of the core library tesk740.
//
// 0 is success. The bridge reserves 256, 258, 2817 and 65535 for its own
// use, so the core never returns them for its own failures.
#pragma once

#include <cstdint>

enum KxResult : int32_t {
  KX_OK = 0,

  // The station has no working directory yet: KX_GUIInitialize was not
  // called, or failed.
  KXE_NOT_INITIALIZED = 0x1001,
  // An argument is outside the range the operation accepts.
  KXE_INVALID_ARGUMENT = 0x1002,
  // No unit of that name is registered.
  KXE_UNKNOWN_UNIT = 0x1003,
  // A unit of that name is already registered.
  KXE_DUPLICATE_UNIT = 0x1004,
  // The unit name is empty, too long or not valid text.
  KXE_INVALID_UNIT_NAME = 0x1005,
  // The station's database could not be opened, read or written.
  KXE_STORAGE = 0x1006,
  // The station does not model this operation yet.
  KXE_NOT_SUPPORTED = 0x1007,
};
