// The unit registry natives: the units the station manages, one row per
// unit (model/registry.h has what the other areas use of it).
#include "model/registry.h"

#include <cstring>
#include <vector>

#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station.h"
#include "station/fixed_text.h"

namespace tesk740 {
namespace {

// Column order shared by every query that reads or writes a whole unit.
#define KX_UNIT_COLUMNS \
  "unit_name, group_name, connect_type, kx_type, unit_conf, alert, ctl0, ctl1"

struct Unit {
  std::string unit_name;
  std::string group_name;
  int8_t connect_type;
  int8_t kx_type;
  int8_t unit_conf;
  int8_t alert;
  std::string ctl0;
  std::string ctl1;
};

int32_t ReadRecord(const KXUnitParamRecord* record, Unit* unit) {
  if (record == nullptr) return KXE_INVALID_ARGUMENT;
  const int32_t name_code = ReadUnitName(
      record->unit_name, sizeof record->unit_name, &unit->unit_name);
  if (name_code != KX_OK) return name_code;
  if (!ReadFixedText(record->group_name, sizeof record->group_name,
                     &unit->group_name) ||
      !ReadFixedText(record->ctl0, sizeof record->ctl0, &unit->ctl0) ||
      !ReadFixedText(record->ctl1, sizeof record->ctl1, &unit->ctl1)) {
    return KXE_INVALID_ARGUMENT;
  }
  unit->connect_type = record->connect_type;
  unit->kx_type = record->kx_type;
  unit->unit_conf = record->unit_conf;
  unit->alert = record->alert;
  return KX_OK;
}

// Binds the unit's columns as parameters 1 to 8, in KX_UNIT_COLUMNS order.
void BindUnit(Statement& statement, const Unit& unit) {
  statement.Bind(1, unit.unit_name)
      .Bind(2, unit.group_name)
      .Bind(3, unit.connect_type)
      .Bind(4, unit.kx_type)
      .Bind(5, unit.unit_conf)
      .Bind(6, unit.alert)
      .Bind(7, unit.ctl0)
      .Bind(8, unit.ctl1);
}

// Fills a whole record from a row selected as KX_UNIT_COLUMNS.
void WriteRecord(const Statement& row, KXUnitParamRecord* record) {
  std::memset(record, 0, sizeof *record);
  WriteFixedText(row.Text(0), record->unit_name, sizeof record->unit_name);
  WriteFixedText(row.Text(1), record->group_name, sizeof record->group_name);
  record->connect_type = static_cast<int8_t>(row.Int(2));
  record->kx_type = static_cast<int8_t>(row.Int(3));
  record->unit_conf = static_cast<int8_t>(row.Int(4));
  record->alert = static_cast<int8_t>(row.Int(5));
  WriteFixedText(row.Text(6), record->ctl0, sizeof record->ctl0);
  WriteFixedText(row.Text(7), record->ctl1, sizeof record->ctl1);
}

}  // namespace

}  // namespace tesk740

using tesk740::Database;
using tesk740::Statement;
using tesk740::Station;

KX_API int32_t KX_GetUnitParam(const char* unit, KXUnitParamRecord* record) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    std::string name;
    const int32_t code = tesk740::ReadUnitName(unit, kUnitNameSize, &name);
    if (code != KX_OK) return code;
    if (record == nullptr) return KXE_INVALID_ARGUMENT;
    Statement select = database.Prepare("SELECT " KX_UNIT_COLUMNS
                                        " FROM unit WHERE unit_name = ?1");
    select.Bind(1, name);
    if (!select.Step()) return KXE_UNKNOWN_UNIT;
    tesk740::WriteRecord(select, record);
    return KX_OK;
  });
}

KX_API int32_t KX_UnitAdd(const KXUnitParamRecord* record) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    tesk740::Unit unit;
    const int32_t code = tesk740::ReadRecord(record, &unit);
    if (code != KX_OK) return code;
    if (tesk740::FindUnitId(database, unit.unit_name)) {
      return KXE_DUPLICATE_UNIT;
    }
    Statement count = database.Prepare("SELECT count(*) FROM unit");
    count.Step();
    if (count.Int(0) >= kMaxUnits) return KXE_UNIT_TABLE_FULL;
    Statement insert =
        database.Prepare("INSERT INTO unit (" KX_UNIT_COLUMNS
                         ") VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)");
    tesk740::BindUnit(insert, unit);
    insert.Run();
    return KX_OK;
  });
}

KX_API int32_t KX_UnitDelete(const char* unit) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    std::string name;
    const int32_t code = tesk740::ReadUnitName(unit, kUnitNameSize, &name);
    if (code != KX_OK) return code;
    Statement remove =
        database.Prepare("DELETE FROM unit WHERE unit_name = ?1");
    remove.Bind(1, name);
    remove.Run();
    return sqlite3_changes(database.handle()) == 0 ? KXE_UNKNOWN_UNIT : KX_OK;
  });
}

KX_API int32_t KX_UnitChange(const char* old_unit,
                             const KXUnitParamRecord* record) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    std::string old_name;
    int32_t code = tesk740::ReadUnitName(old_unit, kLongNameSize, &old_name);
    if (code != KX_OK) return code;
    tesk740::Unit unit;
    code = tesk740::ReadRecord(record, &unit);
    if (code != KX_OK) return code;
    const int64_t id = tesk740::RequireUnitId(database, old_name);
    const std::optional<int64_t> holder =
        tesk740::FindUnitId(database, unit.unit_name);
    if (holder && *holder != id) return KXE_DUPLICATE_UNIT;
    Statement update = database.Prepare(
        "UPDATE unit SET (" KX_UNIT_COLUMNS
        ") = (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8) WHERE unit_id = ?9");
    tesk740::BindUnit(update, unit);
    update.Bind(9, id);
    update.Run();
    return KX_OK;
  });
}

KX_API int32_t KX_GetUnitParamTable(int32_t count, KXUnitParamRecord* records) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    if (count < 0 || (count > 0 && records == nullptr)) {
      return KXE_INVALID_ARGUMENT;
    }
    // Collected first so that a failure leaves the caller's table untouched.
    std::vector<KXUnitParamRecord> units;
    Statement select = database.Prepare("SELECT " KX_UNIT_COLUMNS
                                        " FROM unit ORDER BY unit_id LIMIT ?1");
    select.Bind(1, count);
    while (select.Step()) {
      units.emplace_back();
      tesk740::WriteRecord(select, &units.back());
    }
    if (count == 0) return KX_OK;
    std::memset(records, 0, sizeof(KXUnitParamRecord) * count);
    if (!units.empty()) {
      std::memcpy(records, units.data(),
                  sizeof(KXUnitParamRecord) * units.size());
    }
    return KX_OK;
  });
}

KX_API int32_t KX_GetUnitCount(int32_t* count) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    if (count == nullptr) return KXE_INVALID_ARGUMENT;
    Statement select = database.Prepare("SELECT count(*) FROM unit");
    select.Step();
    *count = static_cast<int32_t>(select.Int(0));
    return KX_OK;
  });
}
