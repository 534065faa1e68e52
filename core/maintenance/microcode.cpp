// Microcode replacement: part files joined and verified into a prepared
// image, the image moved to the unit in numbered portions, then activated.
//
// Joining reads and checks the files outside any transaction (it is paced
// like the real transfer and may take seconds), looking for a cancellation
// between chunks; the result is stored in one transaction that first checks
// that no cancellation came since the joining began. A cancelled or failed
// join therefore leaves nothing, and the unfinished image of a unit (the
// parts KX_MicroFileConcat joined so far) is never used until its last part
// is in.
#include <zlib.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <thread>

#include "kx_core.h"
#include "kx_errors.h"
#include "kx_station_maintenance.h"
#include "maintenance/maintenance.h"
#include "model/registry.h"
#include "station/files.h"
#include "station/fixed_text.h"

namespace tesk740 {
namespace {

constexpr char kDefaultRevision[] = "0850/A";
constexpr char kMagic[4] = {'K', 'X', 'M', 'C'};
// Bytes checked between two looks for a cancellation.
constexpr size_t kChunkBytes = 64 * 1024;
// Joining and downloading take this long per MB unless
// KX_MICROCODE_SECONDS_PER_MB says otherwise.
constexpr double kDefaultSecondsPerMb = 0.5;

struct PartHeader {
  int32_t model = 0;
  std::string revision;
  int32_t part = 0;
  int32_t part_count = 0;
  uint32_t length = 0;
  uint32_t crc = 0;
};

uint32_t Little32(const unsigned char* at) {
  return static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 |
         static_cast<uint32_t>(at[2]) << 16 |
         static_cast<uint32_t>(at[3]) << 24;
}
uint16_t Little16(const unsigned char* at) {
  return static_cast<uint16_t>(at[0] | at[1] << 8);
}

uint32_t Crc32(const unsigned char* bytes, size_t size) {
  uLong crc = crc32(0L, Z_NULL, 0);
  while (size > 0) {
    const uInt step = static_cast<uInt>(std::min<size_t>(size, 1u << 30));
    crc = crc32(crc, bytes, step);
    bytes += step;
    size -= step;
  }
  return static_cast<uint32_t>(crc);
}

bool IsRevisionText(const std::string& revision) {
  if (revision.empty() || revision.size() > kMicroRevisionSize - 1) {
    return false;
  }
  return std::all_of(revision.begin(), revision.end(),
                     [](char c) { return c >= 0x21 && c <= 0x7E; });
}

// Checks the 40-byte header at `at`; KXE_MICRO_FILE_DAMAGED for anything
// that is not a well-formed part header.
int32_t ParseHeader(const unsigned char* at, PartHeader* header) {
  if (std::memcmp(at, kMagic, sizeof kMagic) != 0 ||
      Little16(at + 4) != KX_MICRO_FORMAT_VERSION ||
      Little16(at + 6) != KX_MICRO_HEADER_BYTES ||
      Little32(at + 36) != Crc32(at, 36) || Little32(at + 32) != 0) {
    return KXE_MICRO_FILE_DAMAGED;
  }
  header->model = static_cast<int32_t>(Little32(at + 8));
  const char* revision = reinterpret_cast<const char*>(at + 12);
  header->revision.assign(revision, strnlen(revision, kMicroRevisionSize));
  for (size_t i = header->revision.size(); i < kMicroRevisionSize; ++i) {
    if (revision[i] != '\0') return KXE_MICRO_FILE_DAMAGED;
  }
  header->part = Little16(at + 20);
  header->part_count = Little16(at + 22);
  header->length = Little32(at + 24);
  header->crc = Little32(at + 28);
  if (!IsRevisionText(header->revision) || header->part_count < 1 ||
      header->part_count > KX_MICRO_MAX_PARTS || header->part < 1 ||
      header->part > header->part_count || header->length == 0) {
    return KXE_MICRO_FILE_DAMAGED;
  }
  if (header->length > static_cast<uint32_t>(KX_MICRO_PART_MAX_BYTES)) {
    return KXE_MICRO_TOO_LARGE;
  }
  return KX_OK;
}

double SecondsPerMb() {
  return SecondsFromEnvironment("KX_MICROCODE_SECONDS_PER_MB",
                                kDefaultSecondsPerMb);
}

void Pace(size_t bytes) {
  const double seconds =
      SecondsPerMb() * static_cast<double>(bytes) / (1024.0 * 1024.0);
  if (seconds > 0) {
    std::this_thread::sleep_for(std::chrono::microseconds(
        static_cast<int64_t>(std::llround(seconds * 1e6))));
  }
}

int64_t CancelGeneration(Database& database) {
  Statement select =
      database.Prepare("SELECT generation FROM micro_cancel WHERE id = 1");
  if (!select.Step()) Fail(KXE_STATION_DAMAGED);
  return select.Int(0);
}

// What a join needs to know before it reads files: the unit, its model and
// the cancellation generation it started under.
struct JoinStart {
  int64_t unit_id = 0;
  int32_t model = 0;
  int64_t generation = 0;
  std::filesystem::path file;
};

int32_t BeginJoin(const char* unit, const char* file, JoinStart* start) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    start->unit_id = RequireKnownUnit(database, unit, kUnitNameSize);
    start->file = HostPath(database, file);
    Statement select =
        database.Prepare("SELECT kx_type FROM unit WHERE unit_id = ?1");
    select.Bind(1, start->unit_id);
    if (!select.Step()) return KXE_UNKNOWN_UNIT;
    start->model = static_cast<int32_t>(select.Int(0));
    start->generation = CancelGeneration(database);
    return KX_OK;
  });
}

