package korvane.str.diskarray;

import java.io.IOException;
import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;

/** The names a 64-bit little-endian ELF shared library defines in its dynamic symbol table. */
final class ElfSymbols {
  private static final int SHT_DYNSYM = 11;
  private static final int SYMBOL_SIZE = 24;

  private ElfSymbols() {}

  static List<String> definedDynamicSymbols(Path library) throws IOException {
    ByteBuffer elf = ByteBuffer.wrap(Files.readAllBytes(library)).order(ByteOrder.LITTLE_ENDIAN);
    if (elf.getInt(0) != 0x464C457F || elf.get(4) != 2 || elf.get(5) != 1) {
      throw new IOException(library + " is not a 64-bit little-endian ELF file");
    }
    long sectionTable = elf.getLong(0x28);
    int sectionSize = Short.toUnsignedInt(elf.getShort(0x3A));
    int sectionCount = Short.toUnsignedInt(elf.getShort(0x3C));
    List<String> names = new ArrayList<>();
    for (int i = 0; i < sectionCount; i++) {
      int section = Math.toIntExact(sectionTable + (long) i * sectionSize);
      if (elf.getInt(section + 4) != SHT_DYNSYM) {
        continue;
      }
      int symbols = Math.toIntExact(elf.getLong(section + 0x18));
      int size = Math.toIntExact(elf.getLong(section + 0x20));
      int strings = Math.toIntExact(
          elf.getLong(Math.toIntExact(sectionTable + (long) elf.getInt(section + 0x28) * sectionSize)
              + 0x18));
      for (int symbol = symbols; symbol + SYMBOL_SIZE <= symbols + size; symbol += SYMBOL_SIZE) {
        boolean defined = elf.getShort(symbol + 6) != 0;
        if (defined) {
          names.add(cString(elf, strings + elf.getInt(symbol)));
        }
      }
    }
    return names;
  }

  private static String cString(ByteBuffer elf, int at) {
    int end = at;
    while (elf.get(end) != 0) {
      end++;
    }
    byte[] bytes = new byte[end - at];
    elf.get(at, bytes);
    return new String(bytes, StandardCharsets.US_ASCII);
  }
}
