// The registry of contract rows, and the pointer widths the double takes
// from them.
#include "tests/native/contracts/contract.h"

#include <map>
#include <string>

#include "tests/double/core_double.h"

namespace kxtest {
namespace contract {
namespace {

std::vector<RowSource>& sources() {
  static std::vector<RowSource> instance;
  return instance;
}

bool is_pointer(Core kind) { return kind != Core::kInt && kind != Core::kCount; }

PointerWidth width_of(const CoreArgument& arg) {
  size_t record = arg.type != nullptr ? arg.type->size : 0;
  switch (arg.kind) {
    case Core::kWholeText:
    case Core::kOptionalWhole:
      return {PointerWidth::kCString};
    case Core::kIntOut:
      return {PointerWidth::kOutInt};
    case Core::kTableOut:
    case Core::kCountedTable:
      return {PointerWidth::kBytes, record * arg.width};
    case Core::kSizedTable:
      return {PointerWidth::kPerInt, record, arg.int_index};
    case Core::kHeapTextOut:
      return {PointerWidth::kHeapOut};
    case Core::kLineOut:
      return {PointerWidth::kPerInt, 1, arg.int_index, 1};
    default:
      return {PointerWidth::kBytes, arg.width};
  }
}

}  // namespace

Registrar::Registrar(RowSource source) { sources().push_back(source); }

const std::vector<Row>& rows() {
  static const std::vector<Row> all = [] {
    std::vector<Row> collected;
    for (RowSource source : sources()) {
      for (Row& row : source()) collected.push_back(std::move(row));
    }
    return collected;
  }();
  return all;
}

}  // namespace contract

const std::vector<PointerWidth>* pointer_widths(const std::string& function) {
  static const std::map<std::string, std::vector<PointerWidth>> widths = [] {
    std::map<std::string, std::vector<PointerWidth>> map;
    for (const contract::Row& row : contract::rows()) {
      std::vector<PointerWidth> list;
      for (const contract::CoreArgument& arg : row.core) {
        if (contract::is_pointer(arg.kind)) list.push_back(contract::width_of(arg));
      }
      map.emplace(row.native, std::move(list));
    }
    return map;
  }();
  auto found = widths.find(function);
  return found == widths.end() ? nullptr : &found->second;
}

}  // namespace kxtest
