package korvane.str.diskarray.cli;

import java.io.IOException;
import java.io.PrintStream;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Locale;
import java.util.Map;
import java.util.Set;
import korvane.str.diskarray.DeleteHGList;
import korvane.str.diskarray.DiskArrayConstants;
import korvane.str.diskarray.DiskArrayException;
import korvane.str.diskarray.DiskArrayUtilityJNI;
import korvane.str.diskarray.ErrorCodes;
import korvane.str.diskarray.FibreInformation;
import korvane.str.diskarray.FibreInformationPermission;
import korvane.str.diskarray.FibreInformationPort;
import korvane.str.diskarray.FibreInformationSecurity;
import korvane.str.diskarray.HGInfo;
import korvane.str.diskarray.HGList;
import korvane.str.diskarray.HGOptionInfo;
import korvane.str.diskarray.HostGroupName;
import korvane.str.diskarray.LANInformation;
import korvane.str.diskarray.LuMappingHGInfo;
import korvane.str.diskarray.PortOption;
import korvane.str.diskarray.PortOptionCtlInfo;
import korvane.str.diskarray.RvrfSrcArrayUnit;
import korvane.str.diskarray.RvrfSrcInfo;
import korvane.str.diskarray.RvrfSrcPath;
import korvane.str.diskarray.SyncControl;
import korvane.str.diskarray.WWNHGInformation;
import korvane.str.diskarray.WWNHGPortInfo;
import korvane.str.diskarray.WWNHostInfo;
import korvane.str.diskarray.cli.DiskArrayTool.Action;
import korvane.str.diskarray.cli.DiskArrayTool.Step;
import korvane.str.diskarray.cli.DiskArrayTool.ToolFailure;

/**
 * Host connectivity of a unit: LAN settings, host ports, LUN security, host
 * groups, host WWNs, LU mapping, options and remote-verify paths. The objects
 * a command acts on are operands (UNIT, WWN, LUS, a host group being added,
 * renamed or deleted); where it acts is given by --controller, --port and
 * --hg, and settings by options of their own. A change reads the current
 * record, changes what was given and writes the record back.
 */
final class ConnectivityCommands {
  static final Set<String> COMMANDS =
      Set.of("lan", "port", "security", "hostgroup", "wwn", "map", "options", "rvrf");

  private static final int CONTROLLERS = DiskArrayConstants.KX_HOST_CONTROLLERS;
  private static final int PORTS = DiskArrayConstants.KX_HOST_PORTS;
  private static final int HOST_GROUPS = DiskArrayConstants.KX_HOST_GROUPS_PER_PORT;
  private static final int HOST_LUNS = 256;
  private static final int LUS = DiskArrayConstants.KX_LOGICAL_UNIT_COUNT;
  private static final int UNMAPPED = DiskArrayConstants.KX_UNMAPPED;
  private static final int ANY_HOST_GROUP = DiskArrayConstants.KX_ANY_HOST_GROUP;
  /** The station's code for a refused import; its report names the line. */
  private static final int IMPORT_SYNTAX = ErrorCodes.KXE_IMPORT_SYNTAX;
  private static final String[] FRAME_SIZES = {"512", "1024", "2048", "2112"};

  private final PrintStream out;

  ConnectivityCommands(PrintStream out) {
    this.out = out;
  }

  Step prepare(Arguments arguments) throws UsageException {
    switch (arguments.command) {
      case "lan":
        return lan(arguments.subcommand("show, set"));
      case "port":
        return port(arguments.subcommand("list, show, set"));
      case "security":
        return security(arguments.subcommand("show, set, allow, deny, import"));
      case "hostgroup":
        return hostGroup(arguments.subcommand("list, add, rename, delete"));
      case "wwn":
        return wwn(arguments.subcommand("list, add, assign, enable, disable, remove"));
      case "map":
        return map(arguments.subcommand("list, add, remove, mode"));
      case "options":
        return options(arguments.subcommand("show, set"));
      default:
        return rvrf(arguments.subcommand("show, set, delete"));
    }
  }

  /** The records a read command shows, for --json. */
  private interface Records {
    Object read() throws DiskArrayException, ToolFailure;
  }

  /** With --json, prints the records and says so; otherwise leaves the table to the caller. */
  private boolean json(Arguments arguments, Records records)
      throws DiskArrayException, ToolFailure {
    if (!arguments.has(Arguments.JSON)) {
      return false;
    }
    out.print(Json.write(records.read()));
    return true;
  }

  // ---------------------------------------------------------------------------
  // Operands

  /** The options that say where a command acts, by the name its handler gives them. */
  private static final Map<String, String> SELECTORS =
      Map.of("CTL", Arguments.CONTROLLER, "PORT", Arguments.PORT, "HG", Arguments.HG);

  /**
   * A command's operands and selectors in one list, in the order of names
   * (UNIT, CTL, PORT...), and its settings. CTL, PORT and HG come from
   * --controller, --port and --hg (HG is an operand of the hostgroup
   * commands, whose object it is); the other names are the operands in order.
   */
  private static final class Words {
    final List<String> fixed = new ArrayList<>();
    final Map<String, String> settings = new LinkedHashMap<>();
    final String command;

    Words(Arguments arguments, Set<String> keys, String... names) throws UsageException {
      command = arguments.command;
      boolean groupOperand = command.startsWith("hostgroup ");
      Set<String> allowed = new java.util.HashSet<>(keys);
      List<String> operandNames = new ArrayList<>();
      StringBuilder usage = new StringBuilder();
      for (String name : names) {
        String selector = groupOperand && name.equals("HG") ? null : SELECTORS.get(name);
        if (selector == null) {
          operandNames.add(name);
          usage.append(usage.length() == 0 ? "" : " ").append(name);
        }
      }
      for (String name : names) {
        String selector = groupOperand && name.equals("HG") ? null : SELECTORS.get(name);
        if (selector != null) {
          allowed.add(selector);
          usage.append(" --").append(selector).append('=').append(name);
        }
      }
      if (command.equals("security show")) {
        allowed.add(Arguments.RAW);
      }
      // picocli has checked the options; this keeps a handler to those it reads.
      arguments.allowOnly(allowed);
      List<String> operands = arguments.operands;
      if (operands.size() != operandNames.size()) {
        throw new UsageException("'" + command + "' takes " + usage
            + (operands.size() > operandNames.size() && !keys.isEmpty()
                ? "; settings are options: --" + String.join(", --", new java.util.TreeSet<>(keys))
                : "")
            + ", got " + (operands.isEmpty() ? "none" : String.join(" ", operands)));
      }
      int next = 0;
      for (String name : names) {
        String selector = groupOperand && name.equals("HG") ? null : SELECTORS.get(name);
        if (selector == null) {
          fixed.add(operands.get(next++));
        } else if (arguments.has(selector)) {
          fixed.add(arguments.option(selector));
        } else {
          throw new UsageException("'" + command + "' needs --" + selector);
        }
      }
      for (String key : keys) {
        if (arguments.has(key)) {
          settings.put(key, arguments.option(key));
        }
      }
    }

    String unit() throws UsageException {
      return DiskArrayTool.unitName(fixed.get(0));
    }

