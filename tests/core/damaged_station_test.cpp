// A station whose database was edited by hand: numbers out of their range
// are refused by the database itself, and where they got in anyway (a station
// from before the ranges were enforced) they are reported as damage, never
// used as an index.
#include <sqlite3.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "array_test_support.h"

namespace core_test {
namespace {

class DamagedStationTest : public ArrayTest {
 protected:
  // Runs statements on station.db behind the core's back; the SQLite result
  // and its message.
  std::pair<int, std::string> Run(const std::string& sql) {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open((directory_ / "station.db").string().c_str(), &db),
              SQLITE_OK);
    char* error = nullptr;
    const int result = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
    std::string message = error != nullptr ? error : "";
    sqlite3_free(error);
    sqlite3_close(db);
    return {result, message};
  }
  // The first column of the first row of a query, or -1.
  int64_t Count(const std::string& sql) {
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open((directory_ / "station.db").string().c_str(), &db),
              SQLITE_OK);
    sqlite3_stmt* query = nullptr;
    int64_t value = -1;
    if (sqlite3_prepare_v2(db, sql.c_str(), -1, &query, nullptr) == SQLITE_OK &&
        sqlite3_step(query) == SQLITE_ROW) {
      value = sqlite3_column_int64(query, 0);
    }
    sqlite3_finalize(query);
    sqlite3_close(db);
    return value;
  }
  void Tamper(const std::string& sql) {
    const auto [result, message] = Run(sql);
    EXPECT_EQ(result, SQLITE_OK) << message;
  }
  void ExpectRefused(const std::string& sql) {
    const auto [result, message] = Run(sql);
    EXPECT_EQ(result, SQLITE_CONSTRAINT) << sql;
    EXPECT_NE(message.find("a number out of its range"), std::string::npos)
        << message;
  }
  // Drops the range triggers; with `as_before`, also puts every schema back
  // at the step before them, as a station from before the ranges were
  // enforced.
  void DropRangeTriggers(bool as_before) {
    sqlite3* db = nullptr;
    ASSERT_EQ(sqlite3_open((directory_ / "station.db").string().c_str(), &db),
              SQLITE_OK);
    sqlite3_stmt* names = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(db,
                                 "SELECT name FROM sqlite_master WHERE type ="
                                 " 'trigger' AND name LIKE '%\\_ranges\\_%'"
                                 " ESCAPE '\\'",
                                 -1, &names, nullptr),
              SQLITE_OK);
    std::vector<std::string> triggers;
    while (sqlite3_step(names) == SQLITE_ROW) {
      triggers.emplace_back(
          reinterpret_cast<const char*>(sqlite3_column_text(names, 0)));
    }
    sqlite3_finalize(names);
    sqlite3_close(db);
    EXPECT_EQ(triggers.size(), 2u * 18) << "two per table with ranges";
    std::string drop;
    for (const std::string& name : triggers) drop += "DROP TRIGGER " + name + ";";
    if (as_before) {
      // The areas' ranges are their step 2; connectivity's and the special
      // LUs' step 3 (LUs that hosts reach) and the services' (the alerts
      // that ended) came after it.
      drop += "DROP TRIGGER conn_reached_lu_kept;"
              "DROP TRIGGER conn_reached_lu_keeps_number;"
              "DROP TRIGGER unified_child_unreached;"
              "ALTER TABLE service_alert_event DROP COLUMN cleared;"
              "PRAGMA user_version = 3; UPDATE schema_area SET version = 1"
              " WHERE area IN ('connectivity', 'special_lus', 'services',"
              " 'maintenance', 'events');";
    }
    Tamper(drop);
  }

  void SetUp() override {
    ArrayTest::SetUp();
    ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_5, 0, 0, 3, 1)), KX_OK);
    ASSERT_EQ(AddLu(MakeLu(0, 0, 1024)), KX_OK);
  }
};

