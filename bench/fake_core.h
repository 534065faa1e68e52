// What the benchmark's fake core offers beyond the KX_ functions.
#pragma once

#include <cstddef>

#include "kx_api.h"

// Copies the record that reached the last single-record write into `out`
// (at most `capacity` bytes) and returns its size, 0 if none yet. The
// benchmark checks with it that every way of writing delivers the same bytes.
KX_API size_t kxbench_last_write(void* out, size_t capacity);

// The most malloc had handed out (in use, bytes) when a KX_GetAllInformation
// call reached the core since the last reset; with `reset`, starts again.
KX_API size_t kxbench_snapshot_peak_in_use(bool reset);
