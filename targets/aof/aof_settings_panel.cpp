#include "targets/aof/aof_settings_panel.h"

namespace {

using C = TPanelControl;
constexpr TPanelControl kControls[] = {
    {C::Label, {10, 35, 105, 15}, "Begin ALL URL with:"},
    {C::Edit, {120, 32, 35, 20}, "", "begin_aofall", "begin_aofall"},
    {C::Label, {160, 35, 215, 15}, "Example: site.com + \"www.\" > www.site.com"},
    {C::Label, {10, 73, 56, 17}, "Config File:"},
    {C::Edit, {65, 70, 335, 20}, "", "config_ini", "config_ini"},
    {C::Find, {405, 70, 60, 20}},
    {C::Label, {10, 111, 145, 15}, "Backup(s) with Programmstart:"},
    {C::Edit, {157, 108, 25, 20}, "", "aof_back", "aof_back"},
    {C::Save, {360, 345, 90, 20}},
};
constexpr const char* kStoreOrder[] = {"begin_aofall", "config_ini", "aof_back"};

constexpr TTargetPanelSetup kSetup = PanelSetupOf(Info(TargetId::Aof), kControls, kStoreOrder);

}  // namespace

AofSettingsPanel::AofSettingsPanel(TKXWin* parent) : TTargetSettingsPanel(parent, kSetup) {}
