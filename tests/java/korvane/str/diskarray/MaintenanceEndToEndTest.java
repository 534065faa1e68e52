package korvane.str.diskarray;

import static korvane.str.diskarray.ErrorCodes.ERR_MARSHAL;
import static korvane.str.diskarray.ErrorCodes.ERR_NULL_ARGUMENT;
import static korvane.str.diskarray.ErrorCodes.KXE_FILE_NOT_FOUND;
import static korvane.str.diskarray.ErrorCodes.KXE_MICRO_CANCELLED;
import static korvane.str.diskarray.ErrorCodes.KXE_MICRO_CRC_MISMATCH;
import static korvane.str.diskarray.ErrorCodes.KXE_MICRO_NO_IMAGE;
import static korvane.str.diskarray.ErrorCodes.KXE_UNIT_NOT_READY;
import static korvane.str.diskarray.TestStation.assertNoJniReports;
import static korvane.str.diskarray.TestStation.codeOf;
import static korvane.str.diskarray.TestStation.runJava;
import static korvane.str.diskarray.TestStation.unit;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.ByteArrayOutputStream;
import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Map;
import java.util.concurrent.CompletableFuture;
import java.util.concurrent.TimeUnit;
import java.util.zip.CRC32;
import korvane.str.diskarray.TestStation.JavaRun;
import org.junit.jupiter.api.AfterEach;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/** Microcode replacement, restarts, traces and host files through the real library. */
class MaintenanceEndToEndTest {
  private static final String TOOL = "korvane.str.diskarray.cli.DiskArrayTool";
  private static final String UNIT = "array01";
  private static final int MODEL = 2;  // the kx_type TestStation.unit registers


  @TempDir Path scratch;
  private Path station;

  @BeforeEach
  void openStation() throws Exception {
    TestClock.reset();
    station = scratch.resolve("station");
    TestStation.open(station);
    DiskArrayUtilityJNI.KX_UnitAdd(unit(UNIT));
  }

  @AfterEach
  void restoreTheClock() throws Exception {
    TestClock.reset();
  }

  /** One microcode part in the station's file format: a 40-byte header, then the payload. */
  static byte[] part(String revision, int number, int count, byte[] payload) {
    ByteBuffer header = ByteBuffer.allocate(40).order(ByteOrder.LITTLE_ENDIAN);
    header.put("KXMC".getBytes(StandardCharsets.US_ASCII));
    header.putShort((short) 1).putShort((short) 40).putInt(MODEL);
    byte[] name = new byte[8];
    byte[] text = revision.getBytes(StandardCharsets.US_ASCII);
    System.arraycopy(text, 0, name, 0, text.length);
    header.put(name).putShort((short) number).putShort((short) count).putInt(payload.length);
    CRC32 crc = new CRC32();
    crc.update(payload);
    header.putInt((int) crc.getValue()).putInt(0);
    crc.reset();
    crc.update(header.array(), 0, 36);
    header.putInt((int) crc.getValue());
    ByteArrayOutputStream bytes = new ByteArrayOutputStream();
    bytes.writeBytes(header.array());
    bytes.writeBytes(payload);
    return bytes.toByteArray();
  }

  static byte[] payload(int size, int seed) {
    byte[] bytes = new byte[size];
    for (int i = 0; i < size; i++) {
      bytes[i] = (byte) (seed + i * 31 + i / 253);
    }
    return bytes;
  }

  private String write(String name, byte[] bytes) throws Exception {
    return Files.write(scratch.resolve(name), bytes).toString();
  }

