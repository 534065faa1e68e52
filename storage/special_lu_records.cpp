#include "storage/special_lu_records.h"

#include "bridge/record_registry.h"
#include "kx_special_lus.h"

namespace kx {
namespace {

constexpr FieldSpec kCouplingLUFields[] = {
    KX_FIELD(int32, CouplingLURecord, primary_stat),
    KX_FIELD(int32, CouplingLURecord, second_stat),
    KX_FIELD(int32, CouplingLURecord, primary_lu),
    KX_FIELD(int32, CouplingLURecord, second_lu),
};

constexpr RecordType kCouplingLUType = record_type(
    KX_RECORD_CLASS("CouplingLU"), sizeof(CouplingLURecord), kCouplingLUFields);

constexpr FieldSpec kCouplingInfoFields[] = {
    KX_FIELD(int32, CouplingInfoRecord, quel_lite),
    KX_FIELD(int32, CouplingInfoRecord, coupling_num),
    KX_NESTED(record_array, CouplingInfoRecord, coupling, kCouplingLUType),
};

// child_lun is always a new int[512], whatever child_lu_count says.
constexpr FieldSpec kUniteLUFields[] = {
    KX_FIELD(int32, UniteLURecord, unite_info),
    KX_FIELD(int32, UniteLURecord, status),
    KX_FIELD(int32, UniteLURecord, capacity),
    KX_FIELD(int32, UniteLURecord, child_lu_count),
    KX_FIELD(int_array, UniteLURecord, child_lun),
};

constexpr RecordType kUniteLUType = record_type(
    KX_RECORD_CLASS("UniteLU"), sizeof(UniteLURecord), kUniteLUFields);

// The Java entry array shares its name with the int that begins each entry.
constexpr FieldSpec kIntegrationLUInfoFields[] = {
    KX_FIELD(int32, IntegrationLUInfoRecord, integration_lu),
    KX_NESTED(record_array, IntegrationLUInfoRecord, unite_info, kUniteLUType),
};

constexpr FieldSpec kPINInformationFields[] = {
    KX_FIELD(int32, PINInformationRecord, unite_option),
    KX_FIELD(int_array, PINInformationRecord, single_lu),
    KX_FIELD(int_array, PINInformationRecord, unite_lu),
};

constexpr FieldSpec kTurboLuInfoFields[] = {
    KX_FIELD(int32, TurboLuInfoRecord, current_status),
    KX_FIELD(int32, TurboLuInfoRecord, current_assign),
    KX_FIELD(int32, TurboLuInfoRecord, current_lun),
    KX_FIELD(int32, TurboLuInfoRecord, reserve_assign),
    KX_FIELD(int32, TurboLuInfoRecord, reserve_lun),
};

constexpr RecordType kTurboLuInfoType =
    record_type(KX_RECORD_CLASS("TurboLu_info"), sizeof(TurboLuInfoRecord),
                kTurboLuInfoFields);

// A ctl array shorter than 2 leaves the missing entries zero; a longer one
// is cut to the two controllers.
constexpr FieldSpec kTurboLuFields[] = {
    KX_FIELD(int32, TurboLuRecord, option),
    KX_NESTED(record_array, TurboLuRecord, ctl, kTurboLuInfoType),
};

constexpr FieldSpec kUnifiedLuRequestFields[] = {
    KX_FIELD(int32, UnifiedLuRequestRecord, operation),
    KX_FIELD(int32, UnifiedLuRequestRecord, parent_lun),
    KX_FIELD(int32, UnifiedLuRequestRecord, child_lun),
};

}  // namespace

const RecordType kCouplingInfoType =
    record_type(KX_RECORD_CLASS("CouplingInfo"), sizeof(CouplingInfoRecord),
                kCouplingInfoFields);

const RecordType kIntegrationLUInfoType =
    record_type(KX_RECORD_CLASS("IntegrationLUInfo"),
                sizeof(IntegrationLUInfoRecord), kIntegrationLUInfoFields);

const RecordType kTurboLuType = record_type(
    KX_RECORD_CLASS("TurboLu"), sizeof(TurboLuRecord), kTurboLuFields);

const RecordType kPINInformationType =
    record_type(KX_RECORD_CLASS("PINInformation"), sizeof(PINInformationRecord),
                kPINInformationFields);

const RecordType kUnifiedLuRequestType = unnamed_record_type(
    sizeof(UnifiedLuRequestRecord), kUnifiedLuRequestFields);

// Registered for the tests that check every table against its class.
KX_REGISTER_RECORD(kCouplingInfoType);
KX_REGISTER_RECORD(kIntegrationLUInfoType);
KX_REGISTER_RECORD(kTurboLuType);
KX_REGISTER_RECORD(kPINInformationType);
KX_REGISTER_UNNAMED_RECORD(kUnifiedLuRequestType, "korvane/str/diskarray/IntegrationLURequest");

}  // namespace kx
