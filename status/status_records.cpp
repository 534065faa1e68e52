#include "status/status_records.h"

#include "bridge/record_registry.h"
#include "kx_status.h"

namespace kx {
namespace {

constexpr FieldSpec kCacheStatusFields[] = {
    KX_FIELD(int32, CacheStatusRecord, option),
    KX_FIELD(int32, CacheStatusRecord, condition),
};

constexpr FieldSpec kDiskDriveFields[] = {
    KX_FIELD(int32, DiskDriveRecord, port_no),
    KX_FIELD(int32, DiskDriveRecord, row_no),
    KX_FIELD(int32, DiskDriveRecord, mount),
    KX_FIELD(int32, DiskDriveRecord, attribute),
    KX_FIELD(int32, DiskDriveRecord, drv_state),
    KX_FIELD(int32, DiskDriveRecord, spare_of_disk_port),
    KX_FIELD(int32, DiskDriveRecord, spare_of_disk_row),
};

constexpr FieldSpec kDiskDriveInformationFields[] = {
    KX_FIELD(text, DiskDriveInformationRecord, vendor),
    KX_FIELD(text, DiskDriveInformationRecord, product),
    KX_FIELD(text, DiskDriveInformationRecord, revision),
    KX_FIELD(int32, DiskDriveInformationRecord, lastLBA),
};

constexpr FieldSpec kDriveReconstructInformationFields[] = {
    KX_FIELD(int32, DriveReconstructInformationRecord, valid),
    KX_FIELD(int32, DriveReconstructInformationRecord, status_code),
    KX_FIELD(int32, DriveReconstructInformationRecord, progress_ratio),
    KX_FIELD(int32, DriveReconstructInformationRecord, hdu_no),
    KX_FIELD(int32, DriveReconstructInformationRecord, unit_no),
};

constexpr FieldSpec kBaseInformationFields[] = {
    KX_FIELD(text, BaseInformationRecord, micro),
    KX_FIELD(int32, BaseInformationRecord, kx_type),
    KX_FIELD(int32, BaseInformationRecord, device_type),
    KX_FIELD(int32, BaseInformationRecord, port_type),
    KX_FIELD(int32, BaseInformationRecord, unit_conf),
    KX_FIELD(int32, BaseInformationRecord, sup_rglevel),
    KX_FIELD(int32, BaseInformationRecord, reserved1),
    KX_FIELD(int32, BaseInformationRecord, reserved2),
};

constexpr FieldSpec kLogicalInformationFields[] = {
    KX_FIELD(int32, LogicalInformationRecord, index),
    KX_FIELD(int32, LogicalInformationRecord, rg_count),
    KX_FIELD(int32, LogicalInformationRecord, lu_count),
    KX_FIELD(int32, LogicalInformationRecord, perm_count),
    KX_FIELD(int32, LogicalInformationRecord, ext_bitmap),
    KX_FIELD(int32, LogicalInformationRecord, hg_count),
    KX_FIELD(int32, LogicalInformationRecord, reboot_time),
    KX_FIELD(int32, LogicalInformationRecord, replace_time),
    KX_FIELD(int_array, LogicalInformationRecord, reserved),
};

constexpr FieldSpec kPhysicalInformationFields[] = {
    KX_FIELD(int32, PhysicalInformationRecord, index),
    KX_FIELD(int32, PhysicalInformationRecord, cache_count),
    KX_FIELD(int32, PhysicalInformationRecord, ps_count),
    KX_FIELD(int32, PhysicalInformationRecord, fan_count),
    KX_FIELD(int32, PhysicalInformationRecord, ac_count),
    KX_FIELD(int32, PhysicalInformationRecord, batt_count),
    KX_FIELD(int32, PhysicalInformationRecord, battbk_count),
    KX_FIELD(int32, PhysicalInformationRecord, hdd_hdu_count),
    KX_FIELD(int32, PhysicalInformationRecord, hdd_unit_count),
    KX_FIELD(int32, PhysicalInformationRecord, sp_count),
    KX_FIELD(int32, PhysicalInformationRecord, enc_count),
    KX_FIELD(int32, PhysicalInformationRecord, loop_count),
    KX_FIELD(int32, PhysicalInformationRecord, port_count),
    KX_FIELD(int32, PhysicalInformationRecord, unit_count),
    KX_FIELD(int32, PhysicalInformationRecord, ps_unit_count),
    KX_FIELD(int32, PhysicalInformationRecord, fan_unit_count),
    KX_FIELD(int32, PhysicalInformationRecord, enc_unit_count),
    KX_FIELD(int_array, PhysicalInformationRecord, reserved),
};

}  // namespace

// The nested types are constexpr so that the tables of the records holding
// them are constant too: no order of initialisation between the types.
constexpr RecordType kCacheStatusType =
    record_type(KX_RECORD_CLASS("CacheStatus"), sizeof(CacheStatusRecord),
                kCacheStatusFields);

constexpr RecordType kBaseInformationType =
    record_type(KX_RECORD_CLASS("BaseInformation"),
                sizeof(BaseInformationRecord), kBaseInformationFields);

constexpr RecordType kLogicalInformationType =
    record_type(KX_RECORD_CLASS("LogicalInformation"),
                sizeof(LogicalInformationRecord), kLogicalInformationFields);

constexpr RecordType kPhysicalInformationType =
    record_type(KX_RECORD_CLASS("PhysicalInformation"),
                sizeof(PhysicalInformationRecord), kPhysicalInformationFields);

namespace {

// Texts skip on failure; every int, byte, list and array aborts the builder.
constexpr FieldSpec kUnitConditionFields[] = {
    KX_FIELD(text, UnitConditionRecord, micro),
    KX_FIELD(text, UnitConditionRecord, micro_pair),
    KX_FIELD(int32, UnitConditionRecord, max_slot),
    KX_NESTED(record_array, UnitConditionRecord, cache, kCacheStatusType),
    KX_NESTED(record_array, UnitConditionRecord, cache2, kCacheStatusType),
    KX_FIELD(byte_list, UnitConditionRecord, ps),
    KX_FIELD(byte_list, UnitConditionRecord, fan),
    KX_FIELD(byte_list, UnitConditionRecord, ac),
    KX_FIELD(byte_list, UnitConditionRecord, batt),
    KX_FIELD(byte_list, UnitConditionRecord, batt_bk),
    KX_FIELD(signed_byte, UnitConditionRecord, device_type),
    KX_FIELD(text, UnitConditionRecord, ctl0_flush),
    KX_FIELD(text, UnitConditionRecord, ctl1_flush),
    KX_FIELD(text, UnitConditionRecord, ctl0_ip),
    KX_FIELD(text, UnitConditionRecord, ctl1_ip),
    KX_FIELD(text, UnitConditionRecord, ctl0_subnet),
    KX_FIELD(text, UnitConditionRecord, ctl1_subnet),
    KX_FIELD(text, UnitConditionRecord, ctl0_gateway),
    KX_FIELD(text, UnitConditionRecord, ctl1_gateway),
    KX_FIELD(unsigned_byte, UnitConditionRecord, controller_condition),
    KX_FIELD(byte_list, UnitConditionRecord, enclosure),
    KX_FIELD(byte_list, UnitConditionRecord, loop),
    KX_FIELD(text, UnitConditionRecord, serial),
    KX_FIELD(int32, UnitConditionRecord, ctl_num),
};

constexpr FieldSpec kUnitInformationFields[] = {
    KX_NESTED(record, UnitInformationRecord, b_info, kBaseInformationType),
    KX_NESTED(record, UnitInformationRecord, l_info, kLogicalInformationType),
    KX_NESTED(record, UnitInformationRecord, p_info, kPhysicalInformationType),
};

}  // namespace

constexpr RecordType kUnitConditionType =
    record_type(KX_RECORD_CLASS("UnitCondition"), sizeof(UnitConditionRecord),
                kUnitConditionFields);

constexpr RecordType kDiskDriveType = record_type(
    KX_RECORD_CLASS("DiskDrive"), sizeof(DiskDriveRecord), kDiskDriveFields);

constexpr RecordType kDiskDriveInformationType = record_type(
    KX_RECORD_CLASS("DiskDriveInformation"), sizeof(DiskDriveInformationRecord),
    kDiskDriveInformationFields);

constexpr RecordType kDriveReconstructInformationType =
    record_type(KX_RECORD_CLASS("DriveReconstructInformation"),
                sizeof(DriveReconstructInformationRecord),
                kDriveReconstructInformationFields);

constexpr RecordType kUnitInformationType =
    record_type(KX_RECORD_CLASS("UnitInformation"),
                sizeof(UnitInformationRecord), kUnitInformationFields);

// Registered for the tests that check every table against its class.
KX_REGISTER_RECORD(kCacheStatusType);
KX_REGISTER_RECORD(kBaseInformationType);
KX_REGISTER_RECORD(kLogicalInformationType);
KX_REGISTER_RECORD(kPhysicalInformationType);
KX_REGISTER_RECORD(kUnitConditionType);
KX_REGISTER_RECORD(kDiskDriveType);
KX_REGISTER_RECORD(kDiskDriveInformationType);
KX_REGISTER_RECORD(kDriveReconstructInformationType);
KX_REGISTER_RECORD(kUnitInformationType);

}  // namespace kx
