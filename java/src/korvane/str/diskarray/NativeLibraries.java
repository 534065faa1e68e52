package korvane.str.diskarray;

import java.io.IOException;
import java.io.InputStream;
import java.io.OutputStream;
import java.nio.channels.Channels;
import java.nio.channels.FileChannel;
import java.nio.file.AccessDeniedException;
import java.nio.file.AtomicMoveNotSupportedException;
import java.nio.file.FileAlreadyExistsException;
import java.nio.file.Files;
import java.nio.file.LinkOption;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.nio.file.StandardCopyOption;
import java.nio.file.StandardOpenOption;
import java.nio.file.attribute.AclEntry;
import java.nio.file.attribute.AclEntryFlag;
import java.nio.file.attribute.AclEntryPermission;
import java.nio.file.attribute.AclEntryType;
import java.nio.file.attribute.AclFileAttributeView;
import java.nio.file.attribute.PosixFileAttributeView;
import java.nio.file.attribute.PosixFileAttributes;
import java.nio.file.attribute.PosixFilePermission;
import java.nio.file.attribute.PosixFilePermissions;
import java.nio.file.attribute.UserPrincipal;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.EnumSet;
import java.util.HexFormat;
import java.util.List;
import java.util.Locale;
import java.util.Set;
import java.util.zip.CRC32;

/**
 * Loads the bridge library {@code diskarrayjni} and the core library {@code tesk740} it needs.
 *
 * <p>First {@code System.loadLibrary("diskarrayjni")}: an installed tool (whose launcher sets
 * {@code java.library.path}) and the build's tests load the libraries this way. When that fails,
 * the pair for the running platform is taken from the jar ({@code korvane/str/diskarray/native/
 * <platform>/}), copied into a private directory and loaded by full path, the core before the
 * bridge, so that the bridge's dependency on the core is met by the library already loaded.
 *
 * <p>The directory is {@code <cache>/diskarray/native/<platform>-<hash>}, where {@code <cache>} is
 * {@code $XDG_CACHE_HOME} or {@code ~/.cache} (on Windows {@code %LOCALAPPDATA%}) and {@code
 * <hash>} is taken from the libraries' contents, so jars of different builds never share files.
 * When no folder can be made there, {@code <tmp>/diskarray-<user>/native/<platform>-<hash>} in
 * {@code java.io.tmpdir} serves instead.
 * The directories this class creates are readable and writable by their owner only. An existing
 * directory that another user owns, or that others may write to, is refused: whoever can write
 * there could swap the library between the check and the load. Each library is written to a
 * temporary name and renamed into place, so JVMs extracting at the same time never load a half
 * written file; a file already in place is used only when its contents are the jar's.
 */
public final class NativeLibraries {
  /** Where in the jar the libraries are, followed by the platform name. */
  static final String RESOURCE_ROOT = "korvane/str/diskarray/native/";

  private static final String CORE = "tesk740";
  private static final String BRIDGE = "diskarrayjni";

  private NativeLibraries() {}

  /** Loads the bridge and the core, or throws {@link UnsatisfiedLinkError} saying why not. */
  public static synchronized void load() {
    try {
      System.loadLibrary(BRIDGE);
      return;
    } catch (UnsatisfiedLinkError onLibraryPath) {
      try {
        loadFromJar();
      } catch (UnsatisfiedLinkError | RuntimeException fromJar) {
        UnsatisfiedLinkError error =
            new UnsatisfiedLinkError(
                "cannot load the "
                    + BRIDGE
                    + " library: not on java.library.path ("
                    + onLibraryPath.getMessage()
                    + "), and not from the jar ("
                    + fromJar.getMessage()
                    + ")");
        error.addSuppressed(fromJar);
        throw error;
      }
    }
  }

  /** The platform's folder name in the jar, or null when the jar carries no libraries for it. */
  static String platform() {
    String os = System.getProperty("os.name", "").toLowerCase(Locale.ROOT);
    String arch = System.getProperty("os.arch", "").toLowerCase(Locale.ROOT);
    boolean x64 = arch.equals("amd64") || arch.equals("x86_64");
    boolean x86 = arch.equals("x86") || arch.matches("i[3-6]86");
    if (os.startsWith("linux") && x64) {
      return "linux-x86_64";
    }
    if (os.startsWith("windows") && x86) {
      return "windows-x86";
    }
    return null;
  }

