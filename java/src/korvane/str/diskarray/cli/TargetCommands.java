package korvane.str.diskarray.cli;

import java.io.PrintStream;
import java.util.ArrayList;
import java.util.List;
import java.util.Set;
import korvane.str.diskarray.DiskArrayConstants;
import korvane.str.diskarray.DiskArrayUtilityJNI;
import korvane.str.diskarray.TargetConfig;
import korvane.str.diskarray.TargetId;
import korvane.str.diskarray.cli.DiskArrayTool.Step;
import korvane.str.diskarray.cli.DiskArrayTool.ToolFailure;

/**
 * The target IDs of the synchronous host ports: per controller single or
 * multi mode; per port the target ID of single mode, the IDs that answer in
 * multi mode, and the host LUNs presented at each ID.
 * {@code target show|set|luns|import}.
 */
final class TargetCommands {
  static final Set<String> COMMANDS = Set.of("target");

  private static final int CONTROLLERS = DiskArrayConstants.KX_HOST_CONTROLLERS;
  private static final int PORTS = DiskArrayConstants.KX_HOST_PORTS;
  private static final int TARGET_IDS = DiskArrayConstants.KX_TARGET_IDS;
  private static final int HOST_LUNS = 128;
  private static final String MODE = "mode";
  private static final String SINGLE = "single";
  private static final String MULTI = "multi";

  private final PrintStream out;

  TargetCommands(PrintStream out) {
    this.out = out;
  }

  Step prepare(Arguments arguments) throws UsageException {
    Arguments sub = arguments.subcommand("show, set, luns, import");
    switch (sub.command) {
      case "target show": {
        String unit = DiskArrayTool.unitName(sub.expectOperands("UNIT").get(0));
        sub.allowOnly(Set.of());
        return new Step("read the target IDs of '" + unit + "'", () -> {
          TargetId[] targets = read(unit);
          out.print(sub.has(Arguments.JSON) ? Json.write(targets) : table(targets));
        });
      }
      case "target set": {
        String unit = DiskArrayTool.unitName(sub.expectOperands("UNIT").get(0));
        int ctl = sub.requiredInt(Arguments.CONTROLLER, 0, CONTROLLERS - 1);
        Integer port = sub.has(Arguments.PORT)
            ? sub.intOption(Arguments.PORT, 0, 0, PORTS - 1) : null;
        sub.allowOnly(port == null ? Set.of(MODE, Arguments.CONTROLLER)
            : Set.of(MODE, SINGLE, MULTI, Arguments.CONTROLLER, Arguments.PORT));
        Integer mode = mode(sub.option(MODE));
        Integer single = sub.has(SINGLE)
            ? Arguments.number("--single", sub.option(SINGLE), 0, TARGET_IDS - 1) : null;
        boolean[] multi = sub.has(MULTI) ? numbers("--multi", sub.option(MULTI), TARGET_IDS)
            : null;
        if (mode == null && single == null && multi == null) {
          throw new UsageException(
              "'target set' needs --mode, or with --port --single or --multi");
        }
        return new Step("set the target IDs of controller " + ctl + " of '" + unit + "'", () -> {
          TargetId target = read(unit)[ctl];
          if (mode != null) {
            target.target_id_mode = mode;
          }
          if (port != null) {
            TargetConfig config = target.target_config[port];
            if (single != null) {
              config.single = single;
            }
            if (multi != null) {
              for (int id = 0; id < TARGET_IDS; id++) {
                config.multi[id] = (byte) (multi[id] ? 1 : 0);
              }
            }
          }
          DiskArrayUtilityJNI.KX_SetTargetId(unit, ctl, target, 0);
          out.print(table(new TargetId[] {read(unit)[ctl]}, ctl));
        });
      }
      case "target luns": {
        List<String> words = sub.expectOperands("UNIT", "ID", "LUNS");
        String unit = DiskArrayTool.unitName(words.get(0));
        sub.allowOnly(Set.of(Arguments.CONTROLLER, Arguments.PORT));
        int ctl = sub.requiredInt(Arguments.CONTROLLER, 0, CONTROLLERS - 1);
        int port = sub.requiredInt(Arguments.PORT, 0, PORTS - 1);
        int id = Arguments.number("ID", words.get(1), 0, TARGET_IDS - 1);
        boolean[] luns = words.get(2).equals("none") ? new boolean[HOST_LUNS]
            : numbers("LUNS", words.get(2), HOST_LUNS);
        return new Step("present host LUNs at target ID " + id + " of port " + ctl + "." + port
            + " of '" + unit + "'", () -> {
              TargetId target = read(unit)[ctl];
              byte[] lun = target.target_config[port].mapping[id].lun;
              for (int h = 0; h < HOST_LUNS; h++) {
                lun[h] = (byte) (luns[h] ? 1 : 0);
              }
              DiskArrayUtilityJNI.KX_SetTargetId(unit, ctl, target, 0);
              out.println("target ID " + id + " of port " + ctl + "." + port
                  + " presents host LUNs "
                  + list(read(unit)[ctl].target_config[port].mapping[id].lun));
            });
      }
      case "target import": {
        List<String> words = sub.expectOperands("UNIT", "FILE");
        String unit = DiskArrayTool.unitName(words.get(0));
        String file = ParameterCommands.path(words.get(1));
        sub.allowOnly(Set.of());
        return new Step("import the target IDs of '" + unit + "' from " + file, () -> {
          sub.confirm("Replace the target IDs of both controllers of '" + unit + "' with those"
              + " of " + file + "?");
          DiskArrayUtilityJNI.KX_TargetIdImport(unit, file);
          out.print(table(read(unit)));
        });
      }
      default:
        throw new UsageException("unknown command '" + sub.command + "'");
    }
  }

