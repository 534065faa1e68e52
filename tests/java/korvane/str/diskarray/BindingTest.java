package korvane.str.diskarray;

import static korvane.str.diskarray.ErrorCodes.ERR_NULL_ARGUMENT;
import static korvane.str.diskarray.TestStation.assertUnit;
import static korvane.str.diskarray.TestStation.codeOf;
import static korvane.str.diskarray.TestStation.unit;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;
import static org.junit.jupiter.api.Assertions.fail;

import java.io.File;
import java.io.IOException;
import java.io.UncheckedIOException;
import java.lang.reflect.Array;
import java.lang.reflect.InvocationTargetException;
import java.lang.reflect.Method;
import java.lang.reflect.Modifier;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Arrays;
import java.util.Collections;
import java.util.GregorianCalendar;
import java.util.Map;
import java.util.Set;
import java.util.TreeMap;
import java.util.TreeSet;
import java.util.regex.Matcher;
import java.util.regex.Pattern;
import java.util.stream.Stream;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.DynamicTest;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.TestFactory;
import org.junit.jupiter.api.io.TempDir;

/**
 * Every declared native is reachable, and the implemented ones are bound to
 * the library and answer bad arguments with the bridge's own code rather
 * than an UnsatisfiedLinkError or a crash.
 */
class BindingTest {
  private static final String PREFIX = "Java_korvane_str_diskarray_DiskArrayUtilityJNI_";

  /**
   * The natives the library implements: the names of the entry points it
   * exports, read from its dynamic symbol table.
   */
  static final Set<String> IMPLEMENTED = exportedNatives();

  static Set<String> exportedNatives() {
    Path library = null;
    for (String dir : System.getProperty("java.library.path").split(File.pathSeparator)) {
      Path candidate = Path.of(dir, System.mapLibraryName("diskarrayjni"));
      if (Files.isRegularFile(candidate)) {
        library = candidate;
        break;
      }
    }
    if (library == null) {
      throw new IllegalStateException("diskarrayjni is not on java.library.path");
    }
    Set<String> natives = new TreeSet<>();
    try {
      for (String symbol : ElfSymbols.definedDynamicSymbols(library)) {
        if (symbol.startsWith(PREFIX)) {
          // JNI writes '_' in a method name as "_1".
          natives.add(symbol.substring(PREFIX.length()).replace("_1", "_"));
        }
      }
    } catch (IOException e) {
      throw new UncheckedIOException(e);
    }
    return Collections.unmodifiableSet(natives);
  }

  @TempDir Path station;

  @BeforeEach
  void openStation() throws Exception {
    TestStation.open(station);
  }

  private static Map<String, Method> natives() {
    Map<String, Method> natives = new TreeMap<>();
    for (Method method : DiskArrayUtilityJNI.class.getDeclaredMethods()) {
      if (Modifier.isNative(method.getModifiers())) {
        assertTrue(Modifier.isStatic(method.getModifiers()), method + " is static");
        assertTrue(Modifier.isPublic(method.getModifiers()), method + " is public");
        Method earlier = natives.put(method.getName(), method);
        assertEquals(null, earlier, "overloaded native " + method.getName());
      }
    }
    return natives;
  }

  /** The functions kx_core.h declares: one native each, of the same name. */
  static Set<String> coreFunctions() throws IOException {
    String header = Files.readString(Path.of(System.getProperty("kx.core.header")));
    Set<String> functions = new TreeSet<>();
    Matcher declaration = Pattern.compile("KX_API\\s+int32_t\\s+(KX_\\w+)\\s*\\(").matcher(header);
    while (declaration.find()) {
      functions.add(declaration.group(1));
    }
    return functions;
  }

  @Test
  void declaresEveryNative() throws IOException {
    Map<String, Method> natives = natives();
    Set<String> core = coreFunctions();
    assertFalse(core.isEmpty(), "kx_core.h declares no function");
    assertEquals(core, natives.keySet(), "one native for each function of the core");
    assertFalse(IMPLEMENTED.isEmpty(), "the library exports no native");
    for (String name : IMPLEMENTED) {
      assertTrue(natives.containsKey(name), "exported native " + name + " is declared");
    }
  }

