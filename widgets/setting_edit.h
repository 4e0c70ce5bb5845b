// SettingEdit: an edit on a settings panel bound to one setting. doRefresh shows the
// setting's global variable; doStore writes the edit's text to its key of "Veltra.ini",
// reads the key back, puts the value read into the variable and fires onStored with it.
#pragma once

#include <string>

#include "runtime/global_var.h"
#include "runtime/ini.h"
#include "widgets/edit.h"

class SettingEdit : public TKXObject {
 public:
  SettingEdit(TKXWin* panel, const char* section, const char* key, const char* variable);

  TKXEdit Edit;
  TEventLink onStored;     // the value read back
  TEventLink onSaveError;  // a text for the user when the settings file could not be written
  // An option: an empty text writes no key the file lacks, so a settings file stays as it
  // was until the user sets the option.
  bool Optional = false;

  void doRefresh(TData& value, uint16_t index);
  void doStore(TData& value, uint16_t index);

 private:
  TKXini ini_;
  TKXGlobalVar variable_;
};
