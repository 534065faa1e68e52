package korvane.str.diskarray.cli;

import java.io.IOException;
import java.io.PrintStream;
import java.lang.reflect.Array;
import java.lang.reflect.Field;
import java.lang.reflect.Modifier;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.Comparator;
import java.util.List;
import java.util.Set;
import korvane.str.diskarray.DiskArrayConstants;
import korvane.str.diskarray.DiskArrayException;
import korvane.str.diskarray.DiskArrayUtilityJNI;
import korvane.str.diskarray.StatisticalCommand;
import korvane.str.diskarray.StatisticalDrive_Info;
import korvane.str.diskarray.StatisticalInformation;
import korvane.str.diskarray.cli.DiskArrayTool.Step;
import korvane.str.diskarray.cli.DiskArrayTool.ToolFailure;

/**
 * Statistics and performance collection: {@code stats UNIT [--raw]} and
 * {@code perf UNIT --interval S --count N --out FILE.csv}. The chart of a
 * performance file ({@code perf plot}) is {@link PerformanceChart}.
 */
final class StatisticsCommands {
  static final Set<String> COMMANDS = Set.of("stats", "perf");

  private static final int CONTROLLERS = DiskArrayConstants.KX_CONTROLLER_COUNT;
  private static final int LOGICAL_UNITS = DiskArrayConstants.KX_LOGICAL_UNIT_COUNT;
  private static final int BUSIEST = 10;
  private static final int MAX_INTERVAL_S = 3600;
  private static final int MAX_SAMPLES = 100_000;

  private final PrintStream out;
  private final boolean terminal;

  StatisticsCommands(PrintStream out, boolean terminal) {
    this.out = out;
    this.terminal = terminal;
  }

  Step prepare(Arguments arguments) throws UsageException {
    String unit = DiskArrayTool.unitName(arguments.expectOperands("UNIT").get(0));
    if (arguments.command.equals("stats")) {
      arguments.allowOnly(Set.of(Arguments.RAW));
      boolean raw = arguments.has(Arguments.RAW);
      return new Step("read the statistics of '" + unit + "'", () -> {
        StatisticalInformation stats =
            DiskArrayUtilityJNI.KX_GetStatisticalInformation(unit, 0);
        if (arguments.has(Arguments.JSON)) {
          out.print(Json.write(stats));
        } else if (raw) {
          printRaw("", stats);
        } else {
          out.print(summary(stats));
        }
      });
    }
    arguments.allowOnly(Set.of(Arguments.INTERVAL, Arguments.COUNT, Arguments.OUT,
        Arguments.FORCE));
    int interval = arguments.intOption(Arguments.INTERVAL, 1, 1, MAX_INTERVAL_S);
    int count = arguments.requiredInt(Arguments.COUNT, 1, MAX_SAMPLES);
    String file = arguments.option(Arguments.OUT);
    if (file == null) {
      throw new UsageException("'perf' needs --out FILE.csv");
    }
    Path path = OutputFile.resolve(file, unit + ".csv");
    boolean force = arguments.has(Arguments.FORCE);
    return new Step("collect the performance of '" + unit + "'", () -> {
      // Before the first sample: a run of minutes must not end in a file it cannot write.
      OutputFile.check(path, force);
      collect(unit, interval, count, path);
    });
  }

  // ---------------------------------------------------------------------------
  // stats

  /** Host commands of one LU through one controller. */
  private static final class LuLoad {
    final int lu;
    final int controller;
    final long reads;
    final long writes;
    final long readHits;
    final long writeHits;

    LuLoad(StatisticalInformation stats, int lu, int controller) {
      this.lu = lu;
      this.controller = controller;
      this.reads = unsigned(stats.h_command[controller].lu[lu].read_count);
      this.writes = unsigned(stats.h_command[controller].lu[lu].write_count);
      this.readHits = unsigned(stats.com_status[controller].lu[lu].r_cache);
      this.writeHits = unsigned(stats.com_status[controller].lu[lu].w_cache);
    }

    long commands() {
      return reads + writes;
    }
  }

  static long unsigned(int counter) {
    return Integer.toUnsignedLong(counter);
  }

