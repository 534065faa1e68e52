// The set-up wizard: one record that agrees with the areas that own its
// values (connectivity's LAN, target IDs and synchronous ports among them), a
// test that refuses the first wrong part by the owners' rules and changes
// nothing, a set that reaches every owner, the target-ID import and the
// configuration file.
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>

#include "array_test_support.h"
#include "kx_station_parameters.h"

namespace core_test {
namespace {

class WizardTest : public ArrayTest {
 protected:
  std::unique_ptr<WizardParamRecord> Wizard(int32_t source = 0) {
    auto record = std::make_unique<WizardParamRecord>();
    EXPECT_EQ(KX_GetWizardParam(kUnit, "", source, record.get()), KX_OK);
    return record;
  }
  // The wizard record and the groups it shares, as bytes.
  std::string Snapshot() {
    std::string bytes;
    auto wizard = Wizard();
    bytes.append(reinterpret_cast<const char*>(wizard.get()), sizeof *wizard);
    OnlineSystemParamRecord system{};
    EXPECT_EQ(KX_GetOnlineSystemParam(kUnit, &system), KX_OK);
    bytes.append(reinterpret_cast<const char*>(&system), sizeof system);
    UnitIdentifierRecord identifier{};
    EXPECT_EQ(KX_GetUnitIdentifier(kUnit, &identifier), KX_OK);
    bytes.append(reinterpret_cast<const char*>(&identifier), sizeof identifier);
    TargetIdRecord targets[2]{};
    EXPECT_EQ(KX_GetTargetId(kUnit, 0, &targets[0], &targets[1]), KX_OK);
    bytes.append(reinterpret_cast<const char*>(targets), sizeof targets);
    for (int controller = 0; controller < 2; ++controller) {
      LANInformationRecord lan{};
      EXPECT_EQ(KX_GetLANInformation(kUnit, controller, &lan), KX_OK);
      bytes.append(reinterpret_cast<const char*>(&lan), sizeof lan);
      SyncControlRecord sync{};
      EXPECT_EQ(KX_GetSyncControl(kUnit, controller, &sync), KX_OK);
      bytes.append(reinterpret_cast<const char*>(&sync), sizeof sync);
    }
    return bytes;
  }
  void AddLus() {
    ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_5, 0, 0, 3, 1)), KX_OK);
    for (int lu = 0; lu < 4; ++lu) ASSERT_EQ(AddLu(MakeLu(lu, 0, 512)), KX_OK);
  }
};

TEST_F(WizardTest, TheUnitsOwnRecordPassesItsTest) {
  auto current = Wizard();
  EXPECT_EQ(KX_TestWizardParam(kUnit, current.get(), "", 0), KX_OK);
  // 15 rows of 146 GB drives on ports 0-1, of 300 GB drives on ports 2-3.
  EXPECT_EQ(current->drive_capacity.row[0], 30);
  EXPECT_EQ(current->drive_capacity.row[1], 30);
  EXPECT_EQ(current->inquiry.command_que, 1);
  EXPECT_STREQ(current->ctl_opt[1].id_rear, "1");
  // The LAN parts are connectivity's: the registered addresses until set.
  EXPECT_STREQ(current->lan_conf[0].ip_address, "10.0.0.1");
  EXPECT_EQ(current->lan_conf[1].lan_connect, 1);
  LANInformationRecord lan{};
  ASSERT_EQ(KX_GetLANInformation(kUnit, 1, &lan), KX_OK);
  EXPECT_STREQ(current->lan_conf[1].ether, lan.ether);
  auto defaults = Wizard(KX_WIZARD_DEFAULTS);
  EXPECT_EQ(std::memcmp(current.get(), defaults.get(), sizeof *current), 0);
  // A unit registered under host names reports no address until one is set;
  // its own record still passes, and applying it changes nothing.
  KXUnitParamRecord named = MakeUnit("named");
  std::strcpy(named.ctl0, "ctl-a.example");
  std::strcpy(named.ctl1, "ctl-b.example");
  ASSERT_EQ(KX_UnitAdd(&named), KX_OK);
  auto own = std::make_unique<WizardParamRecord>();
  ASSERT_EQ(KX_GetWizardParam("named", "", 0, own.get()), KX_OK);
  EXPECT_STREQ(own->lan_conf[0].ip_address, "");
  EXPECT_EQ(KX_TestWizardParam("named", own.get(), "", 0), KX_OK);
  ASSERT_EQ(KX_SetWizardParam("named", own.get(), "", 0), KX_OK);
  std::strcpy(own->lan_conf[1].ip_address, "10.9.9.9");
  EXPECT_EQ(KX_TestWizardParam("named", own.get(), "", 0), KX_OK);
  EXPECT_EQ(KX_GetWizardParam(kUnit, "", 2, current.get()),
            KXE_INVALID_ARGUMENT);
  EXPECT_EQ(KX_TestWizardParam(kUnit, current.get(), "", 1),
            KXE_INVALID_ARGUMENT);
}