  /** A declared native the library does not export stays unbound. */
  @TestFactory
  Stream<DynamicTest> otherNativesAreUnbound() {
    Map<String, Method> natives = natives();
    return natives.keySet().stream().filter(name -> !IMPLEMENTED.contains(name)).map(name ->
        DynamicTest.dynamicTest(name + " is not bound", () -> {
          Method method = natives.get(name);
          Object[] args = new Object[method.getParameterCount()];
          Class<?>[] types = method.getParameterTypes();
          for (int i = 0; i < args.length; i++) {
            args[i] = types[i] == int.class ? Integer.valueOf(0) : null;
          }
          Throwable thrown = invoke(method, args);
          assertTrue(thrown instanceof UnsatisfiedLinkError, name + " threw " + thrown);
        }));
  }

  @TestFactory
  Stream<DynamicTest> implementedNativesAreBound() {
    Map<String, Method> natives = natives();
    return IMPLEMENTED.stream().sorted().map(name -> {
      Method method = natives.get(name);
      Class<?>[] types = method.getParameterTypes();
      if (types.length > 0 && types[0] == String.class) {
        return DynamicTest.dynamicTest(name + "(null, ...) raises 258",
            () -> assertEquals(ERR_NULL_ARGUMENT, nullFirstArgumentCode(method)));
      }
      return DynamicTest.dynamicTest(name + " is bound", () -> callHarmlessly(method));
    });
  }

  /** Calls the native with a null first argument and the rest zero or null. */
  private static int nullFirstArgumentCode(Method method) throws Exception {
    Object[] args = new Object[method.getParameterCount()];
    Class<?>[] types = method.getParameterTypes();
    for (int i = 1; i < args.length; i++) {
      args[i] = types[i] == int.class ? Integer.valueOf(0) : null;
    }
    Throwable thrown = invoke(method, args);
    if (!(thrown instanceof DiskArrayException)) {
      fail(method.getName() + " with a null first argument: expected DiskArrayException, got "
          + thrown, thrown);
    }
    return ((DiskArrayException) thrown).getCode();
  }

  /** A completed call or a DiskArrayException both prove the native is bound. */
  private void callHarmlessly(Method method) throws Exception {
    Class<?>[] types = method.getParameterTypes();
    Object[] args = new Object[types.length];
    for (int i = 0; i < types.length; i++) {
      args[i] = harmlessArgument(types[i]);
    }
    Throwable thrown = invoke(method, args);
    if (thrown != null && !(thrown instanceof DiskArrayException)) {
      fail(method.getName() + Arrays.toString(args) + " threw " + thrown, thrown);
    }
  }

  private Object harmlessArgument(Class<?> type) throws Exception {
    if (type == int.class) {
      return 0;
    }
    if (type == String.class) {
      return "probe";
    }
    if (type == Object.class) {
      // KX_GUIInitialize: keep this test's own station.
      return new WorkingDirectory(station.toString());
    }
    if (type == GregorianCalendar.class) {
      return new GregorianCalendar();
    }
    if (type.isArray()) {
      return Array.newInstance(type.getComponentType(), 0);
    }
    return type.getConstructor().newInstance();
  }

  /** Invokes a static native and returns what it threw, or null. */
  private static Throwable invoke(Method method, Object[] args) throws IllegalAccessException {
    try {
      method.invoke(null, args);
      return null;
    } catch (InvocationTargetException e) {
      return e.getCause();
    }
  }

  // A null argument is refused by the bridge before the core sees it, so
  // nothing in the station changes.
  @Test
  void nullArgumentsChangeNothing() throws Exception {
    KXUnitParam kept = unit("kept");
    DiskArrayUtilityJNI.KX_UnitAdd(kept);

    assertEquals(ERR_NULL_ARGUMENT, codeOf(() -> DiskArrayUtilityJNI.KX_UnitAdd(null)));
    assertEquals(ERR_NULL_ARGUMENT, codeOf(() -> DiskArrayUtilityJNI.KX_UnitChange("kept", null)));
    assertEquals(ERR_NULL_ARGUMENT,
        codeOf(() -> DiskArrayUtilityJNI.KX_UnitChange(null, unit("renamed"))));
    // Operation 4 would define a label rename.
    assertEquals(ERR_NULL_ARGUMENT, codeOf(() -> DiskArrayUtilityJNI.KX_ModifyInfo(null, 4)));

    assertEquals(1, DiskArrayUtilityJNI.KX_GetUnitCount());
    assertUnit(kept, DiskArrayUtilityJNI.KX_GetUnitParamTable(1)[0]);
    assertEquals(0, DiskArrayUtilityJNI.KX_GetLabelList().length);
  }

  @Test
  void nullWorkingDirectoryIsRefused() {
    assertEquals(ERR_NULL_ARGUMENT, codeOf(() -> DiskArrayUtilityJNI.KX_GUIInitialize(null)));
  }
}
