package korvane.str.diskarray.cli;

import java.util.Map;

/** What the station's result codes mean, for the tool's error messages. */
final class Codes {
  private Codes() {}

  private static final Map<Integer, String> MEANINGS = Map.ofEntries(
      Map.entry(0x1001, "the station is not initialized"),
      Map.entry(0x1002, "an argument is out of range"),
      Map.entry(0x1003, "no unit of that name is registered"),
      Map.entry(0x1004, "a unit of that name is already registered"),
      Map.entry(0x1005, "the unit name is empty, too long or not valid text"),
      Map.entry(0x1006, "the station's database could not be opened, read or written"),
      Map.entry(0x1007, "the station does not support this operation"),
      Map.entry(0x1008, "the working directory is not a directory and could not be created"),
      Map.entry(0x1009, "another process keeps the station busy; nothing was changed"),
      Map.entry(0x100A, "the station's database was written by a newer core"),
      Map.entry(0x100B, "invalid label, or malformed label text"),
      Map.entry(0x100C, "no rename is kept for that label"),
      Map.entry(0x100D, "the label list is full (20 renames)"),
      Map.entry(0x100E, "the result is longer than 1023 bytes"),
      Map.entry(0x100F, "unexpected failure inside the station"),
      Map.entry(0x1010, "a user name or password must be 1..16 printable ASCII bytes, no blanks"),
      Map.entry(0x1011, "the unit has no account of that name"),
      Map.entry(0x1012, "the unit already has an account of that name"),
      Map.entry(0x1013, "wrong password"),
      Map.entry(0x1014, "the unit already holds 16 accounts"),
      Map.entry(0x1015, "no one is logged in on that controller"),
      Map.entry(0x1016, "another user is logged in on that controller"),
      Map.entry(0x1017, "no RAID group of that number"),
      Map.entry(0x1018, "that RAID group number is taken"),
      Map.entry(0x1019, "all 45 RAID group numbers are taken"),
      Map.entry(0x101A, "the unit does not support that RAID level"),
      Map.entry(0x101B, "the width does not suit the level, or the group does not fit the slots"),
      Map.entry(0x101C, "a slot the group would take holds no drive"),
      Map.entry(0x101D, "a drive the group would take belongs to another RAID group"),
      Map.entry(0x101E, "the RAID group still holds LUs"),
      Map.entry(0x101F, "no LU of that number"),
      Map.entry(0x1020, "that LU number is taken"),
      Map.entry(0x1021, "all 512 LU numbers are taken"),
      Map.entry(0x1022, "not enough free capacity, or less than is in use"),
      Map.entry(0x1023, "the LU is formatting"),
      Map.entry(0x1024, "the time is out of range (years 1970..2099)"),
      Map.entry(0x1025, "a drive the group would take is blocked"),
      Map.entry(0x1500, "the unit is restarting and answers no request until it is ready"),
      Map.entry(0x1501, "the microcode file does not exist or cannot be read"),
      Map.entry(0x1502, "not a microcode part: wrong magic, version, header or length"),
      Map.entry(0x1503, "a microcode part does not match its CRC-32: it was damaged"),
      Map.entry(0x1504, "the microcode is for another model than the unit's"),
      Map.entry(0x1505, "the microcode parts are in the wrong order, or one was given twice"),
      Map.entry(0x1506, "a microcode part is missing"),
      Map.entry(0x1507, "the part belongs to another microcode release"),
      Map.entry(0x1508, "joining the microcode was cancelled; nothing was kept"),
      Map.entry(0x1509, "no complete microcode image is prepared"),
      Map.entry(0x150A, "a microcode portion arrived out of order"),
      Map.entry(0x150B, "the microcode portion was downloaded already"),
      Map.entry(0x150C, "the microcode has not been downloaded completely"),
      Map.entry(0x150D, "the microcode is larger than the station accepts"),
      Map.entry(0x150E, "the microcode image was prepared again since its portions were counted"),
      Map.entry(0x150F, "no such file or directory on the station host"),
      Map.entry(0x1510, "the file is larger than the station reads (1 MB)"),
      Map.entry(0x1511, "the path cannot be read as a file"),
      Map.entry(0x1512, "the file's first line is longer than asked for"),
      Map.entry(0x1513, "the trace file could not be written"),
      Map.entry(0x1300, "the performance samples are not in time order"),
      Map.entry(0x1301,
          "the performance file could not be written (path, permissions or free space)"),
      Map.entry(0xFFFF, "out of memory"));

  /** The meaning of a code, or null for a code the tool does not know. */
  static String meaning(int code) {
    return MEANINGS.get(code);
  }
}
