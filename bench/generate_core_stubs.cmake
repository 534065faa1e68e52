# Writes a C++ file that defines every function declared in the core header
# as a weak stub answering KXE_NOT_SUPPORTED. fake_core.cpp gives strong
# definitions of the functions the benchmark calls; the linker takes those
# and keeps the stubs for the rest, so no list of functions is kept by hand.
#
#   cmake -DHEADER=include/kx_core.h -DOUTPUT=core_stubs.cpp -P generate_core_stubs.cmake
cmake_minimum_required(VERSION 3.24)

file(READ "${HEADER}" header)
string(REGEX MATCHALL "KX_API[ \t\r\n]" api_uses "${header}")
list(LENGTH api_uses declared)

# A declaration: KX_API int32_t KX_Name(parameters); parameters hold no
# parentheses and no semicolons.
set(declaration_pattern
    "KX_API[ \t\r\n]+int32_t[ \t\r\n]+(KX_[A-Za-z0-9_]+)[ \t\r\n]*\\(([^;()]*)\\)")
string(REGEX MATCHALL "${declaration_pattern}" declarations "${header}")

set(body "// Generated from ${HEADER} by bench/generate_core_stubs.cmake; do not edit.\n")
string(APPEND body "#include \"kx_core.h\"\n#include \"kx_errors.h\"\n\n")
set(count 0)
foreach(declaration IN LISTS declarations)
  string(REGEX REPLACE "${declaration_pattern}" "\\1" name "${declaration}")
  string(REGEX REPLACE "${declaration_pattern}" "\\2" parameters "${declaration}")
  string(REGEX REPLACE "[ \t\r\n]+" " " parameters "${parameters}")
  string(APPEND body
    "__attribute__((weak)) int32_t ${name}(${parameters}) {\n"
    "  return KXE_NOT_SUPPORTED;\n}\n\n")
  math(EXPR count "${count} + 1")
endforeach()

if(NOT count EQUAL declared OR count EQUAL 0)
  message(FATAL_ERROR
    "${HEADER}: ${declared} KX_API declarations, ${count} understood; "
    "adjust the pattern in generate_core_stubs.cmake")
endif()

# Rewritten only when it changes, so an unrelated header edit rebuilds nothing.
file(WRITE "${OUTPUT}.new" "${body}")
file(COPY_FILE "${OUTPUT}.new" "${OUTPUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUTPUT}.new")
message(STATUS "${count} core functions stubbed")
