#include "station/settings.h"

namespace tesk740 {

std::optional<std::string> LoadSettingBytes(Database& database, int64_t unit_id,
                                            std::string_view name) {
  Statement read = database.Prepare(
      "SELECT value FROM setting WHERE unit_id = ?1 AND name = ?2");
  read.Bind(1, unit_id).Bind(2, name);
  if (!read.Step()) return std::nullopt;
  return read.Text(0);
}

void StoreSettingBytes(Database& database, int64_t unit_id,
                       std::string_view name, const void* bytes, size_t size) {
  Statement write = database.Prepare(
      "INSERT INTO setting (unit_id, name, value) VALUES (?1, ?2, ?3) "
      "ON CONFLICT (unit_id, name) DO UPDATE SET value = excluded.value");
  write.Bind(1, unit_id).Bind(2, name).BindBlob(3, bytes, size).Run();
}

void DeleteSetting(Database& database, int64_t unit_id, std::string_view name) {
  Statement erase =
      database.Prepare("DELETE FROM setting WHERE unit_id = ?1 AND name = ?2");
  erase.Bind(1, unit_id).Bind(2, name).Run();
}

}  // namespace tesk740
