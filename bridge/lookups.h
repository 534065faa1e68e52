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
  struct TypeIds;

  // What the table keeps of one field of a type: its ID, and for a nested
  // record the nested type's IDs, so that a builder goes from a record to its
  // nested records without searching the table once per object.
  struct FieldIds {
    jfieldID id;      // null until looked up
    TypeIds* nested;  // null until a builder first needs it
  };

  // The IDs of one record type's class. Field IDs are looked up one by one,
  // at the first use of each.
  struct TypeIds {
    const RecordType* type;
    jclass cls;      // a local reference owned by the table
    jmethodID ctor;  // null until a builder first needs it
    bool named;      // cls is the type's own class, not an object's
    FieldIds* fields;  // one per field of the table
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
  jfieldID field(TypeIds& ids, size_t index) {
    jfieldID id = ids.fields[index].id;
    return id != nullptr ? id : look_up_field(ids, index);
  }

  // for_building() of the record type nested in field `index`, remembered
  // in the field's slot after the first time.
  TypeIds* nested_for_building(TypeIds& ids, size_t index) {
    TypeIds* nested = ids.fields[index].nested;
    return nested != nullptr ? nested : look_up_nested(ids, index);
  }

 private:
  struct NamedClass {
    const char* name;
    jclass cls;
  };

  TypeIds* add(const RecordType& type, jclass cls, bool named);
  jfieldID look_up_field(TypeIds& ids, size_t index);
  TypeIds* look_up_nested(TypeIds& ids, size_t index);
  // Room for one more local reference held for the rest of the call.
  void reserve_reference();
  // The type at position `index` in the order types were added.
  TypeIds& type_at(size_t index);
  size_t type_count() const { return inline_types_used_ + more_types_; }
  // `count` empty field slots, held until the call ends.
  FieldIds* new_field_ids(size_t count);

  // A call that reads or builds one record, or a table of one record type,
  // needs no heap: its types and field IDs fit in the table itself. Larger
  // trees spill over into heap blocks of many types and fields each, so a
  // call takes a few blocks from the heap whatever the size of its tree.
  static constexpr size_t kInlineTypes = 4;
  static constexpr size_t kInlineFieldIds = 64;
  static constexpr size_t kTypeBlock = 32;
  static constexpr size_t kFieldBlock = 512;

  JNIEnv* env_;
  TypeIds inline_types_[kInlineTypes];
  size_t inline_types_used_ = 0;
  std::vector<std::unique_ptr<TypeIds[]>> type_blocks_;
  size_t more_types_ = 0;  // types held in type_blocks_
  FieldIds inline_field_ids_[kInlineFieldIds];
  size_t inline_field_ids_used_ = 0;
  std::vector<std::unique_ptr<FieldIds[]>> field_blocks_;
  size_t field_block_left_ = 0;  // unused slots at the end of the last block
  std::vector<NamedClass> classes_;
  TypeIds* last_ = nullptr;
};

}  // namespace kx
