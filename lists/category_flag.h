// CategoryFlag: the check box of one category on the generate page, set from its
// generation key at start and stored in "Veltra.ini" (section "BanList") when the user
// toggles it; the global variable keeps its value until the next start.
//
// Inputs: 0 doInit, 1 doStore (the new state, 1 or 0).
#pragma once

#include "lists/list_catalog.h"
#include "runtime/global_var.h"
#include "runtime/ini.h"
#include "runtime/scheme.h"
#include "widgets/check_box.h"

class CategoryFlag : public TScheme {
 public:
  enum Input : uint16_t { kDoInit = 0, kDoStore = 1, kInputCount };

  CategoryFlag(TKXWin* panel, ListId category, int32_t top);

  void doInit(TData& value, uint16_t index);
  void doStore(TData& value, uint16_t index);

  TKXCheckBox& Box() { return box_; }

 private:
  TKXCheckBox& box_;
  TKXGlobalVar& key_;
  TKXini& ini_;
};
