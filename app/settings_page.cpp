#include "app/settings_page.h"

#include <array>

#include "app/general_options_panel.h"
#include "app/settings_reload.h"
#include "lists/ban_list_header_panel.h"
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
  constexpr std::array<const char*, 6> kCaptions{"Veltrane", "BanList", "Hosts", "Agnitum Outpost Firewall",
                                                 "Kerio Personal Firewall", "Kerio Winroute Firewall"};
  constexpr std::array<int32_t, 6> kTops{40, 95, 150, 205, 260, 320};

  // A button sends the five other panels to the back, then brings its own to the front.
  for (size_t i = 0; i < panels.size(); ++i) {
    auto& button = New<TKXButton>(&this->Panel);
    button.Caption = kCaptions[i];
    Placed(button, 10, kTops[i], 125, 20).Init();
    auto& choose = New<TKXHub>();
    choose.SetCount(6);
    uint16_t k = 0;
    for (size_t j = 0; j < panels.size(); ++j)
      if (j != i) choose.onEvent[k++] = MakeLink<&TKXMultiElement::doWork>(*panels[j], 0);
    choose.onEvent[k] = MakeLink<&TKXMultiElement::doWork>(*panels[i], 1);
    button.onClick = MakeLink<&TKXHub::doEvent>(choose);
  }

  // A refresh shows the settings on every panel; after "Default Setting" the variables are
  // reloaded from the file first.
  auto& refresh = New<TKXHub>();
  refresh.SetCount(6);
  for (size_t i = 0; i < panels.size(); ++i) refresh.onEvent[i] = MakeLink<&TKXMultiElement::doWork>(*panels[i], 2);
  auto& reload = NewScheme<SettingsReload>();
  auto& after_defaults = New<TKXHub>();
  after_defaults.SetOutputs({MakeLink<&TKXMultiElement::doWork>(reload, 0), MakeLink<&TKXHub::doEvent>(refresh)});
  panels[0]->SetEventCount(1);
  panels[0]->onEvent[0] = MakeLink<&TKXHub::doEvent>(after_defaults);

  Port.onInput[2] = MakeLink<&TKXHub::doEvent>(refresh);
}
