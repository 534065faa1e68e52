// The hand-written steps of the statistics natives, against the test double:
// the 15 x 15 grids that the generic builder does not make, and the
// calendar of a performance sample in both directions. The generic field
// tables are covered by the descriptor and contract tests.
#include <cstring>
#include <vector>

#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_statistics.h"
#include "tests/double/core_double.h"
#include "tests/native/jni_faults.h"
#include "tests/native/jvm.h"

#define NATIVE(name) Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1##name

namespace kxtest {
namespace {

void put_int(std::vector<uint8_t>& bytes, size_t offset, int32_t value) {
  std::memcpy(bytes.data() + offset, &value, 4);
}

class StatisticsNativeTest : public JniTest {
 protected:
  void SetUp() override {
    JniTest::SetUp();
    CoreDouble::reset();
  }

  jobject element(jobject array, jsize index) {
    return env->GetObjectArrayElement(static_cast<jobjectArray>(array), index);
  }

  // statistics.<top>[c].<grid>[r][col]
  jobject grid_element(jobject stats, const char* top, const char* holder,
                       int c, const char* grid, const char* element_class,
                       int r, int col) {
    jobject holders = get_object(stats, top, holder);
    const std::string signature = std::string("[[L") + element_class + ";";
    jobject rows = get_object(element(holders, c), grid, signature.c_str());
    return element(element(rows, r), col);
  }

  // Calendar.get(field), checked as JNI requires.
  jint calendar_field(jobject calendar, jint field) {
    jclass cls = env->GetObjectClass(calendar);
    jmethodID get = env->GetMethodID(cls, "get", "(I)I");
    jint value = env->CallIntMethod(calendar, get, field);
    EXPECT_FALSE(env->ExceptionCheck());
    env->DeleteLocalRef(cls);
    return value;
  }

