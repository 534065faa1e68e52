// Raises one unit event's traps through QueueEventTraps, as the station's
// event record does, from a process that links the core's objects directly
// (the library exports only the KX_ functions).
//
// Usage: core_trap_helper STATION-DIR UNIT KIND OBJECT [rollback]
// Exit status: 0 when the change committed (its traps sent), 3 when it was
// rolled back on purpose, 1 on a failure.
#include <cstdio>
#include <cstring>
#include <string>

#include "kx_core.h"
#include "kx_errors.h"
#include "model/clock.h"
#include "model/registry.h"
#include "services/services.h"
#include "station/station.h"

int main(int argc, char** argv) {
  if (argc != 5 && argc != 6) {
    std::fprintf(stderr, "usage: %s DIR UNIT KIND OBJECT [rollback]\n",
                 argv[0]);
    return 2;
  }
  WorkingDirectoryRecord directory{};
  std::strncpy(directory.tesk_path, argv[1], sizeof directory.tesk_path - 1);
  if (KX_GUIInitialize(&directory) != KX_OK) return 1;
  char unit[kUnitNameSize] = {};
  std::strncpy(unit, argv[2], sizeof unit - 1);
  const bool rollback = argc == 6 && std::strcmp(argv[5], "rollback") == 0;
  const int32_t code = tesk740::Station::Get().Write(
      [&](tesk740::Database& database) -> int32_t {
        const int64_t unit_id =
            tesk740::RequireUnit(database, unit, kUnitNameSize);
        tesk740::QueueEventTraps(database, unit_id,
                                 {argv[2], argv[3], argv[4], tesk740::NowMs()});
        return rollback ? KXE_INTERNAL : KX_OK;
      });
  if (code == KX_OK) return 0;
  return rollback && code == KXE_INTERNAL ? 3 : 1;
}
