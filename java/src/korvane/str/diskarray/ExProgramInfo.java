package korvane.str.diskarray;

/** The external program the station runs on alerts. */
public class ExProgramInfo {
  /** 1 to run the program on alerts, 0 not to. */
  public int on_off;
  /** Seconds the station waits for the program; 0 for the default (60). */
  public int exec_mode;
  /** Command line: the program and its arguments, quoted where needed. */
  public String program_name = "";

  public ExProgramInfo() {}
}
