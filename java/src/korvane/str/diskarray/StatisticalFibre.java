package korvane.str.diskarray;

/** Fibre Channel ports of one controller: {@code Install} since installation, {@code Pson} since power-on, 2 ports each. */
public class StatisticalFibre {
  /** 2 entries. */
  public StatisticalFibre_Info[] Install;
  /** 2 entries. */
  public StatisticalFibre_Info[] Pson;

  public StatisticalFibre() {}
}
