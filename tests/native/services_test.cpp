// The hand-written steps of the services natives, against the test double:
// the EmailInfo builder (recipients by count, texts cut to their slots and
// made valid, failures while building) and an EmailInfo passed back whole.
// The rows of every services native are in contracts/services_contracts.cpp.
#include <cstring>
#include <string>
#include <vector>

#include "korvane_str_diskarray_DiskArrayUtilityJNI.h"
#include "kx_services.h"
#include "tests/double/core_double.h"
#include "tests/native/jni_faults.h"
#include "tests/native/jvm.h"

#define NATIVE(name) Java_korvane_str_diskarray_DiskArrayUtilityJNI_KX_1##name

namespace kxtest {
namespace {

constexpr char kStrings[] = "[Ljava/lang/String;";

std::vector<uint8_t> bytes_of(const EmailInfoRecord& record) {
  const auto* at = reinterpret_cast<const uint8_t*>(&record);
  return std::vector<uint8_t>(at, at + sizeof(record));
}

// Settings with a recipient in each of the first `filled` slots.
EmailInfoRecord settings(int32_t tonum, int filled) {
  EmailInfoRecord record{};
  record.on_off = 1;
  std::strcpy(record.domain, "example.test");
  std::strcpy(record.smtp, "mail.example.test");
  std::strcpy(record.from, "array@example.test");
  record.tonum = tonum;
  for (int i = 0; i < filled; ++i) {
    std::snprintf(record.to[i], sizeof(record.to[i]), "operator%d@example.test", i);
  }
  return record;
}

class ServicesNativeTest : public JniTest {
 protected:
  void SetUp() override {
    JniTest::SetUp();
    CoreDouble::reset();
  }

  jobject email_info(const EmailInfoRecord& record) {
    CoreDouble::set_output(0, bytes_of(record));
    return NATIVE(GetEmailInfo)(env, nullptr);
  }

  jobjectArray recipients(jobject info) {
    return static_cast<jobjectArray>(get_object(info, "to", kStrings));
  }

  // The recipients as texts, "<null>" for a null element.
  std::vector<std::string> recipient_texts(jobject info) {
    jobjectArray to = recipients(info);
    std::vector<std::string> texts;
    if (to == nullptr) return texts;
    for (jsize i = 0; i < env->GetArrayLength(to); ++i) {
      LocalFrame frame(4);
      auto text = static_cast<jstring>(env->GetObjectArrayElement(to, i));
      if (text == nullptr) {
        texts.push_back("<null>");
        continue;
      }
      const char* chars = env->GetStringUTFChars(text, nullptr);
      texts.push_back(chars);
      env->ReleaseStringUTFChars(text, chars);
    }
    return texts;
  }
};

TEST_F(ServicesNativeTest, EmailInfoHoldsTheCountedRecipientsAndGoesBackWhole) {
  // Five slots filled, three counted: the last two are not recipients.
  const EmailInfoRecord record = settings(3, 5);
  jobject info = email_info(record);
  ASSERT_NE(info, nullptr) << message_of(take_exception());
  EXPECT_EQ(get_int(info, "on_off"), 1);
  EXPECT_EQ(get_string(info, "domain"), "example.test");
  EXPECT_EQ(get_string(info, "smtp"), "mail.example.test");
  EXPECT_EQ(get_string(info, "from"), "array@example.test");
  EXPECT_EQ(get_int(info, "tonum"), 3);
  std::vector<std::string> expected(kEmailTextWidth, "<null>");
  for (int i = 0; i < 3; ++i) expected[i] = record.to[i];
  EXPECT_EQ(recipient_texts(info), expected);

  // Read back, the settings reach the core as the recipients say: the null
  // elements end the list, the uncounted slots stay empty.
  CoreDouble::reset();
  NATIVE(SetEmailInfo)(env, nullptr, info);
  ASSERT_FALSE(env->ExceptionCheck()) << message_of(take_exception());
  EmailInfoRecord sent = settings(3, 3);
  EXPECT_EQ(CoreDouble::last_call().buffers.at(0), bytes_of(sent));
}

TEST_F(ServicesNativeTest, RecipientCountsOutsideTheSlotsStayWithinThem) {
  {
    LocalFrame frame;
    jobject info = email_info(settings(1000, kEmailRecipientSlots));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(get_int(info, "tonum"), 1000) << "the count as the core gave it";
    std::vector<std::string> texts = recipient_texts(info);
    ASSERT_EQ(texts.size(), size_t{kEmailTextWidth});
    EXPECT_EQ(texts[kEmailRecipientSlots - 1],
              "operator" + std::to_string(kEmailRecipientSlots - 1) + "@example.test");
    EXPECT_EQ(texts[kEmailRecipientSlots], "<null>");
  }
  {
    LocalFrame frame;
    jobject info = email_info(settings(-1, kEmailRecipientSlots));
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(recipient_texts(info), std::vector<std::string>(kEmailTextWidth, "<null>"));
  }
}

TEST_F(ServicesNativeTest, EmailTextsAreCutToTheirSlotsAndMadeValid) {
  EmailInfoRecord record = settings(2, 2);
  std::memset(record.domain, 'd', sizeof(record.domain));  // no NUL
  std::strcpy(record.smtp, "mail\xFFhost");                 // not UTF-8
  std::memset(record.to[0], 'r', sizeof(record.to[0]));     // no NUL
  std::strcpy(record.to[1], "\xF0\x9F\x98\x80@x");          // four bytes
  jobject info = email_info(record);
  ASSERT_NE(info, nullptr);
  EXPECT_EQ(get_string(info, "domain"), std::string(kEmailDomainWidth - 1, 'd'));
  EXPECT_EQ(get_string(info, "smtp"), "mail\xEF\xBF\xBDhost") << "U+FFFD";
  // tonum, read after the texts, is not overrun by an unterminated slot.
  EXPECT_EQ(get_int(info, "tonum"), 2);
  std::vector<std::string> texts = recipient_texts(info);
  ASSERT_GE(texts.size(), 2u);
  EXPECT_EQ(texts[0], std::string(kEmailTextWidth - 1, 'r'));
  EXPECT_EQ(texts[1], "\xED\xA0\xBD\xED\xB8\x80@x") << "a surrogate pair";
}

TEST_F(ServicesNativeTest, EmailInfoBuildFailuresMakeNoFurtherJniCalls) {
  {
    // The recipients' array cannot be made: the VM's exception stands.
    LocalFrame frame;
    JniFaults faults({{Slot::kNewObjectArray, "", 0, 1}});
    email_info(settings(2, 2));
    EXPECT_EQ(faults.failures(), 1);
    EXPECT_TRUE(exception_of("java.lang.OutOfMemoryError"));
  }
  {
    // The second recipient cannot be made: the VM's exception stands and no
    // JNI call follows it (the check would report one).
    LocalFrame frame;
    const EmailInfoRecord record = settings(3, 3);
    JniFaults faults({{Slot::kNewStringUTF, record.to[1], 0, 1}});
    email_info(record);
    EXPECT_EQ(faults.failures(), 1);
    EXPECT_TRUE(exception_of("java.lang.OutOfMemoryError"));
  }
  {
    // The EmailInfo object itself cannot be made: null, the VM's exception.
    LocalFrame frame;
    JniFaults faults({{Slot::kNewObjectV, "", 0, 1}});
    EXPECT_EQ(email_info(settings(1, 1)), nullptr);
    EXPECT_TRUE(exception_of("java.lang.OutOfMemoryError"));
  }
}

}  // namespace
}  // namespace kxtest
