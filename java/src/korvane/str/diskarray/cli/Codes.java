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
      Map.entry(0x1600, "the LU belongs to a unified LU (split it first; format all members together)"),
      Map.entry(0x1601, "the LU is in a coupling pair (unpair it first)"),
      Map.entry(0x1602, "the LUs lie in RAID groups of different RAID levels"),
      Map.entry(0x1603, "the LUs differ in capacity"),
      Map.entry(0x1604, "the LU is not the parent of a unified LU"),
      Map.entry(0x1605, "the LU is not the primary of a coupling pair"),
      Map.entry(0x1606, "the LU is larger than a controller's turbo cache (2048 MB)"),
      Map.entry(0x1607, "the configuration file could not be written"),
      Map.entry(0x1608, "the configuration file could not be read, or is too large"),
      Map.entry(0x1609, "the file is not a RAID group and LU configuration file"),
      Map.entry(0x160A, "the configuration file has a format version this station does not read"),
      Map.entry(0x160B, "the configuration file is damaged: its checksum does not match"),
      Map.entry(0x160C, "a line of the configuration file cannot be used"),
      Map.entry(0xFFFF, "out of memory"));

  /** The meaning of a code, or null for a code the tool does not know. */
  static String meaning(int code) {
    return MEANINGS.get(code);
  }
}
