package korvane.str.diskarray.cli;

import java.io.IOException;
import java.io.PrintStream;
import java.nio.file.Path;
import java.time.Instant;
import java.time.temporal.ChronoUnit;
import java.util.ArrayDeque;
import java.util.ArrayList;
import java.util.Deque;
import java.util.HashMap;
import java.util.HashSet;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.Set;
import java.util.concurrent.CountDownLatch;
import java.util.concurrent.TimeUnit;
import korvane.str.diskarray.DiskArrayConstants;
import korvane.str.diskarray.DiskArrayException;
import korvane.str.diskarray.DiskArrayUtilityJNI;
import korvane.str.diskarray.DiskDrive;
import korvane.str.diskarray.EmailInfo;
import korvane.str.diskarray.ErrorCodes;
import korvane.str.diskarray.ExProgramInfo;
import korvane.str.diskarray.KXUnitParam;
import korvane.str.diskarray.RaidGroup;
import korvane.str.diskarray.cli.DiskArrayTool.Step;
import korvane.str.diskarray.cli.DiskArrayTool.ToolFailure;

/**
 * {@code diskarray monitor}: the management station's watch loop. Every round
 * it checks each unit's alerts with {@code KX_AlertCheck} in its consuming
 * mode, so the station itself remembers what was reported and two monitors on
 * one station never report the same alert, or the same end of one, twice; for
 * the new ones and the ended ones it sends one mail per unit and runs the
 * external program. A mail that fails is kept
 * and sent at the next round. A busy station or a restarting unit delays a
 * round; nothing but SIGTERM or Ctrl-C ends the loop.
 */
final class MonitorCommand {
  static final String COMMAND = "monitor";

  private static final int UNKNOWN_UNIT = ErrorCodes.KXE_UNKNOWN_UNIT;
  private static final int STATION_BUSY = ErrorCodes.KXE_STATION_BUSY;
  private static final int CHECK = DiskArrayConstants.KX_ALERT_CHECK;
  private static final int NEW_SHIFT = DiskArrayConstants.KX_ALERT_NEW_SHIFT;
  private static final int CLEARED_SHIFT = DiskArrayConstants.KX_ALERT_CLEARED_SHIFT;
  private static final int DRIVE_BLOCKED = DiskArrayConstants.KX_ALERT_DRIVE_BLOCKED;
  private static final int DRIVE_REBUILDING = DiskArrayConstants.KX_ALERT_DRIVE_REBUILDING;
  private static final int GROUP_DEGRADED = DiskArrayConstants.KX_ALERT_GROUP_DEGRADED;
  private static final int GROUP_FAILED = DiskArrayConstants.KX_ALERT_GROUP_FAILED;
  private static final int FORMAT_FAILED = DiskArrayConstants.KX_ALERT_FORMAT_FAILED;
  private static final int PART_FAILED = DiskArrayConstants.KX_ALERT_PART_FAILED;
  private static final int[] KINDS = {DRIVE_BLOCKED, DRIVE_REBUILDING, GROUP_DEGRADED,
      GROUP_FAILED, FORMAT_FAILED, PART_FAILED};
  private static final String[] KIND_NAMES = {"drive blocked", "drive rebuilding",
      "RAID group degraded", "RAID group failed", "format failed", "part failed"};
  /** Messages kept for a mail server that does not answer; the oldest go first beyond it. */
  private static final int MAX_PENDING_MAILS = 200;
  /** A round delayed by a busy station or a restarting unit is tried again this soon. */
  private static final long RETRY_MILLIS = 10_000;

  private final PrintStream out;
  private final PrintStream err;

  /**
   * What each unit's alerts named at the last round, with their kinds, to tell
   * the new objects apart and name the ones that ended.
   */
  private final Map<String, Map<String, Integer>> lastItems = new HashMap<>();
  private final Deque<Mail> pendingMails = new ArrayDeque<>();
  private boolean mailFailing;
  /** Problems already written to the error log, until the next round without them. */
  private final Set<String> reportedProblems = new HashSet<>();

  private final CountDownLatch stopRequested = new CountDownLatch(1);
  private final CountDownLatch stopped = new CountDownLatch(1);

  MonitorCommand(PrintStream out, PrintStream err) {
    this.out = out;
    this.err = err;
  }

