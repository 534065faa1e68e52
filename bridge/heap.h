// Heap buffers of the native methods. Buffers come from the C runtime's heap,
// the one the core library uses too, and are zero-filled so that no byte that
// reaches the core is undefined. The allocation function is a link-time seam:
// the shipped library uses the C runtime, the native tests a version that can
// fail on demand.
#pragma once

#include <cstddef>
#include <cstdlib>
#include <memory>

namespace kx {

// Zero-filled memory of `size` bytes from the C runtime heap, or null.
void* heap_alloc(size_t size);

struct HeapFree {
  void operator()(void* memory) const { std::free(memory); }
};

template <typename T>
using HeapPtr = std::unique_ptr<T, HeapFree>;

template <typename T>
HeapPtr<T> heap_new(size_t size = sizeof(T)) {
  return HeapPtr<T>(static_cast<T*>(heap_alloc(size)));
}

}  // namespace kx
