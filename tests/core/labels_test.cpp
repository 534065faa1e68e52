// Label renames and the KX_ModifyInfo conversions.
#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "core_test_support.h"

namespace core_test {
namespace {

using LabelTest = StationTest;

struct Modified {
  int32_t code;
  std::string text;
};

Modified Modify(const std::string& text, int32_t value) {
  char in[kModifyInfoSize] = {};
  std::memcpy(in, text.data(), std::min(text.size(), sizeof in - 1));
  char out[kModifyInfoSize];
  std::memset(out, 'z', sizeof out);
  Modified result;
  result.code = KX_ModifyInfo(in, value, out);
  // The output must be terminated inside its buffer whatever happened.
  EXPECT_NE(std::memchr(out, '\0', sizeof out), nullptr);
  result.text = out;
  return result;
}

std::vector<std::pair<std::string, std::string>> Labels() {
  KXLabelRecord entries[kLabelListCapacity];
  int32_t count = -1;
  EXPECT_EQ(KX_GetLabelList(entries, &count), KX_OK);
  std::vector<std::pair<std::string, std::string>> labels;
  for (int32_t i = 0; i < count; ++i) {
    labels.emplace_back(entries[i].oldlabel, entries[i].newlabel);
  }
  return labels;
}

TEST_F(LabelTest, PlainConversions) {
  EXPECT_EQ(Modify(" \t Unit 1 \r\n", 0).text, "Unit 1");
  EXPECT_EQ(Modify("  \n", 0).text, "");
  EXPECT_EQ(Modify("ab-\xC3\xA9z", 1).text, "AB-\xC3\xA9Z");
  EXPECT_EQ(Modify("AB-\xC3\x89Z", 2).text, "ab-\xC3\x89z");

  const Modified unknown = Modify("text", 6);
  EXPECT_EQ(unknown.code, KXE_INVALID_ARGUMENT);
  EXPECT_EQ(unknown.text, "");
  EXPECT_EQ(Modify("text", -1).code, KXE_INVALID_ARGUMENT);

  char unterminated[kModifyInfoSize];
  std::memset(unterminated, 'u', sizeof unterminated);
  char out[kModifyInfoSize];
  EXPECT_EQ(KX_ModifyInfo(unterminated, 0, out), KXE_INVALID_ARGUMENT);
  EXPECT_EQ(out[0], '\0');
  EXPECT_EQ(KX_ModifyInfo(nullptr, 0, out), KXE_INVALID_ARGUMENT);
  EXPECT_EQ(KX_ModifyInfo("x", 0, nullptr), KXE_INVALID_ARGUMENT);
}

TEST_F(LabelTest, RenamesAreListedInOrderAndApplied) {
  EXPECT_TRUE(Labels().empty());
  EXPECT_EQ(Modify("  LU0   LUN_0 ", 4).text, "LU0 LUN_0");
  EXPECT_EQ(Modify("RG RAIDGR", 4).code, KX_OK);
  EXPECT_EQ(Modify("LUN_0 X", 4).code, KX_OK);
  // Redefining keeps the rename's place in the list.
  EXPECT_EQ(Modify("LU0 LUN0", 4).code, KX_OK);
  using Pairs = std::vector<std::pair<std::string, std::string>>;
  EXPECT_EQ(Labels(),
            (Pairs{{"LU0", "LUN0"}, {"RG", "RAIDGR"}, {"LUN_0", "X"}}));

  // Whole words only, one pass, punctuation separates words.
  EXPECT_EQ(Modify("RG,LU0 LU01 xRG RG", 3).text,
            "RAIDGR,LUN0 LU01 xRG RAIDGR");
  EXPECT_EQ(Modify("LUN_0", 3).text, "X");

  const Modified removed = Modify("RG", 5);
  EXPECT_EQ(removed.code, KX_OK);
  EXPECT_EQ(removed.text, "RG RAIDGR");
  EXPECT_EQ(Modify("RG", 5).code, KXE_UNKNOWN_LABEL);
  EXPECT_EQ(Labels(), (Pairs{{"LU0", "LUN0"}, {"LUN_0", "X"}}));
}

TEST_F(LabelTest, MalformedLabelsAndOverlongResults) {
  for (const char* text :
       {"", "ONE", "A B C", "SEVENCH X", "X SEVENCH", "A-B X", "X \xC3\xA9"}) {
    EXPECT_EQ(Modify(text, 4).code, KXE_INVALID_LABEL) << text;
  }
  EXPECT_EQ(Modify("A B", 5).code, KXE_INVALID_LABEL);
  EXPECT_TRUE(Labels().empty());

  ASSERT_EQ(Modify("a LONGER", 4).code, KX_OK);
  // Each "a " becomes 7 bytes: 146 of them and one byte more fill the 1023
  // bytes the result may hold; one byte more does not fit.
  std::string text;
  for (int i = 0; i < 146; ++i) text += "a ";
  const Modified fits = Modify(text + "x", 3);
  EXPECT_EQ(fits.code, KX_OK);
  EXPECT_EQ(fits.text.size(), 1023u);
  const Modified overlong = Modify(text + "xy", 3);
  EXPECT_EQ(overlong.code, KXE_TEXT_TOO_LONG);
  EXPECT_EQ(overlong.text, "");
}

TEST_F(LabelTest, ListHoldsTwentyEvenUnderRacingThreads) {
  std::atomic<int> added{0};
  std::atomic<int> full{0};
  std::vector<std::thread> threads;
  for (int i = 0; i < 25; ++i) {
    threads.emplace_back([i, &added, &full] {
      const int32_t code = Modify("L" + std::to_string(i) + " N", 4).code;
      if (code == KX_OK) ++added;
      if (code == KXE_LABEL_LIST_FULL) ++full;
    });
  }
  for (auto& thread : threads) thread.join();
  EXPECT_EQ(added, 20);
  EXPECT_EQ(full, 5);
  EXPECT_EQ(Labels().size(), 20u);
  // A rename already kept can still be changed when the list is full.
  const std::string first = Labels().front().first;
  EXPECT_EQ(Modify(first + " M", 4).code, KX_OK);
}

}  // namespace
}  // namespace core_test