bool Cancelled(int64_t generation) {
  bool cancelled = false;
  const int32_t code = Station::Get().Read([&](Database& database) -> int32_t {
    cancelled = CancelGeneration(database) != generation;
    return KX_OK;
  });
  return code != KX_OK || cancelled;
}

// Reads a whole file of at most `limit` bytes.
int32_t ReadWholeFile(const std::filesystem::path& path, size_t limit,
                      std::string* bytes) {
  switch (ReadCallerFile(path, limit, bytes)) {
    case FileRead::kRead:
      return KX_OK;
    case FileRead::kTooLarge:
      return KXE_MICRO_TOO_LARGE;
    default:
      return KXE_MICRO_FILE_UNREADABLE;
  }
}

// Verifies the payload's CRC chunk by chunk at the joining pace, giving up
// when a cancellation arrives.
int32_t VerifyPayload(const unsigned char* payload, const PartHeader& header,
                      int64_t generation) {
  uLong crc = crc32(0L, Z_NULL, 0);
  for (size_t done = 0; done < header.length;) {
    if (Cancelled(generation)) return KXE_MICRO_CANCELLED;
    const size_t step = std::min<size_t>(kChunkBytes, header.length - done);
    crc = crc32(crc, payload + done, static_cast<uInt>(step));
    done += step;
    Pace(step);
  }
  if (Cancelled(generation)) return KXE_MICRO_CANCELLED;
  return static_cast<uint32_t>(crc) == header.crc ? KX_OK
                                                  : KXE_MICRO_CRC_MISMATCH;
}

// A part that should be number `expected` of a release like `first`.
int32_t CheckPartPlace(const PartHeader& header, int32_t expected,
                       const PartHeader* first) {
  if (first != nullptr &&
      (header.revision != first->revision || header.model != first->model ||
       header.part_count != first->part_count)) {
    return KXE_MICRO_PART_MISMATCH;
  }
  if (header.part < expected) return KXE_MICRO_PART_ORDER;
  if (header.part > expected) return KXE_MICRO_PART_MISSING;
  return KX_OK;
}

// Stores a complete image as the unit's prepared one, replacing any earlier
// image and any unfinished join.
void StorePreparedImage(Database& database, int64_t unit_id,
                        const std::string& revision, const std::string& image,
                        int32_t part_count) {
  Statement sequence = database.Prepare(
      "SELECT coalesce(max(prepared_seq), 0) + 1 FROM micro_image");
  sequence.Step();
  const int64_t prepared_seq = sequence.Int(0);
  database
      .Prepare(
          "INSERT OR REPLACE INTO micro_image (unit_id, revision, image,"
          " portions_received, prepared_seq) VALUES (?1, ?2, ?3, 0, ?4)")
      .Bind(1, unit_id)
      .Bind(2, revision)
      .BindBlob(3, image.data(), image.size())
      .Bind(4, prepared_seq)
      .Run();
  database.Prepare("DELETE FROM micro_assembly WHERE unit_id = ?1")
      .Bind(1, unit_id)
      .Run();
  RecordUnitEvent(database, unit_id, "microcode-prepared", -1,
                  KX_TRACE_MICROCODE,
                  "microcode " + revision +
                      " prepared: " + std::to_string(part_count) + " parts, " +
                      std::to_string(image.size()) + " bytes");
}

struct PreparedImage {
  std::string revision;
  int64_t length = 0;
  int64_t portions_received = 0;
  int64_t portion_count = 0;
};

