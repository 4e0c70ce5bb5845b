// TargetModeSwitch: the output mode of the targets and the resolver formats, chosen by the
// radio buttons of the generate page, held in the global variables the exporters read.
//
// Inputs: 0 doLoadPaths (every target's file path from "Veltra.ini" into its variable:
// hosts, config_ini, update_cfg, winroute_cfg, then the formats' dnsmasq .. domains),
// 1 doApplyMode (data input 0, 1 for "To Programm", goes into hosts_program, aof_program,
// kpf_program, kwf_program and resolvers_program; then event 1 onCheckTargets when it is 1,
// else event 0 onAllTargets), 2 doClearPaths.
#pragma once

#include <vector>

#include "runtime/global_var.h"
#include "runtime/scheme.h"

class TargetModeSwitch : public TScheme {
 public:
  enum Input : uint16_t { kDoLoadPaths = 0, kDoApplyMode = 1, kDoClearPaths = 2, kInputCount };
  enum Data : uint16_t { kDataToProgram = 0, kDataCount };
  enum Event : uint16_t { kOnAllTargets = 0, kOnCheckTargets = 1, kEventCount };

  explicit TargetModeSwitch(TKXWin* parent);

  void doLoadPaths(TData& value, uint16_t index);
  void doApplyMode(TData& value, uint16_t index);
  void doClearPaths(TData& value, uint16_t index);

 private:
  std::vector<TKXGlobalVar*> paths_;     // one per target, in the catalog's order
  std::vector<TKXGlobalVar*> programs_;  // each program variable once
};
