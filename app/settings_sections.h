// The sections of "Veltra.ini" and the global variables each one fills at start-up (and
// again when the settings are reloaded), one variable per line.
#pragma once

#include <array>

#include "runtime/ini_path.h"

struct TSettingsSection {
  const char* section;
  const char* variables;
};

inline constexpr std::array<TSettingsSection, 7> kSettingsSections{{
    {"VELTR_Setting", "p_hosts\r\np_kpf\r\np_kwf\r\np_aof\r\nsaveposition\r\nlow\r\ndouble"},
    {"Hosts", "hosts\r\nhosts_back\r\nip\r\nip6\r\nper_line"},
    {"KPF", "update_cfg\r\nend_kpfip\r\nbegin_kpfip\r\nkpf_back"},
    {"KWF", "group_name\r\nend_kwfall\r\nbegin_kwfall\r\nwinroute_cfg\r\nkwf_back"},
    {"AOF", "config_ini\r\naof_back\r\nbegin_aofall"},
    {"BanList", "name\r\nurl\r\ngen_advert\r\ngen_misc\r\ngen_porno\r\ngen_virus\r\ngen_unsorted\r\nfile"},
    {"Resolvers", "dnsmasq\r\nunbound\r\nrpz\r\nadblock\r\ndomains\r\ncompress"},
}};

// A reload during the run leaves "saveposition" alone: it takes effect at the next start.
inline constexpr const char* kReloadedGeneralVariables = "p_hosts\r\np_kpf\r\np_kwf\r\np_aof\r\nlow\r\ndouble";
