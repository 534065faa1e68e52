// Unit condition, drive, unit information and clock natives against the test
// double, byte for byte. Offsets are written out here by hand.
#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

#include "bridge/record.h"
#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "status/status_records.h"
#include "tests/double/core_double.h"
#include "tests/double/test_heap.h"
#include "tests/native/jni_faults.h"
#include "tests/native/jvm.h"

#define NATIVE(name) Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1##name

namespace kxtest {
namespace {

// Bytes of a record under construction; a write past its end throws.
class Bytes {
 public:
  explicit Bytes(size_t size) : bytes_(size, 0) {}
  Bytes& put_int(size_t offset, int32_t value) {
    std::memcpy(span(offset, 4), &value, 4);
    return *this;
  }
  // Text without its NUL when it fills the width.
  Bytes& put_text(size_t offset, const std::string& text) {
    std::memcpy(span(offset, text.size()), text.data(), text.size());
    return *this;
  }
  Bytes& put(size_t offset, const std::vector<uint8_t>& values) {
    std::memcpy(span(offset, values.size()), values.data(), values.size());
    return *this;
  }
  const std::vector<uint8_t>& get() const { return bytes_; }

 private:
  uint8_t* span(size_t offset, size_t size) {
    if (offset + size > bytes_.size()) throw std::out_of_range("past record");
    return bytes_.data() + offset;
  }
  std::vector<uint8_t> bytes_;
};

std::vector<uint8_t> unit_buffer(const std::string& name) {
  std::vector<uint8_t> bytes(17, 0);
  std::memcpy(bytes.data(), name.data(), std::min<size_t>(name.size(), 16));
  return bytes;
}

// A unit condition whose caches are used up to entry 2 only.
Bytes unit_condition() {
  Bytes b(760);
  b.put_text(0, "MC-0123").put_text(8, "PAIR6789");  // micro_pair: no NUL
  b.put_int(16, 120);
  for (int i = 0; i < 3; ++i) {
    b.put_int(20 + 8 * i, 1000 + i).put_int(24 + 8 * i, -1 - i);
    b.put_int(276 + 8 * i, 2000 + i).put_int(280 + 8 * i, 0x7FFF0000 + i);
  }
  std::vector<uint8_t> ps(30), fan(30), enclosure(30);
  for (int i = 0; i < 30; ++i) {
    ps[i] = static_cast<uint8_t>(i);
    fan[i] = static_cast<uint8_t>(0xE2 + i);        // 0xE2 .. 0xFF
    enclosure[i] = static_cast<uint8_t>(0x70 + i);  // crosses 0x80
  }
  b.put(532, ps).put(562, fan);
  b.put(592, {0x7F, 0x80}).put(594, {0xFF, 0x01}).put(596, {0x02, 0xFE});
  b.put(598, {0xFF});  // device_type
  b.put_text(599, "flush0").put_text(606, "flush1");
  b.put_text(613, "192.168.100.200").put_text(629, "192.168.100.201");
  b.put_text(645, "255.255.255.0").put_text(661, "255.255.0.0");
  b.put_text(677, "10.0.0.254").put_text(693, "10.1.0.254");
  b.put(709, {0xFF});  // controller_condition
  b.put(710, enclosure).put(740, {0x00, 0x80, 0xFE, 0x7F});
  b.put_text(744, "SN0123456789");  // fills its 12 bytes
  b.put_int(756, 2);
  return b;
}

class StatusTest : public JniTest {
 protected:
  // Runs a native inside a 16-reference frame, so the checked VM reports any
  // reference the native leaves behind.
  template <typename Call>
  auto in_frame(Call&& call) {
    env->PushLocalFrame(16);
    auto result = call();
    return static_cast<decltype(result)>(env->PopLocalFrame(result));
  }

  std::vector<jint> ints(jobject object, const char* field) {
    auto array = static_cast<jintArray>(get_object(object, field, "[I"));
    if (array == nullptr) return {};
    std::vector<jint> values(env->GetArrayLength(array));
    env->GetIntArrayRegion(array, 0, static_cast<jsize>(values.size()),
                           values.data());
    return values;
  }

  jobject at(jobject array, jsize index) {
    return env->GetObjectArrayElement(static_cast<jobjectArray>(array), index);
  }