    int number(int index, String what, int min, int max) throws UsageException {
      String selector = SELECTORS.get(what);
      boolean operand = selector == null || command.startsWith("hostgroup ") && what.equals("HG");
      return Arguments.number(operand ? what : "--" + selector, fixed.get(index), min, max);
    }

    boolean has(String key) {
      return settings.containsKey(key);
    }

    String get(String key) {
      return settings.get(key);
    }

    /** on or off as 1 or 0; null when the setting is not given. */
    Integer onOff(String key) throws UsageException {
      String value = settings.get(key);
      if (value == null) {
        return null;
      }
      if (value.equals("on")) {
        return 1;
      }
      if (value.equals("off")) {
        return 0;
      }
      throw new UsageException("--" + key + " must be on or off, got '" + value + "'");
    }

    /** A bit mask of 16 bits, decimal or 0x hex; null when the setting is not given. */
    Integer mask(String key) throws UsageException {
      String value = settings.get(key);
      return value == null ? null : Arguments.mask("--" + key, value, 0xFFFF);
    }

    /** A number within min..max; null when the setting is not given. */
    Integer number(String key, int min, int max) throws UsageException {
      String value = settings.get(key);
      return value == null ? null : Arguments.number("--" + key, value, min, max);
    }
  }

  /** The value given, or the record's current one. */
  private static int or(Integer given, int current) {
    return given != null ? given : current;
  }

  private static String onOff(int value) {
    return value != 0 ? "on" : "off";
  }

  /** A WWN as the station keeps it: 16 hex digits, lower case. */
  private static String wwnOperand(String text) throws UsageException {
    if (!text.matches("[0-9A-Fa-f]{16}")) {
      throw new UsageException("a WWN is 16 hexadecimal digits, got '" + text + "'");
    }
    return text.toLowerCase(Locale.ROOT);
  }

  /** "none" or a list such as 0-3,7 of LU numbers, as a 64-byte bitmap. */
  private static byte[] luBitmap(String text) throws UsageException {
    byte[] bitmap = new byte[LUS / 8];
    if (text.equals("none")) {
      return bitmap;
    }
    for (String item : text.split(",", -1)) {
      String[] range = item.split("-", -1);
      if (range.length > 2) {
        throw new UsageException("LUs are 'none' or a list such as 0-3,7; got '" + text + "'");
      }
      int first = Arguments.number("LU", range[0], 0, LUS - 1);
      int last = range.length == 2 ? Arguments.number("LU", range[1], first, LUS - 1) : first;
      for (int lu = first; lu <= last; lu++) {
        bitmap[lu / 8] |= (byte) (1 << (lu % 8));
      }
    }
    return bitmap;
  }

  /** The LUs of a bitmap as a short list such as 0-3,7. */
  static String luList(byte[] bitmap) {
    StringBuilder text = new StringBuilder();
    int lu = 0;
    while (lu < LUS) {
      if ((bitmap[lu / 8] >> (lu % 8) & 1) == 0) {
        lu++;
        continue;
      }
      int last = lu;
      while (last + 1 < LUS && (bitmap[(last + 1) / 8] >> ((last + 1) % 8) & 1) != 0) {
        last++;
      }
      text.append(text.length() == 0 ? "" : ",").append(lu).append(last > lu ? "-" + last : "");
      lu = last + 1;
    }
    return text.length() == 0 ? "none" : text.toString();
  }

  /** --controller or --port, which the command cannot do without. */
  private static int requiredSelector(Arguments arguments, String key, int max)
      throws UsageException {
    if (!arguments.has(key)) {
      throw new UsageException("'" + arguments.command + "' needs --" + key);
    }
    return Arguments.number("--" + key, arguments.option(key), 0, max);
  }

  private static String portName(int controller, int port) {
    return controller + "." + port;
  }

  // ---------------------------------------------------------------------------
  // LAN

  private Step lan(Arguments arguments) throws UsageException {
    switch (arguments.command) {
      case "lan show": {
        Words words = new Words(arguments, Set.of(), "UNIT");
        String unit = words.unit();
        return new Step("show the LAN settings of '" + unit + "'", () -> {
          if (json(arguments, () -> List.of(DiskArrayUtilityJNI.KX_GetLANInformation(unit, 0),
              DiskArrayUtilityJNI.KX_GetLANInformation(unit, 1)))) {
            return;
          }
          List<String[]> rows = new ArrayList<>();
          rows.add(new String[] {"CTL", "DHCP", "IP", "SUBNET", "GATEWAY", "ETHER", "LAN"});
          for (int c = 0; c < CONTROLLERS; c++) {
            LANInformation lan = DiskArrayUtilityJNI.KX_GetLANInformation(unit, c);
            rows.add(new String[] {Integer.toString(c), onOff(lan.dhcp), lan.ip_address,
              lan.subnet, lan.gateway, lan.ether, onOff(lan.lan_connect)});
          }
          out.print(Tables.columns(rows));
        });
      }
      case "lan set": {
        Words words = new Words(arguments, Set.of("ip", "subnet", "gateway", "dhcp", "lan"),
            "UNIT", "CTL");
        String unit = words.unit();
        int controller = words.number(1, "CTL", 0, CONTROLLERS - 1);
        Integer dhcp = words.onOff("dhcp");
        Integer link = words.onOff("lan");
        return new Step("set the LAN of controller " + controller + " of '" + unit + "'", () -> {
          LANInformation lan = DiskArrayUtilityJNI.KX_GetLANInformation(unit, controller);
          lan.ip_address = words.settings.getOrDefault("ip", lan.ip_address);
          lan.subnet = words.settings.getOrDefault("subnet", lan.subnet);
          lan.gateway = words.settings.getOrDefault("gateway", lan.gateway);
          lan.dhcp = or(dhcp, lan.dhcp);
          lan.lan_connect = or(link, lan.lan_connect);
          try {
            DiskArrayUtilityJNI.KX_SetLANInformation(unit, controller, lan, 0);
          } catch (DiskArrayException e) {
            String problem = e.getCode() == ErrorCodes.KXE_INVALID_ADDRESS
                ? lanProblem(lan) : null;
            if (problem == null) {
              throw e;
            }
            throw new ToolFailure(problem + " (" + DiskArrayTool.explain(e) + ")");
          }
          out.println("controller " + controller + ": " + lan.ip_address + " / " + lan.subnet
              + ", gateway " + lan.gateway);
        });
      }
      default:
        throw new UsageException("unknown command '" + arguments.command + "'");
    }
  }

