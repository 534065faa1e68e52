// Record types of the notification and host services.
#pragma once

#include <jni.h>

#include <cstdint>

#include "bridge/record.h"

struct EmailInfoRecord;

namespace kx {

extern const RecordType kExProgramInfoType;  // ExProgramInfo

// EmailInfo: the table describes the fields for the checks of every table;
// the record itself is converted by the two functions below, which differ
// from the generic builder and reader.
extern const RecordType kEmailInfoType;

// Builds an EmailInfo. Unlike every other builder it does not flush standard
// output. `to` becomes a String[100] whose first `tonum` elements hold the
// recipients (tonum cut to the 20 slots) and the rest are null; a failed
// `to` leaves the field as the constructor made it.
jobject build_email_info(JNIEnv* env, const EmailInfoRecord* record);

// Reads an EmailInfo. The recipients of `to` end at its first null element
// or after 20 slots, whichever comes first, so an EmailInfo that
// KX_GetEmailInfo built is read back whole and without failure. Returns 0,
// -1 for a null object or record, or ERR_MARSHAL at the first field that
// cannot be read.
int32_t read_email_info(JNIEnv* env, jobject object, EmailInfoRecord* record);

}  // namespace kx
