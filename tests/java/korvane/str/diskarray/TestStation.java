package korvane.str.diskarray;

import static org.junit.jupiter.api.Assertions.assertAll;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertThrows;

import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.List;
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

  /** Runs the call, requires a DiskArrayException, and returns its code. */
  static int codeOf(Executable call) {
    return assertThrows(DiskArrayException.class, call).getCode();
  }

  /** What a child JVM printed, and how it ended. */
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
  }

  /**
   * Runs mainClass in a new JVM under -Xcheck:jni, with this JVM's library
   * path and the class path the build hands over in kx.test.classpath (the
   * console launcher's own class path does not hold the tested classes).
   */
  static JavaRun runJava(Path scratch, String mainClass, String... args)
      throws IOException, InterruptedException {
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
    Process process = new ProcessBuilder(command)
        .redirectOutput(out.toFile())
        .redirectError(err.toFile())
        .start();
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
