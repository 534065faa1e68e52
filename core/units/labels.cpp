// Label renames and the KX_ModifyInfo text conversions.
//
// The station keeps up to 20 label renames (old label -> new label). A label
// is 1 to 6 bytes of A-Z, a-z, 0-9 and '_'. KX_GetLabelList lists the renames;
// KX_ModifyInfo defines, removes and applies them, beside plain conversions
// that need no station. README.md gives the selectors.
#include <cstring>
#include <exception>
#include <map>
#include <string>
#include <vector>

#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station.h"
#include "station/fixed_text.h"
#include "station/station.h"

namespace tesk740 {
namespace {

constexpr size_t kMaxLabelLength = 6;

enum ModifyOperation : int32_t {
  kTrim = KX_MODIFY_TRIM,
  kUpperCase = KX_MODIFY_UPPER,
  kLowerCase = KX_MODIFY_LOWER,
  kApplyLabels = KX_MODIFY_APPLY_LABELS,
  kSetLabel = KX_MODIFY_SET_LABEL,
  kRemoveLabel = KX_MODIFY_REMOVE_LABEL,
};

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' ||
         c == '\f';
}

bool IsLabelByte(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
         (c >= '0' && c <= '9') || c == '_';
}

bool IsLabel(const std::string& text) {
  if (text.empty() || text.size() > kMaxLabelLength) return false;
  for (const char c : text) {
    if (!IsLabelByte(c)) return false;
  }
  return true;
}

std::string Trim(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

// Case conversion touches ASCII letters only; other bytes, including those
// of multi-byte characters, pass unchanged.
std::string ChangeCase(std::string text, bool upper) {
  for (char& c : text) {
    if (upper && c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    if (!upper && c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::vector<std::string> SplitWords(const std::string& text) {
  std::vector<std::string> words;
  size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && IsBlank(text[i])) ++i;
    const size_t begin = i;
    while (i < text.size() && !IsBlank(text[i])) ++i;
    if (i > begin) words.push_back(text.substr(begin, i - begin));
  }
  return words;
}

std::map<std::string, std::string> LoadLabels(Database& database) {
  std::map<std::string, std::string> renames;
  Statement select = database.Prepare("SELECT old_label, new_label FROM label");
  while (select.Step()) renames.emplace(select.Text(0), select.Text(1));
  return renames;
}

// Replaces every whole word that is an old label with its new label. A word
// is a maximal run of label bytes, so "LU01," matches the label "LU01". One
// pass: a replacement is never itself replaced again.
std::string ApplyLabels(const std::string& text,
                        const std::map<std::string, std::string>& renames) {
  std::string result;
  size_t i = 0;
  while (i < text.size()) {
    if (!IsLabelByte(text[i])) {
      result += text[i++];
      continue;
    }
    const size_t begin = i;
    while (i < text.size() && IsLabelByte(text[i])) ++i;
    const std::string word = text.substr(begin, i - begin);
    const auto rename = renames.find(word);
    result += rename == renames.end() ? word : rename->second;
  }
  return result;
}

// Text of the form "OLD NEW": adds the rename, or changes the new label of
// an existing one in place.
int32_t SetLabel(Database& database, const std::string& text,
                 std::string* result) {
  const std::vector<std::string> words = SplitWords(text);
  if (words.size() != 2 || !IsLabel(words[0]) || !IsLabel(words[1])) {
    return KXE_INVALID_LABEL;
  }
  Statement update =
      database.Prepare("UPDATE label SET new_label = ?2 WHERE old_label = ?1");
  update.Bind(1, words[0]).Bind(2, words[1]);
  update.Run();
  if (sqlite3_changes(database.handle()) == 0) {
    Statement count = database.Prepare("SELECT count(*) FROM label");
    count.Step();
    if (count.Int(0) >= kLabelListCapacity) return KXE_LABEL_LIST_FULL;
    Statement insert = database.Prepare(
        "INSERT INTO label (old_label, new_label) VALUES (?1, ?2)");
    insert.Bind(1, words[0]).Bind(2, words[1]);
    insert.Run();
  }
  *result = words[0] + " " + words[1];
  return KX_OK;
}

// Text of the form "OLD": removes that rename.
int32_t RemoveLabel(Database& database, const std::string& text,
                    std::string* result) {
  const std::vector<std::string> words = SplitWords(text);
  if (words.size() != 1 || !IsLabel(words[0])) return KXE_INVALID_LABEL;
  Statement select =
      database.Prepare("SELECT new_label FROM label WHERE old_label = ?1");
  select.Bind(1, words[0]);
  if (!select.Step()) return KXE_UNKNOWN_LABEL;
  *result = words[0] + " " + select.Text(0);
  Statement remove = database.Prepare("DELETE FROM label WHERE old_label = ?1");
  remove.Bind(1, words[0]);
  remove.Run();
  return KX_OK;
}

int32_t Modify(const std::string& text, int32_t operation,
               std::string* result) {
  switch (operation) {
    case kTrim:
      *result = Trim(text);
      return KX_OK;
    case kUpperCase:
    case kLowerCase:
      *result = ChangeCase(text, operation == kUpperCase);
      return KX_OK;
    case kApplyLabels:
      return Station::Get().Read([&](Database& database) {
        *result = ApplyLabels(text, LoadLabels(database));
        return int32_t{KX_OK};
      });
    case kSetLabel:
      return Station::Get().Write(
          [&](Database& database) { return SetLabel(database, text, result); });
    case kRemoveLabel:
      return Station::Get().Write([&](Database& database) {
        return RemoveLabel(database, text, result);
      });
    default:
      return KXE_INVALID_ARGUMENT;
  }
}

}  // namespace
}  // namespace tesk740

using tesk740::Database;
using tesk740::Statement;

KX_API int32_t KX_GetLabelList(KXLabelRecord* entries, int32_t* count) {
  return tesk740::Station::Get().Read([&](Database& database) -> int32_t {
    if (entries == nullptr || count == nullptr) return KXE_INVALID_ARGUMENT;
    KXLabelRecord list[kLabelListCapacity] = {};
    int32_t used = 0;
    Statement select = database.Prepare(
        "SELECT old_label, new_label FROM label ORDER BY label_id LIMIT ?1");
    select.Bind(1, int64_t{kLabelListCapacity});
    while (select.Step()) {
      KXLabelRecord& entry = list[used++];
      tesk740::WriteFixedText(select.Text(0), entry.oldlabel,
                              sizeof entry.oldlabel);
      tesk740::WriteFixedText(select.Text(1), entry.newlabel,
                              sizeof entry.newlabel);
    }
    std::memcpy(entries, list, sizeof list);
    *count = used;
    return KX_OK;
  });
}

KX_API int32_t KX_ModifyInfo(const char* text, int32_t value, char* result) {
  if (result == nullptr) return KXE_INVALID_ARGUMENT;
  // A failed call answers with an empty text.
  std::memset(result, 0, kModifyInfoSize);
  std::string input;
  if (text == nullptr ||
      !tesk740::ReadFixedText(text, kModifyInfoSize, &input)) {
    return KXE_INVALID_ARGUMENT;
  }
  std::string output;
  int32_t code;
  try {
    code = tesk740::Modify(input, value, &output);
  } catch (const std::exception&) {
    code = KXE_INTERNAL;
  }
  if (code != KX_OK) return code;
  if (output.size() >= kModifyInfoSize) return KXE_TEXT_TOO_LONG;
  tesk740::WriteFixedText(output, result, kModifyInfoSize);
  return KX_OK;
}
