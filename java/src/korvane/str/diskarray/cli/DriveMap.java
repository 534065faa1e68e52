package korvane.str.diskarray.cli;

import korvane.str.diskarray.DiskArrayConstants;
import korvane.str.diskarray.DiskDrive;
import korvane.str.diskarray.RaidGroup;

/**
 * The 225 drive slots of a unit as a 15 x 15 character map: one column per
 * port, one line per row, so a RAID group (width ports by depth rows) shows
 * as a rectangle of its own character.
 */
final class DriveMap {
  static final int PORTS = DiskArrayConstants.KX_DRIVE_PORTS;
  static final int ROWS = DiskArrayConstants.KX_DRIVE_ROWS;
  static final int SLOTS = DiskArrayConstants.KX_DRIVE_SLOTS;

  static final char EMPTY = '.';
  static final char FREE = 'o';
  static final char BLOCKED = 'X';
  static final char REBUILDING = 'R';
  /** A drive the drive table and the RAID group table disagree about. */
  static final char UNEXPLAINED = '?';

  private static final String GROUP_MARKS =
      "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghi";

  private static final int DRIVE_RAID_GROUP = DiskArrayConstants.KX_DRIVE_RAID_GROUP;
  private static final int STATE_FAILED = DiskArrayConstants.KX_PART_FAILED;
  private static final int STATE_REBUILDING = DiskArrayConstants.KX_PART_REBUILDING;

  private DriveMap() {}

  /** The character of RAID group number rg: 0-9, then A-Z, then a-i (45 groups). */
  static char groupMark(int rg) {
    return rg >= 0 && rg < GROUP_MARKS.length() ? GROUP_MARKS.charAt(rg) : UNEXPLAINED;
  }

  /** Slot index p * 15 + r to the number of the group whose rectangle holds it, or -1. */
  static int[] groupOfSlot(RaidGroup[] groups) {
    int[] owner = new int[SLOTS];
    java.util.Arrays.fill(owner, -1);
    for (RaidGroup group : groups) {
      if (group == null || group.rgnum < 0) {
        continue;
      }
      for (int p = group.port; p < group.port + group.width && p < PORTS; p++) {
        for (int r = group.row; r < group.row + group.depth && r < ROWS; r++) {
          if (p >= 0 && r >= 0) {
            owner[p * ROWS + r] = group.rgnum;
          }
        }
      }
    }
    return owner;
  }

  /** One character per slot, in slot order. */
  static char[] marks(DiskDrive[] drives, RaidGroup[] groups) {
    int[] owner = groupOfSlot(groups);
    char[] marks = new char[SLOTS];
    for (int slot = 0; slot < SLOTS; slot++) {
      DiskDrive drive = slot < drives.length ? drives[slot] : null;
      boolean member = drive != null && drive.attribute == DRIVE_RAID_GROUP;
      if (drive == null) {
        marks[slot] = UNEXPLAINED;
      } else if (drive.mount == 0) {
        marks[slot] = owner[slot] < 0 ? EMPTY : UNEXPLAINED;
      } else if (member != (owner[slot] >= 0)) {
        marks[slot] = UNEXPLAINED;
      } else if (drive.drv_state == STATE_FAILED) {
        marks[slot] = BLOCKED;
      } else if (drive.drv_state == STATE_REBUILDING) {
        marks[slot] = REBUILDING;
      } else {
        marks[slot] = member ? groupMark(owner[slot]) : FREE;
      }
    }
    return marks;
  }

  /** The map with port numbers across, row numbers down, and a legend. */
  static String render(DiskDrive[] drives, RaidGroup[] groups) {
    char[] marks = marks(drives, groups);
    StringBuilder map = new StringBuilder();
    map.append("drive slots: ports across, rows down\n");
    map.append("       ");
    for (int p = 0; p < PORTS; p++) {
      map.append(String.format("%3d", p));
    }
    map.append('\n');
    for (int r = 0; r < ROWS; r++) {
      map.append(String.format("row %2d ", r));
      for (int p = 0; p < PORTS; p++) {
        map.append("  ").append(marks[p * ROWS + r]);
      }
      map.append('\n');
    }
    map.append("legend: ").append(EMPTY).append(" empty slot  ")
        .append(FREE).append(" free drive  0-9 A-Z a-i RAID group number  ")
        .append(BLOCKED).append(" blocked  ").append(REBUILDING).append(" rebuilding");
    for (char mark : marks) {
      if (mark == UNEXPLAINED) {
        map.append("  ").append(UNEXPLAINED)
            .append(" drive and RAID group tables disagree");
        break;
      }
    }
    map.append('\n');
    return map.toString();
  }
}
