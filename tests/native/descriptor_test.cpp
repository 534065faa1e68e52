// Every field table against the Java classes and the C records: each field
// exists in its class with its signature, byte arrays come preallocated to
// their width, nested types name their class consistently, and no field
// reaches past its record.
#include <map>
#include <set>
#include <string>

#include "bridge/record.h"
#include "bridge/record_registry.h"
#include "tests/native/contracts/record_support.h"
#include "tests/native/jvm.h"

namespace kxtest {
namespace {

using namespace kx;

// The JNI signature of a class named as Class.getName() names it.
std::string signature_of(const std::string& java_name) {
  static const std::map<std::string, std::string> primitives = {
      {"int", "I"},  {"byte", "B"},    {"short", "S"}, {"long", "J"},
      {"char", "C"}, {"boolean", "Z"}, {"float", "F"}, {"double", "D"}};
  auto primitive = primitives.find(java_name);
  if (primitive != primitives.end()) return primitive->second;
  std::string slashed = java_name;
  for (char& c : slashed) {
    if (c == '.') c = '/';
  }
  return slashed[0] == '[' ? slashed : "L" + slashed + ";";
}

std::string text_of(JNIEnv* env, jobject string) {
  const char* chars =
      env->GetStringUTFChars(static_cast<jstring>(string), nullptr);
  std::string copy(chars);
  env->ReleaseStringUTFChars(static_cast<jstring>(string), chars);
  return copy;
}

// The public instance fields of a class, by reflection: name -> signature.
std::map<std::string, std::string> java_fields(JNIEnv* env, jclass cls) {
  LocalFrame frame(32);
  jclass class_class = env->FindClass("java/lang/Class");
  jclass field_class = env->FindClass("java/lang/reflect/Field");
  jmethodID get_fields = env->GetMethodID(class_class, "getFields",
                                          "()[Ljava/lang/reflect/Field;");
  jmethodID get_name =
      env->GetMethodID(class_class, "getName", "()Ljava/lang/String;");
  jmethodID field_name =
      env->GetMethodID(field_class, "getName", "()Ljava/lang/String;");
  jmethodID field_type =
      env->GetMethodID(field_class, "getType", "()Ljava/lang/Class;");
  jmethodID modifiers = env->GetMethodID(field_class, "getModifiers", "()I");
  // Every call is followed by its exception check, as -Xcheck:jni demands.
  auto call = [env](jobject target, jmethodID method) {
    jobject value = env->CallObjectMethod(target, method);
    return env->ExceptionCheck() ? nullptr : value;
  };
  auto fields = static_cast<jobjectArray>(call(cls, get_fields));
  std::map<std::string, std::string> result;
  if (fields == nullptr) return result;
  for (jsize i = 0; i < env->GetArrayLength(fields); ++i) {
    LocalFrame element(8);
    jobject field = env->GetObjectArrayElement(fields, i);
    constexpr jint kStatic = 0x0008;
    jint flags = env->CallIntMethod(field, modifiers);
    if (env->ExceptionCheck() || (flags & kStatic) != 0) continue;
    jobject type = call(field, field_type);
    jobject name = call(field, field_name);
    jobject type_name = type != nullptr ? call(type, get_name) : nullptr;
    if (name == nullptr || type_name == nullptr) break;
    result[text_of(env, name)] = signature_of(text_of(env, type_name));
  }
  EXPECT_FALSE(env->ExceptionCheck());
  return result;
}

class DescriptorTest : public JniTest {
 protected:
  // Checks one table against its class and record, its nested tables too,
  // and gathers the fields that tables give each class.
  void check(const RecordType& type, const char* class_name) {
    SCOPED_TRACE(class_name);
    if (!checked_.insert(&type).second) return;
    if (type.class_name != nullptr) {
      EXPECT_EQ(std::string(type.signature),
                std::string("L") + class_name + ";");
      EXPECT_EQ(std::string(type.array_signature),
                std::string("[L") + class_name + ";");
    }
    LocalFrame frame(32);
    jclass cls = env->FindClass(class_name);
    if (cls == nullptr) {
      ADD_FAILURE() << "no class " << message_of(take_exception());
      return;
    }
    jobject object = new_object(class_name);
    ASSERT_NE(object, nullptr) << "no public no-argument constructor";
    std::set<std::string> names;
    std::map<std::string, std::string>& covered = tabled_[class_name];
    for (size_t i = 0; i < type.field_count; ++i) {
      const FieldSpec& field = type.fields[i];
      SCOPED_TRACE(field.name);
      EXPECT_TRUE(names.insert(field.name).second) << "field listed twice";
      EXPECT_LE(field.offset + records::field_extent(field), type.size)
          << "reaches past the record";
      covered[field.name] = field.signature;
      jfieldID id = env->GetFieldID(cls, field.name, field.signature);
      if (id == nullptr) {
        ADD_FAILURE() << "no field " << field.name << " " << field.signature
                      << ": " << message_of(take_exception());
        continue;
      }
      if (field.kind == FieldKind::kByteArray) {
        auto bytes = static_cast<jbyteArray>(env->GetObjectField(object, id));
        ASSERT_NE(bytes, nullptr) << "byte[] not preallocated";
        EXPECT_GE(env->GetArrayLength(bytes), static_cast<jsize>(field.count));
        env->DeleteLocalRef(bytes);
      }
      if (field.nested != nullptr) {
        EXPECT_EQ(field.stride, field.nested->size) << "element size";
        check(*field.nested, field.nested->class_name);
      }
    }
  }

  std::set<const RecordType*> checked_;
  // Class -> the fields (with signatures) that some table gives it.
  std::map<std::string, std::map<std::string, std::string>> tabled_;
};

TEST_F(DescriptorTest, EveryTableMatchesItsClassAndRecord) {
  ASSERT_GT(registered_records().size(), 0u) << "no record type registered";
  for (const RegisteredRecord* entry : registered_records()) {
    const RecordType& type = *entry->type;
    EXPECT_TRUE((type.class_name == nullptr) != (entry->carrier == nullptr))
        << "an unnamed type is registered with its carrier, a named one "
           "without";
    check(type, entry->carrier != nullptr ? entry->carrier : type.class_name);
  }
  // Fields converted by hand beside a table: in their class, with their
  // signature.
  for (const HandField* hand : hand_fields()) {
    const char* class_name = hand->type->class_name;
    SCOPED_TRACE(hand->name);
    ASSERT_NE(class_name, nullptr)
        << "a hand-converted field of an unnamed type";
    check(*hand->type, class_name);
    LocalFrame frame(8);
    jclass cls = env->FindClass(class_name);
    ASSERT_NE(cls, nullptr);
    EXPECT_NE(env->GetFieldID(cls, hand->name, hand->signature), nullptr)
        << message_of(take_exception());
    EXPECT_TRUE(tabled_[class_name].emplace(hand->name, hand->signature).second)
        << "also in a table";
  }
  // The other way: every public field of a record class is in a table (or
  // converted by hand), with the same signature. A class that carries two
  // layouts has its fields spread over both tables.
  for (const auto& [class_name, tabled] : tabled_) {
    SCOPED_TRACE(class_name);
    LocalFrame frame(8);
    jclass cls = env->FindClass(class_name.c_str());
    ASSERT_NE(cls, nullptr);
    EXPECT_EQ(java_fields(env, cls), tabled);
  }
}

}  // namespace
}  // namespace kxtest