  @Test
  void microcodeIsPreparedDownloadedAndReplacedWhileTheUnitRestarts() throws Exception {
    String first = write("part1.kxm", part("0920/B1", 1, 2, payload(150_000, 1)));
    String second = write("part2.kxm", part("0920/B1", 2, 2, payload(30_000, 2)));
    assertEquals(1, DiskArrayUtilityJNI.KX_MicroFileConcat(UNIT, first, 1));
    assertEquals(0, DiskArrayUtilityJNI.KX_MicroFileConcat(UNIT, second, 2));
    assertEquals("0920/B1", DiskArrayUtilityJNI.KX_GetNewMicroRevision());

    int count = DiskArrayUtilityJNI.KX_GetMicroDownloadCount(UNIT);
    assertEquals(3, count);  // 180000 bytes in portions of 64 KiB
    for (int portion = 1; portion <= count; portion++) {
      DiskArrayUtilityJNI.KX_MicroDownload(UNIT, portion, count, 0);
    }
    assertEquals("0850/A", DiskArrayUtilityJNI.KX_GetUnitInformation(UNIT).b_info.micro);
    long replaced = TestClock.stop();
    DiskArrayUtilityJNI.KX_MicroReplace(UNIT, 0);

    assertEquals(KXE_UNIT_NOT_READY, codeOf(() -> DiskArrayUtilityJNI.KX_TestUnitReady(UNIT, 0)));
    assertEquals(KXE_UNIT_NOT_READY, codeOf(() -> DiskArrayUtilityJNI.KX_GetUnitInformation(UNIT)));
    // The restart takes five seconds of the station's clock.
    TestClock.standAt(replaced + 4_999);
    assertEquals(KXE_UNIT_NOT_READY, codeOf(() -> DiskArrayUtilityJNI.KX_TestUnitReady(UNIT, 0)));
    TestClock.standAt(replaced + 5_000);
    DiskArrayUtilityJNI.KX_TestUnitReady(UNIT, 0);
    assertEquals("0920/B1", DiskArrayUtilityJNI.KX_GetUnitInformation(UNIT).b_info.micro);
    assertEquals("0920/B1", DiskArrayUtilityJNI.KX_GetUnitCondition(UNIT, 1).micro);

    String trace = DiskArrayUtilityJNI.KX_GetTraceText(UNIT, 0x3F, 0, 0);
    assertTrue(trace.contains("micro microcode replaced: 0850/A -> 0920/B1\n"), trace);
    WebTrace web = DiskArrayUtilityJNI.KX_GetWebTrace(UNIT);
    assertTrue(web.common.endsWith(" ready in 5 s\n"), web.common);
    assertEquals(web.common.length(), web.common_len);
    assertEquals("", web.ctl0);
  }

  @Test
  void aDamagedPartIsRefusedAndNothingIsPrepared() throws Exception {
    byte[] bytes = part("0920/B1", 1, 1, payload(4096, 3));
    bytes[40 + 100] ^= 0x04;
    String damaged = write("damaged.kxm", bytes);
    assertEquals(KXE_MICRO_CRC_MISMATCH,
        codeOf(() -> DiskArrayUtilityJNI.KX_MicroFileConcat2(UNIT, damaged)));
    assertEquals(KXE_MICRO_NO_IMAGE, codeOf(DiskArrayUtilityJNI::KX_GetNewMicroRevision));
    assertEquals(KXE_MICRO_NO_IMAGE,
        codeOf(() -> DiskArrayUtilityJNI.KX_GetMicroDownloadCount(UNIT)));
  }

  @Test
  void aCancelledJoinLeavesNothingInThisOrAnotherProcess() throws Exception {
    // 3 MB at the default pace of 0.5 s per MB: the join runs for 1.5 s.
    String big = write("big.kxm", part("0930/A", 1, 1, payload(3 << 20, 5)));
    CompletableFuture<Integer> join = CompletableFuture.supplyAsync(
        () -> codeOf(() -> DiskArrayUtilityJNI.KX_MicroFileConcat2(UNIT, big)));
    // A cancellation counts only once the join has begun, which a loaded
    // machine may delay: cancel until the join ends.
    cancelUntilDone(join);
    assertEquals(KXE_MICRO_CANCELLED, join.get(5, TimeUnit.SECONDS));
    assertEquals(KXE_MICRO_NO_IMAGE, codeOf(DiskArrayUtilityJNI::KX_GetNewMicroRevision));

    // The tool joining in a second process is stopped from this one.
    String huge = write("huge.kxm", part("0930/A", 1, 1, payload(16 << 20, 6)));
    CompletableFuture<JavaRun> child = CompletableFuture.supplyAsync(() -> {
      try {
        return runJava(scratch.resolve("logs"), TOOL, "--station", station.toString(),
            "micro", "prepare", UNIT, huge);
      } catch (Exception e) {
        throw new IllegalStateException(e);
      }
    });
    cancelUntilDone(child);
    JavaRun run = child.get(60, TimeUnit.SECONDS);
    assertNoJniReports(run);
    assertEquals(1, run.status, run::toString);
    assertTrue(run.stdout.contains("cancelled; nothing was kept"), run::toString);
    assertTrue(run.stderr.contains("0x1508"), run::toString);
    assertEquals(KXE_MICRO_NO_IMAGE, codeOf(DiskArrayUtilityJNI::KX_GetNewMicroRevision));
  }

