package korvane.str.diskarray.cli;

import java.lang.reflect.Array;
import java.lang.reflect.Field;
import java.lang.reflect.Modifier;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.Collection;
import java.util.List;
import java.util.Map;
import java.util.function.IntFunction;
import korvane.str.diskarray.DiskArrayConstants;

/**
 * Writes records as JSON: an object of a record class becomes a JSON object
 * of its public instance fields in declaration order, arrays and collections
 * become arrays, maps with text keys become objects; chars are one-character
 * strings.
 *
 * <p>Records are written for reading ({@link FieldNames} has what the station
 * headers say of each field), unless this thread writes them raw ({@link
 * #raw}, the tool's --raw):
 *
 * <ul>
 *   <li>fixed tables (arrays of 8 entries or more, a record's or a command's) leave out
 *       the entries the station marks unused (a RAID group or LU numbered -1,
 *       an empty drive slot, an invalid host group) and the entries that are
 *       empty throughout; an entry that does not carry its own number gets
 *       {@code "index"}, its position in the table. Trailing unused entries of
 *       a table of ints (-1, or a part not installed in a list of part
 *       states) or texts (null, empty) are left out; the others keep their
 *       positions;
 *   <li>byte arrays are written unsigned (0..255), as are the fields that hold
 *       an unsigned 32-bit number (statistics counters, the low half of a free
 *       block count);
 *   <li>an enumerated field keeps its number and is followed by {@code
 *       FIELD_name} (an int array by {@code FIELD_names}), its meaning; a bit
 *       set is followed by {@code FIELD_bits}, the numbers of its bits set.
 * </ul>
 *
 * <p>Raw, every field is written as the Java object holds it: every slot of a
 * table, a byte as a signed number.
 */
final class Json {
  /** Deeper nesting than any record has; guards against a cycle. */
  private static final int MAX_DEPTH = 32;
  /** Arrays this long are fixed tables of slots. */
  static final int TABLE_LENGTH = 8;

  private static final ThreadLocal<Boolean> RAW = ThreadLocal.withInitial(() -> false);

  private Json() {}

  /** Whether this thread writes records as stored, every slot and field as it is. */
  static void raw(boolean on) {
    RAW.set(on);
  }

  /** A JSON object of name, value pairs, in the order given. */
  static Map<String, Object> object(Object... namesAndValues) {
    Map<String, Object> object = new java.util.LinkedHashMap<>();
    for (int i = 0; i + 1 < namesAndValues.length; i += 2) {
      object.put((String) namesAndValues[i], namesAndValues[i + 1]);
    }
    return object;
  }

  /** The value as JSON text, followed by a newline. */
  static String write(Object value) {
    StringBuilder out = new StringBuilder();
    value(out, value, 0, "");
    return out.append('\n').toString();
  }

  /** An entry of a filtered table that carries no number of its own, with its position. */
  private static final class Indexed {
    final int index;
    final Object entry;

    Indexed(int index, Object entry) {
      this.index = index;
      this.entry = entry;
    }
  }

  private static void value(StringBuilder out, Object value, int depth, String indent) {
    if (depth > MAX_DEPTH) {
      throw new IllegalStateException("records nested deeper than " + MAX_DEPTH);
    }
    if (value == null) {
      out.append("null");
    } else if (value instanceof String || value instanceof Character) {
      string(out, value.toString());
    } else if (value instanceof Boolean) {
      out.append(value);
    } else if (value instanceof Double || value instanceof Float) {
      double number = ((Number) value).doubleValue();
      // JSON has no NaN or infinity.
      out.append(Double.isFinite(number) ? value.toString() : "null");
    } else if (value instanceof Number) {
      out.append(value);
    } else if (value.getClass().isArray()) {
      Object readable = RAW.get() ? value : table(value);
      if (readable != value) {
        // Another array, or the list of the entries kept.
        value(out, readable, depth, indent);
        return;
      }
      int length = Array.getLength(value);
      Object[] items = new Object[length];
      for (int i = 0; i < length; i++) {
        items[i] = Array.get(value, i);
      }
      array(out, items, depth, indent);
    } else if (value instanceof Collection) {
      array(out, ((Collection<?>) value).toArray(), depth, indent);
    } else if (value instanceof Map) {
      String inner = indent + "  ";
      out.append('{');
      boolean first = true;
      for (Map.Entry<?, ?> entry : ((Map<?, ?>) value).entrySet()) {
        out.append(first ? "\n" : ",\n").append(inner);
        first = false;
        string(out, String.valueOf(entry.getKey()));
        out.append(": ");
        value(out, entry.getValue(), depth + 1, inner);
      }
      out.append(first ? "}" : "\n" + indent + "}");
    } else if (value instanceof Indexed) {
      record(out, ((Indexed) value).entry, ((Indexed) value).index, depth, indent);
    } else {
      record(out, value, -1, depth, indent);
    }
  }