TEST_F(DamagedStationTest, TheDatabaseRefusesNumbersOutOfRange) {
  const std::string unit = "(SELECT unit_id FROM unit)";
  ExpectRefused("UPDATE logical_unit SET lu_number = 5000");
  ExpectRefused("UPDATE raid_group SET rg_number = 100");
  ExpectRefused("UPDATE raid_group SET width = 16");  // 15 ports
  ExpectRefused("UPDATE raid_group SET first_port = 13");  // 3 wide: past 15
  ExpectRefused("UPDATE logical_unit SET controller = 2");
  ExpectRefused("UPDATE logical_unit SET capacity_mb = 'big'");
  ExpectRefused("PRAGMA foreign_keys=OFF; INSERT INTO format_job VALUES (" +
                unit + ", 9000, 0, 1, 0, 1000)");
  ExpectRefused("INSERT INTO drive_state VALUES (" + unit + ", 15, 0, 1, 0, 0)");
  ExpectRefused("INSERT INTO conn_lu_map VALUES (" + unit + ", 0, 0, 0, 256, 0)");
  ExpectRefused("INSERT INTO conn_host_group (unit_id, controller, port, hg,"
                " name) VALUES (" + unit + ", 0, 2, 1, 'x')");
  ExpectRefused("INSERT INTO pin_event VALUES (" + unit + ", 0, -1, 0)");
  ExpectRefused("INSERT INTO service_snmp_manager VALUES (" + unit +
                ", 8, 'host', 162)");
  ExpectRefused("INSERT INTO micro_assembly VALUES (" + unit +
                ", 1, 'r', 65, 1, x'')");
  // In range, the same kinds of rows go in.
  Tamper("INSERT INTO drive_state VALUES (" + unit + ", 14, 14, 1, 0, 0)");
  Tamper("UPDATE raid_group SET width = 3");
  RaidGroupRecord groups[KX_RAID_GROUP_COUNT];
  EXPECT_EQ(KX_GetRaidGroups(kUnit, groups), KX_OK);
}

// A station that took rows out of range before the database enforced the
// ranges still opens and takes the steps that enforce them; its reads then
// report the damage, and the database refuses new rows out of range.
TEST_F(DamagedStationTest, AStationWithOldRowsOutOfRangeUpgrades) {
  ForgetStation();
  DropRangeTriggers(true);
  Tamper("UPDATE logical_unit SET lu_number = 5000");
  ASSERT_EQ(Initialize(directory_), KX_OK);
  LogicalUnitRecord lus[KX_LOGICAL_UNIT_COUNT];
  EXPECT_EQ(KX_GetLogicalUnit(kUnit, lus), KXE_STATION_DAMAGED);
  const auto [result, message] = Run(
      "SELECT 1 FROM sqlite_master WHERE name = 'logical_unit_ranges_update'");
  EXPECT_EQ(result, SQLITE_OK) << message;
  ExpectRefused("UPDATE logical_unit SET lu_number = 6000");
  // Mended by hand, the station reads again.
  ForgetStation();
  DropRangeTriggers(true);
  Tamper("UPDATE logical_unit SET lu_number = 0");
  ASSERT_EQ(Initialize(directory_), KX_OK);
  EXPECT_EQ(KX_GetLogicalUnit(kUnit, lus), KX_OK);
}

// Rows out of range that got in anyway (the triggers dropped by hand).
TEST_F(DamagedStationTest, OutOfRangeNumbersAreDamageNotIndexes) {
  ForgetStation();
  DropRangeTriggers(false);
  ASSERT_EQ(Initialize(directory_), KX_OK);
  RaidGroupRecord groups[KX_RAID_GROUP_COUNT];
  LogicalUnitRecord lus[KX_LOGICAL_UNIT_COUNT];
  FormatStatusListRecord formats;

  // A format job for an LU the table has no room for.
  Tamper(
      "PRAGMA foreign_keys=OFF;"
      "INSERT INTO format_job VALUES ((SELECT unit_id FROM unit), 9000, 0,"
      " 1, 0, 1000)");
  EXPECT_EQ(KX_GetFormatStatusList(kUnit, &formats), KXE_STATION_DAMAGED);
  Tamper("DELETE FROM format_job WHERE lu_number = 9000");
  EXPECT_EQ(KX_GetFormatStatusList(kUnit, &formats), KX_OK);

  Tamper("UPDATE logical_unit SET lu_number = 5000");
  EXPECT_EQ(KX_GetLogicalUnit(kUnit, lus), KXE_STATION_DAMAGED);
  Tamper("UPDATE logical_unit SET lu_number = 0");
  EXPECT_EQ(KX_GetLogicalUnit(kUnit, lus), KX_OK);

  Tamper("PRAGMA foreign_keys=OFF; UPDATE raid_group SET rg_number = 100");
  EXPECT_EQ(KX_GetRaidGroups(kUnit, groups), KXE_STATION_DAMAGED);
  // Adding a group reads the others first: refused, nothing written.
  EXPECT_EQ(AddRaidGroup(MakeRaidGroup(KX_ANY_NUMBER, KX_RAID_1, 0, 1, 2, 1)),
            KXE_STATION_DAMAGED);

  Tamper("UPDATE raid_group SET rg_number = 0, width = 40");
  EXPECT_EQ(KX_GetRaidGroups(kUnit, groups), KXE_STATION_DAMAGED);
}


