// Record types registered next to their field tables, so that the tests can
// reach every table without a list kept by hand.
//
//   KX_REGISTER_RECORD(kRaidGroupType);
//   KX_REGISTER_UNNAMED_RECORD(kLuReallocRequestType,
//                              "korvane/str/diskarray/LuReallocRequest");
//
// An unnamed type (read from an object whose class the bridge does not name)
// is registered with the Java class that carries it. On ELF targets each
// registration is a pointer placed in the section kx_record_types, whose
// bounds the linker provides; elsewhere registration does nothing and the
// registry is empty. The section is constant data: nothing is set up at load
// time and nothing is kept between native calls.
#pragma once

#include <cstddef>

#include "bridge/record.h"

namespace kx {

struct RegisteredRecord {
  const RecordType* type;
  const char* carrier;  // Java class of an unnamed type; null for named ones
};

}  // namespace kx

#define KX_RECORD_REGISTRY_CAT2(a, b) a##b
#define KX_RECORD_REGISTRY_CAT(a, b) KX_RECORD_REGISTRY_CAT2(a, b)

#if defined(__ELF__)
#define KX_REGISTER_RECORD_ENTRY(type, carrier, id)                     \
  static const ::kx::RegisteredRecord KX_RECORD_REGISTRY_CAT(           \
      kx_registered_record_, id) = {&(type), carrier};                  \
  __attribute__((used, section("kx_record_types"))) static const        \
      ::kx::RegisteredRecord* const KX_RECORD_REGISTRY_CAT(             \
          kx_registered_record_entry_, id) =                            \
          &KX_RECORD_REGISTRY_CAT(kx_registered_record_, id)

extern "C" {
// Bounds of the section, defined by the linker when an entry exists.
extern const ::kx::RegisteredRecord* const __start_kx_record_types[]
    __attribute__((weak, visibility("hidden")));
extern const ::kx::RegisteredRecord* const __stop_kx_record_types[]
    __attribute__((weak, visibility("hidden")));
}
#else
#define KX_REGISTER_RECORD_ENTRY(type, carrier, id) \
  static_assert(sizeof(type) > 0, "record type")
#endif

#define KX_REGISTER_RECORD(type) \
  KX_REGISTER_RECORD_ENTRY(type, nullptr, __LINE__)
#define KX_REGISTER_UNNAMED_RECORD(type, carrier) \
  KX_REGISTER_RECORD_ENTRY(type, carrier, __LINE__)

// A field of a named type's class that its table leaves out because the
// bridge converts it by hand (a calendar):
//
//   KX_REGISTER_HAND_FIELD(kStatisticalCommandType, "mtime",
//                          "Ljava/util/GregorianCalendar;");
//
// The tests then expect the field in the class, and nowhere else.
namespace kx {
struct HandField {
  const RecordType* type;
  const char* name;
  const char* signature;
};
}  // namespace kx

#if defined(__ELF__)
#define KX_REGISTER_HAND_FIELD_ENTRY(type, name, signature, id)         \
  static const ::kx::HandField KX_RECORD_REGISTRY_CAT(                  \
      kx_hand_field_, id) = {&(type), name, signature};                 \
  __attribute__((used, section("kx_hand_fields"))) static const         \
      ::kx::HandField* const KX_RECORD_REGISTRY_CAT(                    \
          kx_hand_field_entry_, id) = &KX_RECORD_REGISTRY_CAT(kx_hand_field_, id)

extern "C" {
extern const ::kx::HandField* const __start_kx_hand_fields[]
    __attribute__((weak, visibility("hidden")));
extern const ::kx::HandField* const __stop_kx_hand_fields[]
    __attribute__((weak, visibility("hidden")));
}
#else
#define KX_REGISTER_HAND_FIELD_ENTRY(type, name, signature, id) \
  static_assert(sizeof(type) > 0, "record type")
#endif

#define KX_REGISTER_HAND_FIELD(type, name, signature) \
  KX_REGISTER_HAND_FIELD_ENTRY(type, name, signature, __LINE__)

namespace kx {

// The registered entries of the program (or library) that calls this.
struct RegisteredRecords {
  const RegisteredRecord* const* first;
  const RegisteredRecord* const* last;
  const RegisteredRecord* const* begin() const { return first; }
  const RegisteredRecord* const* end() const { return last; }
  size_t size() const { return static_cast<size_t>(last - first); }
};

struct HandFields {
  const HandField* const* first;
  const HandField* const* last;
  const HandField* const* begin() const { return first; }
  const HandField* const* end() const { return last; }
};

// The fields registered as converted by hand in the program that calls this.
inline HandFields hand_fields() {
#if defined(__ELF__)
  if (__start_kx_hand_fields != nullptr) {
    return {__start_kx_hand_fields, __stop_kx_hand_fields};
  }
#endif
  return {nullptr, nullptr};
}

inline RegisteredRecords registered_records() {
#if defined(__ELF__)
  if (__start_kx_record_types != nullptr) {
    return {__start_kx_record_types, __stop_kx_record_types};
  }
#endif
  return {nullptr, nullptr};
}

}  // namespace kx
