package korvane.str.diskarray;

import java.lang.reflect.Array;
import java.lang.reflect.Field;
import java.lang.reflect.InvocationTargetException;
import java.lang.reflect.Method;
import java.lang.reflect.Modifier;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.Comparator;
import java.util.GregorianCalendar;
import java.util.List;
import java.util.Map;
import java.util.Random;
import java.util.Set;
import java.util.TreeMap;

/**
 * Calls every native the library exports with hostile arguments: nulls,
 * empty, oversized and non-BMP texts, texts with NUL and lone surrogates,
 * extreme ints, short and long arrays, records whose fields are null, wrong
 * in length or of the wrong type, and objects of the wrong class. Every call
 * must return or throw DiskArrayException or OutOfMemoryError; anything else,
 * or a crash, fails. Records are filled through reflection from their own
 * fields, so a new native or record is swept without new code.
 *
 * <p>Usage: AdversarialSweep STATION_DIR SEED ROUNDS. Runs in a working
 * directory of its own: hostile names may become files there. Exits 0 when
 * every call behaved, 1 otherwise, listing what did not.
 */
public final class AdversarialSweep {
  /**
   * Natives that reach outside the station with what they are given: they
   * would send mail to hostile addresses or start hostile programs.
   */
  static final Set<String> REACHES_OUTSIDE = Set.of(
      "KX_SendEmail", "KX_SendEmailTest", "KX_ExecuteProgram", "KX_ExecuteProgramTest");

  private static final String UNIT = "sweep-unit";

  private final Random random;
  private final Path station;
  private final Map<String, Integer> outcomes = new TreeMap<>();
  private final List<String> faults = new ArrayList<>();

  private AdversarialSweep(Path station, long seed) {
    this.station = station;
    this.random = new Random(seed);
  }

  public static void main(String[] args) throws Exception {
    Path station = Paths.get(args[0]);
    AdversarialSweep sweep = new AdversarialSweep(station, Long.parseLong(args[1]));
    sweep.prepare();
    sweep.run(Integer.parseInt(args[2]));
    sweep.outcomes.forEach((what, count) -> System.out.println(what + ": " + count));
    if (!sweep.faults.isEmpty()) {
      sweep.faults.forEach(System.out::println);
      System.exit(1);
    }
    System.out.println("sweep clean");
  }

  private void prepare() throws Exception {
    DiskArrayUtilityJNI.KX_GUIInitialize(new WorkingDirectory(station.toString()));
    DiskArrayUtilityJNI.KX_UnitAdd(TestStation.unit(UNIT));
  }

  private void run(int rounds) throws Exception {
    Method[] natives = Arrays.stream(DiskArrayUtilityJNI.class.getDeclaredMethods())
        .filter(m -> Modifier.isNative(m.getModifiers()))
        .sorted(Comparator.comparing(Method::getName))
        .toArray(Method[]::new);
    for (Method method : natives) {
      if (REACHES_OUTSIDE.contains(method.getName())) {
        count("skipped: reaches outside the station");
        continue;
      }
      for (int round = 0; round < rounds; ++round) {
        Object[] args = new Object[method.getParameterCount()];
        Class<?>[] types = method.getParameterTypes();
        for (int i = 0; i < args.length; ++i) args[i] = hostile(types[i], 0);
        if (!call(method, args)) break;
      }
      if (method.getName().equals("KX_GUIInitialize")) {
        DiskArrayUtilityJNI.KX_GUIInitialize(new WorkingDirectory(station.toString()));
      }
    }
  }

  /** False when the native is not exported, so the rest of its rounds are left out. */
  private boolean call(Method method, Object[] args) {
    try {
      method.invoke(null, args);
      count("returned");
    } catch (InvocationTargetException e) {
      Throwable thrown = e.getCause();
      if (thrown instanceof UnsatisfiedLinkError) {
        count("not exported");
        return false;
      }
      if (thrown instanceof DiskArrayException || thrown instanceof OutOfMemoryError) {
        count("threw " + thrown.getClass().getSimpleName());
      } else {
        faults.add(method.getName() + " threw " + thrown + " for " + describe(args));
      }
    } catch (IllegalAccessException e) {
      faults.add(method.getName() + ": " + e);
    }
    return true;
  }

