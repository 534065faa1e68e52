package korvane.str.diskarray;

import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.io.InputStream;
import java.io.OutputStream;
import java.lang.reflect.Array;
import java.lang.reflect.Field;
import java.lang.reflect.InvocationTargetException;
import java.lang.reflect.Method;
import java.lang.reflect.Modifier;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.nio.file.StandardCopyOption;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.Calendar;
import java.util.Comparator;
import java.util.HexFormat;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.Objects;
import java.util.Random;
import java.util.Set;
import java.util.TreeMap;
import java.util.TreeSet;

/**
 * Edits a station by hand, as an attacker with write access to its folder would, and calls every
 * reading native on it: each must answer what the undamaged station answers, the damaged code, or
 * data that its own Set native accepts again, and never a damaged number as data.
 *
 * <p>The damage is found in the station file itself, so new tables and new settings are swept
 * without new code: the range triggers are dropped, every integer column of every table with rows
 * is set to numbers no caller could store (one column at a time), and every stored settings
 * record is replaced by random bytes of its size. The readers are the natives named KX_Get*,
 * found by reflection; a reader's Set partner is KX_Set with the same name.
 *
 * <p>Usage: DamagedStationSweep WORK_DIR SEED. Needs the sqlite3 program. Exits 0 when every
 * answer was sound, 1 otherwise, listing what was not.
 */
public final class DamagedStationSweep {
  private static final String UNIT = "sweep-unit";
  /**
   * Numbers out of every range the station keeps, for counts, sizes, levels and modes alike: one
   * below -1, one past a 32-bit int (a reader that cuts it to 32 bits answers -2147413647).
   */
  private static final long[] OUT_OF_RANGE = {-70001, (1L << 31) + 70001};
  /** Codes that say nothing about the data: the station itself could not be used. */
  private static final Set<Integer> STATION_CODES = Set.of(ErrorCodes.KXE_STATION_DAMAGED,
      ErrorCodes.KXE_STATION_BUSY, ErrorCodes.KXE_STATION_READ_ONLY);
  /** Readers whose answers move with the clock: only their numbers are checked. */
  private static final Set<String> MOVING = Set.of("KX_GetStatisticalInformation",
      "KX_GetPerformance", "KX_GetUnitTime", "KX_GetAllInformation", "KX_GetPinInfoGetTime",
      "KX_GetLoginUser");

  private final Path work;
  private final Random random;
  private final List<Method> readers = new ArrayList<>();
  private final Map<String, Method> setters = new TreeMap<>();
  /** Baseline answers: reader call to its answer (a value, or the Code it threw). */
  private final Map<String, Object> baseline = new LinkedHashMap<>();
  /** Reader calls whose answer the Set partner takes back on the undamaged station. */
  private final Set<String> settable = new TreeSet<>();
  private final Map<String, Integer> outcomes = new TreeMap<>();
  private final Set<String> faults = new TreeSet<>();

  private DamagedStationSweep(Path work, long seed) {
    this.work = work;
    this.random = new Random(seed);
    for (Method method : DiskArrayUtilityJNI.class.getDeclaredMethods()) {
      if (!Modifier.isNative(method.getModifiers())) continue;
      if (method.getName().startsWith("KX_Get")) readers.add(method);
      if (method.getName().startsWith("KX_Set")) setters.put(method.getName(), method);
    }
    readers.sort(Comparator.comparing(Method::getName));
  }

  public static void main(String[] args) throws Exception {
    DamagedStationSweep sweep = sweep(Paths.get(args[0]), Long.parseLong(args[1]));
    sweep.outcomes().forEach((what, count) -> System.out.println(what + ": " + count));
    if (!sweep.faults().isEmpty()) {
      sweep.faults().forEach(System.out::println);
      System.exit(1);
    }
    System.out.println("sweep clean");
  }