  private static final class Mail {
    final String unit;
    final String subject;
    final String body;

    Mail(String unit, String subject, String body) {
      this.unit = unit;
      this.subject = subject;
      this.body = body;
    }
  }

  Step prepare(Arguments arguments) throws UsageException {
    arguments.expectOperands();
    arguments.allowOnly(Set.of(Arguments.INTERVAL, Arguments.ONCE));
    boolean once = arguments.has(Arguments.ONCE);
    Integer seconds = arguments.has(Arguments.INTERVAL)
        ? arguments.intOption(Arguments.INTERVAL, 0, 1, 1440 * 60) : null;
    Path station = DiskArrayTool.stationDirectory(arguments);
    return new Step("monitor the units", () -> {
      if (once) {
        openStation(station);
        if (!round()) {
          throw new ToolFailure("the round did not complete; see the error log");
        }
        return;
      }
      loop(station, seconds);
    }, true);
  }

  private static void openStation(Path station) throws DiskArrayException, ToolFailure {
    try {
      DiskArrayTool.openStation(station);
    } catch (IOException e) {
      throw new ToolFailure("cannot open station " + Problems.describe(e));
    }
  }

  /**
   * Opens the station, waiting while another process holds it locked (no
   * log of the station's can be written before it is open: standard error
   * says it, once). False when a stop was asked for meanwhile.
   */
  private boolean openWaitingOutBusy(Path station)
      throws DiskArrayException, ToolFailure, InterruptedException {
    boolean said = false;
    while (true) {
      try {
        openStation(station);
        return true;
      } catch (DiskArrayException e) {
        if (e.getCode() != STATION_BUSY) {
          throw e;
        }
        if (!said) {
          err.println(Instant.now().truncatedTo(ChronoUnit.MILLIS) + " monitor: station "
              + station + " is busy; waiting for it");
          said = true;
        }
      }
      if (stopRequested.await(RETRY_MILLIS, TimeUnit.MILLISECONDS)) {
        return false;
      }
    }
  }

  /** Rounds until SIGTERM or Ctrl-C; the round under way is finished first. */
  private void loop(Path station, Integer seconds) throws DiskArrayException, ToolFailure {
    Thread hook = new Thread(() -> {
      stopRequested.countDown();
      try {
        stopped.await(60, TimeUnit.SECONDS);
      } catch (InterruptedException e) {
        Thread.currentThread().interrupt();
      }
    }, "diskarray-monitor-stop");
    Runtime.getRuntime().addShutdownHook(hook);
    try {
      if (openWaitingOutBusy(station)) {
        watch(seconds);
      }
    } catch (InterruptedException e) {
      Thread.currentThread().interrupt();
    } finally {
      stopped.countDown();
    }
  }

  private void watch(Integer seconds) throws InterruptedException {
    log(false, "monitor started, every "
        + (seconds != null ? seconds + " s" : "alert interval (the station's setting)"));
    try {
      while (stopRequested.getCount() > 0) {
        boolean complete;
        try {
          complete = round();
        } catch (RuntimeException e) {
          // A fault of this program's own must not end the watch: say it, go on.
          problem("round", "round abandoned: " + e);
          complete = false;
        }
        long wait = seconds != null ? seconds * 1000L : alertIntervalMillis();
        if (!complete) {
          wait = Math.min(wait, RETRY_MILLIS);
        }
        if (stopRequested.await(wait, TimeUnit.MILLISECONDS)) {
          break;
        }
      }
    } finally {
      if (!pendingMails.isEmpty()) {
        log(true, "monitor stopped with " + pendingMails.size() + " mail(s) not sent");
      } else {
        log(false, "monitor stopped");
      }
    }
  }

  /** The station's alert interval; a minute when the station cannot say. */
  private long alertIntervalMillis() {
    try {
      int minutes = DiskArrayUtilityJNI.KX_GetAlertInterval();
      return Math.max(1, Math.min(1440, minutes)) * 60_000L;
    } catch (DiskArrayException e) {
      problem("interval", "the alert interval cannot be read (" + DiskArrayTool.explain(e)
          + "); rounds are a minute apart");
      return 60_000L;
    }
  }

