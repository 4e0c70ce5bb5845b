#include "targets/kpf/kpf_settings_panel.h"

namespace {

using C = TPanelControl;
constexpr TPanelControl kControls[] = {
    {C::Label, {10, 35, 95, 15}, "Begin ALL IP with:"},
    {C::Edit, {106, 32, 35, 20}, "", "begin_kpfip", "begin_kpfip"},
    {C::Label, {145, 35, 180, 15}, "Example: 127.0.0.1 + \"*\" > *127.0.0.1"},
    {C::Label, {10, 73, 80, 15}, "End ALL IP with:"},
    {C::Edit, {92, 70, 35, 20}, "", "end_kpfip", "end_kpfip"},
    {C::Label, {132, 73, 190, 15}, "Example: 127.0.0.1 + \"/*\" > 127.0.0.1/*"},
    {C::Label, {10, 111, 56, 17}, "Config File:"},
    {C::Edit, {65, 108, 335, 20}, "", "update_cfg", "update_cfg"},
    {C::Find, {405, 108, 60, 20}},
    {C::Label, {10, 143, 145, 15}, "Backup(s) with Programmstart:"},
    {C::Edit, {156, 140, 25, 20}, "", "kpf_back", "kpf_back"},
    {C::Save, {360, 345, 90, 20}},
};
constexpr const char* kStoreOrder[] = {"begin_kpfip", "end_kpfip", "update_cfg", "kpf_back"};

constexpr TTargetPanelSetup kSetup = PanelSetupOf(Info(TargetId::Kpf), kControls, kStoreOrder);

}  // namespace

KpfSettingsPanel::KpfSettingsPanel(TKXWin* parent) : TTargetSettingsPanel(parent, kSetup) {}
