package korvane.str.diskarray.cli;

import static korvane.str.diskarray.DiskArrayConstants.*;

import java.lang.reflect.Field;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.List;
import java.util.Map;

/**
 * The ranges the station checks the fields of a parameter group against
 * (include/kx_station_parameters.h). The station refuses a whole group with
 * one code; the tool names the field and value a refusal is about.
 */
final class ParameterRanges {
  private ParameterRanges() {}

  /** {min, max} by "Class.field"; a field not listed is checked by the station alone. */
  private static final Map<String, int[]> RANGES = new HashMap<>();

  static {
    String[] switches = {"procom", "warning_report", "hit_guarantee", "nx_connect",
      "auto_reconst", "force_write_through", "change_lu", "multi_stream",
      "multi_stream_write", "multi_stream_read", "command_que", "shutdown_chk1",
      "add_bat_unit"};
    for (String field : switches) {
      range("OnlineSystemParam." + field, KX_SWITCH_OFF, KX_SWITCH_ON);
    }
    range("OnlineTuningParam.def_mode", 0, KX_TUNING_MODE_MAX);
    range("OnlineTuningParam.dir_sweep", KX_SWITCH_OFF, KX_SWITCH_ON);
    range("OnlineTuningParam.dir_sweep_stop", KX_SWITCH_OFF, KX_SWITCH_ON);
    range("TuningParam.def_mode", 0, KX_TUNING_MODE_MAX);
    range("TuningParam.reserve_buf_size", 0, KX_RESERVE_BUFFER_MAX);
    range("TuningParam.current_buf_size", KX_CURRENT_BUFFER_MIN, KX_CURRENT_BUFFER_MAX);
    range("DiskDriveRestoration.mode", 0, KX_RESTORE_MODE_MAX);
    range("DiskDriveRestoration.restoration", KX_SWITCH_OFF, KX_SWITCH_ON);
    range("DiskDriveRestoration.dynamic_sparing", KX_SWITCH_OFF, KX_SWITCH_ON);
    range("DiskDriveRestoration.interval", 0, KX_RESTORE_INTERVAL_MAX);
    range("DiskDriveRestoration.unit_size", 1, KX_RESTORE_UNIT_MAX);
    for (String field : new String[] {"stg_rd0", "stg_rd1", "stg_rd5", "stg_next"}) {
      range("PrefetchInformation." + field, 0, KX_STAGING_KB_MAX);
    }
    range("PrefetchInformation.stg_hed_size", 0, KX_STAGING_HEAD_MAX);
    range("OnlineVerify.test", KX_SWITCH_OFF, KX_SWITCH_ON);
    range("OnlineVerify.idling_time", 1, KX_IDLING_TIME_MAX);
    range("WarningInfo.report_mode", 0, KX_WARNING_MODE_MAX);
    range("SystemParamCtl.error_out", KX_SWITCH_OFF, KX_SWITCH_ON);
    range("SystemParamCtl.write_verify", KX_SWITCH_OFF, KX_SWITCH_ON);
    range("LUTuning.pre_start", 0, KX_PREFETCH_START_MAX);
  }

  private static void range(String field, int min, int max) {
    RANGES.put(field, new int[] {min, max});
  }

  /**
   * What the station's refusal of a record is about, among the fields the
   * command line set (path and value as given): "def_mode=9 is outside 0..2",
   * or, when no range explains it, the fields set. Null when none was set.
   */
  static String problem(Object record, Map<String, String> changed) {
    List<String> outside = new ArrayList<>();
    List<String> given = new ArrayList<>();
    for (Map.Entry<String, String> change : changed.entrySet()) {
      String name = change.getKey();
      given.add(name + "=" + change.getValue());
      // A nested field (ctl[0].error_out, lu[3].pre_start) is ranged by the
      // record class that holds it.
      Object owner = ownerOf(record, name);
      String leaf = name.substring(name.lastIndexOf('.') + 1);
      Integer value = owner == null ? null : intField(owner, leaf);
      int[] range = owner == null ? null
          : RANGES.get(owner.getClass().getSimpleName() + "." + leaf);
      if (range == null && record.getClass().getSimpleName().equals("Threshold")) {
        range = new int[] {0, KX_THRESHOLD_MAX};
      }
      if (value != null && range != null && (value < range[0] || value > range[1])) {
        outside.add(name + "=" + value + " is outside " + range[0] + ".." + range[1]);
      }
    }
    if (!outside.isEmpty()) {
      return String.join("; ", outside);
    }
    Integer reserve = intField(record, "reserve_buf_size");
    Integer current = intField(record, "current_buf_size");
    if (reserve != null && current != null && reserve > current
        && (changed.containsKey("reserve_buf_size") || changed.containsKey("current_buf_size"))) {
      return "reserve_buf_size=" + reserve + " is larger than current_buf_size=" + current;
    }
    if (given.isEmpty()) {
      return null;
    }
    return (given.size() == 1 ? "the station refuses " : "the station refuses one of ")
        + String.join(", ", given);
  }

  /**
   * The object holding the last field of path ("a[2].b" is held by the
   * element 2 of a), or null when the path does not lead to one.
   */
  private static Object ownerOf(Object record, String path) {
    Object owner = record;
    String[] steps = path.split("\\.");
    for (int i = 0; i < steps.length - 1 && owner != null; i++) {
      owner = element(owner, steps[i]);
    }
    return owner;
  }

  /** The field "name" or the element "name[i]" of an array field of owner. */
  private static Object element(Object owner, String step) {
    int bracket = step.indexOf('[');
    String name = bracket < 0 ? step : step.substring(0, bracket);
    try {
      Object value = owner.getClass().getField(name).get(owner);
      if (bracket < 0) {
        return value;
      }
      if (!step.endsWith("]") || !(value instanceof Object[])) {
        return null;
      }
      int index = Integer.parseInt(step.substring(bracket + 1, step.length() - 1));
      Object[] array = (Object[]) value;
      return index >= 0 && index < array.length ? array[index] : null;
    } catch (ReflectiveOperationException | NumberFormatException e) {
      return null;
    }
  }

  private static Integer intField(Object record, String name) {
    try {
      Field field = record.getClass().getField(name);
      return field.getType() == int.class ? field.getInt(record) : null;
    } catch (ReflectiveOperationException e) {
      return null;
    }
  }
}
