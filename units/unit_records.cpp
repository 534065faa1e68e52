#include "units/unit_records.h"

#include "bridge/record_registry.h"
#include "kx_units.h"

namespace kx {
namespace {

constexpr FieldSpec kUnitParamFields[] = {
    KX_FIELD(text, KXUnitParamRecord, unit_name),
    KX_FIELD(text, KXUnitParamRecord, group_name),
    KX_FIELD(signed_byte, KXUnitParamRecord, connect_type),
    KX_FIELD(signed_byte, KXUnitParamRecord, kx_type),
    KX_FIELD(signed_byte, KXUnitParamRecord, unit_conf),
    KX_FIELD(signed_byte, KXUnitParamRecord, alert),
    KX_FIELD(text, KXUnitParamRecord, ctl0),
    KX_FIELD(text, KXUnitParamRecord, ctl1),
};

constexpr FieldSpec kLabelFields[] = {
    KX_FIELD(text, KXLabelRecord, oldlabel),
    KX_FIELD(text, KXLabelRecord, newlabel),
};

constexpr FieldSpec kWorkingDirectoryFields[] = {
    KX_FIELD(text, WorkingDirectoryRecord, tesk_path),
};

}  // namespace

const RecordType kUnitParamType = record_type(
    KX_RECORD_CLASS("KXUnitParam"), sizeof(KXUnitParamRecord), kUnitParamFields);

const RecordType kLabelType = record_type(
    KX_RECORD_CLASS("KXLabel"), sizeof(KXLabelRecord), kLabelFields);

const RecordType kWorkingDirectoryType = unnamed_record_type(
    sizeof(WorkingDirectoryRecord), kWorkingDirectoryFields);

// Registered for the tests that check every table against its class.
KX_REGISTER_RECORD(kUnitParamType);
KX_REGISTER_RECORD(kLabelType);
KX_REGISTER_UNNAMED_RECORD(kWorkingDirectoryType, "korvane/str/diskarray/WorkingDirectory");

}  // namespace kx
