#include "app/main_program.h"

#include <set>
#include <utility>

#include "app/settings_page.h"
#include "app/startup_housekeeping.h"
#include "elements/files/clipboard.h"
#include "lists/edit_lists_page.h"
#include "lists/generate_page.h"
#include "lists/startup_correction.h"
#include "runtime/do_data.h"
#include "runtime/hub.h"
#include "runtime/index_to_chanel.h"
#include "runtime/platform/files.h"
#include "runtime/platform/folder_lock.h"
#include "runtime/platform/profile.h"
#include "runtime/save_failure.h"
#include "widgets/main_form.h"
#include "widgets/message.h"
#include "widgets/status_bar.h"
#include "widgets/style_xp.h"
#include "widgets/sys_menu.h"
#include "widgets/tab_control.h"

namespace {

TKXMainForm& BuildMainForm(TKXMainForm& form) {
  form.Left = 20;
  form.Top = 105;
  form.Width = 621;
  form.Height = 440;
  form.Color = kColorButtonFace;
  form.Font = TFontRec{"MS Sans Serif", 8, 0, 0};
  form.BorderStyle = 1;
  form.WindowState = 0;
  form.DragByClient = false;
  form.IniName = "Veltra";
  form.Init();
  form.SetCaption(kMainCaption);
  form.SetIcon("ICON0");
  return form;
}

}  // namespace

