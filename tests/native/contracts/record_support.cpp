#include "tests/native/contracts/record_support.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <set>

#include "bridge/lookups.h"
#include "bridge/record_registry.h"

namespace kxtest::records {

using kx::FieldKind;
using kx::FieldSpec;
using kx::RecordType;

namespace {

// How many nested records a field holds, one after the other.
size_t nested_count(const FieldSpec& field) {
  switch (field.kind) {
    case FieldKind::kRecord:
      return 1;
    case FieldKind::kRecordMatrix:
      return static_cast<size_t>(field.count) * field.columns;
    default:
      return field.count;
  }
}

void cover(const RecordType& type, std::vector<bool>& covered, size_t base) {
  for (size_t i = 0; i < type.field_count; ++i) {
    const FieldSpec& field = type.fields[i];
    if (field.nested != nullptr) {
      size_t count = nested_count(field);
      for (size_t e = 0; e < count; ++e) {
        cover(*field.nested, covered, base + field.offset + e * field.stride);
      }
      continue;
    }
    size_t end =
        std::min(covered.size(), base + field.offset + field_extent(field));
    for (size_t b = base + field.offset; b < end; ++b) covered[b] = true;
  }
}

struct Filler {
  uint8_t* bytes;
  uint32_t counter;

  uint8_t next() {
    counter = counter * 1103515245u + 12345u;
    return static_cast<uint8_t>(counter >> 16);
  }
  char letter() { return static_cast<char>('A' + next() % 26); }
  void text(size_t at, size_t width) {
    for (size_t i = 0; i + 1 < width; ++i) bytes[at + i] = letter();
    if (width > 0) bytes[at + width - 1] = 0;
  }

  void fill(const RecordType& type, size_t base) {
    for (size_t i = 0; i < type.field_count; ++i) {
      const FieldSpec& field = type.fields[i];
      size_t at = base + field.offset;
      switch (field.kind) {
        case FieldKind::kSignedByte:
        case FieldKind::kUnsignedByte:
          bytes[at] = static_cast<uint8_t>(0x80 | next());
          break;
        case FieldKind::kText:
          text(at, field.count);
          break;
        case FieldKind::kTextArray:
          for (size_t e = 0; e < field.count; ++e) {
            text(at + e * field.stride, field.stride);
          }
          break;
        case FieldKind::kRecord:
          fill(*field.nested, at);
          break;
        case FieldKind::kRecordArray:
        case FieldKind::kRecordMatrix:
          for (size_t e = 0; e < nested_count(field); ++e) {
            fill(*field.nested, at + e * field.stride);
          }
          break;
        default:
          for (size_t b = 0; b < field_extent(field); ++b)
            bytes[at + b] = next();
          break;
      }
    }
  }
};

std::string find_field(const RecordType& type, size_t offset) {
  for (size_t i = 0; i < type.field_count; ++i) {
    const FieldSpec& field = type.fields[i];
    if (offset < field.offset || offset >= field.offset + field_extent(field)) {
      continue;
    }
    size_t inside = offset - field.offset;
    std::string name = field.name;
    if (field.kind == FieldKind::kRecord) {
      return name + "." + find_field(*field.nested, inside);
    }
    if (field.kind == FieldKind::kRecordArray) {
      return name + "[" + std::to_string(inside / field.stride) + "]." +
             find_field(*field.nested, inside % field.stride);
    }
    if (field.kind == FieldKind::kRecordMatrix) {
      const size_t element = inside / field.stride;
      return name + "[" + std::to_string(element / field.columns) + "][" +
             std::to_string(element % field.columns) + "]." +
             find_field(*field.nested, inside % field.stride);
    }
    return name + " (byte " + std::to_string(inside) + ")";
  }
  return "<no field>";
}

void collect(const RecordType* type, std::vector<const RecordType*>& out,
             std::set<const RecordType*>& seen) {
  if (!seen.insert(type).second) return;
  out.push_back(type);
  for (size_t i = 0; i < type->field_count; ++i) {
    if (type->fields[i].nested != nullptr) {
      collect(type->fields[i].nested, out, seen);
    }
  }
}

}  // namespace

size_t field_extent(const kx::FieldSpec& field) {
  switch (field.kind) {
    case FieldKind::kInt:
      return 4;
    case FieldKind::kSignedByte:
    case FieldKind::kUnsignedByte:
      return 1;
    case FieldKind::kText:
    case FieldKind::kByteList:
    case FieldKind::kByteArray:
      return field.count;
    case FieldKind::kIntArray:
      return 4u * field.count;
    case FieldKind::kTextArray:
    case FieldKind::kRecordArray:
      return static_cast<size_t>(field.count) * field.stride;
    case FieldKind::kRecord:
      return field.stride;
    case FieldKind::kIntMatrix:
      return 4u * field.count * field.stride;
    case FieldKind::kRecordMatrix:
      return static_cast<size_t>(field.count) * field.columns * field.stride;
  }
  return 0;
}

const char* class_of(const RecordType& type) {
  if (type.class_name != nullptr) return type.class_name;
  for (const kx::RegisteredRecord* entry : kx::registered_records()) {
    if (entry->type == &type) return entry->carrier;
  }
  return nullptr;
}

std::vector<bool> coverage(const RecordType& type) {
  std::vector<bool> covered(type.size, false);
  cover(type, covered, 0);
  return covered;
}

std::vector<uint8_t> pattern(const RecordType& type, uint32_t seed) {
  std::vector<uint8_t> bytes(type.size, 0xA5);
  Filler filler{bytes.data(), seed};
  filler.fill(type, 0);
  return bytes;
}

jobject build(JNIEnv* env, const RecordType& type, const uint8_t* bytes) {
  // The builder makes objects of the type's own class; an unnamed type is
  // built as its carrier.
  RecordType named = type;
  named.class_name = class_of(type);
  if (named.class_name == nullptr) return nullptr;
  env->PushLocalFrame(16);
  jobject object;
  {
    kx::Lookups lookups(env);
    object = kx::build_record(lookups, named, bytes);
  }
  return env->PopLocalFrame(object);
}

std::vector<uint8_t> read(JNIEnv* env, const RecordType& type, jobject object) {
  std::vector<uint8_t> bytes(type.size, 0);
  env->PushLocalFrame(16);
  int32_t status;
  {
    kx::Lookups lookups(env);
    status = kx::read_record(lookups, type, object, bytes.data());
  }
  env->PopLocalFrame(nullptr);
  EXPECT_EQ(status, 0) << "reader of "
                       << (class_of(type) ? class_of(type) : "?");
  return bytes;
}

::testing::AssertionResult same_fields(const RecordType& type,
                                       const uint8_t* expected,
                                       const uint8_t* actual) {
  std::vector<bool> covered = coverage(type);
  for (size_t i = 0; i < covered.size(); ++i) {
    if (covered[i] && expected[i] != actual[i]) {
      return ::testing::AssertionFailure()
             << "byte " << i << " of "
             << (class_of(type) ? class_of(type) : "?") << " ("
             << find_field(type, i) << "): expected " << int{expected[i]}
             << ", got " << int{actual[i]};
    }
  }
  return ::testing::AssertionSuccess();
}

std::string field_at(const RecordType& type, size_t offset) {
  return find_field(type, offset);
}

std::vector<const RecordType*> all_types() {
  std::vector<const RecordType*> out;
  std::set<const RecordType*> seen;
  for (const kx::RegisteredRecord* entry : kx::registered_records()) {
    collect(entry->type, out, seen);
  }
  return out;
}

}  // namespace kxtest::records
