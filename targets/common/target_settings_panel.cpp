#include "targets/common/target_settings_panel.h"

#include <string_view>
#include <vector>

#include "runtime/hub.h"
#include "runtime/ini_path.h"
#include "runtime/save_failure.h"
#include "widgets/button.h"
#include "widgets/label.h"
#include "widgets/message.h"
#include "widgets/open_dialog.h"
#include "widgets/placed.h"

TTargetSettingsPanel::TTargetSettingsPanel(TKXWin* parent, const TTargetPanelSetup& setup)
    : TPanelScheme(parent, kSettingsPanelPlace, PanelShown::kHidden, kInputCount),
      switch_(New<TKXini>()),
      switch_variable_(New<TKXGlobalVar>()) {
  auto& refresh = New<TKXHub>();
  auto& store = New<TKXHub>();
  auto& find = New<TKXODialog>();
  auto& save_error = New<TKXMessage>();
  std::vector<std::pair<std::string_view, SettingEdit*>> edits;

  for (const TPanelControl& control : setup.controls) {
    const TPlace& p = control.place;
    switch (control.kind) {
      case TPanelControl::Label: {
        auto& label = New<TKXLabel>(&Panel);
        label.Caption = control.text;
        Placed(label, p.left, p.top, p.width, p.height).Init();
        break;
      }
      case TPanelControl::Edit: {
        auto& field = New<SettingEdit>(&Panel, setup.section, control.key, control.variable);
        field.Edit.Text = control.text;
        field.Optional = control.optional;
        Placed(field.Edit, p.left, p.top, p.width, p.height).Init();
        field.onSaveError = MakeLink<&TKXMessage::doMessage>(save_error);
        edits.emplace_back(control.key, &field);
        if (std::string_view(control.key) == setup.path_key) path_ = &field;
        break;
      }
      case TPanelControl::Find:
      case TPanelControl::Save: {
        auto& button = New<TKXButton>(&Panel);
        const bool is_find = control.kind == TPanelControl::Find;
        button.Caption = is_find ? "Find" : "Save";
        Placed(button, p.left, p.top, p.width, p.height).Init();
        button.onClick = is_find ? MakeLink<&TKXODialog::doExecute>(find) : MakeLink<&TKXHub::doEvent>(store);
        break;
      }
    }
  }
  find.Filter = setup.find_filter;
  find.Title = setup.find_title;
  switch_.FileName = kSettingsFile;
  switch_.Section = "VELTR_Setting";
  switch_.Key = setup.switch_key;
  switch_.DataType = 0;
  switch_variable_.SetName(setup.switch_key);
  switch_.onResult = MakeLink<&TKXGlobalVar::doValue>(switch_variable_);
  AsFailureBox(save_error);

  // "Find" only fills the path edit: nothing is stored until "Save".
  if (path_) find.onExecute = MakeLink<&TKXEdit::doText>(path_->Edit);

  // "Save" stores the edits in the target's order; the path, once read back, is shown and
  // sets the target's switch.
  store.SetCount(uint16_t(setup.store_order.size()));
  for (size_t i = 0; i < setup.store_order.size(); ++i) {
    for (const auto& [key, field] : edits) {
      if (key == setup.store_order[i]) store.onEvent[i] = MakeLink<&SettingEdit::doStore>(*field);
    }
  }
  if (path_) path_->onStored = MakeLink<&TTargetSettingsPanel::doPathStored>(*this);
  switch_.onWriteError = MakeLink<&TKXMessage::doMessage>(save_error);

  refresh.SetCount(uint16_t(edits.size()));
  for (size_t i = 0; i < edits.size(); ++i) refresh.onEvent[i] = MakeLink<&SettingEdit::doRefresh>(*edits[i].second);
  Port.onInput[kDoRefresh] = MakeLink<&TKXHub::doEvent>(refresh);
}

void TTargetSettingsPanel::doPathStored(TData& value, uint16_t) {
  const std::string path = AsText(value);
  TData shown = MakeText(path);
  path_->Edit.doText(shown, 0);
  TData on = MakeInteger(path.size() > 1 ? 1 : 0);
  switch_.doWrite(on, 0);
  TData none;
  switch_.doRead(none, 0);
}
