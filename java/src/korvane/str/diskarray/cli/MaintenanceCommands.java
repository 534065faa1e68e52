package korvane.str.diskarray.cli;

import java.io.PrintStream;
import java.nio.file.InvalidPathException;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.List;
import java.util.Set;
import java.util.concurrent.CountDownLatch;
import java.util.concurrent.TimeUnit;
import korvane.str.diskarray.DiskArrayConstants;
import korvane.str.diskarray.DiskArrayException;
import korvane.str.diskarray.DiskArrayUtilityJNI;
import korvane.str.diskarray.ErrorCodes;
import korvane.str.diskarray.cli.DiskArrayTool.Step;
import korvane.str.diskarray.cli.DiskArrayTool.ToolFailure;

/** Microcode replacement, reboots, traces and host files. */
final class MaintenanceCommands {
  static final Set<String> COMMANDS = Set.of("micro", "reboot", "ready", "trace", "file");

  // Station codes and values the commands act on (kx_errors.h, kx_station_maintenance.h).
  static final int UNIT_NOT_READY = ErrorCodes.KXE_UNIT_NOT_READY;
  static final int JOIN_CANCELLED = ErrorCodes.KXE_MICRO_CANCELLED;
  static final int TRACE_ALL = DiskArrayConstants.KX_TRACE_ALL;
  static final int REPLACE_RESTART = DiskArrayConstants.KX_MICRO_REPLACE_RESTART;
  private static final int PATH_BYTES = 1023;
  private static final long POLL_MS = 200;
  private static final long READY_TIMEOUT_MS = 15 * 60 * 1000;

  private final PrintStream out;
  private final boolean terminal;

  MaintenanceCommands(PrintStream out, boolean terminal) {
    this.out = out;
    this.terminal = terminal;
  }

  Step prepare(Arguments arguments) throws UsageException {
    switch (arguments.command) {
      case "micro":
        return micro(arguments.subcommand("prepare|download|replace|revision"));
      case "reboot": {
        String unit = DiskArrayTool.unitName(arguments.expectOperands("UNIT").get(0));
        arguments.allowOnly(Set.of(Arguments.WAIT));
        boolean wait = arguments.has(Arguments.WAIT);
        return new Step("reboot '" + unit + "'", () -> {
          arguments.confirm("Restart '" + unit + "'? Its hosts lose it until it is ready.");
          DiskArrayUtilityJNI.KX_UnitReboot(unit);
          out.println("rebooting " + unit);
          if (wait) {
            waitUntilReady(unit);
          }
        });
      }
      case "ready": {
        String unit = DiskArrayTool.unitName(arguments.expectOperands("UNIT").get(0));
        arguments.allowOnly(Set.of(Arguments.CONTROLLER));
        int ctl = UserCommands.controller(arguments);
        boolean json = arguments.has(Arguments.JSON);
        return new Step("test whether '" + unit + "' is ready", () -> {
          try {
            DiskArrayUtilityJNI.KX_TestUnitReady(unit, ctl);
          } catch (DiskArrayException e) {
            if (e.getCode() == UNIT_NOT_READY) {
              if (json) {
                out.print(Json.write(Json.object("unit", unit, "ready", false)));
              }
              throw new DiskArrayTool.NotReady(unit + " is not ready: it is restarting");
            }
            throw e;
          }
          out.print(json ? Json.write(Json.object("unit", unit, "ready", true))
              : unit + " is ready\n");
        });
      }
      case "trace": {
        String unit = DiskArrayTool.unitName(arguments.expectOperands("UNIT").get(0));
        arguments.allowOnly(Set.of(Arguments.OUT, Arguments.FORCE));
        String file = arguments.has(Arguments.OUT)
            ? hostPath(OutputFile.resolve(arguments.option(Arguments.OUT), unit + ".trace")
                .toString())
            : null;
        if (file == null) {
          boolean json = arguments.has(Arguments.JSON);
          return new Step("read the trace of '" + unit + "'", () -> {
            String trace = DiskArrayUtilityJNI.KX_GetTraceText(unit, TRACE_ALL, 0, 0);
            out.print(json ? Json.write(Json.object("unit", unit, "trace", lines(trace)))
                : trace);
          });
        }
        boolean force = arguments.has(Arguments.FORCE);
        return new Step("write the trace of '" + unit + "' to " + file, () -> {
          OutputFile.check(Paths.get(file), force);
          DiskArrayUtilityJNI.KX_CreateTraceFile2(unit, TRACE_ALL, file);
          out.println("wrote the trace of " + unit + " to " + file);
        });
      }
      case "file": {
        Arguments show = arguments.subcommand("show PATH");
        if (!show.command.equals("file show")) {
          throw new UsageException("unknown command '" + show.command + "'");
        }
        String path = hostPath(show.expectOperands("PATH").get(0));
        show.allowOnly(Set.of());
        boolean json = show.has(Arguments.JSON);
        return new Step("read " + path, () -> {
          String text = DiskArrayUtilityJNI.KX_GetFileText(path);
          out.print(json ? Json.write(Json.object("path", path, "text", text)) : text);
        });
      }
      default:
        throw new UsageException("unknown command '" + arguments.command + "'");
    }
  }