  /** Cancels the joining, again and again, until the work ends (60 s at most). */
  private static void cancelUntilDone(CompletableFuture<?> work) throws Exception {
    long deadline = System.nanoTime() + TimeUnit.SECONDS.toNanos(60);
    while (!work.isDone()) {
      assertTrue(System.nanoTime() < deadline, "the joining was never cancelled");
      DiskArrayUtilityJNI.KX_CancelMicroFileConcat();
      Thread.sleep(50);
    }
  }

  @Test
  void endingTheToolWhileItJoinsCancelsTheJoin() throws Exception {
    String first = write("p1.kxm", part("0940/C", 1, 2, payload(1000, 7)));
    // 16 MB at 0.5 s per MB: the second part joins for 8 s.
    String second = write("p2.kxm", part("0940/C", 2, 2, payload(16 << 20, 8)));
    Path out = scratch.resolve("tool-out.txt");
    Process tool = new ProcessBuilder(
        Path.of(System.getProperty("java.home"), "bin", "java").toString(), "-Xcheck:jni",
        "-Djava.library.path=" + System.getProperty("java.library.path"),
        "-cp", System.getProperty("kx.test.classpath"), TOOL,
        "--station", station.toString(), "micro", "prepare", UNIT, first, second)
        .redirectOutput(out.toFile())
        .redirectErrorStream(true)
        .start();
    long deadline = System.nanoTime() + TimeUnit.SECONDS.toNanos(30);
    while (!(Files.exists(out) && Files.readString(out).contains("file 2 of 2"))) {
      assertTrue(tool.isAlive() && System.nanoTime() < deadline, Files.readString(out));
      Thread.sleep(50);
    }
    tool.destroy();  // SIGTERM: the JVM's shutdown hooks run, as on Ctrl-C
    assertTrue(tool.waitFor(30, TimeUnit.SECONDS));
    String printed = Files.readString(out);
    assertTrue(printed.contains("cancelled; nothing was kept"), printed);
    assertFalse(printed.contains("WARNING in native method"), printed);
    // The part joined before was dropped with the cancellation.
    String trace = DiskArrayUtilityJNI.KX_GetTraceText(UNIT, 0x20, 0, 0);
    assertTrue(trace.endsWith(" micro microcode joining cancelled\n"), trace);
    assertEquals(KXE_MICRO_NO_IMAGE, codeOf(DiskArrayUtilityJNI::KX_GetNewMicroRevision));
  }

  /** Runs the tool in this JVM on the test's station; returns what it printed. */
  private String tool(String... args) {
    TestStation.JavaRun run = TestStation.JavaRun.inProcess(station, args);
    assertEquals(0, run.status, run.stdout + run.stderr);
    return run.stdout;
  }

  @Test
  void theToolReplacesMicrocodeAndShowsTracesAndFiles() throws Exception {
    String first = write("t1.kxm", part("0950/D", 1, 2, payload(70_000, 9)));
    String second = write("t2.kxm", part("0950/D", 2, 2, payload(70_000, 10)));
    assertTrue(tool("micro", "prepare", UNIT, first, second)
        .endsWith("prepared microcode 0950/D for " + UNIT + "\n"));
    assertEquals("0950/D\n", tool("micro", "revision"));
    assertTrue(tool("micro", "download", UNIT).contains("] 100%  3 portions\n"));
    String replaced = tool("micro", "replace", UNIT, "--yes");
    assertTrue(replaced.contains("waiting for " + UNIT + " to restart\n"), replaced);
    assertTrue(replaced.endsWith(UNIT + " runs microcode 0950/D\n"), replaced);

    Path traceFile = scratch.resolve("trace.txt");
    tool("trace", UNIT, "--out", traceFile.toString());
    String written = Files.readString(traceFile);
    assertTrue(written.startsWith("# trace of unit " + UNIT + ", categories 0x3F"), written);
    assertTrue(written.endsWith(tool("trace", UNIT)), written);
    assertEquals(Files.readString(traceFile), tool("file", "show", traceFile.toString()));
  }