  static String summary(StatisticalInformation stats) {
    StringBuilder text = new StringBuilder();
    text.append("Controllers\n");
    List<String[]> rows = new ArrayList<>();
    rows.add(new String[] {"CTL", "UPTIME", "POWER-ONS", "LU MOVES", "HOST COMMANDS",
        "CACHED WRITES", "WRITE-THROUGH"});
    for (int c = 0; c < CONTROLLERS; c++) {
      long commands = 0;
      for (int k = 0; k < stats.controller[c].procnt_time.length; k++) {
        commands += unsigned(stats.controller[c].procnt_time[k]);
      }
      rows.add(new String[] {String.valueOf(c), uptime(stats.controller[c].total_time),
          String.valueOf(stats.controller[c].power_on),
          String.valueOf(stats.controller[c].lu_change), String.valueOf(commands),
          String.valueOf(unsigned(stats.cache[c].wrt_inhcnt)),
          String.valueOf(unsigned(stats.cache[c].wrt_outhcnt))});
    }
    text.append(Tables.columns(rows));

    List<LuLoad> loads = new ArrayList<>();
    for (int c = 0; c < CONTROLLERS; c++) {
      for (int lu = 0; lu < LOGICAL_UNITS; lu++) {
        LuLoad load = new LuLoad(stats, lu, c);
        if (load.commands() > 0) {
          loads.add(load);
        }
      }
    }
    loads.sort(Comparator.comparingLong(LuLoad::commands).reversed()
        .thenComparingInt(load -> load.lu));
    text.append("\nBusiest LUs\n");
    if (loads.isEmpty()) {
      text.append("no LU has had a host command\n");
    } else {
      rows = new ArrayList<>();
      rows.add(new String[] {"LU", "CTL", "READS", "WRITES", "READ HITS", "WRITE HITS"});
      for (LuLoad load : loads.subList(0, Math.min(BUSIEST, loads.size()))) {
        rows.add(new String[] {String.valueOf(load.lu), String.valueOf(load.controller),
            String.valueOf(load.reads), String.valueOf(load.writes),
            percent(load.readHits, load.reads), percent(load.writeHits, load.writes)});
      }
      text.append(Tables.columns(rows));
    }

    text.append("\nError counters\n");
    rows = new ArrayList<>();
    rows.add(new String[] {"CTL", "HOST PORT ERRORS", "DRIVE LOOP ERRORS",
        "CACHE MEMORY ERRORS", "DRIVE LINK FAILURES"});
    for (int c = 0; c < CONTROLLERS; c++) {
      long port = 0;
      for (int i = 0; i < stats.h_spc[c].port.length; i++) {
        port += unsigned(stats.h_spc[c].port[i].err_count);
      }
      long cache = 0;
      for (int error : stats.cache_mem[c].correct_err) {
        cache += unsigned(error);
      }
      rows.add(new String[] {String.valueOf(c), String.valueOf(port),
          String.valueOf(unsigned(stats.d_spc[c].retry)), String.valueOf(cache),
          String.valueOf(unsigned(stats.d_fpc[c].fpc[0].normal_link_fail))});
    }
    text.append(Tables.columns(rows));

    rows = new ArrayList<>();
    rows.add(new String[] {"PORT", "ROW", "CTL", "UNRECOVERED", "PORT RETRIES",
        "MEDIA (RECOVERED)", "VERIFY (CORRECTED)"});
    for (int c = 0; c < CONTROLLERS; c++) {
      for (int p = 0; p < DriveMap.PORTS; p++) {
        for (int r = 0; r < DriveMap.ROWS; r++) {
          StatisticalDrive_Info drive = stats.drive[c].drive[p][r];
          if (drive.d_drive_urec != 0 || drive.drv_port_err[0] != 0) {
            rows.add(new String[] {String.valueOf(p), String.valueOf(r), String.valueOf(c),
                String.valueOf(unsigned(drive.d_drive_urec)),
                String.valueOf(unsigned(drive.drv_port_err[0])),
                String.valueOf(unsigned(drive.d_med_rec)),
                String.valueOf(unsigned(drive.ov_correct_err))});
          }
        }
      }
    }
    text.append("\nDrives with failures\n");
    text.append(rows.size() == 1 ? "none\n" : Tables.columns(rows));
    return text.toString();
  }

