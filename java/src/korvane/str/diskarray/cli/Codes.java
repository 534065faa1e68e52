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
      Map.entry(0x1400, "e-mail is switched off in the station's settings"),
      Map.entry(0x1401, "the e-mail settings are incomplete or malformed"),
      Map.entry(0x1402, "the sender or a recipient is not a plain mail address"),
      Map.entry(0x1403, "the subject holds a line break or control character, or a text is not"
          + " valid UTF-8; nothing was sent"),
      Map.entry(0x1404, "the SMTP server could not be reached"),
      Map.entry(0x1405, "the SMTP server did not answer in time"),
      Map.entry(0x1406, "the SMTP server refused a recipient; nothing was sent"),
      Map.entry(0x1407, "the SMTP server refused the sender; nothing was sent"),
      Map.entry(0x1408, "the SMTP server refused the message"),
      Map.entry(0x1409, "this build of the station cannot send mail"),
      Map.entry(0x1410, "the external program is switched off or not configured"),
      Map.entry(0x1411, "the program settings are malformed (switch, timeout or command line)"),
      Map.entry(0x1412, "the program does not exist"),
      Map.entry(0x1413, "the program cannot be executed"),
      Map.entry(0x1414, "the program did not finish within its timeout and was stopped"),
      Map.entry(0x1415, "the program failed; the application log has its exit status"),
      Map.entry(0x1416, "the program could not be started"),
      Map.entry(0x1420, "an SNMP manager is not HOST[:PORT], or more than 8 were given"),
      Map.entry(0x1421, "an SNMP option is unknown or malformed"),
      Map.entry(0x1422, "the SNMP file could not be written there"),
      Map.entry(0x1430, "a log file in the station directory could not be written"),
      Map.entry(0x1431, "the station directory is not writable"),
      Map.entry(0x1432, "the station's disk has less than 16 MB free"),
      Map.entry(0x1433, "the station's database failed its integrity check"),
      Map.entry(0x1434, "this Java is older than the station supports (17)"),
      Map.entry(0x1435, "not a Java version"),
      Map.entry(0xFFFF, "out of memory"));

  /** The meaning of a code, or null for a code the tool does not know. */
  static String meaning(int code) {
    return MEANINGS.get(code);
  }
}
