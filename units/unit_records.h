// Record types of the unit registry and user sessions.
#pragma once

#include "bridge/record.h"

namespace kx {

extern const RecordType kUnitParamType;        // KXUnitParam
extern const RecordType kLabelType;            // KXLabel
extern const RecordType kWorkingDirectoryType;  // any object with tesk_path

}  // namespace kx
