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
      Map.entry(0x1100, "an address, subnet mask or gateway is not valid for the controller"),
      Map.entry(0x1101, "the other controller already has that address"),
      Map.entry(0x1102, "no such controller or host port (controllers 0-1, ports 0-1)"),
      Map.entry(0x1103, "no host group of that number on the port"),
      Map.entry(0x1104, "that host group number or name is taken on the port"),
      Map.entry(0x1105, "a host group name or nickname is 1..8 printable bytes, no blanks"),
      Map.entry(0x1106, "host group 0 is the port's default group and cannot be deleted"),
      Map.entry(0x1107, "all 128 host group numbers of the port are taken"),
      Map.entry(0x1108, "a WWN is 16 hexadecimal digits, an N_Port ID 6"),
      Map.entry(0x1109, "that host WWN appears twice on the port"),
      Map.entry(0x110A, "the LU is mapped to a host group; unmap it first"),
      Map.entry(0x110B, "a host permission names the LU; remove it from the permission first"),
      Map.entry(0x110C, "the host group would map the same LU twice"),
      Map.entry(0x110D, "the import file cannot be read, or is larger than 1 MB"),
      Map.entry(0x110E, "a line of the import file is refused; nothing was imported"),
      Map.entry(0x110F, "the unit already has 8 remote-verify units"),
      Map.entry(0x1110, "a remote-verify path or serial number is not valid"),
      Map.entry(0xFFFF, "out of memory"));

  /** The meaning of a code, or null for a code the tool does not know. */
  static String meaning(int code) {
    return MEANINGS.get(code);
  }
}
