// What the other areas ask of unified and coupled LUs and of pinned data.
// Everything here runs inside a station transaction.
#pragma once

#include <cstdint>
#include <vector>

#include "station/station.h"

namespace tesk740 {

// Fails the work with KXE_UNIFIED_MEMBER for a member of a unified LU and
// with KXE_LU_PAIRED for an LU of a coupling pair: such an LU keeps its
// number, its capacity and its existence.
void RequireFreeStandingLu(Database& database, int64_t unit_id,
                           int64_t lu_number);

// Fails the work with KXE_UNIFIED_MEMBER unless every unified LU that has a
// member among `lu_numbers` has all its members there: a unified LU is
// formatted whole.
void RequireWholeUnifiedLus(Database& database, int64_t unit_id,
                            const std::vector<int64_t>& lu_numbers);

// Fails the work with KXE_UNIFIED_MEMBER for the child of a unified LU,
// which hosts reach only through its parent (mapping, turbo LUs, pairs).
void RequireNotUnifiedChild(Database& database, int64_t unit_id,
                            int64_t lu_number);

// Records, on the unit clock, when a drive was blocked: the pinned data of
// the LUs on it dates from then until its rebuild ends.
void NoteDriveBlocked(Database& database, int64_t unit_id, int port, int row);

}  // namespace tesk740