  /** One round over every unit; false when a part of it has to be tried again. */
  boolean round() {
    Set<String> problemsNow = new HashSet<>();
    boolean complete = true;
    KXUnitParam[] units;
    try {
      units = DiskArrayTool.readRegistry();
    } catch (DiskArrayException | ToolFailure e) {
      problemsNow.add("registry");
      problem("registry", "the unit registry cannot be read: " + reason(e));
      forgetSolvedProblems(problemsNow);
      return false;
    }
    for (KXUnitParam unit : units) {
      if (unit == null || unit.unit_name == null || unit.unit_name.isEmpty()) {
        continue;
      }
      String name = unit.unit_name;
      try {
        checkUnit(name);
      } catch (DiskArrayException e) {
        if (e.getCode() == UNKNOWN_UNIT) {
          continue;  // deleted since the registry was read
        }
        complete = false;
        problemsNow.add("unit " + name);
        problem("unit " + name, name + ": alerts not checked, tried again soon: "
            + DiskArrayTool.explain(e));
      }
    }
    lastItems.keySet().retainAll(names(units));
    if (!sendPendingMails()) {
      complete = false;
    }
    forgetSolvedProblems(problemsNow);
    return complete;
  }

  private static Set<String> names(KXUnitParam[] units) {
    Set<String> names = new HashSet<>();
    for (KXUnitParam unit : units) {
      if (unit != null && unit.unit_name != null) {
        names.add(unit.unit_name);
      }
    }
    return names;
  }

  private void checkUnit(String unit) throws DiskArrayException {
    int value = DiskArrayUtilityJNI.KX_AlertCheck(unit, CHECK);
    int fresh = (value >>> NEW_SHIFT) & 0x3F;
    int cleared = (value >>> CLEARED_SHIFT) & 0x3F;
    Map<String, Integer> items = new LinkedHashMap<>();
    Set<String> groups = null;
    try {
      DiskDrive[] drives = DiskArrayUtilityJNI.KX_GetDriveStatus(unit);
      RaidGroup[] groupTable = DiskArrayUtilityJNI.KX_GetRaidGroups(unit);
      if (drives != null && groupTable != null) {
        // Only objects of the kinds the check found: the tables are read a
        // moment later and may have moved on.
        for (Map.Entry<String, Integer> item : alertItems(drives, groupTable).entrySet()) {
          if ((item.getValue() & value) != 0) {
            items.put(item.getKey(), item.getValue());
          }
        }
        groups = new HashSet<>();
        for (RaidGroup group : StorageCommands.inUse(groupTable)) {
          groups.add("RAID group " + group.rgnum);
        }
      }
    } catch (DiskArrayException e) {
      // The check has already taken the news: report it by kind rather than lose it.
      items.clear();
    }
    Map<String, Integer> before = lastItems.getOrDefault(unit, Map.of());
    lastItems.put(unit, new LinkedHashMap<>(items));
    if (fresh == 0 && cleared == 0) {
      return;
    }
    List<String> news = new ArrayList<>();
    for (Map.Entry<String, Integer> item : items.entrySet()) {
      if ((item.getValue() & fresh) != 0 && !before.containsKey(item.getKey())) {
        news.add(item.getKey());
      }
    }
    for (int i = 0; i < KINDS.length; i++) {
      boolean named = false;
      for (Map.Entry<String, Integer> item : items.entrySet()) {
        named |= item.getValue() == KINDS[i] && news.contains(item.getKey());
      }
      if ((fresh & KINDS[i]) != 0 && !named) {
        news.add(KIND_NAMES[i]);
      }
    }
    List<String> ended = ended(cleared, before, items.keySet(), groups);
    String time = Instant.now().truncatedTo(ChronoUnit.SECONDS).toString();
    if (!news.isEmpty()) {
      log(false, unit + ": new alerts: " + String.join("; ", news));
    }
    if (!ended.isEmpty()) {
      log(false, unit + ": ended: " + String.join("; ", ended));
    }
    // From here on nothing may throw: the station has recorded the news as
    // reported, so a failure now would lose it.
    queueMail(new Mail(unit, subject(unit, news.isEmpty() ? ended : news),
        body(unit, time, news, ended, items.keySet())));
    runProgram(unit);
  }

