package korvane.str.diskarray.cli;

import java.lang.reflect.Array;
import java.lang.reflect.Field;
import java.lang.reflect.Modifier;
import java.util.Collection;
import java.util.Map;

/**
 * Writes records as JSON: an object of a record class becomes a JSON object
 * of its public instance fields in declaration order, arrays and collections
 * become arrays, maps with text keys become objects. Numbers are written as
 * the fields hold them (a byte field is a signed number); chars are
 * one-character strings.
 */
final class Json {
  /** Deeper nesting than any record has; guards against a cycle. */
  private static final int MAX_DEPTH = 32;

  private Json() {}

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
    } else {
      record(out, value, depth, indent);
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

  private static void record(StringBuilder out, Object value, int depth, String indent) {
    String inner = indent + "  ";
    out.append('{');
    boolean first = true;
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
      out.append(first ? "\n" : ",\n").append(inner);
      first = false;
      string(out, field.getName());
      out.append(": ");
      value(out, fieldValue, depth + 1, inner);
    }
    out.append(first ? "}" : "\n" + indent + "}");
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
