#include "fake_jni.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <deque>
#include <map>
#include <set>
#include <utility>

#include "jni_function_names.h"  // generated: kJniFunctionNames

namespace kxw {
namespace {

constexpr char kString[] = "java/lang/String";
constexpr char kDiskArrayException[] =
    "korvane/str/diskarray/DiskArrayException";
// A frame's local references before EnsureLocalCapacity, as a JVM run with
// -Xcheck:jni counts them.
constexpr size_t kDefaultLocalCapacity = 16;

struct ClassInfo {
  std::string name;
  std::vector<std::pair<std::string, std::string>> fields;  // name, signature
  std::vector<std::string> constructors;                    // signatures
  bool throwable = false;
};

struct FieldId {
  const ClassInfo* owner;
  std::string name;
  std::string signature;
};

struct MethodId {
  const ClassInfo* owner;
  std::string name;
  std::string signature;
};

struct Object {
  const ClassInfo* cls = nullptr;   // the object's class
  const ClassInfo* meta = nullptr;  // for a class object: the class it is
  std::u16string text;              // a string's characters
  std::map<std::string, std::shared_ptr<Object>> references;
  std::map<std::string, jint> ints;
  std::vector<std::shared_ptr<Object>> elements;  // an object array
  std::vector<jint> int_elements;                 // an int array
  std::string element_class;                      // of an array
  bool int_array = false;
};

struct Ref {
  std::shared_ptr<Object> target;
  unsigned frame;  // 0: the caller's; n: the n-th native call
  bool deleted = false;
};

struct UtfChars {
  jstring string;
  std::unique_ptr<char[]> bytes;
};

}  // namespace

struct FakeVm::State {
  JNINativeInterface_ table;
  JNIEnv_ env;
  std::deque<ClassInfo> classes;
  std::map<std::string, std::shared_ptr<Object>> class_objects;
  std::deque<FieldId> field_ids;
  std::deque<MethodId> method_ids;
  // References are never freed, so a deleted one is still recognised.
  std::deque<Ref> refs;
  std::set<const Ref*> known_refs;
  std::shared_ptr<Object> pending;
  std::vector<UtfChars> utf_chars;
  std::vector<std::string> faults;
  std::vector<std::string> called;
  unsigned frame = 0;
  bool in_call = false;
  size_t capacity = kDefaultLocalCapacity;
  size_t live_in_frame = 0;
  size_t peak_in_frame = 0;

  void Fault(std::string text) { faults.push_back(std::move(text)); }

  ClassInfo& Declare(const char* name, bool throwable = false) {
    classes.push_back(ClassInfo{name, {}, {"()V"}, throwable});
    ClassInfo& info = classes.back();
    auto object = std::make_shared<Object>();
    object->meta = &info;
    class_objects[name] = object;
    return info;
  }
  const ClassInfo* Find(const std::string& name) const {
    auto found = class_objects.find(name);
    return found == class_objects.end() ? nullptr : found->second->meta;
  }
  const ClassInfo* ClassClass() const { return Find("java/lang/Class"); }

  jobject NewRef(std::shared_ptr<Object> target) {
    if (!target) return nullptr;
    refs.push_back(Ref{std::move(target), in_call ? frame : 0});
    const Ref* ref = &refs.back();
    known_refs.insert(ref);
    if (in_call) {
      ++live_in_frame;
      if (live_in_frame > peak_in_frame) peak_in_frame = live_in_frame;
    }
    return reinterpret_cast<jobject>(const_cast<Ref*>(ref));
  }

  // The object behind a reference; null for a null reference. A deleted or
  // unknown reference is a fault.
  std::shared_ptr<Object> Resolve(jobject reference, const char* function) {
    if (reference == nullptr) return nullptr;
    const Ref* ref = reinterpret_cast<const Ref*>(reference);
    if (known_refs.count(ref) == 0) {
      Fault(std::string(function) + ": not a reference of this VM");
      return nullptr;
    }
    if (ref->deleted) {
      Fault(std::string(function) + ": reference used after DeleteLocalRef");
      return nullptr;
    }
    return ref->target;
  }

  std::shared_ptr<Object> NewObjectOf(const ClassInfo& cls) {
    auto object = std::make_shared<Object>();
    object->cls = &cls;
    for (const auto& field : cls.fields) {
      if (field.second == "I") object->ints[field.first] = 0;
    }
    return object;
  }

  std::shared_ptr<Object> NewString(std::u16string text) {
    auto object = std::make_shared<Object>();
    object->cls = Find(kString);
    object->text = std::move(text);
    return object;
  }

