// The "Export URL" page: choosing categories and a mode, and writing the ban list file
// or the firewall targets. Input 2 is its start input, doInit.
#pragma once

#include "widgets/panel_scheme.h"

class GeneratePage : public TPanelScheme {
 public:
  explicit GeneratePage(TKXWin* parent) : TPanelScheme(parent, kPagePlace, false, 3) {}
};
