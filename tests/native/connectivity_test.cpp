// The irregular connectivity natives against the test double: what differs
// from the common converters (the mapping list's boxed count, the permission
// import's count, the two Fibre Channel records, the target-ID import's file
// name) is checked here; the regular natives are covered by the contract
// rows.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "tests/double/core_double.h"
#include "tests/native/jvm.h"

namespace kxtest {
namespace {

constexpr auto kGetLuMappingList =
    Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1GetLuMappingList;
constexpr auto kFibreInfoPermissionImport =
    Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1FibreInfoPermissionImport;
constexpr auto kSetFibreInformation =
    Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1SetFibreInformation;
constexpr auto kTargetIdImport =
    Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1TargetIdImport;

using Bytes = std::vector<uint8_t>;

void put_int(Bytes& bytes, size_t at, int32_t value) {
  std::memcpy(&bytes[at], &value, sizeof(value));
}

using ConnectivityNativeTest = JniTest;

TEST_F(ConnectivityNativeTest, MappingListBoxesTheCoreCountBesideTheMapping) {
  Bytes mapping(1024, 0);
  for (int i = 0; i < 256; ++i) put_int(mapping, 4 * i, i % 3 == 0 ? i : -1);
  // Buffers: unit name, the count's four bytes, the mapping.
  Bytes count_bytes(4);
  put_int(count_bytes, 0, 86);
  CoreDouble::set_output(1, count_bytes);
  CoreDouble::set_output(2, mapping);
  jobjectArray result =
      kGetLuMappingList(env, nullptr, java_string("map-unit"), 1, 0, 77);
  ASSERT_EQ(take_exception(), nullptr);
  ASSERT_NE(result, nullptr);
  ASSERT_EQ(env->GetArrayLength(result), 2);
  jobject count = env->GetObjectArrayElement(result, 0);
  EXPECT_EQ(class_name_of(count), "java.lang.Integer");
  jmethodID int_value =
      env->GetMethodID(env->GetObjectClass(count), "intValue", "()I");
  const jint boxed = env->CallIntMethod(count, int_value);
  ASSERT_FALSE(env->ExceptionCheck());
  EXPECT_EQ(boxed, 86);
  jobject hg = env->GetObjectArrayElement(result, 1);
  auto lu = static_cast<jintArray>(get_object(hg, "lu", "[I"));
  ASSERT_EQ(env->GetArrayLength(lu), 256);
  std::vector<jint> values(256);
  env->GetIntArrayRegion(lu, 0, 256, values.data());
  EXPECT_EQ(std::memcmp(values.data(), mapping.data(), 1024), 0);
  EXPECT_EQ(CoreDouble::last_call().ints, (std::vector<int32_t>{1, 0, 77}));

  CoreDouble::reset();
  CoreDouble::set_code(0x1103);
  EXPECT_EQ(kGetLuMappingList(env, nullptr, java_string("u"), 0, 0, 0), nullptr);
  EXPECT_TRUE(disk_array_exception(0x1103));
  CoreDouble::reset();
  EXPECT_EQ(kGetLuMappingList(env, nullptr, nullptr, 0, 0, 0), nullptr);
  EXPECT_TRUE(disk_array_exception(258));
  EXPECT_EQ(CoreDouble::call_count(), 0u);
}

TEST_F(ConnectivityNativeTest, PermissionImportBuildsAsManyAsTheCountWithinTheTable) {
  struct Case {
    int32_t count;
    jsize length;
  };
  for (const Case& c : {Case{3, 3}, Case{0, 0}, Case{500, 128}, Case{-4, 0}}) {
    CoreDouble::reset();
    CoreDouble::set_out_int(c.count);
    Bytes table(105 * 128, 0);
    std::memcpy(&table[105 * 2 + 17], "10000000c9000002", 16);
    CoreDouble::set_output(2, table);
    LocalFrame frame(16);
    jobjectArray result = kFibreInfoPermissionImport(
        env, nullptr, java_string("u"), java_string("/tmp/p.txt"), 1, 0);
    ASSERT_EQ(take_exception(), nullptr) << c.count;
    ASSERT_NE(result, nullptr) << c.count;
    EXPECT_EQ(env->GetArrayLength(result), c.length) << c.count;
    if (c.length > 2) {
      EXPECT_EQ(get_string(env->GetObjectArrayElement(result, 2), "port_name"),
                "10000000c9000002");
    }
  }
  EXPECT_EQ(CoreDouble::last_call().ints, (std::vector<int32_t>{1, 0}));

  // A long path reaches the core cut to 1023 bytes; a null one not at all.
  CoreDouble::reset();
  const std::string path(1500, 'p');
  kFibreInfoPermissionImport(env, nullptr, java_string("u"),
                             java_string(path.c_str()), 0, 0);
  ASSERT_EQ(take_exception(), nullptr);
  const Bytes& file = CoreDouble::last_call().buffers[1];
  EXPECT_EQ(std::string(file.begin(), file.begin() + 1023), path.substr(0, 1023));
  EXPECT_EQ(file[1023], 0);
  CoreDouble::reset();
  EXPECT_EQ(kFibreInfoPermissionImport(env, nullptr, java_string("u"), nullptr,
                                       0, 0),
            nullptr);
  EXPECT_TRUE(disk_array_exception(258));
  EXPECT_EQ(CoreDouble::call_count(), 0u);
}

TEST_F(ConnectivityNativeTest, FibreInformationWritesEachObjectIntoItsOwnRecord) {
  jobject first = new_object("korvane/str/diskarray/FibreInformation");
  jobject second = new_object("korvane/str/diskarray/FibreInformation");
  set_int(first, "lun_security", 1);
  set_string(first, "product_number", "AB");
  set_int(second, "lun_security", 0x1FF);  // the low byte reaches the core
  set_string(second, "product_number", "LONGER");
  for (jobject object : {first, second}) {
    jclass port = env->FindClass("korvane/str/diskarray/FibreInformationPort");
    jclass sfc = env->FindClass("korvane/str/diskarray/FibreInformationSfc");
    jclass security =
        env->FindClass("korvane/str/diskarray/FibreInformationSecurity");
    for (auto [cls, name, signature] :
         {std::tuple{port, "port", "[Lkorvane/str/diskarray/FibreInformationPort;"},
          std::tuple{sfc, "sfc", "[Lkorvane/str/diskarray/FibreInformationSfc;"},
          std::tuple{security, "security",
                     "[Lkorvane/str/diskarray/FibreInformationSecurity;"}}) {
      jobjectArray empty = env->NewObjectArray(0, cls, nullptr);
      env->SetObjectField(object, env->GetFieldID(env->GetObjectClass(object),
                                                   name, signature),
                          empty);
    }
  }
  kSetFibreInformation(env, nullptr, java_string("fc-unit"), first, second);
  ASSERT_EQ(take_exception(), nullptr);
  const CoreCall& call = CoreDouble::last_call();
  ASSERT_EQ(call.buffers.size(), 3u);
  EXPECT_EQ(call.buffers[1][0], 1);
  EXPECT_EQ(call.buffers[2][0], 0xFF);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&call.buffers[1][54248])),
            "AB");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(&call.buffers[2][54248])),
            "LONG");

  CoreDouble::reset();
  kSetFibreInformation(env, nullptr, java_string("fc-unit"), first, nullptr);
  EXPECT_TRUE(disk_array_exception(258));
  EXPECT_EQ(CoreDouble::call_count(), 0u);
}

