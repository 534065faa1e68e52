// Native methods of coupled, unified and turbo LUs and of PIN information.
#include "bridge/native.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "storage/special_lu_records.h"

using namespace kx;

namespace {

// The TurboLu argument of KX_SetTurboLU. It differs from record_in only for
// a null object, which its reader reports like any other record it cannot
// read: ERR_MARSHAL, and the core is not called.
class TurboLuIn : public RecordIn<TurboLuRecord> {
 public:
  explicit TurboLuIn(jobject turbo)
      : RecordIn<TurboLuRecord>(turbo, kTurboLuType), turbo_(turbo) {}
  [[nodiscard]] bool prepare(CallContext& call) {
    if (turbo_ == nullptr) {
      raise_error(call.env, ERR_MARSHAL);
      return false;
    }
    return RecordIn<TurboLuRecord>::prepare(call);
  }

 private:
  jobject turbo_;
};

}  // namespace

JNIEXPORT jint JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetPinInfoGetTime(
    JNIEnv* env, jclass, jstring unit_name, jint arg) {
  return native(env, KX_GetPinInfoGetTime, unit_name_arg(unit_name),
                int_arg(arg), int_out());
}

JNIEXPORT jint JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetPinInfo(JNIEnv* env,
                                                              jclass,
                                                              jstring unit_name,
                                                              jint arg) {
  return native(env, KX_GetPinInfo, unit_name_arg(unit_name), int_arg(arg),
                int_out());
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetCouplingInfo(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetCouplingInfo, unit_name_arg(unit_name),
                record_out<CouplingInfoRecord>(kCouplingInfoType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetIntegrationLU(
    JNIEnv* env, jclass, jstring unit_name, jobject request) {
  native(env, KX_SetIntegrationLU, unit_name_arg(unit_name),
         record_in<UnifiedLuRequestRecord>(request, kUnifiedLuRequestType));
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetIntegrationPinInfo(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetIntegrationPinInfo, unit_name_arg(unit_name),
                record_out<PINInformationRecord>(kPINInformationType));
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetTurboLU(
    JNIEnv* env, jclass, jstring unit_name) {
  return native<Quiet>(env, KX_GetTurboLU, unit_name_arg(unit_name),
                       record_out<TurboLuRecord>(kTurboLuType));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetTurboLU(JNIEnv* env,
                                                              jclass,
                                                              jstring unit_name,
                                                              jobject turbo) {
  native<Quiet>(env, KX_SetTurboLU, unit_name_arg(unit_name), TurboLuIn(turbo));
}

JNIEXPORT jintArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetPinInfo2(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetPinInfo2, unit_name_arg(unit_name),
                ints_out<kPerLuCapacity>());
}

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1IntegrationLUInfo(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_IntegrationLUInfo, unit_name_arg(unit_name),
                record_out<IntegrationLUInfoRecord>(kIntegrationLUInfoType));
}
