#include "wizard/wizard_records.h"

#include "bridge/record_registry.h"
#include "connectivity/connectivity_records.h"
#include "kx_wizard.h"

namespace kx {
namespace {

constexpr FieldSpec kWZDualConfigFields[] = {
    KX_FIELD(int32, WZDualConfigRecord, startup_attr),
    KX_FIELD(int32, WZDualConfigRecord, data_share),
    KX_FIELD(int32, WZDualConfigRecord, spare_disk),
    KX_FIELD(int32, WZDualConfigRecord, connection_mode),
    KX_FIELD(text, WZDualConfigRecord, serial),
    KX_FIELD(byte_list, WZDualConfigRecord, port_d_ctl),
    KX_FIELD(int32, WZDualConfigRecord, id_taking_over),
    KX_FIELD(int_matrix, WZDualConfigRecord, port_cnnct_mode1),
    KX_FIELD(int_matrix, WZDualConfigRecord, port_cnnct_mode2),
    KX_FIELD(int32, WZDualConfigRecord, delay_time),
    KX_FIELD(int32, WZDualConfigRecord, hp2_support),
    KX_FIELD(int32, WZDualConfigRecord, add_bat_unit),
};

constexpr FieldSpec kWZDriveCapacityFields[] = {
    KX_FIELD(int_array, WZDriveCapacityRecord, row),
    KX_FIELD(int32, WZDriveCapacityRecord, spare),
};

// One table serves the three option classes.
constexpr FieldSpec kWZOptionFields[] = {
    KX_FIELD(int32, WZOptionRecord, common),
    KX_FIELD(int32, WZOptionRecord, scsi),
    KX_FIELD(int32, WZOptionRecord, fibre),
};

// The LUN-list and synchronous-port elements have connectivity's layouts
// and field names; only the classes differ.
static_assert(sizeof(WZTargetLunListRecord) == sizeof(TargetLunListRecord) &&
                  sizeof(WZSyncPortRecord) == sizeof(SyncPortRecord),
              "the wizard's elements are connectivity's");
constexpr RecordType kWZTargetLunListTypeDef =
    record_type(KX_RECORD_CLASS("WZTargetLunList"),
                sizeof(WZTargetLunListRecord), kTargetLunListFields);

constexpr RecordType kWZSyncPortTypeDef =
    record_type(KX_RECORD_CLASS("WZSyncPort"), sizeof(WZSyncPortRecord),
                kSyncPortFields);

constexpr RecordType kWZDualConfigType =
    record_type(KX_RECORD_CLASS("WZDualConfig"), sizeof(WZDualConfigRecord),
                kWZDualConfigFields);
constexpr RecordType kWZDriveCapacityType =
    record_type(KX_RECORD_CLASS("WZDriveCapacity"),
                sizeof(WZDriveCapacityRecord), kWZDriveCapacityFields);
constexpr RecordType kWZOptionType = record_type(
    KX_RECORD_CLASS("WZOption"), sizeof(WZOptionRecord), kWZOptionFields);
constexpr RecordType kWZEnhancedOptionType =
    record_type(KX_RECORD_CLASS("WZEnhancedOption"), sizeof(WZOptionRecord),
                kWZOptionFields);
constexpr RecordType kWZPortOptionType = record_type(
    KX_RECORD_CLASS("WZPortOption"), sizeof(WZOptionRecord), kWZOptionFields);

constexpr FieldSpec kWZTargetConfigFields[] = {
    KX_FIELD(signed_byte, WZTargetConfigRecord, single),
    KX_FIELD(byte_array, WZTargetConfigRecord, multi),
    KX_NESTED(record_array, WZTargetConfigRecord, mapping,
              kWZTargetLunListTypeDef),
};

constexpr RecordType kWZTargetConfigType =
    record_type(KX_RECORD_CLASS("WZTargetConfig"), sizeof(WZTargetConfigRecord),
                kWZTargetConfigFields);

constexpr FieldSpec kWZTargetIdFields[] = {
    KX_FIELD(int32, WZTargetIdRecord, ctrl_flag),
    KX_FIELD(int32, WZTargetIdRecord, target_id_mode),
    KX_NESTED(record_array, WZTargetIdRecord, target_config,
              kWZTargetConfigType),
};

constexpr FieldSpec kWZModeParamFields[] = {
    KX_FIELD(int32, WZModeParamRecord, striping),
    KX_FIELD(int32, WZModeParamRecord, buzzer),
    KX_FIELD(int32, WZModeParamRecord, lu_size_report),
    KX_FIELD(int32, WZModeParamRecord, reset),
    KX_FIELD(int32, WZModeParamRecord, failures),
};

constexpr FieldSpec kWZInquiryFields[] = {
    KX_FIELD(int32, WZInquiryRecord, command_que),
    KX_FIELD(int32, WZInquiryRecord, ansi_version),
    KX_FIELD(int32, WZInquiryRecord, cache_mode),
    KX_FIELD(text, WZInquiryRecord, vendor),
    KX_FIELD(text, WZInquiryRecord, product),
    KX_FIELD(text, WZInquiryRecord, rom_micro),
    KX_FIELD(text, WZInquiryRecord, ram_micro),
    KX_FIELD(text, WZInquiryRecord, web_title),
    KX_FIELD(int32, WZInquiryRecord, link_separation),
};

constexpr FieldSpec kWZPortTypeFields[] = {
    KX_FIELD(int32, WZPortTypeRecord, port_type),
    KX_FIELD(int_array, WZPortTypeRecord, port_mode),
    KX_NESTED(record_array, WZPortTypeRecord, port_option, kWZPortOptionType),
};

constexpr FieldSpec kWZRomResponseFields[] = {
    KX_FIELD(int32, WZRomResponseRecord, mode),
    KX_FIELD(int_array, WZRomResponseRecord, port_save_data),
};

constexpr FieldSpec kWZControllerOptionFields[] = {
    KX_FIELD(int32, WZControllerOptionRecord, id_mode),
    KX_FIELD(text, WZControllerOptionRecord, id_front),
    KX_FIELD(text, WZControllerOptionRecord, id_rear),
    KX_FIELD(int32, WZControllerOptionRecord, error_out_mode),
    KX_FIELD(int32, WZControllerOptionRecord, write_verify_mode),
};

constexpr FieldSpec kWZLanConfigFields[] = {
    KX_FIELD(unsigned_byte, WZLanConfigRecord, lan_connect),
    KX_FIELD(unsigned_byte, WZLanConfigRecord, dhcp_mode),
    KX_FIELD(text, WZLanConfigRecord, ip_address),
    KX_FIELD(text, WZLanConfigRecord, subnet),
    KX_FIELD(text, WZLanConfigRecord, gateway),
    KX_FIELD(text, WZLanConfigRecord, ether),
};

constexpr FieldSpec kWZSyncControlFields[] = {
    KX_NESTED(record_array, WZSyncControlRecord, port_val, kWZSyncPortTypeDef),
};

constexpr RecordType kWZTargetIdTypeDef =
    record_type(KX_RECORD_CLASS("WZTargetId"), sizeof(WZTargetIdRecord),
                kWZTargetIdFields);

constexpr RecordType kWZModeParamType =
    record_type(KX_RECORD_CLASS("WZModeParam"), sizeof(WZModeParamRecord),
                kWZModeParamFields);
constexpr RecordType kWZInquiryType = record_type(
    KX_RECORD_CLASS("WZInquiry"), sizeof(WZInquiryRecord), kWZInquiryFields);
constexpr RecordType kWZPortTypeType = record_type(
    KX_RECORD_CLASS("WZPortType"), sizeof(WZPortTypeRecord), kWZPortTypeFields);
constexpr RecordType kWZRomResponseType =
    record_type(KX_RECORD_CLASS("WZRomResponse"), sizeof(WZRomResponseRecord),
                kWZRomResponseFields);
constexpr RecordType kWZControllerOptionType =
    record_type(KX_RECORD_CLASS("WZControllerOption"),
                sizeof(WZControllerOptionRecord), kWZControllerOptionFields);
constexpr RecordType kWZLanConfigType =
    record_type(KX_RECORD_CLASS("WZLanConfig"), sizeof(WZLanConfigRecord),
                kWZLanConfigFields);
constexpr RecordType kWZSyncControlType =
    record_type(KX_RECORD_CLASS("WZSyncControl"), sizeof(WZSyncControlRecord),
                kWZSyncControlFields);

constexpr FieldSpec kWizardParamFields[] = {
    KX_FIELD(int32, WizardParamRecord, fd_backup),
    KX_NESTED(record, WizardParamRecord, dual_conf, kWZDualConfigType),
    KX_NESTED(record, WizardParamRecord, drive_capacity, kWZDriveCapacityType),
    KX_NESTED(record, WizardParamRecord, option, kWZOptionType),
    KX_NESTED(record, WizardParamRecord, e_option, kWZEnhancedOptionType),
    KX_NESTED(record, WizardParamRecord, e_option2, kWZEnhancedOptionType),
    KX_NESTED(record_array, WizardParamRecord, target_id, kWZTargetIdTypeDef),
    KX_NESTED(record, WizardParamRecord, mode_param, kWZModeParamType),
    KX_NESTED(record, WizardParamRecord, inquiry, kWZInquiryType),
    KX_NESTED(record_array, WizardParamRecord, port_type, kWZPortTypeType),
    KX_NESTED(record_array, WizardParamRecord, rom_response,
              kWZRomResponseType),
    KX_NESTED(record_array, WizardParamRecord, ctl_opt,
              kWZControllerOptionType),
    KX_NESTED(record_array, WizardParamRecord, lan_conf, kWZLanConfigType),
    KX_NESTED(record_array, WizardParamRecord, sync_control,
              kWZSyncControlType),
};

constexpr FieldSpec kNowWZPortOptionsFields[] = {
    KX_FIELD(int_matrix, NowWZPortOptionsRecord, mode),
    KX_FIELD(int32, NowWZPortOptionsRecord, hp2_support),
};

constexpr FieldSpec kNowWZCtrlIdFields[] = {
    KX_FIELD(text, NowWZCtrlIdRecord, id_front),
    KX_FIELD(text, NowWZCtrlIdRecord, id_rear),
    KX_FIELD(int32, NowWZCtrlIdRecord, ctrl_name_mode),
};

constexpr RecordType kWizardParamTypeDef =
    record_type(KX_RECORD_CLASS("WizardParam"), sizeof(WizardParamRecord),
                kWizardParamFields);

constexpr RecordType kNowWZPortOptionsTypeDef =
    record_type(KX_RECORD_CLASS("NowWZPortOptions"),
                sizeof(NowWZPortOptionsRecord), kNowWZPortOptionsFields);

constexpr RecordType kNowWZCtrlIdTypeDef =
    record_type(KX_RECORD_CLASS("NowWZCtrlId"), sizeof(NowWZCtrlIdRecord),
                kNowWZCtrlIdFields);

constexpr FieldSpec kNowWZParameterFields[] = {
    KX_FIELD(int32, NowWZParameterRecord, fd_backup),
    KX_NESTED(record, NowWZParameterRecord, port_option,
              kNowWZPortOptionsTypeDef),
    KX_NESTED(record, NowWZParameterRecord, ctrl_id, kNowWZCtrlIdTypeDef),
};

constexpr RecordType kNowWZParameterTypeDef =
    record_type(KX_RECORD_CLASS("NowWZParameter"), sizeof(NowWZParameterRecord),
                kNowWZParameterFields);

}  // namespace

const RecordType kWZTargetLunListType = kWZTargetLunListTypeDef;
const RecordType kWZSyncPortType = kWZSyncPortTypeDef;
const RecordType kWZTargetIdType = kWZTargetIdTypeDef;
const RecordType kWizardParamType = kWizardParamTypeDef;
const RecordType kNowWZPortOptionsType = kNowWZPortOptionsTypeDef;
const RecordType kNowWZCtrlIdType = kNowWZCtrlIdTypeDef;
const RecordType kNowWZParameterType = kNowWZParameterTypeDef;

// Registered for the tests that check every table against its class.
// WZTargetId, which the target-ID import builds, is reached through
// WizardParam's target_id.
KX_REGISTER_RECORD(kWizardParamType);
KX_REGISTER_RECORD(kNowWZParameterType);

}  // namespace kx
