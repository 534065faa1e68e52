#include "bridge/lookups.h"

#include <algorithm>
#include <cstring>

#include "bridge/errors.h"
#include "bridge/jni_scoped.h"
#include "bridge/record.h"

namespace kx {

Lookups::~Lookups() {
  for (size_t i = 0; i < type_count(); ++i) env_->DeleteLocalRef(type_at(i).cls);
  for (NamedClass& named : classes_) env_->DeleteLocalRef(named.cls);
}

Lookups::TypeIds& Lookups::type_at(size_t index) {
  if (index < inline_types_used_) return inline_types_[index];
  index -= inline_types_used_;
  return type_blocks_[index / kTypeBlock][index % kTypeBlock];
}

Lookups::FieldIds* Lookups::new_field_ids(size_t count) {
  FieldIds* ids;
  if (count <= kInlineFieldIds - inline_field_ids_used_) {
    ids = inline_field_ids_ + inline_field_ids_used_;
    inline_field_ids_used_ += count;
  } else if (count <= field_block_left_) {
    ids = field_blocks_.back().get() + (kFieldBlock - field_block_left_);
    field_block_left_ -= count;
  } else {
    // A new block; what was left of the last one stays unused.
    const size_t size = std::max(count, kFieldBlock);
    field_blocks_.push_back(std::make_unique<FieldIds[]>(size));
    ids = field_blocks_.back().get();
    field_block_left_ = size - count;
  }
  std::fill(ids, ids + count, FieldIds{nullptr, nullptr});
  return ids;
}

void Lookups::reserve_reference() {
  // A native frame is promised 16 local references; a call that builds a
  // tree of many record classes asks for more before it holds them: room for
  // the classes held until the next request, and for the objects, arrays and
  // texts of the deepest record tree being built meanwhile.
  size_t held = type_count() + classes_.size() + 1;
  if (held >= 8 && held % 8 == 0) {
    env_->EnsureLocalCapacity(static_cast<jint>(held + 32));
  }
}

jclass Lookups::find(const char* class_name) {
  for (NamedClass& named : classes_) {
    if (named.name == class_name || std::strcmp(named.name, class_name) == 0) {
      return named.cls;
    }
  }
  reserve_reference();
  jclass cls = find_class(env_, class_name);
  if (cls == nullptr) return nullptr;
  classes_.push_back({class_name, cls});
  return cls;
}

Lookups::TypeIds* Lookups::add(const RecordType& type, jclass cls, bool named) {
  TypeIds* ids;
  if (inline_types_used_ < kInlineTypes && more_types_ == 0) {
    ids = &inline_types_[inline_types_used_++];
  } else {
    if (more_types_ % kTypeBlock == 0) {
      type_blocks_.push_back(std::make_unique<TypeIds[]>(kTypeBlock));
    }
    ids = &type_blocks_.back()[more_types_ % kTypeBlock];
    ++more_types_;
  }
  *ids = {&type, cls, nullptr, named, new_field_ids(type.field_count)};
  last_ = ids;
  return ids;
}

Lookups::TypeIds* Lookups::for_building(const RecordType& type) {
  TypeIds* ids = nullptr;
  if (last_ != nullptr && last_->type == &type && last_->named) {
    ids = last_;
  } else {
    for (size_t i = 0; i < type_count(); ++i) {
      TypeIds& entry = type_at(i);
      if (entry.type == &type && entry.named) {
        ids = &entry;
        break;
      }
    }
  }
  if (ids == nullptr) {
    if (type.class_name == nullptr) return nullptr;
    reserve_reference();
    jclass cls = find_class(env_, type.class_name);
    if (cls == nullptr) return nullptr;
    ids = add(type, cls, true);
  }
  if (ids->ctor == nullptr) {
    ids->ctor = env_->GetMethodID(ids->cls, "<init>", "()V");
    if (ids->ctor == nullptr) return nullptr;
  }
  last_ = ids;
  return ids;
}

Lookups::TypeIds* Lookups::for_reading(const RecordType& type, jobject object) {
  // Fields are looked up on the object's own class, once per class within
  // the call: no FindClass for a record that is only read, and an object of
  // another class than the type names is read by its own fields' IDs.
  LocalRef<jclass> cls(env_, env_->GetObjectClass(object));
  if (!cls) return nullptr;
  if (last_ != nullptr && last_->type == &type &&
      env_->IsSameObject(last_->cls, cls.get())) {
    return last_;
  }
  for (size_t i = 0; i < type_count(); ++i) {
    TypeIds& entry = type_at(i);
    if (entry.type == &type && env_->IsSameObject(entry.cls, cls.get())) {
      last_ = &entry;
      return last_;
    }
  }
  reserve_reference();
  return add(type, cls.release(), false);
}

jfieldID Lookups::look_up_field(TypeIds& ids, size_t index) {
  const FieldSpec& field = ids.type->fields[index];
  jfieldID id = env_->GetFieldID(ids.cls, field.name, field.signature);
  ids.fields[index].id = id;
  return id;
}

Lookups::TypeIds* Lookups::look_up_nested(TypeIds& ids, size_t index) {
  TypeIds* nested = for_building(*ids.type->fields[index].nested);
  ids.fields[index].nested = nested;
  return nested;
}

}  // namespace kx
