package korvane.str.diskarray;

/** State of one cache of a unit. */
public class CacheStatus {
  public int option;
  public int condition;

  public CacheStatus() {}

  @Override
  public String toString() {
    return "CacheStatus{option=" + option + ", condition=" + condition + "}";
  }
}