TEST_F(WizardTest, TestReportsTheFirstWrongPartAndChangesNothing) {
  AddLus();
  const std::string before = Snapshot();
  struct Case {
    const char* what;
    void (*spoil)(WizardParamRecord&);
    int32_t code;
  };
  const Case cases[] = {
      {"fd_backup before LAN",
       [](WizardParamRecord& r) {
         r.fd_backup = 2;
         std::strcpy(r.lan_conf[1].ip_address, "10.0.0.1");
       },
       KXE_WIZARD_FD_BACKUP},
      {"same address twice",
       [](WizardParamRecord& r) {
         std::strcpy(r.lan_conf[1].ip_address, "10.0.0.1");
       },
       KXE_WIZARD_LAN},
      // Connectivity's rules, which the wizard's own once let through.
      {"gateway outside the subnet",
       [](WizardParamRecord& r) {
         std::strcpy(r.lan_conf[0].gateway, "10.0.1.1");
       },
       KXE_WIZARD_LAN},
      {"address of the subnet itself",
       [](WizardParamRecord& r) {
         std::strcpy(r.lan_conf[1].ip_address, "10.0.0.0");
       },
       KXE_WIZARD_LAN},
      {"rate 3",
       [](WizardParamRecord& r) { r.sync_control[1].port_val[0].rate = 3; },
       KXE_WIZARD_SYNC_PORT},
      {"mask with a hole",
       [](WizardParamRecord& r) {
         std::strcpy(r.lan_conf[0].subnet, "255.0.255.0");
       },
       KXE_WIZARD_LAN},
      {"octet above 255",
       [](WizardParamRecord& r) {
         std::strcpy(r.lan_conf[0].gateway, "10.0.0.256");
       },
       KXE_WIZARD_LAN},
      {"host LUN flag 2",
       [](WizardParamRecord& r) {
         r.target_id[1].target_config[0].mapping[3].lun[9] = 2;
       },
       KXE_WIZARD_TARGET_LU},
      {"target mode 2",
       [](WizardParamRecord& r) { r.target_id[0].target_id_mode = 2; },
       KXE_WIZARD_TARGET_ID},
      {"unused port slot",
       [](WizardParamRecord& r) { r.target_id[0].target_config[2].single = 1; },
       KXE_WIZARD_TARGET_ID},
      {"drive capacities not the unit's",
       [](WizardParamRecord& r) { r.drive_capacity.row[0] = 31; },
       KXE_WIZARD_DRIVE_CAPACITY},
      {"empty vendor",
       [](WizardParamRecord& r) { r.inquiry.vendor[0] = '\0'; },
       KXE_WIZARD_INQUIRY},
      {"rate without a board",
       [](WizardParamRecord& r) { r.sync_control[0].port_val[3].rate = 1; },
       KXE_WIZARD_SYNC_PORT},
      {"an all-zero record",
       [](WizardParamRecord& r) { std::memset(&r, 0, sizeof r); },
       KXE_WIZARD_DRIVE_CAPACITY},
  };
  for (const Case& c : cases) {
    auto record = Wizard();
    c.spoil(*record);
    EXPECT_EQ(KX_TestWizardParam(kUnit, record.get(), "", 0), c.code) << c.what;
    EXPECT_EQ(KX_SetWizardParam(kUnit, record.get(), "", 0), c.code) << c.what;
  }
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(WizardTest, SetReachesEveryOwnerAndSurvivesARestart) {
  AddLus();
  auto record = Wizard();
  std::strcpy(record->inquiry.web_title, "Array One");
  record->inquiry.command_que = 0;
  record->ctl_opt[1].write_verify_mode = 1;
  std::strcpy(record->ctl_opt[0].id_front, "NORTH");
  record->ctl_opt[0].id_mode = 1;
  // The station keeps texts zero-filled after their NUL.
  std::memset(record->lan_conf[1].ip_address, 0,
              sizeof record->lan_conf[1].ip_address);
  std::strcpy(record->lan_conf[1].ip_address, "10.1.2.3");
  record->dual_conf.hp2_support = 1;
  record->port_type[0].port_option[1].fibre = 0x44;
  record->target_id[0].target_id_mode = 1;
  record->target_id[0].target_config[1].multi[2] = 1;
  record->target_id[0].target_config[1].mapping[2].lun[2] = 1;  // host LUNs
  record->target_id[0].target_config[1].mapping[2].lun[3] = 1;
  record->sync_control[1].port_val[1].rate = 4;
  ASSERT_EQ(KX_TestWizardParam(kUnit, record.get(), "", 0), KX_OK);
  ASSERT_EQ(KX_SetWizardParam(kUnit, record.get(), "", 0), KX_OK);

  Reopen();
  auto stored = Wizard();
  EXPECT_EQ(std::memcmp(stored.get(), record.get(), sizeof *record), 0);
  // Connectivity's natives report what the wizard applied.
  LANInformationRecord lan{};
  ASSERT_EQ(KX_GetLANInformation(kUnit, 1, &lan), KX_OK);
  EXPECT_STREQ(lan.ip_address, "10.1.2.3");
  TargetIdRecord targets[2]{};
  ASSERT_EQ(KX_GetTargetId(kUnit, 0, &targets[0], &targets[1]), KX_OK);
  EXPECT_EQ(targets[0].target_id_mode, 1);
  EXPECT_EQ(std::memcmp(&targets[0], &record->target_id[0], sizeof targets[0]),
            0);
  SyncControlRecord sync{};
  ASSERT_EQ(KX_GetSyncControl(kUnit, 1, &sync), KX_OK);
  EXPECT_EQ(sync.port_val[1].rate, 4);
  OnlineSystemParamRecord system{};
  ASSERT_EQ(KX_GetOnlineSystemParam(kUnit, &system), KX_OK);
  EXPECT_STREQ(system.web_title, "Array One");
  EXPECT_EQ(system.command_que, 0);
  EXPECT_EQ(system.ctl[1].write_verify, 1);
  UnitIdentifierRecord identifier{};
  ASSERT_EQ(KX_GetUnitIdentifier(kUnit, &identifier), KX_OK);
  EXPECT_STREQ(identifier.ctl[0].id_front, "NORTH");
  EXPECT_EQ(identifier.ctl[0].ctrl_name_mode, 1);
  NowWZParameterRecord now{};
  ASSERT_EQ(KX_GetNowWZParam(kUnit, 0, &now), KX_OK);
  EXPECT_EQ(now.port_option.mode[2][1], 0x44);
  EXPECT_EQ(now.port_option.hp2_support, 1);
  EXPECT_STREQ(now.ctrl_id.id_front, "NORTH");

  // A change through an owner shows in the wizard record.
  std::strcpy(system.web_title, "Renamed");
  ASSERT_EQ(KX_SetOnlineSystemParam(kUnit, &system), KX_OK);
  EXPECT_STREQ(Wizard()->inquiry.web_title, "Renamed");
  // And the other way round: connectivity's sets show in the wizard record.
  std::strcpy(lan.ip_address, "10.1.2.40");
  ASSERT_EQ(KX_SetLANInformation(kUnit, 1, &lan, 0), KX_OK);
  targets[1].target_config[0].single = 7;
  ASSERT_EQ(KX_SetTargetId(kUnit, 1, &targets[1], 0), KX_OK);
  sync.port_val[0].rate = 1;
  ASSERT_EQ(KX_SetSyncControl(kUnit, 1, &sync, 0), KX_OK);
  stored = Wizard();
  EXPECT_STREQ(stored->lan_conf[1].ip_address, "10.1.2.40");
  EXPECT_EQ(stored->target_id[1].target_config[0].single, 7);
  EXPECT_EQ(stored->sync_control[1].port_val[0].rate, 1);
  EXPECT_EQ(KX_TestWizardParam(kUnit, stored.get(), "", 0), KX_OK);
}

// A station whose wizard setting still holds its own LAN, target-ID and
// synchronous-port copies (as stations kept them before connectivity owned
// them) reads connectivity's values; the copies are dropped at the next set.
TEST_F(WizardTest, OldCopiesInTheWizardSettingAreNotRead) {
  auto record = Wizard();
  ASSERT_EQ(KX_SetWizardParam(kUnit, record.get(), "", 0), KX_OK);
  WizardParamRecord old = *record;
  std::strcpy(old.lan_conf[0].ip_address, "192.168.0.16");
  old.target_id[0].target_config[0].mapping[0].lun[0] = 0x0F;
  old.sync_control[0].port_val[0].board_type = -1;
  std::string hex;
  for (size_t i = 0; i < sizeof old; ++i) {
    char byte[3];
    std::snprintf(byte, sizeof byte, "%02x",
                  reinterpret_cast<const uint8_t*>(&old)[i]);
    hex += byte;
  }
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open((directory_ / "station.db").string().c_str(), &db),
            SQLITE_OK);
  const std::string sql =
      "UPDATE setting SET value = x'" + hex + "' WHERE name = 'wizard.record'";
  EXPECT_EQ(sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr),
            SQLITE_OK);
  EXPECT_EQ(sqlite3_changes(db), 1);
  sqlite3_close(db);
  Reopen();
  auto read = Wizard();
  EXPECT_EQ(std::memcmp(read.get(), record.get(), sizeof *record), 0);
}

