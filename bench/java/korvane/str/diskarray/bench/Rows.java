package korvane.str.diskarray.bench;

import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.util.ArrayList;
import java.util.List;
import korvane.str.diskarray.DiskArrayUtilityJNI;
import korvane.str.diskarray.KXUnitParam;
import korvane.str.diskarray.RaidGroup;

/**
 * The rows of the benchmark table. A further native is one row here: a table read names its core
 * function, the number of records, the bridge call and the pure-Java decoder of its record (or
 * null: no pure-Java column); a single-record read ({@link #readOne}) the same without the count;
 * a single-record write names its core function, a sample object, the bridge call and the
 * pure-Java encoder; a read of one record that makes a tree of objects ({@link #readTree}) its
 * core function and the bridge call. {@link Harness.Row#checkingMemory} adds the check that
 * 1,000 calls in a row leave memory flat, {@link Harness.Row#checkingConcurrentMemory} the peak
 * of native memory while several threads call at once (snapshot only: the fake core watches it). The core function also needs a row in the call table of
 * bench/bench_natives.cpp and a definition in bench/fake_core.cpp that fills its buffer.
 */
final class Rows {
  static final String UNIT = "bench01";

  private Rows() {}

  static List<Harness.Row> all() {
    List<Harness.Row> rows = new ArrayList<>();
    rows.add(read("KX_GetDriveStatus", 225,
        () -> DiskArrayUtilityJNI.KX_GetDriveStatus(UNIT), Codecs::diskDrives)
        .pairedAtMost(1.10));
    rows.add(read("KX_GetRaidGroups", 45,
        () -> DiskArrayUtilityJNI.KX_GetRaidGroups(UNIT), Codecs::raidGroups)
        .pairedAtMost(1.20));
    rows.add(read("KX_GetLogicalUnit", 512,
        () -> DiskArrayUtilityJNI.KX_GetLogicalUnit(UNIT), Codecs::logicalUnits));
    rows.add(read("KX_GetUnitParamTable", 100,
        () -> DiskArrayUtilityJNI.KX_GetUnitParamTable(100), Codecs::unitParams)
        .labelled("KX_GetUnitParamTable(100)"));
    rows.add(readOne("KX_GetUnitParam",
        () -> DiskArrayUtilityJNI.KX_GetUnitParam(UNIT), Codecs::unitParams));
    rows.add(write("KX_RaidGroupAdd", sampleRaidGroup(),
        group -> DiskArrayUtilityJNI.KX_RaidGroupAdd(UNIT, group), Codecs::putRaidGroup));
    rows.add(write("KX_UnitAdd", sampleUnit(),
        DiskArrayUtilityJNI::KX_UnitAdd, Codecs::putUnitParam));
    rows.add(readTree("KX_GetAllInformation",
        () -> DiskArrayUtilityJNI.KX_GetAllInformation(UNIT))
        .checkingMemory().checkingConcurrentMemory().pairedAtMost(1.10));
    rows.add(readTree("KX_GetStatisticalInformation",
        () -> DiskArrayUtilityJNI.KX_GetStatisticalInformation(UNIT, 0)).checkingMemory()
        .pairedAtMost(1.10));
    return rows;
  }

  interface Decoder {
    Object[] decode(ByteBuffer bytes, int count);
  }

  interface BridgeWrite<T> {
    void write(T record) throws Exception;
  }

  interface Encoder<T> {
    void encode(T record, ByteBuffer bytes);
  }

  /**
   * A table of {@code count} records read by one core call. Without a decoder the row has no
   * pure-Java column.
   */
  static Harness.Row read(String coreFunction, int count, Harness.Op bridge, Decoder decoder) {
    int call = callIndex(coreFunction);
    List<Harness.Variant> variants = new ArrayList<>();
    variants.add(new Harness.Variant(Harness.BRIDGE, bridge));
    if (decoder != null) {
      ByteBuffer bytes = directBuffer((long) count * BenchNatives.recordSize(call));
      variants.add(new Harness.Variant(Harness.JAVA, () -> {
        BenchNatives.rawRead(call, UNIT, count, bytes);
        return decoder.decode(bytes, count);
      }));
    }
    variants.add(new Harness.Variant(Harness.CACHED,
        () -> BenchNatives.cachedRead(call, UNIT, count)));
    variants.add(new Harness.Variant(Harness.LOOKUPS, () -> {
      BenchNatives.lookUpOnce(call);
      return BenchNatives.cachedRead(call, UNIT, count);
    }));
    return new Harness.Row(
        coreFunction, count, Harness.Kind.TABLE_READ, List.copyOf(variants));
  }

