// Native methods of the RAID group and LU configuration files.
#include <cstddef>
#include <cstdint>

#include "bridge/native.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "storage/storage_records.h"

using namespace kx;

namespace {

// What KX_RaidLuImport returns: one Object[] holding the RaidGroup objects
// of the 45-entry table at 0..44 and the LogicalUnit objects of the
// 512-entry table from 45 on. The core fills the two tables through two
// pointers. A record that cannot be built ends its own section (the rest of
// the section stays null, the LUs still start at 45); an exception left
// pending by a build or a store ends the call with ERR_MARSHAL, since no
// further JNI call may run.
class RaidLuImportOut {
 public:
  static constexpr bool kResult = true;
  using Java = jobjectArray;
  static constexpr size_t kSlots = kRaidGroupCapacity + kLogicalUnitCapacity;

  [[nodiscard]] bool prepare(CallContext& call) {
    raid_groups_ =
        heap_new<RaidGroupRecord>(sizeof(RaidGroupRecord) * kRaidGroupCapacity);
    logical_units_ = heap_new<LogicalUnitRecord>(sizeof(LogicalUnitRecord) *
                                                 kLogicalUnitCapacity);
    if (!raid_groups_ || !logical_units_) {
      raise_error(call.env, ERR_NO_MEMORY);
      return false;
    }
    return true;
  }
  std::tuple<RaidGroupRecord*, LogicalUnitRecord*> args() {
    return {raid_groups_.get(), logical_units_.get()};
  }
  Java failure() const { return nullptr; }
  [[nodiscard]] bool finish(CallContext& call, Java& out) {
    JNIEnv* env = call.env;
    // Without the array, its lookup's or allocation's exception stands.
    jclass object_class = call.lookups.find("java/lang/Object");
    if (object_class == nullptr) return false;
    LocalRef<jobjectArray> array(
        env,
        env->NewObjectArray(static_cast<jsize>(kSlots), object_class, nullptr));
    if (!array) return false;
    if (!fill(call, array.get(), kRaidGroupType, raid_groups_.get(),
              kRaidGroupCapacity, 0) ||
        !fill(call, array.get(), kLogicalUnitType, logical_units_.get(),
              kLogicalUnitCapacity, kRaidGroupCapacity)) {
      raise_error(env, ERR_MARSHAL);
      return false;
    }
    out = array.release();
    return true;
  }

 private:
  // False when an exception is pending.
  static bool fill(CallContext& call, jobjectArray array,
                   const RecordType& type, const void* records, size_t count,
                   size_t first) {
    JNIEnv* env = call.env;
    const auto* base = static_cast<const uint8_t*>(records);
    for (size_t i = 0; i < count; ++i) {
      LocalRef<jobject> element(
          env, build_record(call.lookups, type, base + i * type.size));
      if (!element) return !env->ExceptionCheck();
      env->SetObjectArrayElement(array, static_cast<jsize>(first + i),
                                 element.get());
      if (env->ExceptionCheck()) return false;
    }
    return true;
  }

  HeapPtr<RaidGroupRecord> raid_groups_;
  HeapPtr<LogicalUnitRecord> logical_units_;
};

}  // namespace

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1RgLuFileOutput(
    JNIEnv* env, jclass, jstring unit_name, jstring file_name) {
  native(env, KX_RgLuFileOutput, unit_name_arg(unit_name),
         long_text_arg(file_name));
}

JNIEXPORT void JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1RaidLuExport(
    JNIEnv* env, jclass, jstring unit_name, jstring file_name) {
  native(env, KX_RaidLuExport, unit_name_arg(unit_name),
         long_text_arg(file_name));
}

JNIEXPORT jobjectArray JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1RaidLuImport(
    JNIEnv* env, jclass, jstring unit_name, jstring file_name) {
  return native(env, KX_RaidLuImport, unit_name_arg(unit_name),
                long_text_arg(file_name), RaidLuImportOut());
}