  private static TargetId[] read(String unit)
      throws korvane.str.diskarray.DiskArrayException, ToolFailure {
    TargetId[] targets = DiskArrayUtilityJNI.KX_GetTargetId(unit, 0);
    if (targets == null || targets.length != CONTROLLERS) {
      throw new ToolFailure("the bridge returned no target IDs");
    }
    return targets;
  }

  private static Integer mode(String text) throws UsageException {
    if (text == null) {
      return null;
    }
    if (!text.equals(SINGLE) && !text.equals(MULTI)) {
      throw new UsageException("--mode must be single or multi, got '" + text + "'");
    }
    return text.equals(MULTI) ? 1 : 0;
  }

  /** A list such as 0-3,7 of numbers below limit, as flags. */
  private static boolean[] numbers(String what, String text, int limit) throws UsageException {
    boolean[] chosen = new boolean[limit];
    for (String item : text.split(",", -1)) {
      String[] range = item.split("-", -1);
      if (range.length > 2) {
        throw new UsageException(what + " is a list such as 0-3,7; got '" + text + "'");
      }
      int first = Arguments.number(what, range[0], 0, limit - 1);
      int last = range.length == 2 ? Arguments.number(what, range[1], first, limit - 1) : first;
      for (int n = first; n <= last; n++) {
        chosen[n] = true;
      }
    }
    return chosen;
  }

  /** The numbers whose byte is set, as a short list such as 0-3,7, or "none". */
  static String list(byte[] flags) {
    StringBuilder text = new StringBuilder();
    int n = 0;
    while (n < flags.length) {
      if (flags[n] == 0) {
        n++;
        continue;
      }
      int last = n;
      while (last + 1 < flags.length && flags[last + 1] != 0) {
        last++;
      }
      text.append(text.length() == 0 ? "" : ",").append(n).append(last > n ? "-" + last : "");
      n = last + 1;
    }
    return text.length() == 0 ? "none" : text.toString();
  }

  private static String table(TargetId[] targets) {
    StringBuilder text = new StringBuilder();
    for (int ctl = 0; ctl < targets.length; ctl++) {
      text.append(table(new TargetId[] {targets[ctl]}, ctl));
    }
    return text.toString();
  }

  /** One controller: its mode, then per port its IDs and the host LUNs at each. */
  private static String table(TargetId[] one, int ctl) {
    TargetId target = one[0];
    List<String[]> rows = new ArrayList<>();
    rows.add(new String[] {"PORT", "SINGLE-ID", "MULTI-IDS", "HOST LUNS BY ID"});
    for (int port = 0; port < target.target_config.length; port++) {
      TargetConfig config = target.target_config[port];
      List<String> presented = new ArrayList<>();
      for (int id = 0; id < config.mapping.length; id++) {
        String luns = list(config.mapping[id].lun);
        if (!luns.equals("none")) {
          presented.add(id + ":" + luns);
        }
      }
      rows.add(new String[] {ctl + "." + port, String.valueOf(config.single), list(config.multi),
          presented.isEmpty() ? "none" : String.join(" ", presented)});
    }
    return "controller " + ctl + ": " + (target.target_id_mode == 1 ? "multi" : "single")
        + " mode\n" + Tables.columns(rows);
  }
}