  /** A text's lines, without their line ends. */
  static List<String> lines(String text) {
    if (text == null || text.isEmpty()) {
      return List.of();
    }
    List<String> lines = new ArrayList<>(List.of(text.split("\r?\n", -1)));
    if (text.endsWith("\n")) {
      lines.remove(lines.size() - 1);
    }
    return lines;
  }

  private Step micro(Arguments arguments) throws UsageException {
    switch (arguments.command) {
      case "micro prepare": {
        if (arguments.operands.size() < 2) {
          throw new UsageException("'micro prepare' takes UNIT FILE...");
        }
        String unit = DiskArrayTool.unitName(arguments.operands.get(0));
        List<String> files = new ArrayList<>();
        for (String file : arguments.operands.subList(1, arguments.operands.size())) {
          files.add(hostPath(file));
        }
        arguments.allowOnly(Set.of());
        return new Step("prepare microcode for '" + unit + "'", () -> join(unit, files));
      }
      case "micro download": {
        String unit = DiskArrayTool.unitName(arguments.expectOperands("UNIT").get(0));
        arguments.allowOnly(Set.of());
        return new Step("download microcode to '" + unit + "'", () -> download(unit));
      }
      case "micro replace": {
        String unit = DiskArrayTool.unitName(arguments.expectOperands("UNIT").get(0));
        arguments.allowOnly(Set.of());
        return new Step("replace the microcode of '" + unit + "'", () -> {
          arguments.confirm("Activate the downloaded microcode on '" + unit
              + "'? The unit restarts.");
          DiskArrayUtilityJNI.KX_MicroReplace(unit, REPLACE_RESTART);
          out.println("microcode replaced; " + unit + " restarts");
          waitUntilReady(unit);
          out.println(unit + " runs microcode "
              + DiskArrayUtilityJNI.KX_GetUnitInformation(unit).b_info.micro);
        });
      }
      case "micro revision":
        arguments.expectOperands();
        arguments.allowOnly(Set.of());
        return new Step("read the prepared microcode's revision", () -> {
          String revision = DiskArrayUtilityJNI.KX_GetNewMicroRevision();
          out.print(arguments.has(Arguments.JSON)
              ? Json.write(java.util.Collections.singletonMap("revision", revision))
              : revision + "\n");
        });
      default:
        throw new UsageException("unknown command '" + arguments.command + "'");
    }
  }

