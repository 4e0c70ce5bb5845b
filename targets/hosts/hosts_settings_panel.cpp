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
    // The options, off while empty.
    {C::Label, {10, 149, 30, 15}, "IPv6:"},
    {C::Edit, {41, 146, 90, 20}, "", "IP6", "ip6", true},
    {C::Label, {136, 149, 290, 15}, "Example: :: (a second line per name, for lookups over IPv6)"},
    {C::Label, {10, 187, 80, 15}, "Names per line:"},
    {C::Edit, {91, 184, 25, 20}, "", "per_line", "per_line", true},
    {C::Label, {121, 187, 290, 15}, "1 to 9, empty is 1 (9: faster lookups on Windows with large files)"},
};
constexpr const char* kStoreOrder[] = {"IP", "hosts_back", "hosts", "IP6", "per_line"};

constexpr TTargetPanelSetup kSetup = PanelSetupOf(Info(TargetId::Hosts), kControls, kStoreOrder);

}  // namespace

HostsSettingsPanel::HostsSettingsPanel(TKXWin* parent) : TTargetSettingsPanel(parent, kSetup) {}
