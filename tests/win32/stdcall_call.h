// Calls a function of a loaded DLL as a 32-bit JVM calls a native method:
// the arguments pushed right to left, the callee expected to remove them
// (stdcall) and to keep EBX, ESI, EDI and EBP.
#pragma once

#include <cstdint>

namespace kxw {

struct StdcallOutcome {
  uint32_t result;      // EAX: a jint or a reference
  int32_t stack_left;   // bytes of arguments the callee left on the stack
                        // (negative: it removed more than it was given)
  bool registers_kept;  // EBX, ESI and EDI as they were before the call
};

StdcallOutcome CallStdcall(const void* function, const uint32_t* arguments,
                           uint32_t count);

}  // namespace kxw
