package korvane.str.diskarray;

import static korvane.str.diskarray.TestStation.codeOf;
import static korvane.str.diskarray.TestStation.unit;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.io.ByteArrayOutputStream;
import java.io.PrintStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.LinkOption;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import java.util.concurrent.TimeUnit;
import korvane.str.diskarray.TestStation.JavaRun;
import korvane.str.diskarray.cli.DiskArrayTool;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.Timeout;
import org.junit.jupiter.api.io.TempDir;

/**
 * Files the operator names, through the natives and the tool: a FIFO where a file is read is
 * refused instead of holding the caller, and a link where a file is written is replaced, never
 * written through. The timeouts only stop a run that would otherwise hang; they time nothing.
 */
@Timeout(value = 120, unit = TimeUnit.SECONDS)
class CallerFilesTest {
  private static final String UNIT = "files01";
  private static final int FILE_READ = 0x120E;

  @TempDir Path scratch;

  private Path station() {
    return scratch.resolve("station");
  }

  private Path fifo(String name) throws Exception {
    Path path = scratch.resolve(name);
    Process mkfifo = new ProcessBuilder("mkfifo", path.toString()).inheritIO().start();
    assertEquals(0, mkfifo.waitFor());
    return path;
  }

  private JavaRun tool(String... args) {
    return JavaRun.inProcess(station(), args);
  }

  @BeforeEach
  void register() throws Exception {
    TestStation.open(station());
    DiskArrayUtilityJNI.KX_UnitAdd(unit(UNIT));
  }

  /**
   * The imports held the station's write lock while they waited on the FIFO: this JVM's other
   * threads blocked on the station, other processes got "busy".
   */
  @Test
  void importsRefuseAFifoAndTheStationStaysFree() throws Exception {
    String path = fifo("blocks").toString();
    assertEquals(FILE_READ, codeOf(() -> DiskArrayUtilityJNI.KX_ConfigImport(UNIT, path)));
    assertEquals(FILE_READ, codeOf(() -> DiskArrayUtilityJNI.KX_SystemParamImport(UNIT, path, 0)));
    assertEquals(FILE_READ, codeOf(() -> DiskArrayUtilityJNI.KX_ModeSelect(UNIT, 0x3F, 0, 0, path)));
    // A second process changes the station at once.
    JavaRun other = TestStation.runJava(scratch, "korvane.str.diskarray.cli.DiskArrayTool",
        "--station", station().toString(), "add", "files02");
    assertEquals(0, other.status, other::toString);
  }

  @Test
  void theToolRefusesAFifoWhereItReadsAFile() throws Exception {
    String path = fifo("blocks").toString();
    JavaRun wizard = tool("wizard", "test", UNIT, path);
    assertNotEquals(0, wizard.status, wizard::toString);
    assertTrue(wizard.stderr.contains("not a regular file"), wizard::toString);
    JavaRun plot = tool("perf", "plot", path, "--out", scratch.resolve("x.svg").toString());
    assertNotEquals(0, plot.status, plot::toString);
    assertTrue(plot.stderr.contains("not a regular file"), plot::toString);
    assertTrue(Files.notExists(scratch.resolve("x.svg")));
  }

  @Test
  void theToolReplacesALinkInsteadOfWritingThroughIt() throws Exception {
    Path victim = scratch.resolve("victim.txt");
    Files.writeString(victim, "precious\n");
    Path target = scratch.resolve("wizard.txt");
    Files.createSymbolicLink(target, victim);
    JavaRun show = tool("wizard", "show", UNIT, "--out", target.toString(), "--force");
    assertEquals(0, show.status, show::toString);
    assertEquals("precious\n", Files.readString(victim));
    assertTrue(Files.isRegularFile(target, LinkOption.NOFOLLOW_LINKS));
    assertTrue(Files.readString(target).startsWith("# wizard record of " + UNIT));
  }
}
