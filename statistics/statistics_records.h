// Record types and builders of the statistics record and the performance
// sample.
//
// The generic builder converts every field of these records, the six 15 x 15
// record grids of the statistics record included, but one it has no field
// kind for: the calendar `mtime` of a performance sample. The functions below
// add that step around the generic builder and reader.
#pragma once

#include <jni.h>

#include <cstdint>

#include "bridge/lookups.h"
#include "bridge/record.h"

namespace kx {

// The whole StatisticalInformation tree.
extern const RecordType kStatisticalInformationType;
// StatisticalCommand without its calendar.
extern const RecordType kStatisticalCommandType;

// The whole StatisticalInformation tree of a statistics record, or null at
// the first step that fails (no partial tree is handed out).
jobject build_statistical_information(Lookups& lookups, const void* record);

// Every builder and reader here takes the call's lookups, so a tree of 8,108
// objects looks each class and field up once.

// A StatisticalCommand from a performance sample: its LU entries, then
// `mtime` as a GregorianCalendar of tm_year + 1900.
jobject build_statistical_command(Lookups& lookups, const void* record);

// Fills a performance sample from a StatisticalCommand: at most 512 LU
// entries (a shorter `lu` leaves the later entries as they were) and mtime
// with 1900 taken off the calendar year. Returns 0, -1 for a null object or
// record, or ERR_MARSHAL at the first field that cannot be read.
int32_t read_statistical_command(Lookups& lookups, jobject object,
                                 void* record);

}  // namespace kx
