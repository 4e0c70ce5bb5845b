#include "targets/kwf/kwf_settings_panel.h"

namespace {

using C = TPanelControl;
constexpr TPanelControl kControls[] = {
    {C::Label, {10, 35, 105, 15}, "Begin ALL URL with:"},
    {C::Edit, {118, 32, 35, 20}, "", "begin_kwfall", "begin_kwfall"},
    {C::Label, {158, 35, 170, 15}, "Example: site.com + \"*\" > *site.com"},
    {C::Label, {10, 73, 95, 15}, "End ALL URL with:"},
    {C::Edit, {105, 70, 35, 20}, "", "end_kwfall", "end_kwfall"},
    {C::Label, {145, 73, 170, 15}, "Example: site.com + \"*\" > site.com*"},
    {C::Label, {10, 111, 65, 15}, "Group Name:"},
    {C::Edit, {76, 108, 70, 20}, "Ads/banners", "group_name", "group_name"},
    {C::Label, {10, 149, 56, 17}, "Config File:"},
    {C::Edit, {65, 146, 335, 20}, "", "winroute_cfg", "winroute_cfg"},
    {C::Find, {405, 146, 60, 20}},
    {C::Label, {10, 187, 145, 15}, "Backup(s) with Programmstart:"},
    {C::Edit, {156, 184, 25, 20}, "", "kwf_back", "kwf_back"},
    {C::Save, {360, 345, 90, 20}},
};
constexpr const char* kStoreOrder[] = {"begin_kwfall", "end_kwfall", "winroute_cfg", "kwf_back", "group_name"};

constexpr TTargetPanelSetup kSetup = PanelSetupOf(Info(TargetId::Kwf), kControls, kStoreOrder);

}  // namespace

KwfSettingsPanel::KwfSettingsPanel(TKXWin* parent) : TTargetSettingsPanel(parent, kSetup) {}