std::optional<PreparedImage> LoadPreparedImage(Database& database,
                                               int64_t unit_id) {
  Statement select = database.Prepare(
      "SELECT revision, length(image), portions_received FROM micro_image"
      " WHERE unit_id = ?1");
  select.Bind(1, unit_id);
  if (!select.Step()) return std::nullopt;
  PreparedImage image;
  image.revision = select.Text(0);
  image.length = select.Int(1);
  image.portions_received = select.Int(2);
  if (!IsRevisionText(image.revision) || image.length <= 0 ||
      image.length > KX_MICRO_IMAGE_MAX_BYTES) {
    Fail(KXE_STATION_DAMAGED);
  }
  image.portion_count =
      (image.length + KX_MICRO_PORTION_BYTES - 1) / KX_MICRO_PORTION_BYTES;
  if (image.portions_received < 0 ||
      image.portions_received > image.portion_count) {
    Fail(KXE_STATION_DAMAGED);
  }
  return image;
}

}  // namespace

std::string UnitMicrocodeRevision(Database& database, int64_t unit_id) {
  Statement select = database.Prepare(
      "SELECT revision FROM unit_microcode WHERE unit_id = ?1");
  select.Bind(1, unit_id);
  if (!select.Step()) return kDefaultRevision;
  std::string revision = select.Text(0);
  if (!IsRevisionText(revision)) Fail(KXE_STATION_DAMAGED);
  return revision;
}

}  // namespace tesk740

using tesk740::Database;
using tesk740::Statement;
using tesk740::Station;

KX_API int32_t KX_MicroFileConcat(const char* unit, const char* file_name,
                                  int32_t part, int32_t* remaining) {
  tesk740::JoinStart start;
  int32_t code = tesk740::BeginJoin(unit, file_name, &start);
  if (code != KX_OK) return code;
  if (remaining == nullptr || part < 1 || part > KX_MICRO_MAX_PARTS) {
    return KXE_INVALID_ARGUMENT;
  }
  std::string bytes;
  code = tesk740::ReadWholeFile(
      start.file, KX_MICRO_HEADER_BYTES + size_t{KX_MICRO_PART_MAX_BYTES},
      &bytes);
  if (code != KX_OK) return code;
  if (bytes.size() < static_cast<size_t>(KX_MICRO_HEADER_BYTES)) {
    return KXE_MICRO_FILE_DAMAGED;
  }
  const auto* at = reinterpret_cast<const unsigned char*>(bytes.data());
  tesk740::PartHeader header;
  code = tesk740::ParseHeader(at, &header);
  if (code != KX_OK) return code;
  if (bytes.size() != KX_MICRO_HEADER_BYTES + size_t{header.length}) {
    return KXE_MICRO_FILE_DAMAGED;
  }
  if (header.model != start.model) return KXE_MICRO_WRONG_MODEL;
  code = tesk740::CheckPartPlace(header, part, nullptr);
  if (code != KX_OK) return code;
  code = tesk740::VerifyPayload(at + KX_MICRO_HEADER_BYTES, header,
                                start.generation);
  if (code != KX_OK) return code;

  int32_t left = 0;
  code = Station::Get().Write([&](Database& database) -> int32_t {
    if (tesk740::CancelGeneration(database) != start.generation) {
      return KXE_MICRO_CANCELLED;
    }
    const int64_t unit_id =
        tesk740::RequireKnownUnit(database, unit, kUnitNameSize);
    std::string image;
    if (part > 1) {
      Statement select = database.Prepare(
          "SELECT model, revision, part_count, parts_joined, image"
          " FROM micro_assembly WHERE unit_id = ?1");
      select.Bind(1, unit_id);
      // Without the earlier parts this one comes too early.
      if (!select.Step()) return KXE_MICRO_PART_MISSING;
      tesk740::PartHeader first;
      first.model = static_cast<int32_t>(select.Int(0));
      first.revision = select.Text(1);
      first.part_count = static_cast<int32_t>(select.Int(2));
      const int64_t joined = select.Int(3);
      if (joined < 1 || joined >= first.part_count ||
          first.part_count > KX_MICRO_MAX_PARTS) {
        tesk740::Fail(KXE_STATION_DAMAGED);
      }
      const int32_t place = tesk740::CheckPartPlace(
          header, static_cast<int32_t>(joined) + 1, &first);
      if (place != KX_OK) return place;
      image = select.Text(4);
    }
    if (image.size() + header.length >
        static_cast<size_t>(KX_MICRO_IMAGE_MAX_BYTES)) {
      return KXE_MICRO_TOO_LARGE;
    }
    image.append(bytes, KX_MICRO_HEADER_BYTES, header.length);
    left = header.part_count - header.part;
    if (left == 0) {
      tesk740::StorePreparedImage(database, unit_id, header.revision, image,
                                  header.part_count);
      return KX_OK;
    }
    database
        .Prepare(
            "INSERT OR REPLACE INTO micro_assembly (unit_id, model, revision,"
            " part_count, parts_joined, image) VALUES (?1, ?2, ?3, ?4, ?5, ?6)")
        .Bind(1, unit_id)
        .Bind(2, header.model)
        .Bind(3, header.revision)
        .Bind(4, header.part_count)
        .Bind(5, header.part)
        .BindBlob(6, image.data(), image.size())
        .Run();
    return KX_OK;
  });
  if (code == KX_OK) *remaining = left;
  return code;
}

