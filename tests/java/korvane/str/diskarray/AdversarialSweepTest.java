package korvane.str.diskarray;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Map;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/**
 * Hostile arguments into every exported native, in a JVM of its own under
 * -Xcheck:jni (and the sanitizers in the sanitizer build): the JVM survives,
 * no JNI check reports anything, and every failure arrives as
 * DiskArrayException or OutOfMemoryError. The sweep is seeded, so a failure
 * repeats; kx.sweep.seed picks another seed.
 */
class AdversarialSweepTest {
  @Test
  void hostileCallsNeverCrashOrMisreport(@TempDir Path scratch) throws Exception {
    Path work = Files.createDirectories(scratch.resolve("work"));
    String seed = System.getProperty("kx.sweep.seed", "20261207");
    TestStation.JavaRun run = TestStation.runJavaIn(work, scratch,
        Map.of("KX_FORMAT_SECONDS_PER_GB", "0"),
        "korvane.str.diskarray.AdversarialSweep",
        scratch.resolve("station").toString(), seed, "12");
    TestStation.assertNoJniReports(run);
    assertEquals(0, run.status, run.toString());
    assertTrue(run.stdout.contains("sweep clean"), run.toString());
    assertTrue(run.stdout.contains("threw DiskArrayException"), run.toString());
  }
}