  private static void loadFromJar() {
    String platform = platform();
    if (platform == null) {
      throw new UnsatisfiedLinkError(
          "the jar carries no libraries for "
              + System.getProperty("os.name")
              + " on "
              + System.getProperty("os.arch"));
    }
    List<byte[]> contents = new ArrayList<>();
    List<String> names = new ArrayList<>();
    for (String library : new String[] {CORE, BRIDGE}) {
      String name = System.mapLibraryName(library);
      names.add(name);
      contents.add(readResource(RESOURCE_ROOT + platform + "/" + name));
    }
    String folder = platform + "-" + contentHash(contents);
    List<Path> files = new ArrayList<>();
    try {
      Path directory;
      try {
        directory = privateDirectory(cacheRoot(), "diskarray", folder);
      } catch (UnsafeFolderException refused) {
        throw refused;
      } catch (IOException unusable) {
        // No cache folder can be made (a read-only home, say): a private folder in the
        // temporary directory serves instead, under the same checks.
        String user = System.getProperty("user.name", "").replaceAll("[^A-Za-z0-9._-]", "_");
        Path temporary = Paths.get(System.getProperty("java.io.tmpdir"));
        try {
          directory = privateDirectory(temporary, "diskarray-" + user, folder);
        } catch (IOException e) {
          e.addSuppressed(unusable);
          throw e;
        }
      }
      for (int i = 0; i < names.size(); i++) {
        files.add(place(directory, names.get(i), contents.get(i)));
      }
    } catch (IOException e) {
      throw new UnsatisfiedLinkError("cannot extract the libraries: " + e);
    }
    // Core first: when the bridge is loaded, its dependency on the core is already met.
    for (Path file : files) {
      System.load(file.toString());
    }
  }

  private static byte[] readResource(String name) {
    try (InputStream in = NativeLibraries.class.getClassLoader().getResourceAsStream(name)) {
      if (in == null) {
        throw new UnsatisfiedLinkError("the jar has no " + name);
      }
      return in.readAllBytes();
    } catch (IOException e) {
      throw new UnsatisfiedLinkError("cannot read " + name + " from the jar: " + e);
    }
  }

  /** A folder that exists but may not be used: another user's, or writable by others. */
  static final class UnsafeFolderException extends IOException {
    private static final long serialVersionUID = 1L;

    UnsafeFolderException(String message) {
      super(message);
    }
  }

  /**
   * The libraries' contents in a name: the CRC-32 of each. It keeps the folders of different
   * builds apart; whether a file may be loaded is decided byte for byte (sameContent),
   * never by this name. (A SHA-256 over the same bytes took a tenth of a second of each start.)
   */
  private static String contentHash(List<byte[]> contents) {
    StringBuilder name = new StringBuilder();
    for (byte[] content : contents) {
      CRC32 crc = new CRC32();
      crc.update(content);
      name.append(HexFormat.of().toHexDigits((int) crc.getValue()));
    }
    return name.toString();
  }

  /**
   * {@code root/top/native/folder}, each level below root created owner-only when missing and
   * checked when present.
   */
  private static Path privateDirectory(Path root, String top, String folder) throws IOException {
    Path directory = root.resolve(top).resolve("native").resolve(folder);
    // Each level this class creates is private; the levels above (the user's cache folder,
    // the temporary directory) are not this class's.
    Path created = root;
    for (Path part : root.relativize(directory)) {
      created = created.resolve(part);
      createPrivateDirectory(created);
    }
    return directory;
  }

  static Path cacheRoot() {
    String os = System.getProperty("os.name", "").toLowerCase(Locale.ROOT);
    boolean windows = os.startsWith("windows");
    String base = System.getenv(windows ? "LOCALAPPDATA" : "XDG_CACHE_HOME");
    if (base != null && !base.isEmpty() && Paths.get(base).isAbsolute()) {
      return Paths.get(base);
    }
    return Paths.get(System.getProperty("user.home"), windows ? "AppData/Local" : ".cache");
  }

  private static void createPrivateDirectory(Path directory) throws IOException {
    Files.createDirectories(directory.getParent());
    try {
      if (posixView(directory.getParent()) != null) {
        Files.createDirectory(directory, PosixFilePermissions.asFileAttribute(ownerOnly()));
      } else {
        Files.createDirectory(directory);
        restrictToOwner(directory);
      }
    } catch (FileAlreadyExistsException existing) {
      // Made earlier, or by another JVM at the same moment: checked below either way.
    }
    checkPrivate(directory);
  }

