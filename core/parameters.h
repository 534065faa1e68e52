// The operating parameters as the parameter, file and wizard areas share
// them: every group's stored value with its defaults, its range check, and
// the LUs that exist. Everything here runs inside a station transaction.
#pragma once

#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>

#include "kx_parameters.h"
#include "kx_station.h"
#include "station.h"

namespace tesk740 {

// The LU numbers that exist on a unit.
using LuSet = std::bitset<KX_LOGICAL_UNIT_COUNT>;
LuSet LoadLuSet(Database& database, int64_t unit_id);
// Every LU number: what a stored value is checked against, since an LU may
// have been deleted after the value was set.
LuSet AnyLu();

// Text rules shared by the groups and the wizard.
// NUL-terminated within `width` bytes, every byte printable ASCII, and
// between min_length and width - 1 bytes long.
bool IsPrintableText(const char* field, size_t width, size_t min_length = 0);
bool IsSwitch(int64_t value);

// One group of operating parameters kept in the settings store. `load`
// gives the stored record (or the defaults), checked as stored data (damage
// fails the work with KXE_STATION_DAMAGED) with per-LU values of deleted LUs
// read back as their defaults; `check` gives 0 or the group's code for the
// first wrong value; `store` keeps a checked record.
struct ParameterGroup {
  const char* name;  // setting name and key in the parameter file
  int32_t bit;       // KX_PARAM_* selection bit
  size_t size;       // bytes of the record
  void (*load)(Database& database, int64_t unit_id, void* record);
  int32_t (*check)(const void* record, const LuSet& lus);
  void (*store)(Database& database, int64_t unit_id, const void* record);
};

// The groups of the parameter file, in file order.
const ParameterGroup* ParameterGroups(size_t* count);
const ParameterGroup* FindParameterGroup(std::string_view name);

// Typed access for the wizard, which owns some of these values jointly.
OnlineSystemParamRecord LoadOnlineSystem(Database& database, int64_t unit_id);
void StoreOnlineSystem(Database& database, int64_t unit_id,
                       const OnlineSystemParamRecord& record);
UnitIdentifierRecord LoadIdentifier(Database& database, int64_t unit_id);
void StoreIdentifier(Database& database, int64_t unit_id,
                     const UnitIdentifierRecord& record);
int32_t CheckOnlineSystem(const OnlineSystemParamRecord& record);
OnlineSystemParamRecord DefaultOnlineSystem();
UnitIdentifierRecord DefaultIdentifier(int64_t unit_id);
int32_t CheckIdentifier(const UnitIdentifierRecord& record);

// The unit's model: the unit type of its registration. Parameter files
// carry it, and a file for another model is refused.
int64_t UnitModel(Database& database, int64_t unit_id);

// The bytes of hex text (as ToHex of sha256.h writes it): false for a
// length other than 2 x size or a non-hex digit.
bool FromHex(std::string_view hex, void* bytes, size_t size);

}  // namespace tesk740
