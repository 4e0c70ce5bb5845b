// TKXSDialog, the system dialog that asks for a file to save, asking before replacing one.
#pragma once

#include "widgets/file_dialog.h"

class TKXSDialog : public TKXFileDialog {
 public:
  TKXSDialog() : TKXFileDialog(true) {}
};