  /**
   * Which of the addresses the station's one code for a refused LAN setting
   * is about, by the station's rules: dotted quads, a contiguous mask of 1..30
   * bits, an address that is a host of its subnet, and a gateway that is none
   * (0.0.0.0) or another host of the same subnet. Null when none is wrong.
   */
  static String lanProblem(LANInformation lan) {
    Long ip = quad(lan.ip_address);
    Long mask = quad(lan.subnet);
    Long gateway = quad(lan.gateway);
    if (ip == null) {
      return "ip '" + lan.ip_address + "' is not a dotted quad such as 192.168.0.10";
    }
    if (mask == null) {
      return "subnet '" + lan.subnet + "' is not a dotted quad such as 255.255.255.0";
    }
    if (gateway == null) {
      return "gateway '" + lan.gateway + "' is not a dotted quad (0.0.0.0 for none)";
    }
    long hostBits = ~mask & 0xFFFFFFFFL;
    if ((hostBits & (hostBits + 1)) != 0 || mask == 0 || hostBits < 3) {
      return "subnet " + lan.subnet + " is not a mask of 1 to 30 contiguous bits";
    }
    long host = ip & hostBits;
    if (host == 0 || host == hostBits) {
      return "ip " + lan.ip_address + " is the " + (host == 0 ? "network" : "broadcast")
          + " address of subnet " + lan.subnet;
    }
    if (gateway != 0) {
      long gatewayHost = gateway & hostBits;
      if ((gateway & mask) != (ip & mask)) {
        return "gateway " + lan.gateway + " is outside the subnet of " + lan.ip_address
            + "/" + lan.subnet;
      }
      if (gatewayHost == 0 || gatewayHost == hostBits || gateway.equals(ip)) {
        return "gateway " + lan.gateway + " is not another host of the subnet of "
            + lan.ip_address + "/" + lan.subnet;
      }
    }
    return null;
  }

  /** A dotted quad as a 32-bit number, or null. */
  private static Long quad(String text) {
    if (text == null || !text.matches("[0-9]{1,3}(\\.[0-9]{1,3}){3}")) {
      return null;
    }
    long address = 0;
    for (String part : text.split("\\.")) {
      int value = Integer.parseInt(part);
      if (value > 255) {
        return null;
      }
      address = (address << 8) | value;
    }
    return address;
  }

  // ---------------------------------------------------------------------------
  // Host ports

  private Step port(Arguments arguments) throws UsageException {
    switch (arguments.command) {
      case "port list": {
        Words words = new Words(arguments, Set.of(), "UNIT");
        String unit = words.unit();
        return new Step("list the host ports of '" + unit + "'", () -> {
          if (json(arguments, () -> Json.object(
              "fibre", DiskArrayUtilityJNI.KX_GetFibreInformation(unit),
              "port_options", DiskArrayUtilityJNI.KX_GetPortOption(unit)))) {
            return;
          }
          FibreInformation[] fibre = DiskArrayUtilityJNI.KX_GetFibreInformation(unit);
          PortOption options = DiskArrayUtilityJNI.KX_GetPortOption(unit);
          HGList groups = DiskArrayUtilityJNI.KX_GetHGList(unit);
          List<String[]> rows = new ArrayList<>();
          rows.add(new String[] {"PORT", "WWN", "ADDRESS", "SPEED", "TOPOLOGY", "FRAME",
            "LUN-SECURITY", "PERMISSIONS", "HG-SECURITY", "GROUPS", "LIP", "OPTIONS"});
          for (int c = 0; c < CONTROLLERS; c++) {
            for (int p = 0; p < PORTS; p++) {
              FibreInformationPort port = fibre[c].port[p];
              FibreInformationSecurity security = fibre[c].security[p];
              rows.add(new String[] {portName(c, p), port.port_name, port.get_address,
                speed(port.set_speed) + " (" + port.refer_speed + "G)",
                fibre[c].topology[p] == 1 ? "loop" : "p2p", FRAME_SIZES[port.frame_size & 3],
                onOff(security.all_lun_security), Integer.toString(security.permission_count),
                onOff(groups.ctl[c].port[p].security), Integer.toString(groupCount(groups, c, p)),
                onOff(options.ctl[c].lip_mode[p]),
                "0x" + Integer.toHexString(options.ctl[c].port_common_opt[p])});
            }
          }
          out.print(Tables.columns(rows));
        });
      }
      case "port show": {
        Words words = new Words(arguments, Set.of(), "UNIT", "CTL", "PORT");
        String unit = words.unit();
        int c = words.number(1, "CTL", 0, CONTROLLERS - 1);
        int p = words.number(2, "PORT", 0, PORTS - 1);
        return new Step("show port " + portName(c, p) + " of '" + unit + "'", () -> {
          if (json(arguments, () -> Json.object(
              "port", DiskArrayUtilityJNI.KX_GetFibreInformation(unit)[c].port[p],
              "sync", DiskArrayUtilityJNI.KX_GetSyncControl(unit, c).port_val[p]))) {
            return;
          }
          FibreInformation fibre = DiskArrayUtilityJNI.KX_GetFibreInformation(unit)[c];
          FibreInformationPort port = fibre.port[p];
          SyncControl sync = DiskArrayUtilityJNI.KX_GetSyncControl(unit, c);
          List<String[]> rows = new ArrayList<>();
          rows.add(new String[] {"port", portName(c, p)});
          rows.add(new String[] {"node_name", port.node_name});
          rows.add(new String[] {"port_name", port.port_name});
          rows.add(new String[] {"n_port_id", port.n_port_id.isEmpty() ? "auto" : port.n_port_id});
          rows.add(new String[] {"address", port.get_address});
          rows.add(new String[] {"speed", speed(port.set_speed) + ", running " + port.refer_speed
              + " Gbit/s"});
          rows.add(new String[] {"topology", fibre.topology[p] == 1 ? "loop" : "p2p"});
          rows.add(new String[] {"frame", FRAME_SIZES[port.frame_size & 3]});
          rows.add(new String[] {"sync_rate", speed(sync.port_val[p].rate)});
          rows.add(new String[] {"lun_security", onOff(fibre.lun_security) + " (controller), "
              + onOff(fibre.security[p].all_lun_security) + " (port)"});
          rows.add(new String[] {"interface", fibre.sfc[p].biu + " " + fibre.sfc[p].sequence
              + " firmware " + fibre.sfc[p].oper_firmware + " FC-PH " + fibre.sfc[p].fc_ph});
          rows.add(new String[] {"product", fibre.product_number});
          out.print(Tables.columns(rows));
        });
      }
      case "port set": {
        Words words = new Words(arguments,
            Set.of("speed", "topology", "frame", "address", "sync", "lip", "options", "security"),
            "UNIT", "CTL", "PORT");
        String unit = words.unit();
        int c = words.number(1, "CTL", 0, CONTROLLERS - 1);
        int p = words.number(2, "PORT", 0, PORTS - 1);
        Integer speed = speedSetting(words, "speed");
        Integer topology = topology(words);
        Integer frame = frameSize(words);
        Integer sync = speedSetting(words, "sync");
        Integer lip = words.onOff("lip");
        Integer options = words.mask("options");
        Integer security = words.onOff("security");
        return new Step("set port " + portName(c, p) + " of '" + unit + "'", () -> {
          if (words.has("speed") || words.has("topology") || words.has("frame")
              || words.has("address")) {
            FibreInformation[] fibre = DiskArrayUtilityJNI.KX_GetFibreInformation(unit);
            FibreInformationPort port = fibre[c].port[p];
            port.set_speed = or(speed, port.set_speed);
            fibre[c].topology[p] = or(topology, fibre[c].topology[p]);
            port.frame_size = or(frame, port.frame_size);
            if (words.has("address")) {
              port.n_port_id = words.get("address").equals("auto") ? "" : words.get("address");
            }
            DiskArrayUtilityJNI.KX_SetFibreInformation(unit, fibre[0], fibre[1]);
          }
          if (sync != null) {
            SyncControl control = DiskArrayUtilityJNI.KX_GetSyncControl(unit, c);
            control.port_val[p].rate = sync;
            DiskArrayUtilityJNI.KX_SetSyncControl(unit, c, control, 0);
          }
          if (lip != null || options != null) {
            PortOption portOptions = DiskArrayUtilityJNI.KX_GetPortOption(unit);
            PortOptionCtlInfo controller = portOptions.ctl[c];
            controller.lip_mode[p] = or(lip, controller.lip_mode[p]);
            controller.port_common_opt[p] = or(options, controller.port_common_opt[p]);
            DiskArrayUtilityJNI.KX_SetPortOption(unit, portOptions);
          }
          if (security != null) {
            WWNHGInformation hosts = DiskArrayUtilityJNI.KX_GetWWNHGInformation(unit);
            hosts.ctl[c].port[p].security = security;
            DiskArrayUtilityJNI.KX_SetWWNHGInformation(unit, hosts);
          }
          out.println("port " + portName(c, p) + " set");
        });
      }
      default:
        throw new UsageException("unknown command '" + arguments.command + "'");
    }
  }