  /** Sweeps in this process, whose station it switches; WORK_DIR holds the stations. */
  static DamagedStationSweep sweep(Path work, long seed) throws Exception {
    DamagedStationSweep sweep = new DamagedStationSweep(work, seed);
    sweep.run();
    return sweep;
  }

  /** What the readers answered, counted by kind. */
  Map<String, Integer> outcomes() {
    return outcomes;
  }

  /** Answers that were neither sound data nor the damaged code, one line each. */
  Set<String> faults() {
    return faults;
  }

  private void run() throws Exception {
    Path golden = populate();
    Path undamaged = variant(golden, "undamaged", "");
    if (undamaged == null) throw new IllegalStateException("the undamaged station does not open");
    for (Map.Entry<String, Object[]> call : readerCalls().entrySet()) {
      Object answer = answer(call.getKey(), call.getValue());
      baseline.put(call.getKey(), answer);
      if (!(answer instanceof Code) && setBack(call.getKey(), call.getValue(), answer) == 0) {
        settable.add(call.getKey());
      }
    }
    leave(undamaged);

    for (String table : query(golden, "SELECT name FROM sqlite_master WHERE type = 'table'"
        + " AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' ORDER BY name")) {
      if (query(golden, "SELECT count(*) FROM \"" + table + "\"").get(0).equals("0")) {
        count("tables without rows, not damaged");
        continue;
      }
      List<String> key = query(golden,
          "SELECT name FROM pragma_table_info('" + table + "') WHERE pk > 0");
      for (String column : query(golden, "SELECT name FROM pragma_table_info('" + table
          + "') WHERE type LIKE '%INT%' AND name NOT LIKE '%unit\\_id' ESCAPE '\\'")) {
        for (long number : OUT_OF_RANGE) {
          String damage = table + "." + column + " = " + number;
          Path station = variant(golden, "column", "UPDATE OR REPLACE \"" + table + "\" SET \""
              + column + "\" = " + number + ";");
          if (station == null) continue;
          sweepReaders(damage, number, key.contains(column));
          leave(station);
          count("columns damaged");
        }
      }
    }

    List<String> settings = query(golden,
        "SELECT rowid || ' ' || unit_id || ' ' || name || ' ' || length(value) FROM setting");
    for (String setting : settings) {
      String[] parts = setting.split(" ");
      byte[] noise = new byte[Integer.parseInt(parts[3])];
      random.nextBytes(noise);
      String damage = "setting " + parts[2] + " of unit " + parts[1] + " = random bytes";
      Path station = variant(golden, "setting", "UPDATE setting SET value = X'"
          + HexFormat.of().formatHex(noise) + "' WHERE rowid = " + parts[0] + ";");
      if (station == null) continue;
      sweepReaders(damage, null, false);
      leave(station);
      count("settings damaged");
    }
  }

