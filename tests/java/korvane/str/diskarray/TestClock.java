package korvane.str.diskarray;

import java.io.IOException;
import java.io.UncheckedIOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.StandardCopyOption;

/**
 * The station's clock, set by a test instead of waiting for time to pass. The
 * core reads the file that KX_CLOCK_FILE names on every clock reading: the
 * build sets the variable for each test class (one file per class), and child
 * JVMs inherit it, so this process and its children see the same time. A test
 * that uses the clock calls reset() before and after it.
 */
final class TestClock {
  private TestClock() {}

  private static long offsetMs;

  private static Path file() {
    String path = System.getenv("KX_CLOCK_FILE");
    if (path == null || path.isEmpty()) {
      throw new IllegalStateException("KX_CLOCK_FILE is not set; run through ctest");
    }
    return Path.of(path);
  }

  /** The wall clock again. */
  static void reset() throws IOException {
    offsetMs = 0;
    Files.deleteIfExists(file());
  }

  /** Stops the clock at the present moment; returns that moment in ms. */
  static long stop() {
    long now = System.currentTimeMillis();
    standAt(now);
    return now;
  }

  /** Stops the clock at ms since the epoch. */
  static void standAt(long ms) {
    write(Long.toString(ms));
  }

  /** Moves a running clock ms ahead of where it is; it keeps running. */
  static void advance(long ms) {
    offsetMs += ms;
    write("+" + offsetMs);
  }

  // Written under a fresh name and renamed over the old file, so the core
  // never reads half a number (which it would take for the wall clock).
  private static void write(String setting) {
    Path target = file();
    try {
      Path fresh = Files.createTempFile(target.getParent(), "clock", ".tmp");
      Files.writeString(fresh, setting, StandardCharsets.US_ASCII);
      Files.move(fresh, target, StandardCopyOption.ATOMIC_MOVE,
          StandardCopyOption.REPLACE_EXISTING);
    } catch (IOException e) {
      throw new UncheckedIOException(e);
    }
  }
}
