#include "widgets/setting_edit.h"

#include "runtime/ini_path.h"
#include "runtime/platform/profile.h"

SettingEdit::SettingEdit(TKXWin* panel, const char* section, const char* key, const char* variable) : Edit(panel) {
  ini_.FileName = kSettingsFile;
  ini_.Section = section;
  ini_.Key = key;
  ini_.DataType = 1;
  variable_.SetName(variable);
}

void SettingEdit::doRefresh(TData&, uint16_t) {
  TData text = MakeText(AsText(variable_.Value()));
  Edit.doText(text, 0);
}

void SettingEdit::doStore(TData&, uint16_t) {
  TData text;
  Edit.varText(text, 0);
  if (Optional && AsText(text).empty() &&
      !platform::FindProfileString(ResolveIniPath(kSettingsFile), ini_.Section, ini_.Key)) {
    variable_.SetValue(MakeText(""));
    TData empty = MakeText("");
    FireEvent(onStored, empty);
    return;
  }
  ini_.onWriteError = onSaveError;
  ini_.doWrite(text, 0);
  TData none;
  TData read;
  ini_.onResult = MakeLink<&TKXGlobalVar::doValue>(variable_);
  ini_.doRead(none, 0);
  read = variable_.Value();
  FireEvent(onStored, read);
}
