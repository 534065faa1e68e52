package korvane.str.diskarray;

/** The statistics of a unit for both controllers ({@code KX_GetStatisticalInformation}): every array has 2 entries, entry i for controller i. What each counter means is documented in docs/statistics.md. */
public class StatisticalInformation {
  public int unite_option;
  /** 2 entries. */
  public StatisticalController[] controller;
  /** 2 entries. */
  public StatisticalHostCommand[] h_command;
  /** 2 entries. */
  public StatisticalHostCommand[] h_command_unite;
  /** 2 entries. */
  public StatisticalCommandStatus[] com_status;
  /** 2 entries. */
  public StatisticalCommandStatus[] com_status_unite;
  /** 2 entries. */
  public StatisticalCache[] cache;
  /** 2 entries. */
  public StatisticalWriteAfter[] writeafter;
  /** 2 entries. */
  public StatisticalDriveRestoration[] drive_rest;
  /** 2 entries. */
  public StatisticalCacheMemory[] cache_mem;
  /** 2 entries. */
  public StatisticalDrive[] drive;
  /** 2 entries. */
  public StatisticalHostSpc[] h_spc;
  /** 2 entries. */
  public StatisticalDriveSpc[] d_spc;
  /** 2 entries. */
  public StatisticalDriveFpc[] d_fpc;
  /** 2 entries. */
  public StatisticalDriveDma[] d_dma;
  /** 2 entries. */
  public StatisticalHostDma[] h_dma;
  /** 2 entries. */
  public StatisticalHontai[] hontai;
  /** 2 entries. */
  public StatisticalShuuhen[] shuuhen;
  /** 2 entries. */
  public StatisticalDual[] dual;
  /** 2 entries. */
  public StatisticalFibre[] fibre;
  /** 2 entries. */
  public StatisticalUnit[] unit;
  /** 2 entries. */
  public StatisticalDriveError[] drive_err;

  public StatisticalInformation() {}
}
