// TKXEdit, the single-line text field: filled by the schemes, read back at the moment
// of the request, and reporting the user's own changes only.
#pragma once

#include <string>

#include "widgets/win.h"

class TKXEdit : public TKXWin {
 public:
  explicit TKXEdit(TKXWin* parent) : TKXWin(parent) { Color = kColorWindow; }

  std::string Text;  // initial text

  TEventLink dataText;
  TEventLink onChange;  // the current text, after a change by the user
  TEventLink onEnter;   // the current text, when the user presses Enter

  void Init() override;
  void doText(TData& value, uint16_t index);
  void varText(TData& value, uint16_t index);

  void OnTextChanged() override;
  void OnEnterPressed() override;

 private:
  // Change-notification state: 1 = a change is the user's and fires onChange,
  // 2 = the coming change is the program's own and is swallowed.
  int notify_state_ = 1;
  void SetOwnText(const std::string& text);
  std::string CurrentText();
};