  private static void array(StringBuilder out, Object[] items, int depth, String indent) {
    if (items.length == 0) {
      out.append("[]");
      return;
    }
    boolean scalars = true;
    for (Object item : items) {
      scalars &= item == null || item instanceof Number || item instanceof Boolean;
    }
    if (scalars) {
      // Numbers on one line: a 512-entry table stays readable.
      out.append('[');
      for (int i = 0; i < items.length; i++) {
        out.append(i == 0 ? "" : ", ");
        value(out, items[i], depth + 1, indent);
      }
      out.append(']');
      return;
    }
    String inner = indent + "  ";
    out.append('[');
    for (int i = 0; i < items.length; i++) {
      out.append(i == 0 ? "\n" : ",\n").append(inner);
      value(out, items[i], depth + 1, inner);
    }
    out.append('\n').append(indent).append(']');
  }

  /** A record's fields; index, when not negative, first as "index". */
  private static void record(StringBuilder out, Object value, int index, int depth,
      String indent) {
    boolean raw = RAW.get();
    String inner = indent + "  ";
    out.append('{');
    boolean first = true;
    if (index >= 0) {
      out.append("\n").append(inner).append("\"index\": ").append(index);
      first = false;
    }
    for (Field field : value.getClass().getFields()) {
      if (Modifier.isStatic(field.getModifiers())) {
        continue;
      }
      Object fieldValue;
      try {
        fieldValue = field.get(value);
      } catch (IllegalAccessException e) {
        continue;
      }
      Map<String, Object> members = new java.util.LinkedHashMap<>();
      if (raw) {
        members.put(field.getName(), fieldValue);
      } else {
        readable(members, value.getClass(), field.getName(), fieldValue);
      }
      for (Map.Entry<String, Object> member : members.entrySet()) {
        out.append(first ? "\n" : ",\n").append(inner);
        first = false;
        string(out, member.getKey());
        out.append(": ");
        value(out, member.getValue(), depth + 1, inner);
      }
    }
    out.append(first ? "}" : "\n" + indent + "}");
  }

  /** The members one field of a record is written as, when not raw. */
  private static void readable(Map<String, Object> members, Class<?> record, String name,
      Object value) {
    if (value instanceof int[] && FieldNames.partList(record, name)) {
      // The parts installed; the slots after the last one hold none.
      int[] states = (int[]) value;
      int used = states.length;
      while (used > 0 && states[used - 1] == DiskArrayConstants.KX_PART_NOT_INSTALLED) {
        used--;
      }
      value = Arrays.copyOf(states, used);
    }
    boolean unsigned = FieldNames.unsigned(record, name);
    if (value instanceof Integer && unsigned) {
      members.put(name, Integer.toUnsignedLong((Integer) value));
    } else if (value instanceof int[] && unsigned) {
      int[] ints = (int[]) value;
      long[] longs = new long[ints.length];
      for (int i = 0; i < ints.length; i++) {
        longs[i] = Integer.toUnsignedLong(ints[i]);
      }
      members.put(name, longs);
    } else {
      members.put(name, value);
    }
    IntFunction<String> names = FieldNames.names(record, name);
    if (names != null && value instanceof Integer) {
      members.put(name + "_name", names.apply((Integer) value));
    } else if (names != null && value instanceof int[]) {
      List<String> each = new ArrayList<>();
      for (int element : (int[]) table(value)) {
        each.add(names.apply(element));
      }
      members.put(name + "_names", each);
    }
    if (FieldNames.bitSet(record, name) && value instanceof Integer) {
      members.put(name + "_bits", FieldNames.bits((Integer) value));
    } else if (FieldNames.bitSet(record, name) && value instanceof int[]) {
      List<List<Integer>> each = new ArrayList<>();
      for (int element : (int[]) value) {
        each.add(FieldNames.bits(element));
      }
      members.put(name + "_bits", each);
    }
  }

