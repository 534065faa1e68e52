// The storage configuration of a unit as text, built the same way by a test
// and by the helper process, so the two can be compared line for line.
#pragma once

#include <string>
#include <vector>

#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station.h"
#include "kx_storage.h"

namespace core_test {

// Every RAID group and LU in use, with the state of its latest format (not
// its percent, which moves with the clock). Empty if a call fails.
inline std::string StorageReport(const char* unit) {
  std::vector<RaidGroupRecord> groups(KX_RAID_GROUP_COUNT);
  std::vector<LogicalUnitRecord> lus(KX_LOGICAL_UNIT_COUNT);
  std::vector<LuFormatStatusListRecord> formats(1);
  if (KX_GetRaidGroups(unit, groups.data()) != KX_OK ||
      KX_GetLogicalUnit(unit, lus.data()) != KX_OK ||
      KX_LogicalUnitFormatStatusList(unit, formats.data()) != KX_OK) {
    return std::string();
  }
  std::string report;
  for (const RaidGroupRecord& g : groups) {
    if (g.rgnum == KX_UNUSED_ENTRY) continue;
    report += "rg " + std::to_string(g.rgnum) + " level " +
              std::to_string(g.level) + " capacity " +
              std::to_string(g.lastLBA) + " free " +
              std::to_string(g.lumaxcapa) + "\n";
  }
  for (const LogicalUnitRecord& l : lus) {
    if (l.luNumber == KX_UNUSED_ENTRY) continue;
    report += "lu " + std::to_string(l.luNumber) + " rg " +
              std::to_string(l.rgNumber) + " capacity " +
              std::to_string(l.capacity) + " format " +
              std::to_string(formats[0].lu[l.luNumber].status) + "\n";
  }
  return report;
}

}  // namespace core_test
