package korvane.str.diskarray.bench;

import java.lang.reflect.Constructor;
import java.lang.reflect.Field;
import java.lang.reflect.Modifier;
import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.List;
import java.util.Map;

/**
 * A pure-Java decoder of a call's C record, driven by the bridge's own field tables, which
 * {@link BenchNatives#layout} hands over once as text. For records too large to decode by hand
 * (the statistics record: 30 classes, thousands of objects). Classes, constructors and
 * {@link Field}s are looked up when the decoder is made; decoding then reads the bytes from a
 * {@link ByteBuffer} and sets the fields through reflection, which costs more than the
 * assignments of a hand-written decoder ({@link Codecs}), so this column is an upper bound of
 * what decoding in Java costs.
 *
 * <p>Field kinds are the bridge's ({@code bridge/record.h}).
 */
final class TableDecoder {
  // FieldKind of bridge/record.h, in its order.
  private static final int INT = 0;
  private static final int SIGNED_BYTE = 1;
  private static final int UNSIGNED_BYTE = 2;
  private static final int TEXT = 3;
  private static final int BYTE_LIST = 4;
  private static final int INT_ARRAY = 5;
  private static final int BYTE_ARRAY = 6;
  private static final int TEXT_ARRAY = 7;
  private static final int RECORD = 8;
  private static final int RECORD_ARRAY = 9;
  private static final int INT_MATRIX = 10;
  private static final int RECORD_MATRIX = 11;

  private static final class Type {
    Class<?> cls;
    Constructor<?> constructor;
    int size;
    final List<Slot> slots = new ArrayList<>();
    int objects = -1;
  }

  private static final class Slot {
    final Type owner;
    final String name;
    final int kind;
    Field field;
    int offset;
    int count;
    int stride;
    int columns;
    int nestedIndex = -1;
    Type nested;

    Slot(Type owner, String name, int kind) {
      this.owner = owner;
      this.name = name;
      this.kind = kind;
    }
  }

  private final Type root;
  private final byte[] scratch = new byte[1024];

  private TableDecoder(Type root) {
    this.root = root;
  }

  /** The decoder of the call's record type. */
  static TableDecoder of(int call) {
    try {
      return parse(BenchNatives.layout(call));
    } catch (ReflectiveOperationException e) {
      throw new IllegalStateException("the field tables do not match the classes", e);
    }
  }

  /** Objects and arrays one decoded record makes, the root included. */
  int objects() {
    return count(root);
  }

  /** The record at {@code base} of the buffer, as a new object tree. */
  Object decode(ByteBuffer bytes, int base) throws ReflectiveOperationException {
    return decode(root, bytes.order(ByteOrder.nativeOrder()), base);
  }

  private static TableDecoder parse(String layout) throws ReflectiveOperationException {
    Map<Integer, Type> types = new HashMap<>();
    List<Slot> slots = new ArrayList<>();
    for (String line : layout.split("\n")) {
      String[] word = line.split(" ");
      Type type = types.computeIfAbsent(Integer.parseInt(word[1]), key -> new Type());
      switch (word[0]) {
        case "type" -> {
          type.cls = Class.forName(word[2].replace('/', '.'));
          type.constructor = type.cls.getConstructor();
          type.size = Integer.parseInt(word[3]);
        }
        case "field" -> {
          Slot slot = new Slot(type, word[2], Integer.parseInt(word[3]));
          slot.offset = Integer.parseInt(word[4]);
          slot.count = Integer.parseInt(word[5]);
          slot.stride = Integer.parseInt(word[6]);
          slot.nestedIndex = Integer.parseInt(word[7]);
          slot.columns = Integer.parseInt(word[8]);
          slots.add(slot);
        }
        default -> throw new IllegalStateException("unknown layout line " + line);
      }
    }
    // Fields are found once every class is known.
    for (Slot slot : slots) {
      slot.field = slot.owner.cls.getField(slot.name);
      if (Modifier.isStatic(slot.field.getModifiers())) {
        throw new IllegalStateException(slot.name + " is static");
      }
      slot.nested = slot.nestedIndex >= 0 ? types.get(slot.nestedIndex) : null;
      slot.owner.slots.add(slot);
    }
    return new TableDecoder(types.get(0));
  }

