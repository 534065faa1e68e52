#include "tests/double/core_double.h"

#include <cstring>
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

CoreDouble::Scope::Scope(const char* function) { call_.function = function; }

CoreDouble::Scope& CoreDouble::Scope::value(int32_t v) {
  call_.ints.push_back(v);
  return *this;
}

CoreDouble::Scope& CoreDouble::Scope::in(const void* buffer, size_t size) {
  const auto* bytes = static_cast<const uint8_t*>(buffer);
  call_.buffers.emplace_back(bytes, bytes + size);
  return *this;
}

CoreDouble::Scope& CoreDouble::Scope::inout(void* buffer, size_t size) {
  in(buffer, size);
  auto program = state().outputs.find(call_.buffers.size() - 1);
  if (program != state().outputs.end()) {
    size_t n = std::min(size, program->second.size());
    std::memcpy(buffer, program->second.data(), n);
  }
  return *this;
}

CoreDouble::Scope& CoreDouble::Scope::out_int(int32_t* target) {
  *target = state().out_int;
  return *this;
}

int32_t CoreDouble::Scope::finish() {
  State& s = state();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.calls.push_back(std::move(call_));
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
