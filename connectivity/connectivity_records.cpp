#include "connectivity/connectivity_records.h"

#include "bridge/record_registry.h"
#include "kx_connectivity.h"

namespace kx {
namespace {

// A field whose failure the builder passes over: its exception, if any,
// stays pending and fails the next step that checks.
constexpr FieldSpec skipped(FieldSpec field) {
  field.on_failure = OnFailure::kSkip;
  return field;
}

// --- LAN, synchronous ports and target IDs ------------------------------------

constexpr FieldSpec kLANInformationFields[] = {
    KX_FIELD(signed_byte, LANInformationRecord, dhcp),
    KX_FIELD(text, LANInformationRecord, ip_address),
    KX_FIELD(text, LANInformationRecord, subnet),
    KX_FIELD(text, LANInformationRecord, gateway),
    KX_FIELD(text, LANInformationRecord, ether),
    KX_FIELD(signed_byte, LANInformationRecord, lan_connect),
};

constexpr RecordType kLANInformationTypeLocal =
    record_type(KX_RECORD_CLASS("LANInformation"), sizeof(LANInformationRecord),
                kLANInformationFields);
constexpr RecordType kSyncPortTypeLocal = record_type(
    KX_RECORD_CLASS("SyncPort"), sizeof(SyncPortRecord), kSyncPortFields);


constexpr FieldSpec kSyncControlFields[] = {
    KX_NESTED(record_array, SyncControlRecord, port_val, kSyncPortTypeLocal),
};

constexpr RecordType kSyncControlTypeLocal =
    record_type(KX_RECORD_CLASS("SyncControl"), sizeof(SyncControlRecord),
                kSyncControlFields);
constexpr RecordType kTargetLunListTypeLocal =
    record_type(KX_RECORD_CLASS("TargetLunList"), sizeof(TargetLunListRecord),
                kTargetLunListFields);


constexpr FieldSpec kTargetConfigFields[] = {
    KX_FIELD(signed_byte, TargetConfigRecord, single),
    skipped(KX_FIELD(byte_array, TargetConfigRecord, multi)),
    KX_NESTED(record_array, TargetConfigRecord, mapping, kTargetLunListTypeLocal),
};

constexpr RecordType kTargetConfigType =
    record_type(KX_RECORD_CLASS("TargetConfig"), sizeof(TargetConfigRecord),
                kTargetConfigFields);

constexpr FieldSpec kTargetIdFields[] = {
    KX_FIELD(int32, TargetIdRecord, ctrl_flag),
    KX_FIELD(int32, TargetIdRecord, target_id_mode),
    KX_NESTED(record_array, TargetIdRecord, target_config, kTargetConfigType),
};

// --- Fibre Channel ------------------------------------------------------------

constexpr FieldSpec kFibrePortFields[] = {
    KX_FIELD(text, FibreInformationPortRecord, node_name),
    KX_FIELD(text, FibreInformationPortRecord, port_name),
    KX_FIELD(text, FibreInformationPortRecord, n_port_id),
    KX_FIELD(text, FibreInformationPortRecord, get_address),
    KX_FIELD(unsigned_byte, FibreInformationPortRecord, frame_size),
    KX_FIELD(unsigned_byte, FibreInformationPortRecord, if_board),
    KX_FIELD(unsigned_byte, FibreInformationPortRecord, set_speed),
    KX_FIELD(unsigned_byte, FibreInformationPortRecord, refer_speed),
};

constexpr RecordType kFibrePortType =
    record_type(KX_RECORD_CLASS("FibreInformationPort"),
                sizeof(FibreInformationPortRecord), kFibrePortFields);

constexpr FieldSpec kFibreSfcFields[] = {
    KX_FIELD(text, FibreInformationSfcRecord, biu),
    KX_FIELD(text, FibreInformationSfcRecord, sequence),
    KX_FIELD(text, FibreInformationSfcRecord, oper_firmware),
    KX_FIELD(text, FibreInformationSfcRecord, post_firmware),
    KX_FIELD(text, FibreInformationSfcRecord, endec),
    KX_FIELD(text, FibreInformationSfcRecord, fc_ph),
};

constexpr RecordType kFibreSfcType =
    record_type(KX_RECORD_CLASS("FibreInformationSfc"),
                sizeof(FibreInformationSfcRecord), kFibreSfcFields);

constexpr FieldSpec kFibrePermissionFields[] = {
    KX_FIELD(text, FibreInformationPermissionRecord, node_name),
    KX_FIELD(text, FibreInformationPermissionRecord, port_name),
    KX_FIELD(text, FibreInformationPermissionRecord, n_port_id),
    skipped(KX_FIELD(byte_array, FibreInformationPermissionRecord,
                     lun_security_bitmap)),
};

constexpr RecordType kTargetIdTypeLocal = record_type(
    KX_RECORD_CLASS("TargetId"), sizeof(TargetIdRecord), kTargetIdFields);
constexpr RecordType kFibreInformationPermissionTypeLocal =
    record_type(KX_RECORD_CLASS("FibreInformationPermission"),
                sizeof(FibreInformationPermissionRecord),
                kFibrePermissionFields);


constexpr FieldSpec kFibreSecurityFields[] = {
    KX_FIELD(signed_byte, FibreInformationSecurityRecord, access_guard),
    KX_FIELD(signed_byte, FibreInformationSecurityRecord, all_lun_security),
    KX_FIELD(int32, FibreInformationSecurityRecord, permission_count),
    KX_FIELD(int32, FibreInformationSecurityRecord, security_chk_lv),
    KX_NESTED(record_array, FibreInformationSecurityRecord, permission,
              kFibreInformationPermissionTypeLocal),
};

constexpr RecordType kFibreSecurityType =
    record_type(KX_RECORD_CLASS("FibreInformationSecurity"),
                sizeof(FibreInformationSecurityRecord), kFibreSecurityFields);

constexpr FieldSpec kFibreInformationFields[] = {
    KX_FIELD(signed_byte, FibreInformationRecord, lun_security),
    KX_FIELD(int_array, FibreInformationRecord, topology),
    KX_FIELD(int_array, FibreInformationRecord, topology_ref),
    KX_NESTED(record_array, FibreInformationRecord, port, kFibrePortType),
    KX_NESTED(record_array, FibreInformationRecord, sfc, kFibreSfcType),
    KX_NESTED(record_array, FibreInformationRecord, security,
              kFibreSecurityType),
    KX_FIELD(text, FibreInformationRecord, product_number),
};

// --- Host groups and WWNs -------------------------------------------------------

constexpr FieldSpec kHGInfoFields[] = {
    KX_FIELD(unsigned_byte, HGInfoRecord, valid),
    KX_FIELD(text, HGInfoRecord, hgname),
};
constexpr RecordType kHGInfoType = record_type(
    KX_RECORD_CLASS("HGInfo"), sizeof(HGInfoRecord), kHGInfoFields);

constexpr FieldSpec kHGPortInfoFields[] = {
    KX_FIELD(unsigned_byte, HGPortInfoRecord, security),
    KX_NESTED(record_array, HGPortInfoRecord, hg, kHGInfoType),
};
constexpr RecordType kHGPortInfoType = record_type(
    KX_RECORD_CLASS("HGPortInfo"), sizeof(HGPortInfoRecord), kHGPortInfoFields);

constexpr FieldSpec kHGCtlInfoFields[] = {
    KX_NESTED(record_array, HGCtlInfoRecord, port, kHGPortInfoType),
};
constexpr RecordType kHGCtlInfoType = record_type(
    KX_RECORD_CLASS("HGCtlInfo"), sizeof(HGCtlInfoRecord), kHGCtlInfoFields);

constexpr FieldSpec kHGListFields[] = {
    KX_FIELD(unsigned_byte, HGListRecord, lun_manage),
    KX_NESTED(record_array, HGListRecord, ctl, kHGCtlInfoType),
};

constexpr FieldSpec kHostGroupNameFields[] = {
    KX_FIELD(text, HostGroupNameRecord, hgname),
};

// The two selections share their C layout but name different classes.
constexpr FieldSpec kSelectionPortFields[] = {
    KX_FIELD(byte_array, HostGroupSelectionPortRecord, hg),
};
constexpr RecordType kDeleteHGPortListType =
    record_type(KX_RECORD_CLASS("DeleteHGPortList"),
                sizeof(HostGroupSelectionPortRecord), kSelectionPortFields);
constexpr RecordType kInitHGPortListType =
    record_type(KX_RECORD_CLASS("InitHGPortList"),
                sizeof(HostGroupSelectionPortRecord), kSelectionPortFields);

constexpr FieldSpec kDeleteHGCtlListFields[] = {
    KX_NESTED(record_array, HostGroupSelectionCtlRecord, port,
              kDeleteHGPortListType),
};
constexpr FieldSpec kInitHGCtlListFields[] = {
    KX_NESTED(record_array, HostGroupSelectionCtlRecord, port,
              kInitHGPortListType),
};
constexpr RecordType kDeleteHGCtlListType =
    record_type(KX_RECORD_CLASS("DeleteHGCtlList"),
                sizeof(HostGroupSelectionCtlRecord), kDeleteHGCtlListFields);
constexpr RecordType kInitHGCtlListType =
    record_type(KX_RECORD_CLASS("InitHGCtlList"),
                sizeof(HostGroupSelectionCtlRecord), kInitHGCtlListFields);

constexpr FieldSpec kDeleteHGSelectionFields[] = {
    KX_NESTED(record_array, HostGroupSelectionRecord, ctl,
              kDeleteHGCtlListType),
};
constexpr FieldSpec kInitHGSelectionFields[] = {
    KX_NESTED(record_array, HostGroupSelectionRecord, ctl, kInitHGCtlListType),
};

constexpr FieldSpec kWWNPermInfoFields[] = {
    KX_FIELD(text, WWNPermInfoRecord, node_name),
    KX_FIELD(text, WWNPermInfoRecord, port_name),
    skipped(KX_FIELD(byte_array, WWNPermInfoRecord, lun_security_bitmap)),
};
constexpr RecordType kWWNPermInfoType =
    record_type(KX_RECORD_CLASS("WWNPermInfo"), sizeof(WWNPermInfoRecord),
                kWWNPermInfoFields);

constexpr FieldSpec kWWNPortInfoFields[] = {
    KX_FIELD(int32, WWNPortInfoRecord, lun_security),
    KX_FIELD(int32, WWNPortInfoRecord, permission_count),
    KX_FIELD(int32, WWNPortInfoRecord, security_chk_lv),
    KX_NESTED(record_array, WWNPortInfoRecord, permission, kWWNPermInfoType),
};
constexpr RecordType kWWNPortInfoType =
    record_type(KX_RECORD_CLASS("WWNPortInfo"), sizeof(WWNPortInfoRecord),
                kWWNPortInfoFields);

constexpr FieldSpec kWWNCtlInfoFields[] = {
    KX_NESTED(record_array, WWNCtlInfoRecord, port, kWWNPortInfoType),
};
constexpr RecordType kWWNCtlInfoType =
    record_type(KX_RECORD_CLASS("WWNCtlInfo"), sizeof(WWNCtlInfoRecord),
                kWWNCtlInfoFields);

constexpr FieldSpec kWWNInformationFields[] = {
    KX_FIELD(int32, WWNInformationRecord, lun_security_opt),
    KX_NESTED(record_array, WWNInformationRecord, ctl, kWWNCtlInfoType),
};

constexpr FieldSpec kWWNHostInfoFields[] = {
    KX_FIELD(text, WWNHostInfoRecord, node_name),
    KX_FIELD(text, WWNHostInfoRecord, port_name),
    KX_FIELD(unsigned_byte, WWNHostInfoRecord, hostflag),
    KX_FIELD(int32, WWNHostInfoRecord, hg_number),
    KX_FIELD(text, WWNHostInfoRecord, wname),
};
constexpr RecordType kWWNHostInfoType =
    record_type(KX_RECORD_CLASS("WWNHostInfo"), sizeof(WWNHostInfoRecord),
                kWWNHostInfoFields);

constexpr FieldSpec kWWNHGPortInfoFields[] = {
    KX_FIELD(unsigned_byte, WWNHGPortInfoRecord, security),
    KX_FIELD(int32, WWNHGPortInfoRecord, wwn_count),
    KX_NESTED(record_array, WWNHGPortInfoRecord, wwn, kWWNHostInfoType),
};
constexpr RecordType kWWNHGPortInfoType =
    record_type(KX_RECORD_CLASS("WWNHGPortInfo"), sizeof(WWNHGPortInfoRecord),
                kWWNHGPortInfoFields);

constexpr FieldSpec kWWNHGCtlInfoFields[] = {
    KX_NESTED(record_array, WWNHGCtlInfoRecord, port, kWWNHGPortInfoType),
};
constexpr RecordType kWWNHGCtlInfoType =
    record_type(KX_RECORD_CLASS("WWNHGCtlInfo"), sizeof(WWNHGCtlInfoRecord),
                kWWNHGCtlInfoFields);

constexpr FieldSpec kWWNHGInformationFields[] = {
    KX_FIELD(unsigned_byte, WWNHGInformationRecord, lun_manage),
    KX_NESTED(record_array, WWNHGInformationRecord, ctl, kWWNHGCtlInfoType),
};

// --- Host-group options, port options and LU mapping -----------------------------

constexpr FieldSpec kHGOptionInfoFields[] = {
    KX_FIELD(int32, HGOptionInfoRecord, option),
    KX_FIELD(int_array, HGOptionInfoRecord, option2),
    KX_FIELD(int32, HGOptionInfoRecord, option3),
};

constexpr RecordType kHGOptionInfoTypeLocal =
    record_type(KX_RECORD_CLASS("HGOptionInfo"), sizeof(HGOptionInfoRecord),
                kHGOptionInfoFields);


constexpr FieldSpec kHGOptionPortInfoFields[] = {
    KX_FIELD(unsigned_byte, HGOptionPortInfoRecord, security),
    KX_NESTED(record_array, HGOptionPortInfoRecord, hg, kHGOptionInfoTypeLocal),
};
constexpr RecordType kHGOptionPortInfoType =
    record_type(KX_RECORD_CLASS("HGOptionPortInfo"),
                sizeof(HGOptionPortInfoRecord), kHGOptionPortInfoFields);

constexpr FieldSpec kHGOptionCtlInfoFields[] = {
    KX_NESTED(record_array, HGOptionCtlInfoRecord, port,
              kHGOptionPortInfoType),
};
constexpr RecordType kHGOptionCtlInfoType =
    record_type(KX_RECORD_CLASS("HGOptionCtlInfo"),
                sizeof(HGOptionCtlInfoRecord), kHGOptionCtlInfoFields);

constexpr FieldSpec kHGOptionFields[] = {
    KX_FIELD(int32, HGOptionRecord, HostGroupValid),
    KX_NESTED(record_array, HGOptionRecord, ctl, kHGOptionCtlInfoType),
};

constexpr FieldSpec kPortOptionCtlInfoFields[] = {
    KX_FIELD(int_array, PortOptionCtlInfoRecord, lip_mode),
    KX_FIELD(int_array, PortOptionCtlInfoRecord, port_common_opt),
};
constexpr RecordType kPortOptionCtlInfoType =
    record_type(KX_RECORD_CLASS("PortOptionCtlInfo"),
                sizeof(PortOptionCtlInfoRecord), kPortOptionCtlInfoFields);

constexpr FieldSpec kPortOptionFields[] = {
    KX_NESTED(record_array, PortOptionRecord, ctl, kPortOptionCtlInfoType),
};

constexpr FieldSpec kLuMappingHGInfoFields[] = {
    KX_FIELD(int_array, LuMappingHGInfoRecord, lu),
};

constexpr RecordType kLuMappingHGInfoTypeLocal =
    record_type(KX_RECORD_CLASS("LuMappingHGInfo"),
                sizeof(LuMappingHGInfoRecord), kLuMappingHGInfoFields);


constexpr FieldSpec kLuMappingPortInfoFields[] = {
    KX_FIELD(unsigned_byte, LuMappingPortInfoRecord, security),
    KX_NESTED(record_array, LuMappingPortInfoRecord, hg, kLuMappingHGInfoTypeLocal),
};
constexpr RecordType kLuMappingPortInfoType =
    record_type(KX_RECORD_CLASS("LuMappingPortInfo"),
                sizeof(LuMappingPortInfoRecord), kLuMappingPortInfoFields);

constexpr FieldSpec kLuMappingCtlInfoFields[] = {
    KX_NESTED(record_array, LuMappingCtlInfoRecord, port,
              kLuMappingPortInfoType),
};
constexpr RecordType kLuMappingCtlInfoType =
    record_type(KX_RECORD_CLASS("LuMappingCtlInfo"),
                sizeof(LuMappingCtlInfoRecord), kLuMappingCtlInfoFields);

constexpr FieldSpec kLuMappingFields[] = {
    KX_FIELD(int32, LuMappingRecord, HostGroupValid),
    KX_FIELD(int32, LuMappingRecord, ctrl_flag),
    KX_FIELD(int32, LuMappingRecord, mapping_mode),
    KX_NESTED(record_array, LuMappingRecord, ctl, kLuMappingCtlInfoType),
};

// --- Remote-verify source paths ------------------------------------------------

constexpr FieldSpec kRvrfSrcPathFields[] = {
    KX_FIELD(int32, RvrfSrcPathRecord, path_status),
    KX_FIELD(int32, RvrfSrcPathRecord, self_ctl_no),
    KX_FIELD(int32, RvrfSrcPathRecord, self_port_no),
    KX_FIELD(int32, RvrfSrcPathRecord, other_ctl_no),
    KX_FIELD(int32, RvrfSrcPathRecord, other_port_no),
};
constexpr RecordType kRvrfSrcPathType =
    record_type(KX_RECORD_CLASS("RvrfSrcPath"), sizeof(RvrfSrcPathRecord),
                kRvrfSrcPathFields);

constexpr FieldSpec kRvrfSrcArrayUnitFields[] = {
    KX_FIELD(int32, RvrfSrcArrayUnitRecord, valid),
    KX_FIELD(int32, RvrfSrcArrayUnitRecord, other_detect_id),
    KX_FIELD(text, RvrfSrcArrayUnitRecord, other_serial_no),
    KX_FIELD(text, RvrfSrcArrayUnitRecord, other_sequence_no),
    KX_NESTED(record_array, RvrfSrcArrayUnitRecord, path, kRvrfSrcPathType),
};

constexpr RecordType kRvrfSrcArrayUnitTypeLocal =
    record_type(KX_RECORD_CLASS("RvrfSrcArrayUnit"),
                sizeof(RvrfSrcArrayUnitRecord), kRvrfSrcArrayUnitFields);


constexpr FieldSpec kRvrfSrcInfoFields[] = {
    KX_FIELD(int32, RvrfSrcInfoRecord, rvrfsrc_option),
    KX_FIELD(int32, RvrfSrcInfoRecord, self_detect_id),
    KX_FIELD(text, RvrfSrcInfoRecord, self_serial_no),
    KX_FIELD(text, RvrfSrcInfoRecord, self_sequence_no),
    KX_NESTED(record_array, RvrfSrcInfoRecord, arrayunit,
              kRvrfSrcArrayUnitTypeLocal),
};

}  // namespace

const RecordType kLANInformationType = kLANInformationTypeLocal;
const RecordType kSyncPortType = kSyncPortTypeLocal;
const RecordType kSyncControlType = kSyncControlTypeLocal;
const RecordType kTargetLunListType = kTargetLunListTypeLocal;
const RecordType kTargetIdType = kTargetIdTypeLocal;
const RecordType kFibreInformationPermissionType = kFibreInformationPermissionTypeLocal;
const RecordType kHGOptionInfoType = kHGOptionInfoTypeLocal;
const RecordType kLuMappingHGInfoType = kLuMappingHGInfoTypeLocal;
const RecordType kRvrfSrcArrayUnitType = kRvrfSrcArrayUnitTypeLocal;
const RecordType kFibreInformationType =
    record_type(KX_RECORD_CLASS("FibreInformation"),
                sizeof(FibreInformationRecord), kFibreInformationFields);
const RecordType kRvrfSrcInfoType =
    record_type(KX_RECORD_CLASS("RvrfSrcInfo"), sizeof(RvrfSrcInfoRecord),
                kRvrfSrcInfoFields);
const RecordType kHGListType = record_type(
    KX_RECORD_CLASS("HGList"), sizeof(HGListRecord), kHGListFields);
const RecordType kWWNInformationType =
    record_type(KX_RECORD_CLASS("WWNInformation"), sizeof(WWNInformationRecord),
                kWWNInformationFields);
const RecordType kWWNHGInformationType =
    record_type(KX_RECORD_CLASS("WWNHGInformation"),
                sizeof(WWNHGInformationRecord), kWWNHGInformationFields);
const RecordType kHGOptionType = record_type(
    KX_RECORD_CLASS("HGOption"), sizeof(HGOptionRecord), kHGOptionFields);
const RecordType kPortOptionType =
    record_type(KX_RECORD_CLASS("PortOption"), sizeof(PortOptionRecord),
                kPortOptionFields);
const RecordType kLuMappingType = record_type(
    KX_RECORD_CLASS("LuMapping"), sizeof(LuMappingRecord), kLuMappingFields);

const RecordType kHostGroupNameType =
    unnamed_record_type(sizeof(HostGroupNameRecord), kHostGroupNameFields);
const RecordType kDeleteHGSelectionType = unnamed_record_type(
    sizeof(HostGroupSelectionRecord), kDeleteHGSelectionFields);
const RecordType kInitHGSelectionType = unnamed_record_type(
    sizeof(HostGroupSelectionRecord), kInitHGSelectionFields);

// Registered for the tests that check every table against its class. A type
// also nested in another is registered as the object the nesting names, so
// that the tests meet it once.
KX_REGISTER_RECORD(kLANInformationType);
KX_REGISTER_RECORD(kSyncControlType);
KX_REGISTER_RECORD(kTargetIdType);
KX_REGISTER_RECORD(kFibreInformationType);
KX_REGISTER_RECORD(kFibreInformationPermissionTypeLocal);
KX_REGISTER_RECORD(kHGListType);
KX_REGISTER_RECORD(kWWNInformationType);
KX_REGISTER_RECORD(kWWNHGInformationType);
KX_REGISTER_RECORD(kHGOptionType);
KX_REGISTER_RECORD(kHGOptionInfoTypeLocal);
KX_REGISTER_RECORD(kPortOptionType);
KX_REGISTER_RECORD(kLuMappingType);
KX_REGISTER_RECORD(kLuMappingHGInfoTypeLocal);
KX_REGISTER_RECORD(kRvrfSrcInfoType);
KX_REGISTER_RECORD(kRvrfSrcArrayUnitTypeLocal);
KX_REGISTER_UNNAMED_RECORD(kHostGroupNameType, "korvane/str/diskarray/HostGroupName");
KX_REGISTER_UNNAMED_RECORD(kDeleteHGSelectionType, "korvane/str/diskarray/DeleteHGList");
KX_REGISTER_UNNAMED_RECORD(kInitHGSelectionType, "korvane/str/diskarray/InitHGList");

}  // namespace kx