  /**
   * A station with rows in as many tables as the natives fill without outside help, and every
   * settings record its Set native stores; closed, so that station.db holds everything.
   */
  private Path populate() throws Exception {
    Path station = work.resolve("populated");
    TestStation.open(station);
    DiskArrayUtilityJNI.KX_UnitAdd(TestStation.unit(UNIT));
    DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, TestStation.raidGroup(0, 5, 0, 0, 4, 2));
    DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, TestStation.raidGroup(1, 1, 0, 2, 2, 1));
    for (int lu = 0; lu < 3; lu++) {
      DiskArrayUtilityJNI.KX_LogicalUnitAdd(UNIT, TestStation.logicalUnit(lu, lu % 2, 64));
    }
    DiskArrayUtilityJNI.KX_LogicalUnitFormat(UNIT, 0, 1);
    DiskArrayUtilityJNI.KX_SetDriveMode(UNIT, 2, 1, 1);
    KXUserRegist user = new KXUserRegist();
    user.user = "operator";
    user.passwd = "secret";
    DiskArrayUtilityJNI.KX_RegistUser(UNIT, 0, user);
    DiskArrayUtilityJNI.KX_LoginKXUnit(UNIT, 0, user);
    DiskArrayUtilityJNI.KX_ModifyInfo("LBL NEW", 4);
    DiskArrayUtilityJNI.KX_GetPerformance(UNIT);
    DiskArrayUtilityJNI.KX_AppLogPut("populated");
    // Every record a reader answers, stored back through its Set native.
    for (Map.Entry<String, Object[]> call : readerCalls().entrySet()) {
      Object answer = answer(call.getKey(), call.getValue());
      if (!(answer instanceof Code)) setBack(call.getKey(), call.getValue(), answer);
    }
    leave(station);
    // The range triggers (and every other) go once, in every copy.
    Path golden = station.resolve("station.db");
    StringBuilder script = new StringBuilder();
    for (String trigger : query(golden, "SELECT name FROM sqlite_master WHERE type = 'trigger'")) {
      script.append("DROP TRIGGER \"").append(trigger).append("\";");
    }
    sqlite(golden, script.toString());
    return golden;
  }

  /**
   * A copy of the golden station.db edited by `damage`, opened; null when the database's own
   * constraints refuse the edit or the station refuses to open it.
   */
  private Path variant(Path golden, String kind, String damage) throws Exception {
    Path station = Files.createTempDirectory(work, kind);
    Path file = station.resolve("station.db");
    Files.copy(golden, file, StandardCopyOption.REPLACE_EXISTING);
    Path log = golden.resolveSibling("station.db-wal");
    if (Files.exists(log)) {
      Files.copy(log, station.resolve("station.db-wal"), StandardCopyOption.REPLACE_EXISTING);
    }
    try {
      if (!damage.isEmpty()) sqlite(file, damage);
    } catch (IOException e) {
      if (!e.getMessage().contains("constraint failed")) throw e;
      // The database's own checks keep this damage out: nothing to read.
      count("damage the database refuses");
      return null;
    }
    try {
      TestStation.open(station);
    } catch (DiskArrayException e) {
      // Refusing the whole file is a sound answer to damage; there is nothing to read.
      count("station refused to open, code 0x" + Integer.toHexString(e.getCode()));
      leave(station);
      return null;
    }
    return station;
  }

  /** Switches to a folder of no station, which closes the one given, and removes it. */
  private void leave(Path station) throws Exception {
    try {
      DiskArrayUtilityJNI.KX_GUIInitialize(new WorkingDirectory(""));
    } catch (DiskArrayException expected) {
      // An empty path leaves the process with no station, as wanted.
    }
    if (!station.getFileName().toString().equals("populated")) {
      try (var files = Files.walk(station)) {
        files.sorted(Comparator.reverseOrder()).forEach(path -> path.toFile().delete());
      }
    }
  }

  /**
   * Calls every reader on the damaged station. `keyDamaged`: the damaged column is part of its
   * table's key, so the row has left the key a lookup names, and "no such thing" is a sound
   * answer to that lookup.
   */
  private void sweepReaders(String damage, Long number, boolean keyDamaged) {
    for (Map.Entry<String, Object[]> call : readerCalls().entrySet()) {
      String name = call.getKey();
      Object answer = answer(name, call.getValue());
      Object before = baseline.get(name);
      if (answer instanceof Code) {
        int code = ((Code) answer).value;
        if (code == ErrorCodes.KXE_STATION_DAMAGED) {
          count("answered damaged");
        } else if (before instanceof Code && ((Code) before).value == code) {
          count("answered as before");
        } else if (keyDamaged) {
          count("answered not found for a row that left its key");
        } else {
          faults.add(name + " answers code 0x" + Integer.toHexString(code) + " after " + damage);
        }
        continue;
      }
      // A reader with a Set partner is judged by it (the partner says what is valid); any other
      // must not hand the damaged number on.
      if (number != null && !settable.contains(name)) {
        List<String> leaks = new ArrayList<>();
        leaks(answer, before, (int) (long) number, name, leaks);
        if (!leaks.isEmpty()) {
          faults.add(name + " answers the damaged number as data in " + leaks.get(0) + " after "
              + damage);
          continue;
        }
      }
      if (same(answer, before)) {
        count("answered as before");
      } else if (settable.contains(name)) {
        int code = setBack(name, call.getValue(), answer);
        if (code == 0 || STATION_CODES.contains(code)) {
          count("answered data its Set takes back");
        } else {
          faults.add(name + " answers data its Set refuses (code 0x" + Integer.toHexString(code)
              + ") after " + damage);
        }
      } else {
        count(MOVING.contains(name) ? "answered moving data" : "answered other data");
      }
    }
  }

  /** Every reader with its arguments: the unit, and its ints all 0, then all 1. */
  private Map<String, Object[]> readerCalls() {
    Map<String, Object[]> calls = new LinkedHashMap<>();
    for (Method method : readers) {
      Class<?>[] types = method.getParameterTypes();
      int ints = (int) Arrays.stream(types).filter(type -> type == int.class).count();
      for (int combination = 0; combination < (ints > 0 ? 2 : 1); combination++) {
        Object[] args = new Object[types.length + 1];
        args[0] = method;
        boolean seenString = false;
        StringBuilder key = new StringBuilder(method.getName()).append('(');
        for (int i = 0; i < types.length; i++) {
          Object value;
          if (types[i] == int.class) {
            value = combination;
          } else if (types[i] == String.class) {
            value = seenString ? "" : UNIT;
            seenString = true;
          } else {
            value = null;
          }
          args[i + 1] = value;
          key.append(i > 0 ? ", " : "").append(value);
        }
        calls.put(key.append(')').toString(), args);
      }
    }
    return calls;
  }

  /** A code a native threw, told apart from an int it returned. */
  private static final class Code {
    final int value;

    Code(int value) {
      this.value = value;
    }
  }

  /** What the reader answers: its value, or the Code it threw. */
  private Object answer(String name, Object[] call) {
    Method method = (Method) call[0];
    try {
      Object value = method.invoke(null, Arrays.copyOfRange(call, 1, call.length));
      return value == null ? "null" : value;
    } catch (InvocationTargetException e) {
      Throwable thrown = e.getCause();
      if (thrown instanceof DiskArrayException) {
        return new Code(((DiskArrayException) thrown).getCode());
      }
      faults.add(name + " threw " + thrown);
      return new Code(-1);
    } catch (IllegalAccessException e) {
      faults.add(name + ": " + e);
      return new Code(-1);
    }
  }

  /**
   * Hands the answer back to the reader's Set partner: ints as the reader had them (then 0),
   * strings as well, records from the answer (an array's elements in order). 0 when it took
   * them, the code it refused them with, or -1 when there is no partner.
   */
  private int setBack(String name, Object[] call, Object answer) {
    Method method = (Method) call[0];
    Method setter = setters.get("KX_Set" + method.getName().substring("KX_Get".length()));
    if (setter == null) return -1;
    List<Object> ints = new ArrayList<>();
    List<Object> strings = new ArrayList<>();
    for (int i = 1; i < call.length; i++) {
      if (call[i] instanceof Integer) ints.add(call[i]);
      if (call[i] instanceof String) strings.add(call[i]);
    }
    Class<?>[] types = setter.getParameterTypes();
    Object[] args = new Object[types.length];
    int nextInt = 0;
    int nextString = 0;
    int nextRecord = 0;
    for (int i = 0; i < types.length; i++) {
      if (types[i] == int.class) {
        args[i] = nextInt < ints.size() ? ints.get(nextInt) : 0;
        nextInt++;
      } else if (types[i] == String.class) {
        args[i] = nextString < strings.size() ? strings.get(nextString) : UNIT;
        nextString++;
      } else if (types[i].isInstance(answer)) {
        args[i] = answer;
      } else if (answer.getClass().isArray() && nextRecord < Array.getLength(answer)
          && types[i].isInstance(Array.get(answer, nextRecord))) {
        args[i] = Array.get(answer, nextRecord++);
      } else {
        return -1;
      }
    }
    try {
      setter.invoke(null, args);
      return 0;
    } catch (InvocationTargetException e) {
      Throwable thrown = e.getCause();
      if (thrown instanceof DiskArrayException) return ((DiskArrayException) thrown).getCode();
      faults.add(setter.getName() + " threw " + thrown);
      return -1;
    } catch (IllegalAccessException e) {
      return -1;
    }
  }

  /** Where the answer holds `number` as an int that the undamaged answer does not hold there. */
  private static void leaks(Object answer, Object before, int number, String path,
      List<String> found) {
    if (answer == null || found.size() > 0) return;
    if (answer instanceof Integer) {
      if ((Integer) answer == number && !Objects.equals(answer, before)) found.add(path);
      return;
    }
    Class<?> type = answer.getClass();
    if (type.isArray()) {
      if (type.getComponentType() == byte.class) return;
      boolean comparable = before != null && before.getClass() == type;
      for (int i = 0; i < Array.getLength(answer); i++) {
        Object old = comparable && i < Array.getLength(before) ? Array.get(before, i) : null;
        leaks(Array.get(answer, i), old, number, path + "[" + i + "]", found);
      }
      return;
    }
    if (!type.getName().startsWith("korvane.")) return;
    for (Field field : type.getFields()) {
      if (Modifier.isStatic(field.getModifiers())) continue;
      try {
        Object old = before != null && before.getClass() == type ? field.get(before) : null;
        leaks(field.get(answer), old, number, path + "." + field.getName(), found);
      } catch (IllegalAccessException e) {
        found.add(path + "." + field.getName() + " (unreadable)");
      }
    }
  }

  /** Field by field equality of two answers. */
  private static boolean same(Object a, Object b) {
    if (a == null || b == null) return a == b;
    if (a.getClass() != b.getClass()) return false;
    Class<?> type = a.getClass();
    if (type.isArray()) {
      if (Array.getLength(a) != Array.getLength(b)) return false;
      for (int i = 0; i < Array.getLength(a); i++) {
        if (!same(Array.get(a, i), Array.get(b, i))) return false;
      }
      return true;
    }
    if (a instanceof Calendar) return ((Calendar) a).getTimeInMillis() == ((Calendar) b).getTimeInMillis();
    if (!type.getName().startsWith("korvane.")) return a.equals(b);
    for (Field field : type.getFields()) {
      if (Modifier.isStatic(field.getModifiers())) continue;
      try {
        if (!same(field.get(a), field.get(b))) return false;
      } catch (IllegalAccessException e) {
        return false;
      }
    }
    return true;
  }

  private void count(String outcome) {
    outcomes.merge(outcome, 1, Integer::sum);
  }

  /** The rows of a query, one text a row. */
  private static List<String> query(Path file, String sql) throws IOException, InterruptedException {
    String output = sqlite(file, sql);
    List<String> rows = new ArrayList<>();
    for (String line : output.split("\n")) {
      if (!line.isEmpty()) rows.add(line);
    }
    return rows;
  }

  private static String sqlite(Path file, String script) throws IOException, InterruptedException {
    Process process = new ProcessBuilder("sqlite3", "-batch", "-bail", file.toString())
        .redirectErrorStream(true).start();
    try (OutputStream in = process.getOutputStream()) {
      // Copies made to be thrown away need not reach the disk.
      in.write(("PRAGMA synchronous = OFF;" + script).getBytes(StandardCharsets.UTF_8));
    }
    ByteArrayOutputStream out = new ByteArrayOutputStream();
    try (InputStream from = process.getInputStream()) {
      from.transferTo(out);
    }
    String text = out.toString(StandardCharsets.UTF_8);
    if (process.waitFor() != 0) throw new IOException("sqlite3 failed: " + text + " for " + script);
    return text;
  }
}
