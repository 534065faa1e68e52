// Calling and export conventions of the core library tesk740.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#if defined(TESK740_BUILD)
#define KX_API extern "C" __declspec(dllexport)
#else
#define KX_API extern "C" __declspec(dllimport)
#endif
#else
#define KX_API extern "C" __attribute__((visibility("default")))
#endif

// Pins a record member to the offset the core library expects.
#define KX_ASSERT_OFFSET(type, member, offset) \
  static_assert(offsetof(type, member) == (offset), #type "." #member " offset")
#define KX_ASSERT_SIZE(type, size) \
  static_assert(sizeof(type) == (size), #type " size")
