// Usage:
//   core_storage_helper DIRECTORY add-lus UNIT RG COUNT CAPACITY
//     adds COUNT LUs of CAPACITY MB to RAID group RG, each at the lowest
//     free number; exits 0 when every add succeeded, else prints the first
//     failing code and exits 1.
//   core_storage_helper DIRECTORY report UNIT
//     prints the unit's storage report (storage_report.h).
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "storage_report.h"

int main(int argc, char** argv) {
  if (argc < 4) return 2;
  WorkingDirectoryRecord directory{};
  std::strncpy(directory.tesk_path, argv[1], sizeof directory.tesk_path - 1);
  int32_t code = KX_GUIInitialize(&directory);
  const std::string command = argv[2];
  const char* unit = argv[3];
  if (code == KX_OK && command == "add-lus" && argc == 7) {
    const int count = std::atoi(argv[5]);
    for (int i = 0; code == KX_OK && i < count; ++i) {
      LogicalUnitRecord lu{};
      lu.luNumber = KX_ANY_NUMBER;
      lu.rgNumber = std::atoi(argv[4]);
      lu.capacity = std::atoi(argv[6]);
      code = KX_LogicalUnitAdd(unit, &lu);
    }
  } else if (code == KX_OK && command == "report") {
    const std::string report = core_test::StorageReport(unit);
    if (report.empty()) return 1;
    std::fputs(report.c_str(), stdout);
  } else if (code == KX_OK) {
    return 2;
  }
  if (code != KX_OK) std::printf("helper failed with %d\n", code);
  return code == KX_OK ? 0 : 1;
}