  private static String speed(int speed) {
    return speed == 0 ? "auto" : speed + " Gbit/s";
  }

  private static Integer speedSetting(Words words, String key) throws UsageException {
    String value = words.get(key);
    if (value == null) {
      return null;
    }
    if (!value.matches("auto|1|2|4")) {
      throw new UsageException("--" + key + " must be auto, 1, 2 or 4 (Gbit/s), got '" + value
          + "'");
    }
    return value.equals("auto") ? 0 : Integer.parseInt(value);
  }

  private static Integer topology(Words words) throws UsageException {
    String value = words.get("topology");
    if (value == null) {
      return null;
    }
    if (!value.equals("p2p") && !value.equals("loop")) {
      throw new UsageException("topology must be p2p or loop, got '" + value + "'");
    }
    return value.equals("loop") ? 1 : 0;
  }

  private static Integer frameSize(Words words) throws UsageException {
    String value = words.get("frame");
    if (value == null) {
      return null;
    }
    for (int i = 0; i < FRAME_SIZES.length; i++) {
      if (FRAME_SIZES[i].equals(value)) {
        return i;
      }
    }
    throw new UsageException("frame must be 512, 1024, 2048 or 2112, got '" + value + "'");
  }

  private static int groupCount(HGList groups, int c, int p) {
    int count = 0;
    for (HGInfo group : groups.ctl[c].port[p].hg) {
      count += group.valid != 0 ? 1 : 0;
    }
    return count;
  }

  // ---------------------------------------------------------------------------
  // LUN security

  private Step security(Arguments arguments) throws UsageException {
    switch (arguments.command) {
      case "security show": {
        Words words = new Words(arguments, Set.of(), "UNIT", "CTL", "PORT");
        String unit = words.unit();
        int c = words.number(1, "CTL", 0, CONTROLLERS - 1);
        int p = words.number(2, "PORT", 0, PORTS - 1);
        return new Step("show the LUN security of port " + portName(c, p) + " of '" + unit + "'",
            () -> {
              // Json leaves the table's empty slots out, unless --raw.
              if (json(arguments,
                  () -> DiskArrayUtilityJNI.KX_GetFibreInformation(unit)[c].security[p])) {
                return;
              }
              FibreInformationSecurity security =
                  DiskArrayUtilityJNI.KX_GetFibreInformation(unit)[c].security[p];
              out.println("LUN security " + onOff(security.all_lun_security) + ", access guard "
                  + onOff(security.access_guard) + ", check level " + security.security_chk_lv
                  + ", " + security.permission_count + " permissions");
              List<String[]> rows = new ArrayList<>();
              rows.add(new String[] {"SLOT", "PORT-NAME", "NODE-NAME", "N_PORT", "LUS"});
              for (int slot = 0; slot < security.permission.length; slot++) {
                FibreInformationPermission permission = security.permission[slot];
                if (!permission.port_name.isEmpty()) {
                  rows.add(new String[] {Integer.toString(slot), permission.port_name,
                    dash(permission.node_name), dash(permission.n_port_id),
                    luList(permission.lun_security_bitmap)});
                }
              }
              if (rows.size() > 1) {
                out.print(Tables.columns(rows));
              }
            });
      }
      case "security set": {
        Words words = new Words(arguments, Set.of("lun-security", "guard", "level"),
            "UNIT", "CTL", "PORT");
        String unit = words.unit();
        int c = words.number(1, "CTL", 0, CONTROLLERS - 1);
        int p = words.number(2, "PORT", 0, PORTS - 1);
        Integer lunSecurity = words.onOff("lun-security");
        Integer guard = words.onOff("guard");
        Integer level = words.number("level", 0, 2);
        return fibreChange(unit, c, p, "set the LUN security of", security -> {
          security.all_lun_security = or(lunSecurity, security.all_lun_security);
          security.access_guard = or(guard, security.access_guard);
          security.security_chk_lv = or(level, security.security_chk_lv);
          return "port " + portName(c, p) + ": LUN security " + onOff(security.all_lun_security);
        });
      }
      case "security allow": {
        Words words = new Words(arguments, Set.of("node", "nport"),
            "UNIT", "CTL", "PORT", "WWN", "LUS");
        String unit = words.unit();
        int c = words.number(1, "CTL", 0, CONTROLLERS - 1);
        int p = words.number(2, "PORT", 0, PORTS - 1);
        String wwn = wwnOperand(words.fixed.get(3));
        byte[] bitmap = luBitmap(words.fixed.get(4));
        String node = words.has("node") ? wwnOperand(words.get("node")) : null;
        return fibreChange(unit, c, p, "allow a host on", security -> {
          FibreInformationPermission entry = find(security, wwn);
          if (entry == null) {
            entry = find(security, "");
            if (entry == null) {
              throw new ToolFailure("port " + portName(c, p) + " already has 128 permissions");
            }
            entry.port_name = wwn;
          }
          entry.lun_security_bitmap = bitmap;
          entry.node_name = node != null ? node : entry.node_name;
          entry.n_port_id = words.settings.getOrDefault("nport", entry.n_port_id);
          return wwn + " may reach LUs " + luList(bitmap) + " on port " + portName(c, p);
        });
      }
      case "security deny": {
        Words words = new Words(arguments, Set.of(), "UNIT", "CTL", "PORT", "WWN");
        String unit = words.unit();
        int c = words.number(1, "CTL", 0, CONTROLLERS - 1);
        int p = words.number(2, "PORT", 0, PORTS - 1);
        String wwn = wwnOperand(words.fixed.get(3));
        return fibreChange(unit, c, p, "deny a host on", security -> {
          FibreInformationPermission entry = find(security, wwn);
          if (entry == null) {
            throw new ToolFailure("port " + portName(c, p) + " has no permission for " + wwn);
          }
          entry.port_name = "";
          entry.node_name = "";
          entry.n_port_id = "";
          entry.lun_security_bitmap = new byte[LUS / 8];
          return wwn + " removed from port " + portName(c, p);
        });
      }
      case "security import": {
        Words words = new Words(arguments, Set.of(), "UNIT", "CTL", "PORT", "FILE");
        String unit = words.unit();
        int c = words.number(1, "CTL", 0, CONTROLLERS - 1);
        int p = words.number(2, "PORT", 0, PORTS - 1);
        String file = Path.of(words.fixed.get(3)).toAbsolutePath().toString();
        Path report = DiskArrayTool.stationDirectory(arguments).resolve("import-errors.txt");
        return new Step("import the permissions of port " + portName(c, p) + " of '" + unit
            + "'", reportingImport(report, () -> {
              arguments.confirm("Replace the permissions of port " + portName(c, p) + " of '"
                  + unit + "' with those of " + file + "?");
              FibreInformationPermission[] imported =
                  DiskArrayUtilityJNI.KX_FibreInfoPermissionImport(unit, file, c, p);
              out.println("imported " + imported.length + " permissions into port "
                  + portName(c, p));
            }));
      }
      default:
        throw new UsageException("unknown command '" + arguments.command + "'");
    }
  }