  /**
   * An array as written for reading: unsigned bytes, a fixed table's used
   * entries; the array itself when nothing changes.
   */
  private static Object table(Object value) {
    if (value instanceof byte[]) {
      byte[] bytes = (byte[]) value;
      int[] unsigned = new int[bytes.length];
      for (int i = 0; i < bytes.length; i++) {
        unsigned[i] = Byte.toUnsignedInt(bytes[i]);
      }
      return unsigned;
    }
    if (value == null || !value.getClass().isArray() || Array.getLength(value) < TABLE_LENGTH) {
      return value;
    }
    if (value instanceof int[]) {
      int[] ints = (int[]) value;
      int used = ints.length;
      while (used > 0 && ints[used - 1] == DiskArrayConstants.KX_UNUSED_ENTRY) {
        used--;
      }
      return used == ints.length ? value : Arrays.copyOf(ints, used);
    }
    if (value instanceof String[]) {
      String[] texts = (String[]) value;
      int used = texts.length;
      while (used > 0 && (texts[used - 1] == null || texts[used - 1].isEmpty())) {
        used--;
      }
      return used == texts.length ? value : Arrays.copyOf(texts, used);
    }
    if (value.getClass().getComponentType().isPrimitive()
        || value.getClass().getComponentType().isArray()) {
      return value;
    }
    Object[] entries = (Object[]) value;
    boolean numbered = FieldNames.numbered(value.getClass().getComponentType());
    List<Object> kept = new ArrayList<>();
    for (int i = 0; i < entries.length; i++) {
      if (!FieldNames.unused(entries[i])) {
        kept.add(numbered || entries[i] == null ? entries[i] : new Indexed(i, entries[i]));
      }
    }
    return kept;
  }

  /** Whether a value is empty throughout: zeros, empty texts, nulls, in every field. */
  static boolean blank(Object value) {
    if (value == null) {
      return true;
    }
    if (value instanceof Number) {
      return ((Number) value).longValue() == 0 && ((Number) value).doubleValue() == 0;
    }
    if (value instanceof String) {
      return ((String) value).isEmpty();
    }
    if (value instanceof Boolean || value instanceof Character) {
      return false;
    }
    if (value.getClass().isArray()) {
      for (int i = 0; i < Array.getLength(value); i++) {
        if (!blank(Array.get(value, i))) {
          return false;
        }
      }
      return true;
    }
    if (value instanceof Collection || value instanceof Map) {
      return false;
    }
    for (Field field : value.getClass().getFields()) {
      if (Modifier.isStatic(field.getModifiers())) {
        continue;
      }
      try {
        if (!blank(field.get(value))) {
          return false;
        }
      } catch (IllegalAccessException e) {
        return false;
      }
    }
    return true;
  }

  private static void string(StringBuilder out, String text) {
    out.append('"');
    for (int i = 0; i < text.length(); i++) {
      char c = text.charAt(i);
      switch (c) {
        case '"':
          out.append("\\\"");
          break;
        case '\\':
          out.append("\\\\");
          break;
        case '\n':
          out.append("\\n");
          break;
        case '\r':
          out.append("\\r");
          break;
        case '\t':
          out.append("\\t");
          break;
        default:
          if (c < 0x20 || c == 0x2028 || c == 0x2029) {
            out.append(String.format("\\u%04x", (int) c));
          } else {
            out.append(c);
          }
      }
    }
    out.append('"');
  }
}
