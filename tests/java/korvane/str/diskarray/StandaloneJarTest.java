package korvane.str.diskarray;

import static korvane.str.diskarray.TestStation.assertNoJniReports;
import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertNotEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;
import static org.junit.jupiter.api.Assumptions.assumeTrue;

import java.io.IOException;
import java.io.InputStream;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.nio.file.attribute.PosixFilePermission;
import java.nio.file.attribute.PosixFilePermissions;
import java.nio.file.attribute.UserPrincipal;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.Set;
import java.util.concurrent.TimeUnit;
import java.util.jar.JarFile;
import java.util.stream.Collectors;
import java.util.stream.Stream;
import korvane.str.diskarray.TestStation.JavaRun;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/**
 * diskarray.jar run as a user runs it: a JVM without java.library.path or LD_LIBRARY_PATH, in a
 * directory holding no library, so the libraries can come only from the jar.
 */
class StandaloneJarTest {
  private static final String PLATFORM_FOLDER = "linux-x86_64";

  @TempDir Path scratch;

  private Path cache() {
    return scratch.resolve("cache");
  }

  private static String toolJar() {
    String jar = System.getProperty("kx.tool.jar");
    if (jar == null) {
      throw new IllegalStateException("kx.tool.jar is not set; run through ctest");
    }
    return jar;
  }

  /** The tests' own jar (for JarLoadProbe), from the class path the build hands over. */
  private static String testsJar() {
    return Arrays.stream(System.getProperty("kx.test.classpath").split(":"))
        .filter(entry -> entry.endsWith("diskarray-tests.jar"))
        .findFirst()
        .orElseThrow();
  }

  /** Starts java with the arguments in an empty directory, its cache and home in scratch. */
  private Process start(String name, String... arguments) throws IOException {
    return start(name, cache(), arguments);
  }

  private Process start(String name, Path cache, String... arguments) throws IOException {
    List<String> command = new ArrayList<>();
    command.add(Paths.get(System.getProperty("java.home"), "bin", "java").toString());
    command.add("-Xcheck:jni");
    command.addAll(List.of(arguments));
    Path directory = Files.createDirectories(scratch.resolve("run-" + name));
    ProcessBuilder builder = new ProcessBuilder(command)
        .directory(directory.toFile())
        .redirectOutput(directory.resolve("stdout").toFile())
        .redirectError(directory.resolve("stderr").toFile());
    builder.environment().remove("LD_LIBRARY_PATH");
    builder.environment().remove("JAVA_TOOL_OPTIONS");
    builder.environment().put("XDG_CACHE_HOME", cache.toString());
    builder.environment().put("HOME", scratch.resolve("home").toString());
    return builder.start();
  }

  private JavaRun finish(String name, Process process) throws Exception {
    if (!process.waitFor(120, TimeUnit.SECONDS)) {
      process.destroyForcibly();
      throw new AssertionError("child JVM " + name + " did not finish");
    }
    Path directory = scratch.resolve("run-" + name);
    return new JavaRun(process.exitValue(),
        Files.readString(directory.resolve("stdout"), StandardCharsets.UTF_8),
        Files.readString(directory.resolve("stderr"), StandardCharsets.UTF_8));
  }

  private JavaRun probe(String name) throws Exception {
    Path station = scratch.resolve("station-" + name);
    return finish(name, start(name, "-cp", toolJar() + ":" + testsJar(),
        "korvane.str.diskarray.JarLoadProbe", station.toString(), "unit-" + name));
  }

  /** The extraction folders under the cache; the build's jar makes exactly one. */
  private List<Path> extractionFolders() throws IOException {
    Path root = cache().resolve("diskarray").resolve("native");
    if (!Files.isDirectory(root)) return List.of();
    try (Stream<Path> folders = Files.list(root)) {
      return folders.sorted().collect(Collectors.toList());
    }
  }

  private Path onlyExtractionFolder() throws IOException {
    List<Path> folders = extractionFolders();
    assertEquals(1, folders.size(), folders::toString);
    assertTrue(folders.get(0).getFileName().toString().startsWith(PLATFORM_FOLDER + "-"),
        folders::toString);
    return folders.get(0);
  }

  private static byte[] jarEntry(String name) throws IOException {
    try (JarFile jar = new JarFile(toolJar());
        InputStream in = jar.getInputStream(jar.getJarEntry(
            "korvane/str/diskarray/native/" + PLATFORM_FOLDER + "/" + name))) {
      return in.readAllBytes();
    }
  }

  private static List<String> lines(JavaRun run, String prefix) {
    return run.stdout.lines()
        .filter(line -> line.startsWith(prefix))
        .map(line -> line.substring(prefix.length()))
        .collect(Collectors.toList());
  }