  @Test
  void aRebootIsSeenFromAnotherProcess() throws Exception {
    Path logs = scratch.resolve("logs");
    String stationArg = station.toString();
    // The clock stands still while the child JVMs start, however slowly:
    // the restart window ends only when the test moves the clock on.
    long rebooted = TestClock.stop();
    DiskArrayUtilityJNI.KX_UnitReboot(UNIT);
    JavaRun ready = runJava(logs, TOOL, "--station", stationArg, "ready", UNIT);
    JavaRun status = runJava(logs, TOOL, "--station", stationArg, "status", UNIT);
    TestClock.standAt(rebooted + 5_000);
    DiskArrayUtilityJNI.KX_TestUnitReady(UNIT, 0);
    JavaRun readyAgain = runJava(logs, TOOL, "--station", stationArg, "ready", UNIT);
    // And the other way: a reboot made by the tool stops this process's calls.
    JavaRun reboot = runJava(logs, Map.of("KX_RESTART_SECONDS", "30"), TOOL,
        "--station", stationArg, "reboot", UNIT, "--yes");
    for (JavaRun run : new JavaRun[] {ready, status, readyAgain, reboot}) {
      assertNoJniReports(run);
    }
    assertEquals(5, ready.status, ready::toString);
    assertTrue(ready.stderr.contains(UNIT + " is not ready"), ready::toString);
    // Not ready is no error of the command: every command says so with status 5.
    assertEquals(5, status.status, status::toString);
    assertTrue(status.stderr.contains("0x1500"), status::toString);
    assertEquals(0, readyAgain.status, readyAgain::toString);
    assertEquals(0, reboot.status, reboot::toString);
    assertEquals(KXE_UNIT_NOT_READY, codeOf(() -> DiskArrayUtilityJNI.KX_GetRaidGroups(UNIT)));
  }

  @Test
  void hostFilesReachJavaAsValidText() throws Exception {
    String text = write("notes.txt", "grüße 𝄞\nsecond line\n".getBytes(StandardCharsets.UTF_8));
    String empty = write("empty.txt", new byte[0]);
    String binary = write("blob.bin", new byte[] {'a', 0, (byte) 0xFF, (byte) 0xC3, 'b'});
    String missing = scratch.resolve("absent.txt").toString();

    assertEquals("grüße 𝄞\nsecond line\n", DiskArrayUtilityJNI.KX_GetFileText(text));
    assertEquals("", DiskArrayUtilityJNI.KX_GetFileText(empty));
    assertEquals("a\u0000\uFFFD\uFFFDb", DiskArrayUtilityJNI.KX_GetFileText(binary));
    assertEquals(KXE_FILE_NOT_FOUND, codeOf(() -> DiskArrayUtilityJNI.KX_GetFileText(missing)));

    int firstLineBytes = "grüße 𝄞".getBytes(StandardCharsets.UTF_8).length;
    assertEquals("grüße 𝄞", DiskArrayUtilityJNI.KX_GetFileLine(text, firstLineBytes));
    assertEquals("", DiskArrayUtilityJNI.KX_GetFileLine(empty, 0));
    assertEquals("a\u0000\uFFFD\uFFFDb", DiskArrayUtilityJNI.KX_GetFileLine(binary, 6));
    assertEquals(ERR_MARSHAL, codeOf(() -> DiskArrayUtilityJNI.KX_GetFileLine(text, -1)));
    assertEquals(KXE_FILE_NOT_FOUND, codeOf(() -> DiskArrayUtilityJNI.KX_GetFileLine(missing, 10)));
    assertEquals(ERR_NULL_ARGUMENT, codeOf(() -> DiskArrayUtilityJNI.KX_GetFileText(null)));

    assertEquals(1, DiskArrayUtilityJNI.KX_ExistFile(text));
    assertEquals(2, DiskArrayUtilityJNI.KX_ExistFile(scratch.toString()));
    assertEquals(0, DiskArrayUtilityJNI.KX_ExistFile(missing));
  }
}
