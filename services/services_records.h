// Record types of the notification and host services.
#pragma once

#include <jni.h>

#include <cstdint>

#include "bridge/record.h"

struct EmailInfoRecord;

namespace kx {

extern const RecordType kExProgramInfoType;  // ExProgramInfo

// EmailInfo: read by the generic reader (the null slots of `to` after the
// last recipient end the list, so an EmailInfo read back is passed on whole);
// built by build_email_info below.
extern const RecordType kEmailInfoType;

// Builds an EmailInfo. Unlike every other builder it does not flush standard
// output. `to` becomes a String[100] whose first `tonum` elements hold the
// recipients (tonum cut to the 20 slots) and the rest are null; a failed
// `to` leaves the field as the constructor made it.
jobject build_email_info(JNIEnv* env, const EmailInfoRecord* record);

}  // namespace kx
