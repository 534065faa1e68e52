// The generic builder and reader over a record with a field of every kind.
#include "bridge/record.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

#include "bridge/errors.h"
#include "kx_api.h"
#include "tests/native/jni_faults.h"
#include "tests/native/jvm.h"

namespace kxtest {
namespace {

using namespace kx;

// The builder and reader with a lookup table of their own, as a native call
// that converts one record has.
jobject build_record(JNIEnv* env, const RecordType& type, const void* record) {
  Lookups lookups(env);
  return kx::build_record(lookups, type, record);
}
int32_t read_record(JNIEnv* env, const RecordType& type, jobject object,
                    void* record) {
  Lookups lookups(env);
  return kx::read_record(lookups, type, object, record);
}
size_t fill_record_array(JNIEnv* env, jobjectArray array,
                         const RecordType& type, const void* records,
                         size_t count, bool stop_at_failure) {
  Lookups lookups(env);
  return kx::fill_record_array(lookups, array, type, records, count,
                               stop_at_failure);
}

struct SampleEntryRecord {
  int32_t id;
  char tag[12];
};

struct SampleRecord {
  int32_t number;
  int8_t small;
  uint8_t flag;
  char label[10];
  int8_t levels[6];
  int32_t counters[3];
  uint8_t raw[8];
  char names[2][12];
  SampleEntryRecord inner;
  SampleEntryRecord entries[3];
  int32_t grid[2][3];
};
// Offsets written out by hand: the tests check the tables against these.
KX_ASSERT_OFFSET(SampleRecord, small, 4);
KX_ASSERT_OFFSET(SampleRecord, flag, 5);
KX_ASSERT_OFFSET(SampleRecord, label, 6);
KX_ASSERT_OFFSET(SampleRecord, levels, 16);
KX_ASSERT_OFFSET(SampleRecord, counters, 24);
KX_ASSERT_OFFSET(SampleRecord, raw, 36);
KX_ASSERT_OFFSET(SampleRecord, names, 44);
KX_ASSERT_OFFSET(SampleRecord, inner, 68);
KX_ASSERT_OFFSET(SampleRecord, entries, 84);
KX_ASSERT_OFFSET(SampleRecord, grid, 132);
KX_ASSERT_SIZE(SampleRecord, 156);

constexpr FieldSpec kEntryFields[] = {
    KX_FIELD(int32, SampleEntryRecord, id),
    KX_FIELD(text, SampleEntryRecord, tag),
};
const RecordType kEntryType =
    record_type("korvane/str/diskarray/testing/SampleEntry",
                "Lkorvane/str/diskarray/testing/SampleEntry;",
                "[Lkorvane/str/diskarray/testing/SampleEntry;",
                sizeof(SampleEntryRecord), kEntryFields);

constexpr FieldSpec kSampleFields[] = {
    KX_FIELD(int32, SampleRecord, number),
    KX_FIELD(signed_byte, SampleRecord, small),
    KX_FIELD(unsigned_byte, SampleRecord, flag),
    KX_FIELD(text, SampleRecord, label),
    KX_FIELD(byte_list, SampleRecord, levels),
    KX_FIELD(int_array, SampleRecord, counters),
    KX_FIELD(byte_array, SampleRecord, raw),
    KX_FIELD(text_array, SampleRecord, names),
    KX_NESTED(record, SampleRecord, inner, kEntryType),
    KX_NESTED(record_array, SampleRecord, entries, kEntryType),
    KX_FIELD(int_matrix, SampleRecord, grid),
};
const RecordType kSampleType =
    record_type("korvane/str/diskarray/testing/Sample",
                "Lkorvane/str/diskarray/testing/Sample;",
                "[Lkorvane/str/diskarray/testing/Sample;", sizeof(SampleRecord),
                kSampleFields);

class RecordTest : public JniTest {
 protected:
  // A record whose every byte is distinct where it matters.
  static std::vector<uint8_t> filled_record() {
    std::vector<uint8_t> bytes(sizeof(SampleRecord));
    for (size_t i = 0; i < bytes.size(); ++i)
      bytes[i] = static_cast<uint8_t>(0x40 + i % 60);
    auto put_text = [&](size_t offset, const char* text, size_t width) {
      std::memset(&bytes[offset], 0, width);
      std::memcpy(&bytes[offset], text, std::strlen(text));
    };
    auto put_int = [&](size_t offset, int32_t value) {
      std::memcpy(&bytes[offset], &value, 4);
    };
    put_int(0, -2);
    bytes[4] = 0xFE;  // small: -2
    bytes[5] = 0xFE;  // flag: 254
    put_text(6, "label", 10);
    const uint8_t levels[6] = {0x00, 0x01, 0x7F, 0x80, 0xFE, 0xFF};
    std::memcpy(&bytes[16], levels, 6);
    put_int(24, 100);
    put_int(28, -200);
    put_int(32, 300);
    put_text(44, "alpha", 12);
    put_text(56, "beta", 12);
    put_int(68, 7);
    put_text(72, "inner", 12);
    for (int i = 0; i < 3; ++i) {
      put_int(84 + 16 * i, 10 + i);
      put_text(88 + 16 * i, "entry", 12);
      bytes[88 + 16 * i + 5] = static_cast<char>('0' + i);
    }
    for (int i = 0; i < 6; ++i) put_int(132 + 4 * i, i * 11);
    return bytes;
  }

