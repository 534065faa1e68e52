#include "stdcall_call.h"

#if !defined(__i386__)
#error "the stdcall check is for 32-bit x86 only"
#endif

// kx_call_stdcall(function, arguments, count, stack_left, registers_kept),
// itself cdecl. The arguments are copied below a 16-byte aligned stack
// pointer; the stack pointer a stdcall callee must return with is kept in a
// slot of this frame the callee cannot reach, and sentinels in EBX (that
// value), ESI and EDI show whether it kept the registers it must keep.
asm(R"asm(
    .text
    .globl _kx_call_stdcall
    .def _kx_call_stdcall; .scl 2; .type 32; .endef
_kx_call_stdcall:
    pushl %ebp
    movl %esp, %ebp
    pushl %ebx
    pushl %esi
    pushl %edi
    subl $4, %esp               # -16(%ebp): the stack pointer expected back
    movl 16(%ebp), %ecx         # count
    movl 12(%ebp), %esi         # arguments
    leal 0(,%ecx,4), %eax
    subl %eax, %esp
    andl $-16, %esp
    leal (%esp,%eax), %ebx
    movl %ebx, -16(%ebp)
    xorl %edx, %edx
1:  cmpl %ecx, %edx
    jae 2f
    movl (%esi,%edx,4), %eax
    movl %eax, (%esp,%edx,4)
    incl %edx
    jmp 1b
2:  movl 8(%ebp), %eax
    movl $0x5EED0001, %esi
    movl $0x5EED0002, %edi
    call *%eax
    movl -16(%ebp), %ecx
    subl %esp, %ecx
    movl 20(%ebp), %edx
    movl %ecx, (%edx)
    xorl %ecx, %ecx
    cmpl $0x5EED0001, %esi
    jne 3f
    cmpl $0x5EED0002, %edi
    jne 3f
    cmpl -16(%ebp), %ebx
    jne 3f
    movl $1, %ecx
3:  movl 24(%ebp), %edx
    movl %ecx, (%edx)
    leal -12(%ebp), %esp
    popl %edi
    popl %esi
    popl %ebx
    popl %ebp
    ret
)asm");

extern "C" uint32_t kx_call_stdcall(const void* function,
                                    const uint32_t* arguments, uint32_t count,
                                    int32_t* stack_left,
                                    uint32_t* registers_kept);

namespace kxw {

StdcallOutcome CallStdcall(const void* function, const uint32_t* arguments,
                           uint32_t count) {
  StdcallOutcome outcome{};
  uint32_t kept = 0;
  outcome.result =
      kx_call_stdcall(function, arguments, count, &outcome.stack_left, &kept);
  outcome.registers_kept = kept != 0;
  return outcome;
}

}  // namespace kxw
