package korvane.str.diskarray;

/** One pair of coupled LUs of a {@link CouplingInfo}: the primary and its secondary. */
public class CouplingLU {
  public int primary_stat;
  public int second_stat;
  public int primary_lu;
  public int second_lu;

  public CouplingLU() {}

  @Override
  public String toString() {
    return "CouplingLU{primary_stat=" + primary_stat + ", second_stat=" + second_stat
        + ", primary_lu=" + primary_lu + ", second_lu=" + second_lu + "}";
  }
}
