// Global variables store copies: a cell never keeps a forwarding mark of the value it got.
#include "runtime/global_var.h"

#include "runtime/global_registry.h"
#include "runtime/text_case.h"

namespace {
void Store(TData& cell, const TData& value) {
  cell = value;
  cell.kind &= static_cast<uint8_t>(~KindForward);
  cell.next = nullptr;
}
}  // namespace

void TKXGlobalVar::SetName(const std::string& name) {
  Name = FoldedCopy(name);
  cell_ = Name.empty() ? nullptr : &RegisterGlobal(Name);
}

void TKXGlobalVar::doValue(TData& value, uint16_t) {
  if (cell_) Store(*cell_, value);
}

TData TKXGlobalVar::Value() const { return cell_ ? *cell_ : TData{}; }

void TKXGlobalVar::SetValue(const TData& value) {
  if (cell_) Store(*cell_, value);
}

void TKXGlobalVar::varValue(TData& value, uint16_t) {
  if (cell_) value = *cell_;
  else value.Clear();
}
