// Native methods of host-group options, port options and LU mapping.
#include "bridge/frame.h"
#include "connectivity/connectivity_records.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"

using namespace kx;

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetHGOptionAll(
    JNIEnv* env, jclass, jstring unit_name) {
  return record_read<HGOptionRecord>(
      env, unit_name, kHGOptionType,
      [](const char* unit, HGOptionRecord* record) {
        return KX_GetHGOptionAll(unit, record);
      });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetHGOptionAll(
    JNIEnv* env, jclass, jstring unit_name, jobject options) {
  record_write<HGOptionRecord>(env, unit_name, options, kHGOptionType,
                               [](const char* unit, HGOptionRecord* record) {
                                 return KX_SetHGOptionAll(unit, record);
                               });
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetHGOption(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jint arg2, jint arg3) {
  return record_read<HGOptionInfoRecord>(
      env, unit_name, kHGOptionInfoType,
      [=](const char* unit, HGOptionInfoRecord* record) {
        return KX_GetHGOption(unit, arg1, arg2, arg3, record);
      });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetHGOption(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jint arg2, jint arg3,
    jobject option) {
  record_write<HGOptionInfoRecord>(
      env, unit_name, option, kHGOptionInfoType,
      [=](const char* unit, HGOptionInfoRecord* record) {
        return KX_SetHGOption(unit, arg1, arg2, arg3, record);
      });
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetPortOption(
    JNIEnv* env, jclass, jstring unit_name) {
  return record_read<PortOptionRecord>(
      env, unit_name, kPortOptionType,
      [](const char* unit, PortOptionRecord* record) {
        return KX_GetPortOption(unit, record);
      });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetPortOption(
    JNIEnv* env, jclass, jstring unit_name, jobject options) {
  record_write<PortOptionRecord>(env, unit_name, options, kPortOptionType,
                                 [](const char* unit, PortOptionRecord* record) {
                                   return KX_SetPortOption(unit, record);
                                 });
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetLuMappingListAll(
    JNIEnv* env, jclass, jstring unit_name) {
  return record_read<LuMappingRecord>(
      env, unit_name, kLuMappingType,
      [](const char* unit, LuMappingRecord* record) {
        return KX_GetLuMappingListAll(unit, record);
      });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetLuMappingListAll(
    JNIEnv* env, jclass, jstring unit_name, jobject mapping) {
  record_write<LuMappingRecord>(env, unit_name, mapping, kLuMappingType,
                                [](const char* unit, LuMappingRecord* record) {
                                  return KX_SetLuMappingListAll(unit, record);
                                });
}

namespace {

// The int the core returns beside a host group's mapping, as the Object
// that element 0 of the result can hold: a java.lang.Integer. Null with an
// exception pending when it cannot be made.
jobject boxed_int(JNIEnv* env, int32_t value) {
  LocalRef<jclass> integer(env, env->FindClass("java/lang/Integer"));
  if (!integer) return nullptr;
  jmethodID value_of = env->GetStaticMethodID(integer.get(), "valueOf",
                                              "(I)Ljava/lang/Integer;");
  if (value_of == nullptr) return nullptr;
  jobject boxed = env->CallStaticObjectMethod(integer.get(), value_of, value);
  if (env->ExceptionCheck()) {
    if (boxed != nullptr) env->DeleteLocalRef(boxed);
    return nullptr;
  }
  return boxed;
}

}  // namespace

// Hand-written: the result is an Object[2] holding the core's int (boxed as
// an Integer) and the host group's mapping; the mapping and the int live on
// the stack. A failed array or mapping returns null with its exception
// pending; a failed store raises ERR_MARSHAL.
JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetLuMappingList(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jint arg2, jint arg3) {
  flush_output();
  char unit[kUnitNameSize];
  if (!convert_required(env, unit_name, unit)) return nullptr;
  int32_t value = 0;
  LuMappingHGInfoRecord mapping = {};
  if (!core_succeeded(env, KX_GetLuMappingList(unit, arg1, arg2, arg3, &value,
                                               &mapping))) {
    return nullptr;
  }
  LocalRef<jobjectArray> result(env,
                                new_record_array(env, "java/lang/Object", 2));
  if (!result) return nullptr;
  {
    LocalRef<jobject> boxed(env, boxed_int(env, value));
    if (!boxed) {
      raise_error(env, ERR_MARSHAL);
      return nullptr;
    }
    env->SetObjectArrayElement(result.get(), 0, boxed.get());
    if (env->ExceptionCheck()) {
      raise_error(env, ERR_MARSHAL);
      return nullptr;
    }
  }
  LocalRef<jobject> element(env,
                            build_record(env, kLuMappingHGInfoType, &mapping));
  if (!element) return nullptr;
  env->SetObjectArrayElement(result.get(), 1, element.get());
  if (env->ExceptionCheck()) {
    raise_error(env, ERR_MARSHAL);
    return nullptr;
  }
  flush_output();
  return result.release();
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetLuMappingList(
    JNIEnv* env, jclass, jstring unit_name, jint arg1, jint arg2, jint arg3,
    jint arg4, jobject mapping) {
  record_write<LuMappingHGInfoRecord>(
      env, unit_name, mapping, kLuMappingHGInfoType,
      [=](const char* unit, LuMappingHGInfoRecord* record) {
        return KX_SetLuMappingList(unit, arg1, arg2, arg3, arg4, record);
      });
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1ChangeMappingMode(
    JNIEnv* env, jclass, jstring unit_name, jint arg) {
  action(env, unit_name,
         [arg](const char* unit) { return KX_ChangeMappingMode(unit, arg); });
}
