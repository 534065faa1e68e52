// Operating-parameter natives against the test double.
#include <vector>

#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "tests/double/core_double.h"
#include "tests/native/jvm.h"

namespace kxtest {
namespace {

class ParametersTest : public JniTest {};

TEST_F(ParametersTest, DriveModePassesItsIntsInJavaOrder) {
  Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetDriveMode(
      env, nullptr, java_string("unit-a"), 3, -7, 1);
  EXPECT_FALSE(env->ExceptionCheck());
  const CoreCall& call = CoreDouble::last_call();
  EXPECT_EQ(call.function, "KX_SetDriveMode");
  EXPECT_EQ(call.ints, (std::vector<int32_t>{3, -7, 1}));
  std::vector<uint8_t> unit(17, 0);
  std::copy_n("unit-a", 6, unit.begin());
  EXPECT_EQ(call.buffers[0], unit);

  CoreDouble::set_code(0x1025);
  Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetDriveMode(
      env, nullptr, java_string("unit-a"), 0, 0, 1);
  EXPECT_TRUE(disk_array_exception(0x1025));
  Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetDriveMode(
      env, nullptr, nullptr, 0, 0, 1);
  EXPECT_TRUE(disk_array_exception(258));
  EXPECT_EQ(CoreDouble::call_count(), 2u);
}

}  // namespace
}  // namespace kxtest
