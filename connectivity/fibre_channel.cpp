// Native methods of Fibre Channel ports and their LUN security.
#include <algorithm>

#include "bridge/native.h"
#include "connectivity/connectivity_records.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"

using namespace kx;

namespace {

// The permission import's result: the core writes a count and up to 128
// entries into storage of the call's own, and the array has as many
// elements as the count, kept within 0..128 so that no count the core
// reports reads past the table.
class PermissionTable {
 public:
  static constexpr bool kResult = true;
  using Java = jobjectArray;

  [[nodiscard]] bool prepare(CallContext&) { return true; }
  std::tuple<int32_t*, FibreInformationPermissionRecord*> args() {
    return {&count_, table_};
  }
  Java failure() const { return nullptr; }
  [[nodiscard]] bool finish(CallContext& call, Java& out) {
    const size_t count = static_cast<size_t>(
        std::clamp<int32_t>(count_, 0, static_cast<int32_t>(kHostGroupCapacity)));
    LocalRef<jobjectArray> array(
        call.env, new_record_array(call.lookups, kFibreInformationPermissionType,
                                   static_cast<jsize>(count)));
    if (!array) return false;
    fill_record_array(call.lookups, array.get(),
                      kFibreInformationPermissionType, table_, count,
                      call.stop_at_failed_element);
    out = array.release();
    return true;
  }

 private:
  int32_t count_ = 0;
  FibreInformationPermissionRecord table_[kHostGroupCapacity] = {};
};

}  // namespace

JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetFibreInformation(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetFibreInformation, unit_name_arg(unit_name),
                record_pair<FibreInformationRecord>(kFibreInformationType));
}

// Each object is read into a record of its own.
JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetFibreInformation(
    JNIEnv* env, jclass, jstring unit_name, jobject first, jobject second) {
  native(env, KX_SetFibreInformation, unit_name_arg(unit_name),
         record_in<FibreInformationRecord>(first, kFibreInformationType),
         record_in<FibreInformationRecord>(second, kFibreInformationType));
}

// The later family: no flush, and every element stored whatever its builder
// returned; the count sizes the array (PermissionTable above).
JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1FibreInfoPermissionImport(
    JNIEnv* env, jclass, jstring unit_name, jstring file_name, jint arg1,
    jint arg2) {
  return native<Quiet>(env, KX_FibreInfoPermissionImport,
                       unit_name_arg(unit_name), long_text_arg(file_name),
                       int_arg(arg1), int_arg(arg2), PermissionTable());
}
