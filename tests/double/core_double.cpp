#include "tests/double/core_double.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <mutex>
#include <stdexcept>

namespace kxtest {
namespace {

struct State {
  std::mutex mutex;
  std::vector<CoreCall> calls;
  int32_t code = 0;
  int32_t out_int = 0;
  std::map<size_t, std::vector<uint8_t>> outputs;
};

State& state() {
  static State instance;
  return instance;
}

size_t width_of(const PointerWidth& width, const void* pointer,
                const std::vector<int32_t>& ints) {
  switch (width.kind) {
    case PointerWidth::kBytes:
      return width.bytes;
    case PointerWidth::kPerInt: {
      if (width.int_index < 0 ||
          static_cast<size_t>(width.int_index) >= ints.size()) {
        throw std::logic_error("width names an int the call does not have");
      }
      int32_t n = ints[static_cast<size_t>(width.int_index)];
      return n < 0 ? 0 : width.bytes * static_cast<size_t>(n) + width.extra;
    }
    case PointerWidth::kCString:
      return std::strlen(static_cast<const char*>(pointer)) + 1;
    case PointerWidth::kOutInt:
    case PointerWidth::kHeapOut:
      return 0;
  }
  return 0;
}

}  // namespace

void CoreDouble::reset() {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.calls.clear();
  s.code = 0;
  s.out_int = 0;
  s.outputs.clear();
}

void CoreDouble::set_code(int32_t code) { state().code = code; }

void CoreDouble::set_output(size_t index, std::vector<uint8_t> bytes) {
  state().outputs[index] = std::move(bytes);
}

void CoreDouble::set_out_int(int32_t value) { state().out_int = value; }

const std::vector<CoreCall>& CoreDouble::calls() { return state().calls; }

const CoreCall& CoreDouble::last_call() {
  if (state().calls.empty()) throw std::logic_error("the core was not called");
  return state().calls.back();
}

size_t CoreDouble::call_count() { return state().calls.size(); }

int32_t CoreDouble::record_call(const char* function,
                                std::initializer_list<CoreArg> args) {
  State& s = state();
  CoreCall call;
  call.function = function;
  for (const CoreArg& arg : args) {
    if (arg.kind == CoreArg::kValue) {
      call.ints.push_back(arg.number);
    } else {
      call.pointers.push_back(arg.pointer);
    }
  }
  const std::vector<PointerWidth>* widths = pointer_widths(function);
  if (widths != nullptr) {
    if (widths->size() != call.pointers.size()) {
      throw std::logic_error(std::string(function) +
                             ": its contract gives another number of pointers");
    }
    size_t pointer = 0;
    for (const CoreArg& arg : args) {
      if (arg.kind == CoreArg::kValue) continue;
      const PointerWidth& width = (*widths)[pointer++];
      if (width.kind == PointerWidth::kOutInt) {
        *static_cast<int32_t*>(arg.pointer) = s.out_int;
        continue;
      }
      size_t index = call.buffers.size();
      const auto* bytes = static_cast<const uint8_t*>(arg.pointer);
      size_t size = width_of(width, arg.pointer, call.ints);
      call.buffers.emplace_back(bytes, bytes + size);
      auto program = s.outputs.find(index);
      if (width.kind == PointerWidth::kHeapOut) {
        // Only a successful call hands a buffer over.
        char* copy = nullptr;
        if (program != s.outputs.end() && s.code == 0) {
          copy = static_cast<char*>(std::calloc(program->second.size() + 1, 1));
          if (copy != nullptr) {
            std::memcpy(copy, program->second.data(), program->second.size());
          }
        }
        *static_cast<char**>(arg.pointer) = copy;
        continue;
      }
      if (arg.kind == CoreArg::kOutput && program != s.outputs.end() &&
          !program->second.empty()) {
        std::memcpy(arg.pointer, program->second.data(),
                    std::min(size, program->second.size()));
      }
    }
  }
  std::lock_guard<std::mutex> lock(s.mutex);
  s.calls.push_back(std::move(call));
  return s.code;
}

std::vector<uint8_t> pattern_bytes(size_t size, uint8_t seed) {
  std::vector<uint8_t> bytes(size);
  for (size_t i = 0; i < size; ++i) {
    bytes[i] = static_cast<uint8_t>((seed + i) % 251);
  }
  return bytes;
}

}  // namespace kxtest
