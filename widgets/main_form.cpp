// The main window: initialisation, first show, close request and start.
#include "widgets/main_form.h"

#include "runtime/platform/files.h"
#include "runtime/platform/profile.h"
#include "runtime/save_failure.h"
#include "widgets/backend_codes.h"
#include "widgets/user_action.h"

namespace {
// The form that owns the application object; there is one per process at a time.
TKXMainForm* g_application_owner = nullptr;

const char* const kPositionSection = "Form";
}  // namespace

TKXMainForm::TKXMainForm(TKXWin* parent) : TKXWin(parent) {
  if (!g_application_owner) {
    g_application_owner = this;
    OwnsApplication = true;
  }
  Font.name = "MS Sans Serif";
}

TKXMainForm::~TKXMainForm() {
  if (g_application_owner != this) return;
  g_application_owner = nullptr;
  if (Control() != widgets::kNoControl && widgets::MainWindowControl() == Control()) {
    widgets::SetMainWindowControl(widgets::kNoControl);
  }
}

// The base steps, except that the form stays hidden until Start: showing it is what
// restores its position and fires onShow.
void TKXMainForm::Init() {
  CreateNative(widgets::ControlKind::Form);
  if (Control() == widgets::kNoControl) return;
  auto& native = Native();
  const widgets::ControlId form = Control();
  if (OwnsApplication) widgets::SetMainWindowControl(form);
  native.SetGeometry(form, Left, Top, Width, Height);
  native.SetColor(form, Color);
  native.SetFont(form, EffectiveFont());
  native.SetCursor(form, widgets::CursorFromCode(Cursor));
  if (!Hint.empty()) native.SetTooltip(form, Hint);
  if (!Visible) native.SetVisible(form, false);
  native.SetEnabled(form, Enabled);
  if (BorderStyle == 1) native.SetStyle(form, native.GetStyle(form) & ~widgets::kStyleSizingFrame);
  if (!Caption.empty()) native.SetText(form, Caption);
  if (!Icon.empty()) native.SetIcon(form, Icon);
}

void TKXMainForm::SetCaption(const std::string& caption) {
  Caption = caption;
  if (Control() != widgets::kNoControl) Native().SetText(Control(), Caption);
}

void TKXMainForm::SetIcon(const std::string& resource) {
  Icon = resource;
  if (Control() != widgets::kNoControl) Native().SetIcon(Control(), Icon);
}

void TKXMainForm::Start() {
  if (Control() == widgets::kNoControl) return;
  Visible = true;
  if (started_) {
    Native().Show(Control());
    return;
  }
  started_ = true;
  // The start work (settings, the tidied position keys) runs before the first show is
  // handled, as a native window handles its first show only once the message loop runs.
  // Without the program folder's lock it cannot run at all: the user has been told why, and
  // the window closes again.
  starting_ = true;
  Native().Show(Control());
  {
    const TUserAction action;
    if (!action.Go()) {
      starting_ = false;
      Native().RequestClose(Control());
      return;
    }
    FireEvent(onCreate);
  }
  starting_ = false;
  if (show_pending_) {
    show_pending_ = false;
    OnShown();
  }
}

void TKXMainForm::OnShown() {
  if (starting_) {
    show_pending_ = true;
    return;
  }
  const TUserAction action;
  if (!action.Go()) return;
  if (!first_shown_) {
    KeepPosition(PositionMode::Load);
    first_shown_ = true;
    const widgets::WindowState state = widgets::WindowStateFromCode(WindowState);
    if (state != widgets::WindowState::Normal) Native().SetWindowState(Control(), state);
  }
  FireEvent(onShow);
}

bool TKXMainForm::OnCloseRequest() {
  // A window that closes while another process holds the folder closes all the same, and
  // keeps the position it had.
  const TUserAction action;
  TData arriving;
  if (InputInteger(arriving, dataCanClose, 0) != 0) return false;
  const bool accepted = OwnsApplication;
  if (!accepted) {
    Visible = false;
    Native().SetVisible(Control(), false);
  }
  if (action.Go()) KeepPosition(PositionMode::Save);
  if (accepted) FireEvent(onClose);
  return accepted;
}

// Left, Top, Width and Height in section "Form" of IniName + ".ini" beside the program.
// A key that is missing keeps the window's current value.
void TKXMainForm::KeepPosition(PositionMode mode) {
  if (IniName.empty() || Control() == widgets::kNoControl) return;
  const std::string file = platform::ProgramDir() + IniName + ".ini";
  auto& native = Native();
  int values[4] = {Left, Top, Width, Height};
  native.GetGeometry(Control(), values[0], values[1], values[2], values[3]);
  static const char* const kKeys[4] = {"Left", "Top", "Width", "Height"};

  if (mode == PositionMode::Save) {
    // The first key that cannot be saved is told; the file stays as it was, and so would it for the others.
    for (int i = 0; i < 4; ++i) {
      std::string why;
      if (platform::WriteProfileString(file, kPositionSection, kKeys[i], std::to_string(values[i]), &why)) continue;
      FireEvent(onSaveError, SaveFailureMessage(file, why));
      return;
    }
    return;
  }
  for (int i = 0; i < 4; ++i) {
    if (!platform::ReadProfileString(file, kPositionSection, kKeys[i]).empty()) {
      values[i] = platform::ReadProfileInt(file, kPositionSection, kKeys[i]);
    }
  }
  Left = values[0];
  Top = values[1];
  Width = values[2];
  Height = values[3];
  native.SetGeometry(Control(), Left, Top, Width, Height);
}
