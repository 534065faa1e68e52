// Record types and builders of the statistics record and the performance
// sample.
//
// The generic builder converts every field of these records but two kinds it
// has no field kind for: the six 15 x 15 record grids of the statistics
// record (StatisticalWriteAfter.pdev, StatisticalDrive.drive,
// StatisticalDriveError.drive, in both controllers' entries) and the
// calendar `mtime` of a performance sample. The functions below add those
// steps around the generic builder and reader; a grid and a calendar field
// kind would make them table entries.
#pragma once

#include <jni.h>

#include <cstdint>

#include "bridge/lookups.h"
#include "bridge/record.h"

namespace kx {

// StatisticalInformation without its grids, and the grid elements, as the
// generic builder and reader see them.
extern const RecordType kStatisticalInformationType;
extern const RecordType kStatisticalWriteAfterPDEVInfoType;
extern const RecordType kStatisticalDriveInfoType;
extern const RecordType kStatisticalDriveErrorInfoType;
// StatisticalCommand without its calendar.
extern const RecordType kStatisticalCommandType;

// The whole StatisticalInformation tree of a statistics record, or null at
// the first step that fails (no partial tree is handed out). The tree is
// built with the generic builder; the grids are then set into the
// StatisticalWriteAfter, StatisticalDrive and StatisticalDriveError objects.
jobject build_statistical_information(Lookups& lookups, const void* record);

// The builders of the three grid-holding records on their own.
jobject build_statistical_write_after(Lookups& lookups, const void* record);
jobject build_statistical_drive(Lookups& lookups, const void* record);
jobject build_statistical_drive_error(Lookups& lookups, const void* record);

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
