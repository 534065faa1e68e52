// Every field table against the Java classes and the C records: each field
// exists in its class with its signature, byte arrays come preallocated to
// their width, nested types name their class consistently, and no field
// reaches past its record.
#include <set>
#include <string>

#include "bridge/record.h"
#include "parameters/parameter_records.h"
#include "statistics/statistics_records.h"
#include "connectivity/connectivity_records.h"
#include "status/status_records.h"
#include "storage/special_lu_records.h"
#include "storage/storage_records.h"
#include "tests/native/jvm.h"
#include "units/unit_records.h"
#include "units/user_records.h"
#include "wizard/wizard_records.h"

namespace kxtest {
namespace {

using namespace kx;

struct Table {
  const RecordType* type;
  // The Java class that carries a record whose class the bridge does not
  // name.
  const char* carrier;
};

const Table kTables[] = {
    {&kUnitParamType, nullptr},
    {&kLabelType, nullptr},
    {&kWorkingDirectoryType, "korvane/str/diskarray/WorkingDirectory"},
    {&kUserRegistType, nullptr},
    {&kUserInformationType, nullptr},
    {&kUnitConditionType, nullptr},
    {&kDiskDriveType, nullptr},
    {&kDiskDriveInformationType, nullptr},
    {&kDriveReconstructInformationType, nullptr},
    {&kUnitInformationType, nullptr},
    {&kRaidGroupType, nullptr},
    {&kLogicalUnitType, nullptr},
    {&kLuReallocRequestType, "korvane/str/diskarray/LuReallocRequest"},
    {&kFormatEntryListType, "korvane/str/diskarray/FormatEntryList"},
    {&kFormatStatusListType, nullptr},
    {&kLuFormatStatusListType, nullptr},
    {&kOnlineSystemParamType, nullptr},
    {&kOnlineTuningParamType, nullptr},
    {&kTuningParamType, nullptr},
    {&kDiskDriveRestorationType, nullptr},
    {&kPrefetchInformationType, nullptr},
    {&kOnlineVerifyType, nullptr},
    {&kThresholdType, nullptr},
    {&kUnitIdentifierType, nullptr},
    {&kCommandDeviceType, nullptr},
    {&kWarningInfoType, nullptr},
    {&kAutoDumpType, nullptr},
    {&kWizardParamType, nullptr},
    {&kWZTargetIdType, nullptr},
    {&kNowWZParameterType, nullptr},
    {&kStatisticalInformationType, nullptr},
    {&kStatisticalWriteAfterPDEVInfoType, nullptr},
    {&kStatisticalDriveInfoType, nullptr},
    {&kStatisticalDriveErrorInfoType, nullptr},
    {&kStatisticalCommandType, nullptr},
    {&kCouplingInfoType, nullptr},
    {&kIntegrationLUInfoType, nullptr},
    {&kPINInformationType, nullptr},
    {&kTurboLuType, nullptr},
    {&kUnifiedLuRequestType, "korvane/str/diskarray/IntegrationLURequest"},
    {&kLANInformationType, nullptr},
    {&kSyncControlType, nullptr},
    {&kTargetIdType, nullptr},
    {&kFibreInformationType, nullptr},
    {&kFibreInformationPermissionType, nullptr},
    {&kHGListType, nullptr},
    {&kHostGroupNameType, "korvane/str/diskarray/HostGroupName"},
    {&kDeleteHGSelectionType, "korvane/str/diskarray/DeleteHGList"},
    {&kInitHGSelectionType, "korvane/str/diskarray/InitHGList"},
    {&kWWNInformationType, nullptr},
    {&kWWNHGInformationType, nullptr},
    {&kHGOptionType, nullptr},
    {&kHGOptionInfoType, nullptr},
    {&kPortOptionType, nullptr},
    {&kLuMappingType, nullptr},
    {&kLuMappingHGInfoType, nullptr},
    {&kRvrfSrcInfoType, nullptr},
    {&kRvrfSrcArrayUnitType, nullptr},
};

// Bytes of the record that the field covers.
size_t extent(const FieldSpec& field) {
  switch (field.kind) {
    case FieldKind::kInt:
      return 4;
    case FieldKind::kSignedByte:
    case FieldKind::kUnsignedByte:
      return 1;
    case FieldKind::kText:
    case FieldKind::kByteList:
    case FieldKind::kByteArray:
      return field.count;
    case FieldKind::kIntArray:
      return 4u * field.count;
    case FieldKind::kTextArray:
    case FieldKind::kRecordArray:
      return static_cast<size_t>(field.count) * field.stride;
    case FieldKind::kRecord:
      return field.stride;
    case FieldKind::kIntMatrix:
      return 4u * field.count * field.stride;
  }
  return 0;
}

class DescriptorTest : public JniTest {
 protected:
  void check(const RecordType& type, const char* class_name) {
    SCOPED_TRACE(class_name);
    if (!checked_.insert(class_name).second) return;
    if (type.class_name != nullptr) {
      EXPECT_EQ(std::string(type.signature), std::string("L") + class_name + ";");
      EXPECT_EQ(std::string(type.array_signature),
                std::string("[L") + class_name + ";");
    }
    LocalFrame frame(32);
    jclass cls = env->FindClass(class_name);
    if (cls == nullptr) {
      ADD_FAILURE() << "no class " << message_of(take_exception());
      return;
    }
    jobject object = new_object(class_name);
    ASSERT_NE(object, nullptr) << "no public no-argument constructor";
    std::set<std::string> names;
    for (size_t i = 0; i < type.field_count; ++i) {
      const FieldSpec& field = type.fields[i];
      SCOPED_TRACE(field.name);
      EXPECT_TRUE(names.insert(field.name).second) << "field listed twice";
      EXPECT_LE(field.offset + extent(field), type.size) << "reaches past the record";
      jfieldID id = env->GetFieldID(cls, field.name, field.signature);
      if (id == nullptr) {
        ADD_FAILURE() << "no field " << field.name << " " << field.signature << ": "
                      << message_of(take_exception());
        continue;
      }
      if (field.kind == FieldKind::kByteArray) {
        auto bytes = static_cast<jbyteArray>(env->GetObjectField(object, id));
        ASSERT_NE(bytes, nullptr) << "byte[] not preallocated";
        EXPECT_GE(env->GetArrayLength(bytes), static_cast<jsize>(field.count));
        env->DeleteLocalRef(bytes);
      }
      if (field.nested != nullptr) {
        EXPECT_EQ(field.stride, field.nested->size) << "element size";
        check(*field.nested, field.nested->class_name);
      }
    }
  }

 private:
  std::set<std::string> checked_;
};

TEST_F(DescriptorTest, EveryTableMatchesItsClassAndRecord) {
  for (const Table& table : kTables) {
    const char* class_name =
        table.carrier != nullptr ? table.carrier : table.type->class_name;
    check(*table.type, class_name);
  }
}

}  // namespace
}  // namespace kxtest
