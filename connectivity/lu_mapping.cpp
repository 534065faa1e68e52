// Native methods of host-group options, port options and LU mapping.
#include "bridge/native.h"
#include "connectivity/connectivity_records.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"

using namespace kx;

namespace {

// The result of KX_GetLuMappingList: an Object[2] holding the int the core
// writes (the number of host LUNs mapped), boxed as a java.lang.Integer, and
// the host group's mapping, both kept in the call's own storage. An array or
// mapping that cannot be made returns null with its exception standing; an
// element that cannot be stored, or an int that cannot be boxed, raises
// ERR_MARSHAL.
class MappingWithCount {
 public:
  static constexpr bool kResult = true;
  using Java = jobjectArray;

  [[nodiscard]] bool prepare(CallContext&) { return true; }
  std::tuple<int32_t*, LuMappingHGInfoRecord*> args() {
    return {&count_, &mapping_};
  }
  Java failure() const { return nullptr; }
  [[nodiscard]] bool finish(CallContext& call, Java& out) {
    JNIEnv* env = call.env;
    jclass object_class = call.lookups.find("java/lang/Object");
    if (object_class == nullptr) return false;
    LocalRef<jobjectArray> result(env,
                                  env->NewObjectArray(2, object_class, nullptr));
    if (!result) return false;
    {
      LocalRef<jobject> boxed(env, boxed_int(call));
      if (!boxed) {
        raise_error(env, ERR_MARSHAL);
        return false;
      }
      env->SetObjectArrayElement(result.get(), 0, boxed.get());
      if (env->ExceptionCheck()) {
        raise_error(env, ERR_MARSHAL);
        return false;
      }
    }
    LocalRef<jobject> mapping(
        env, build_record(call.lookups, kLuMappingHGInfoType, &mapping_));
    if (!mapping) return false;
    env->SetObjectArrayElement(result.get(), 1, mapping.get());
    if (env->ExceptionCheck()) {
      raise_error(env, ERR_MARSHAL);
      return false;
    }
    out = result.release();
    return true;
  }

 private:
  // Null with an exception pending when the Integer cannot be made.
  jobject boxed_int(CallContext& call) const {
    JNIEnv* env = call.env;
    jclass integer = call.lookups.find("java/lang/Integer");
    if (integer == nullptr) return nullptr;
    jmethodID value_of =
        env->GetStaticMethodID(integer, "valueOf", "(I)Ljava/lang/Integer;");
    if (value_of == nullptr) return nullptr;
    jobject boxed = env->CallStaticObjectMethod(integer, value_of, count_);
    if (env->ExceptionCheck()) {
      if (boxed != nullptr) env->DeleteLocalRef(boxed);
      return nullptr;
    }
    return boxed;
  }

  int32_t count_ = 0;
  LuMappingHGInfoRecord mapping_ = {};
};

}  // namespace

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetHGOptionAll(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetHGOptionAll, unit_name_arg(unit_name),
                record_out<HGOptionRecord>(kHGOptionType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetHGOptionAll(
    JNIEnv* env, jclass, jstring unit_name, jobject options) {
  native(env, KX_SetHGOptionAll, unit_name_arg(unit_name),
         record_in<HGOptionRecord>(options, kHGOptionType));
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetHGOption(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jint arg2, jint arg3) {
  return native(env, KX_GetHGOption, unit_name_arg(unit_name), int_arg(arg1),
                int_arg(arg2), int_arg(arg3),
                record_out<HGOptionInfoRecord>(kHGOptionInfoType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetHGOption(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jint arg2, jint arg3,
    jobject option) {
  native(env, KX_SetHGOption, unit_name_arg(unit_name), int_arg(arg1),
         int_arg(arg2), int_arg(arg3),
         record_in<HGOptionInfoRecord>(option, kHGOptionInfoType));
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetPortOption(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetPortOption, unit_name_arg(unit_name),
                record_out<PortOptionRecord>(kPortOptionType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetPortOption(
    JNIEnv* env, jclass, jstring unit_name, jobject options) {
  native(env, KX_SetPortOption, unit_name_arg(unit_name),
         record_in<PortOptionRecord>(options, kPortOptionType));
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetLuMappingListAll(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetLuMappingListAll, unit_name_arg(unit_name),
                record_out<LuMappingRecord>(kLuMappingType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetLuMappingListAll(
    JNIEnv* env, jclass, jstring unit_name, jobject mapping) {
  native(env, KX_SetLuMappingListAll, unit_name_arg(unit_name),
         record_in<LuMappingRecord>(mapping, kLuMappingType));
}

// The result converter above is the irregular part.
JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetLuMappingList(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jint arg2, jint arg3) {
  return native(env, KX_GetLuMappingList, unit_name_arg(unit_name),
                int_arg(arg1), int_arg(arg2), int_arg(arg3),
                MappingWithCount());
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetLuMappingList(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jint arg2, jint arg3,
    jint arg4, jobject mapping) {
  native(env, KX_SetLuMappingList, unit_name_arg(unit_name), int_arg(arg1),
         int_arg(arg2), int_arg(arg3), int_arg(arg4),
         record_in<LuMappingHGInfoRecord>(mapping, kLuMappingHGInfoType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ChangeMappingMode(
    JNIEnv* env, jclass, jstring unit_name, jint arg) {
  native(env, KX_ChangeMappingMode, unit_name_arg(unit_name), int_arg(arg));
}
