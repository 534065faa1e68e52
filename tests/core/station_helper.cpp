// Usage: core_station_helper DIRECTORY PREFIX COUNT
// Opens the station in DIRECTORY and registers COUNT units named PREFIX0,
// PREFIX1, ... Exits 0 when every call succeeded; otherwise prints the first
// failing code and exits 1.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "kx_core.h"
#include "kx_errors.h"

int main(int argc, char** argv) {
  if (argc != 4) return 2;
  WorkingDirectoryRecord directory{};
  std::strncpy(directory.tesk_path, argv[1], sizeof directory.tesk_path - 1);
  int32_t code = KX_GUIInitialize(&directory);
  const int count = std::atoi(argv[3]);
  for (int i = 0; code == KX_OK && i < count; ++i) {
    KXUnitParamRecord unit{};
    const std::string name = argv[2] + std::to_string(i);
    std::strncpy(unit.unit_name, name.c_str(), sizeof unit.unit_name - 1);
    unit.connect_type = static_cast<int8_t>(i);
    code = KX_UnitAdd(&unit);
  }
  if (code != KX_OK) std::printf("helper failed with %d\n", code);
  return code == KX_OK ? 0 : 1;
}