  /**
   * What ended since the last round, as a person says it: the objects the
   * last round named with a kind the station reports ended and that the
   * alerts now no longer name (a RAID group with nothing left is
   * "recovered", a drive whose rebuild ended "rebuilt"); a kind whose objects
   * this monitor never saw (it started after them) by its kind. Groups first,
   * as a group's recovery is the news a drive's rebuild brings. A group no
   * longer in {@code groups} (deleted; null: not known) is not called
   * recovered.
   */
  static List<String> ended(int cleared, Map<String, Integer> before, Set<String> current,
      Set<String> groups) {
    List<String> groupNews = new ArrayList<>();
    List<String> others = new ArrayList<>();
    int named = 0;
    for (Map.Entry<String, Integer> item : before.entrySet()) {
      String name = item.getKey();
      int kind = item.getValue();
      if ((kind & cleared) == 0 || current.contains(name)) {
        continue;
      }
      named |= kind;
      String object = name.substring(0, name.lastIndexOf(' '));
      String noLonger = object + " no longer" + name.substring(object.length());
      boolean objectStillAlerting = false;
      for (String now : current) {
        objectStillAlerting |= now.startsWith(object + " ");
      }
      switch (kind) {
        case GROUP_DEGRADED:
        case GROUP_FAILED:
          boolean exists = groups == null || groups.contains(object);
          groupNews.add(objectStillAlerting || !exists ? noLonger : object + " recovered");
          break;
        case DRIVE_BLOCKED:
          others.add(object + " back in service");
          break;
        case DRIVE_REBUILDING:
          others.add(objectStillAlerting ? noLonger : object + " rebuilt");
          break;
        default:
          others.add(noLonger);
      }
    }
    for (int i = 0; i < KINDS.length; i++) {
      if ((cleared & KINDS[i] & ~named) != 0) {
        others.add(KIND_NAMES[i] + " (ended)");
      }
    }
    groupNews.addAll(others);
    return groupNews;
  }

  static String subject(String unit, List<String> news) {
    String subject = "diskarray " + unit + ": " + news.get(0);
    return news.size() == 1 ? subject : subject + " (and " + (news.size() - 1) + " more)";
  }

  static String body(String unit, String time, List<String> news, List<String> ended,
      Set<String> current) {
    StringBuilder body = new StringBuilder();
    body.append("Unit: ").append(unit).append('\n');
    body.append("Time: ").append(time).append('\n');
    if (!news.isEmpty()) {
      body.append("\nNew alerts:\n");
      for (String item : news) {
        body.append("  ").append(item).append('\n');
      }
    }
    if (!ended.isEmpty()) {
      body.append("\nEnded:\n");
      for (String item : ended) {
        body.append("  ").append(item).append('\n');
      }
    }
    if (!current.isEmpty()) {
      body.append("\nAll alerts of the unit now:\n");
      for (String item : current) {
        body.append("  ").append(item).append('\n');
      }
    } else {
      body.append("\nThe unit has no alerts now.\n");
    }
    return body.toString();
  }

  private void queueMail(Mail mail) {
    if (pendingMails.size() >= MAX_PENDING_MAILS) {
      Mail dropped = pendingMails.removeFirst();
      log(true, "mail about " + dropped.unit + " dropped unsent (more than "
          + MAX_PENDING_MAILS + " waiting): " + dropped.subject);
    }
    pendingMails.addLast(mail);
  }

  /**
   * Sends the mails waiting, oldest first, and stops at the first failure: the
   * server that refused one will refuse the next, and each attempt costs a
   * timeout. A failure streak is written to the error log once.
   */
  private boolean sendPendingMails() {
    if (pendingMails.isEmpty()) {
      return true;
    }
    EmailInfo settings;
    try {
      settings = DiskArrayUtilityJNI.KX_GetEmailInfo();
    } catch (DiskArrayException e) {
      settings = null;
    }
    if (settings == null) {
      return false;  // the settings cannot be read now: the mails wait
    }
    if (settings.on_off != 1) {
      log(false, "mail is off: " + pendingMails.size() + " alert mail(s) not sent");
      pendingMails.clear();
      mailFailing = false;
      return true;
    }
    while (!pendingMails.isEmpty()) {
      Mail mail = pendingMails.peekFirst();
      try {
        DiskArrayUtilityJNI.KX_SendEmail(mail.unit, mail.subject, mail.body);
      } catch (DiskArrayException e) {
        if (!mailFailing) {
          mailFailing = true;
          log(true, "mail cannot be sent (" + DiskArrayTool.explain(e) + "); "
              + pendingMails.size() + " waiting, tried again every round");
        }
        return false;
      }
      pendingMails.removeFirst();
      if (mailFailing) {
        mailFailing = false;
        log(false, "mail is sent again");
      }
      log(false, mail.unit + ": mail sent: " + mail.subject);
    }
    return true;
  }

