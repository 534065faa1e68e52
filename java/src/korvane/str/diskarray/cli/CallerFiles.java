package korvane.str.diskarray.cli;

import java.io.IOException;
import java.nio.ByteBuffer;
import java.nio.channels.FileChannel;
import java.nio.charset.StandardCharsets;
import java.nio.file.FileSystemException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.StandardCopyOption;
import java.nio.file.StandardOpenOption;
import java.nio.file.attribute.BasicFileAttributes;
import java.security.SecureRandom;
import java.util.Arrays;
import java.util.HexFormat;
import java.util.List;

/**
 * Files the operator names to the tool. One is read only when it is a regular file of a bounded
 * size, so that a FIFO or a device never holds the tool; one is written under a fresh name beside
 * the target and renamed over it, so that a link planted there is never written through and a
 * reader never sees half a file.
 */
final class CallerFiles {
  /** No file the tool reads is larger: records, logs and performance files. */
  static final long MAX_READ_BYTES = 64L << 20;

  private static final SecureRandom RANDOM = new SecureRandom();

  private CallerFiles() {}

  /**
   * The file's text (UTF-8). Java cannot open without blocking, so the file is looked at first and
   * opened only when it is a regular file; the size is checked again while reading.
   */
  static String readText(Path file) throws IOException {
    BasicFileAttributes attributes = Files.readAttributes(file, BasicFileAttributes.class);
    if (!attributes.isRegularFile()) {
      throw new FileSystemException(file.toString(), null, "not a regular file");
    }
    if (attributes.size() > MAX_READ_BYTES) {
      throw new FileSystemException(file.toString(), null, "larger than 64 MiB");
    }
    try (FileChannel channel = FileChannel.open(file, StandardOpenOption.READ)) {
      ByteBuffer buffer = ByteBuffer.allocate((int) (attributes.size() + 1));
      while (channel.read(buffer) > 0) {
        if (!buffer.hasRemaining()) {
          if (buffer.capacity() > MAX_READ_BYTES) {
            throw new FileSystemException(file.toString(), null, "larger than 64 MiB");
          }
          // The file grew while it was read.
          buffer = ByteBuffer.allocate((int) Math.min(buffer.capacity() * 2L, MAX_READ_BYTES + 1))
              .put(buffer.flip());
        }
      }
      return new String(
          Arrays.copyOf(buffer.array(), buffer.position()), StandardCharsets.UTF_8);
    }
  }

  /** The file's lines, as {@link Files#readAllLines} splits them. */
  static List<String> readLines(Path file) throws IOException {
    String text = readText(file);
    if (text.isEmpty()) {
      return List.of();
    }
    List<String> lines = Arrays.asList(text.split("\r\n|\r|\n", -1));
    // A final line ending ends the last line; it starts no empty one.
    return text.endsWith("\n") || text.endsWith("\r") ? lines.subList(0, lines.size() - 1) : lines;
  }

  /**
   * Replaces {@code target} with {@code text} (UTF-8). The fresh file is created exclusively (an
   * existing name, a link included, is never opened) with the process's umask.
   */
  static void writeText(Path target, String text) throws IOException {
    Path folder = target.toAbsolutePath().getParent();
    byte[] name = new byte[8];
    RANDOM.nextBytes(name);
    Path temporary = folder.resolve(".kx-" + HexFormat.of().formatHex(name) + ".tmp");
    try {
      try (FileChannel channel = FileChannel.open(temporary,
          StandardOpenOption.CREATE_NEW, StandardOpenOption.WRITE)) {
        ByteBuffer bytes = ByteBuffer.wrap(text.getBytes(StandardCharsets.UTF_8));
        while (bytes.hasRemaining()) {
          channel.write(bytes);
        }
        channel.force(true);
      }
      Files.move(temporary, target, StandardCopyOption.ATOMIC_MOVE,
          StandardCopyOption.REPLACE_EXISTING);
    } finally {
      Files.deleteIfExists(temporary);
    }
  }
}
