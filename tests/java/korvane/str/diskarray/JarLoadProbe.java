package korvane.str.diskarray;

import java.nio.file.Files;
import java.nio.file.Paths;
import java.util.stream.Stream;

/**
 * Run by StandaloneJarTest in a JVM without the build's library path: opens the station in
 * args[0], registers the unit args[1], and prints the unit count, this JVM's library path, and
 * where the bridge and the core were mapped from.
 */
public final class JarLoadProbe {
  private JarLoadProbe() {}

  public static void main(String[] args) throws Exception {
    DiskArrayUtilityJNI.KX_GUIInitialize(new WorkingDirectory(args[0]));
    DiskArrayUtilityJNI.KX_UnitAdd(TestStation.unit(args[1]));
    System.out.println("units " + DiskArrayUtilityJNI.KX_GetUnitCount());
    System.out.println("library path " + System.getProperty("java.library.path"));
    try (Stream<String> maps = Files.lines(Paths.get("/proc/self/maps"))) {
      maps.map(line -> line.replaceFirst("^(\\S+\\s+){5}", "").strip())
          .filter(path -> path.endsWith("/libtesk740.so") || path.endsWith("/libdiskarrayjni.so"))
          .distinct()
          .forEach(path -> System.out.println("mapped " + path));
    }
  }
}
