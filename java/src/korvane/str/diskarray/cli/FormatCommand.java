package korvane.str.diskarray.cli;

import java.io.PrintStream;
import java.util.ArrayList;
import java.util.LinkedHashSet;
import java.util.List;
import java.util.Set;
import korvane.str.diskarray.DiskArrayConstants;
import korvane.str.diskarray.DiskArrayException;
import korvane.str.diskarray.DiskArrayUtilityJNI;
import korvane.str.diskarray.FormatEntryList;
import korvane.str.diskarray.FormatStatusList;
import korvane.str.diskarray.LogicalUnit;
import korvane.str.diskarray.LuFormatStatus;
import korvane.str.diskarray.LuFormatStatusList;
import korvane.str.diskarray.cli.DiskArrayTool.Step;
import korvane.str.diskarray.cli.DiskArrayTool.ToolFailure;

/**
 * Formats LUs and follows the jobs with a progress bar until every one of
 * them is done. One LU is started with KX_LogicalUnitFormat, several with
 * KX_EntryFormatList so that they start together or not at all.
 */
final class FormatCommand {
  static final Set<String> COMMANDS = Set.of("format");

  private static final int FULL = DiskArrayConstants.KX_FORMAT_FULL;
  private static final int QUICK = DiskArrayConstants.KX_FORMAT_QUICK;
  private static final int ENTRY_FULL = DiskArrayConstants.KX_ENTRY_FULL;
  private static final int ENTRY_QUICK = DiskArrayConstants.KX_ENTRY_QUICK;
  private static final int JOB_NONE = DiskArrayConstants.KX_FORMAT_NONE;
  private static final int JOB_DONE = DiskArrayConstants.KX_FORMAT_DONE;
  private static final int LIST_RUNNING = DiskArrayConstants.KX_FORMAT_LIST_RUNNING;
  private static final long POLL_MS = 200;
  private static final int LU_FORMATTED = DiskArrayConstants.KX_LU_NORMAL;

  private final PrintStream out;
  private final boolean terminal;

  FormatCommand(PrintStream out, boolean terminal) {
    this.out = out;
    this.terminal = terminal;
  }

  /** Whether the command line is 'lu wait', which this class answers. */
  static boolean handles(Arguments arguments) {
    return arguments.command.equals("lu") && !arguments.operands.isEmpty()
        && arguments.operands.get(0).equals("wait");
  }

  Step prepare(Arguments arguments) throws UsageException {
    boolean follow = arguments.command.equals("lu");
    if (follow) {
      arguments = arguments.subcommand("wait");
    }
    if (arguments.operands.size() < 2) {
      throw new UsageException("'" + arguments.command + "' takes UNIT LU..., got "
          + (arguments.operands.isEmpty() ? "none" : String.join(" ", arguments.operands)));
    }
    arguments.allowOnly(Set.of(Arguments.MODE, Arguments.WAIT));
    follow |= arguments.has(Arguments.WAIT);
    if (follow && arguments.has(Arguments.MODE)) {
      throw new UsageException("--mode starts a format; following one (--wait) takes no mode");
    }
    String unit = DiskArrayTool.unitName(arguments.operands.get(0));
    Set<Integer> lus = new LinkedHashSet<>();
    for (String word : arguments.operands.subList(1, arguments.operands.size())) {
      if (!lus.add(StorageCommands.luNumber(word))) {
        throw new UsageException("LU " + word + " is given twice");
      }
    }
    String modeText = arguments.option(Arguments.MODE);
    int mode;
    if (modeText == null || modeText.equals("full")) {
      mode = FULL;
    } else if (modeText.equals("quick")) {
      mode = QUICK;
    } else {
      throw new UsageException("--mode must be full or quick, got '" + modeText + "'");
    }
    List<Integer> numbers = new ArrayList<>(lus);
    if (follow) {
      // Re-attach to formats started earlier (by this tool or another client).
      return new Step("follow the format of " + describe(numbers) + " of '" + unit + "'",
          () -> follow(unit, numbers));
    }
    Arguments confirmed = arguments;
    return new Step("format " + describe(numbers) + " of '" + unit + "'", () -> {
      List<Integer> formatted = new ArrayList<>();
      LogicalUnit[] table = StorageCommands.logicalUnits(unit);
      for (int lu : numbers) {
        if (table[lu].luNumber >= 0 && table[lu].status == LU_FORMATTED) {
          formatted.add(lu);
        }
      }
      if (!formatted.isEmpty()) {
        confirmed.confirm(describe(formatted) + " of '" + unit
            + "' already formatted; format again and erase the data?");
      }
      try {
        start(unit, numbers, mode);
      } catch (DiskArrayException e) {
        throw StorageCommands.missingLus(e, unit, numbers);
      }
      follow(unit, numbers);
    });
  }

