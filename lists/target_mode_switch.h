// TargetModeSwitch: the output mode of the four targets, chosen by the radio buttons of
// the generate page, held in the global variables the exporters read.
//
// Inputs: 0 doLoadPaths (the four configuration paths from "Veltra.ini" into hosts,
// update_cfg, winroute_cfg, config_ini), 1 doApplyMode (data input 0, 1 for "To
// Programm", goes into hosts_program, aof_program, kpf_program, kwf_program; then event 1
// onCheckTargets when it is 1, else event 0 onAllTargets), 2 doClearPaths.
#pragma once

#include <array>

#include "runtime/global_var.h"
#include "runtime/scheme.h"

class TargetModeSwitch : public TScheme {
 public:
  explicit TargetModeSwitch(TKXWin* parent);

  void doLoadPaths(TData& value, uint16_t index);
  void doApplyMode(TData& value, uint16_t index);
  void doClearPaths(TData& value, uint16_t index);

 private:
  std::array<TKXGlobalVar*, 4> paths_{};     // hosts, update_cfg, winroute_cfg, config_ini
  std::array<TKXGlobalVar*, 4> programs_{};  // hosts_program, aof_program, kpf_program, kwf_program
};
