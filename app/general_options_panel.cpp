#include "app/general_options_panel.h"

#include "app/settings_sections.h"
#include "elements/strings/if_else.h"
#include "runtime/global_var.h"
#include "runtime/hub.h"
#include "runtime/ini.h"
#include "runtime/ini_path.h"
#include "runtime/platform/profile.h"
#include "runtime/save_failure.h"
#include "widgets/button.h"
#include "widgets/message.h"
#include "widgets/placed.h"
#include "widgets/win_exec.h"

namespace {

struct DefaultValue {
  const char* section;
  const char* key;
  const char* value;
};

// "Default Setting" writes these, in this order; every other key keeps its value.
constexpr DefaultValue kDefaults[] = {
    {"VELTR_Setting", "low", "1"},      {"VELTR_Setting", "double", "1"}, {"VELTR_Setting", "p_hosts", "0"},
    {"VELTR_Setting", "p_kpf", "0"},    {"VELTR_Setting", "p_kwf", "0"},  {"VELTR_Setting", "p_aof", "0"},
    {"BanList", "url", kUpdateAddress}, {"Hosts", "IP", "127.0.0.1"},     {"Hosts", "hosts_back", "5"},
    {"AOF", "aof_back", "5"},           {"KPF", "kpf_back", "5"},         {"KWF", "kwf_back", "5"},
    {"AOF", "begin_aofall", ""},        {"KPF", "begin_kpfip", ""},       {"KPF", "end_kpfip", ""},
    {"KWF", "begin_kwfall", "*"},       {"KWF", "end_kwfall", "*"},       {"KWF", "group_name", "Ads/banners"},
};

}  // namespace

GeneralOptionsPanel::GeneralOptionsPanel(TKXWin* parent)
    : TPanelScheme(parent, kSettingsPanelPlace, PanelShown::kShown, kInputCount),
      doubles_(New<TKXCheckBox>(&Panel)),
      correction_(New<TKXCheckBox>(&Panel)),
      save_position_(New<TKXCheckBox>(&Panel)),
      save_error_(New<TKXMessage>()) {
  auto& update = New<TKXButton>(&Panel);
  auto& defaults = New<TKXButton>(&Panel);
  auto& browser = New<TKXWinExec>();
  auto& question = New<TKXMessage>();
  auto& answered_yes = New<TKXIf_else>();

  doubles_.Caption = "Find double URL's with Programmstart (Slow Start)";
  Placed(doubles_, 10, 32, 255, 20).Init();
  correction_.Caption = "URL Lists Correcting (Lower Case and Sorting) with Programmstart";
  Placed(correction_, 10, 58, 340, 20).Init();
  save_position_.Caption = "Save Position";
  Placed(save_position_, 10, 84, 85, 20).Init();
  update.Caption = "UPDATE: Programm and URL BanList (Open with Browser)";
  Placed(update, 10, 115, 330, 20).Init();
  defaults.Caption = "Default Setting";
  Placed(defaults, 360, 345, 90, 20).Init();
  browser.FileName = kUpdateAddress;
  question.Message = "Default Setting?";
  question.Type = kButtonsYesNo;
  question.Icon = kIconQuestion;
  answered_yes.Type = CompareEqual;
  answered_yes.Op2 = MakeInteger(kAnswerYes);
  AsFailureBox(save_error_);

  // A click on either start-up option writes it and reads it back into its variable; the
  // position option takes effect at the next start, so only the file changes.
  struct Option {
    TKXCheckBox* box;
    const char* key;
    bool read_back;
  };
  for (const Option option : {Option{&doubles_, "double", true}, Option{&correction_, "low", true},
                              Option{&save_position_, "saveposition", false}}) {
    auto& write = New<TKXini>();
    write.FileName = kSettingsFile;
    write.Section = "VELTR_Setting";
    write.Key = option.key;
    write.onWriteError = MakeLink<&TKXMessage::doMessage>(save_error_);
    if (!option.read_back) {
      option.box->onCheck = MakeLink<&TKXini::doWrite>(write);
      continue;
    }
    auto& read = New<TKXini>();
    read.FileName = kSettingsFile;
    read.Section = "VELTR_Setting";
    read.Key = option.key;
    auto& variable = New<TKXGlobalVar>();
    variable.SetName(option.key);
    read.onResult = MakeLink<&TKXGlobalVar::doValue>(variable);
    auto& steps = New<TKXHub>();
    steps.SetOutputs({MakeLink<&TKXini::doWrite>(write), MakeLink<&TKXini::doRead>(read)});
    option.box->onCheck = MakeLink<&TKXHub::doEvent>(steps);
  }

  // The update page opens in the browser; "Default Setting" asks first.
  update.onClick = MakeLink<&TKXWinExec::doShellExec>(browser);
  defaults.onClick = MakeLink<&TKXMessage::doMessage>(question);
  question.onMessage = MakeLink<&TKXIf_else::doCompare>(answered_yes);
  answered_yes.onTrue = MakeLink<&GeneralOptionsPanel::doWriteDefaults>(*this);

  Port.onInput[kDoRefresh] = MakeLink<&GeneralOptionsPanel::doRefresh>(*this);
}

void GeneralOptionsPanel::doRefresh(TData&, uint16_t) {
  TKXGlobalVar doubles, low;
  doubles.SetName("double");
  low.SetName("low");
  TData doubles_on = MakeInteger(IsOne(doubles.Value()) ? 1 : 0);
  TData low_on = MakeInteger(IsOne(low.Value()) ? 1 : 0);
  TData position_on = MakeInteger(
      platform::ReadProfileInt(ResolveIniPath(kSettingsFile), "VELTR_Setting", "saveposition") != 0 ? 1 : 0);
  doubles_.doCheck(doubles_on, 0);
  correction_.doCheck(low_on, 0);
  save_position_.doCheck(position_on, 0);
}

void GeneralOptionsPanel::doWriteDefaults(TData&, uint16_t) {
  const std::string file = ResolveIniPath(kSettingsFile);
  std::string why;
  for (const auto& d : kDefaults) {
    std::string failed;
    if (!platform::WriteProfileString(file, d.section, d.key, d.value, &failed) && why.empty()) why = failed;
  }
  if (!why.empty()) {
    TData text = MakeText(SaveFailureMessage(file, why));
    save_error_.doMessage(text, 0);
  }
  FireEvent(EventOutput(kOnDefaults));
}