KX_API int32_t KX_MicroFileConcat2(const char* unit, const char* file_name) {
  tesk740::JoinStart start;
  int32_t code = tesk740::BeginJoin(unit, file_name, &start);
  if (code != KX_OK) return code;
  std::string bytes;
  code = tesk740::ReadWholeFile(
      start.file,
      size_t{KX_MICRO_IMAGE_MAX_BYTES} +
          size_t{KX_MICRO_MAX_PARTS} * KX_MICRO_HEADER_BYTES,
      &bytes);
  if (code != KX_OK) return code;
  const auto* at = reinterpret_cast<const unsigned char*>(bytes.data());
  tesk740::PartHeader first;
  std::string image;
  size_t offset = 0;
  for (int32_t expected = 1;; ++expected) {
    if (offset == bytes.size()) {
      return expected == 1 ? KXE_MICRO_FILE_DAMAGED : KXE_MICRO_PART_MISSING;
    }
    if (bytes.size() - offset < static_cast<size_t>(KX_MICRO_HEADER_BYTES)) {
      return KXE_MICRO_FILE_DAMAGED;
    }
    tesk740::PartHeader header;
    code = tesk740::ParseHeader(at + offset, &header);
    if (code != KX_OK) return code;
    if (bytes.size() - offset - KX_MICRO_HEADER_BYTES < header.length) {
      return KXE_MICRO_FILE_DAMAGED;
    }
    if (header.model != start.model) return KXE_MICRO_WRONG_MODEL;
    code = tesk740::CheckPartPlace(header, expected,
                                   expected == 1 ? nullptr : &first);
    if (code != KX_OK) return code;
    if (expected == 1) first = header;
    code = tesk740::VerifyPayload(at + offset + KX_MICRO_HEADER_BYTES, header,
                                  start.generation);
    if (code != KX_OK) return code;
    if (image.size() + header.length >
        static_cast<size_t>(KX_MICRO_IMAGE_MAX_BYTES)) {
      return KXE_MICRO_TOO_LARGE;
    }
    image.append(bytes, offset + KX_MICRO_HEADER_BYTES, header.length);
    offset += KX_MICRO_HEADER_BYTES + size_t{header.length};
    if (header.part == header.part_count) break;
  }
  // Bytes after the last part mean the file is not what it claims.
  if (offset != bytes.size()) return KXE_MICRO_FILE_DAMAGED;
  return Station::Get().Write([&](Database& database) -> int32_t {
    if (tesk740::CancelGeneration(database) != start.generation) {
      return KXE_MICRO_CANCELLED;
    }
    const int64_t unit_id =
        tesk740::RequireKnownUnit(database, unit, kUnitNameSize);
    tesk740::StorePreparedImage(database, unit_id, first.revision, image,
                                first.part_count);
    return KX_OK;
  });
}

KX_API int32_t KX_CancelMicroFileConcat() {
  return Station::Get().Write([&](Database& database) -> int32_t {
    database.Exec(
        "UPDATE micro_cancel SET generation = generation + 1 WHERE id = 1");
    Statement units = database.Prepare("SELECT unit_id FROM micro_assembly");
    while (units.Step()) {
      tesk740::RecordUnitEvent(database, units.Int(0), "microcode-cancelled",
                               -1, KX_TRACE_MICROCODE,
                               "microcode joining cancelled");
    }
    database.Exec("DELETE FROM micro_assembly");
    return KX_OK;
  });
}

