package korvane.str.diskarray.bench;

import java.nio.ByteBuffer;
import java.nio.charset.StandardCharsets;
import korvane.str.diskarray.DiskDrive;
import korvane.str.diskarray.KXUnitParam;
import korvane.str.diskarray.LogicalUnit;
import korvane.str.diskarray.RaidGroup;

/**
 * Pure-Java decoders and encoders of the core's records: the C bytes read from (or written to) a
 * direct buffer in native order, field by field in record order, into the same Java classes the
 * bridge builds. Each record type has its own loop so that every one compiles on its own.
 */
final class Codecs {
  private Codecs() {}

  static DiskDrive[] diskDrives(ByteBuffer bytes, int count) {
    DiskDrive[] table = new DiskDrive[count];
    bytes.clear();
    for (int i = 0; i < count; i++) {
      DiskDrive drive = new DiskDrive();
      drive.port_no = bytes.getInt();
      drive.row_no = bytes.getInt();
      drive.mount = bytes.getInt();
      drive.attribute = bytes.getInt();
      drive.drv_state = bytes.getInt();
      drive.spare_of_disk_port = bytes.getInt();
      drive.spare_of_disk_row = bytes.getInt();
      table[i] = drive;
    }
    return table;
  }

  static RaidGroup[] raidGroups(ByteBuffer bytes, int count) {
    RaidGroup[] table = new RaidGroup[count];
    bytes.clear();
    for (int i = 0; i < count; i++) {
      table[i] = raidGroup(bytes);
    }
    return table;
  }

  private static RaidGroup raidGroup(ByteBuffer bytes) {
    RaidGroup group = new RaidGroup();
    group.rgnum = bytes.getInt();
    group.level = bytes.getInt();
    group.port = bytes.getInt();
    group.row = bytes.getInt();
    group.width = bytes.getInt();
    group.depth = bytes.getInt();
    group.minimum_capa = bytes.getInt();
    group.lastLBASet = bytes.getInt();
    group.lastLBA = bytes.getInt();
    group.rest_h = bytes.getInt();
    group.rest = bytes.getInt();
    group.lumaxcapa = bytes.getInt();
    return group;
  }

  static void putRaidGroup(RaidGroup group, ByteBuffer bytes) {
    bytes.clear();
    bytes.putInt(group.rgnum);
    bytes.putInt(group.level);
    bytes.putInt(group.port);
    bytes.putInt(group.row);
    bytes.putInt(group.width);
    bytes.putInt(group.depth);
    bytes.putInt(group.minimum_capa);
    bytes.putInt(group.lastLBASet);
    bytes.putInt(group.lastLBA);
    bytes.putInt(group.rest_h);
    bytes.putInt(group.rest);
    bytes.putInt(group.lumaxcapa);
  }

  static LogicalUnit[] logicalUnits(ByteBuffer bytes, int count) {
    LogicalUnit[] table = new LogicalUnit[count];
    bytes.clear();
    for (int i = 0; i < count; i++) {
      LogicalUnit unit = new LogicalUnit();
      unit.luNumber = bytes.getInt();
      unit.rgNumber = bytes.getInt();
      unit.raid_level = bytes.getInt();
      unit.staging = bytes.getInt();
      unit.capacity = bytes.getInt();
      unit.defaultCTL = bytes.getInt();
      unit.currentCTL = bytes.getInt();
      unit.status = bytes.getInt();
      unit.hostblock = bytes.getInt();
      unit.lu_valid = bytes.getInt();
      unit.rg_last_lu = bytes.getInt();
      table[i] = unit;
    }
    return table;
  }

  static KXUnitParam[] unitParams(ByteBuffer bytes, int count) {
    KXUnitParam[] table = new KXUnitParam[count];
    byte[] scratch = new byte[80];
    bytes.clear();
    for (int i = 0; i < count; i++) {
      KXUnitParam unit = new KXUnitParam();
      unit.unit_name = text(bytes, 17, scratch);
      unit.group_name = text(bytes, 17, scratch);
      unit.connect_type = bytes.get();
      unit.kx_type = bytes.get();
      unit.unit_conf = bytes.get();
      unit.alert = bytes.get();
      unit.ctl0 = text(bytes, 80, scratch);
      unit.ctl1 = text(bytes, 80, scratch);
      table[i] = unit;
    }
    return table;
  }

  static void putUnitParam(KXUnitParam unit, ByteBuffer bytes) {
    bytes.clear();
    putText(bytes, unit.unit_name, 17);
    putText(bytes, unit.group_name, 17);
    bytes.put((byte) unit.connect_type);
    bytes.put((byte) unit.kx_type);
    bytes.put((byte) unit.unit_conf);
    bytes.put((byte) unit.alert);
    putText(bytes, unit.ctl0, 80);
    putText(bytes, unit.ctl1, 80);
  }

  /** The text of a field of {@code width} bytes: up to its NUL, at most width - 1 bytes. */
  private static String text(ByteBuffer bytes, int width, byte[] scratch) {
    int start = bytes.position();
    int length = 0;
    while (length < width - 1 && bytes.get(start + length) != 0) {
      length++;
    }
    bytes.get(start, scratch, 0, length);
    bytes.position(start + width);
    return new String(scratch, 0, length, StandardCharsets.UTF_8);
  }

  /** At most width - 1 bytes of the text's UTF-8, the rest of the field zero. */
  private static void putText(ByteBuffer bytes, String text, int width) {
    int length = 0;
    if (text != null) {
      byte[] encoded = text.getBytes(StandardCharsets.UTF_8);
      length = Math.min(encoded.length, width - 1);
      bytes.put(encoded, 0, length);
    }
    for (int i = length; i < width; i++) {
      bytes.put((byte) 0);
    }
  }
}