  jobject unit_condition_call(jint value = 0) {
    return in_frame([&] {
      return NATIVE(GetUnitCondition)(env, nullptr, java_string("unit-c"),
                                      value);
    });
  }
};

TEST_F(StatusTest, UnitConditionTextThatCannotBeConverted) {
  CoreDouble::set_output(1, unit_condition().get());
  jobject condition;
  {
    JniFaults faults({{Slot::kNewStringUTF, "192.168.100.200", 0, -1, false}});
    condition = unit_condition_call();
  }
  ASSERT_NE(condition, nullptr);
  EXPECT_FALSE(env->ExceptionCheck());
  EXPECT_EQ(get_string(condition, "ctl0_ip"), "<null>");
  EXPECT_EQ(get_string(condition, "ctl1_ip"), "192.168.100.201");
  EXPECT_EQ(get_int(condition, "controller_condition"), 255);
  EXPECT_EQ(ints(condition, "loop").size(), 4u);
  EXPECT_EQ(get_string(condition, "serial"), "SN012345678");
  EXPECT_EQ(get_int(condition, "ctl_num"), 2);

  // The same through the shared type, as the snapshot uses it: the last text
  // too is skipped, and the int after it still set.
  std::vector<uint8_t> bytes = unit_condition().get();
  {
    JniFaults faults({{Slot::kNewStringUTF, "SN012345678", 0, -1, false}});
    condition = in_frame([&] {
      kx::Lookups lookups(env);
      return kx::build_record(lookups, kx::kUnitConditionType, bytes.data());
    });
  }
  ASSERT_NE(condition, nullptr);
  EXPECT_EQ(get_string(condition, "serial"), "<null>");
  EXPECT_EQ(get_int(condition, "ctl_num"), 2);
}

TEST_F(StatusTest, UnitConditionFailures) {
  EXPECT_EQ(NATIVE(GetUnitCondition)(env, nullptr, nullptr, 0), nullptr);
  EXPECT_TRUE(disk_array_exception(258));
  EXPECT_EQ(CoreDouble::call_count(), 0u);

  fail_allocation_after(0);
  EXPECT_EQ(unit_condition_call(), nullptr);
  EXPECT_TRUE(exception_of("java.lang.OutOfMemoryError"));
  EXPECT_EQ(CoreDouble::call_count(), 0u);
  stop_failing_allocations();

  CoreDouble::set_code(0x3001);
  EXPECT_EQ(unit_condition_call(), nullptr);
  EXPECT_TRUE(disk_array_exception(0x3001));
  CoreDouble::set_code(256);
  EXPECT_EQ(unit_condition_call(), nullptr);
  EXPECT_FALSE(env->ExceptionCheck());
  CoreDouble::set_code(0);

  // A cache entry, a byte list or the signed byte that cannot be set fails
  // the whole record.
  const std::vector<Fault> faults[] = {
      {{Slot::kNewObjectV, "", 5, 1}},   // the fifth cache entry
      {{Slot::kNewIntArray, "", 2, 1}},  // ac
      {{Slot::kGetFieldID, "device_type"}},
      {{Slot::kGetFieldID, "cache2"}},
  };
  for (const std::vector<Fault>& fault : faults) {
    {
      JniFaults injected(fault);
      EXPECT_EQ(unit_condition_call(), nullptr);
    }
    EXPECT_TRUE(disk_array_exception(2817));
  }
}

// Drive identity: vendor at 0 (9), product at 9 (17), revision at 26 (6),
// lastLBA at 32.
Bytes drive_identity(const std::string& vendor, const std::string& product,
                     const std::string& revision, int32_t last_lba) {
  Bytes b(36);
  b.put_text(0, vendor).put_text(9, product).put_text(26, revision);
  b.put_int(32, last_lba);
  return b;
}

TEST_F(StatusTest, DriveInformationBuildsOneDrive) {
  CoreDouble::set_output(
      1, drive_identity("VENDOR-9A", "PRODUCT-17-BYTES!", "R0123", -5).get());
  jobject drive = in_frame([&] {
    return NATIVE(GetDriveInformation)(env, nullptr, java_string("u"), 3, -4);
  });
  ASSERT_NE(drive, nullptr);
  EXPECT_EQ(get_string(drive, "vendor"), "VENDOR-9");
  EXPECT_EQ(get_string(drive, "product"), "PRODUCT-17-BYTES");
  EXPECT_EQ(get_string(drive, "revision"), "R0123");
  EXPECT_EQ(get_int(drive, "lastLBA"), -5);
  const CoreCall& call = CoreDouble::last_call();
  EXPECT_EQ(call.ints, (std::vector<int32_t>{3, -4}));
  EXPECT_EQ(call.buffers[0], unit_buffer("u"));

  CoreDouble::set_code(0x3002);
  EXPECT_EQ(NATIVE(GetDriveInformation)(env, nullptr, java_string("u"), 0, 0),
            nullptr);
  EXPECT_TRUE(disk_array_exception(0x3002));
  CoreDouble::set_code(0);
  {
    JniFaults faults({{Slot::kGetFieldID, "lastLBA"}});
    EXPECT_EQ(NATIVE(GetDriveInformation)(env, nullptr, java_string("u"), 0, 0),
              nullptr);
  }
  EXPECT_TRUE(disk_array_exception(2817));
}

// A drive identity table whose first `used` entries are filled.
std::vector<uint8_t> identity_table(int used) {
  std::vector<uint8_t> table(225 * 36, 0);
  for (int i = 0; i < used; ++i) {
    std::string name = "P" + std::to_string(i);
    Bytes entry = drive_identity("V", name, "R", 1000 * i);
    std::memcpy(&table[36 * i], entry.get().data(), 36);
  }
  return table;
}

TEST_F(StatusTest, DriveInformationAllStopsAtAFailedDrive) {
  CoreDouble::set_output(1, identity_table(225));
  jstring unit = java_string("u");
  jobjectArray drives;
  {
    JniFaults faults({{Slot::kNewObjectV, "", 3, 1, false}});
    drives = in_frame(
        [&] { return NATIVE(GetDriveInformationAll)(env, nullptr, unit); });
  }
  ASSERT_NE(drives, nullptr);
  EXPECT_FALSE(env->ExceptionCheck());
  EXPECT_EQ(get_string(at(drives, 2), "product"), "P2");
  for (jsize i : {3, 4, 224}) EXPECT_EQ(at(drives, i), nullptr) << i;

  {
    JniFaults faults({{Slot::kNewObjectArray, ""}});
    EXPECT_EQ(NATIVE(GetDriveInformationAll)(env, nullptr, unit), nullptr);
  }
  EXPECT_TRUE(exception_of("java.lang.OutOfMemoryError"));
  fail_allocation_after(0);
  EXPECT_EQ(NATIVE(GetDriveInformationAll)(env, nullptr, unit), nullptr);
  EXPECT_TRUE(exception_of("java.lang.OutOfMemoryError"));
}

// Drive slot table: 225 entries of seven ints, 28 bytes apart.
std::vector<uint8_t> slot_table() {
  Bytes b(225 * 28);
  for (int i = 0; i < 225; ++i) {
    for (int f = 0; f < 7; ++f) b.put_int(28 * i + 4 * f, 100 * i + f);
  }
  return b.get();
}

TEST_F(StatusTest, DriveStatusStoresEverySlotPastAFailedOne) {
  CoreDouble::set_output(1, slot_table());
  jstring unit = java_string("u");
  jobjectArray slots;
  {
    // A quiet failure of the fourth slot: that slot null, the rest built.
    JniFaults faults({{Slot::kNewObjectV, "", 3, 1, false}});
    slots =
        in_frame([&] { return NATIVE(GetDriveStatus)(env, nullptr, unit); });
  }
  ASSERT_NE(slots, nullptr);
  EXPECT_FALSE(env->ExceptionCheck());
  EXPECT_EQ(get_int(at(slots, 2), "port_no"), 200);
  EXPECT_EQ(at(slots, 3), nullptr);
  EXPECT_EQ(get_int(at(slots, 4), "port_no"), 400);
  EXPECT_EQ(get_int(at(slots, 224), "spare_of_disk_row"), 22406);

  {
    // A failure the VM reports ends the loop: nothing may be stored after it.
    JniFaults faults({{Slot::kNewObjectV, "", 3, 1}});
    slots =
        in_frame([&] { return NATIVE(GetDriveStatus)(env, nullptr, unit); });
  }
  EXPECT_TRUE(exception_of("java.lang.OutOfMemoryError"));
  ASSERT_NE(slots, nullptr);
  EXPECT_NE(at(slots, 2), nullptr);
  EXPECT_EQ(at(slots, 3), nullptr);
  EXPECT_EQ(at(slots, 4), nullptr);

  CoreDouble::set_code(0x3003);
  EXPECT_EQ(NATIVE(GetDriveStatus)(env, nullptr, unit), nullptr);
  EXPECT_TRUE(disk_array_exception(0x3003));
  EXPECT_EQ(NATIVE(GetDriveStatus)(env, nullptr, nullptr), nullptr);
  EXPECT_TRUE(disk_array_exception(258));
}

// Unit information: base at 0, logical at 36, physical at 168.
Bytes unit_information() {
  Bytes b(300);
  b.put_text(0, "MICRO-78");  // fills its 8 bytes
  for (int f = 0; f < 7; ++f) b.put_int(8 + 4 * f, 10 + f);
  for (int f = 0; f < 8; ++f) b.put_int(36 + 4 * f, 20 + f);
  for (int r = 0; r < 25; ++r) b.put_int(68 + 4 * r, -100 - r);
  for (int f = 0; f < 17; ++f) b.put_int(168 + 4 * f, 40 + f);
  for (int r = 0; r < 16; ++r) b.put_int(236 + 4 * r, 300 + r);
  return b;
}

TEST_F(StatusTest, UnitInformationFailsWithAnyPart) {
  CoreDouble::set_output(1, unit_information().get());
  jstring unit = java_string("u");
  const std::vector<Fault> faults[] = {
      {{Slot::kFindClass, "korvane/str/diskarray/PhysicalInformation"}},
      {{Slot::kGetFieldID, "l_info"}},
      {{Slot::kNewIntArray, "", 1, 1}},  // the physical reserved ints
      {{Slot::kGetFieldID, "replace_time"}},
  };
  for (const std::vector<Fault>& fault : faults) {
    {
      JniFaults injected(fault);
      EXPECT_EQ(in_frame([&] {
                  return NATIVE(GetUnitInformation)(env, nullptr, unit);
                }),
                nullptr);
    }
    EXPECT_TRUE(disk_array_exception(2817));
  }
  CoreDouble::set_code(0x3004);
  EXPECT_EQ(NATIVE(GetUnitInformation)(env, nullptr, unit), nullptr);
  EXPECT_TRUE(disk_array_exception(0x3004));
}

// The snapshot is all or nothing: a part that cannot be made, wherever it
// lies in the tree, leaves no object and raises 2817.
TEST_F(StatusTest, SnapshotFailsWholeWithAnyPart) {
  CoreDouble::set_output(1, std::vector<uint8_t>(1866204, 0));
  jstring unit = java_string("u");
  const std::vector<Fault> faults[] = {
      {{Slot::kNewObjectV, "", 0, 1, false}},     // the snapshot itself
      {{Slot::kNewObjectV, "", 800, 1, false}},   // inside the LU table
      {{Slot::kNewObjectV, "", 1500, 1, false}},  // further down the tree
      {{Slot::kNewObjectV, "", 1500, 1, true}},   // the same, VM's exception
      {{Slot::kFindClass, "[Lkorvane/str/diskarray/TargetId;"}},
      {{Slot::kNewObjectArray, "", 6, 1}},        // a target-ID row
      {{Slot::kGetFieldID, "last_lu"}},
  };
  for (const std::vector<Fault>& fault : faults) {
    {
      JniFaults injected(fault);
      EXPECT_EQ(in_frame([&] {
                  return NATIVE(GetAllInformation)(env, nullptr, unit);
                }),
                nullptr);
      EXPECT_EQ(injected.failures(), 1);
    }
    EXPECT_TRUE(disk_array_exception(2817));
  }
  jobject whole = in_frame(
      [&] { return NATIVE(GetAllInformation)(env, nullptr, unit); });
  EXPECT_NE(whole, nullptr);
}

class ClockTest : public StatusTest {
 protected:
  jobject calendar(jint year, jint month, jint day, jint hour, jint minute,
                   jint second) {
    jclass cls = env->FindClass("java/util/GregorianCalendar");
    jmethodID ctor = env->GetMethodID(cls, "<init>", "(IIIIII)V");
    return env->NewObject(cls, ctor, year, month, day, hour, minute, second);
  }

