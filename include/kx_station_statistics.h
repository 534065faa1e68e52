// What the ints of statistics and performance collection mean on the
// station: the workload model behind every counter of the statistics record,
// the performance samples, the performance files and the block conversion.
// docs/statistics.md explains them with the counters field by field.
#pragma once

#include <cstdint>

// ---------------------------------------------------------------------------
// KX_GetStatisticalInformation(unit, arg, record): `arg` must be
// KX_STATS_CUMULATIVE (counters since the unit's statistics began);
// any other value gives KXE_INVALID_ARGUMENT.
enum : int32_t {
  KX_STATS_CUMULATIVE = 0,
};

// ---------------------------------------------------------------------------
// The workload model. Every unit has a deterministic workload: a generator
// seeded with the unit's id (a rename keeps it) gives each LU number its own
// host load, and the counters accumulate it as wall time passes, in whole
// seconds of the host clock. The unit's statistics begin with its first
// recorded activity (the start of its earliest LU format), or when a
// statistics or performance call first asks for them if that is earlier.
// Counters are kept in the station, so every process sees the same
// counters, and they never go back. The configuration seen when the
// counters are brought up to date (at every statistics or performance
// call) applies to the whole time since the last update.
//
// Host load of an LU: reads per second between KX_STAT_READ_IOPS_MIN and
// KX_STAT_READ_IOPS_MAX, writes between KX_STAT_WRITE_IOPS_MIN and _MAX,
// each rising and falling by up to KX_STAT_SWING_PERCENT_MAX percent over a
// period of KX_STAT_PERIOD_SECONDS_MIN.._MAX seconds. Cache hit ratios:
// reads KX_STAT_READ_HIT_PERMILLE_MIN.._MAX per mille, writes
// KX_STAT_WRITE_HIT_PERMILLE_MIN.._MAX. Only an LU that is valid, formatted
// (its format finished) and whose RAID group still has its data (no more
// blocked members than the level survives) receives host commands.
enum : int32_t {
  KX_STAT_READ_IOPS_MIN = 20,
  KX_STAT_READ_IOPS_MAX = 400,
  KX_STAT_WRITE_IOPS_MIN = 10,
  KX_STAT_WRITE_IOPS_MAX = 200,
  KX_STAT_SWING_PERCENT_MAX = 80,
  KX_STAT_PERIOD_SECONDS_MIN = 120,
  KX_STAT_PERIOD_SECONDS_MAX = 900,
  KX_STAT_READ_HIT_PERMILLE_MIN = 500,
  KX_STAT_READ_HIT_PERMILLE_MAX = 950,
  KX_STAT_WRITE_HIT_PERMILLE_MIN = 800,
  KX_STAT_WRITE_HIT_PERMILLE_MAX = 990,
  // Share of sequential commands; an LU with KX_STAGING_SEQUENTIAL adds
  // KX_STAT_SEQUENTIAL_STAGING_PERMILLE.
  KX_STAT_SEQUENTIAL_PERMILLE_MIN = 50,
  KX_STAT_SEQUENTIAL_PERMILLE_MAX = 300,
  KX_STAT_SEQUENTIAL_STAGING_PERMILLE = 300,
  // One prefetch per this many sequential reads (none with KX_STAGING_OFF).
  KX_STAT_READS_PER_PREFETCH = 8,
  // One split write per this many writes.
  KX_STAT_WRITES_PER_SPLIT = 64,
  // One segment-lock wait per this many writes of a controller.
  KX_STAT_WRITES_PER_SEGMENT_LOCK = 1000,
  // Destage: stripe jobs are gathered in runs of at most this many.
  KX_STAT_GATHER_RUN = 16,
};

// Drive work. Every host write of an LU is one stripe job on each working
// (not blocked) member of its RAID group, counted by the LU's controller:
// raid0_stripe_job for levels 0, 1 and 1+0, raid5_stripe_job for 5 and 6
// (a random write there is also a read-modify-write job, and a job of a
// group with a blocked member is partial). A running format adds
// KX_STAT_FORMAT_JOBS_PER_SECOND jobs on every working member, counted by
// the LU's controller; a rebuild adds KX_STAT_REBUILD_JOBS_PER_SECOND jobs
// on the rebuilding drive, counted by controller 0.
enum : int32_t {
  KX_STAT_FORMAT_JOBS_PER_SECOND = 100,
  KX_STAT_REBUILD_JOBS_PER_SECOND = 100,
};

