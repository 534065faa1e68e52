#include "maintenance/maintenance_records.h"

#include "bridge/record_registry.h"
#include "kx_maintenance.h"

namespace kx {
namespace {

constexpr FieldSpec kWebTraceFields[] = {
    KX_FIELD(text, WebTraceRecord, common),
    KX_FIELD(text, WebTraceRecord, ctl0),
    KX_FIELD(text, WebTraceRecord, ctl1),
    KX_FIELD(int32, WebTraceRecord, common_len),
    KX_FIELD(int32, WebTraceRecord, ctl0_len),
    KX_FIELD(int32, WebTraceRecord, ctl1_len),
};

}  // namespace

const RecordType kWebTraceType = record_type(
    KX_RECORD_CLASS("WebTrace"), sizeof(WebTraceRecord), kWebTraceFields);

// Registered for the tests that check every table against its class.
KX_REGISTER_RECORD(kWebTraceType);

}  // namespace kx
