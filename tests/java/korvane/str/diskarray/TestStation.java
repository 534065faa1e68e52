package korvane.str.diskarray;

import static org.junit.jupiter.api.Assertions.assertAll;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import java.util.concurrent.TimeUnit;
import org.junit.jupiter.api.function.Executable;

/** Shared helpers of the Java end-to-end tests: stations, units, child JVMs. */
final class TestStation {
  private TestStation() {}

  /** Makes dir this process's station; the core keeps one station per process. */
  static void open(Path dir) throws Exception {
    DiskArrayUtilityJNI.KX_GUIInitialize(new WorkingDirectory(dir.toString()));
  }

  static KXUnitParam unit(String name, String group, int connectType, int kxType,
      int unitConf, int alert, String ctl0, String ctl1) {
    KXUnitParam unit = new KXUnitParam();
    unit.unit_name = name;
    unit.group_name = group;
    unit.connect_type = connectType;
    unit.kx_type = kxType;
    unit.unit_conf = unitConf;
    unit.alert = alert;
    unit.ctl0 = ctl0;
    unit.ctl1 = ctl1;
    return unit;
  }

  static KXUnitParam unit(String name) {
    return unit(name, "group", 1, 2, 3, 4, "ctl0 of " + name, "ctl1 of " + name);
  }

  static void assertUnit(KXUnitParam expected, KXUnitParam actual) {
    assertAll("unit " + expected.unit_name,
        () -> assertEquals(expected.unit_name, actual.unit_name, "unit_name"),
        () -> assertEquals(expected.group_name, actual.group_name, "group_name"),
        () -> assertEquals(expected.connect_type, actual.connect_type, "connect_type"),
        () -> assertEquals(expected.kx_type, actual.kx_type, "kx_type"),
        () -> assertEquals(expected.unit_conf, actual.unit_conf, "unit_conf"),
        () -> assertEquals(expected.alert, actual.alert, "alert"),
        () -> assertEquals(expected.ctl0, actual.ctl0, "ctl0"),
        () -> assertEquals(expected.ctl1, actual.ctl1, "ctl1"));
  }

  static RaidGroup raidGroup(int rgnum, int level, int port, int row, int width, int depth) {
    RaidGroup group = new RaidGroup();
    group.rgnum = rgnum;
    group.level = level;
    group.port = port;
    group.row = row;
    group.width = width;
    group.depth = depth;
    return group;
  }

  static LogicalUnit logicalUnit(int number, int rg, int capacityMb) {
    LogicalUnit lu = new LogicalUnit();
    lu.luNumber = number;
    lu.rgNumber = rg;
    lu.capacity = capacityMb;
    lu.hostblock = 512;
    return lu;
  }

  /**
   * Everything a storage request could change on a unit, as text: the RAID
   * group and LU tables, the drive slots and the unit's counts. Two equal
   * snapshots mean nothing changed.
   */
  static String storageSnapshot(String unitName) throws Exception {
    StringBuilder text = new StringBuilder();
    for (RaidGroup group : DiskArrayUtilityJNI.KX_GetRaidGroups(unitName)) {
      text.append(group).append('\n');
    }
    for (LogicalUnit lu : DiskArrayUtilityJNI.KX_GetLogicalUnit(unitName)) {
      text.append(lu).append('\n');
    }
    for (DiskDrive drive : DiskArrayUtilityJNI.KX_GetDriveStatus(unitName)) {
      text.append(drive).append('\n');
    }
    text.append(DiskArrayUtilityJNI.KX_GetUnitInformation(unitName).l_info);
    return text.toString();
  }

  /**
   * The drive slots and the unit information agree with the RAID group and
   * LU tables: members of a group's rectangle and nothing else are RAID
   * group drives, ports 0-3 hold drives, the counts match, and every group's
   * free capacity is its capacity less its LUs.
   */
  static void assertStatusAgrees(String unitName) throws Exception {
    RaidGroup[] groups = DiskArrayUtilityJNI.KX_GetRaidGroups(unitName);
    LogicalUnit[] lus = DiskArrayUtilityJNI.KX_GetLogicalUnit(unitName);
    assertEquals(45, groups.length);
    assertEquals(512, lus.length);
    long[] usedMb = new long[45];
    int luCount = 0;
    for (LogicalUnit lu : lus) {
      if (lu.luNumber >= 0) {
        luCount++;
        assertTrue(lu.rgNumber >= 0 && groups[lu.rgNumber].rgnum == lu.rgNumber,
            "group of " + lu);
        usedMb[lu.rgNumber] += lu.capacity;
      }
    }
    int rgCount = 0;
    boolean[] member = new boolean[225];
    for (RaidGroup group : groups) {
      if (group.rgnum < 0) {
        assertEquals(new RaidGroup().toString().replace("rgnum=0", "rgnum=-1"),
            group.toString(), "unused entry");
        continue;
      }
      rgCount++;
      assertEquals(group.lastLBA - usedMb[group.rgnum], group.lumaxcapa, "free of " + group);
      long rest = ((long) group.rest_h << 32) | (group.rest & 0xFFFFFFFFL);
      assertEquals(group.lumaxcapa * 2048L, rest, "rest of " + group);
      for (int p = group.port; p < group.port + group.width; p++) {
        for (int r = group.row; r < group.row + group.depth; r++) {
          assertFalse(member[p * 15 + r], "two groups hold port " + p + " row " + r);
          member[p * 15 + r] = true;
        }
      }
    }
    LogicalInformation info = DiskArrayUtilityJNI.KX_GetUnitInformation(unitName).l_info;
    assertEquals(rgCount, info.rg_count, "rg_count");
    assertEquals(luCount, info.lu_count, "lu_count");

    DiskDrive[] drives = DiskArrayUtilityJNI.KX_GetDriveStatus(unitName);
    assertEquals(225, drives.length);
    for (int slot = 0; slot < 225; slot++) {
      DiskDrive drive = drives[slot];
      assertEquals(slot / 15, drive.port_no, "port of slot " + slot);
      assertEquals(slot % 15, drive.row_no, "row of slot " + slot);
      assertEquals(slot / 15 < 4 ? 1 : 0, drive.mount, "mount of " + drive);
      assertEquals(member[slot] ? 1 : 0, drive.attribute, "attribute of " + drive);
    }
  }

