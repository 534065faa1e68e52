// Every registered record type, driven by its field table: a pattern built
// into an object and read back is the record again wherever a field lies, and
// each Java value is what the field's kind makes of its bytes (sign or zero
// extension, arrays and matrices at their strides, nested records at theirs).
#include <cstring>
#include <string>
#include <vector>

#include "bridge/record.h"
#include "tests/native/contracts/record_support.h"
#include "tests/native/jvm.h"

namespace kxtest::records {
namespace {

using kx::FieldKind;
using kx::FieldSpec;
using kx::RecordType;

int32_t int_at(const uint8_t* bytes) {
  int32_t value;
  std::memcpy(&value, bytes, 4);
  return value;
}

std::string text_at(const uint8_t* bytes, size_t width) {
  return std::string(reinterpret_cast<const char*>(bytes),
                     strnlen(reinterpret_cast<const char*>(bytes), width));
}

std::vector<jint> ints_of(JNIEnv* env, jobject array) {
  if (array == nullptr) return {};
  auto ints = static_cast<jintArray>(array);
  std::vector<jint> values(static_cast<size_t>(env->GetArrayLength(ints)));
  env->GetIntArrayRegion(ints, 0, static_cast<jsize>(values.size()), values.data());
  return values;
}

std::string string_of(JNIEnv* env, jobject string) {
  if (string == nullptr) return "<null>";
  const char* chars = env->GetStringUTFChars(static_cast<jstring>(string), nullptr);
  std::string copy(chars);
  env->ReleaseStringUTFChars(static_cast<jstring>(string), chars);
  return copy;
}

// Checks every field of `object` against the record bytes it was built from.
void check_values(JNIEnv* env, const RecordType& type, jobject object,
                  const uint8_t* bytes) {
  LocalFrame frame(16);
  jclass cls = env->GetObjectClass(object);
  for (size_t i = 0; i < type.field_count; ++i) {
    const FieldSpec& field = type.fields[i];
    SCOPED_TRACE(field.name);
    const uint8_t* at = bytes + field.offset;
    jfieldID id = env->GetFieldID(cls, field.name, field.signature);
    ASSERT_NE(id, nullptr);
    LocalFrame field_frame(8);
    switch (field.kind) {
      case FieldKind::kInt:
        EXPECT_EQ(env->GetIntField(object, id), int_at(at));
        break;
      case FieldKind::kSignedByte:
        EXPECT_EQ(env->GetIntField(object, id), static_cast<int8_t>(*at))
            << "sign-extended";
        break;
      case FieldKind::kUnsignedByte:
        EXPECT_EQ(env->GetIntField(object, id), static_cast<uint8_t>(*at))
            << "zero-extended";
        break;
      case FieldKind::kText:
        EXPECT_EQ(string_of(env, env->GetObjectField(object, id)),
                  text_at(at, field.count));
        break;
      case FieldKind::kByteList: {
        std::vector<jint> expected;
        for (size_t e = 0; e < field.count; ++e) {
          expected.push_back(static_cast<int8_t>(at[e]));
        }
        EXPECT_EQ(ints_of(env, env->GetObjectField(object, id)), expected)
            << "each byte sign-extended";
        break;
      }
      case FieldKind::kIntArray: {
        std::vector<jint> expected;
        for (size_t e = 0; e < field.count; ++e) expected.push_back(int_at(at + 4 * e));
        EXPECT_EQ(ints_of(env, env->GetObjectField(object, id)), expected);
        break;
      }
      case FieldKind::kByteArray: {
        auto array = static_cast<jbyteArray>(env->GetObjectField(object, id));
        ASSERT_NE(array, nullptr);
        ASSERT_GE(env->GetArrayLength(array), static_cast<jsize>(field.count));
        std::vector<jbyte> got(field.count);
        env->GetByteArrayRegion(array, 0, static_cast<jsize>(field.count), got.data());
        EXPECT_EQ(std::memcmp(got.data(), at, field.count), 0);
        break;
      }
      case FieldKind::kTextArray: {
        auto array = static_cast<jobjectArray>(env->GetObjectField(object, id));
        ASSERT_NE(array, nullptr);
        ASSERT_GE(env->GetArrayLength(array), static_cast<jsize>(field.count));
        for (size_t e = 0; e < field.count; ++e) {
          EXPECT_EQ(string_of(env, env->GetObjectArrayElement(array, static_cast<jsize>(e))),
                    text_at(at + e * field.stride, field.stride))
              << "text " << e;
        }
        break;
      }
      case FieldKind::kIntMatrix: {
        auto rows = static_cast<jobjectArray>(env->GetObjectField(object, id));
        ASSERT_NE(rows, nullptr);
        ASSERT_EQ(env->GetArrayLength(rows), static_cast<jsize>(field.count));
        for (size_t r = 0; r < field.count; ++r) {
          std::vector<jint> expected;
          for (size_t c = 0; c < field.stride; ++c) {
            expected.push_back(int_at(at + 4 * (r * field.stride + c)));
          }
          EXPECT_EQ(ints_of(env, env->GetObjectArrayElement(rows, static_cast<jsize>(r))),
                    expected)
              << "row " << r;
        }
        break;
      }
      case FieldKind::kRecord: {
        jobject nested = env->GetObjectField(object, id);
        ASSERT_NE(nested, nullptr);
        check_values(env, *field.nested, nested, at);
        break;
      }
      case FieldKind::kRecordMatrix: {
        auto rows = static_cast<jobjectArray>(env->GetObjectField(object, id));
        ASSERT_NE(rows, nullptr);
        ASSERT_EQ(env->GetArrayLength(rows), static_cast<jsize>(field.count));
        for (size_t r = 0; r < field.count; ++r) {
          LocalFrame row_frame(4);
          auto row = static_cast<jobjectArray>(
              env->GetObjectArrayElement(rows, static_cast<jsize>(r)));
          ASSERT_NE(row, nullptr);
          ASSERT_EQ(env->GetArrayLength(row), static_cast<jsize>(field.columns));
          for (size_t e = 0; e < field.columns; ++e) {
            SCOPED_TRACE("element " + std::to_string(r) + "," + std::to_string(e));
            LocalFrame element_frame(4);
            jobject element = env->GetObjectArrayElement(row, static_cast<jsize>(e));
            ASSERT_NE(element, nullptr);
            check_values(env, *field.nested, element,
                         at + (r * field.columns + e) * field.stride);
            if (::testing::Test::HasFatalFailure()) return;
          }
        }
        break;
      }
      case FieldKind::kRecordArray: {
        auto array = static_cast<jobjectArray>(env->GetObjectField(object, id));
        ASSERT_NE(array, nullptr);
        ASSERT_EQ(env->GetArrayLength(array), static_cast<jsize>(field.count));
        for (size_t e = 0; e < field.count; ++e) {
          SCOPED_TRACE("element " + std::to_string(e));
          LocalFrame element_frame(4);
          jobject element = env->GetObjectArrayElement(array, static_cast<jsize>(e));
          ASSERT_NE(element, nullptr);
          check_values(env, *field.nested, element, at + e * field.stride);
          if (::testing::Test::HasFatalFailure()) return;
        }
        break;
      }
    }
  }
}

class RecordContractTest : public JniTest,
                           public ::testing::WithParamInterface<const RecordType*> {
 protected:
  const RecordType& type() const { return *GetParam(); }
};

TEST_P(RecordContractTest, PatternComesBackThroughBuilderAndReader) {
  for (uint32_t seed : {7u, 0xC0FFEEu}) {
    std::vector<uint8_t> bytes = pattern(type(), seed);
    jobject object = build(env, type(), bytes.data());
    ASSERT_NE(object, nullptr) << message_of(take_exception());
    ASSERT_FALSE(env->ExceptionCheck());
    std::vector<uint8_t> back = read(env, type(), object);
    EXPECT_TRUE(same_fields(type(), bytes.data(), back.data()));
    env->DeleteLocalRef(object);
  }
}

TEST_P(RecordContractTest, EveryValueFollowsItsFieldKind) {
  std::vector<uint8_t> bytes = pattern(type(), 29);
  jobject object = build(env, type(), bytes.data());
  ASSERT_NE(object, nullptr) << message_of(take_exception());
  check_values(env, type(), object, bytes.data());
}

std::string test_name(const ::testing::TestParamInfo<const RecordType*>& info) {
  const char* name = class_of(*info.param);
  std::string simple = name != nullptr ? name : "Unnamed";
  simple = simple.substr(simple.rfind('/') + 1);
  return simple + "_" + std::to_string(info.param->size);
}

INSTANTIATE_TEST_SUITE_P(Records, RecordContractTest, ::testing::ValuesIn(all_types()),
                         test_name);

}  // namespace
}  // namespace kxtest::records