  std::vector<jint> ints_of(jobject array) {
    auto ints = static_cast<jintArray>(array);
    std::vector<jint> values(env->GetArrayLength(ints));
    env->GetIntArrayRegion(ints, 0, static_cast<jsize>(values.size()),
                           values.data());
    return values;
  }

  // Builds within the sixteen local references a native method is given.
  jobject build(const std::vector<uint8_t>& bytes) {
    env->PushLocalFrame(16);
    jobject object = build_record(env, kSampleType, bytes.data());
    return env->PopLocalFrame(object);
  }
};

TEST_F(RecordTest, BuilderSetsEveryKindFromItsOffset) {
  std::vector<uint8_t> bytes = filled_record();
  jobject sample = build(bytes);
  ASSERT_NE(sample, nullptr);
  EXPECT_EQ(get_int(sample, "number"), -2);
  EXPECT_EQ(get_int(sample, "small"), -2);
  EXPECT_EQ(get_int(sample, "flag"), 254);
  EXPECT_EQ(get_string(sample, "label"), "label");
  EXPECT_EQ(ints_of(get_object(sample, "levels", "[I")),
            (std::vector<jint>{0, 1, 127, -128, -2, -1}));
  EXPECT_EQ(ints_of(get_object(sample, "counters", "[I")),
            (std::vector<jint>{100, -200, 300}));
  jbyte raw[8];
  env->GetByteArrayRegion(
      static_cast<jbyteArray>(get_object(sample, "raw", "[B")), 0, 8, raw);
  EXPECT_EQ(std::memcmp(raw, &bytes[36], 8), 0);

  auto names = static_cast<jobjectArray>(
      get_object(sample, "names", "[Ljava/lang/String;"));
  ASSERT_EQ(env->GetArrayLength(names), 12);  // the width, not the count
  jobject inner = get_object(sample, "inner",
                             "Lkorvane/str/diskarray/testing/SampleEntry;");
  EXPECT_EQ(get_int(inner, "id"), 7);
  EXPECT_EQ(get_string(inner, "tag"), "inner");
  auto entries = static_cast<jobjectArray>(get_object(
      sample, "entries", "[Lkorvane/str/diskarray/testing/SampleEntry;"));
  ASSERT_EQ(env->GetArrayLength(entries), 3);
  jobject last = env->GetObjectArrayElement(entries, 2);
  EXPECT_EQ(get_int(last, "id"), 12);
  EXPECT_EQ(get_string(last, "tag"), "entry2");
  auto grid = static_cast<jobjectArray>(get_object(sample, "grid", "[[I"));
  ASSERT_EQ(env->GetArrayLength(grid), 2);
  EXPECT_EQ(ints_of(env->GetObjectArrayElement(grid, 1)),
            (std::vector<jint>{33, 44, 55}));
}

TEST_F(RecordTest, TextWithoutTerminatorStaysWithinItsWidth) {
  std::vector<uint8_t> bytes = filled_record();
  std::memset(&bytes[6], 'z', 10);  // label: ten bytes, no NUL
  jobject sample = build(bytes);
  ASSERT_NE(sample, nullptr);
  EXPECT_EQ(get_string(sample, "label"), "zzzzzzzzz");
}

TEST_F(RecordTest, RecordAtAnyAlignmentBuildsTheSameObject) {
  // Int arrays go to Java straight from an aligned record and through a
  // buffer from one that is not; both give the same ints.
  std::vector<uint8_t> bytes = filled_record();
  for (size_t shift : {size_t{0}, size_t{1}, size_t{2}, size_t{3}}) {
    std::vector<uint8_t> moved(bytes.size() + 8);
    uint8_t* at = moved.data() + shift;
    std::memcpy(at, bytes.data(), bytes.size());
    env->PushLocalFrame(16);
    jobject sample = build_record(env, kSampleType, at);
    ASSERT_NE(sample, nullptr) << shift;
    EXPECT_EQ(ints_of(get_object(sample, "counters", "[I")),
              (std::vector<jint>{100, -200, 300}))
        << shift;
    auto grid = static_cast<jobjectArray>(get_object(sample, "grid", "[[I"));
    EXPECT_EQ(ints_of(env->GetObjectArrayElement(grid, 0)),
              (std::vector<jint>{0, 11, 22}))
        << shift;
    EXPECT_EQ(ints_of(env->GetObjectArrayElement(grid, 1)),
              (std::vector<jint>{33, 44, 55}))
        << shift;
    EXPECT_EQ(ints_of(get_object(sample, "levels", "[I")),
              (std::vector<jint>{0, 1, 127, -128, -2, -1}))
        << shift;
    env->PopLocalFrame(nullptr);
  }
}

TEST_F(RecordTest, TextsBeyondAsciiAreConvertedWherever) {
  // The label is nine bytes at most; a byte above 0x7F anywhere in it, on
  // either side of an eight-byte word, sends it through the conversion, and
  // bytes after the NUL are not part of it.
  struct Case {
    const char* bytes;  // ten bytes of the slot
    std::string expected;
  };
  const Case cases[] = {
      {"abcdefg\xC3\xA9\0", "abcdefg\u00e9"},
      {"\xC3\xA9" "bcdefgh\0", "\u00e9bcdefgh"},
      {"abcdefgh\xFF\0", "abcdefgh\ufffd"},
      {"abc\0\xFF\xFF\xFF\xFF\xFF\xFF", "abc"},
      {"abcdefghi\xFF", "abcdefghi"},
  };
  for (const Case& c : cases) {
    std::vector<uint8_t> bytes = filled_record();
    std::memcpy(&bytes[6], c.bytes, 10);
    jobject sample = build(bytes);
    ASSERT_NE(sample, nullptr) << c.expected;
    EXPECT_EQ(get_string(sample, "label"), c.expected);
  }
}

TEST_F(RecordTest, LookupTableKeepsEveryTypeOfALargeCall) {
  // A call that meets many record types, one of them wider than a block of
  // field slots: every type keeps its own IDs at a place that does not move
  // while later types are added, and reads give the right values.
  jobject entry = new_object("korvane/str/diskarray/testing/SampleEntry");
  set_int(entry, "id", 41);
  std::vector<FieldSpec> wide(600, kEntryFields[0]);
  std::vector<RecordType> types(100, unnamed_record_type(
                                         sizeof(SampleEntryRecord),
                                         kEntryFields));
  types[50].fields = wide.data();
  types[50].field_count = wide.size();
  Lookups lookups(env);
  std::vector<Lookups::TypeIds*> first;
  for (const RecordType& type : types) {
    Lookups::TypeIds* ids = lookups.for_reading(type, entry);
    ASSERT_NE(ids, nullptr);
    ASSERT_EQ(ids->type, &type);
    first.push_back(ids);
    SampleEntryRecord record{};
    ASSERT_EQ(kx::read_record(lookups, type, entry, &record), 0);
    EXPECT_EQ(record.id, 41);
  }
  for (size_t i = 0; i < types.size(); ++i) {
    EXPECT_EQ(lookups.for_reading(types[i], entry), first[i]) << i;
    for (size_t f = 0; f < types[i].field_count; ++f) {
      EXPECT_NE(first[i]->fields[f].id, nullptr) << i << " " << f;
    }
    // No two types share a field slot.
    for (size_t j = 0; j < i; ++j) {
      const size_t slot = sizeof(Lookups::FieldIds);
      const auto a = reinterpret_cast<uintptr_t>(first[i]->fields);
      const auto b = reinterpret_cast<uintptr_t>(first[j]->fields);
      EXPECT_TRUE(a + types[i].field_count * slot <= b ||
                  b + types[j].field_count * slot <= a)
          << i << " and " << j;
    }
  }
  EXPECT_FALSE(env->ExceptionCheck());
}

TEST_F(RecordTest, ReaderWritesEveryFieldAtItsOffset) {
  std::vector<uint8_t> bytes = filled_record();
  jobject sample = build(bytes);
  ASSERT_NE(sample, nullptr);
  // What the builder made, read back, is the record again wherever a field
  // lies; text bytes after the NUL come back zero.
  std::vector<uint8_t> back(sizeof(SampleRecord), 0);
  ASSERT_EQ(read_record(env, kSampleType, sample, back.data()), 0);
  std::vector<uint8_t> expected = bytes;
  for (size_t gap : {22u, 23u}) expected[gap] = 0;  // padding: never written
  EXPECT_EQ(back, expected);

  set_int(sample, "small", 200);
  set_int(sample, "flag", -1);
  ASSERT_EQ(read_record(env, kSampleType, sample, back.data()), 0);
  EXPECT_EQ(back[4], 0xC8);
  EXPECT_EQ(back[5], 0xFF);
}

TEST_F(RecordTest, ReaderStopsAtTheFirstFailure) {
  jobject sample = build(filled_record());
  ASSERT_NE(sample, nullptr);
  // A null text reads as an empty one; a null int[] ends the reader.
  set_string(sample, "label", nullptr);
  env->SetObjectField(
      sample, env->GetFieldID(env->GetObjectClass(sample), "counters", "[I"),
      nullptr);
  std::vector<uint8_t> back(sizeof(SampleRecord), 0xEE);
  EXPECT_EQ(read_record(env, kSampleType, sample, back.data()), ERR_MARSHAL);
  EXPECT_EQ(back[0], 0xFE);  // number
  EXPECT_EQ(std::vector<uint8_t>(back.begin() + 6, back.begin() + 16),
            std::vector<uint8_t>(10, 0));  // label
  EXPECT_EQ(back[16], 0x00);               // levels
  EXPECT_EQ(back[36], 0xEE);               // raw, after the counters: untouched
  EXPECT_FALSE(env->ExceptionCheck());

  EXPECT_EQ(read_record(env, kSampleType, nullptr, back.data()), -1);
  EXPECT_EQ(read_record(env, kSampleType, sample, nullptr), -1);
}

TEST_F(RecordTest, UnreadableIntStopsTheReader) {
  jobject sample = build(filled_record());
  std::vector<uint8_t> back(sizeof(SampleRecord), 0xEE);
  {
    JniFaults faults({{Slot::kGetFieldID, "small"}});
    EXPECT_EQ(read_record(env, kSampleType, sample, back.data()), ERR_MARSHAL);
  }
  EXPECT_TRUE(exception_of("java.lang.NoSuchFieldError"));
  EXPECT_EQ(back[4], 0xEE);
  EXPECT_EQ(back[5], 0xEE);
}

TEST_F(RecordTest, ReaderCutsLongArraysToTheRecord) {
  jobject sample = build(filled_record());
  jclass entry_class =
      env->FindClass("korvane/str/diskarray/testing/SampleEntry");
  jobjectArray five = env->NewObjectArray(5, entry_class, nullptr);
  for (jsize i = 0; i < 5; ++i) {
    jobject entry = new_object("korvane/str/diskarray/testing/SampleEntry");
    set_int(entry, "id", 1000 + i);
    set_string(entry, "tag", "t");
    env->SetObjectArrayElement(five, i, entry);
    env->DeleteLocalRef(entry);
  }
  env->SetObjectField(
      sample,
      env->GetFieldID(env->GetObjectClass(sample), "entries",
                      "[Lkorvane/str/diskarray/testing/SampleEntry;"),
      five);
  std::vector<uint8_t> back(sizeof(SampleRecord) + 16, 0xEE);
  ASSERT_EQ(read_record(env, kSampleType, sample, back.data()), 0);
  int32_t third;
  std::memcpy(&third, &back[84 + 32], 4);
  EXPECT_EQ(third, 1002);
  EXPECT_EQ(back[132], 0);  // grid follows, not a fourth entry
}

TEST_F(RecordTest, TextFailureWithoutExceptionIsSkipped) {
  std::vector<uint8_t> bytes = filled_record();
  jobject sample;
  {
    JniFaults faults({{Slot::kNewStringUTF, "label", 0, -1, false}});
    sample = build(bytes);
  }
  ASSERT_NE(sample, nullptr);
  EXPECT_EQ(get_string(sample, "label"), "<null>");
  EXPECT_EQ(get_int(sample, "number"), -2);
  EXPECT_EQ(ints_of(get_object(sample, "counters", "[I")),
            (std::vector<jint>{100, -200, 300}));
}

TEST_F(RecordTest, TextFailureWithExceptionEndsAtTheNextCheckedField) {
  jobject sample;
  {
    JniFaults faults({{Slot::kNewStringUTF, "label"}});
    sample = build(filled_record());
  }
  EXPECT_EQ(sample, nullptr);
  EXPECT_TRUE(exception_of("java.lang.OutOfMemoryError"));
}

TEST_F(RecordTest, AbortingFieldsDropTheObject) {
  struct Case {
    Fault fault;
    const char* exception;
  };
  const Case cases[] = {
      {{Slot::kGetFieldID, "flag"}, "java.lang.NoSuchFieldError"},
      {{Slot::kNewIntArray, ""}, "java.lang.OutOfMemoryError"},
      {{Slot::kGetFieldID, "raw"}, "java.lang.NoSuchFieldError"},
      {{Slot::kGetFieldID, "inner"}, "java.lang.NoSuchFieldError"},
      // The fifth object made is the third element of `entries`.
      {{Slot::kNewObjectV, "", 4, 1}, "java.lang.OutOfMemoryError"},
      {{Slot::kNewObjectArray, ""}, "java.lang.OutOfMemoryError"},
      {{Slot::kGetFieldID, "grid"}, "java.lang.NoSuchFieldError"},
  };
  std::vector<uint8_t> bytes = filled_record();
  for (const Case& c : cases) {
    jobject sample;
    {
      JniFaults faults({c.fault});
      sample = build(bytes);
      EXPECT_GE(faults.failures(), 1);
    }
    EXPECT_EQ(sample, nullptr) << c.exception;
    EXPECT_TRUE(exception_of(c.exception));
  }
}

TEST_F(RecordTest, BuilderOfAMissingClassReportsIt) {
  std::vector<uint8_t> bytes = filled_record();
  const RecordType missing =
      record_type("korvane/str/diskarray/testing/Gone", "", "",
                  sizeof(SampleRecord), kSampleFields);
  EXPECT_EQ(build_record(env, missing, bytes.data()), nullptr);
  jthrowable thrown = take_exception();
  EXPECT_EQ(
      message_of(thrown),
      "java.lang.ClassNotFoundException: korvane/str/diskarray/testing/Gone");
  EXPECT_EQ(build_record(env, kSampleType, nullptr), nullptr);
  EXPECT_FALSE(env->ExceptionCheck());
}

TEST_F(RecordTest, RecordArraysStopOrGoOn) {
  std::vector<SampleEntryRecord> entries(40);
  for (int i = 0; i < 40; ++i) {
    entries[i].id = i;
    std::snprintf(entries[i].tag, sizeof(entries[i].tag), "e%d", i);
  }
  jclass entry_class =
      env->FindClass("korvane/str/diskarray/testing/SampleEntry");
  jobjectArray array = env->NewObjectArray(40, entry_class, nullptr);
  {
    // Forty elements within the sixteen references a native method has.
    LocalFrame frame(16);
    JniFaults faults({{Slot::kNewObjectV, "", 3, 1, false}});
    EXPECT_EQ(
        fill_record_array(env, array, kEntryType, entries.data(), 40, true),
        3u);
  }
  jobject third = env->GetObjectArrayElement(array, 2);
  EXPECT_EQ(get_int(third, "id"), 2);
  EXPECT_EQ(env->GetObjectArrayElement(array, 3), nullptr);
  EXPECT_EQ(env->GetObjectArrayElement(array, 39), nullptr);

  jobjectArray all = env->NewObjectArray(40, entry_class, nullptr);
  {
    LocalFrame frame(16);
    JniFaults faults({{Slot::kNewObjectV, "", 3, 1, false}});
    EXPECT_EQ(
        fill_record_array(env, all, kEntryType, entries.data(), 40, false),
        39u);
  }
  EXPECT_EQ(env->GetObjectArrayElement(all, 3), nullptr);
  jobject last = env->GetObjectArrayElement(all, 39);
  EXPECT_EQ(get_string(last, "tag"), "e39");
}

}  // namespace
}  // namespace kxtest