  @Test
  void theJarLoadsItsOwnLibrariesIntoAPrivateFolder() throws Exception {
    JavaRun run = probe("first");

    assertEquals(0, run.status, run::toString);
    assertNoJniReports(run);
    assertEquals(List.of("1"), lines(run, "units "), run::toString);
    String libraryPath = lines(run, "library path ").get(0);
    for (String buildFolder : System.getProperty("java.library.path").split(":")) {
      assertFalse(Arrays.asList(libraryPath.split(":")).contains(buildFolder), run::toString);
    }
    // Both libraries were mapped from the extraction folder, the core included: loading it
    // first by full path met the bridge's dependency on it.
    Path folder = onlyExtractionFolder();
    assertEquals(Set.of(folder.resolve("libtesk740.so").toString(),
        folder.resolve("libdiskarrayjni.so").toString()),
        Set.copyOf(lines(run, "mapped ")), run::toString);

    // Every folder the loader made is its owner's alone; the libraries are the jar's.
    Set<PosixFilePermission> ownerOnly = PosixFilePermissions.fromString("rwx------");
    for (Path made = folder; !made.equals(cache()); made = made.getParent()) {
      assertEquals(ownerOnly, Files.getPosixFilePermissions(made), made::toString);
    }
    try (Stream<Path> files = Files.list(folder)) {
      assertEquals(List.of("libdiskarrayjni.so", "libtesk740.so"),
          files.map(file -> file.getFileName().toString()).sorted()
              .collect(Collectors.toList()), "no temporary file is left behind");
    }
    for (String name : List.of("libtesk740.so", "libdiskarrayjni.so")) {
      Set<PosixFilePermission> permissions = Files.getPosixFilePermissions(folder.resolve(name));
      assertFalse(permissions.contains(PosixFilePermission.GROUP_WRITE), name);
      assertFalse(permissions.contains(PosixFilePermission.OTHERS_WRITE), name);
      assertArrayEquals(jarEntry(name), Files.readAllBytes(folder.resolve(name)), name);
    }

    // java -jar: the tool itself, on the station the probe filled, from the same folder.
    Path station = scratch.resolve("station-first");
    JavaRun tool = finish("tool", start("tool", "-jar", toolJar(), "--station",
        station.toString(), "list"));
    assertEquals(0, tool.status, tool::toString);
    assertNoJniReports(tool);
    assertTrue(tool.stdout.contains("unit-first"), tool::toString);
    assertEquals(folder, onlyExtractionFolder());
  }

  @Test
  void jvmsStartingTogetherShareOneExtraction() throws Exception {
    List<Process> processes = new ArrayList<>();
    List<String> names = List.of("a", "b", "c", "d");
    for (String name : names) {
      Path station = scratch.resolve("station-" + name);
      processes.add(start(name, "-cp", toolJar() + ":" + testsJar(),
          "korvane.str.diskarray.JarLoadProbe", station.toString(), "unit-" + name));
    }
    for (int i = 0; i < names.size(); i++) {
      JavaRun run = finish(names.get(i), processes.get(i));
      assertEquals(0, run.status, run::toString);
      assertNoJniReports(run);
      assertEquals(List.of("1"), lines(run, "units "), run::toString);
    }
    Path folder = onlyExtractionFolder();
    try (Stream<Path> files = Files.list(folder)) {
      assertEquals(2, files.count(), "the two libraries and no temporary file");
    }
    for (String name : List.of("libtesk740.so", "libdiskarrayjni.so")) {
      assertArrayEquals(jarEntry(name), Files.readAllBytes(folder.resolve(name)), name);
    }
  }

  @Test
  void aChangedLibraryIsReplacedAndAFolderOthersMayWriteIsRefused() throws Exception {
    assertEquals(0, probe("extract").status);
    Path folder = onlyExtractionFolder();
    Path core = folder.resolve("libtesk740.so");

    // A library that is not the jar's (cut short, or swapped) is never loaded.
    Files.write(core, "not a library".getBytes(StandardCharsets.US_ASCII));
    JavaRun repaired = probe("repaired");
    assertEquals(0, repaired.status, repaired::toString);
    assertArrayEquals(jarEntry("libtesk740.so"), Files.readAllBytes(core));

    // Whoever may write to the folder could swap a library between the check and the load.
    Files.setPosixFilePermissions(folder, PosixFilePermissions.fromString("rwxrwxrwx"));
    JavaRun refused = probe("refused");
    assertNotEquals(0, refused.status, refused::toString);
    assertTrue(refused.stderr.contains("UnsatisfiedLinkError"), refused::toString);
    assertTrue(refused.stderr.contains(folder + " may be written by others"), refused::toString);
    assertTrue(lines(refused, "units ").isEmpty(), refused::toString);
  }

  @Test
  void withoutACacheFolderTheTemporaryDirectoryServes() throws Exception {
    // The cache lies below a regular file: no folder can be made there.
    Path blocker = Files.writeString(scratch.resolve("blocker"), "a file");
    Path temporary = Files.createDirectories(scratch.resolve("tmp"));
    Path station = scratch.resolve("station-tmp");
    JavaRun run = finish("tmp", start("tmp", blocker.resolve("cache"),
        "-Djava.io.tmpdir=" + temporary, "-cp", toolJar() + ":" + testsJar(),
        "korvane.str.diskarray.JarLoadProbe", station.toString(), "unit-tmp"));

    assertEquals(0, run.status, run::toString);
    assertEquals(List.of("1"), lines(run, "units "), run::toString);
    Path top = temporary.resolve("diskarray-" + System.getProperty("user.name"));
    assertEquals(PosixFilePermissions.fromString("rwx------"), Files.getPosixFilePermissions(top));
    for (String mapped : lines(run, "mapped ")) {
      assertTrue(mapped.startsWith(top.resolve("native") + "/" + PLATFORM_FOLDER + "-"),
          run::toString);
    }
    assertEquals(2, lines(run, "mapped ").size(), run::toString);
  }

  @Test
  void aFolderOfAnotherUserIsRefused() throws Exception {
    assumeTrue("root".equals(System.getProperty("user.name")),
        "only root can give a folder away");
    assertEquals(0, probe("extract").status);
    Path folder = onlyExtractionFolder();
    UserPrincipal nobody =
        folder.getFileSystem().getUserPrincipalLookupService().lookupPrincipalByName("nobody");
    Files.setOwner(folder, nobody);

    JavaRun refused = probe("refused");
    assertNotEquals(0, refused.status, refused::toString);
    assertTrue(refused.stderr.contains(folder + " belongs to nobody"), refused::toString);
  }
}