  /**
   * One record read by one core call (objects = 1). The baselines' results are taken out of
   * their one-element tables.
   */
  static Harness.Row readOne(String coreFunction, Harness.Op bridge, Decoder decoder) {
    Harness.Row table = read(coreFunction, 1, bridge, decoder);
    List<Harness.Variant> variants = new ArrayList<>();
    for (Harness.Variant variant : table.variants()) {
      Harness.Op op = variant.op();
      variants.add(variant.key().equals(Harness.BRIDGE) ? variant
          : new Harness.Variant(variant.key(), () -> ((Object[]) op.run())[0]));
    }
    return new Harness.Row(
        coreFunction, 1, Harness.Kind.SINGLE_READ, List.copyOf(variants));
  }

  /**
   * One record read by one core call that makes a tree of many objects; the row counts them all
   * and its pure-Java column is the {@link TableDecoder} of the record's field tables.
   */
  static Harness.Row readTree(String coreFunction, Harness.Op bridge) {
    int call = callIndex(coreFunction);
    TableDecoder decoder = TableDecoder.of(call);
    ByteBuffer bytes = directBuffer(BenchNatives.recordSize(call));
    return new Harness.Row(coreFunction, decoder.objects(), Harness.Kind.TREE_READ, List.of(
        new Harness.Variant(Harness.BRIDGE, bridge),
        new Harness.Variant(Harness.JAVA, () -> {
          BenchNatives.rawRead(call, UNIT, 1, bytes);
          return decoder.decode(bytes, 0);
        }),
        new Harness.Variant(Harness.CACHED,
            () -> BenchNatives.cachedRead(call, UNIT, 1)[0]),
        new Harness.Variant(Harness.LOOKUPS, () -> {
          BenchNatives.lookUpOnce(call);
          return BenchNatives.cachedRead(call, UNIT, 1)[0];
        })));
  }

  /** One record written by one core call. */
  static <T> Harness.Row write(
      String coreFunction, T sample, BridgeWrite<T> bridge, Encoder<T> encoder) {
    int call = callIndex(coreFunction);
    ByteBuffer bytes = directBuffer(BenchNatives.recordSize(call));
    return new Harness.Row(coreFunction, 1, Harness.Kind.WRITE, List.of(
        new Harness.Variant(Harness.BRIDGE, () -> {
          bridge.write(sample);
          return null;
        }),
        new Harness.Variant(Harness.JAVA, () -> {
          encoder.encode(sample, bytes);
          BenchNatives.rawWrite(call, UNIT, bytes);
          return null;
        }),
        new Harness.Variant(Harness.CACHED, () -> {
          BenchNatives.cachedWrite(call, UNIT, sample);
          return null;
        }),
        new Harness.Variant(Harness.PLAIN, () -> {
          BenchNatives.plainWrite(call, UNIT, sample);
          return null;
        })));
  }

  private static int callIndex(String coreFunction) {
    int call = BenchNatives.callIndex(coreFunction);
    if (call < 0) {
      throw new IllegalStateException(
          coreFunction + " is not in the call table of bench/bench_natives.cpp");
    }
    return call;
  }

  private static ByteBuffer directBuffer(long size) {
    return ByteBuffer.allocateDirect(Math.toIntExact(size)).order(ByteOrder.nativeOrder());
  }

  static RaidGroup sampleRaidGroup() {
    RaidGroup group = new RaidGroup();
    group.rgnum = 7;
    group.level = 5;
    group.port = 1;
    group.row = 3;
    group.width = 4;
    group.depth = 2;
    group.minimum_capa = 1_048_576;
    group.lastLBASet = 1;
    group.lastLBA = 0x7FFF_FFF0;
    group.rest_h = -1;
    group.rest = 123_456;
    group.lumaxcapa = 65_536;
    return group;
  }

  static KXUnitParam sampleUnit() {
    KXUnitParam unit = new KXUnitParam();
    unit.unit_name = "array07";
    unit.group_name = "production";
    unit.connect_type = 1;
    unit.kx_type = 2;
    unit.unit_conf = -3;
    unit.alert = 200;
    unit.ctl0 = "192.168.10.21";
    unit.ctl1 = "controller-b.rack07.example.net";
    return unit;
  }
}
