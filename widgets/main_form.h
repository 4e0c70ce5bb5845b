// TKXMainForm, the program's main window: owner of the application, its start event,
// and the window position kept in the program's INI file.
#pragma once

#include <cstdint>
#include <string>

#include "widgets/win.h"

class TKXMainForm : public TKXWin {
 public:
  // The main window has no parent; the argument is there for schemes that pass one.
  explicit TKXMainForm(TKXWin* parent = nullptr);
  ~TKXMainForm() override;

  bool OwnsApplication = false;  // set when this form became the application's owner
  uint8_t BorderStyle = 0;       // 1: fixed single border (no sizing frame)
  uint8_t WindowState = 0;       // at first show: 0 normal, 1 maximised, 2 minimised
  uint8_t AlphaBlend = 255;      // 255 = opaque
  bool DragByClient = false;
  std::string Caption;
  std::string Icon;     // name of the icon resource, e.g. "ICON0"
  std::string IniName;  // "Veltra": the position lives in "Veltra.ini", section "Form"; empty: not kept

  TEventLink dataCanClose;
  TEventLink onShow;
  TEventLink onCreate;
  TEventLink onClose;
  TEventLink onSaveError;  // a text for the user when the position could not be saved

  void Init() override;
  void SetCaption(const std::string& caption);
  void SetIcon(const std::string& resource);

  // Makes the window visible and fires onCreate once; the program then runs the message loop.
  void Start();

  void OnShown() override;
  bool OnCloseRequest() override;

 private:
  enum class PositionMode { Load, Save };
  void KeepPosition(PositionMode mode);

  bool first_shown_ = false;
  bool started_ = false;
  bool starting_ = false;      // the start event is running
  bool show_pending_ = false;  // a show reported while it ran, handled once it has finished
};
