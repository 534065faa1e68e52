package korvane.str.diskarray.cli;

import java.lang.reflect.Array;
import java.lang.reflect.Field;
import java.lang.reflect.Modifier;
import java.util.ArrayList;
import java.util.List;

/**
 * Record objects as editable text: one line {@code path = value} per field, nested records as
 * {@code outer.inner}, array elements as {@code name[i]}.
 *
 * <p>Values: ints in decimal (0x hex accepted when read); texts in double quotes with {@code \"}
 * and {@code \\} escaped; {@code int[]} as {@code 1, 2, 3}; {@code int[][]} as rows separated by
 * {@code ;}; {@code byte[]} as hex digits, two per byte. Blank lines and lines starting with
 * {@code #} are comments. Reading applies each line to an existing record, so a file may name
 * only the fields it changes.
 */
public final class RecordText {
  private RecordText() {}

  /** One assignment read from text, with the line it came from. */
  public static final class Assignment {
    public final int line;
    public final String path;
    public final String value;

    Assignment(int line, String path, String value) {
      this.line = line;
      this.path = path;
      this.value = value;
    }
  }

  /** Every field of the record, one line each. */
  public static String write(Object record) {
    StringBuilder out = new StringBuilder();
    write(out, "", record);
    return out.toString();
  }

  private static void write(StringBuilder out, String path, Object value) {
    if (value == null) {
      return;
    }
    if (value instanceof Integer) {
      out.append(path).append(" = ").append(value).append('\n');
    } else if (value instanceof String) {
      out.append(path).append(" = ").append(quote((String) value)).append('\n');
    } else if (value instanceof int[]) {
      out.append(path).append(" = ").append(list((int[]) value)).append('\n');
    } else if (value instanceof int[][]) {
      List<String> rows = new ArrayList<>();
      for (int[] row : (int[][]) value) {
        rows.add(row == null ? "" : list(row));
      }
      out.append(path).append(" = ").append(String.join("; ", rows)).append('\n');
    } else if (value instanceof byte[]) {
      StringBuilder hex = new StringBuilder();
      for (byte b : (byte[]) value) {
        hex.append(String.format("%02x", b & 0xFF));
      }
      out.append(path).append(" = ").append(hex).append('\n');
    } else if (value.getClass().isArray()) {
      for (int i = 0; i < Array.getLength(value); i++) {
        write(out, path + "[" + i + "]", Array.get(value, i));
      }
    } else {
      for (Field field : value.getClass().getDeclaredFields()) {
        int modifiers = field.getModifiers();
        if (!Modifier.isPublic(modifiers) || Modifier.isStatic(modifiers)) {
          continue;
        }
        try {
          write(out, path.isEmpty() ? field.getName() : path + "." + field.getName(),
              field.get(value));
        } catch (IllegalAccessException e) {
          throw new IllegalStateException(e);
        }
      }
    }
  }

  /** The assignments of a text; a line that is not {@code path = value} is refused. */
  public static List<Assignment> parse(String text) {
    List<Assignment> assignments = new ArrayList<>();
    String[] lines = text.split("\r?\n", -1);
    for (int i = 0; i < lines.length; i++) {
      String line = lines[i].trim();
      if (line.isEmpty() || line.startsWith("#")) {
        continue;
      }
      int equals = line.indexOf('=');
      if (equals <= 0) {
        throw new IllegalArgumentException("line " + (i + 1) + ": expected 'path = value'");
      }
      assignments.add(new Assignment(i + 1, line.substring(0, equals).trim(),
          line.substring(equals + 1).trim()));
    }
    return assignments;
  }

  /** Applies the assignments in order; the message of a failure names the line. */
  public static void apply(Object record, List<Assignment> assignments) {
    for (Assignment assignment : assignments) {
      try {
        set(record, assignment.path, assignment.value);
      } catch (IllegalArgumentException e) {
        throw new IllegalArgumentException(
            (assignment.line > 0 ? "line " + assignment.line + ": " : "")
                + assignment.path + ": " + e.getMessage(), e);
      }
    }
  }

  /** Sets the field at path to the value given as text. */
  public static void set(Object record, String path, String value) {
    String[] parts = path.split("\\.", -1);
    Object current = record;
    for (int i = 0; i < parts.length; i++) {
      String part = parts[i];
      String name = part;
      int index = -1;
      int bracket = part.indexOf('[');
      if (bracket >= 0) {
        if (!part.endsWith("]")) {
          throw new IllegalArgumentException("bad index in '" + part + "'");
        }
        name = part.substring(0, bracket);
        index = parseInt(part.substring(bracket + 1, part.length() - 1));
      }
      Field field;
      Object fieldValue;
      try {
        field = current.getClass().getField(name);
        if (Modifier.isStatic(field.getModifiers())) {
          throw new NoSuchFieldException(name);
        }
        fieldValue = field.get(current);
      } catch (NoSuchFieldException | IllegalAccessException e) {
        throw new IllegalArgumentException("no field '" + name + "'");
      }
      boolean last = i == parts.length - 1;
      try {
        if (index >= 0) {
          if (fieldValue == null || !fieldValue.getClass().isArray()
              || index >= Array.getLength(fieldValue)) {
            throw new IllegalArgumentException("no element " + index + " of '" + name + "'");
          }
          if (last) {
            Class<?> type = fieldValue.getClass().getComponentType();
            Object parsed = parse(type, value);
            requireSameShape(Array.get(fieldValue, index), parsed);
            Array.set(fieldValue, index, parsed);
            return;
          }
          current = Array.get(fieldValue, index);
        } else {
          if (last) {
            Object parsed = parse(field.getType(), value);
            requireSameShape(fieldValue, parsed);
            field.set(current, parsed);
            return;
          }
          current = fieldValue;
        }
      } catch (IllegalAccessException e) {
        throw new IllegalArgumentException("cannot set '" + name + "'");
      }
      if (current == null) {
        throw new IllegalArgumentException("'" + name + "' holds nothing");
      }
    }
  }

