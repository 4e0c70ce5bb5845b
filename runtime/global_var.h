// TKXGlobalVar: one named global variable, shared with every element that uses the same name.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/element.h"
#include "runtime/link.h"

class TKXGlobalVar : public TKXObject {
 public:
  std::string Name;  // stored in lower case

  // At construction. Only A to Z are lowered; an empty name gives the element no cell.
  void SetName(const std::string& name);

  void doValue(TData& value, uint16_t index);
  void varValue(TData& value, uint16_t index);

  // The same two points for code that holds the element itself.
  TData Value() const;
  void SetValue(const TData& value);

 private:
  TData* cell_ = nullptr;
};