TEST_F(WizardTest, CurrentParametersAreCheckedLikeTheWizardRecord) {
  NowWZParameterRecord now{};
  ASSERT_EQ(KX_GetNowWZParam(kUnit, 1, &now), KX_OK);
  EXPECT_STREQ(now.ctrl_id.id_rear, "1");
  now.fd_backup = 1;
  now.port_option.mode[0][0] = 7;
  std::strcpy(now.ctrl_id.id_rear, "B");
  ASSERT_EQ(KX_SetNowWZParam(kUnit, 1, &now), KX_OK);
  EXPECT_EQ(Wizard()->fd_backup, 1);
  EXPECT_EQ(Wizard()->port_type[1].port_option[0].common, 7);
  UnitIdentifierRecord identifier{};
  ASSERT_EQ(KX_GetUnitIdentifier(kUnit, &identifier), KX_OK);
  EXPECT_STREQ(identifier.ctl[1].id_rear, "B");

  const std::string before = Snapshot();
  now.port_option.mode[1][1] = 0x10000;
  EXPECT_EQ(KX_SetNowWZParam(kUnit, 1, &now), KXE_WIZARD_PORT_TYPE);
  now.port_option.mode[1][1] = 0;
  now.port_option.hp2_support = 3;
  EXPECT_EQ(KX_SetNowWZParam(kUnit, 1, &now), KXE_WIZARD_DUAL_CONFIG);
  EXPECT_EQ(KX_SetNowWZParam(kUnit, 2, &now), KXE_INVALID_ARGUMENT);
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(WizardTest, TargetIdsAreBuiltFromText) {
  AddLus();
  WZTargetIdRecord first{};
  WZTargetIdRecord second{};
  ASSERT_EQ(KX_WZTargetIdImport(kUnit, "mode=multi flag=1; 0.single=5 1.3=0-2,3",
                                "", KX_IMPORT_FROM_EMPTY, &first, &second),
            KX_OK);
  EXPECT_EQ(first.target_id_mode, 1);
  EXPECT_EQ(first.ctrl_flag, 1);
  EXPECT_EQ(first.target_config[0].single, 5);
  EXPECT_EQ(first.target_config[1].multi[3], 1);
  const uint8_t presented[6] = {1, 1, 1, 1, 0, 0};  // host LUNs 0-3
  EXPECT_EQ(std::memcmp(first.target_config[1].mapping[3].lun, presented,
                        sizeof presented),
            0);
  EXPECT_EQ(second.ctrl_flag, 0);

  // From the unit's own target IDs, the result passes the wizard's test.
  ASSERT_EQ(KX_WZTargetIdImport(kUnit, "", "1.0=1", KX_IMPORT_FROM_UNIT,
                                &first, &second),
            KX_OK);
  EXPECT_EQ(first.ctrl_flag, 1);
  auto record = Wizard();
  record->target_id[0] = first;
  record->target_id[1] = second;
  EXPECT_EQ(KX_TestWizardParam(kUnit, record.get(), "", 0), KX_OK);

  const char* bad[] = {"mode=dual", "2.single=1", "0.16=1", "0.1=3-1",
                       "0.single", "0.1=1,,2"};
  for (const char* text : bad) {
    EXPECT_EQ(KX_WZTargetIdImport(kUnit, text, "", 0, &first, &second),
              KXE_WIZARD_IMPORT_TEXT)
        << text;
  }
  EXPECT_EQ(KX_WZTargetIdImport(kUnit, "", "0.1=120-128", 0, &first, &second),
            KXE_WIZARD_TARGET_LU);
}

TEST_F(WizardTest, ConfigurationFileCarriesTheWizardRecord) {
  auto record = Wizard();
  std::strcpy(record->inquiry.product, "EXPORTED");
  std::strcpy(record->ctl_opt[1].id_front, "SOUTH");
  ASSERT_EQ(KX_SetWizardParam(kUnit, record.get(), "", 0), KX_OK);
  const std::string file = (directory_ / "config.txt").string();
  ASSERT_EQ(KX_ConfigExport(kUnit, file.c_str()), KX_OK);

  KXUnitParamRecord second_unit = MakeUnit("array2");
  ASSERT_EQ(KX_UnitAdd(&second_unit), KX_OK);
  ASSERT_EQ(KX_ConfigImport("array2", file.c_str()), KX_OK);
  auto imported = std::make_unique<WizardParamRecord>();
  ASSERT_EQ(KX_GetWizardParam("array2", "", 0, imported.get()), KX_OK);
  // Every value but the LAN ports' hardware addresses, which are the unit's.
  for (int i = 0; i < 2; ++i) {
    EXPECT_STRNE(imported->lan_conf[i].ether, record->lan_conf[i].ether);
    std::memcpy(imported->lan_conf[i].ether, record->lan_conf[i].ether,
                sizeof record->lan_conf[i].ether);
  }
  EXPECT_EQ(std::memcmp(imported.get(), record.get(), sizeof *record), 0);
  UnitIdentifierRecord identifier{};
  ASSERT_EQ(KX_GetUnitIdentifier("array2", &identifier), KX_OK);
  EXPECT_STREQ(identifier.ctl[1].id_front, "SOUTH");

  // A configuration file is not a parameter file, and the reverse.
  EXPECT_EQ(KX_SystemParamImport(kUnit, file.c_str(), 0), KXE_FILE_DAMAGED);
  const std::string params = (directory_ / "params.txt").string();
  ASSERT_EQ(KX_SystemParamExport(kUnit, params.c_str(), 0, 0), KX_OK);
  EXPECT_EQ(KX_ConfigImport(kUnit, params.c_str()), KXE_FILE_DAMAGED);
  KXUnitParamRecord other_model = MakeUnit("array3");
  other_model.kx_type = 5;
  ASSERT_EQ(KX_UnitAdd(&other_model), KX_OK);
  EXPECT_EQ(KX_ConfigImport("array3", file.c_str()), KXE_FILE_FOREIGN_MODEL);
}

}  // namespace
}  // namespace core_test