  private static String dash(String text) {
    return text.isEmpty() ? "-" : text;
  }

  private static FibreInformationPermission find(FibreInformationSecurity security, String wwn) {
    for (FibreInformationPermission permission : security.permission) {
      if (permission.port_name.equalsIgnoreCase(wwn)) {
        return permission;
      }
    }
    return null;
  }

  /** A change to one port's security, written back with both controllers' records. */
  interface SecurityEdit {
    String apply(FibreInformationSecurity security) throws ToolFailure;
  }

  private Step fibreChange(String unit, int c, int p, String what, SecurityEdit edit) {
    return new Step(what + " port " + portName(c, p) + " of '" + unit + "'", () -> {
      FibreInformation[] fibre = DiskArrayUtilityJNI.KX_GetFibreInformation(unit);
      String done = edit.apply(fibre[c].security[p]);
      DiskArrayUtilityJNI.KX_SetFibreInformation(unit, fibre[0], fibre[1]);
      out.println(done);
    });
  }

  /** A refused import also names the line the station's report gives. */
  private static Action reportingImport(Path report, Action action) {
    return () -> {
      try {
        action.run();
      } catch (DiskArrayException e) {
        if (e.getCode() != IMPORT_SYNTAX || !Files.isRegularFile(report)) {
          throw e;
        }
        String line;
        try {
          line = CallerFiles.readText(report).strip();
        } catch (IOException unreadable) {
          throw e;
        }
        throw new ToolFailure(DiskArrayTool.explain(e) + "\n  " + line);
      }
    };
  }

  // ---------------------------------------------------------------------------
  // Host groups

  private Step hostGroup(Arguments arguments) throws UsageException {
    switch (arguments.command) {
      case "hostgroup list": {
        Words words = new Words(arguments, Set.of(), "UNIT");
        String unit = words.unit();
        return new Step("list the host groups of '" + unit + "'", () -> {
          if (json(arguments, () -> DiskArrayUtilityJNI.KX_GetHGList(unit))) {
            return;
          }
          HGList groups = DiskArrayUtilityJNI.KX_GetHGList(unit);
          WWNHGInformation hosts = DiskArrayUtilityJNI.KX_GetWWNHGInformation(unit);
          List<String[]> rows = new ArrayList<>();
          rows.add(new String[] {"PORT", "HG", "NAME", "HOSTS", "LUNS", "OPTIONS"});
          for (int c = 0; c < CONTROLLERS; c++) {
            for (int p = 0; p < PORTS; p++) {
              HGInfo[] hg = groups.ctl[c].port[p].hg;
              for (int n = 0; n < hg.length; n++) {
                if (hg[n].valid == 0) {
                  continue;
                }
                int members = 0;
                for (WWNHostInfo host : hosts.ctl[c].port[p].wwn) {
                  members += !host.port_name.isEmpty() && host.hg_number == n ? 1 : 0;
                }
                Object[] mapping = DiskArrayUtilityJNI.KX_GetLuMappingList(unit, c, p, n);
                HGOptionInfo option = DiskArrayUtilityJNI.KX_GetHGOption(unit, c, p, n);
                rows.add(new String[] {portName(c, p), Integer.toString(n), hg[n].hgname,
                  Integer.toString(members), mapping[0].toString(), optionText(option)});
              }
            }
          }
          // Scripts get the rows alone (--json carries the mapping mode).
          if (!Tables.tsv()) {
            out.println("mapping mode " + onOff(groups.lun_manage));
          }
          out.print(Tables.columns(rows));
        });
      }
      case "hostgroup add": {
        Words words = new Words(arguments, Set.of("number"), "UNIT", "CTL", "PORT", "NAME");
        String unit = words.unit();
        int c = words.number(1, "CTL", 0, CONTROLLERS - 1);
        int p = words.number(2, "PORT", 0, PORTS - 1);
        HostGroupName name = groupName(words.fixed.get(3));
        int number = or(words.number("number", 1, HOST_GROUPS - 1), ANY_HOST_GROUP);
        return new Step("add host group '" + name.hgname + "' to port " + portName(c, p)
            + " of '" + unit + "'", () -> {
              DiskArrayUtilityJNI.KX_CreateHG(unit, c, p, number, name);
              out.println("added host group " + numberOf(unit, c, p, name.hgname) + " '"
                  + name.hgname + "' on port " + portName(c, p));
            });
      }
      case "hostgroup rename": {
        Words words = new Words(arguments, Set.of(), "UNIT", "CTL", "PORT", "HG", "NAME");
        String unit = words.unit();
        int c = words.number(1, "CTL", 0, CONTROLLERS - 1);
        int p = words.number(2, "PORT", 0, PORTS - 1);
        int hg = words.number(3, "HG", 0, HOST_GROUPS - 1);
        HostGroupName name = groupName(words.fixed.get(4));
        return new Step("rename host group " + hg + " of port " + portName(c, p) + " of '"
            + unit + "'", () -> {
              DiskArrayUtilityJNI.KX_ChangeHG(unit, c, p, hg, name);
              out.println("host group " + hg + " is now '" + name.hgname + "'");
            });
      }
      case "hostgroup delete": {
        if (arguments.operands.size() < 2) {
          throw new UsageException(
              "'hostgroup delete' takes UNIT HG... --controller=CTL --port=PORT");
        }
        arguments.allowOnly(Set.of(Arguments.DRY_RUN, Arguments.CONTROLLER, Arguments.PORT));
        List<String> operands = arguments.operands;
        String unit = DiskArrayTool.unitName(operands.get(0));
        int c = requiredSelector(arguments, Arguments.CONTROLLER, CONTROLLERS - 1);
        int p = requiredSelector(arguments, Arguments.PORT, PORTS - 1);
        DeleteHGList selection = new DeleteHGList();
        List<String> numbers = operands.subList(1, operands.size());
        for (String text : numbers) {
          selection.ctl[c].port[p].hg[Arguments.number("HG", text, 0, HOST_GROUPS - 1)] = 1;
        }
        return new Step("delete host groups of port " + portName(c, p) + " of '" + unit + "'",
            () -> {
              if (arguments.has(Arguments.DRY_RUN)) {
                out.println("would delete host groups " + String.join(", ", numbers)
                    + " of port " + portName(c, p) + ", with their mappings; their hosts"
                    + " would move to host group 0");
                return;
              }
              arguments.confirm("Delete host groups " + String.join(", ", numbers) + " of port "
                  + portName(c, p) + " of '" + unit + "' with their mappings?");
              DiskArrayUtilityJNI.KX_DeleteHGList(unit, selection);
              out.println("deleted host groups " + String.join(", ", numbers) + " of port "
                  + portName(c, p) + ", with their mappings");
            });
      }
      default:
        throw new UsageException("unknown command '" + arguments.command + "'");
    }
  }

