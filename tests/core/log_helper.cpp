// Usage: core_log_helper DIRECTORY WRITER COUNT WIDTH
// Opens the station in DIRECTORY and appends COUNT lines to its application
// log, each "writer WRITER line I " padded with 'x' to WIDTH bytes. Exits 0
// when every call succeeded; otherwise prints the failing code and exits 1.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "kx_core.h"
#include "kx_errors.h"

int main(int argc, char** argv) {
  if (argc != 5) return 2;
  WorkingDirectoryRecord directory{};
  std::strncpy(directory.tesk_path, argv[1], sizeof directory.tesk_path - 1);
  int32_t code = KX_GUIInitialize(&directory);
  const int count = std::atoi(argv[3]);
  const size_t width = static_cast<size_t>(std::atoi(argv[4]));
  for (int i = 0; code == KX_OK && i < count; ++i) {
    std::string line =
        std::string("writer ") + argv[2] + " line " + std::to_string(i) + " ";
    if (line.size() < width) line.append(width - line.size(), 'x');
    code = KX_AppLogPut(line.c_str());
  }
  if (code != KX_OK) std::printf("helper failed with %d\n", code);
  return code == KX_OK ? 0 : 1;
}
