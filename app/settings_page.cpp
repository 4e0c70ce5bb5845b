#include "app/settings_page.h"

#include <array>
#include <vector>

#include "app/general_options_panel.h"
#include "app/settings_reload.h"
#include "lists/ban_list_header_panel.h"
#include "lists/web_lists_panel.h"
#include "runtime/hub.h"
#include "targets/aof/aof_settings_panel.h"
#include "targets/hosts/hosts_settings_panel.h"
#include "targets/kpf/kpf_settings_panel.h"
#include "targets/kwf/kwf_settings_panel.h"
#include "targets/resolvers/resolvers_settings_panel.h"
#include "targets/target_catalog.h"
#include "widgets/button.h"
#include "widgets/placed.h"

SettingsPage::SettingsPage(TKXWin* parent) : TPanelScheme(parent, kPagePlace, PanelShown::kHidden, kInputCount) {
  // The panels, in the order of the buttons and of a refresh; a panel added later is made
  // after the first six buttons and its own, so the controls keep their order.
  std::vector<TKXChildPanel*> panels{
      &NewScheme<GeneralOptionsPanel, TKXChildPanel>(&this->Panel),
      &NewScheme<BanListHeaderPanel, TKXChildPanel>(&this->Panel),
      &NewScheme<HostsSettingsPanel, TKXChildPanel>(&this->Panel),
      &NewScheme<AofSettingsPanel, TKXChildPanel>(&this->Panel),
      &NewScheme<KpfSettingsPanel, TKXChildPanel>(&this->Panel),
      &NewScheme<KwfSettingsPanel, TKXChildPanel>(&this->Panel),
  };
  struct Choice {
    const char* caption;
    int32_t top;
  };
  constexpr std::array<Choice, 8> kButtons{{{"Veltrane", 40},
                                            {"BanList", 95},
                                            {Info(TargetId::Hosts).title, 150},
                                            {Info(TargetId::Aof).title, 205},
                                            {Info(TargetId::Kpf).title, 260},
                                            {Info(TargetId::Kwf).title, 320},
                                            {"DNS Resolvers", 345},
                                            {"Web Lists", 370}}};
  std::vector<TKXButton*> buttons;
  auto add_button = [&](const Choice& choice) {
    auto& button = New<TKXButton>(&this->Panel);
    button.Caption = choice.caption;
    Placed(button, 10, choice.top, 125, 20).Init();
    buttons.push_back(&button);
  };
  for (size_t i = 0; i < panels.size(); ++i) add_button(kButtons[i]);
  add_button(kButtons[6]);
  panels.push_back(&NewScheme<ResolversSettingsPanel, TKXChildPanel>(&this->Panel));
  auto& web_lists = NewScheme<WebListsPanel, TKXChildPanel>(&this->Panel);
  add_button(kButtons[7]);
  panels.push_back(&web_lists);

  // A button sends every other panel to the back, then brings its own to the front.
  for (size_t i = 0; i < panels.size(); ++i) {
    auto& choose = New<TKXHub>();
    choose.SetCount(uint16_t(panels.size()));
    uint16_t k = 0;
    for (size_t j = 0; j < panels.size(); ++j)
      if (j != i) choose.onEvent[k++] = MakeLink<&TKXMultiElement::doWork>(*panels[j], kDoToBack);
    choose.onEvent[k] = MakeLink<&TKXMultiElement::doWork>(*panels[i], kDoToFront);
    buttons[i]->onClick = MakeLink<&TKXHub::doEvent>(choose);
  }

  // A download's progress goes to the status bar, through the page's event 0.
  web_lists.SetEventCount(WebListsPanel::kOnStatusText + 1);
  web_lists.onEvent[WebListsPanel::kOnStatusText] = EventOutput(kOnStatusText);

  // A refresh shows the settings on every panel; after "Default Setting" the variables are
  // reloaded from the file first.
  auto& refresh = New<TKXHub>();
  refresh.SetCount(uint16_t(panels.size()));
  for (size_t i = 0; i < panels.size(); ++i)
    refresh.onEvent[i] = MakeLink<&TKXMultiElement::doWork>(*panels[i], kDoRefresh);
  auto& reload = NewScheme<SettingsReload>();
  auto& after_defaults = New<TKXHub>();
  after_defaults.SetOutputs(
      {MakeLink<&TKXMultiElement::doWork>(reload, SettingsReload::kDoReload), MakeLink<&TKXHub::doEvent>(refresh)});
  panels[0]->SetEventCount(GeneralOptionsPanel::kOnDefaults + 1);
  panels[0]->onEvent[GeneralOptionsPanel::kOnDefaults] = MakeLink<&TKXHub::doEvent>(after_defaults);

  Port.onInput[kDoRefresh] = MakeLink<&TKXHub::doEvent>(refresh);
}