  void ThrowNamed(const char* class_name, const std::string& message) {
    const ClassInfo* cls = Find(class_name);
    pending = NewObjectOf(*cls);
    std::u16string text(message.begin(), message.end());
    pending->references["message"] = NewString(text);
  }

  // Every JNI function starts here: records the call and refuses one made
  // with an exception pending unless the function is allowed then.
  bool Enter(const char* function, bool allowed_when_pending = false) {
    bool seen = false;
    for (const std::string& name : called) seen = seen || name == function;
    if (!seen) called.push_back(function);
    if (pending && !allowed_when_pending) {
      Fault(std::string(function) + " called with an exception pending");
      return false;
    }
    return true;
  }

  const FieldId* Field(const std::shared_ptr<Object>& object, jfieldID id,
                       const char* function, bool want_int) {
    const FieldId* field = reinterpret_cast<const FieldId*>(id);
    bool known = false;
    for (const FieldId& candidate : field_ids)
      known = known || &candidate == field;
    if (!known) {
      Fault(std::string(function) + ": not a field ID of this VM");
      return nullptr;
    }
    if (!object) {
      Fault(std::string(function) + ": null object");
      return nullptr;
    }
    if (object->cls != field->owner) {
      Fault(std::string(function) + ": field " + field->name + " of " +
            field->owner->name + " used on an object of another class");
      return nullptr;
    }
    if ((field->signature == "I") != want_int) {
      Fault(std::string(function) + ": field " + field->name + " has type " +
            field->signature);
      return nullptr;
    }
    return field;
  }
};

namespace {

FakeVm::State* g_state = nullptr;

FakeVm::State& S() { return *g_state; }

// Function slots nothing should call.
[[noreturn]] void Unexpected(size_t slot) {
  const size_t count = sizeof kJniFunctionNames / sizeof kJniFunctionNames[0];
  std::fprintf(stderr, "FAIL: unexpected JNI call: %s (function slot %u)\n",
               slot < count ? kJniFunctionNames[slot] : "?",
               static_cast<unsigned>(slot));
  std::fflush(stderr);
  ExitProcess(3);
}

template <size_t Slot>
[[noreturn]] void Trap() {
  Unexpected(Slot);
}

template <size_t... Slot>
void FillTraps(void** slots, std::index_sequence<Slot...>) {
  ((slots[Slot] = reinterpret_cast<void*>(&Trap<Slot>)), ...);
}

jclass JNICALL FindClass(JNIEnv*, const char* name) {
  if (!S().Enter("FindClass")) return nullptr;
  if (name == nullptr) {
    S().Fault("FindClass: null name");
    return nullptr;
  }
  auto found = S().class_objects.find(name);
  if (found == S().class_objects.end()) {
    S().ThrowNamed("java/lang/NoClassDefFoundError", name);
    return nullptr;
  }
  return static_cast<jclass>(S().NewRef(found->second));
}

jclass JNICALL GetObjectClass(JNIEnv*, jobject object) {
  if (!S().Enter("GetObjectClass")) return nullptr;
  auto target = S().Resolve(object, "GetObjectClass");
  if (!target) {
    S().Fault("GetObjectClass: null object");
    return nullptr;
  }
  const ClassInfo* cls = target->meta ? S().ClassClass() : target->cls;
  return static_cast<jclass>(S().NewRef(S().class_objects[cls->name]));
}

const ClassInfo* ClassOf(jclass cls, const char* function) {
  auto target = S().Resolve(cls, function);
  if (!target || target->meta == nullptr) {
    S().Fault(std::string(function) + ": not a class");
    return nullptr;
  }
  return target->meta;
}

jfieldID JNICALL GetFieldID(JNIEnv*, jclass cls, const char* name,
                            const char* signature) {
  if (!S().Enter("GetFieldID")) return nullptr;
  const ClassInfo* info = ClassOf(cls, "GetFieldID");
  if (info == nullptr) return nullptr;
  for (const auto& field : info->fields) {
    if (field.first == name && field.second == signature) {
      for (const FieldId& id : S().field_ids) {
        if (id.owner == info && id.name == name) {
          return reinterpret_cast<jfieldID>(const_cast<FieldId*>(&id));
        }
      }
      S().field_ids.push_back(FieldId{info, name, signature});
      return reinterpret_cast<jfieldID>(&S().field_ids.back());
    }
  }
  S().ThrowNamed("java/lang/NoSuchFieldError", name);
  return nullptr;
}

jmethodID JNICALL GetMethodID(JNIEnv*, jclass cls, const char* name,
                              const char* signature) {
  if (!S().Enter("GetMethodID")) return nullptr;
  const ClassInfo* info = ClassOf(cls, "GetMethodID");
  if (info == nullptr) return nullptr;
  bool exists = false;
  if (std::strcmp(name, "<init>") == 0) {
    for (const std::string& ctor : info->constructors) {
      exists = exists || ctor == signature;
    }
  } else {
    exists = info->throwable && std::strcmp(name, "initCause") == 0 &&
             std::strcmp(signature,
                         "(Ljava/lang/Throwable;)Ljava/lang/Throwable;") == 0;
  }
  if (!exists) {
    S().ThrowNamed("java/lang/NoSuchMethodError", name);
    return nullptr;
  }
  S().method_ids.push_back(MethodId{info, name, signature});
  return reinterpret_cast<jmethodID>(&S().method_ids.back());
}

const MethodId* Method(jmethodID id, const char* function) {
  const MethodId* method = reinterpret_cast<const MethodId*>(id);
  for (const MethodId& candidate : S().method_ids) {
    if (&candidate == method) return method;
  }
  S().Fault(std::string(function) + ": not a method ID of this VM");
  return nullptr;
}

// The C++ wrappers of jni.h reach NewObject and CallObjectMethod through
// their va_list forms.
jobject JNICALL NewObjectV(JNIEnv*, jclass cls, jmethodID id, va_list args) {
  if (!S().Enter("NewObjectV")) return nullptr;
  const ClassInfo* info = ClassOf(cls, "NewObjectV");
  const MethodId* method = Method(id, "NewObjectV");
  if (info == nullptr || method == nullptr) return nullptr;
  if (method->owner != info || method->name != "<init>") {
    S().Fault("NewObjectV: " + method->name + " is not a constructor of " +
              info->name);
    return nullptr;
  }
  auto object = S().NewObjectOf(*info);
  if (method->signature == "(I)V") object->ints["code"] = va_arg(args, jint);
  return S().NewRef(object);
}

jobject JNICALL NewObject(JNIEnv* env, jclass cls, jmethodID id, ...) {
  va_list args;
  va_start(args, id);
  jobject object = NewObjectV(env, cls, id, args);
  va_end(args);
  return object;
}

jobject JNICALL CallObjectMethodV(JNIEnv*, jobject object, jmethodID id,
                                  va_list args) {
  if (!S().Enter("CallObjectMethodV")) return nullptr;
  auto target = S().Resolve(object, "CallObjectMethodV");
  const MethodId* method = Method(id, "CallObjectMethodV");
  if (!target || method == nullptr) return nullptr;
  if (target->cls != method->owner || method->name != "initCause") {
    S().Fault("CallObjectMethodV: unexpected method " + method->name);
    return nullptr;
  }
  jobject cause = va_arg(args, jobject);
  target->references["cause"] = S().Resolve(cause, "CallObjectMethodV");
  return S().NewRef(target);
}

jobject JNICALL CallObjectMethod(JNIEnv* env, jobject object, jmethodID id,
                                 ...) {
  va_list args;
  va_start(args, id);
  jobject result = CallObjectMethodV(env, object, id, args);
  va_end(args);
  return result;
}

jint JNICALL Throw(JNIEnv*, jthrowable throwable) {
  if (!S().Enter("Throw")) return -1;
  auto target = S().Resolve(throwable, "Throw");
  if (!target || target->cls == nullptr || !target->cls->throwable) {
    S().Fault("Throw: not a throwable");
    return -1;
  }
  S().pending = target;
  return 0;
}

jint JNICALL ThrowNew(JNIEnv*, jclass cls, const char* message) {
  if (!S().Enter("ThrowNew")) return -1;
  const ClassInfo* info = ClassOf(cls, "ThrowNew");
  if (info == nullptr || !info->throwable) {
    S().Fault("ThrowNew: not a throwable class");
    return -1;
  }
  S().ThrowNamed(info->name.c_str(), message ? message : "");
  return 0;
}

jthrowable JNICALL ExceptionOccurred(JNIEnv*) {
  S().Enter("ExceptionOccurred", true);
  return static_cast<jthrowable>(S().NewRef(S().pending));
}

void JNICALL ExceptionClear(JNIEnv*) {
  S().Enter("ExceptionClear", true);
  S().pending.reset();
}

jboolean JNICALL ExceptionCheck(JNIEnv*) {
  S().Enter("ExceptionCheck", true);
  return S().pending ? JNI_TRUE : JNI_FALSE;
}

void JNICALL DeleteLocalRef(JNIEnv*, jobject object) {
  S().Enter("DeleteLocalRef", true);
  if (object == nullptr) return;
  Ref* ref = reinterpret_cast<Ref*>(object);
  if (S().known_refs.count(ref) == 0) {
    S().Fault("DeleteLocalRef: not a reference of this VM");
    return;
  }
  if (ref->deleted) {
    S().Fault("DeleteLocalRef: reference deleted twice");
    return;
  }
  ref->deleted = true;
  if (S().in_call && ref->frame == S().frame) --S().live_in_frame;
}

jboolean JNICALL IsSameObject(JNIEnv*, jobject a, jobject b) {
  if (!S().Enter("IsSameObject")) return JNI_FALSE;
  return S().Resolve(a, "IsSameObject") == S().Resolve(b, "IsSameObject")
             ? JNI_TRUE
             : JNI_FALSE;
}

jint JNICALL EnsureLocalCapacity(JNIEnv*, jint capacity) {
  if (!S().Enter("EnsureLocalCapacity")) return -1;
  if (capacity < 0) return -1;
  if (static_cast<size_t>(capacity) > S().capacity) {
    S().capacity = static_cast<size_t>(capacity);
  }
  return 0;
}

jobject JNICALL GetObjectField(JNIEnv*, jobject object, jfieldID id) {
  if (!S().Enter("GetObjectField")) return nullptr;
  auto target = S().Resolve(object, "GetObjectField");
  const FieldId* field = S().Field(target, id, "GetObjectField", false);
  if (field == nullptr) return nullptr;
  return S().NewRef(target->references[field->name]);
}

void JNICALL SetObjectField(JNIEnv*, jobject object, jfieldID id,
                            jobject value) {
  if (!S().Enter("SetObjectField")) return;
  auto target = S().Resolve(object, "SetObjectField");
  const FieldId* field = S().Field(target, id, "SetObjectField", false);
  if (field == nullptr) return;
  auto stored = S().Resolve(value, "SetObjectField");
  if (stored && field->signature == "Ljava/lang/String;" &&
      stored->cls != S().Find(kString)) {
    S().Fault("SetObjectField: " + field->name + " given a non-string");
  }
  target->references[field->name] = stored;
}

jint JNICALL GetIntField(JNIEnv*, jobject object, jfieldID id) {
  if (!S().Enter("GetIntField")) return 0;
  auto target = S().Resolve(object, "GetIntField");
  const FieldId* field = S().Field(target, id, "GetIntField", true);
  return field == nullptr ? 0 : target->ints[field->name];
}

void JNICALL SetIntField(JNIEnv*, jobject object, jfieldID id, jint value) {
  if (!S().Enter("SetIntField")) return;
  auto target = S().Resolve(object, "SetIntField");
  const FieldId* field = S().Field(target, id, "SetIntField", true);
  if (field != nullptr) target->ints[field->name] = value;
}

std::shared_ptr<Object> StringOf(jstring string, const char* function) {
  auto target = S().Resolve(string, function);
  if (!target || target->cls != S().Find(kString)) {
    S().Fault(std::string(function) + ": not a string");
    return nullptr;
  }
  return target;
}

jstring JNICALL NewStringUTF(JNIEnv*, const char* bytes) {
  if (!S().Enter("NewStringUTF")) return nullptr;
  if (bytes == nullptr) return nullptr;
  std::u16string text;
  if (!FromModifiedUtf8(bytes, &text)) {
    S().Fault("NewStringUTF: not valid modified UTF-8");
  }
  return static_cast<jstring>(S().NewRef(S().NewString(text)));
}

// UTF-16 code units, as a JVM counts them.
jsize JNICALL GetStringLength(JNIEnv*, jstring string) {
  if (!S().Enter("GetStringLength")) return 0;
  auto target = StringOf(string, "GetStringLength");
  return target ? static_cast<jsize>(target->text.size()) : 0;
}

jsize JNICALL GetStringUTFLength(JNIEnv*, jstring string) {
  if (!S().Enter("GetStringUTFLength")) return 0;
  auto target = StringOf(string, "GetStringUTFLength");
  return target ? static_cast<jsize>(ToModifiedUtf8(target->text).size()) : 0;
}

const char* JNICALL GetStringUTFChars(JNIEnv*, jstring string,
                                      jboolean* is_copy) {
  if (!S().Enter("GetStringUTFChars")) return nullptr;
  auto target = StringOf(string, "GetStringUTFChars");
  if (!target) return nullptr;
  const std::string utf = ToModifiedUtf8(target->text);
  std::unique_ptr<char[]> bytes(new char[utf.size() + 1]);
  std::memcpy(bytes.get(), utf.c_str(), utf.size() + 1);
  const char* chars = bytes.get();
  S().utf_chars.push_back(UtfChars{string, std::move(bytes)});
  if (is_copy != nullptr) *is_copy = JNI_TRUE;
  return chars;
}

void JNICALL ReleaseStringUTFChars(JNIEnv*, jstring string, const char* chars) {
  S().Enter("ReleaseStringUTFChars", true);
  auto& held = S().utf_chars;
  for (auto it = held.begin(); it != held.end(); ++it) {
    if (it->bytes.get() != chars) continue;
    if (S().Resolve(it->string, "ReleaseStringUTFChars") !=
        S().Resolve(string, "ReleaseStringUTFChars")) {
      S().Fault("ReleaseStringUTFChars: characters of another string");
    }
    held.erase(it);
    return;
  }
  S().Fault("ReleaseStringUTFChars: characters not from GetStringUTFChars");
}

std::shared_ptr<Object> ArrayOf(jobject array, const char* function,
                                bool ints) {
  auto target = S().Resolve(array, function);
  if (!target || target->element_class.empty() || target->int_array != ints) {
    S().Fault(std::string(function) + ": not " +
              (ints ? "an int array" : "an object array"));
    return nullptr;
  }
  return target;
}

jsize JNICALL GetArrayLength(JNIEnv*, jarray array) {
  if (!S().Enter("GetArrayLength")) return 0;
  auto target = S().Resolve(array, "GetArrayLength");
  if (!target || target->element_class.empty()) {
    S().Fault("GetArrayLength: not an array");
    return 0;
  }
  return static_cast<jsize>(target->int_array ? target->int_elements.size()
                                              : target->elements.size());
}

jobjectArray JNICALL NewObjectArray(JNIEnv*, jsize length, jclass cls,
                                    jobject initial) {
  if (!S().Enter("NewObjectArray")) return nullptr;
  const ClassInfo* info = ClassOf(cls, "NewObjectArray");
  if (info == nullptr) return nullptr;
  if (length < 0) {
    S().ThrowNamed("java/lang/NegativeArraySizeException", "");
    return nullptr;
  }
  auto array = std::make_shared<Object>();
  array->cls = S().Find("java/lang/Object");
  array->element_class = info->name;
  array->elements.assign(static_cast<size_t>(length),
                         S().Resolve(initial, "NewObjectArray"));
  return static_cast<jobjectArray>(S().NewRef(array));
}

bool InBounds(const std::shared_ptr<Object>& array, jsize start, jsize length) {
  const size_t size =
      array->int_array ? array->int_elements.size() : array->elements.size();
  if (start < 0 || length < 0 || static_cast<size_t>(start) > size ||
      static_cast<size_t>(length) > size - static_cast<size_t>(start)) {
    S().ThrowNamed("java/lang/ArrayIndexOutOfBoundsException", "");
    return false;
  }
  return true;
}

jobject JNICALL GetObjectArrayElement(JNIEnv*, jobjectArray array,
                                      jsize index) {
  if (!S().Enter("GetObjectArrayElement")) return nullptr;
  auto target = ArrayOf(array, "GetObjectArrayElement", false);
  if (!target || !InBounds(target, index, 1)) return nullptr;
  return S().NewRef(target->elements[static_cast<size_t>(index)]);
}

void JNICALL SetObjectArrayElement(JNIEnv*, jobjectArray array, jsize index,
                                   jobject value) {
  if (!S().Enter("SetObjectArrayElement")) return;
  auto target = ArrayOf(array, "SetObjectArrayElement", false);
  if (!target || !InBounds(target, index, 1)) return;
  auto stored = S().Resolve(value, "SetObjectArrayElement");
  if (stored && stored->cls != S().Find(target->element_class)) {
    S().ThrowNamed("java/lang/ArrayStoreException", "");
    return;
  }
  target->elements[static_cast<size_t>(index)] = stored;
}

jintArray JNICALL NewIntArray(JNIEnv*, jsize length) {
  if (!S().Enter("NewIntArray")) return nullptr;
  if (length < 0) {
    S().ThrowNamed("java/lang/NegativeArraySizeException", "");
    return nullptr;
  }
  auto array = std::make_shared<Object>();
  array->cls = S().Find("java/lang/Object");
  array->element_class = "int";
  array->int_array = true;
  array->int_elements.assign(static_cast<size_t>(length), 0);
  return static_cast<jintArray>(S().NewRef(array));
}

void JNICALL GetIntArrayRegion(JNIEnv*, jintArray array, jsize start,
                               jsize length, jint* out) {
  if (!S().Enter("GetIntArrayRegion")) return;
  auto target = ArrayOf(array, "GetIntArrayRegion", true);
  if (!target || !InBounds(target, start, length)) return;
  for (jsize i = 0; i < length; ++i) {
    out[i] = target->int_elements[static_cast<size_t>(start + i)];
  }
}

void JNICALL SetIntArrayRegion(JNIEnv*, jintArray array, jsize start,
                               jsize length, const jint* in) {
  if (!S().Enter("SetIntArrayRegion")) return;
  auto target = ArrayOf(array, "SetIntArrayRegion", true);
  if (!target || !InBounds(target, start, length)) return;
  for (jsize i = 0; i < length; ++i) {
    target->int_elements[static_cast<size_t>(start + i)] = in[i];
  }
}

}  // namespace

std::string ToModifiedUtf8(const std::u16string& text) {
  std::string bytes;
  for (char16_t unit : text) {
    const unsigned c = unit;
    if (c != 0 && c < 0x80) {
      bytes.push_back(static_cast<char>(c));
    } else if (c < 0x800) {
      bytes.push_back(static_cast<char>(0xC0 | (c >> 6)));
      bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    } else {
      bytes.push_back(static_cast<char>(0xE0 | (c >> 12)));
      bytes.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
      bytes.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return bytes;
}

bool FromModifiedUtf8(const char* bytes, std::u16string* text) {
  text->clear();
  const auto* at = reinterpret_cast<const unsigned char*>(bytes);
  while (*at != 0) {
    const unsigned lead = *at;
    if (lead < 0x80) {
      text->push_back(static_cast<char16_t>(lead));
      ++at;
    } else if ((lead & 0xE0) == 0xC0 && (at[1] & 0xC0) == 0x80) {
      const unsigned c = ((lead & 0x1F) << 6) | (at[1] & 0x3F);
      // Overlong forms are refused, except C0 80 for U+0000.
      if (c < 0x80 && c != 0) return false;
      text->push_back(static_cast<char16_t>(c));
      at += 2;
    } else if ((lead & 0xF0) == 0xE0 && (at[1] & 0xC0) == 0x80 &&
               (at[2] & 0xC0) == 0x80) {
      const unsigned c =
          ((lead & 0x0F) << 12) | ((at[1] & 0x3F) << 6) | (at[2] & 0x3F);
      if (c < 0x800) return false;
      text->push_back(static_cast<char16_t>(c));
      at += 3;
    } else {
      return false;
    }
  }
  return true;
}

FakeVm::FakeVm() : state_(new State) {
  g_state = state_.get();
  State& s = *state_;
  constexpr size_t kSlots = sizeof(JNINativeInterface_) / sizeof(void*);
  static_assert(
      kSlots == sizeof kJniFunctionNames / sizeof kJniFunctionNames[0],
      "the generated names match the function table");
  void** slots = reinterpret_cast<void**>(&s.table);
  FillTraps(slots, std::make_index_sequence<kSlots>());
  for (size_t i = 0; i < 4; ++i) slots[i] = nullptr;  // reserved
  JNINativeInterface_& t = s.table;
  t.FindClass = FindClass;
  t.GetObjectClass = GetObjectClass;
  t.GetFieldID = GetFieldID;
  t.GetMethodID = GetMethodID;
  t.NewObject = NewObject;
  t.NewObjectV = NewObjectV;
  t.CallObjectMethod = CallObjectMethod;
  t.CallObjectMethodV = CallObjectMethodV;
  t.Throw = Throw;
  t.ThrowNew = ThrowNew;
  t.ExceptionOccurred = ExceptionOccurred;
  t.ExceptionClear = ExceptionClear;
  t.ExceptionCheck = ExceptionCheck;
  t.DeleteLocalRef = DeleteLocalRef;
  t.IsSameObject = IsSameObject;
  t.EnsureLocalCapacity = EnsureLocalCapacity;
  t.GetObjectField = GetObjectField;
  t.SetObjectField = SetObjectField;
  t.GetIntField = GetIntField;
  t.SetIntField = kxw::SetIntField;
  t.NewStringUTF = NewStringUTF;
  t.GetStringLength = GetStringLength;
  t.GetStringUTFLength = GetStringUTFLength;
  t.GetStringUTFChars = GetStringUTFChars;
  t.ReleaseStringUTFChars = ReleaseStringUTFChars;
  t.GetArrayLength = GetArrayLength;
  t.NewObjectArray = NewObjectArray;
  t.GetObjectArrayElement = GetObjectArrayElement;
  t.SetObjectArrayElement = SetObjectArrayElement;
  t.NewIntArray = NewIntArray;
  t.GetIntArrayRegion = GetIntArrayRegion;
  t.SetIntArrayRegion = SetIntArrayRegion;
  s.env.functions = &s.table;

  s.Declare("java/lang/Object");
  s.Declare("java/lang/Class");
  s.Declare(kString);
  s.Declare("korvane/str/diskarray/DiskArrayUtilityJNI");
  for (const char* name :
       {"java/lang/ClassNotFoundException", "java/lang/NoClassDefFoundError",
        "java/lang/NoSuchFieldError", "java/lang/NoSuchMethodError",
        "java/lang/OutOfMemoryError", "java/lang/NegativeArraySizeException",
        "java/lang/ArrayIndexOutOfBoundsException",
        "java/lang/ArrayStoreException"}) {
    s.Declare(name, true).constructors.push_back("(Ljava/lang/String;)V");
  }
  ClassInfo& exception = s.Declare(kDiskArrayException, true);
  exception.constructors = {"(I)V"};
  exception.fields = {{"code", "I"}};
  constexpr char kText[] = "Ljava/lang/String;";
  s.Declare("korvane/str/diskarray/KXUnitParam").fields = {
      {"unit_name", kText}, {"group_name", kText}, {"connect_type", "I"},
      {"kx_type", "I"},     {"unit_conf", "I"},    {"alert", "I"},
      {"ctl0", kText},      {"ctl1", kText}};
  s.Declare("korvane/str/diskarray/KXLabel").fields = {{"oldlabel", kText},
                                                       {"newlabel", kText}};
  s.Declare("korvane/str/diskarray/KXUserRegist").fields = {
      {"user", kText}, {"passwd", kText}, {"num", "I"}, {"option", "I"}};
  s.Declare("korvane/str/diskarray/ExProgramInfo").fields = {
      {"on_off", "I"}, {"exec_mode", "I"}, {"program_name", kText}};
  s.Declare("korvane/str/diskarray/WorkingDirectory").fields = {
      {"tesk_path", kText}};
  s.Declare("korvane/str/diskarray/EmailInfo").fields = {
      {"on_off", "I"}, {"domain", kText}, {"smtp", kText},
      {"from", kText}, {"tonum", "I"},    {"to", "[Ljava/lang/String;"}};
}

FakeVm::~FakeVm() { g_state = nullptr; }

JNIEnv* FakeVm::env() { return &state_->env; }

jclass FakeVm::UtilityClass() {
  return static_cast<jclass>(state_->NewRef(
      state_->class_objects["korvane/str/diskarray/DiskArrayUtilityJNI"]));
}

jstring FakeVm::NewString(const std::u16string& text) {
  return static_cast<jstring>(state_->NewRef(state_->NewString(text)));
}

jobject FakeVm::NewInstance(const char* class_name) {
  const ClassInfo* cls = state_->Find(class_name);
  if (cls == nullptr) {
    state_->Fault(std::string("no class ") + class_name);
    return nullptr;
  }
  return state_->NewRef(state_->NewObjectOf(*cls));
}

namespace {

// A field of a test-side object, found by name; a fault when it is missing.
bool HasField(FakeVm::State& s, const std::shared_ptr<Object>& object,
              const char* field, const char* signature) {
  if (!object || object->cls == nullptr) {
    s.Fault(std::string("no object for field ") + field);
    return false;
  }
  for (const auto& declared : object->cls->fields) {
    if (declared.first == field && declared.second == signature) return true;
  }
  s.Fault(object->cls->name + " has no field " + field + " " + signature);
  return false;
}

}  // namespace

void FakeVm::SetStringField(jobject object, const char* field,
                            const std::u16string* text) {
  auto target = state_->Resolve(object, "SetStringField");
  if (!HasField(*state_, target, field, "Ljava/lang/String;")) return;
  target->references[field] = text ? state_->NewString(*text) : nullptr;
}

void FakeVm::SetIntField(jobject object, const char* field, jint value) {
  auto target = state_->Resolve(object, "SetIntField");
  if (HasField(*state_, target, field, "I")) target->ints[field] = value;
}

void FakeVm::SetStringArrayField(jobject object, const char* field,
                                 const std::vector<std::u16string>& texts,
                                 size_t length) {
  auto target = state_->Resolve(object, "SetStringArrayField");
  if (!HasField(*state_, target, field, "[Ljava/lang/String;")) return;
  auto array = std::make_shared<Object>();
  array->cls = state_->Find("java/lang/Object");
  array->element_class = kString;
  array->elements.resize(length);
  for (size_t i = 0; i < texts.size() && i < length; ++i) {
    array->elements[i] = state_->NewString(texts[i]);
  }
  target->references[field] = array;
}

bool FakeVm::IsInstanceOf(jobject object, const char* class_name) {
  auto target = state_->Resolve(object, "IsInstanceOf");
  return target && target->cls && target->cls->name == class_name;
}

bool FakeVm::StringField(jobject object, const char* field,
                         std::u16string* text) {
  auto target = state_->Resolve(object, "StringField");
  if (!HasField(*state_, target, field, "Ljava/lang/String;")) return false;
  auto value = target->references[field];
  if (!value) return false;
  *text = value->text;
  return true;
}

jint FakeVm::IntField(jobject object, const char* field) {
  auto target = state_->Resolve(object, "IntField");
  return HasField(*state_, target, field, "I") ? target->ints[field] : 0;
}

std::u16string FakeVm::Text(jstring string) {
  auto target = state_->Resolve(string, "Text");
  if (!target || target->cls != state_->Find(kString)) {
    state_->Fault("Text: not a string");
    return std::u16string();
  }
  return target->text;
}

jsize FakeVm::ArrayLength(jobject array) {
  auto target = state_->Resolve(array, "ArrayLength");
  if (!target || target->element_class.empty() || target->int_array) {
    state_->Fault("ArrayLength: not an object array");
    return 0;
  }
  return static_cast<jsize>(target->elements.size());
}

jobject FakeVm::ArrayElement(jobject array, jsize index) {
  auto target = state_->Resolve(array, "ArrayElement");
  if (!target || index < 0 ||
      static_cast<size_t>(index) >= target->elements.size()) {
    state_->Fault("ArrayElement: no such element");
    return nullptr;
  }
  return state_->NewRef(target->elements[static_cast<size_t>(index)]);
}

std::string FakeVm::PendingClass() const {
  return state_->pending ? state_->pending->cls->name : std::string();
}

jint FakeVm::PendingCode() const {
  if (!state_->pending) return 0;
  auto code = state_->pending->ints.find("code");
  return code == state_->pending->ints.end() ? 0 : code->second;
}

std::string FakeVm::PendingCauseClass() const {
  if (!state_->pending) return std::string();
  auto cause = state_->pending->references.find("cause");
  return cause == state_->pending->references.end() || !cause->second
             ? std::string()
             : cause->second->cls->name;
}

void FakeVm::TakeException() { state_->pending.reset(); }

void FakeVm::BeginCall() {
  State& s = *state_;
  ++s.frame;
  s.in_call = true;
  s.capacity = kDefaultLocalCapacity;
  s.live_in_frame = 0;
  s.peak_in_frame = 0;
  s.called.clear();
}

std::vector<std::string> FakeVm::EndCall(jobject result) {
  State& s = *state_;
  if (!s.utf_chars.empty()) {
    s.Fault(std::to_string(s.utf_chars.size()) +
            " GetStringUTFChars never released");
    s.utf_chars.clear();
  }
  const Ref* returned = reinterpret_cast<const Ref*>(result);
  size_t left = 0;
  for (const Ref& ref : s.refs) {
    if (ref.frame == s.frame && !ref.deleted && &ref != returned) ++left;
  }
  if (left != 0) {
    s.Fault(std::to_string(left) + " local reference(s) left behind");
  }
  if (s.peak_in_frame > s.capacity) {
    s.Fault("JNI local refs: " + std::to_string(s.peak_in_frame) +
            ", exceeds capacity: " + std::to_string(s.capacity));
  }
  // What the native returned now belongs to the caller's frame.
  for (Ref& ref : s.refs) {
    if (&ref == returned) ref.frame = 0;
  }
  s.in_call = false;
  std::vector<std::string> faults;
  faults.swap(s.faults);
  return faults;
}

const std::vector<std::string>& FakeVm::CalledFunctions() const {
  return state_->called;
}

}  // namespace kxw