TMainProgram::TMainProgram() : TScheme(nullptr), main_form_(BuildMainForm(New<TKXMainForm>(nullptr))) {
  TKXMainForm& form = main_form_;
  auto& page_switch = New<TKXIndexToChanel>();
  auto& tabs = New<TKXTabControl>(&form);
  auto& tab_reader = New<TKXDoData>();
  auto& housekeeping = New<TKXMultiElement>();
  auto& start_hub = New<TKXHub>();
  auto& sys_menu = New<TKXSysMenu>();
  auto& generate_page = New<TKXChildPanel>(&form);
  // One fan-out hub per page-switch output, and one merge hub per page that sends it back.
  auto& to_edit = New<TKXHub>();
  auto& to_generate = New<TKXHub>();
  auto& to_settings = New<TKXHub>();
  auto& edit_back = New<TKXHub>();
  auto& generate_back = New<TKXHub>();
  auto& settings_back = New<TKXHub>();
  New<TKXStyleXP>();
  auto& edit_page = New<TKXChildPanel>(&form);
  auto& correction = New<TKXMultiElement>();
  auto& settings_page = New<TKXChildPanel>(&form);
  auto& to_none = New<TKXHub>();
  auto& status_bar = New<TKXStatusBar>(&form);

  status_bar.SizeGrip = false;
  status_bar.Alignment = 1;
  status_bar.Text = kStatusText;
  status_bar.Init();

  // The scheme tree, built depth first while each scheme element gets its factory.
  settings_page.SetScheme<SettingsPage>();
  correction.SetScheme<StartupCorrection>();
  edit_page.SetScheme<EditListsPage>();
  generate_page.SetScheme<GeneratePage>();

  auto scheme_input = [](TKXMultiElement& scheme, uint16_t input) {
    return MakeLink<&TKXMultiElement::doWork>(scheme, input);
  };
  auto hub_input = [](TKXHub& hub) { return MakeLink<&TKXHub::doEvent>(hub); };

  // Each merge hub takes one input from every fan-out hub that sends its page back.
  for (auto [merge, page] :
       {std::pair{&edit_back, &edit_page}, {&generate_back, &generate_page}, {&settings_back, &settings_page}}) {
    merge->InCount = 3;
    merge->SetOutputs({scheme_input(*page, TPanelScheme::kDoToBack)});
  }

  // A fan-out hub sends the two other pages to the back, then brings its own page to the front.
  constexpr uint16_t kToFront = TPanelScheme::kDoToFront;
  to_edit.SetOutputs({hub_input(generate_back), hub_input(settings_back), scheme_input(edit_page, kToFront)});
  to_generate.SetOutputs({hub_input(edit_back), hub_input(settings_back), scheme_input(generate_page, kToFront)});
  to_settings.SetOutputs({hub_input(edit_back), hub_input(generate_back), scheme_input(settings_page, kToFront)});
  // No tab has index 3: that output sends every page to the back.
  to_none.SetOutputs({hub_input(edit_back), hub_input(generate_back), hub_input(settings_back)});

  // The window-style adjuster reads the main window's handle.
  sys_menu.dataHandle = MakeLink<&TKXWin::varHandle>(form);

  // The start sequence, strictly in this order; the hub's sixth output stays unlinked.
  start_hub.SetOutputs(
      {MakeLink<&TKXSysMenu::doInit>(sys_menu), scheme_input(housekeeping, StartupHousekeeping::kDoStart),
       scheme_input(correction, StartupCorrection::kDoStart), scheme_input(generate_page, GeneratePage::kDoInit),
       scheme_input(settings_page, SettingsPage::kDoRefresh), TEventLink{}});

  housekeeping.SetScheme<StartupHousekeeping>();

  // A tab click: read the selected index and switch the pages.
  tab_reader.dataData = MakeLink<&TKXTabControl::varIndex>(tabs);
  tab_reader.onEventData = MakeLink<&TKXIndexToChanel::doEvent>(page_switch);

  tabs.Left = 0;
  tabs.Top = 0;
  tabs.Width = 287;
  tabs.Height = 23;
  tabs.Font = TFontRec{"MS Sans Serif", 8, 0, 0};
  tabs.Tabs = "Load / Edit URL\r\nExport URL\r\nSetting";
  tabs.Init();
  tabs.onChange = MakeLink<&TKXDoData::doData>(tab_reader);

  page_switch.SetCount(4);
  page_switch.onEvent = {hub_input(to_edit), hub_input(to_generate), hub_input(to_settings), hub_input(to_none)};

  // What the edit-lists page found in a web list, what each export of the generate page
  // wrote, and the progress of the settings page's downloads, show in the status bar.
  static_assert(uint16_t(EditListsPage::kOnStatusText) == GeneratePage::kOnStatusText &&
                uint16_t(SettingsPage::kOnStatusText) == GeneratePage::kOnStatusText);
  for (TKXChildPanel* page : {&edit_page, &generate_page, &settings_page}) {
    page->SetEventCount(GeneratePage::kOnStatusText + 1);
    page->onEvent[GeneratePage::kOnStatusText] = MakeLink<&TKXStatusBar::doText>(status_bar);
  }

  form.onCreate = hub_input(start_hub);

  // An action that finds the program folder locked by another Veltrane (a timer's update)
  // says in the status bar for whom it waits, and the window keeps painting meanwhile.
  platform::SetLockWait({kWindowLockWait,
                         [&status_bar](const std::string& holder) {
                           TData text = MakeText("Waiting for " + holder + " to finish with the program folder ...");
                           status_bar.doText(text, 0);
                           widgets::CurrentBackend().ProcessEvents();  // no work to stop yet
                         },
                         [&status_bar] {
                           TData shown;
                           status_bar.doText(shown, 0);
                         }});

  // The window's place, saved when it closes: a failed save is told.
  auto& position_error = AsFailureBox(New<TKXMessage>());
  form.onSaveError = MakeLink<&TKXMessage::doMessage>(position_error);
}

TMainProgram::~TMainProgram() { platform::SetLockWait({}); }

void TMainProgram::Start() { main_form_.Start(); }

void TellSettingsReadTrouble() {
  platform::SetProfileReadTrouble(
      [told = std::set<std::string>()](const std::string& file, const std::string& why) mutable {
        if (!told.insert(file).second) return;
        widgets::CurrentBackend().ShowMessageBox(
            widgets::kNoControl,
            "Could not read '" + platform::NativePath(file) + "': " + why +
                ". Until it can be read, its settings count as empty and nothing is written to it.",
            kSaveFailureCaption, widgets::MessageButtons::Ok, widgets::MessageIcon::Error);
      });
}

int RunVeltrane(const std::vector<std::string>& args) {
  widgets::Backend& native = widgets::CurrentBackend();
  TellSettingsReadTrouble();
  if (!args.empty() && args[0] == "/i") {
    native.ShowMessageBox(widgets::kNoControl, "This program made by Wexel.", "Wexel Info", widgets::MessageButtons::Ok,
                          widgets::MessageIcon::None);
    return 0;
  }
  SetClipboardSource([] { return widgets::CurrentBackend().ClipboardText(); });
  {
    TMainProgram program;
    program.Start();
    native.RunMessageLoop();
  }
  return 0;
}