TEST_F(ConnectivityNativeTest, TargetIdImportBuildsBothControllers) {
  Bytes records(2 * 8268, 0);
  put_int(records, 0, 11);
  put_int(records, 8268, 22);
  records[8268 + 8 + 2065 * 3 + 17 + 128 * 15 + 127] = 0xC8;
  // Buffers: unit name, file name, first record, second record.
  CoreDouble::set_output(2, Bytes(records.begin(), records.begin() + 8268));
  CoreDouble::set_output(3, Bytes(records.begin() + 8268, records.end()));
  jobjectArray result = kTargetIdImport(env, nullptr, java_string("t-unit"),
                                        java_string("/tmp/targets.txt"));
  ASSERT_EQ(take_exception(), nullptr);
  ASSERT_NE(result, nullptr);
  ASSERT_EQ(env->GetArrayLength(result), 2);
  jobject second = env->GetObjectArrayElement(result, 1);
  EXPECT_EQ(get_int(env->GetObjectArrayElement(result, 0), "ctrl_flag"), 11);
  EXPECT_EQ(get_int(second, "ctrl_flag"), 22);
  auto configs = static_cast<jobjectArray>(get_object(
      second, "target_config", "[Lkorvane/str/diskarray/TargetConfig;"));
  auto lists = static_cast<jobjectArray>(
      get_object(env->GetObjectArrayElement(configs, 3), "mapping",
                 "[Lkorvane/str/diskarray/TargetLunList;"));
  auto lun = static_cast<jbyteArray>(
      get_object(env->GetObjectArrayElement(lists, 15), "lun", "[B"));
  jbyte last = 0;
  env->GetByteArrayRegion(lun, 127, 1, &last);
  EXPECT_EQ(static_cast<uint8_t>(last), 0xC8);
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(
                CoreDouble::last_call().buffers[1].data())),
            "/tmp/targets.txt");

  CoreDouble::reset();
  EXPECT_EQ(kTargetIdImport(env, nullptr, java_string("t-unit"), nullptr),
            nullptr);
  EXPECT_TRUE(disk_array_exception(258));
  EXPECT_EQ(CoreDouble::call_count(), 0u);
}

}  // namespace
}  // namespace kxtest