KX_API int32_t KX_GetNewMicroRevision(char* revision) {
  return Station::Get().Read([&](Database& database) -> int32_t {
    if (revision == nullptr) return KXE_INVALID_ARGUMENT;
    Statement select = database.Prepare(
        "SELECT revision FROM micro_image ORDER BY prepared_seq DESC LIMIT 1");
    if (!select.Step()) return KXE_MICRO_NO_IMAGE;
    const std::string text = select.Text(0);
    if (!tesk740::IsRevisionText(text)) tesk740::Fail(KXE_STATION_DAMAGED);
    tesk740::WriteFixedText(text, revision, kMicroRevisionSize);
    return KX_OK;
  });
}

KX_API int32_t KX_GetMicroDownloadCount(const char* unit, int32_t* count) {
  int32_t portions = 0;
  const int32_t code = Station::Get().Read([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (count == nullptr) return KXE_INVALID_ARGUMENT;
    const auto image = tesk740::LoadPreparedImage(database, unit_id);
    if (!image) return KXE_MICRO_NO_IMAGE;
    portions = static_cast<int32_t>(image->portion_count);
    return KX_OK;
  });
  if (code == KX_OK) *count = portions;
  return code;
}

KX_API int32_t KX_MicroDownload(const char* unit, int32_t portion,
                                int32_t count, int32_t reserved) {
  // Checks the portion against the image; run before the transfer's pause
  // and again when the portion is recorded.
  const auto check = [&](Database& database, int64_t* unit_id,
                         tesk740::PreparedImage* loaded) -> int32_t {
    *unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (reserved != 0 || count < 1 || portion < 1 || portion > count) {
      return KXE_INVALID_ARGUMENT;
    }
    const auto image = tesk740::LoadPreparedImage(database, *unit_id);
    if (!image) return KXE_MICRO_NO_IMAGE;
    if (image->portion_count != count) return KXE_MICRO_COUNT_MISMATCH;
    if (portion <= image->portions_received) return KXE_MICRO_PORTION_REPEATED;
    if (portion > image->portions_received + 1) return KXE_MICRO_PORTION_ORDER;
    *loaded = *image;
    return KX_OK;
  };
  int64_t unit_id = 0;
  tesk740::PreparedImage image;
  int32_t code = Station::Get().Read(
      [&](Database& database) { return check(database, &unit_id, &image); });
  if (code != KX_OK) return code;
  const int64_t last =
      image.length - int64_t{portion - 1} * KX_MICRO_PORTION_BYTES;
  tesk740::Pace(
      static_cast<size_t>(std::min<int64_t>(last, KX_MICRO_PORTION_BYTES)));
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int32_t again = check(database, &unit_id, &image);
    if (again != KX_OK) return again;
    database
        .Prepare(
            "UPDATE micro_image SET portions_received = ?2 WHERE unit_id = ?1")
        .Bind(1, unit_id)
        .Bind(2, portion)
        .Run();
    if (portion == count) {
      tesk740::RecordUnitEvent(database, unit_id, "microcode-downloaded", -1,
                               KX_TRACE_MICROCODE,
                               "microcode " + image.revision + " downloaded: " +
                                   std::to_string(count) + " portions");
    }
    return KX_OK;
  });
}

KX_API int32_t KX_MicroReplace(const char* unit, int32_t mode) {
  return Station::Get().Write([&](Database& database) -> int32_t {
    const int64_t unit_id = tesk740::RequireUnit(database, unit, kUnitNameSize);
    if (mode != KX_MICRO_REPLACE_RESTART) return KXE_INVALID_ARGUMENT;
    const auto image = tesk740::LoadPreparedImage(database, unit_id);
    if (!image) return KXE_MICRO_NO_IMAGE;
    if (image->portions_received != image->portion_count) {
      return KXE_MICRO_NOT_DOWNLOADED;
    }
    const std::string old_revision =
        tesk740::UnitMicrocodeRevision(database, unit_id);
    database
        .Prepare(
            "INSERT OR REPLACE INTO unit_microcode (unit_id, revision)"
            " VALUES (?1, ?2)")
        .Bind(1, unit_id)
        .Bind(2, image->revision)
        .Run();
    database.Prepare("DELETE FROM micro_image WHERE unit_id = ?1")
        .Bind(1, unit_id)
        .Run();
    tesk740::RecordUnitEvent(
        database, unit_id, "microcode-replaced", -1, KX_TRACE_MICROCODE,
        "microcode replaced: " + old_revision + " -> " + image->revision);
    tesk740::RestartUnit(database, unit_id, tesk740::RestartDurationMs(),
                         "microcode replacement");
    return KX_OK;
  });
}
