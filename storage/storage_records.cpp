#include "storage/storage_records.h"

#include "bridge/record_registry.h"
#include "kx_storage.h"

namespace kx {
namespace {

constexpr FieldSpec kRaidGroupFields[] = {
    KX_FIELD(int32, RaidGroupRecord, rgnum),
    KX_FIELD(int32, RaidGroupRecord, level),
    KX_FIELD(int32, RaidGroupRecord, port),
    KX_FIELD(int32, RaidGroupRecord, row),
    KX_FIELD(int32, RaidGroupRecord, width),
    KX_FIELD(int32, RaidGroupRecord, depth),
    KX_FIELD(int32, RaidGroupRecord, minimum_capa),
    KX_FIELD(int32, RaidGroupRecord, lastLBASet),
    KX_FIELD(int32, RaidGroupRecord, lastLBA),
    KX_FIELD(int32, RaidGroupRecord, rest_h),
    KX_FIELD(int32, RaidGroupRecord, rest),
    KX_FIELD(int32, RaidGroupRecord, lumaxcapa),
};

constexpr FieldSpec kLogicalUnitFields[] = {
    KX_FIELD(int32, LogicalUnitRecord, luNumber),
    KX_FIELD(int32, LogicalUnitRecord, rgNumber),
    KX_FIELD(int32, LogicalUnitRecord, raid_level),
    KX_FIELD(int32, LogicalUnitRecord, staging),
    KX_FIELD(int32, LogicalUnitRecord, capacity),
    KX_FIELD(int32, LogicalUnitRecord, defaultCTL),
    KX_FIELD(int32, LogicalUnitRecord, currentCTL),
    KX_FIELD(int32, LogicalUnitRecord, status),
    KX_FIELD(int32, LogicalUnitRecord, hostblock),
    KX_FIELD(int32, LogicalUnitRecord, lu_valid),
    KX_FIELD(int32, LogicalUnitRecord, rg_last_lu),
};

constexpr FieldSpec kLuReallocRequestFields[] = {
    KX_FIELD(int32, LuReallocRequestRecord, lun),
    KX_FIELD(int32, LuReallocRequestRecord, lusize),
    KX_FIELD(int32, LuReallocRequestRecord, newlun),
};

// A byte[] shorter than the 512 entries is refused, not padded.
constexpr FieldSpec kFormatEntryListFields[] = {
    KX_FIELD(byte_array, FormatEntryListRecord, lu),
};

constexpr FieldSpec kFormatStatusFields[] = {
    KX_FIELD(unsigned_byte, FormatStatusRecord, entry),
    KX_FIELD(int32, FormatStatusRecord, status),
    KX_FIELD(int32, FormatStatusRecord, percent),
    KX_FIELD(int32, FormatStatusRecord, err_code_sense_key),
    KX_FIELD(int32, FormatStatusRecord, err_code_sense_code),
};

constexpr RecordType kFormatStatusType =
    record_type(KX_RECORD_CLASS("FormatStatus"), sizeof(FormatStatusRecord),
                kFormatStatusFields);

constexpr FieldSpec kFormatStatusListFields[] = {
    KX_FIELD(unsigned_byte, FormatStatusListRecord, mode),
    KX_FIELD(int32, FormatStatusListRecord, totalpercent),
    KX_FIELD(int32, FormatStatusListRecord, resttime),
    KX_NESTED(record_array, FormatStatusListRecord, lu, kFormatStatusType),
};

constexpr FieldSpec kLuFormatStatusFields[] = {
    KX_FIELD(int32, LuFormatStatusRecord, status),
    KX_FIELD(int32, LuFormatStatusRecord, percent),
    KX_FIELD(int32, LuFormatStatusRecord, err_code_sense_key),
    KX_FIELD(int32, LuFormatStatusRecord, err_code_sense_code),
};

constexpr RecordType kLuFormatStatusType =
    record_type(KX_RECORD_CLASS("LuFormatStatus"), sizeof(LuFormatStatusRecord),
                kLuFormatStatusFields);

constexpr FieldSpec kLuFormatStatusListFields[] = {
    KX_NESTED(record_array, LuFormatStatusListRecord, lu, kLuFormatStatusType),
};

}  // namespace

const RecordType kRaidGroupType = record_type(
    KX_RECORD_CLASS("RaidGroup"), sizeof(RaidGroupRecord), kRaidGroupFields);

const RecordType kLogicalUnitType =
    record_type(KX_RECORD_CLASS("LogicalUnit"), sizeof(LogicalUnitRecord),
                kLogicalUnitFields);

const RecordType kLuReallocRequestType = unnamed_record_type(
    sizeof(LuReallocRequestRecord), kLuReallocRequestFields);

const RecordType kFormatEntryListType =
    unnamed_record_type(sizeof(FormatEntryListRecord), kFormatEntryListFields);

const RecordType kFormatStatusListType =
    record_type(KX_RECORD_CLASS("FormatStatusList"),
                sizeof(FormatStatusListRecord), kFormatStatusListFields);

const RecordType kLuFormatStatusListType =
    record_type(KX_RECORD_CLASS("LuFormatStatusList"),
                sizeof(LuFormatStatusListRecord), kLuFormatStatusListFields);

// Registered for the tests that check every table against its class.
KX_REGISTER_RECORD(kRaidGroupType);
KX_REGISTER_RECORD(kLogicalUnitType);
KX_REGISTER_UNNAMED_RECORD(kLuReallocRequestType, "korvane/str/diskarray/LuReallocRequest");
KX_REGISTER_UNNAMED_RECORD(kFormatEntryListType, "korvane/str/diskarray/FormatEntryList");
KX_REGISTER_RECORD(kFormatStatusType);
KX_REGISTER_RECORD(kFormatStatusListType);
KX_REGISTER_RECORD(kLuFormatStatusType);
KX_REGISTER_RECORD(kLuFormatStatusListType);

}  // namespace kx