  private static HostGroupName groupName(String text) throws UsageException {
    HostGroupName name = new HostGroupName();
    name.hgname = DiskArrayTool.limited("host group name", text, 8);
    return name;
  }

  private static int numberOf(String unit, int c, int p, String name) throws DiskArrayException {
    HGInfo[] groups = DiskArrayUtilityJNI.KX_GetHGList(unit).ctl[c].port[p].hg;
    for (int n = 0; n < groups.length; n++) {
      if (groups[n].valid != 0 && groups[n].hgname.equals(name)) {
        return n;
      }
    }
    return -1;
  }

  /**
   * The bits set in an option word, by number: " (bits 0, 2, 15)", or nothing
   * for none. The station gives the bits no names of their own.
   */
  private static String bitsText(int word) {
    List<Integer> bits = FieldNames.bits(word);
    if (bits.isEmpty()) {
      return "";
    }
    List<String> numbers = new ArrayList<>();
    for (int bit : bits) {
      numbers.add(Integer.toString(bit));
    }
    return (bits.size() == 1 ? " (bit " : " (bits ") + String.join(", ", numbers) + ")";
  }

  /** A host group's option words with the bits each has set. */
  private static String optionBitsText(HGOptionInfo option) {
    return "option 0x" + Integer.toHexString(option.option) + bitsText(option.option)
        + ", option2 0x" + Integer.toHexString(option.option2[0]) + bitsText(option.option2[0])
        + ",0x" + Integer.toHexString(option.option2[1]) + bitsText(option.option2[1])
        + ", host response mode " + option.option3;
  }

  private static String optionText(HGOptionInfo option) {
    return "0x" + Integer.toHexString(option.option) + " 0x" + Integer.toHexString(option.option2[0])
        + ",0x" + Integer.toHexString(option.option2[1]) + " mode " + option.option3;
  }

  // ---------------------------------------------------------------------------
  // Host WWNs

  private Step wwn(Arguments arguments) throws UsageException {
    switch (arguments.command) {
      case "wwn list": {
        Words words = new Words(arguments, Set.of(), "UNIT");
        String unit = words.unit();
        return new Step("list the host WWNs of '" + unit + "'", () -> {
          if (json(arguments, () -> DiskArrayUtilityJNI.KX_GetWWNHGInformation(unit))) {
            return;
          }
          WWNHGInformation hosts = DiskArrayUtilityJNI.KX_GetWWNHGInformation(unit);
          HGList groups = DiskArrayUtilityJNI.KX_GetHGList(unit);
          List<String[]> rows = new ArrayList<>();
          rows.add(new String[] {"PORT", "WWN", "NODE", "NICKNAME", "HG", "GROUP", "ENABLED"});
          for (int c = 0; c < CONTROLLERS; c++) {
            for (int p = 0; p < PORTS; p++) {
              for (WWNHostInfo host : hosts.ctl[c].port[p].wwn) {
                if (host.port_name.isEmpty()) {
                  continue;
                }
                rows.add(new String[] {portName(c, p), host.port_name, dash(host.node_name),
                  dash(host.wname), Integer.toString(host.hg_number),
                  groups.ctl[c].port[p].hg[host.hg_number & 127].hgname,
                  host.hostflag != 0 ? "yes" : "no"});
              }
            }
          }
          out.print(Tables.table(rows, "(no host WWNs)"));
        });
      }
      case "wwn add": {
        Words words = new Words(arguments, Set.of("nickname", "node", "hg", "enabled"),
            "UNIT", "CTL", "PORT", "WWN");
        String unit = words.unit();
        int c = words.number(1, "CTL", 0, CONTROLLERS - 1);
        int p = words.number(2, "PORT", 0, PORTS - 1);
        String wwn = wwnOperand(words.fixed.get(3));
        String node = words.has("node") ? wwnOperand(words.get("node")) : "";
        String nickname = DiskArrayTool.limited("nickname",
            words.settings.getOrDefault("nickname", ""), 8);
        int hg = or(words.number("hg", 0, HOST_GROUPS - 1), 0);
        int enabled = or(words.onOff("enabled"), 1);
        return hostChange(unit, c, p, "register a host WWN on", port -> {
          if (findHost(port, wwn) != null) {
            throw new ToolFailure(wwn + " is already registered on port " + portName(c, p));
          }
          WWNHostInfo host = findHost(port, "");
          if (host == null) {
            throw new ToolFailure("port " + portName(c, p) + " already has 128 host WWNs");
          }
          host.port_name = wwn;
          host.node_name = node;
          host.wname = nickname;
          host.hg_number = hg;
          host.hostflag = enabled;
          return "registered " + wwn + " on port " + portName(c, p) + " in host group " + hg;
        });
      }
      case "wwn assign": {
        Words words = new Words(arguments, Set.of(), "UNIT", "CTL", "PORT", "WWN", "HG");
        String unit = words.unit();
        int c = words.number(1, "CTL", 0, CONTROLLERS - 1);
        int p = words.number(2, "PORT", 0, PORTS - 1);
        String wwn = wwnOperand(words.fixed.get(3));
        int hg = words.number(4, "HG", 0, HOST_GROUPS - 1);
        return hostChange(unit, c, p, "assign a host WWN on", port -> {
          WWNHostInfo host = registered(port, wwn, c, p);
          host.hg_number = hg;
          return wwn + " is in host group " + hg + " of port " + portName(c, p);
        });
      }
      case "wwn enable":
      case "wwn disable": {
        Words words = new Words(arguments, Set.of(), "UNIT", "CTL", "PORT", "WWN");
        String unit = words.unit();
        int c = words.number(1, "CTL", 0, CONTROLLERS - 1);
        int p = words.number(2, "PORT", 0, PORTS - 1);
        String wwn = wwnOperand(words.fixed.get(3));
        boolean enable = arguments.command.equals("wwn enable");
        return hostChange(unit, c, p, (enable ? "enable" : "disable") + " a host WWN on",
            port -> {
              registered(port, wwn, c, p).hostflag = enable ? 1 : 0;
              return wwn + " on port " + portName(c, p) + " is "
                  + (enable ? "enabled" : "disabled");
            });
      }
      case "wwn remove": {
        Words words = new Words(arguments, Set.of(), "UNIT", "CTL", "PORT", "WWN");
        String unit = words.unit();
        int c = words.number(1, "CTL", 0, CONTROLLERS - 1);
        int p = words.number(2, "PORT", 0, PORTS - 1);
        String wwn = wwnOperand(words.fixed.get(3));
        return hostChange(unit, c, p, "remove a host WWN from", port -> {
          WWNHostInfo host = registered(port, wwn, c, p);
          host.port_name = "";
          host.node_name = "";
          host.wname = "";
          host.hg_number = 0;
          host.hostflag = 0;
          return "removed " + wwn + " from port " + portName(c, p);
        });
      }
      default:
        throw new UsageException("unknown command '" + arguments.command + "'");
    }
  }