// One damaged value gives the same answer through every native that reads
// it, the snapshot included: the rows and stored records are checked where
// they are read, not by each reader.
class DamagedRowTest : public DamagedStationTest {
 protected:
  using Reader = std::function<int32_t()>;

  void SetUp() override {
    DamagedStationTest::SetUp();
    ForgetStation();
    DropRangeTriggers(false);
    ASSERT_EQ(Initialize(directory_), KX_OK);
  }

  // Every reader answers damaged while `damage` is in place, and data again
  // once `mend` has put the row back.
  void ExpectDamagedEverywhere(const std::string& damage,
                               const std::string& mend,
                               const std::vector<std::pair<const char*, Reader>>&
                                   readers) {
    for (const auto& [name, read] : readers) {
      EXPECT_EQ(read(), KX_OK) << name << " before the damage";
    }
    Tamper(damage);
    for (const auto& [name, read] : readers) {
      EXPECT_EQ(read(), KXE_STATION_DAMAGED)
          << name << " after: " << damage.substr(0, 120);
    }
    Tamper(mend);
    for (const auto& [name, read] : readers) {
      EXPECT_EQ(read(), KX_OK) << name << " after: " << mend;
    }
  }

  // A stored settings record replaced by bytes of the right length that no
  // Set would store.
  std::string RandomSetting(const std::string& name, size_t size) {
    std::mt19937 random(static_cast<uint32_t>(size * 7919 + name.size()));
    std::string hex;
    for (size_t i = 0; i < size; ++i) {
      char byte[3];
      std::snprintf(byte, sizeof byte, "%02X",
                    static_cast<unsigned>(random() & 0xFF));
      hex += byte;
    }
    return "INSERT OR REPLACE INTO setting (unit_id, name, value) VALUES"
           " ((SELECT unit_id FROM unit), '" + name + "', x'" + hex + "')";
  }
  static std::string DropSetting(const std::string& name) {
    return "DELETE FROM setting WHERE name = '" + name + "'";
  }

  Reader Snapshot() {
    return [] {
      auto all = std::make_unique<ArrayAllInformationRecord>();
      return KX_GetAllInformation(kUnit, all.get());
    };
  }
  Reader FileOutput() {
    return [this] {
      const std::string file = (directory_ / "rglu.txt").string();
      return KX_RgLuFileOutput(kUnit, file.c_str());
    };
  }
};

TEST_F(DamagedRowTest, AnLuOutOfItsRulesIsDamageForEveryReader) {
  ExpectDamagedEverywhere(
      "UPDATE logical_unit SET staging = -7",
      "UPDATE logical_unit SET staging = 0",
      {{"KX_GetLogicalUnit",
        [] {
          auto lus = std::make_unique<LogicalUnitRecord[]>(
              KX_LOGICAL_UNIT_COUNT);
          return KX_GetLogicalUnit(kUnit, lus.get());
        }},
       {"KX_GetLogicalUnit1",
        [] {
          LogicalUnitRecord lu{};
          return KX_GetLogicalUnit1(kUnit, 0, &lu);
        }},
       {"KX_RgLuFileOutput", FileOutput()},
       {"KX_GetAllInformation", Snapshot()}});
}

TEST_F(DamagedRowTest, ARaidLevelOutOfItsRulesIsDamageForEveryReader) {
  ExpectDamagedEverywhere(
      "UPDATE raid_group SET level = 70001",
      "UPDATE raid_group SET level = 5",
      {{"KX_GetRaidGroups",
        [] {
          RaidGroupRecord groups[KX_RAID_GROUP_COUNT];
          return KX_GetRaidGroups(kUnit, groups);
        }},
       {"KX_GetLogicalUnit1",
        [] {
          LogicalUnitRecord lu{};
          return KX_GetLogicalUnit1(kUnit, 0, &lu);
        }},
       {"KX_GetDriveStatus",
        [] {
          auto drives = std::make_unique<DiskDriveRecord[]>(KX_DRIVE_SLOTS);
          return KX_GetDriveStatus(kUnit, drives.get());
        }},
       {"KX_RgLuFileOutput", FileOutput()},
       {"KX_GetAllInformation", Snapshot()}});
}

