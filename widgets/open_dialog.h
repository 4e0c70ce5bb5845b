// TKXODialog, the system dialog that asks for an existing file to open.
#pragma once

#include "widgets/file_dialog.h"

class TKXODialog : public TKXFileDialog {
 public:
  TKXODialog() : TKXFileDialog(false) {}
};