  interface HostEdit {
    String apply(WWNHGPortInfo port) throws ToolFailure;
  }

  private Step hostChange(String unit, int c, int p, String what, HostEdit edit) {
    return new Step(what + " port " + portName(c, p) + " of '" + unit + "'", () -> {
      WWNHGInformation hosts = DiskArrayUtilityJNI.KX_GetWWNHGInformation(unit);
      String done = edit.apply(hosts.ctl[c].port[p]);
      DiskArrayUtilityJNI.KX_SetWWNHGInformation(unit, hosts);
      out.println(done);
    });
  }

  private static WWNHostInfo findHost(WWNHGPortInfo port, String wwn) {
    for (WWNHostInfo host : port.wwn) {
      if (host.port_name.equalsIgnoreCase(wwn)) {
        return host;
      }
    }
    return null;
  }

  private static WWNHostInfo registered(WWNHGPortInfo port, String wwn, int c, int p)
      throws ToolFailure {
    WWNHostInfo host = findHost(port, wwn);
    if (host == null) {
      throw new ToolFailure(wwn + " is not registered on port " + portName(c, p));
    }
    return host;
  }

  // ---------------------------------------------------------------------------
  // LU mapping

  private Step map(Arguments arguments) throws UsageException {
    switch (arguments.command) {
      case "map list": {
        Words words = new Words(arguments, Set.of(), "UNIT", "CTL", "PORT", "HG");
        String unit = words.unit();
        int c = words.number(1, "CTL", 0, CONTROLLERS - 1);
        int p = words.number(2, "PORT", 0, PORTS - 1);
        int hg = words.number(3, "HG", 0, HOST_GROUPS - 1);
        return new Step("list the mapping of host group " + hg + " of port " + portName(c, p)
            + " of '" + unit + "'", () -> {
              if (json(arguments, () -> mapping(unit, c, p, hg))) {
                return;
              }
              LuMappingHGInfo mapping = mapping(unit, c, p, hg);
              List<String[]> rows = new ArrayList<>();
              rows.add(new String[] {"HOST-LUN", "LU"});
              for (int lun = 0; lun < mapping.lu.length; lun++) {
                if (mapping.lu[lun] != UNMAPPED) {
                  rows.add(new String[] {Integer.toString(lun), Integer.toString(mapping.lu[lun])});
                }
              }
              out.print(Tables.table(rows, "(nothing mapped)"));
            });
      }
      case "map add": {
        Words words = new Words(arguments, Set.of(), "UNIT", "CTL", "PORT", "HG", "HOST-LUN",
            "LU");
        String unit = words.unit();
        int c = words.number(1, "CTL", 0, CONTROLLERS - 1);
        int p = words.number(2, "PORT", 0, PORTS - 1);
        int hg = words.number(3, "HG", 0, HOST_GROUPS - 1);
        int lun = words.number(4, "HOST-LUN", 0, HOST_LUNS - 1);
        int lu = words.number(5, "LU", 0, LUS - 1);
        return new Step("map LU " + lu + " in host group " + hg + " of port " + portName(c, p)
            + " of '" + unit + "'", () -> {
              LuMappingHGInfo mapping = mapping(unit, c, p, hg);
              if (mapping.lu[lun] != UNMAPPED) {
                throw new ToolFailure("host LUN " + lun + " already maps LU " + mapping.lu[lun]);
              }
              mapping.lu[lun] = lu;
              DiskArrayUtilityJNI.KX_SetLuMappingList(unit, c, p, hg, 0, mapping);
              out.println("host LUN " + lun + " -> LU " + lu);
            });
      }
      case "map remove": {
        Words words = new Words(arguments, Set.of(), "UNIT", "CTL", "PORT", "HG", "HOST-LUN");
        String unit = words.unit();
        int c = words.number(1, "CTL", 0, CONTROLLERS - 1);
        int p = words.number(2, "PORT", 0, PORTS - 1);
        int hg = words.number(3, "HG", 0, HOST_GROUPS - 1);
        int lun = words.number(4, "HOST-LUN", 0, HOST_LUNS - 1);
        return new Step("unmap host LUN " + lun + " of host group " + hg + " of port "
            + portName(c, p) + " of '" + unit + "'", () -> {
              LuMappingHGInfo mapping = mapping(unit, c, p, hg);
              if (mapping.lu[lun] == UNMAPPED) {
                throw new ToolFailure("host LUN " + lun + " maps nothing");
              }
              mapping.lu[lun] = UNMAPPED;
              DiskArrayUtilityJNI.KX_SetLuMappingList(unit, c, p, hg, 0, mapping);
              out.println("host LUN " + lun + " unmapped");
            });
      }
      case "map mode": {
        Words words = new Words(arguments, Set.of(Arguments.SWITCH), "UNIT");
        String unit = words.unit();
        String mode = words.get(Arguments.SWITCH);
        if (mode == null) {
          throw new UsageException("'map mode' needs --switch=on|off");
        }
        if (!mode.equals("on") && !mode.equals("off")) {
          throw new UsageException("--switch must be on or off, got '" + mode + "'");
        }
        return new Step("switch the mapping mode of '" + unit + "'", () -> {
          DiskArrayUtilityJNI.KX_ChangeMappingMode(unit, mode.equals("on") ? 1 : 0);
          out.println("mapping mode " + mode);
        });
      }
      default:
        throw new UsageException("unknown command '" + arguments.command + "'");
    }
  }

  private static LuMappingHGInfo mapping(String unit, int c, int p, int hg)
      throws DiskArrayException {
    return (LuMappingHGInfo) DiskArrayUtilityJNI.KX_GetLuMappingList(unit, c, p, hg)[1];
  }

  // ---------------------------------------------------------------------------
  // Options

