#include "lists/target_mode_switch.h"

#include "runtime/ini_path.h"
#include "runtime/platform/profile.h"

namespace {
struct PathKey {
  const char* section;
  const char* key;
};
constexpr std::array<PathKey, 4> kPathKeys{{{"Hosts", "hosts"}, {"KPF", "update_cfg"}, {"KWF", "winroute_cfg"},
                                            {"AOF", "config_ini"}}};
constexpr std::array<const char*, 4> kPrograms{"hosts_program", "aof_program", "kpf_program", "kwf_program"};
}  // namespace

TargetModeSwitch::TargetModeSwitch(TKXWin* parent) : TScheme(parent) {
  for (size_t i = 0; i < 4; ++i) {
    paths_[i] = &New<TKXGlobalVar>();
    paths_[i]->SetName(kPathKeys[i].key);
    programs_[i] = &New<TKXGlobalVar>();
    programs_[i]->SetName(kPrograms[i]);
  }
  Port.SetInputCount(3);
  Port.onInput[0] = MakeLink<&TargetModeSwitch::doLoadPaths>(*this);
  Port.onInput[1] = MakeLink<&TargetModeSwitch::doApplyMode>(*this);
  Port.onInput[2] = MakeLink<&TargetModeSwitch::doClearPaths>(*this);
}

void TargetModeSwitch::doLoadPaths(TData&, uint16_t) {
  const std::string file = ResolveIniPath(kSettingsFile);
  for (size_t i = 0; i < 4; ++i)
    paths_[i]->SetValue(MakeText(platform::ReadProfileString(file, kPathKeys[i].section, kPathKeys[i].key)));
}

void TargetModeSwitch::doApplyMode(TData& value, uint16_t) {
  const int32_t to_program = InputInteger(value, DataInput(0), 0);
  for (auto* program : programs_) program->SetValue(MakeInteger(to_program));
  FireEvent(EventOutput(to_program == 1 ? 1 : 0));
}

void TargetModeSwitch::doClearPaths(TData&, uint16_t) {
  for (auto* path : paths_) path->SetValue(MakeText(""));
}