  private static int count(Type type) {
    if (type.objects < 0) {
      int objects = 1;
      for (Slot slot : type.slots) {
        switch (slot.kind) {
          case INT, SIGNED_BYTE, UNSIGNED_BYTE -> { }
          case RECORD -> objects += count(slot.nested);
          case RECORD_ARRAY -> objects += 1 + slot.count * count(slot.nested);
          case TEXT_ARRAY, INT_MATRIX -> objects += 1 + slot.count;
          case RECORD_MATRIX ->
              objects += 1 + slot.count * (1 + slot.columns * count(slot.nested));
          default -> objects += 1;  // a text or an array of numbers
        }
      }
      type.objects = objects;
    }
    return type.objects;
  }

  private Object decode(Type type, ByteBuffer bytes, int base)
      throws ReflectiveOperationException {
    Object object = type.constructor.newInstance();
    for (Slot slot : type.slots) {
      int at = base + slot.offset;
      Field field = slot.field;
      switch (slot.kind) {
        case INT -> field.setInt(object, bytes.getInt(at));
        case SIGNED_BYTE -> field.setInt(object, bytes.get(at));
        case UNSIGNED_BYTE -> field.setInt(object, bytes.get(at) & 0xFF);
        case TEXT -> field.set(object, text(bytes, at, slot.count));
        case BYTE_LIST -> {
          int[] values = new int[slot.count];
          for (int i = 0; i < values.length; i++) {
            values[i] = bytes.get(at + i);
          }
          field.set(object, values);
        }
        case INT_ARRAY -> field.set(object, ints(bytes, at, slot.count));
        case BYTE_ARRAY -> {
          byte[] array = (byte[]) field.get(object);
          bytes.get(at, array, 0, Math.min(array.length, slot.count));
        }
        case TEXT_ARRAY -> {
          String[] texts = new String[slot.count];
          for (int i = 0; i < texts.length; i++) {
            texts[i] = text(bytes, at + i * slot.stride, slot.stride);
          }
          field.set(object, texts);
        }
        case RECORD -> field.set(object, decode(slot.nested, bytes, at));
        case RECORD_ARRAY -> {
          Object[] array =
              (Object[]) java.lang.reflect.Array.newInstance(slot.nested.cls, slot.count);
          for (int i = 0; i < array.length; i++) {
            array[i] = decode(slot.nested, bytes, at + i * slot.stride);
          }
          field.set(object, array);
        }
        case INT_MATRIX -> {
          int[][] matrix = new int[slot.count][];
          for (int i = 0; i < matrix.length; i++) {
            matrix[i] = ints(bytes, at + i * slot.stride * 4, slot.stride);
          }
          field.set(object, matrix);
        }
        case RECORD_MATRIX -> {
          Type element = slot.nested;
          Object[] rows = (Object[]) java.lang.reflect.Array.newInstance(
              element.cls.arrayType(), slot.count);
          for (int r = 0; r < rows.length; r++) {
            Object[] row =
                (Object[]) java.lang.reflect.Array.newInstance(element.cls, slot.columns);
            for (int c = 0; c < row.length; c++) {
              row[c] = decode(element, bytes, at + (r * slot.columns + c) * slot.stride);
            }
            rows[r] = row;
          }
          field.set(object, rows);
        }
        default -> throw new IllegalStateException("unknown field kind " + slot.kind);
      }
    }
    return object;
  }

  private static int[] ints(ByteBuffer bytes, int at, int count) {
    int[] values = new int[count];
    for (int i = 0; i < count; i++) {
      values[i] = bytes.getInt(at + 4 * i);
    }
    return values;
  }

  /** The text of a field of {@code width} bytes: up to its NUL, at most width - 1 bytes. */
  private String text(ByteBuffer bytes, int at, int width) {
    int length = 0;
    while (length < width - 1 && bytes.get(at + length) != 0) {
      length++;
    }
    bytes.get(at, scratch, 0, length);
    return new String(scratch, 0, length, StandardCharsets.UTF_8);
  }
}
