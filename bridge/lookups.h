// The classes, constructors and field IDs one native call needs, looked up by
// name at their first use within that call and kept in a table that lives on
// the call's stack. Nothing survives the call: the table holds local class
// references only, deleted with it, and no ID is kept anywhere else. A record
// array of 512 elements thus costs one FindClass and one GetFieldID per
// field, not 512 of each.
//
// Failures happen at the step that first needs the missing class or field and
// leave the VM's exception pending, exactly as a lookup on every use would.
#pragma once

#include <jni.h>

#include <cstddef>
#include <memory>
#include <vector>

namespace kx {

struct RecordType;

class Lookups {
 public:
  // The IDs of one record type's class. Field IDs are looked up one by one,
  // at the first use of each.
  struct TypeIds {
    const RecordType* type;
    jclass cls;      // a local reference owned by the table
    jmethodID ctor;  // null until a builder first needs it
    bool named;      // cls is the type's own class, not an object's
    jfieldID* fields;  // one per field of the table, null until looked up
  };

  explicit Lookups(JNIEnv* env) : env_(env) {}
  ~Lookups();
  Lookups(const Lookups&) = delete;
  Lookups& operator=(const Lookups&) = delete;

  JNIEnv* env() const { return env_; }

  // The named class (slash form), found once per call; null after
  // find_class has thrown ClassNotFoundException.
  jclass find(const char* class_name);

  // The IDs of a named record type, with its no-argument constructor; null
  // with an exception pending when the class or constructor is missing.
  TypeIds* for_building(const RecordType& type);

  // The IDs under which `object`'s fields are read, looked up on the
  // object's own class (a reader reads the object it is given). Null with an
  // exception pending when no class can be had.
  TypeIds* for_reading(const RecordType& type, jobject object);

  // The ID of field `index` of the type's table; null with NoSuchFieldError
  // pending when the class has no such field.
  jfieldID field(TypeIds& ids, size_t index);

 private:
  struct NamedClass {
    const char* name;
    jclass cls;
  };

  TypeIds* add(const RecordType& type, jclass cls, bool named);
  // Room for one more local reference held for the rest of the call.
  void reserve_reference();
  // The type at position `index` in the order types were added.
  TypeIds& type_at(size_t index);
  size_t type_count() const { return inline_types_used_ + more_types_.size(); }
  // `count` null field IDs, held until the call ends.
  jfieldID* new_field_ids(size_t count);

  // A call that reads or builds one record, or a table of one record type,
  // needs no heap: its types and field IDs fit in the table itself. Larger
  // trees spill over into heap blocks.
  static constexpr size_t kInlineTypes = 4;
  static constexpr size_t kInlineFieldIds = 64;

  JNIEnv* env_;
  TypeIds inline_types_[kInlineTypes];
  size_t inline_types_used_ = 0;
  std::vector<std::unique_ptr<TypeIds>> more_types_;
  jfieldID inline_field_ids_[kInlineFieldIds];
  size_t inline_field_ids_used_ = 0;
  std::vector<std::unique_ptr<jfieldID[]>> more_field_ids_;
  std::vector<NamedClass> classes_;
  TypeIds* last_ = nullptr;
};

}  // namespace kx
