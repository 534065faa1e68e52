// What the ints of maintenance mean: microcode replacement, traces, host
// files and unit control. docs/maintenance.md describes the behaviour and
// the file formats.
#pragma once

#include <cstdint>

// ---------------------------------------------------------------------------
// Microcode files. A part is a 40-byte header (little-endian) followed by
// its payload:
//   0  char[4]  magic "KXMC"
//   4  uint16   format version, 1
//   6  uint16   header size, 40
//   8  int32    model: the kx_type of the units the microcode is for
//   12 char[8]  revision: 1..7 bytes from 0x21..0x7E, NUL-padded
//   20 uint16   part number, 1..part count
//   22 uint16   part count, 1..64
//   24 uint32   payload length, 1..KX_MICRO_PART_MAX_BYTES
//   28 uint32   CRC-32 (zlib's crc32) of the payload
//   32 uint32   reserved, 0
//   36 uint32   CRC-32 of header bytes 0..35
// The image is the payloads of every part joined in part-number order.
enum : int32_t {
  KX_MICRO_HEADER_BYTES = 40,
  KX_MICRO_FORMAT_VERSION = 1,
  KX_MICRO_MAX_PARTS = 64,
  KX_MICRO_PART_MAX_BYTES = 16 * 1024 * 1024,
  KX_MICRO_IMAGE_MAX_BYTES = 64 * 1024 * 1024,
  // The image moves to the unit in portions of this many bytes (the last
  // one may be shorter).
  KX_MICRO_PORTION_BYTES = 64 * 1024,
};

// KX_MicroFileConcat(unit, file, part, &remaining): adds one part file to
// the image being joined for the unit; `part` is the part the caller means
// it to be (the first part starts a new image). remaining: the parts still
// to add; 0 when the image is complete and prepared.
// KX_MicroFileConcat2(unit, file): `file` holds every part back to back;
// the whole image is joined and prepared in one call.
// KX_MicroDownload(unit, portion, count, reserved): portion 1..count, count
// the number KX_GetMicroDownloadCount gave, reserved 0.
// KX_MicroReplace(unit, mode): KX_MICRO_REPLACE_RESTART is the only mode.
enum : int32_t {
  KX_MICRO_REPLACE_RESTART = 0,
};

// ---------------------------------------------------------------------------
// Unit control.
//
// A reboot or a microcode replacement makes the unit not ready for
// KX_RESTART_DEFAULT_SECONDS of wall time, or the seconds in the
// environment variable KX_RESTART_SECONDS of the process that restarts it.
// KX_TestUnitReady(unit, controller) and KX_FDDTest(unit, controller,
// &result) take the controller, 0 or 1.
enum : int32_t {
  KX_RESTART_DEFAULT_SECONDS = 5,
  KX_FDD_PASSED = 0,  // the only result: the simulated drive always passes
};

// KX_SetSPinformation(unit, link, interval, port): the service processor
// link (KX_SP_LINK_*), its report interval in minutes (0..1440, 0 = off)
// and its port (0 with no link, a TCP port 1..65535 on LAN, a COM port
// 1..16 on serial).
enum : int32_t {
  KX_SP_LINK_NONE = 0,
  KX_SP_LINK_LAN = 1,
  KX_SP_LINK_SERIAL = 2,
  KX_SP_MAX_INTERVAL_MINUTES = 1440,
  KX_SP_MAX_COM_PORT = 16,
};

// ---------------------------------------------------------------------------
// Traces. The station keeps the newest KX_TRACE_EVENTS_KEPT events of each
// unit. Trace calls choose categories as a mask of these bits.
// KX_GetTraceText(unit, categories, first, max, text) and
// KX_CreateTraceFile(unit, categories, first, max, path): events numbered
// `first` or later (0: from the oldest kept), at most `max` of them (0: no
// limit), newest kept. KX_CreateTraceFile2(unit, categories, path): all.
enum : int32_t {
  KX_TRACE_SESSIONS = 0x01,       // logins and logouts
  KX_TRACE_CONFIGURATION = 0x02,  // RAID groups, LUs, clock, SP settings
  KX_TRACE_FORMATS = 0x04,        // LU formats started
  KX_TRACE_DRIVES = 0x08,         // drives blocked or returned
  KX_TRACE_UNIT_CONTROL = 0x10,   // reboots, restarts, unit tests
  KX_TRACE_MICROCODE = 0x20,      // microcode joined, downloaded, replaced
  KX_TRACE_ALL = 0x3F,
  KX_TRACE_EVENTS_KEPT = 10000,
};

// ---------------------------------------------------------------------------
// Host files. KX_ExistFile's value:
enum : int32_t {
  KX_PATH_MISSING = 0,
  KX_PATH_FILE = 1,
  KX_PATH_DIRECTORY = 2,
  KX_PATH_OTHER = 3,  // a device, socket or pipe
  // KX_GetFileText refuses larger files rather than cut them.
  KX_FILE_TEXT_MAX_BYTES = 1024 * 1024,
};
