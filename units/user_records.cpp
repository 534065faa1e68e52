#include "units/user_records.h"

#include "bridge/record_registry.h"
#include "kx_users.h"

namespace kx {
namespace {

constexpr FieldSpec kUserRegistFields[] = {
    // Credentials are never cut: a longer one would sign in as its prefix.
    KX_FIELD(whole_text, KXUserRegistRecord, user),
    KX_FIELD(whole_text, KXUserRegistRecord, passwd),
};

constexpr FieldSpec kUserInformationFields[] = {
    KX_FIELD(int32, KXUserInformationRecord, num),
    KX_FIELD(int32, KXUserInformationRecord, option),
};

}  // namespace

// One Java class carries both C layouts; each direction uses its own fields.
const RecordType kUserRegistType =
    record_type(KX_RECORD_CLASS("KXUserRegist"), sizeof(KXUserRegistRecord),
                kUserRegistFields);

const RecordType kUserInformationType =
    record_type(KX_RECORD_CLASS("KXUserRegist"),
                sizeof(KXUserInformationRecord), kUserInformationFields);

// Registered for the tests that check every table against its class.
KX_REGISTER_RECORD(kUserRegistType);
KX_REGISTER_RECORD(kUserInformationType);

}  // namespace kx
