#include "targets/resolvers/resolvers_settings_panel.h"

#include "elements/strings/if_else.h"
#include "runtime/global_var.h"
#include "runtime/hub.h"
#include "runtime/ini.h"
#include "runtime/ini_path.h"
#include "runtime/save_failure.h"
#include "targets/target_catalog.h"
#include "widgets/button.h"
#include "widgets/check_box.h"
#include "widgets/label.h"
#include "widgets/message.h"
#include "widgets/placed.h"
#include "widgets/save_dialog.h"
#include "widgets/setting_edit.h"

namespace {
// The labels of the five rows, in the order of the catalog's formats.
constexpr const char* kLabels[] = {"dnsmasq:", "Unbound:", "RPZ:", "Adblock:", "Domains:"};
}  // namespace

ResolversSettingsPanel::ResolversSettingsPanel(TKXWin* parent)
    : TPanelScheme(parent, kSettingsPanelPlace, PanelShown::kHidden, kInputCount) {
  auto& refresh = New<TKXHub>();
  auto& store = New<TKXHub>();
  auto& save_error = New<TKXMessage>();
  refresh.SetCount(uint16_t(kResolverFormats.size()));
  store.SetCount(uint16_t(kResolverFormats.size()));
  AsFailureBox(save_error);

  // One row per format: its file, and "Find" to put a chosen name into the edit only.
  for (size_t i = 0; i < kResolverFormats.size(); ++i) {
    const TTargetInfo& format = Info(kResolverFormats[i]);
    const int32_t top = int32_t(35 + 38 * i);
    auto& label = New<TKXLabel>(&Panel);
    label.Caption = kLabels[i];
    Placed(label, 10, top, 55, 15).Init();
    auto& path = New<SettingEdit>(&Panel, format.section, format.path_key, format.path_key);
    Placed(path.Edit, 65, top - 3, 335, 20).Init();
    path.onSaveError = MakeLink<&TKXMessage::doMessage>(save_error);
    path.Optional = true;
    auto& find = New<TKXButton>(&Panel);
    find.Caption = "Find";
    Placed(find, 405, top - 3, 60, 20).Init();
    auto& dialog = New<TKXSDialog>();
    dialog.Filter = format.find_filter;
    dialog.Title = format.find_title;
    find.onClick = MakeLink<&TKXSDialog::doExecute>(dialog);
    dialog.onExecute = MakeLink<&TKXEdit::doText>(path.Edit);
    refresh.onEvent[i] = MakeLink<&SettingEdit::doRefresh>(path);
    store.onEvent[i] = MakeLink<&SettingEdit::doStore>(path);
  }
  auto& note = New<TKXLabel>(&Panel);
  note.Caption =
      "Each file is the program's own: an export \"To Programm\" writes it whole, with the names of the lists.";
  Placed(note, 10, 225, 455, 15).Init();
  auto& save = New<TKXButton>(&Panel);
  save.Caption = "Save";
  Placed(save, 360, 345, 90, 20).Init();
  save.onClick = MakeLink<&TKXHub::doEvent>(store);

  // The option "compress", after everything the panel had before it: a click writes it at
  // once and reads it back into its variable, as the general options do.
  auto& compress = New<TKXCheckBox>(&Panel);
  compress.Caption = "compress: leave out names below a name the file blocks (exceptions stay)";
  Placed(compress, 10, 250, 455, 20).Init();
  auto& write = New<TKXini>();
  write.FileName = kSettingsFile;
  write.Section = kResolversSection;
  write.Key = "compress";
  write.onWriteError = MakeLink<&TKXMessage::doMessage>(save_error);
  auto& read = New<TKXini>();
  read.FileName = kSettingsFile;
  read.Section = kResolversSection;
  read.Key = "compress";
  auto& variable = New<TKXGlobalVar>();
  variable.SetName("compress");
  read.onResult = MakeLink<&TKXGlobalVar::doValue>(variable);
  auto& steps = New<TKXHub>();
  steps.SetOutputs({MakeLink<&TKXini::doWrite>(write), MakeLink<&TKXini::doRead>(read)});
  compress.onCheck = MakeLink<&TKXHub::doEvent>(steps);
  compress_box_ = &compress;
  compress_variable_ = &variable;

  auto& refreshed = New<TKXHub>();
  refreshed.SetOutputs(
      {MakeLink<&TKXHub::doEvent>(refresh), MakeLink<&ResolversSettingsPanel::doRefreshOption>(*this)});
  Port.onInput[kDoRefresh] = MakeLink<&TKXHub::doEvent>(refreshed);
}

void ResolversSettingsPanel::doRefreshOption(TData&, uint16_t) {
  TData on = MakeInteger(IsOne(compress_variable_->Value()) ? 1 : 0);
  compress_box_->doCheck(on, 0);
}
