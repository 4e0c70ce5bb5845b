#include "app/settings_page.h"

#include <array>

#include "app/general_options_panel.h"
#include "app/settings_reload.h"
#include "lists/ban_list_header_panel.h"
#include "lists/web_lists_panel.h"
#include "runtime/hub.h"
#include "targets/aof/aof_settings_panel.h"
#include "targets/hosts/hosts_settings_panel.h"
#include "targets/kpf/kpf_settings_panel.h"
#include "targets/kwf/kwf_settings_panel.h"
#include "widgets/button.h"
#include "widgets/placed.h"

SettingsPage::SettingsPage(TKXWin* parent) : TPanelScheme(parent, kPagePlace, false, 3) {
  // The panels, in the order of the buttons and of a refresh.
  const std::array<TKXChildPanel*, 6> panels{
      &NewScheme<GeneralOptionsPanel, TKXChildPanel>(&this->Panel),
      &NewScheme<BanListHeaderPanel, TKXChildPanel>(&this->Panel),
      &NewScheme<HostsSettingsPanel, TKXChildPanel>(&this->Panel),
      &NewScheme<AofSettingsPanel, TKXChildPanel>(&this->Panel),
      &NewScheme<KpfSettingsPanel, TKXChildPanel>(&this->Panel),
      &NewScheme<KwfSettingsPanel, TKXChildPanel>(&this->Panel),
  };
  constexpr std::array<const char*, 7> kCaptions{"Veltrane", "BanList", "Hosts", "Agnitum Outpost Firewall",
                                                 "Kerio Personal Firewall", "Kerio Winroute Firewall", "Web Lists"};
  constexpr std::array<int32_t, 7> kTops{40, 95, 150, 205, 260, 320, 345};
  std::array<TKXButton*, 7> buttons{};
  const auto make_button = [&](size_t i) {
    buttons[i] = &New<TKXButton>(&this->Panel);
    buttons[i]->Caption = kCaptions[i];
    Placed(*buttons[i], 10, kTops[i], 125, 20).Init();
  };
  for (size_t i = 0; i < panels.size(); ++i) make_button(i);
  // The subscriptions to web lists came later: their panel and its button follow the others.
  auto& web_lists = NewScheme<WebListsPanel, TKXChildPanel>(&this->Panel);
  make_button(6);
  const std::array<TKXChildPanel*, 7> all_panels{panels[0], panels[1], panels[2], panels[3],
                                                 panels[4], panels[5], &web_lists};

  // A button sends every other panel to the back, then brings its own to the front.
  for (size_t i = 0; i < all_panels.size(); ++i) {
    TKXButton& button = *buttons[i];
    auto& choose = New<TKXHub>();
    choose.SetCount(uint16_t(all_panels.size()));
    uint16_t k = 0;
    for (size_t j = 0; j < all_panels.size(); ++j)
      if (j != i) choose.onEvent[k++] = MakeLink<&TKXMultiElement::doWork>(*all_panels[j], 0);
    choose.onEvent[k] = MakeLink<&TKXMultiElement::doWork>(*all_panels[i], 1);
    button.onClick = MakeLink<&TKXHub::doEvent>(choose);
  }

  // A download's progress goes to the status bar, through the page's event 0.
  web_lists.SetEventCount(1);
  web_lists.onEvent[0] = EventOutput(0);

  // A refresh shows the settings on every panel; after "Default Setting" the variables are
  // reloaded from the file first.
  auto& refresh = New<TKXHub>();
  refresh.SetCount(uint16_t(all_panels.size()));
  for (size_t i = 0; i < all_panels.size(); ++i)
    refresh.onEvent[i] = MakeLink<&TKXMultiElement::doWork>(*all_panels[i], 2);
  auto& reload = NewScheme<SettingsReload>();
  auto& after_defaults = New<TKXHub>();
  after_defaults.SetOutputs({MakeLink<&TKXMultiElement::doWork>(reload, 0), MakeLink<&TKXHub::doEvent>(refresh)});
  panels[0]->SetEventCount(1);
  panels[0]->onEvent[0] = MakeLink<&TKXHub::doEvent>(after_defaults);

  Port.onInput[2] = MakeLink<&TKXHub::doEvent>(refresh);
}
