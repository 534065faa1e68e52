// The array-wide snapshot: one core call fills the whole record of a unit,
// and one field table converts it, each embedded record with the builder of
// the area that owns it.
//
// Every call has its own snapshot record, taken from the heap and freed
// before the call returns, so concurrent calls never share one; a heap that
// cannot give it raises ERR_NO_MEMORY. Any part that cannot be built fails
// the whole snapshot with ERR_MARSHAL: no partial snapshot reaches Java.
#include "bridge/native.h"
#include "bridge/record_registry.h"
#include "connectivity/connectivity_records.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_core.h"
#include "parameters/parameter_records.h"
#include "status/status_records.h"
#include "storage/special_lu_records.h"
#include "storage/storage_records.h"
#include "units/user_records.h"
#include "wizard/wizard_records.h"

namespace kx {
namespace {

using Snapshot = ArrayAllInformationRecord;

// In the order the fields are set. The unconverted block and the unused
// bytes after the host-group list, the online system parameters and the
// tuning parameters are not read. The nested types live in other files, so
// the table is filled when the library loads, from their constant tables.
const FieldSpec kSnapshotFields[] = {
    KX_NESTED(record_array, Snapshot, unit_conditions, kUnitConditionType),
    KX_NESTED(record_array, Snapshot, drive_status, kDiskDriveType),
    KX_NESTED(record_array, Snapshot, drive_info, kDiskDriveInformationType),
    KX_NESTED(record_array, Snapshot, raid, kRaidGroupType),
    KX_NESTED(record_array, Snapshot, lu, kLogicalUnitType),
    KX_NESTED(record, Snapshot, lu_coup, kCouplingInfoType),
    KX_NESTED(record, Snapshot, integration_lu, kIntegrationLUInfoType),
    KX_NESTED(record, Snapshot, turbo_lu, kTurboLuType),
    KX_MATRIX(Snapshot, target_id, kTargetIdType,
              "[[Lkorvane/str/diskarray/TargetId;"),
    KX_NESTED(record_array, Snapshot, lan_info, kLANInformationType),
    KX_NESTED(record_array, Snapshot, sync_ctrl, kSyncControlType),
    KX_NESTED(record, Snapshot, rest_info, kDiskDriveRestorationType),
    KX_NESTED(record, Snapshot, prefetch_info, kPrefetchInformationType),
    KX_NESTED(record, Snapshot, verify, kOnlineVerifyType),
    KX_NESTED(record_array, Snapshot, fibre_info, kFibreInformationType),
    KX_NESTED(record, Snapshot, user_reg_info, kUserInformationType),
    KX_NESTED(record, Snapshot, comdev, kCommandDeviceType),
    KX_NESTED(record_array, Snapshot, on_opt, kNowWZParameterType),
    KX_NESTED(record, Snapshot, rvrfsrc, kRvrfSrcInfoType),
    KX_NESTED(record, Snapshot, unit_info, kUnitInformationType),
    KX_FIELD(int_array, Snapshot, alert),
    KX_NESTED(record, Snapshot, hg, kHGListType),
    KX_NESTED(record, Snapshot, hgopt, kHGOptionType),
    KX_NESTED(record, Snapshot, portopt, kPortOptionType),
    KX_NESTED(record, Snapshot, lumap, kLuMappingType),
    KX_NESTED(record, Snapshot, wwn, kWWNInformationType),
    KX_NESTED(record, Snapshot, wwnhg, kWWNHGInformationType),
    KX_NESTED(record, Snapshot, on_sysparam, kOnlineSystemParamType),
    KX_NESTED(record, Snapshot, on_tuning, kOnlineTuningParamType),
    KX_NESTED(record, Snapshot, tuning, kTuningParamType),
    KX_NESTED(record, Snapshot, unit_identifier, kUnitIdentifierType),
    KX_FIELD(int_array, Snapshot, ctrl_condition),
    KX_FIELD(int32, Snapshot, last_lu),
};

}  // namespace

const RecordType kArrayAllInformationType =
    record_type(KX_RECORD_CLASS("ArrayAllInformation"), sizeof(Snapshot),
                kSnapshotFields);
KX_REGISTER_RECORD(kArrayAllInformationType);

}  // namespace kx

using namespace kx;

JNIEXPORT jobject JNICALL
Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetAllInformation(
    JNIEnv* env, jclass, jstring unit_name) {
  return native(env, KX_GetAllInformation, unit_name_arg(unit_name),
                record_out<ArrayAllInformationRecord>(kArrayAllInformationType));
}
