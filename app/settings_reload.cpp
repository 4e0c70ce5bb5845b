#include "app/settings_reload.h"

#include <cstring>

#include "app/settings_sections.h"
#include "runtime/gvar_container.h"
#include "runtime/hub.h"

SettingsReload::SettingsReload(TKXWin* parent) : TScheme(parent) {
  auto& sections = New<TKXHub>();
  sections.SetCount(uint16_t(kSettingsSections.size()));
  for (size_t k = 0; k < kSettingsSections.size(); ++k) {
    const TSettingsSection& section = kSettingsSections[k];
    auto& loader = New<TKXGVarContainer>();
    loader.FileName = kSettingsFile;
    loader.Section = section.section;
    const bool general = std::strcmp(section.section, "VELTR_Setting") == 0;
    loader.SetNames(general ? kReloadedGeneralVariables : section.variables);
    sections.onEvent[k] = MakeLink<&TKXGVarContainer::doRead>(loader);
  }
  Port.SetInputCount(kInputCount);
  Port.onInput[kDoReload] = MakeLink<&TKXHub::doEvent>(sections);
}
