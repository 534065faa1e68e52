// Record types of maintenance.
#pragma once

#include "bridge/record.h"

namespace kx {

extern const RecordType kWebTraceType;  // WebTrace

}  // namespace kx
