#include <cstdlib>

#include "bridge/heap.h"

namespace kx {

void* heap_alloc(size_t size) {
  // calloc(0) may return null, which would read as an exhausted heap.
  return std::calloc(size != 0 ? size : 1, 1);
}

}  // namespace kx