  static HostGroupName hostGroupName(String text) {
    HostGroupName name = new HostGroupName();
    name.hgname = text;
    return name;
  }

  /** Runs the call, requires a DiskArrayException, and returns its code. */
  static int codeOf(Executable call) {
    return assertThrows(DiskArrayException.class, call).getCode();
  }

  /** What a child JVM, or a run of the tool in this one, printed, and how it ended. */
  static final class JavaRun {
    final int status;
    final String stdout;
    final String stderr;

    JavaRun(int status, String stdout, String stderr) {
      this.status = status;
      this.stdout = stdout;
      this.stderr = stderr;
    }

    @Override
    public String toString() {
      return "exit " + status + "\n--- stdout\n" + stdout + "--- stderr\n" + stderr;
    }

    /** Runs the tool in this JVM on the station, as {@code diskarray --station DIR ARGS}. */
    static JavaRun inProcess(Path station, String... args) {
      List<String> all = new ArrayList<>(List.of("--station", station.toString()));
      all.addAll(List.of(args));
      java.io.ByteArrayOutputStream out = new java.io.ByteArrayOutputStream();
      java.io.ByteArrayOutputStream err = new java.io.ByteArrayOutputStream();
      int status = korvane.str.diskarray.cli.DiskArrayTool.run(all.toArray(new String[0]),
          new java.io.PrintStream(out, true, StandardCharsets.UTF_8),
          new java.io.PrintStream(err, true, StandardCharsets.UTF_8));
      return new JavaRun(status, out.toString(StandardCharsets.UTF_8),
          err.toString(StandardCharsets.UTF_8));
    }
  }

  /**
   * Runs mainClass in a new JVM under -Xcheck:jni, with this JVM's library
   * path and the class path the build hands over in kx.test.classpath (the
   * console launcher's own class path does not hold the tested classes).
   */
  static JavaRun runJava(Path scratch, String mainClass, String... args)
      throws IOException, InterruptedException {
    return runJava(scratch, Map.of(), mainClass, args);
  }

  /** runJava with extra environment variables for the child. */
  static JavaRun runJava(Path scratch, Map<String, String> environment, String mainClass,
      String... args) throws IOException, InterruptedException {
    return runJavaIn(null, scratch, environment, mainClass, args);
  }

  /** runJava in the given working directory (null: this JVM's). */
  static JavaRun runJavaIn(Path workingDirectory, Path scratch, Map<String, String> environment,
      String mainClass, String... args) throws IOException, InterruptedException {
    String classPath = System.getProperty("kx.test.classpath");
    if (classPath == null) {
      throw new IllegalStateException("kx.test.classpath is not set; run through ctest");
    }
    List<String> command = new ArrayList<>();
    command.add(Paths.get(System.getProperty("java.home"), "bin", "java").toString());
    command.add("-Xcheck:jni");
    command.add("-Djava.library.path=" + System.getProperty("java.library.path"));
    command.add("-cp");
    command.add(classPath);
    command.add(mainClass);
    command.addAll(List.of(args));
    Files.createDirectories(scratch);
    Path out = Files.createTempFile(scratch, "stdout", ".txt");
    Path err = Files.createTempFile(scratch, "stderr", ".txt");
    ProcessBuilder builder = new ProcessBuilder(command)
        .redirectOutput(out.toFile())
        .redirectError(err.toFile());
    builder.environment().putAll(environment);
    if (workingDirectory != null) builder.directory(workingDirectory.toFile());
    Process process = builder.start();
    if (!process.waitFor(120, TimeUnit.SECONDS)) {
      process.destroyForcibly();
      throw new AssertionError("child JVM did not finish: " + command);
    }
    return new JavaRun(process.exitValue(),
        Files.readString(out, StandardCharsets.UTF_8),
        Files.readString(err, StandardCharsets.UTF_8));
  }

  /** The child's stderr must hold no report of the JVM's JNI checks. */
  static void assertNoJniReports(JavaRun run) {
    String patterns = System.getProperty("kx.jni.failure.patterns",
        "WARNING in native method|FATAL ERROR in native method|JNI local refs:");
    for (String pattern : patterns.split("\\|")) {
      assertFalse(run.stderr.contains(pattern) || run.stdout.contains(pattern),
          "JNI check report '" + pattern + "' in child JVM output:\n" + run);
    }
  }
}