// Errors. Only installed parts count: mounted drives, the 2 host ports and
// 2 cache modules of each controller, the 4 drive loops. A working drive
// has a recoverable media error every KX_STAT_MEDIA_ERROR_SECONDS and a
// corrected online-verify error every KX_STAT_VERIFY_ERROR_SECONDS, counted
// by controller (port % 2); a host port a CRC error every
// KX_STAT_LINK_ERROR_SECONDS; a cache module a corrected error every
// KX_STAT_CACHE_ERROR_SECONDS. Each event falls at a fixed phase of its
// period, drawn per part from the unit's generator.
//
// A blocked drive stops counting work, running time and media errors. Both
// controllers count its blocking (d_drive_urec and link_failre[0] + 1) and,
// while it stays blocked, a failed retry of its port every
// KX_STAT_BLOCKED_RETRY_SECONDS (drv_port_err[0], rolled up into err_rtry,
// the drive interface errors of its loop, port % 4, and their retries).
enum : int32_t {
  KX_STAT_MEDIA_ERROR_SECONDS = 3600,
  KX_STAT_VERIFY_ERROR_SECONDS = 7200,
  KX_STAT_LINK_ERROR_SECONDS = 21600,
  KX_STAT_CACHE_ERROR_SECONDS = 43200,
  KX_STAT_BLOCKED_RETRY_SECONDS = 10,
  KX_STAT_HOST_PORTS = 2,
  KX_STAT_CACHE_MODULES = 2,
  KX_STAT_DRIVE_LOOPS = 4,
  KX_STAT_PROCESSORS = 4,
};

// Thresholds and limits the station reports: port error thresholds, the
// cache memory error threshold, and the drive error limits of
// StatisticalDriveError_LimitInfo (recoverable, unrecoverable, online verify
// and port limits; drive_port_limit1..3 are 1, 2 and 4 times the port
// limit). Every mounted drive's entry carries the same limits.
enum : int32_t {
  KX_STAT_PORT_ERROR_THRESHOLD = 16,
  KX_STAT_CACHE_ERROR_THRESHOLD = 32,
  KX_STAT_LIMIT_RECOVERABLE = 1000,
  KX_STAT_LIMIT_UNRECOVERABLE = 10,
  KX_STAT_LIMIT_VERIFY_CORRECTED = 100,
  KX_STAT_LIMIT_VERIFY_UNCORRECTED = 5,
  KX_STAT_LIMIT_DRIVE_PORT = 50,
};

// ---------------------------------------------------------------------------
// KX_GetPerformance(unit, first, second): `second` is a sample taken now (at
// the last whole second), `first` the unit's previous sample, so calls in a
// row give contiguous intervals. A unit's first sample comes with one taken
// KX_PERF_FIRST_INTERVAL_SECONDS earlier (or at the counters' last update if
// that is later). A sample's LU entry i: read_count and write_count are the
// host commands of LU i through both controllers, read_cache and
// write_cache its cache hits; mtime is the sample's time on the unit clock
// (local time, tm_year counted from 1900). Counters are 32-bit and wrap.
enum : int32_t {
  KX_PERF_FIRST_INTERVAL_SECONDS = 1,
};

// KX_PerformanceOutput(unit, path, s1, s2, s3, s4) and
// KX_PerformanceOutputLU(unit, path, s1..s4, mode, lu_list, reserved) add
// the three intervals s1-s2, s2-s3, s3-s4 to the CSV file at `path`
// (UTF-8; relative to the process's current directory), starting it with
// the header line when it is new or empty. The samples must be valid times
// in order (KXE_INVALID_TIME, KXE_PERF_SAMPLES_OUT_OF_ORDER); an interval of
// 0 seconds gives no rows. KX_PerformanceOutput writes the LUs that had any
// command in the three intervals, KX_PerformanceOutputLU the LUs whose
// byte in lu_list is nonzero. `mode` is KX_PERF_APPEND or KX_PERF_REPLACE
// (start the file anew); `reserved` must be 0.
enum : int32_t {
  KX_PERF_APPEND = 0,
  KX_PERF_REPLACE = 1,
};

// ---------------------------------------------------------------------------
// KX_BlockToByte(high, low, block_size, r0, r1, r2): the byte count of
// (high * 2^32 + low) blocks, both halves taken as unsigned 32-bit, of
// `block_size` bytes (0 means KX_BLOCK_BYTES, 512; negative sizes give
// KXE_INVALID_ARGUMENT). The product needs up to 95 bits and is returned as
// r0 * 2^64 + r1 * 2^32 + r2, each part an unsigned 32-bit value carried in
// an int. Needs no station.