  /**
   * Joins the part files in order. Ctrl-C (or any other end of the JVM) cancels
   * the joining in the station, which keeps nothing of it; the hook waits for
   * the running call to come back so the cancellation is seen through.
   */
  private void join(String unit, List<String> files) throws DiskArrayException, ToolFailure {
    CountDownLatch finished = new CountDownLatch(1);
    Thread cancel = new Thread(() -> {
      try {
        DiskArrayUtilityJNI.KX_CancelMicroFileConcat();
        finished.await(10, TimeUnit.SECONDS);
      } catch (DiskArrayException | InterruptedException e) {
        // The JVM is ending; nothing more can be reported.
      }
    });
    Runtime.getRuntime().addShutdownHook(cancel);
    ProgressBar bar = new ProgressBar(out, terminal);
    try {
      int remaining = -1;
      for (int i = 0; i < files.size(); i++) {
        bar.update(i * 100 / files.size(), "file " + (i + 1) + " of " + files.size());
        remaining = DiskArrayUtilityJNI.KX_MicroFileConcat(unit, files.get(i), i + 1);
      }
      bar.update(100, "joined");
      bar.finish();
      if (remaining != 0) {
        throw new ToolFailure(remaining + " more part" + (remaining == 1 ? " is" : "s are")
            + " needed; give every part file in order");
      }
      out.println("prepared microcode " + DiskArrayUtilityJNI.KX_GetNewMicroRevision()
          + " for " + unit);
    } catch (DiskArrayException e) {
      bar.finish();
      if (e.getCode() == JOIN_CANCELLED) {
        out.println("cancelled; nothing was kept");
      }
      throw e;
    } finally {
      finished.countDown();
      try {
        Runtime.getRuntime().removeShutdownHook(cancel);
      } catch (IllegalStateException e) {
        // Already shutting down: the hook runs and finds the join finished.
      }
    }
  }

  private void download(String unit) throws DiskArrayException {
    int count = DiskArrayUtilityJNI.KX_GetMicroDownloadCount(unit);
    ProgressBar bar = new ProgressBar(out, terminal);
    for (int portion = 1; portion <= count; portion++) {
      bar.update((portion - 1) * 100 / count, "portion " + portion + " of " + count);
      DiskArrayUtilityJNI.KX_MicroDownload(unit, portion, count, 0);
    }
    bar.update(100, count + " portions");
    bar.finish();
    out.println("downloaded to " + unit);
  }

  /** Polls the unit until it is ready, with a spinner on a terminal. */
  private void waitUntilReady(String unit) throws DiskArrayException, ToolFailure {
    long start = System.nanoTime();
    String frames = "|/-\\";
    int frame = 0;
    while (true) {
      try {
        DiskArrayUtilityJNI.KX_TestUnitReady(unit, 0);
        break;
      } catch (DiskArrayException e) {
        if (e.getCode() != UNIT_NOT_READY) {
          throw e;
        }
      }
      long waitedMs = (System.nanoTime() - start) / 1_000_000;
      if (waitedMs > READY_TIMEOUT_MS) {
        throw new ToolFailure(unit + " is still not ready after " + waitedMs / 1000 + " s");
      }
      if (terminal) {
        out.print("\r" + frames.charAt(frame % 4) + " waiting for " + unit + " to restart");
        out.flush();
      } else if (frame == 0) {
        out.println("waiting for " + unit + " to restart");
      }
      frame++;
      try {
        Thread.sleep(POLL_MS);
      } catch (InterruptedException e) {
        Thread.currentThread().interrupt();
        throw new ToolFailure("interrupted while waiting for " + unit);
      }
    }
    if (terminal && frame > 0) {
      out.println();
    }
    out.println(unit + " is ready");
  }

  /** A host path as the station takes it: absolute, so it means what the operator typed. */
  private static String hostPath(String given) throws UsageException {
    String path;
    try {
      path = Paths.get(given).toAbsolutePath().normalize().toString();
    } catch (InvalidPathException e) {
      throw new UsageException("bad path: " + e.getMessage());
    }
    return DiskArrayTool.limited("path", path, PATH_BYTES);
  }
}