  jobject statistics_call() {
    env->PushLocalFrame(16);
    jobject result =
        NATIVE(GetStatisticalInformation)(env, nullptr, java_string("u"), 3);
    return env->PopLocalFrame(result);
  }
};

constexpr char kDriveInfo[] = "korvane/str/diskarray/StatisticalDrive_Info";
constexpr char kDriveArray[] = "[Lkorvane/str/diskarray/StatisticalDrive;";

TEST_F(StatisticsNativeTest, GridsTakeTheirElementsRowByRow) {
  std::vector<uint8_t> record(sizeof(StatisticalInformationRecord), 0);
  put_int(record, 126584, 0x11111111);  // drive[0].drive[14][14].d_had_rec
  // drive[1].drive[0][1]: row 0, column 1, not row 1, column 0.
  put_int(record, 109556 + 17104 + 4 + 76, 42);
  put_int(record, 104636, -1);  // writeafter[1].pdev[14][14].gather_prc_cnt
  put_int(record, 184580, INT32_MIN);  // drive_err[1].drive[14][14]
  put_int(record, 184584, 7);          //   .drive_port_limit3[0], [1]
  CoreDouble::set_output(1, record);

  jobject stats = statistics_call();
  ASSERT_NE(stats, nullptr);
  EXPECT_EQ(CoreDouble::last_call().ints, std::vector<int32_t>{3});
  EXPECT_EQ(get_int(grid_element(stats, "drive", kDriveArray, 0, "drive",
                                 kDriveInfo, 14, 14),
                    "d_had_rec"),
            0x11111111);
  EXPECT_EQ(get_int(grid_element(stats, "drive", kDriveArray, 1, "drive",
                                 kDriveInfo, 0, 1),
                    "d_had_rec"),
            42);
  EXPECT_EQ(get_int(grid_element(stats, "drive", kDriveArray, 1, "drive",
                                 kDriveInfo, 1, 0),
                    "d_had_rec"),
            0);
  EXPECT_EQ(get_int(grid_element(stats, "writeafter",
                                 "[Lkorvane/str/diskarray/StatisticalWriteAfter;",
                                 1, "pdev",
                                 "korvane/str/diskarray/StatisticalWriteAfter_PDEVInfo",
                                 14, 14),
                    "gather_prc_cnt"),
            -1);
  jobject last = grid_element(
      stats, "drive_err", "[Lkorvane/str/diskarray/StatisticalDriveError;", 1,
      "drive", "korvane/str/diskarray/StatisticalDriveError_Info", 14, 14);
  auto limits = static_cast<jintArray>(get_object(last, "drive_port_limit3", "[I"));
  jint values[2];
  env->GetIntArrayRegion(limits, 0, 2, values);
  EXPECT_EQ(values[0], INT32_MIN);
  EXPECT_EQ(values[1], 7);
}

TEST_F(StatisticsNativeTest, AGridThatCannotBeMadeFailsTheWholeTree) {
  {
    JniFaults faults({{Slot::kGetFieldID, "link_failre"}});
    EXPECT_EQ(statistics_call(), nullptr);
  }
  EXPECT_TRUE(disk_array_exception(2817));
  {
    JniFaults faults({{Slot::kFindClass,
                       "[Lkorvane/str/diskarray/StatisticalDriveError_Info;"}});
    EXPECT_EQ(statistics_call(), nullptr);
  }
  EXPECT_TRUE(disk_array_exception(2817));
  {
    // The 100th object array made: a row of a grid.
    JniFaults faults({{Slot::kNewObjectArray, "", 99, 1}});
    EXPECT_EQ(statistics_call(), nullptr);
  }
  EXPECT_TRUE(disk_array_exception(2817));
}

// A sample whose mtime is 31 December 2024 23:59:58, counted from 1900.
std::vector<uint8_t> sample_at(int32_t year_from_1900) {
  std::vector<uint8_t> sample(sizeof(StatisticalCommandRecord), 0);
  const int32_t time[6] = {58, 59, 23, 31, 11, year_from_1900};
  for (int k = 0; k < 6; ++k) put_int(sample, 8192 + 4 * k, time[k]);
  put_int(sample, 8176, 511);  // lu[511].read_count
  return sample;
}

TEST_F(StatisticsNativeTest, SampleTimesGoThereAndBack) {
  CoreDouble::set_output(1, sample_at(124));
  CoreDouble::set_output(2, sample_at(0));
  env->PushLocalFrame(64);
  auto samples = static_cast<jobjectArray>(
      NATIVE(GetPerformance)(env, nullptr, java_string("u")));
  ASSERT_NE(samples, nullptr);
  jobject first = element(samples, 0);
  jobject second = element(samples, 1);
  jobject calendar = get_object(first, "mtime", "Ljava/util/GregorianCalendar;");
  // YEAR 1, MONTH 2, DATE 5, HOUR_OF_DAY 11, MINUTE 12, SECOND 13.
  EXPECT_EQ(calendar_field(calendar, 1), 2024);
  EXPECT_EQ(calendar_field(calendar, 2), 11);
  EXPECT_EQ(calendar_field(calendar, 5), 31);
  EXPECT_EQ(calendar_field(calendar, 11), 23);
  EXPECT_EQ(calendar_field(calendar, 13), 58);
  EXPECT_EQ(calendar_field(
                get_object(second, "mtime", "Ljava/util/GregorianCalendar;"), 1),
            1900);
  jobject entries = get_object(second, "lu",
                               "[Lkorvane/str/diskarray/StatisticalCommand_Info;");
  EXPECT_EQ(get_int(element(entries, 511), "read_count"), 511);

  // Back through the reader: the year counts from 1900 again, and the LU
  // list keeps the low 8 bits of each element.
  jintArray list = env->NewIntArray(3);
  const jint selection[3] = {1, 0, 300};
  env->SetIntArrayRegion(list, 0, 3, selection);
  NATIVE(PerformanceOutputLU)(env, nullptr, java_string("u"),
                              java_string("out.csv"), first, first, second,
                              second, 1, list, 2);
  ASSERT_FALSE(env->ExceptionCheck());
  const CoreCall& call = CoreDouble::last_call();
  EXPECT_EQ(call.ints, (std::vector<int32_t>{1, 2}));
  EXPECT_EQ(call.buffers[2], sample_at(124));
  EXPECT_EQ(call.buffers[4], sample_at(0));
  std::vector<uint8_t> expected_list(512, 0);
  expected_list[0] = 1;
  expected_list[2] = 44;
  EXPECT_EQ(call.buffers[6], expected_list);

  // A sample whose calendar is missing never reaches the core.
  const size_t calls = CoreDouble::call_count();
  env->SetObjectField(second,
                      env->GetFieldID(env->GetObjectClass(second), "mtime",
                                      "Ljava/util/GregorianCalendar;"),
                      nullptr);
  NATIVE(PerformanceOutput)(env, nullptr, java_string("u"), java_string("o"),
                            first, first, first, second);
  EXPECT_TRUE(disk_array_exception(2817));
  EXPECT_EQ(CoreDouble::call_count(), calls);
  env->PopLocalFrame(nullptr);
}

}  // namespace
}  // namespace kxtest