  private Step options(Arguments arguments) throws UsageException {
    boolean show = arguments.command.equals("options show");
    if (!show && !arguments.command.equals("options set")) {
      throw new UsageException("unknown command '" + arguments.command + "'");
    }
    // With --hg the command is about a host group's options, without it about
    // the port's own.
    boolean group = arguments.has(Arguments.HG);
    Words words = group
        ? new Words(arguments, show ? Set.of() : Set.of("option", "option2", "mode"),
            "UNIT", "CTL", "PORT", "HG")
        : new Words(arguments, show ? Set.of() : Set.of("lip", "options"),
            "UNIT", "CTL", "PORT");
    String unit = words.unit();
    int c = words.number(1, "CTL", 0, CONTROLLERS - 1);
    int p = words.number(2, "PORT", 0, PORTS - 1);
    if (!group) {
      Integer lip = words.onOff("lip");
      Integer portOptions = words.mask("options");
      return new Step("options of port " + portName(c, p) + " of '" + unit + "'", () -> {
        PortOption options = DiskArrayUtilityJNI.KX_GetPortOption(unit);
        PortOptionCtlInfo controller = options.ctl[c];
        if (!show) {
          controller.lip_mode[p] = or(lip, controller.lip_mode[p]);
          controller.port_common_opt[p] = or(portOptions, controller.port_common_opt[p]);
          DiskArrayUtilityJNI.KX_SetPortOption(unit, options);
        } else if (json(arguments, () -> Json.object("lip_mode", controller.lip_mode[p],
            "port_common_opt", controller.port_common_opt[p],
            "port_common_opt_bits", FieldNames.bits(controller.port_common_opt[p])))) {
          return;
        }
        out.println("port " + portName(c, p) + ": lip " + onOff(controller.lip_mode[p])
            + ", options 0x" + Integer.toHexString(controller.port_common_opt[p])
            + bitsText(controller.port_common_opt[p]));
      });
    }
    int hg = words.number(3, "HG", 0, HOST_GROUPS - 1);
    Integer option = words.mask("option");
    Integer mode = words.number("mode", 0, 255);
    int[] option2 = null;
    if (words.has("option2")) {
      String[] pair = words.get("option2").split(",", -1);
      if (pair.length != 2) {
        throw new UsageException("option2 takes two values, such as 0x1,0x0");
      }
      option2 = new int[] {Arguments.mask("option2", pair[0], 0xFFFF),
        Arguments.mask("option2", pair[1], 0xFFFF)};
    }
    int[] pair = option2;
    return new Step("options of host group " + hg + " of port " + portName(c, p) + " of '"
        + unit + "'", () -> {
          HGOptionInfo info = DiskArrayUtilityJNI.KX_GetHGOption(unit, c, p, hg);
          if (!show) {
            info.option = or(option, info.option);
            info.option2 = pair != null ? pair : info.option2;
            info.option3 = or(mode, info.option3);
            DiskArrayUtilityJNI.KX_SetHGOption(unit, c, p, hg, info);
          } else if (json(arguments, () -> info)) {
            return;
          }
          out.println("host group " + hg + " of port " + portName(c, p) + ": "
              + optionBitsText(info));
        });
  }

  // ---------------------------------------------------------------------------
  // Remote-verify source paths

  private Step rvrf(Arguments arguments) throws UsageException {
    switch (arguments.command) {
      case "rvrf show": {
        Words words = new Words(arguments, Set.of(), "UNIT");
        String unit = words.unit();
        return new Step("show the remote-verify paths of '" + unit + "'", () -> {
          if (json(arguments, () -> DiskArrayUtilityJNI.KX_GetRvrfSrcPath(unit))) {
            return;
          }
          RvrfSrcInfo info = DiskArrayUtilityJNI.KX_GetRvrfSrcPath(unit);
          out.println("this unit: serial " + info.self_serial_no + ", sequence "
              + info.self_sequence_no + ", detect id " + info.self_detect_id
              + ", remote verify " + onOff(info.rvrfsrc_option));
          List<String[]> rows = new ArrayList<>();
          rows.add(new String[] {"SERIAL", "SEQUENCE", "DETECT-ID", "PATH-1", "PATH-2"});
          for (RvrfSrcArrayUnit other : info.arrayunit) {
            if (other.valid == 1) {
              rows.add(new String[] {other.other_serial_no, dash(other.other_sequence_no),
                Integer.toString(other.other_detect_id), pathText(other.path[0]),
                pathText(other.path[1])});
            }
          }
          out.print(Tables.table(rows, "(no other units)"));
        });
      }
      case "rvrf set": {
        Words words = new Words(arguments, Set.of("sequence", "detect", "path1", "path2"),
            "UNIT", "SERIAL");
        String unit = words.unit();
        RvrfSrcArrayUnit other = new RvrfSrcArrayUnit();
        other.valid = 1;
        other.other_serial_no = DiskArrayTool.limited("serial", words.fixed.get(1), 8);
        other.other_sequence_no = DiskArrayTool.limited("sequence",
            words.settings.getOrDefault("sequence", ""), 4);
        other.other_detect_id = or(words.number("detect", 0, Integer.MAX_VALUE), 0);
        for (int i = 0; i < 2; i++) {
          String text = words.get("path" + (i + 1));
          if (text != null) {
            other.path[i] = path(text);
          }
        }
        return new Step("set the remote-verify unit " + other.other_serial_no + " of '" + unit
            + "'", () -> {
              DiskArrayUtilityJNI.KX_SetRvrfSrcPath(unit, other);
              out.println("unit " + other.other_serial_no + ": " + pathText(other.path[0]) + ", "
                  + pathText(other.path[1]));
            });
      }
      case "rvrf delete": {
        if (arguments.operands.size() > 2) {
          throw new UsageException("'rvrf delete' takes UNIT [SERIAL]");
        }
        arguments.allowOnly(Set.of());
        if (arguments.operands.isEmpty()) {
          throw new UsageException("'rvrf delete' takes UNIT [SERIAL]");
        }
        String unit = DiskArrayTool.unitName(arguments.operands.get(0));
        String serial = arguments.operands.size() == 2 ? arguments.operands.get(1) : null;
        return new Step("delete remote-verify paths of '" + unit + "'", () -> {
          if (serial == null) {
            arguments.confirm("Delete every remote-verify unit of '" + unit + "'?");
            DiskArrayUtilityJNI.KX_DelRvrfSrcPath(unit);
            out.println("deleted every remote-verify unit of " + unit);
            return;
          }
          RvrfSrcArrayUnit other = new RvrfSrcArrayUnit();
          other.other_serial_no = serial;
          DiskArrayUtilityJNI.KX_SetRvrfSrcPath(unit, other);
          out.println("deleted remote-verify unit " + serial);
        });
      }
      default:
        throw new UsageException("unknown command '" + arguments.command + "'");
    }
  }

  /** A path written CTL.PORT-CTL.PORT: this unit's side, then the other's. */
  private static RvrfSrcPath path(String text) throws UsageException {
    if (!text.matches("\\d\\.\\d-\\d\\.\\d")) {
      throw new UsageException("a path is CTL.PORT-CTL.PORT, such as 0.1-1.0; got '" + text
          + "'");
    }
    RvrfSrcPath path = new RvrfSrcPath();
    path.path_status = 1;
    path.self_ctl_no = text.charAt(0) - '0';
    path.self_port_no = text.charAt(2) - '0';
    path.other_ctl_no = text.charAt(4) - '0';
    path.other_port_no = text.charAt(6) - '0';
    return path;
  }

  private static String pathText(RvrfSrcPath path) {
    return path.path_status == 0 ? "-"
        : path.self_ctl_no + "." + path.self_port_no + "-" + path.other_ctl_no + "."
            + path.other_port_no;
  }
}