  private void start(String unit, List<Integer> lus, int mode) throws DiskArrayException {
    if (lus.size() == 1) {
      DiskArrayUtilityJNI.KX_LogicalUnitFormat(unit, lus.get(0), mode);
    } else {
      FormatEntryList entries = new FormatEntryList();
      for (int lu : lus) {
        entries.lu[lu] = (byte) (mode == QUICK ? ENTRY_QUICK : ENTRY_FULL);
      }
      DiskArrayUtilityJNI.KX_EntryFormatList(unit, entries);
    }
    out.println("started " + (mode == QUICK ? "quick" : "full") + " format of "
        + describe(lus));
  }

  /**
   * Polls until every job is done. The bar shows the jobs' progress weighted
   * by LU capacity (a job's duration is proportional to it); the time left is
   * the station's estimate for the batch the jobs belong to.
   */
  private void follow(String unit, List<Integer> lus)
      throws DiskArrayException, ToolFailure {
    LogicalUnit[] table = StorageCommands.logicalUnits(unit);
    ProgressBar bar = new ProgressBar(out, terminal);
    try {
      while (true) {
        LuFormatStatusList list = DiskArrayUtilityJNI.KX_LogicalUnitFormatStatusList(unit);
        if (list == null || list.lu == null) {
          throw new ToolFailure("the bridge returned no format status");
        }
        long weighted = 0;
        long total = 0;
        int done = 0;
        for (int lu : lus) {
          LuFormatStatus job = list.lu[lu];
          if (table[lu].luNumber != lu) {
            throw new ToolFailure("'" + unit + "' has no LU " + lu);
          }
          if (job.status == JOB_NONE) {
            throw new ToolFailure("LU " + lu + " is not being formatted (no format job)");
          }
          long weight = Math.max(1, table[lu].capacity);
          total += weight;
          weighted += weight * (job.status == JOB_DONE ? 100 : job.percent);
          if (job.status == JOB_DONE) {
            done++;
          }
        }
        int percent = done == lus.size() ? 100 : (int) Math.min(99, weighted / total);
        String note = done + " of " + lus.size() + " done";
        FormatStatusList batch = DiskArrayUtilityJNI.KX_GetFormatStatusList(unit);
        if (done < lus.size() && batch != null && batch.mode == LIST_RUNNING) {
          note += ", about " + batch.resttime + " s left";
        }
        bar.update(percent, note);
        if (done == lus.size()) {
          break;
        }
        try {
          Thread.sleep(POLL_MS);
        } catch (InterruptedException e) {
          Thread.currentThread().interrupt();
          throw new ToolFailure("interrupted; the format jobs go on in the station");
        }
      }
    } finally {
      bar.finish();
    }
    out.println("formatted " + describe(lus));
  }

  private static String describe(List<Integer> lus) {
    List<String> names = new ArrayList<>();
    for (int lu : lus) {
      names.add(Integer.toString(lu));
    }
    return (lus.size() == 1 ? "LU " : "LUs ") + String.join(", ", names);
  }
}
