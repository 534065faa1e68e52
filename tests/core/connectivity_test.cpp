// Host connectivity at the station: LAN settings, ports and target IDs,
// Fibre Channel permissions, host groups, WWNs, options, LU mapping and
// remote-verify paths. Refused changes leave nothing behind, LUs that hosts
// can reach stay, and everything survives a restart.
#include <fstream>
#include <memory>
#include <string>

#include "array_test_support.h"
#include "kx_connectivity.h"
#include "kx_station_connectivity.h"

namespace core_test {
namespace {

class ConnectivityTest : public ArrayTest {
 protected:
  void SetUp() override {
    ArrayTest::SetUp();
    ASSERT_EQ(AddRaidGroup(MakeRaidGroup(0, KX_RAID_5, 0, 0, 3, 1)), KX_OK);
    for (int lu = 0; lu < 3; ++lu) ASSERT_EQ(AddLu(MakeLu(lu, 0, 1000)), KX_OK);
  }

  std::string WriteFile(const std::string& name, const std::string& text) {
    const auto path = directory_ / name;
    std::ofstream(path) << text;
    return path.string();
  }

  std::string ImportReport() {
    std::ifstream in(directory_ / "import-errors.txt");
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
};

template <size_t N>
void SetText(char (&field)[N], const std::string& text) {
  std::memset(field, 0, N);
  std::memcpy(field, text.data(), text.size());
}

LANInformationRecord Lan(const std::string& ip, const std::string& subnet,
                         const std::string& gateway) {
  LANInformationRecord lan{};
  SetText(lan.ip_address, ip);
  SetText(lan.subnet, subnet);
  SetText(lan.gateway, gateway);
  lan.lan_connect = 1;
  return lan;
}

HostGroupNameRecord Name(const std::string& text) {
  HostGroupNameRecord name{};
  SetText(name.hgname, text);
  return name;
}

LuMappingHGInfoRecord Mapping(std::initializer_list<std::pair<int, int>> luns) {
  LuMappingHGInfoRecord mapping;
  for (int32_t& lu : mapping.lu) lu = KX_UNMAPPED;
  for (const auto& [host_lun, lu] : luns) mapping.lu[host_lun] = lu;
  return mapping;
}

std::unique_ptr<FibreInformationRecord[]> Fibre() {
  auto records = std::make_unique<FibreInformationRecord[]>(2);
  EXPECT_EQ(KX_GetFibreInformation(kUnit, &records[0], &records[1]), KX_OK);
  return records;
}

UnitInformationRecord Information() {
  UnitInformationRecord information{};
  EXPECT_EQ(KX_GetUnitInformation(kUnit, &information), KX_OK);
  return information;
}

TEST_F(ConnectivityTest, LanSettingsAreCheckedAndShownInTheCondition) {
  LANInformationRecord lan{};
  ASSERT_EQ(KX_GetLANInformation(kUnit, 0, &lan), KX_OK);
  EXPECT_STREQ(lan.ip_address, "10.0.0.1");  // as registered
  EXPECT_STREQ(lan.subnet, "255.255.255.0");
  const std::string ether = lan.ether;
  EXPECT_EQ(ether.size(), 17u);

  struct Case {
    const char *ip, *subnet, *gateway;
    int32_t code;
  };
  const Case refused[] = {
      {"10.0.0.300", "255.255.255.0", "0.0.0.0", KXE_INVALID_ADDRESS},
      {"10.0.0", "255.255.255.0", "0.0.0.0", KXE_INVALID_ADDRESS},
      {"10.0.0.5", "255.0.255.0", "0.0.0.0", KXE_INVALID_ADDRESS},
      {"10.0.0.5", "255.255.255.0", "10.0.1.1", KXE_INVALID_ADDRESS},
      {"10.0.0.0", "255.255.255.0", "0.0.0.0", KXE_INVALID_ADDRESS},
      {"10.0.0.255", "255.255.255.0", "0.0.0.0", KXE_INVALID_ADDRESS},
      {"10.0.0.2", "255.255.255.0", "0.0.0.0", KXE_DUPLICATE_ADDRESS},
  };
  for (const Case& c : refused) {
    const LANInformationRecord bad = Lan(c.ip, c.subnet, c.gateway);
    EXPECT_EQ(KX_SetLANInformation(kUnit, 0, &bad, 0), c.code) << c.ip;
  }
  const LANInformationRecord good =
      Lan("192.168.7.10", "255.255.254.0", "192.168.6.1");
  EXPECT_EQ(KX_SetLANInformation(kUnit, 0, &good, 1), KXE_INVALID_ARGUMENT);
  EXPECT_EQ(KX_SetLANInformation(kUnit, 2, &good, 0), KXE_NO_SUCH_PORT);
  ASSERT_EQ(KX_SetLANInformation(kUnit, 0, &good, 0), KX_OK);

  ASSERT_EQ(KX_GetLANInformation(kUnit, 0, &lan), KX_OK);
  EXPECT_STREQ(lan.ip_address, "192.168.7.10");
  EXPECT_STREQ(lan.gateway, "192.168.6.1");
  EXPECT_EQ(lan.ether, ether);  // the hardware address is the station's
  UnitConditionRecord condition{};
  ASSERT_EQ(KX_GetUnitCondition(kUnit, 0, &condition), KX_OK);
  EXPECT_STREQ(condition.ctl0_ip, "192.168.7.10");
  EXPECT_STREQ(condition.ctl0_subnet, "255.255.254.0");
  EXPECT_STREQ(condition.ctl0_gateway, "192.168.6.1");
  EXPECT_STREQ(condition.ctl1_ip, "10.0.0.2");
}

TEST_F(ConnectivityTest, PortsThatAreNotInstalledTakeNoSettings) {
  SyncControlRecord sync{};
  ASSERT_EQ(KX_GetSyncControl(kUnit, 1, &sync), KX_OK);
  EXPECT_EQ(sync.port_val[1].board_type, KX_BOARD_INSTALLED);
  EXPECT_EQ(sync.port_val[2].board_type, KX_BOARD_NONE);
  sync.port_val[1].rate = 4;
  sync.port_val[2].rate = 2;
  EXPECT_EQ(KX_SetSyncControl(kUnit, 1, &sync, 0), KXE_NO_SUCH_PORT);
  sync.port_val[2].rate = 0;
  sync.port_val[0].rate = 3;
  EXPECT_EQ(KX_SetSyncControl(kUnit, 1, &sync, 0), KXE_INVALID_ARGUMENT);
  sync.port_val[0].rate = 2;
  ASSERT_EQ(KX_SetSyncControl(kUnit, 1, &sync, 0), KX_OK);
  SyncControlRecord read{};
  ASSERT_EQ(KX_GetSyncControl(kUnit, 1, &read), KX_OK);
  EXPECT_EQ(read.port_val[0].rate, 2);
  EXPECT_EQ(read.port_val[1].rate, 4);

  auto targets = std::make_unique<TargetIdRecord[]>(2);
  ASSERT_EQ(KX_GetTargetId(kUnit, 0, &targets[0], &targets[1]), KX_OK);
  targets[1].target_config[3].single = 1;
  EXPECT_EQ(KX_SetTargetId(kUnit, 1, &targets[1], 0), KXE_NO_SUCH_PORT);
  targets[1].target_config[3].single = 0;
  targets[1].target_config[0].mapping[2].lun[7] = 2;
  EXPECT_EQ(KX_SetTargetId(kUnit, 1, &targets[1], 0), KXE_INVALID_ARGUMENT);
  targets[1].target_config[0].mapping[2].lun[7] = 1;
  targets[1].target_id_mode = KX_TARGET_MODE_MULTI;
  ASSERT_EQ(KX_SetTargetId(kUnit, 1, &targets[1], 0), KX_OK);
  auto read_targets = std::make_unique<TargetIdRecord[]>(2);
  ASSERT_EQ(KX_GetTargetId(kUnit, 0, &read_targets[0], &read_targets[1]),
            KX_OK);
  EXPECT_EQ(std::memcmp(&read_targets[1], &targets[1], sizeof targets[1]), 0);
}

TEST_F(ConnectivityTest, TargetIdImportIsAllOrNothing) {
  auto before = std::make_unique<TargetIdRecord[]>(2);
  ASSERT_EQ(KX_GetTargetId(kUnit, 0, &before[0], &before[1]), KX_OK);
  auto result = std::make_unique<TargetIdRecord[]>(2);
  const std::string bad = WriteFile("bad.txt",
                                    "# target IDs\n"
                                    "mode 0 multi\n"
                                    "\n"
                                    "luns 0 1 3 0-200\n");
  EXPECT_EQ(KX_TargetIdImport(kUnit, bad.c_str(), &result[0], &result[1]),
            KXE_IMPORT_SYNTAX);
  EXPECT_NE(ImportReport().find("line 4: host LUNs"), std::string::npos)
      << ImportReport();
  auto after = std::make_unique<TargetIdRecord[]>(2);
  ASSERT_EQ(KX_GetTargetId(kUnit, 0, &after[0], &after[1]), KX_OK);
  EXPECT_EQ(std::memcmp(after.get(), before.get(), 2 * sizeof(TargetIdRecord)),
            0);

  const std::string missing = (directory_ / "none.txt").string();
  EXPECT_EQ(KX_TargetIdImport(kUnit, missing.c_str(), &result[0], &result[1]),
            KXE_IMPORT_FILE);

  const std::string good = WriteFile("good.txt",
                                     "mode 1 multi   # both ports\n"
                                     "single 0 1 5\n"
                                     "multi 1 0 0,3-4\n"
                                     "luns 1 0 3 0-7,12\n");
  ASSERT_EQ(KX_TargetIdImport(kUnit, good.c_str(), &result[0], &result[1]),
            KX_OK);
  EXPECT_TRUE(ImportReport().empty());
  EXPECT_EQ(result[1].target_id_mode, KX_TARGET_MODE_MULTI);
  EXPECT_EQ(result[0].target_config[1].single, 5);
  EXPECT_EQ(result[1].target_config[0].multi[3], 1);
  EXPECT_EQ(result[1].target_config[0].multi[2], 0);
  EXPECT_EQ(result[1].target_config[0].mapping[3].lun[12], 1);
  EXPECT_EQ(result[1].target_config[0].mapping[3].lun[8], 0);
  ASSERT_EQ(KX_GetTargetId(kUnit, 0, &after[0], &after[1]), KX_OK);
  EXPECT_EQ(std::memcmp(after.get(), result.get(), 2 * sizeof(TargetIdRecord)),
            0);
}

TEST_F(ConnectivityTest, HostGroupsHaveUniqueNamesPerPort) {
  HGListRecord list{};
  ASSERT_EQ(KX_GetHGList(kUnit, &list), KX_OK);
  EXPECT_EQ(list.ctl[1].port[1].hg[0].valid, 1);  // the default group
  EXPECT_EQ(list.ctl[1].port[1].hg[1].valid, 0);

  const auto web = Name("web");
  ASSERT_EQ(KX_CreateHG(kUnit, 0, 0, KX_ANY_HOST_GROUP, &web), KX_OK);
  EXPECT_EQ(KX_CreateHG(kUnit, 0, 0, 5, &web), KXE_DUPLICATE_HOST_GROUP);
  EXPECT_EQ(KX_CreateHG(kUnit, 0, 1, 5, &web), KX_OK);  // another port
  const auto db = Name("db");
  EXPECT_EQ(KX_CreateHG(kUnit, 0, 0, 1, &db), KXE_DUPLICATE_HOST_GROUP);
  EXPECT_EQ(KX_CreateHG(kUnit, 0, 2, 1, &db), KXE_NO_SUCH_PORT);
  const auto spaced = Name("a b");
  EXPECT_EQ(KX_CreateHG(kUnit, 0, 0, 2, &spaced), KXE_INVALID_HOST_GROUP_NAME);
  ASSERT_EQ(KX_CreateHG(kUnit, 0, 0, 9, &db), KX_OK);
  EXPECT_EQ(KX_ChangeHG(kUnit, 0, 0, 9, &web), KXE_DUPLICATE_HOST_GROUP);
  const auto main = Name("main");
  ASSERT_EQ(KX_ChangeHG(kUnit, 0, 0, 0, &main), KX_OK);
  EXPECT_EQ(KX_ChangeHG(kUnit, 0, 0, 3, &main), KXE_UNKNOWN_HOST_GROUP);

  ASSERT_EQ(KX_GetHGList(kUnit, &list), KX_OK);
  EXPECT_STREQ(list.ctl[0].port[0].hg[0].hgname, "main");
  EXPECT_STREQ(list.ctl[0].port[0].hg[1].hgname, "web");
  EXPECT_STREQ(list.ctl[0].port[0].hg[9].hgname, "db");
  EXPECT_STREQ(list.ctl[0].port[1].hg[5].hgname, "web");
  EXPECT_EQ(Information().l_info.hg_count, 3);
}

TEST_F(ConnectivityTest, MappingsNameExistingLusOncePerGroup) {
  const auto web = Name("web");
  ASSERT_EQ(KX_CreateHG(kUnit, 1, 0, 4, &web), KX_OK);
  const auto twice = Mapping({{0, 1}, {1, 1}});
  EXPECT_EQ(KX_SetLuMappingList(kUnit, 1, 0, 4, 0, &twice),
            KXE_DUPLICATE_MAPPING);
  const auto missing = Mapping({{0, 7}});
  EXPECT_EQ(KX_SetLuMappingList(kUnit, 1, 0, 4, 0, &missing), KXE_UNKNOWN_LU);
  const auto good = Mapping({{0, 2}, {5, 0}});
  EXPECT_EQ(KX_SetLuMappingList(kUnit, 1, 0, 6, 0, &good),
            KXE_UNKNOWN_HOST_GROUP);
  ASSERT_EQ(KX_SetLuMappingList(kUnit, 1, 0, 4, 0, &good), KX_OK);
  // Another group may map the same LU.
  ASSERT_EQ(KX_SetLuMappingList(kUnit, 1, 0, 0, 0, &good), KX_OK);

  int32_t count = -1;
  LuMappingHGInfoRecord read{};
  ASSERT_EQ(KX_GetLuMappingList(kUnit, 1, 0, 4, &count, &read), KX_OK);
  EXPECT_EQ(count, 2);
  EXPECT_EQ(std::memcmp(&read, &good, sizeof good), 0);

  // A whole-table write that maps into a group that does not exist changes
  // nothing, the mode included.
  auto all = std::make_unique<LuMappingRecord>();
  ASSERT_EQ(KX_GetLuMappingListAll(kUnit, all.get()), KX_OK);
  EXPECT_EQ(all->ctl[1].port[0].hg[4].lu[5], 0);
  EXPECT_EQ(all->ctl[1].port[0].hg[7].lu[0], KX_UNMAPPED);
  all->mapping_mode = KX_MAPPING_MODE_ON;
  all->ctl[1].port[0].hg[4].lu[5] = KX_UNMAPPED;
  all->ctl[1].port[0].hg[7].lu[0] = 1;
  EXPECT_EQ(KX_SetLuMappingListAll(kUnit, all.get()), KXE_UNKNOWN_HOST_GROUP);
  auto unchanged = std::make_unique<LuMappingRecord>();
  ASSERT_EQ(KX_GetLuMappingListAll(kUnit, unchanged.get()), KX_OK);
  EXPECT_EQ(unchanged->mapping_mode, KX_MAPPING_MODE_OFF);
  EXPECT_EQ(unchanged->ctl[1].port[0].hg[4].lu[5], 0);
  all->ctl[1].port[0].hg[7].lu[0] = KX_UNMAPPED;
  ASSERT_EQ(KX_SetLuMappingListAll(kUnit, all.get()), KX_OK);
  ASSERT_EQ(KX_GetLuMappingList(kUnit, 1, 0, 4, &count, &read), KX_OK);
  EXPECT_EQ(count, 1);
  HGListRecord list{};
  ASSERT_EQ(KX_GetHGList(kUnit, &list), KX_OK);
  EXPECT_EQ(list.lun_manage, KX_MAPPING_MODE_ON);
}

TEST_F(ConnectivityTest, LusThatHostsReachCannotBeDeletedOrRenumbered) {
  const auto web = Name("web");
  ASSERT_EQ(KX_CreateHG(kUnit, 0, 1, 1, &web), KX_OK);
  const auto mapping = Mapping({{0, 2}});
  ASSERT_EQ(KX_SetLuMappingList(kUnit, 0, 1, 1, 0, &mapping), KX_OK);
  EXPECT_EQ(KX_LogicalUnitDelete(kUnit), KXE_LU_MAPPED);  // the last LU is 2
  EXPECT_EQ(KX_LogicalUnitDeleteAll(kUnit), KXE_LU_MAPPED);
  LuReallocRequestRecord move{2, 0, 100};
  EXPECT_EQ(KX_LogicalUnitRealloc(kUnit, &move), KXE_LU_MAPPED);
  EXPECT_EQ(LogicalUnits()[2].luNumber, 2);

  // Deleting the group takes its mappings along.
  HostGroupSelectionRecord selection{};
  selection.ctl[0].port[1].hg[1] = 1;
  ASSERT_EQ(KX_DeleteHGList(kUnit, &selection), KX_OK);
  ASSERT_EQ(KX_LogicalUnitDelete(kUnit), KX_OK);

  // LU 1 in a permission of controller 1, port 0.
  auto fibre = Fibre();
  FibreInformationPermissionRecord& permission =
      fibre[1].security[0].permission[3];
  SetText(permission.port_name, "10000000C9AABBCC");
  permission.lun_security_bitmap[0] = 0x02;
  ASSERT_EQ(KX_SetFibreInformation(kUnit, &fibre[0], &fibre[1]), KX_OK);
  EXPECT_EQ(Information().l_info.perm_count, 1);
  EXPECT_EQ(KX_LogicalUnitDelete(kUnit), KXE_LU_IN_PERMISSION);
  EXPECT_EQ(KX_LogicalUnitDeleteAll(kUnit), KXE_LU_IN_PERMISSION);
}

TEST_F(ConnectivityTest, DeletingHostGroupsIsAllOrNothing) {
  const auto web = Name("web");
  ASSERT_EQ(KX_CreateHG(kUnit, 1, 1, 2, &web), KX_OK);
  auto hosts = std::make_unique<WWNHGInformationRecord>();
  ASSERT_EQ(KX_GetWWNHGInformation(kUnit, hosts.get()), KX_OK);
  WWNHostInfoRecord& host = hosts->ctl[1].port[1].wwn[0];
  SetText(host.port_name, "210000e08b0a0b0c");
  SetText(host.wname, "alpha");
  host.hg_number = 2;
  host.hostflag = 1;
  hosts->ctl[1].port[1].wwn[1] = host;  // the same WWN twice
  EXPECT_EQ(KX_SetWWNHGInformation(kUnit, hosts.get()), KXE_DUPLICATE_WWN);
  SetText(hosts->ctl[1].port[1].wwn[1].port_name, "210000e08b0a0b0d");
  hosts->ctl[1].port[1].wwn[1].hg_number = 3;  // no such group
  EXPECT_EQ(KX_SetWWNHGInformation(kUnit, hosts.get()), KXE_UNKNOWN_HOST_GROUP);
  hosts->ctl[1].port[1].wwn[1] = WWNHostInfoRecord{};
  ASSERT_EQ(KX_SetWWNHGInformation(kUnit, hosts.get()), KX_OK);

  HostGroupSelectionRecord selection{};
  selection.ctl[1].port[1].hg[2] = 1;
  selection.ctl[0].port[0].hg[0] = 1;
  EXPECT_EQ(KX_DeleteHGList(kUnit, &selection), KXE_DEFAULT_HOST_GROUP);
  selection.ctl[0].port[0].hg[0] = 0;
  selection.ctl[0].port[0].hg[8] = 1;
  EXPECT_EQ(KX_DeleteHGList(kUnit, &selection), KXE_UNKNOWN_HOST_GROUP);
  HGListRecord list{};
  ASSERT_EQ(KX_GetHGList(kUnit, &list), KX_OK);
  EXPECT_EQ(list.ctl[1].port[1].hg[2].valid, 1);

  selection.ctl[0].port[0].hg[8] = 0;
  ASSERT_EQ(KX_DeleteHGList(kUnit, &selection), KX_OK);
  ASSERT_EQ(KX_GetWWNHGInformation(kUnit, hosts.get()), KX_OK);
  EXPECT_EQ(hosts->ctl[1].port[1].wwn_count, 1);
  EXPECT_EQ(hosts->ctl[1].port[1].wwn[0].hg_number, KX_DEFAULT_HOST_GROUP);
  EXPECT_STREQ(hosts->ctl[1].port[1].wwn[0].wname, "alpha");
}

TEST_F(ConnectivityTest, OptionsBelongToExistingGroups) {
  HGOptionInfoRecord option{0x11, {0x2, 0x0}, 7};
  EXPECT_EQ(KX_SetHGOption(kUnit, 0, 0, 3, &option), KXE_UNKNOWN_HOST_GROUP);
  ASSERT_EQ(KX_SetHGOption(kUnit, 0, 0, 0, &option), KX_OK);
  HGOptionInfoRecord read{};
  ASSERT_EQ(KX_GetHGOption(kUnit, 0, 0, 0, &read), KX_OK);
  EXPECT_EQ(std::memcmp(&read, &option, sizeof option), 0);
  option.option3 = 256;
  EXPECT_EQ(KX_SetHGOption(kUnit, 0, 0, 0, &option), KXE_INVALID_ARGUMENT);

  HGOptionRecord all{};
  ASSERT_EQ(KX_GetHGOptionAll(kUnit, &all), KX_OK);
  EXPECT_EQ(all.ctl[0].port[0].hg[0].option, 0x11);
  all.ctl[1].port[0].hg[5].option = 1;
  EXPECT_EQ(KX_SetHGOptionAll(kUnit, &all), KXE_UNKNOWN_HOST_GROUP);

  // Initialising a group clears its options and mappings.
  const auto mapping = Mapping({{3, 0}});
  ASSERT_EQ(KX_SetLuMappingList(kUnit, 0, 0, 0, 0, &mapping), KX_OK);
  HostGroupSelectionRecord selection{};
  selection.ctl[0].port[0].hg[0] = 1;
  ASSERT_EQ(KX_InitHGList(kUnit, &selection), KX_OK);
  ASSERT_EQ(KX_GetHGOption(kUnit, 0, 0, 0, &read), KX_OK);
  EXPECT_EQ(read.option, 0);
  int32_t count = -1;
  LuMappingHGInfoRecord mapped{};
  ASSERT_EQ(KX_GetLuMappingList(kUnit, 0, 0, 0, &count, &mapped), KX_OK);
  EXPECT_EQ(count, 0);

  PortOptionRecord ports{};
  ports.ctl[1].lip_mode[1] = 2;
  EXPECT_EQ(KX_SetPortOption(kUnit, &ports), KXE_INVALID_ARGUMENT);
  ports.ctl[1].lip_mode[1] = 1;
  ports.ctl[0].port_common_opt[0] = 0x40;
  ASSERT_EQ(KX_SetPortOption(kUnit, &ports), KX_OK);
  PortOptionRecord read_ports{};
  ASSERT_EQ(KX_GetPortOption(kUnit, &read_ports), KX_OK);
  EXPECT_EQ(std::memcmp(&read_ports, &ports, sizeof ports), 0);
}

TEST_F(ConnectivityTest, PermissionsAreOneTableInTwoViews) {
  auto fibre = Fibre();
  EXPECT_STREQ(fibre[0].product_number, "FC4G");
  EXPECT_EQ(fibre[0].port[0].if_board, KX_BOARD_INSTALLED);
  EXPECT_EQ(fibre[0].port[2].if_board, KX_BOARD_NONE);
  FibreInformationPermissionRecord& entry = fibre[0].security[1].permission[0];
  SetText(entry.port_name, "10000000c9000001");
  SetText(entry.n_port_id, "0a0b0c");
  entry.lun_security_bitmap[0] = 0x10;  // LU 4 does not exist
  EXPECT_EQ(KX_SetFibreInformation(kUnit, &fibre[0], &fibre[1]),
            KXE_UNKNOWN_LU);
  entry.lun_security_bitmap[0] = 0x05;  // LUs 0 and 2
  SetText(entry.node_name, "20000000c900000");  // 15 digits
  EXPECT_EQ(KX_SetFibreInformation(kUnit, &fibre[0], &fibre[1]),
            KXE_INVALID_WWN);
  SetText(entry.node_name, "20000000C9000001");
  fibre[0].port[1].set_speed = 4;
  fibre[0].topology[1] = KX_TOPOLOGY_LOOP;
  ASSERT_EQ(KX_SetFibreInformation(kUnit, &fibre[0], &fibre[1]), KX_OK);

  auto read = Fibre();
  EXPECT_EQ(read[0].security[1].permission_count, 1);
  EXPECT_STREQ(read[0].security[1].permission[0].node_name,
               "20000000c9000001");  // kept in lower case
  EXPECT_EQ(read[0].topology_ref[1], KX_TOPOLOGY_LOOP);
  EXPECT_EQ(read[0].port[1].refer_speed, 4);

  // The WWN view shows the same permission; writing it back keeps the
  // N_Port ID it cannot carry.
  auto wwn = std::make_unique<WWNInformationRecord>();
  ASSERT_EQ(KX_GetWWNInformation(kUnit, wwn.get()), KX_OK);
  EXPECT_EQ(wwn->ctl[0].port[1].permission_count, 1);
  EXPECT_EQ(wwn->ctl[0].port[1].permission[0].lun_security_bitmap[0], 0x05);
  wwn->ctl[0].port[1].lun_security = 1;
  wwn->ctl[0].port[1].permission[0].lun_security_bitmap[0] = 0x01;
  ASSERT_EQ(KX_SetWWNInformation(kUnit, wwn.get()), KX_OK);
  read = Fibre();
  EXPECT_EQ(read[0].security[1].all_lun_security, 1);
  EXPECT_EQ(read[0].security[1].permission[0].lun_security_bitmap[0], 0x01);
  EXPECT_STREQ(read[0].security[1].permission[0].n_port_id, "0a0b0c");
}

TEST_F(ConnectivityTest, PermissionImportReplacesThePortTableOrNothing) {
  auto fibre = Fibre();
  SetText(fibre[1].security[1].permission[0].port_name, "10000000c9000001");
  ASSERT_EQ(KX_SetFibreInformation(kUnit, &fibre[0], &fibre[1]), KX_OK);

  int32_t count = -1;
  auto table = std::make_unique<FibreInformationPermissionRecord[]>(128);
  const std::string bad = WriteFile(
      "bad.txt",
      "# hosts of port 1\n"
      "10000000c9000002 20000000c9000002 010203 0-1\n"
      "10000000c9000003 - - 1,5\n");
  EXPECT_EQ(KX_FibreInfoPermissionImport(kUnit, bad.c_str(), 1, 1, &count,
                                         table.get()),
            KXE_IMPORT_SYNTAX);
  EXPECT_NE(ImportReport().find("line 3: LU 5 does not exist"),
            std::string::npos)
      << ImportReport();
  const std::string twice = WriteFile("twice.txt",
                                      "10000000c9000002 - - none\n"
                                      "10000000C9000002 - - none\n");
  EXPECT_EQ(KX_FibreInfoPermissionImport(kUnit, twice.c_str(), 1, 1, &count,
                                         table.get()),
            KXE_IMPORT_SYNTAX);
  EXPECT_NE(ImportReport().find("line 2: port name 10000000c9000002 already "
                                "on line 1"),
            std::string::npos)
      << ImportReport();
  auto read = Fibre();
  EXPECT_EQ(read[1].security[1].permission_count, 1);
  EXPECT_STREQ(read[1].security[1].permission[0].port_name,
               "10000000c9000001");

  const std::string good = WriteFile(
      "good.txt",
      "10000000c9000002 20000000c9000002 010203 0-1\n"
      "10000000c9000003 - - 1,2\n");
  EXPECT_EQ(KX_FibreInfoPermissionImport(kUnit, good.c_str(), 1, 2, &count,
                                         table.get()),
            KXE_NO_SUCH_PORT);
  ASSERT_EQ(KX_FibreInfoPermissionImport(kUnit, good.c_str(), 1, 1, &count,
                                         table.get()),
            KX_OK);
  EXPECT_EQ(count, 2);
  EXPECT_STREQ(table[1].port_name, "10000000c9000003");
  EXPECT_EQ(table[1].lun_security_bitmap[0], 0x06);
  read = Fibre();
  EXPECT_EQ(read[1].security[1].permission_count, 2);
  EXPECT_STREQ(read[1].security[1].permission[0].n_port_id, "010203");
  EXPECT_EQ(Information().l_info.perm_count, 2);
}

TEST_F(ConnectivityTest, RemoteVerifyKeepsEightUnitsWithValidPaths) {
  RvrfSrcInfoRecord info{};
  ASSERT_EQ(KX_GetRvrfSrcPath(kUnit, &info), KX_OK);
  EXPECT_EQ(info.rvrfsrc_option, 0);
  const std::string self = info.self_serial_no;
  EXPECT_EQ(self.size(), 8u);

  RvrfSrcArrayUnitRecord unit{};
  unit.valid = 1;
  unit.path[1] = {KX_PATH_DEFINED, 1, 0, 0, 2};  // the other side's port 2
  SetText(unit.other_serial_no, "90000001");
  EXPECT_EQ(KX_SetRvrfSrcPath(kUnit, &unit), KXE_INVALID_PATH);
  unit.path[1].other_port_no = 1;
  SetText(unit.other_serial_no, self);
  EXPECT_EQ(KX_SetRvrfSrcPath(kUnit, &unit), KXE_INVALID_PATH);
  for (int i = 0; i < 8; ++i) {
    SetText(unit.other_serial_no, "9000000" + std::to_string(i));
    ASSERT_EQ(KX_SetRvrfSrcPath(kUnit, &unit), KX_OK) << i;
  }
  SetText(unit.other_serial_no, "90000008");
  EXPECT_EQ(KX_SetRvrfSrcPath(kUnit, &unit), KXE_RVRF_TABLE_FULL);
  // The same serial number replaces its entry; valid 0 removes it.
  SetText(unit.other_serial_no, "90000003");
  unit.other_detect_id = 77;
  ASSERT_EQ(KX_SetRvrfSrcPath(kUnit, &unit), KX_OK);
  SetText(unit.other_serial_no, "90000005");
  unit.valid = 0;
  ASSERT_EQ(KX_SetRvrfSrcPath(kUnit, &unit), KX_OK);
  ASSERT_EQ(KX_GetRvrfSrcPath(kUnit, &info), KX_OK);
  EXPECT_EQ(info.rvrfsrc_option, 1);
  EXPECT_EQ(info.arrayunit[3].other_detect_id, 77);
  EXPECT_EQ(info.arrayunit[5].valid, 0);
  EXPECT_EQ(info.arrayunit[1].path[1].self_ctl_no, 1);

  ASSERT_EQ(KX_DelRvrfSrcPath(kUnit), KX_OK);
  ASSERT_EQ(KX_GetRvrfSrcPath(kUnit, &info), KX_OK);
  EXPECT_EQ(info.rvrfsrc_option, 0);
  EXPECT_EQ(info.arrayunit[3].valid, 0);
}

TEST_F(ConnectivityTest, EverythingSurvivesARestart) {
  const LANInformationRecord lan = Lan("10.1.1.1", "255.255.0.0", "10.1.0.1");
  ASSERT_EQ(KX_SetLANInformation(kUnit, 1, &lan, 0), KX_OK);
  const auto web = Name("web");
  ASSERT_EQ(KX_CreateHG(kUnit, 1, 1, 7, &web), KX_OK);
  const auto mapping = Mapping({{9, 1}});
  ASSERT_EQ(KX_SetLuMappingList(kUnit, 1, 1, 7, 0, &mapping), KX_OK);
  ASSERT_EQ(KX_ChangeMappingMode(kUnit, KX_MAPPING_MODE_ON), KX_OK);
  HGListRecord before{};
  ASSERT_EQ(KX_GetHGList(kUnit, &before), KX_OK);

  Reopen();
  LANInformationRecord read{};
  ASSERT_EQ(KX_GetLANInformation(kUnit, 1, &read), KX_OK);
  EXPECT_STREQ(read.gateway, "10.1.0.1");
  HGListRecord after{};
  ASSERT_EQ(KX_GetHGList(kUnit, &after), KX_OK);
  EXPECT_EQ(std::memcmp(&after, &before, sizeof after), 0);
  EXPECT_EQ(after.lun_manage, KX_MAPPING_MODE_ON);
  int32_t count = -1;
  LuMappingHGInfoRecord mapped{};
  ASSERT_EQ(KX_GetLuMappingList(kUnit, 1, 1, 7, &count, &mapped), KX_OK);
  EXPECT_EQ(mapped.lu[9], 1);

  // A unit's connectivity goes with it.
  ASSERT_EQ(KX_UnitDelete(kUnit), KX_OK);
  KXUnitParamRecord again = MakeUnit(kUnit);
  ASSERT_EQ(KX_UnitAdd(&again), KX_OK);
  ASSERT_EQ(KX_GetHGList(kUnit, &after), KX_OK);
  EXPECT_EQ(after.ctl[1].port[1].hg[7].valid, 0);
  EXPECT_EQ(after.lun_manage, KX_MAPPING_MODE_OFF);
}

}  // namespace
}  // namespace core_test