  jint field(jobject calendar, const char* name) {
    jclass cls = env->GetObjectClass(calendar);
    jint index =
        env->GetStaticIntField(cls, env->GetStaticFieldID(cls, name, "I"));
    jmethodID get = env->GetMethodID(cls, "get", "(I)I");
    jint value = env->CallIntMethod(calendar, get, index);
    EXPECT_FALSE(env->ExceptionCheck());
    env->DeleteLocalRef(cls);
    return value;
  }
};

// The clock: sec, min, hour, mday, mon, year, then three unused ints.
std::vector<uint8_t> clock_bytes(int32_t year, int32_t wday = 0,
                                 int32_t yday = 0, int32_t isdst = 0) {
  return Bytes(36)
      .put_int(0, 58)
      .put_int(4, 59)
      .put_int(8, 23)
      .put_int(12, 31)
      .put_int(16, 11)
      .put_int(20, year)
      .put_int(24, wday)
      .put_int(28, yday)
      .put_int(32, isdst)
      .get();
}

TEST_F(ClockTest, GetUnitTimeCountsYearsFrom1900) {
  // The three trailing ints carry nothing to Java.
  CoreDouble::set_output(1, clock_bytes(124, 6, 365, 1));
  jobject time = in_frame(
      [&] { return NATIVE(GetUnitTime)(env, nullptr, java_string("clock")); });
  ASSERT_NE(time, nullptr);
  EXPECT_EQ(class_name_of(time), "java.util.GregorianCalendar");
  EXPECT_EQ(field(time, "YEAR"), 2024);
  EXPECT_EQ(field(time, "MONTH"), 11);
  EXPECT_EQ(field(time, "DATE"), 31);
  EXPECT_EQ(field(time, "HOUR_OF_DAY"), 23);
  EXPECT_EQ(field(time, "MINUTE"), 59);
  EXPECT_EQ(field(time, "SECOND"), 58);
  EXPECT_EQ(CoreDouble::last_call().buffers[0], unit_buffer("clock"));
  EXPECT_EQ(CoreDouble::last_call().buffers[1], std::vector<uint8_t>(36, 0));
}

TEST_F(ClockTest, GetUnitTimeFailures) {
  jstring unit = java_string("u");
  CoreDouble::set_code(0x3005);
  EXPECT_EQ(NATIVE(GetUnitTime)(env, nullptr, unit), nullptr);
  EXPECT_TRUE(disk_array_exception(0x3005));
  CoreDouble::set_code(0);
  EXPECT_EQ(NATIVE(GetUnitTime)(env, nullptr, nullptr), nullptr);
  EXPECT_TRUE(disk_array_exception(258));
  // A calendar that cannot be made: null, the lookup's exception stands.
  {
    JniFaults faults({{Slot::kFindClass, "java/util/GregorianCalendar"}});
    EXPECT_EQ(NATIVE(GetUnitTime)(env, nullptr, unit), nullptr);
  }
  EXPECT_TRUE(exception_of("java.lang.ClassNotFoundException"));
}

TEST_F(ClockTest, SetUnitTimeSendsTheCalendarYear) {
  NATIVE(SetUnitTime)
  (env, nullptr, java_string("clock"), calendar(2024, 11, 31, 23, 59, 58));
  EXPECT_FALSE(env->ExceptionCheck());
  const CoreCall& call = CoreDouble::last_call();
  EXPECT_EQ(call.function, "KX_SetUnitTime");
  EXPECT_EQ(call.buffers[0], unit_buffer("clock"));
  EXPECT_EQ(call.buffers[1], clock_bytes(2024));

  CoreDouble::set_code(0x3006);
  NATIVE(SetUnitTime)
  (env, nullptr, java_string("clock"), calendar(2000, 0, 1, 0, 0, 0));
  EXPECT_TRUE(disk_array_exception(0x3006));
}

TEST_F(ClockTest, SetUnitTimeRefusesBeforeTheCore) {
  jobject time = calendar(2024, 0, 1, 0, 0, 0);
  NATIVE(SetUnitTime)(env, nullptr, java_string("u"), nullptr);
  EXPECT_TRUE(disk_array_exception(258));
  NATIVE(SetUnitTime)(env, nullptr, nullptr, time);
  EXPECT_TRUE(disk_array_exception(258));

  jstring unit = java_string("u");
  for (const Fault& fault : {Fault{Slot::kGetMethodID, "get"},
                             Fault{Slot::kGetStaticFieldID, "HOUR_OF_DAY"}}) {
    {
      JniFaults injected({fault});
      NATIVE(SetUnitTime)(env, nullptr, unit, time);
    }
    EXPECT_TRUE(disk_array_exception(2817));
  }
  // Any object that is no calendar cannot be read either.
  NATIVE(SetUnitTime)(env, nullptr, unit, unit);
  EXPECT_TRUE(disk_array_exception(2817));
  EXPECT_EQ(CoreDouble::call_count(), 0u);
}

TEST_F(ClockTest, SetUnitTimeNowSendsOnlyTheUnit) {
  NATIVE(SetUnitTimeNow)(env, nullptr, java_string("a-unit-name-of-20"));
  EXPECT_FALSE(env->ExceptionCheck());
  const CoreCall& call = CoreDouble::last_call();
  EXPECT_EQ(call.function, "KX_SetUnitTimeNow");
  EXPECT_EQ(call.buffers,
            std::vector<std::vector<uint8_t>>{unit_buffer("a-unit-name-of-2")});
  EXPECT_TRUE(call.ints.empty());
  CoreDouble::set_code(0x3007);
  NATIVE(SetUnitTimeNow)(env, nullptr, java_string("u"));
  EXPECT_TRUE(disk_array_exception(0x3007));
  NATIVE(SetUnitTimeNow)(env, nullptr, nullptr);
  EXPECT_TRUE(disk_array_exception(258));
}

}  // namespace
}  // namespace kxtest