  static String uptime(int minutes) {
    long total = unsigned(minutes);
    return (total / 1440) + "d " + (total / 60 % 24) + "h " + (total % 60) + "m";
  }

  private static String percent(long part, long whole) {
    return whole == 0 ? "-" : String.format("%.1f%%", 100.0 * part / whole);
  }

  /**
   * Every int of the tree, one line each, named by its path; counters are
   * printed as the unsigned 32-bit values they are.
   */
  private void printRaw(String path, Object value) throws ToolFailure {
    if (value == null) {
      throw new ToolFailure("the statistics hold no value at " + path);
    }
    Class<?> type = value.getClass();
    if (type == Integer.class) {
      out.println(path + "=" + Integer.toUnsignedString((Integer) value));
    } else if (type == int[].class) {
      int[] values = (int[]) value;
      for (int i = 0; i < values.length; i++) {
        out.println(path + "[" + i + "]=" + Integer.toUnsignedString(values[i]));
      }
    } else if (type.isArray()) {
      for (int i = 0; i < Array.getLength(value); i++) {
        printRaw(path + "[" + i + "]", Array.get(value, i));
      }
    } else {
      for (Field field : type.getDeclaredFields()) {
        if (Modifier.isStatic(field.getModifiers())) {
          continue;
        }
        try {
          printRaw(path.isEmpty() ? field.getName() : path + "." + field.getName(),
              field.get(value));
        } catch (IllegalAccessException e) {
          throw new ToolFailure("cannot read " + field + ": " + e.getMessage());
        }
      }
    }
  }

  // ---------------------------------------------------------------------------
  // perf

  /**
   * Takes a sample every interval seconds, count times after the first, and
   * hands them to the station four at a time (each group starting with the
   * last sample of the one before), so the file covers every interval once.
   * The file is written anew.
   */
  private void collect(String unit, int interval, int count, Path path)
      throws DiskArrayException, ToolFailure {
    try {
      Files.deleteIfExists(path);
    } catch (IOException e) {
      throw new ToolFailure("cannot replace " + Problems.describe(e));
    }
    String file = path.toString();
    List<StatisticalCommand> window = new ArrayList<>();
    window.add(latest(unit));
    ProgressBar bar = new ProgressBar(out, terminal);
    bar.update(0, "sample 0/" + count);
    for (int taken = 1; taken <= count; taken++) {
      try {
        Thread.sleep(interval * 1000L);
      } catch (InterruptedException e) {
        Thread.currentThread().interrupt();
        throw new ToolFailure("interrupted after " + (taken - 1) + " samples");
      }
      window.add(latest(unit));
      if (window.size() == 4) {
        write(unit, file, window);
      }
      bar.update(taken * 100 / count, "sample " + taken + "/" + count);
    }
    if (window.size() > 1) {
      write(unit, file, window);
    }
    bar.finish();
    out.println("wrote " + count + " intervals of " + interval + " s to " + path);
  }

  private static StatisticalCommand latest(String unit) throws DiskArrayException, ToolFailure {
    StatisticalCommand[] samples = DiskArrayUtilityJNI.KX_GetPerformance(unit);
    if (samples == null || samples[1] == null) {
      throw new ToolFailure("the bridge returned no sample");
    }
    return samples[1];
  }

  /**
   * Writes the window's intervals; a window of fewer than four samples is
   * padded with its last one, whose empty intervals give no rows. The last
   * sample starts the next window.
   */
  private static void write(String unit, String file, List<StatisticalCommand> window)
      throws DiskArrayException {
    StatisticalCommand last = window.get(window.size() - 1);
    while (window.size() < 4) {
      window.add(last);
    }
    DiskArrayUtilityJNI.KX_PerformanceOutput(unit, file, window.get(0), window.get(1),
        window.get(2), window.get(3));
    window.clear();
    window.add(last);
  }
}
