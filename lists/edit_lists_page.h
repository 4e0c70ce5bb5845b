// The "Load / Edit URL" page: where the user loads addresses from a source, sees the
// new ones and moves them into a category. It starts as the visible page.
#pragma once

#include "widgets/panel_scheme.h"

class EditListsPage : public TPanelScheme {
 public:
  explicit EditListsPage(TKXWin* parent) : TPanelScheme(parent, kPagePlace, true, 3) {}
};
