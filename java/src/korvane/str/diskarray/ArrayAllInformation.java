package korvane.str.diskarray;

/**
 * The whole configuration and status of a unit at one moment, as
 * {@link DiskArrayUtilityJNI#KX_GetAllInformation} returns it. Every part is
 * the object the unit's individual read returns: {@code raid} is what
 * {@code KX_GetRaidGroups} gives, {@code lu} what {@code KX_GetLogicalUnit}
 * gives, and so on.
 *
 * <p>Field names and types are read and written by the bridge through JNI and
 * must not change.
 */
public class ArrayAllInformation {
  /** Unit condition as reported through controller 0 and controller 1. */
  public UnitCondition[] unit_conditions;
  /** The 225 drive slots. */
  public DiskDrive[] drive_status;
  /** The identities of the 225 drive slots. */
  public DiskDriveInformation[] drive_info;
  /** The 45 RAID group entries. */
  public RaidGroup[] raid;
  /** The 512 logical unit entries. */
  public LogicalUnit[] lu;
  public CouplingInfo lu_coup;
  public IntegrationLUInfo integration_lu;
  public TurboLu turbo_lu;
  /** Two rows of the two target-ID records; row j as controller j reports them. */
  public TargetId[][] target_id;
  public LANInformation[] lan_info;
  public SyncControl[] sync_ctrl;
  public DiskDriveRestoration rest_info;
  public PrefetchInformation prefetch_info;
  public OnlineVerify verify;
  public FibreInformation[] fibre_info;
  /** The user summary: {@code num} accounts and {@code option} sessions. */
  public KXUserRegist user_reg_info;
  public CommandDevice comdev;
  public NowWZParameter[] on_opt;
  public RvrfSrcInfo rvrfsrc;
  public UnitInformation unit_info;
  /** The alert kinds standing, and those of them not reported yet. */
  public int[] alert;
  public HGList hg;
  public HGOption hgopt;
  public PortOption portopt;
  public LuMapping lumap;
  public WWNInformation wwn;
  public WWNHGInformation wwnhg;
  public OnlineSystemParam on_sysparam;
  public OnlineTuningParam on_tuning;
  public TuningParam tuning;
  public UnitIdentifier unit_identifier;
  /** 1 for each working controller, 0 for one that is down. */
  public int[] ctrl_condition;
  /** The highest LU number in use, -1 when there is none. */
  public int last_lu;

  public ArrayAllInformation() {}
}
