// Records of RAID groups, logical units and their formatting.
#pragma once

#include "kx_api.h"

enum : uint32_t {
  // The list calls exchange full tables; the core reports no count.
  kRaidGroupCapacity = 45,
  kLogicalUnitCapacity = 512,
};

// One RAID group, both as listed and as sent for creation or expansion.
struct RaidGroupRecord {
  int32_t rgnum;
  int32_t level;
  int32_t port;
  int32_t row;
  int32_t width;
  int32_t depth;
  int32_t minimum_capa;
  int32_t lastLBASet;
  int32_t lastLBA;
  int32_t rest_h;
  int32_t rest;
  int32_t lumaxcapa;
};
KX_ASSERT_OFFSET(RaidGroupRecord, rgnum, 0);
KX_ASSERT_OFFSET(RaidGroupRecord, level, 4);
KX_ASSERT_OFFSET(RaidGroupRecord, port, 8);
KX_ASSERT_OFFSET(RaidGroupRecord, row, 12);
KX_ASSERT_OFFSET(RaidGroupRecord, width, 16);
KX_ASSERT_OFFSET(RaidGroupRecord, depth, 20);
KX_ASSERT_OFFSET(RaidGroupRecord, minimum_capa, 24);
KX_ASSERT_OFFSET(RaidGroupRecord, lastLBASet, 28);
KX_ASSERT_OFFSET(RaidGroupRecord, lastLBA, 32);
KX_ASSERT_OFFSET(RaidGroupRecord, rest_h, 36);
KX_ASSERT_OFFSET(RaidGroupRecord, rest, 40);
KX_ASSERT_OFFSET(RaidGroupRecord, lumaxcapa, 44);
KX_ASSERT_SIZE(RaidGroupRecord, 48);

// One logical unit, both as listed and as sent for creation.
struct LogicalUnitRecord {
  int32_t luNumber;
  int32_t rgNumber;
  int32_t raid_level;
  int32_t staging;
  int32_t capacity;
  int32_t defaultCTL;
  int32_t currentCTL;
  int32_t status;
  int32_t hostblock;
  int32_t lu_valid;
  int32_t rg_last_lu;
};
KX_ASSERT_OFFSET(LogicalUnitRecord, luNumber, 0);
KX_ASSERT_OFFSET(LogicalUnitRecord, rgNumber, 4);
KX_ASSERT_OFFSET(LogicalUnitRecord, raid_level, 8);
KX_ASSERT_OFFSET(LogicalUnitRecord, staging, 12);
KX_ASSERT_OFFSET(LogicalUnitRecord, capacity, 16);
KX_ASSERT_OFFSET(LogicalUnitRecord, defaultCTL, 20);
KX_ASSERT_OFFSET(LogicalUnitRecord, currentCTL, 24);
KX_ASSERT_OFFSET(LogicalUnitRecord, status, 28);
KX_ASSERT_OFFSET(LogicalUnitRecord, hostblock, 32);
KX_ASSERT_OFFSET(LogicalUnitRecord, lu_valid, 36);
KX_ASSERT_OFFSET(LogicalUnitRecord, rg_last_lu, 40);
KX_ASSERT_SIZE(LogicalUnitRecord, 44);

// Moves an LU to a new number with a new size (KX_LogicalUnitRealloc).
struct LuReallocRequestRecord {
  int32_t lun;
  int32_t lusize;
  int32_t newlun;
};
KX_ASSERT_OFFSET(LuReallocRequestRecord, lun, 0);
KX_ASSERT_OFFSET(LuReallocRequestRecord, lusize, 4);
KX_ASSERT_OFFSET(LuReallocRequestRecord, newlun, 8);
KX_ASSERT_SIZE(LuReallocRequestRecord, 12);

// One byte per LU of the LU table, registering LUs for formatting; what
// each byte means is the core's.
struct FormatEntryListRecord {
  uint8_t lu[kLogicalUnitCapacity];
};
KX_ASSERT_OFFSET(FormatEntryListRecord, lu, 0);
KX_ASSERT_SIZE(FormatEntryListRecord, 512);

// Progress of one registered format.
struct FormatStatusRecord {
  uint8_t entry;
  uint8_t unused_1[3];
  int32_t status;
  int32_t percent;
  int32_t err_code_sense_key;
  int32_t err_code_sense_code;
};
KX_ASSERT_OFFSET(FormatStatusRecord, entry, 0);
KX_ASSERT_OFFSET(FormatStatusRecord, unused_1, 1);
KX_ASSERT_OFFSET(FormatStatusRecord, status, 4);
KX_ASSERT_OFFSET(FormatStatusRecord, percent, 8);
KX_ASSERT_OFFSET(FormatStatusRecord, err_code_sense_key, 12);
KX_ASSERT_OFFSET(FormatStatusRecord, err_code_sense_code, 16);
KX_ASSERT_SIZE(FormatStatusRecord, 20);

// Overall progress of the registered formats, one entry per LU.
struct FormatStatusListRecord {
  uint8_t mode;
  uint8_t unused_1[3];
  int32_t totalpercent;
  int32_t resttime;
  FormatStatusRecord lu[kLogicalUnitCapacity];
};
KX_ASSERT_OFFSET(FormatStatusListRecord, mode, 0);
KX_ASSERT_OFFSET(FormatStatusListRecord, unused_1, 1);
KX_ASSERT_OFFSET(FormatStatusListRecord, totalpercent, 4);
KX_ASSERT_OFFSET(FormatStatusListRecord, resttime, 8);
KX_ASSERT_OFFSET(FormatStatusListRecord, lu, 12);
KX_ASSERT_SIZE(FormatStatusListRecord, 10252);

// Format progress of one LU.
struct LuFormatStatusRecord {
  int32_t status;
  int32_t percent;
  int32_t err_code_sense_key;
  int32_t err_code_sense_code;
};
KX_ASSERT_OFFSET(LuFormatStatusRecord, status, 0);
KX_ASSERT_OFFSET(LuFormatStatusRecord, percent, 4);
KX_ASSERT_OFFSET(LuFormatStatusRecord, err_code_sense_key, 8);
KX_ASSERT_OFFSET(LuFormatStatusRecord, err_code_sense_code, 12);
KX_ASSERT_SIZE(LuFormatStatusRecord, 16);

// Format progress of every LU of the LU table.
struct LuFormatStatusListRecord {
  LuFormatStatusRecord lu[kLogicalUnitCapacity];
};
KX_ASSERT_OFFSET(LuFormatStatusListRecord, lu, 0);
KX_ASSERT_SIZE(LuFormatStatusListRecord, 8192);