  /** Refuses a directory that is a link, another user's, or writable by others. */
  private static void checkPrivate(Path directory) throws IOException {
    if (!Files.isDirectory(directory, LinkOption.NOFOLLOW_LINKS)) {
      throw new UnsafeFolderException(directory + " is not a directory");
    }
    PosixFileAttributeView posix =
        Files.getFileAttributeView(
            directory, PosixFileAttributeView.class, LinkOption.NOFOLLOW_LINKS);
    if (posix == null) {
      return; // Windows: the folder lies in the user's own profile, its ACL set when made.
    }
    PosixFileAttributes attributes = posix.readAttributes();
    UserPrincipal me = processOwner(directory);
    if (!attributes.owner().equals(me)) {
      throw new UnsafeFolderException(
          directory + " belongs to " + attributes.owner().getName() + ", not to " + me.getName());
    }
    Set<PosixFilePermission> permissions = attributes.permissions();
    if (permissions.contains(PosixFilePermission.GROUP_WRITE)
        || permissions.contains(PosixFilePermission.OTHERS_WRITE)) {
      throw new UnsafeFolderException(
          directory
              + " may be written by others ("
              + PosixFilePermissions.toString(permissions)
              + ")");
    }
  }

  /**
   * The library {@code name} in {@code directory} with exactly {@code content}: a file already
   * there is kept when its contents match, otherwise a new one replaces it.
   */
  private static Path place(Path directory, String name, byte[] content) throws IOException {
    Path target = directory.resolve(name);
    if (Files.isRegularFile(target, LinkOption.NOFOLLOW_LINKS) && sameContent(target, content)) {
      return target;
    }
    Path temporary = Files.createTempFile(directory, "." + name + ".", ".part");
    try {
      try (FileChannel channel = FileChannel.open(temporary, StandardOpenOption.WRITE);
          OutputStream out = Channels.newOutputStream(channel)) {
        out.write(content);
        out.flush();
        channel.force(true);
      }
      try {
        Files.move(
            temporary, target, StandardCopyOption.ATOMIC_MOVE, StandardCopyOption.REPLACE_EXISTING);
      } catch (AtomicMoveNotSupportedException | AccessDeniedException e) {
        // Windows refuses to replace a DLL that another JVM has loaded; that one holds
        // the same contents when its name is in place, which the check below confirms.
        if (!Files.isRegularFile(target, LinkOption.NOFOLLOW_LINKS)
            || !sameContent(target, content)) {
          throw e;
        }
      }
    } finally {
      Files.deleteIfExists(temporary);
    }
    return target;
  }

  private static boolean sameContent(Path file, byte[] content) throws IOException {
    // Byte for byte: exact, and at start far cheaper than hashing both (two SHA-256 passes over
    // the libraries took a good part of a java -jar start).
    return Files.size(file) == content.length && Arrays.equals(Files.readAllBytes(file), content);
  }

  /**
   * The user this process runs as, read from a file it creates: unlike {@code user.name}, this
   * holds also for a user without a name in the system's user list.
   */
  private static UserPrincipal processOwner(Path directory) throws IOException {
    Path probe = Files.createTempFile(directory, ".owner.", ".tmp");
    try {
      return Files.getOwner(probe, LinkOption.NOFOLLOW_LINKS);
    } finally {
      Files.delete(probe);
    }
  }

  private static PosixFileAttributeView posixView(Path path) {
    return Files.getFileAttributeView(path, PosixFileAttributeView.class);
  }

  private static Set<PosixFilePermission> ownerOnly() {
    return EnumSet.of(
        PosixFilePermission.OWNER_READ,
        PosixFilePermission.OWNER_WRITE,
        PosixFilePermission.OWNER_EXECUTE);
  }

  /** Windows: one ACL entry, the owner's, replacing the inherited ones and passed on. */
  private static void restrictToOwner(Path directory) throws IOException {
    AclFileAttributeView acl = Files.getFileAttributeView(directory, AclFileAttributeView.class);
    if (acl == null) {
      return;
    }
    AclEntry owner =
        AclEntry.newBuilder()
            .setType(AclEntryType.ALLOW)
            .setPrincipal(acl.getOwner())
            .setPermissions(EnumSet.allOf(AclEntryPermission.class))
            .setFlags(AclEntryFlag.FILE_INHERIT, AclEntryFlag.DIRECTORY_INHERIT)
            .build();
    acl.setAcl(List.of(owner));
  }
}
