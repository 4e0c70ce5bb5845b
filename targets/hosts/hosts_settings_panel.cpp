#include "targets/hosts/hosts_settings_panel.h"

namespace {

using C = TPanelControl;
// The key is "IP"; the variable is `ip` (global variable names do not tell case apart).
constexpr TPanelControl kControls[] = {
    {C::Label, {10, 35, 15, 15}, "IP:"},
    {C::Edit, {27, 32, 90, 20}, "", "IP", "ip"},
    {C::Label, {10, 73, 50, 15}, "Hosts File:"},
    {C::Edit, {61, 70, 339, 20}, "", "hosts", "hosts"},
    {C::Find, {405, 70, 60, 20}},
    {C::Label, {10, 111, 145, 15}, "Backup(s) with Programmstart:"},
    {C::Edit, {157, 108, 25, 20}, "", "hosts_back", "hosts_back"},
    {C::Save, {360, 345, 90, 20}},
};
constexpr const char* kStoreOrder[] = {"IP", "hosts_back", "hosts"};

constexpr TTargetPanelSetup kSetup{"Hosts", "p_hosts", "hosts", "Hosts|hosts", "Find Hosts File", kControls,
                                   kStoreOrder};

}  // namespace

HostsSettingsPanel::HostsSettingsPanel(TKXWin* parent) : TTargetSettingsPanel(parent, kSetup) {}