  private void count(String outcome) {
    outcomes.merge(outcome, 1, Integer::sum);
  }

  private static String describe(Object[] args) {
    StringBuilder text = new StringBuilder("(");
    for (Object arg : args) {
      if (text.length() > 1) text.append(", ");
      if (arg instanceof String) {
        String s = (String) arg;
        text.append(s.length() > 40 ? "String[" + s.length() + "]" : '"' + s + '"');
      } else {
        text.append(arg == null ? "null" : arg.getClass().getSimpleName());
      }
    }
    return text.append(')').toString();
  }

  private String hostileString() {
    switch (random.nextInt(10)) {
      case 0: return null;
      case 1: return "";
      case 2: return UNIT;
      case 3: return "u".repeat(17 + random.nextInt(40));
      case 4: return "x".repeat(900 + random.nextInt(2000));
      case 5: return "\uD83D\uDE00".repeat(1 + random.nextInt(600));
      case 6: return "a\u0000b";
      case 7: return "lone\uD800surrogate";
      case 8: return "\u20AC".repeat(1 + random.nextInt(40));
      default: return station.resolve("file-" + random.nextInt(4)).toString();
    }
  }

  private int hostileInt() {
    switch (random.nextInt(6)) {
      case 0: return 0;
      case 1: return -1;
      case 2: return Integer.MIN_VALUE;
      case 3: return Integer.MAX_VALUE;
      case 4: return random.nextInt(600);
      default: return random.nextInt();
    }
  }

  private Object hostile(Class<?> type, int depth) throws Exception {
    if (type == int.class) return hostileInt();
    if (type == String.class) return hostileString();
    if (random.nextInt(8) == 0) return null;
    if (type.isArray()) return hostileArray(type.getComponentType(), depth);
    if (type == Object.class) {
      // A record the bridge reads by field name, or something else entirely.
      Class<?>[] candidates = {Object.class, KXUnitParam.class, RaidGroup.class,
          LogicalUnit.class, FormatEntryList.class, LuReallocRequest.class, String.class};
      Class<?> chosen = candidates[random.nextInt(candidates.length)];
      return chosen == String.class ? hostileString() : hostileRecord(chosen, depth);
    }
    if (java.util.Calendar.class.isAssignableFrom(type)) {
      return new GregorianCalendar(random.nextInt(3000) - 500, random.nextInt(14) - 1,
          random.nextInt(40) - 3, random.nextInt(30), random.nextInt(70), random.nextInt(70));
    }
    if (type.getName().startsWith("korvane.")) return hostileRecord(type, depth);
    return null;
  }

  private Object hostileArray(Class<?> component, int depth) throws Exception {
    int length = random.nextInt(4) == 0 ? random.nextInt(3) : random.nextInt(1100);
    if (component == byte.class) {
      byte[] bytes = new byte[length];
      random.nextBytes(bytes);
      return bytes;
    }
    if (component == int.class) {
      int[] ints = new int[length];
      for (int i = 0; i < length; ++i) ints[i] = hostileInt();
      return ints;
    }
    // Arrays of records and of int[] stay small enough to build quickly.
    length = Math.min(length, depth > 1 ? 3 : 300);
    Object array = Array.newInstance(component, length);
    for (int i = 0; i < length; ++i) {
      Array.set(array, i, depth > 3 ? null : hostile(component, depth + 1));
    }
    return array;
  }

  private Object hostileRecord(Class<?> type, int depth) throws Exception {
    Object record;
    try {
      record = type.getConstructor().newInstance();
    } catch (ReflectiveOperationException e) {
      return null;
    }
    if (depth > 3) return record;
    for (Field field : type.getFields()) {
      if (Modifier.isStatic(field.getModifiers()) || Modifier.isFinal(field.getModifiers())) {
        continue;
      }
      // Now and then a field keeps what the constructor gave it.
      if (random.nextInt(5) == 0) continue;
      field.set(record, hostile(field.getType(), depth + 1));
    }
    return record;
  }
}
