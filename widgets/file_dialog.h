// TKXFileDialog, the common part of the open and save dialogs: asks the user for a
// file and remembers the one chosen, to preset it the next time.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/element.h"
#include "runtime/link.h"

class TKXFileDialog : public TKXObject {
 public:
  std::string Title;
  std::string Filter;  // "description|pattern|description|pattern..."; the first pair is preselected
  std::string StartDir;

  TEventLink onExecute;  // the full path of the chosen file
  TEventLink onCancel;   // empty value; also when the dialog could not be shown

  void doExecute(TData& value, uint16_t index);

 protected:
  explicit TKXFileDialog(bool save) : save_(save) {}

 private:
  bool save_;
  std::string last_chosen_;
  int last_filter_ = 0;
};
