// JNI failures on demand. While a JniFaults object lives, the thread's JNIEnv
// calls through a copy of its function table in which chosen slots fail; the
// other slots are the VM's own. A failing slot returns null and, like the VM,
// leaves an exception pending unless the fault says otherwise.
#pragma once

#include <jni.h>

#include <string>
#include <vector>

namespace kxtest {

enum class Slot {
  kFindClass,
  kGetMethodID,
  kGetFieldID,
  kGetStaticFieldID,
  kNewObjectV,
  kNewObjectArray,
  kNewStringUTF,
  kNewIntArray,
  kGetStringUTFChars,
  kGetObjectClass,
};

struct Fault {
  Slot slot;
  // Fails only calls whose name argument (class, field or method name, or the
  // text of NewStringUTF) equals this; empty fails every call.
  std::string name;
  // Calls that match and still succeed before the failures begin.
  int skip = 0;
  // How many matching calls fail; -1 for all.
  int times = -1;
  // Whether the failure leaves an exception pending, as the VM does.
  bool throws = true;
};

class JniFaults {
 public:
  explicit JniFaults(std::vector<Fault> faults);
  ~JniFaults();
  JniFaults(const JniFaults&) = delete;
  JniFaults& operator=(const JniFaults&) = delete;

  // How many calls failed.
  int failures() const;
};

}  // namespace kxtest