TEST_F(DamagedRowTest, RandomBytesInAStoredRecordAreDamageForEveryReader) {
  ExpectDamagedEverywhere(
      RandomSetting("connectivity.lan.0", sizeof(LANInformationRecord)),
      DropSetting("connectivity.lan.0"),
      {{"KX_GetLANInformation",
        [] {
          LANInformationRecord lan{};
          return KX_GetLANInformation(kUnit, 0, &lan);
        }},
       {"KX_GetWizardParam",
        [] {
          auto wizard = std::make_unique<WizardParamRecord>();
          return KX_GetWizardParam(kUnit, "", 0, wizard.get());
        }},
       {"KX_GetAllInformation", Snapshot()}});
  ExpectDamagedEverywhere(
      RandomSetting("connectivity.port_options", sizeof(PortOptionRecord)),
      DropSetting("connectivity.port_options"),
      {{"KX_GetPortOption",
        [] {
          PortOptionRecord options{};
          return KX_GetPortOption(kUnit, &options);
        }},
       {"KX_GetAllInformation", Snapshot()}});
  const Reader wwn = [] {
    auto wwn = std::make_unique<WWNInformationRecord>();
    return KX_GetWWNInformation(kUnit, wwn.get());
  };
  const Reader fibre = [] {
    auto fibre = std::make_unique<FibreInformationRecord[]>(2);
    return KX_GetFibreInformation(kUnit, &fibre[0], &fibre[1]);
  };
  ExpectDamagedEverywhere(
      RandomSetting("connectivity.lun_security_opt", sizeof(int32_t)),
      DropSetting("connectivity.lun_security_opt"),
      {{"KX_GetWWNInformation", wwn}, {"KX_GetAllInformation", Snapshot()}});
  ExpectDamagedEverywhere(
      RandomSetting("connectivity.fibre.0", sizeof(FibreInformationRecord)),
      DropSetting("connectivity.fibre.0"),
      {{"KX_GetWWNInformation", wwn},
       {"KX_GetFibreInformation", fibre},
       {"KX_GetAllInformation", Snapshot()}});
}

// Hosts reach an LU through a mapping or a permission: the schema keeps such
// an LU whatever deletes or renumbers it, natives and hand-made statements
// alike, while deleting the whole unit still takes everything with it.
TEST_F(DamagedStationTest, AnLuThatHostsReachIsKeptByTheSchema) {
  const std::string unit = "(SELECT unit_id FROM unit)";
  Tamper("INSERT INTO conn_lu_map VALUES (" + unit + ", 0, 0, 0, 3, 0)");
  EXPECT_EQ(KX_LogicalUnitDelete(kUnit), KXE_LU_MAPPED);
  EXPECT_EQ(KX_LogicalUnitDeleteAll(kUnit), KXE_LU_MAPPED);
  auto [result, message] = Run("DELETE FROM logical_unit");
  EXPECT_EQ(result, SQLITE_CONSTRAINT);
  EXPECT_NE(message.find("hosts reach the LU"), std::string::npos) << message;
  std::tie(result, message) = Run("UPDATE logical_unit SET lu_number = 9");
  EXPECT_EQ(result, SQLITE_CONSTRAINT) << message;

  // A permission naming LU 0 (bit 0 of byte 0) keeps it just the same.
  Tamper("DELETE FROM conn_lu_map; INSERT INTO conn_permission VALUES (" +
         unit + ", 0, 0, 0, '', 'aa', '', x'01" + std::string(126, '0') +
         "')");
  EXPECT_EQ(KX_LogicalUnitDelete(kUnit), KXE_LU_IN_PERMISSION);
  // ...but not its neighbour, LU 1.
  ASSERT_EQ(AddLu(MakeLu(1, 0, 1024)), KX_OK);
  EXPECT_EQ(KX_LogicalUnitDelete(kUnit), KX_OK);

  ASSERT_EQ(KX_UnitDelete(kUnit), KX_OK);
  EXPECT_EQ(Count("SELECT (SELECT count(*) FROM logical_unit) +"
                  " (SELECT count(*) FROM conn_permission)"),
            0);
}

}  // namespace
}  // namespace core_test
