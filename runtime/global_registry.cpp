// The registry keeps each cell in its own allocation so that references never move.
#include "runtime/global_registry.h"

#include <map>
#include <memory>

namespace {
std::map<std::string, std::unique_ptr<TData>, std::less<>>& Registry() {
  static std::map<std::string, std::unique_ptr<TData>, std::less<>> registry;
  return registry;
}
}  // namespace

TData& RegisterGlobal(const std::string& name) {
  auto& cell = Registry()[name];
  if (!cell) cell = std::make_unique<TData>();
  return *cell;
}
