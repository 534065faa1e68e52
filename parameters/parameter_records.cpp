#include "parameters/parameter_records.h"

#include "bridge/record_registry.h"
#include "kx_parameters.h"

namespace kx {
namespace {

constexpr FieldSpec kSystemParamCtlFields[] = {
    KX_FIELD(unsigned_byte, SystemParamCtlRecord, error_out),
    KX_FIELD(unsigned_byte, SystemParamCtlRecord, write_verify),
};

constexpr RecordType kSystemParamCtlTypeDef =
    record_type(KX_RECORD_CLASS("SystemParamCtl"), sizeof(SystemParamCtlRecord),
                kSystemParamCtlFields);

// A web title that cannot be made into a Java string is left null; the
// record is still built.
constexpr FieldSpec kOnlineSystemParamFields[] = {
    KX_FIELD(unsigned_byte, OnlineSystemParamRecord, procom),
    KX_FIELD(unsigned_byte, OnlineSystemParamRecord, warning_report),
    KX_FIELD(unsigned_byte, OnlineSystemParamRecord, hit_guarantee),
    KX_FIELD(unsigned_byte, OnlineSystemParamRecord, nx_connect),
    KX_FIELD(unsigned_byte, OnlineSystemParamRecord, auto_reconst),
    KX_FIELD(unsigned_byte, OnlineSystemParamRecord, force_write_through),
    KX_FIELD(unsigned_byte, OnlineSystemParamRecord, change_lu),
    KX_FIELD(unsigned_byte, OnlineSystemParamRecord, multi_stream),
    KX_FIELD(unsigned_byte, OnlineSystemParamRecord, multi_stream_write),
    KX_FIELD(unsigned_byte, OnlineSystemParamRecord, multi_stream_read),
    KX_FIELD(unsigned_byte, OnlineSystemParamRecord, command_que),
    KX_FIELD(unsigned_byte, OnlineSystemParamRecord, shutdown_chk1),
    KX_FIELD(unsigned_byte, OnlineSystemParamRecord, add_bat_unit),
    KX_FIELD(text, OnlineSystemParamRecord, web_title),
    KX_NESTED(record_array, OnlineSystemParamRecord, ctl, kSystemParamCtlTypeDef),
};

constexpr FieldSpec kLUTuningFields[] = {
    KX_FIELD(unsigned_byte, LUTuningRecord, pre_start),
};

constexpr RecordType kOnlineSystemParamTypeDef = record_type(
    KX_RECORD_CLASS("OnlineSystemParam"), sizeof(OnlineSystemParamRecord),
    kOnlineSystemParamFields);

constexpr RecordType kLUTuningTypeDef = record_type(
    KX_RECORD_CLASS("LUTuning"), sizeof(LUTuningRecord), kLUTuningFields);

constexpr FieldSpec kOnlineTuningParamFields[] = {
    KX_FIELD(unsigned_byte, OnlineTuningParamRecord, def_mode),
    KX_FIELD(int32, OnlineTuningParamRecord, def_lun),
    KX_FIELD(unsigned_byte, OnlineTuningParamRecord, dir_sweep),
    KX_FIELD(unsigned_byte, OnlineTuningParamRecord, dir_sweep_stop),
    KX_NESTED(record_array, OnlineTuningParamRecord, lu, kLUTuningTypeDef),
};

constexpr FieldSpec kTuningParamFields[] = {
    KX_FIELD(unsigned_byte, TuningParamRecord, def_mode),
    KX_FIELD(unsigned_byte, TuningParamRecord, reserve_buf_size),
    KX_FIELD(unsigned_byte, TuningParamRecord, current_buf_size),
};

constexpr FieldSpec kDiskDriveRestorationFields[] = {
    KX_FIELD(int32, DiskDriveRestorationRecord, mode),
    KX_FIELD(int32, DiskDriveRestorationRecord, restoration),
    KX_FIELD(int32, DiskDriveRestorationRecord, dynamic_sparing),
    KX_FIELD(int32, DiskDriveRestorationRecord, interval),
    KX_FIELD(int32, DiskDriveRestorationRecord, unit_size),
};

constexpr FieldSpec kPrefetchInformationFields[] = {
    KX_FIELD(int32, PrefetchInformationRecord, stg_rd0),
    KX_FIELD(int32, PrefetchInformationRecord, stg_rd1),
    KX_FIELD(int32, PrefetchInformationRecord, stg_rd5),
    KX_FIELD(int32, PrefetchInformationRecord, stg_next),
    KX_FIELD(int32, PrefetchInformationRecord, stg_hed_size),
};

constexpr FieldSpec kOnlineVerifyFields[] = {
    KX_FIELD(signed_byte, OnlineVerifyRecord, test),
    KX_FIELD(int32, OnlineVerifyRecord, idling_time),
};

constexpr FieldSpec kThresholdFields[] = {
    KX_FIELD(int32, ThresholdRecord, mechanical_recover),
    KX_FIELD(int32, ThresholdRecord, mechanical_unrecover),
    KX_FIELD(int32, ThresholdRecord, media_recover),
    KX_FIELD(int32, ThresholdRecord, media_unrecover),
    KX_FIELD(int32, ThresholdRecord, read_write_recover),
    KX_FIELD(int32, ThresholdRecord, read_write_unrecover),
    KX_FIELD(int32, ThresholdRecord, drive_recover),
    KX_FIELD(int32, ThresholdRecord, drive_unrecover),
    KX_FIELD(int32, ThresholdRecord, controller_recover),
    KX_FIELD(int32, ThresholdRecord, controller_unrecover),
    KX_FIELD(int32, ThresholdRecord, scsi_recover),
    KX_FIELD(int32, ThresholdRecord, scsi_unrecover),
    KX_FIELD(int32, ThresholdRecord, correctable_error),
    KX_FIELD(int32, ThresholdRecord, uncorrectable_error),
};

// The builder skips texts it cannot set; the reader refuses them.
constexpr FieldSpec kControllerInfoFields[] = {
    KX_FIELD(int32, ControllerInfoRecord, ctrl_name_mode),
    KX_FIELD(text, ControllerInfoRecord, id_front),
    KX_FIELD(text, ControllerInfoRecord, id_rear),
};

constexpr RecordType kOnlineTuningParamTypeDef = record_type(
    KX_RECORD_CLASS("OnlineTuningParam"), sizeof(OnlineTuningParamRecord),
    kOnlineTuningParamFields);

constexpr RecordType kTuningParamTypeDef =
    record_type(KX_RECORD_CLASS("TuningParam"), sizeof(TuningParamRecord),
                kTuningParamFields);

constexpr RecordType kDiskDriveRestorationTypeDef = record_type(
    KX_RECORD_CLASS("DiskDriveRestoration"),
    sizeof(DiskDriveRestorationRecord), kDiskDriveRestorationFields);

constexpr RecordType kPrefetchInformationTypeDef = record_type(
    KX_RECORD_CLASS("PrefetchInformation"), sizeof(PrefetchInformationRecord),
    kPrefetchInformationFields);

constexpr RecordType kOnlineVerifyTypeDef =
    record_type(KX_RECORD_CLASS("OnlineVerify"), sizeof(OnlineVerifyRecord),
                kOnlineVerifyFields);

constexpr RecordType kThresholdTypeDef = record_type(
    KX_RECORD_CLASS("Threshold"), sizeof(ThresholdRecord), kThresholdFields);

constexpr RecordType kControllerInfoTypeDef =
    record_type(KX_RECORD_CLASS("ControllerInfo"), sizeof(ControllerInfoRecord),
                kControllerInfoFields);

// A Java ctl array longer than 2 is cut to the two entries of the record.
constexpr FieldSpec kUnitIdentifierFields[] = {
    KX_FIELD(text, UnitIdentifierRecord, equipment_id),
    KX_NESTED(record_array, UnitIdentifierRecord, ctl, kControllerInfoTypeDef),
};

// sequence_no crosses as a text of its whole 8-byte field both ways.
constexpr FieldSpec kCommandDeviceFields[] = {
    KX_FIELD(int32, CommandDeviceRecord, quel_lite),
    KX_FIELD(int32, CommandDeviceRecord, mode),
    KX_FIELD(int_array, CommandDeviceRecord, valid),
    KX_FIELD(int_array, CommandDeviceRecord, lu),
    KX_FIELD(int_array, CommandDeviceRecord, security),
    KX_FIELD(text, CommandDeviceRecord, sequence_no),
};

constexpr FieldSpec kWarningInfoFields[] = {
    KX_FIELD(int32, WarningInfoRecord, report_mode),
};

constexpr FieldSpec kAutoDumpFields[] = {
    KX_FIELD(int32, AutoDumpRecord, year),
    KX_FIELD(int32, AutoDumpRecord, month),
    KX_FIELD(int32, AutoDumpRecord, date),
    KX_FIELD(int32, AutoDumpRecord, hours),
    KX_FIELD(int32, AutoDumpRecord, minutes),
    KX_FIELD(int32, AutoDumpRecord, seconds),
    KX_FIELD(int32, AutoDumpRecord, flag),
};

constexpr RecordType kUnitIdentifierTypeDef =
    record_type(KX_RECORD_CLASS("UnitIdentifier"), sizeof(UnitIdentifierRecord),
                kUnitIdentifierFields);

constexpr RecordType kCommandDeviceTypeDef =
    record_type(KX_RECORD_CLASS("CommandDevice"), sizeof(CommandDeviceRecord),
                kCommandDeviceFields);

constexpr RecordType kWarningInfoTypeDef =
    record_type(KX_RECORD_CLASS("WarningInfo"), sizeof(WarningInfoRecord),
                kWarningInfoFields);

constexpr RecordType kAutoDumpTypeDef = record_type(
    KX_RECORD_CLASS("AutoDump"), sizeof(AutoDumpRecord), kAutoDumpFields);

}  // namespace

const RecordType kSystemParamCtlType = kSystemParamCtlTypeDef;
const RecordType kOnlineSystemParamType = kOnlineSystemParamTypeDef;
const RecordType kLUTuningType = kLUTuningTypeDef;
const RecordType kOnlineTuningParamType = kOnlineTuningParamTypeDef;
const RecordType kTuningParamType = kTuningParamTypeDef;
const RecordType kDiskDriveRestorationType = kDiskDriveRestorationTypeDef;
const RecordType kPrefetchInformationType = kPrefetchInformationTypeDef;
const RecordType kOnlineVerifyType = kOnlineVerifyTypeDef;
const RecordType kThresholdType = kThresholdTypeDef;
const RecordType kControllerInfoType = kControllerInfoTypeDef;
const RecordType kUnitIdentifierType = kUnitIdentifierTypeDef;
const RecordType kCommandDeviceType = kCommandDeviceTypeDef;
const RecordType kWarningInfoType = kWarningInfoTypeDef;
const RecordType kAutoDumpType = kAutoDumpTypeDef;

// Registered for the tests that check every table against its class.
KX_REGISTER_RECORD(kOnlineSystemParamType);
KX_REGISTER_RECORD(kOnlineTuningParamType);
KX_REGISTER_RECORD(kTuningParamType);
KX_REGISTER_RECORD(kDiskDriveRestorationType);
KX_REGISTER_RECORD(kPrefetchInformationType);
KX_REGISTER_RECORD(kOnlineVerifyType);
KX_REGISTER_RECORD(kThresholdType);
KX_REGISTER_RECORD(kUnitIdentifierType);
KX_REGISTER_RECORD(kCommandDeviceType);
KX_REGISTER_RECORD(kWarningInfoType);
KX_REGISTER_RECORD(kAutoDumpType);

}  // namespace kx

