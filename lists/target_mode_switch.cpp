#include "lists/target_mode_switch.h"

#include <cstring>

#include "runtime/ini_path.h"
#include "runtime/platform/profile.h"
#include "targets/target_catalog.h"

TargetModeSwitch::TargetModeSwitch(TKXWin* parent) : TScheme(parent) {
  for (const TTargetInfo& target : kTargets) {
    paths_.push_back(&New<TKXGlobalVar>());
    paths_.back()->SetName(target.path_key);
    bool known = false;  // the resolver formats share one
    for (const TKXGlobalVar* program : programs_) known = known || program->Name == target.program_variable;
    if (known) continue;
    programs_.push_back(&New<TKXGlobalVar>());
    programs_.back()->SetName(target.program_variable);
  }
  Port.SetInputCount(kInputCount);
  Port.onInput[kDoLoadPaths] = MakeLink<&TargetModeSwitch::doLoadPaths>(*this);
  Port.onInput[kDoApplyMode] = MakeLink<&TargetModeSwitch::doApplyMode>(*this);
  Port.onInput[kDoClearPaths] = MakeLink<&TargetModeSwitch::doClearPaths>(*this);
}

void TargetModeSwitch::doLoadPaths(TData&, uint16_t) {
  const std::string file = ResolveIniPath(kSettingsFile);
  for (size_t i = 0; i < kTargetCount; ++i)
    paths_[i]->SetValue(MakeText(platform::ReadProfileString(file, kTargets[i].section, kTargets[i].path_key)));
}

void TargetModeSwitch::doApplyMode(TData& value, uint16_t) {
  const int32_t to_program = InputInteger(value, DataInput(kDataToProgram), 0);
  for (auto* program : programs_) program->SetValue(MakeInteger(to_program));
  FireEvent(EventOutput(to_program == 1 ? kOnCheckTargets : kOnAllTargets));
}

void TargetModeSwitch::doClearPaths(TData&, uint16_t) {
  for (auto* path : paths_) path->SetValue(MakeText(""));
}
