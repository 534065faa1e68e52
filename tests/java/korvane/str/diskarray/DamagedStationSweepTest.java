package korvane.str.diskarray;

import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.file.Path;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/**
 * A station edited by hand (triggers dropped, numbers out of range in every integer column, random
 * bytes in every settings record), read through every KX_Get* native under -Xcheck:jni: every
 * answer is the undamaged one, the damaged code, or data its Set native takes back; never a
 * damaged number as data. Seeded, so a failure repeats; kx.sweep.seed picks another seed. Runs in
 * this JVM, whose station it switches (each test class has a JVM of its own).
 */
class DamagedStationSweepTest {
  @Test
  void damagedRowsAreDamageNeverData(@TempDir Path scratch) throws Exception {
    long seed = Long.parseLong(System.getProperty("kx.sweep.seed", "20261208"));
    DamagedStationSweep sweep = DamagedStationSweep.sweep(scratch, seed);
    String report = sweep.outcomes() + "\n" + String.join("\n", sweep.faults());
    assertTrue(sweep.outcomes().getOrDefault("columns damaged", 0) > 0, report);
    assertTrue(sweep.outcomes().getOrDefault("settings damaged", 0) > 0, report);
    assertTrue(sweep.faults().isEmpty(), report);
  }
}
