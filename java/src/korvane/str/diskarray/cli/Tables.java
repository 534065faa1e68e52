package korvane.str.diskarray.cli;

import java.util.ArrayList;
import java.util.List;
import korvane.str.diskarray.KXLabel;
import korvane.str.diskarray.KXUnitParam;

/** Plain-text renderings of registry records, as the tool prints them. */
final class Tables {
  private Tables() {}

  private static final String[] UNIT_HEADER = {
    "NAME", "GROUP", "CONNECT", "KX-TYPE", "CONF", "ALERT", "CTL0", "CTL1"
  };

  /**
   * The unit table. An entry the bridge could not build arrives as null and
   * is shown as such rather than dropped, so the row count stays honest.
   */
  static String units(KXUnitParam[] units) {
    if (units.length == 0) {
      return empty("(no units registered)");
    }
    List<String[]> rows = new ArrayList<>();
    rows.add(UNIT_HEADER);
    for (KXUnitParam unit : units) {
      if (unit == null) {
        rows.add(new String[] {"(unreadable entry)", "", "", "", "", "", "", ""});
        continue;
      }
      rows.add(new String[] {
        text(unit.unit_name), text(unit.group_name),
        Integer.toString(unit.connect_type), Integer.toString(unit.kx_type),
        Integer.toString(unit.unit_conf), Integer.toString(unit.alert),
        text(unit.ctl0), text(unit.ctl1)
      });
    }
    return columns(rows);
  }

  /**
   * One unit, a field per line, under the field names the bridge uses. Each
   * one-byte code is shown as stored (signed) with its byte in hex, as the
   * options take it, and with what the station does with it.
   */
  static String unit(KXUnitParam unit) {
    List<String[]> rows = new ArrayList<>();
    rows.add(new String[] {"unit_name", text(unit.unit_name), ""});
    rows.add(new String[] {"group_name", text(unit.group_name), ""});
    rows.add(new String[] {"connect_type", code(unit.connect_type),
      "connection type: kept for the caller, not used by the station"});
    rows.add(new String[] {"kx_type", code(unit.kx_type),
      "unit model: microcode and parameter files must name it"});
    rows.add(new String[] {"unit_conf", code(unit.unit_conf),
      "configuration: reported in the unit's information (status)"});
    rows.add(new String[] {"alert", code(unit.alert),
      "alert setting: kept for the caller, not used by the station"});
    rows.add(new String[] {"ctl0", text(unit.ctl0), "controller 0 (a dotted quad is its LAN"
      + " address until one is set)"});
    rows.add(new String[] {"ctl1", text(unit.ctl1), "controller 1"});
    return columns(rows);
  }

  /** A one-byte code: "-56 (0xc8)". */
  private static String code(int value) {
    return value + String.format(" (0x%02x)", value & 0xFF);
  }

  static String labels(KXLabel[] labels) {
    if (labels.length == 0) {
      return empty("(no labels)");
    }
    List<String[]> rows = new ArrayList<>();
    rows.add(new String[] {"OLD", "NEW"});
    for (KXLabel label : labels) {
      if (label == null) {
        rows.add(new String[] {"(unreadable entry)", ""});
      } else {
        rows.add(new String[] {text(label.oldlabel), text(label.newlabel)});
      }
    }
    return columns(rows);
  }

  /** A text field the bridge could not read stays null; show that, not an empty cell. */
  private static String text(String value) {
    return value == null ? "(null)" : value;
  }

  /**
   * Whether this thread prints tables for scripts: rows without the heading,
   * cells separated by tabs (a tab or newline inside a cell becomes a space).
   */
  private static final ThreadLocal<Boolean> TSV = ThreadLocal.withInitial(() -> false);

  static void tsv(boolean on) {
    TSV.set(on);
  }

  static boolean tsv() {
    return TSV.get();
  }

  /** The rows (heading first) as a table, or the note when there is no row but the heading. */
  static String table(List<String[]> rows, String empty) {
    return rows.size() == 1 ? empty(empty) : columns(rows);
  }

  /** A note that stands for an empty table: nothing at all for scripts. */
  static String empty(String note) {
    return TSV.get() ? "" : note + "\n";
  }

  static String columns(List<String[]> rows) {
    if (TSV.get()) {
      StringBuilder out = new StringBuilder();
      for (String[] row : rows.subList(1, rows.size())) {
        for (int c = 0; c < row.length; c++) {
          out.append(c == 0 ? "" : "\t").append(row[c].replaceAll("[\t\r\n]", " "));
        }
        out.append('\n');
      }
      return out.toString();
    }
    int width = rows.get(0).length;
    int[] widths = new int[width];
    for (String[] row : rows) {
      for (int c = 0; c < width; c++) {
        widths[c] = Math.max(widths[c], row[c].length());
      }
    }
    StringBuilder out = new StringBuilder();
    for (String[] row : rows) {
      StringBuilder line = new StringBuilder();
      for (int c = 0; c < width; c++) {
        line.append(row[c]);
        if (c + 1 < width) {
          line.append(" ".repeat(widths[c] - row[c].length() + 2));
        }
      }
      out.append(line.toString().stripTrailing()).append('\n');
    }
    return out.toString();
  }
}