  /**
   * The fields of a record are fixed-size arrays: a new value must have as
   * many elements (and rows) as the one it replaces.
   */
  private static void requireSameShape(Object current, Object parsed) {
    if (current == null || !current.getClass().isArray()) {
      return;
    }
    int wanted = Array.getLength(current);
    int given = Array.getLength(parsed);
    if (wanted != given) {
      String unit = current instanceof byte[] ? " bytes" : current instanceof int[][] ? " rows"
          : " values";
      throw new IllegalArgumentException("needs " + wanted + unit + ", got " + given);
    }
    if (current instanceof int[][]) {
      for (int row = 0; row < wanted; row++) {
        if (((int[][]) current)[row] == null) {
          continue;
        }
        int rowWanted = ((int[][]) current)[row].length;
        int rowGiven = ((int[][]) parsed)[row].length;
        if (rowWanted != rowGiven) {
          throw new IllegalArgumentException("row " + row + " needs " + rowWanted
              + " values, got " + rowGiven);
        }
      }
    }
  }

  private static Object parse(Class<?> type, String text) {
    if (type == int.class) {
      return parseInt(text);
    }
    if (type == String.class) {
      return unquote(text);
    }
    if (type == int[].class) {
      return parseList(text);
    }
    if (type == int[][].class) {
      String[] rows = text.split(";", -1);
      int[][] matrix = new int[rows.length][];
      for (int r = 0; r < rows.length; r++) {
        matrix[r] = parseList(rows[r]);
      }
      return matrix;
    }
    if (type == byte[].class) {
      String hex = text.replace(" ", "");
      if (hex.length() % 2 != 0) {
        throw new IllegalArgumentException("hex bytes need two digits each");
      }
      byte[] bytes = new byte[hex.length() / 2];
      for (int i = 0; i < bytes.length; i++) {
        int high = Character.digit(hex.charAt(2 * i), 16);
        int low = Character.digit(hex.charAt(2 * i + 1), 16);
        if (high < 0 || low < 0) {
          throw new IllegalArgumentException("'" + text + "' is not hex");
        }
        bytes[i] = (byte) (high << 4 | low);
      }
      return bytes;
    }
    throw new IllegalArgumentException("set the fields of this record one by one");
  }

  private static int parseInt(String text) {
    try {
      String trimmed = text.trim();
      // Decimal, or hex with 0x; a leading zero never means octal.
      boolean hex = trimmed.matches("-?0[xX][0-9a-fA-F]+");
      if (!hex && !trimmed.matches("-?[0-9]+")) {
        throw new NumberFormatException(text);
      }
      long value = hex ? Long.decode(trimmed) : Long.parseLong(trimmed);
      if (value < Integer.MIN_VALUE || value > Integer.MAX_VALUE) {
        throw new IllegalArgumentException("'" + text + "' does not fit an int");
      }
      return (int) value;
    } catch (NumberFormatException e) {
      throw new IllegalArgumentException("'" + text + "' is not a number");
    }
  }

  private static int[] parseList(String text) {
    if (text.trim().isEmpty()) {
      return new int[0];
    }
    String[] items = text.split(",", -1);
    int[] values = new int[items.length];
    for (int i = 0; i < items.length; i++) {
      values[i] = parseInt(items[i]);
    }
    return values;
  }

  private static String list(int[] values) {
    StringBuilder out = new StringBuilder();
    for (int i = 0; i < values.length; i++) {
      out.append(i == 0 ? "" : ", ").append(values[i]);
    }
    return out.toString();
  }

  static String quote(String text) {
    return "\"" + text.replace("\\", "\\\\").replace("\"", "\\\"") + "\"";
  }

  /**
   * A text value: in double quotes (with {@code \"} and {@code \\} inside), or
   * as it stands when it holds no quote. A quote that is not closed, or
   * anything after the closing one, is refused rather than stored.
   */
  static String unquote(String text) {
    if (!text.startsWith("\"")) {
      if (text.indexOf('"') >= 0) {
        throw new IllegalArgumentException("a text holding a quote must be written in quotes,"
            + " the quote as \\\", got " + text);
      }
      return text;
    }
    StringBuilder out = new StringBuilder();
    for (int i = 1; i < text.length(); i++) {
      char c = text.charAt(i);
      if (c == '"') {
        if (i != text.length() - 1) {
          throw new IllegalArgumentException("'" + text.substring(i + 1).trim()
              + "' follows the closing quote of the text");
        }
        return out.toString();
      }
      if (c == '\\') {
        if (++i == text.length()) {
          break;
        }
        c = text.charAt(i);
      }
      out.append(c);
    }
    throw new IllegalArgumentException("the text " + text + " has no closing quote");
  }
}
