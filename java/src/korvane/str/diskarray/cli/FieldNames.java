package korvane.str.diskarray.cli;

import static korvane.str.diskarray.DiskArrayConstants.*;

import java.util.ArrayList;
import java.util.HashMap;
import java.util.List;
import java.util.Map;
import java.util.Set;
import java.util.function.IntFunction;
import java.util.function.Predicate;
import korvane.str.diskarray.CouplingLU;
import korvane.str.diskarray.DiskDrive;
import korvane.str.diskarray.HGInfo;
import korvane.str.diskarray.KXLabel;
import korvane.str.diskarray.KXUnitParam;
import korvane.str.diskarray.LUTuning;
import korvane.str.diskarray.LogicalUnit;
import korvane.str.diskarray.LuMappingHGInfo;
import korvane.str.diskarray.RaidGroup;
import korvane.str.diskarray.RvrfSrcArrayUnit;
import korvane.str.diskarray.UniteLU;

/**
 * What the ints of record fields mean, as the station headers define them
 * ({@link korvane.str.diskarray.DiskArrayConstants}): the names of enumerated
 * values and bit sets, which fields are unsigned, and which entries of a
 * record's fixed tables are unused. {@link Json} writes records with them
 * unless --raw asks for the records as stored.
 */
final class FieldNames {
  private FieldNames() {}

  private static final String[] PART_STATES = {"not-installed", "normal", "failed", "rebuilding"};
  private static final String[] OFF_ON = {"off", "on"};
  private static final String[] LU_STATES = {"formatted", "formatting", "unformatted"};
  private static final String[] FORMAT_STATES = {"none", "running", "done"};

  /** Names of enumerated fields, by "Class.field"; an int array field names each element. */
  private static final Map<String, IntFunction<String>> NAMES = new HashMap<>();
  /** Bit-set fields, by "Class.field": written with the numbers of the bits set. */
  private static final Set<String> BIT_SETS = Set.of("HGOptionInfo.option",
      "HGOptionInfo.option2", "PortOptionCtlInfo.port_common_opt", "KXUserRegist.option",
      "UnitCondition.controller_condition", "BaseInformation.sup_rglevel");

  static {
    IntFunction<String> partState = listed(PART_STATES);
    for (String field : new String[] {"ps", "fan", "ac", "batt", "batt_bk", "enclosure",
        "loop"}) {
      NAMES.put("UnitCondition." + field, partState);
    }
    NAMES.put("CacheStatus.condition", partState);
    NAMES.put("DiskDrive.drv_state", partState);
    NAMES.put("DiskDrive.attribute", value -> value == KX_DRIVE_FREE ? "free"
        : value == KX_DRIVE_RAID_GROUP ? "raid-group" : null);
    NAMES.put("DriveReconstructInformation.status_code",
        listed("none", "running", "blocked"));
    IntFunction<String> level = value -> value == KX_RAID_10 ? "raid1+0"
        : value == KX_RAID_0 || value == KX_RAID_1 || value == KX_RAID_5 || value == KX_RAID_6
            ? "raid" + value : null;
    NAMES.put("RaidGroup.level", level);
    NAMES.put("LogicalUnit.raid_level", level);
    NAMES.put("LogicalUnit.staging", listed("normal", "sequential", "off"));
    NAMES.put("LogicalUnit.status", listed(LU_STATES));
    NAMES.put("UniteLU.status", listed(LU_STATES));
    NAMES.put("UniteLU.unite_info", value -> value == KX_UNITE_NO_LU ? "no-lu"
        : value >= KX_UNITE_SINGLE && value <= KX_UNITE_CHILD
            ? new String[] {"single", "parent", "child"}[value] : null);
    IntFunction<String> pairState = listed("none", "copying", "synchronized", "suspended");
    NAMES.put("CouplingLU.primary_stat", pairState);
    NAMES.put("CouplingLU.second_stat", pairState);
    NAMES.put("FormatStatus.status", listed(FORMAT_STATES));
    NAMES.put("LuFormatStatus.status", listed(FORMAT_STATES));
    NAMES.put("FormatStatusList.mode", listed("idle", "running"));
    NAMES.put("TargetId.target_id_mode", listed("single", "multi"));
    NAMES.put("FibreInformation.topology", listed("point-to-point", "loop"));
    NAMES.put("FibreInformation.topology_ref", listed("point-to-point", "loop"));
    IntFunction<String> speed = value -> value == KX_SPEED_AUTO ? "auto"
        : value == 1 || value == 2 || value == 4 ? value + "gbit" : null;
    NAMES.put("FibreInformationPort.set_speed", speed);
    NAMES.put("FibreInformationPort.refer_speed", speed);
    NAMES.put("SyncPort.rate", speed);
    NAMES.put("SyncPort.board_type", listed("none", "installed"));
    NAMES.put("FibreInformationPort.frame_size", listed("512", "1024", "2048", "2112"));
    NAMES.put("RvrfSrcPath.path_status", listed("unused", "defined"));
    NAMES.put("LuMapping.mapping_mode", listed(OFF_ON));
    NAMES.put("LANInformation.dhcp", listed(OFF_ON));
    NAMES.put("LANInformation.lan_connect", listed(OFF_ON));
    NAMES.put("EmailInfo.on_off", listed(OFF_ON));
    NAMES.put("ExProgramInfo.on_off", listed(OFF_ON));
    NAMES.put("FibreInformationSecurity.access_guard", listed(OFF_ON));
    NAMES.put("FibreInformationSecurity.all_lun_security", listed(OFF_ON));
    NAMES.put("WarningInfo.report_mode", listed("off", "report", "report-until-cleared"));
  }