  /** Runs the external program when it is on; a failure is logged, never thrown. */
  private void runProgram(String unit) {
    ExProgramInfo program;
    try {
      program = DiskArrayUtilityJNI.KX_GetExProgramInfo();
    } catch (DiskArrayException e) {
      log(true, unit + ": the program settings cannot be read, the program did not run: "
          + DiskArrayTool.explain(e));
      return;
    }
    if (program == null || program.on_off != 1) {
      return;
    }
    try {
      DiskArrayUtilityJNI.KX_ExecuteProgram();
      log(false, unit + ": program ran: " + program.program_name);
    } catch (DiskArrayException e) {
      log(true, unit + ": program " + program.program_name + " failed: "
          + DiskArrayTool.explain(e));
    }
  }

  /**
   * The unit's alerts by object, as KX_AlertCheck counts them: blocked and
   * rebuilding drives, groups without their redundancy or lost, formats on a
   * lost group. Each with its alert kind.
   */
  static Map<String, Integer> alertItems(DiskDrive[] drives, RaidGroup[] groups) {
    int[] owner = DriveMap.groupOfSlot(groups);
    Map<String, Integer> items = new LinkedHashMap<>();
    Map<Integer, Integer> lost = new HashMap<>();
    for (int slot = 0; slot < Math.min(drives.length, DriveMap.SLOTS); slot++) {
      DiskDrive drive = drives[slot];
      if (drive == null || drive.mount == 0 || (drive.drv_state != 2 && drive.drv_state != 3)) {
        continue;
      }
      String where = "drive " + slot / DriveMap.ROWS + "/" + slot % DriveMap.ROWS
          + (owner[slot] < 0 ? "" : " of RAID group " + owner[slot]);
      boolean blocked = drive.drv_state == 2;
      items.put(where + (blocked ? " blocked" : " rebuilding"),
          blocked ? DRIVE_BLOCKED : DRIVE_REBUILDING);
      if (owner[slot] >= 0) {
        lost.merge(owner[slot], 1, Integer::sum);
      }
    }
    for (RaidGroup group : StorageCommands.inUse(groups)) {
      int count = lost.getOrDefault(group.rgnum, 0);
      if (count == 0) {
        continue;
      }
      if (count <= Health.tolerance(group.level)) {
        items.put("RAID group " + group.rgnum + " degraded", GROUP_DEGRADED);
      } else {
        items.put("RAID group " + group.rgnum + " failed", GROUP_FAILED);
        items.put("format of an LU of RAID group " + group.rgnum + " failed", FORMAT_FAILED);
      }
    }
    return items;
  }

  private static String reason(Exception e) {
    return e instanceof DiskArrayException
        ? DiskArrayTool.explain((DiskArrayException) e) : e.getMessage();
  }

  /** A problem goes to the error log once, until a round passes without it. */
  private void problem(String key, String text) {
    if (reportedProblems.add(key)) {
      log(true, text);
    }
  }

  private void forgetSolvedProblems(Set<String> problemsNow) {
    reportedProblems.removeIf(key -> !key.equals("interval") && !problemsNow.contains(key));
  }

  /**
   * One line on standard output (or error) and in the station's application
   * (or error) log; a log the station cannot write is said on standard error.
   */
  private void log(boolean error, String text) {
    String line = "monitor: " + text;
    PrintStream stream = error ? err : out;
    stream.println(Instant.now().truncatedTo(ChronoUnit.MILLIS) + " " + line);
    stream.flush();
    try {
      if (error) {
        DiskArrayUtilityJNI.KX_ErrLogPut(line);
      } else {
        DiskArrayUtilityJNI.KX_AppLogPut(line);
      }
    } catch (DiskArrayException e) {
      err.println("monitor: the station's log cannot be written: " + DiskArrayTool.explain(e));
    }
  }
}
