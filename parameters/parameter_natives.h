// Frame of the natives that pass a unit name and one path to the core.
#pragma once

#include "bridge/frame.h"

namespace kx {

// Several strings: the unit name (17 bytes), then the path (1024 bytes), each
// checked for null just before its own conversion; then call(unit, path).
template <typename Call>
void unit_and_path_action(JNIEnv* env, jstring unit_name, jstring path,
                          Call&& call) {
  flush_output();
  char unit[kUnitNameSize];
  if (!convert_required(env, unit_name, unit)) return;
  char path_text[kLongNameSize];
  if (!convert_required(env, path, path_text)) return;
  if (!core_succeeded(env, call(static_cast<const char*>(unit),
                                static_cast<const char*>(path_text)))) {
    return;
  }
  flush_output();
}

}  // namespace kx
