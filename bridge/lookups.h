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
    std::unique_ptr<jfieldID[]> fields;
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

  JNIEnv* env_;
  std::vector<std::unique_ptr<TypeIds>> types_;
  std::vector<NamedClass> classes_;
  TypeIds* last_ = nullptr;
};

}  // namespace kx