  /** Entries of a fixed table that the station marks unused, by the entry's class. */
  private static final Map<Class<?>, Predicate<Object>> UNUSED = Map.of(
      RaidGroup.class, entry -> ((RaidGroup) entry).rgnum == KX_UNUSED_ENTRY,
      LogicalUnit.class, entry -> ((LogicalUnit) entry).luNumber == KX_UNUSED_ENTRY,
      DiskDrive.class, entry -> ((DiskDrive) entry).mount == 0,
      HGInfo.class, entry -> ((HGInfo) entry).valid == 0,
      RvrfSrcArrayUnit.class, entry -> ((RvrfSrcArrayUnit) entry).valid == 0,
      UniteLU.class, entry -> ((UniteLU) entry).unite_info == KX_UNITE_NO_LU,
      CouplingLU.class, entry -> ((CouplingLU) entry).primary_lu == KX_UNUSED_ENTRY,
      LuMappingHGInfo.class, entry -> allUnmapped(((LuMappingHGInfo) entry).lu));

  /** Entries that carry their own number or name, so a filtered table needs no index. */
  private static final Set<Class<?>> NUMBERED = Set.of(RaidGroup.class, LogicalUnit.class,
      DiskDrive.class, KXUnitParam.class, KXLabel.class);

  /** Tables whose zero entries are settings in force, never unused. */
  private static final Set<Class<?>> SETTINGS = Set.of(LUTuning.class);

  /** Whether a field is a list of part states, where 0 marks a part not installed. */
  static boolean partList(Class<?> record, String field) {
    return record.getSimpleName().equals("UnitCondition")
        && NAMES.get("UnitCondition." + field) != null;
  }

  /** The name of a field's value, or null when the field has no names. */
  static IntFunction<String> names(Class<?> record, String field) {
    return NAMES.get(record.getSimpleName() + "." + field);
  }

  static boolean bitSet(Class<?> record, String field) {
    return BIT_SETS.contains(record.getSimpleName() + "." + field);
  }

  /** The numbers of the bits set in value, lowest first. */
  static List<Integer> bits(int value) {
    List<Integer> bits = new ArrayList<>();
    for (int bit = 0; bit < 32; bit++) {
      if ((value & (1 << bit)) != 0) {
        bits.add(bit);
      }
    }
    return bits;
  }

  /**
   * Whether an int field holds an unsigned 32-bit number in an int: the
   * statistics' wrapping counters and the low half of a RAID group's free
   * blocks.
   */
  static boolean unsigned(Class<?> record, String field) {
    return record.getSimpleName().startsWith("Statistical")
        || (record == RaidGroup.class && field.equals("rest"));
  }

  /** Whether an entry of a fixed table is unused: marked so, or empty throughout. */
  static boolean unused(Object entry) {
    if (entry == null || SETTINGS.contains(entry.getClass())) {
      return false;
    }
    Predicate<Object> marked = UNUSED.get(entry.getClass());
    return marked != null ? marked.test(entry) : Json.blank(entry);
  }

  static boolean numbered(Class<?> entry) {
    return NUMBERED.contains(entry);
  }

  private static boolean allUnmapped(int[] lus) {
    if (lus == null) {
      return false;
    }
    for (int lu : lus) {
      if (lu != KX_UNMAPPED) {
        return false;
      }
    }
    return true;
  }

  private static IntFunction<String> listed(String... names) {
    return value -> value >= 0 && value < names.length ? names[value] : null;
  }
}
