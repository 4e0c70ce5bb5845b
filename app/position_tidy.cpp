#include "app/position_tidy.h"

#include "app/settings_sections.h"
#include "elements/strings/if_else.h"
#include "runtime/global_var.h"
#include "runtime/hub.h"
#include "runtime/ini.h"

PositionTidy::PositionTidy(TKXWin* parent) : TScheme(parent) {
  auto& steps = New<TKXHub>();
  auto& width = New<TKXini>();
  auto& height = New<TKXini>();
  auto& keep_position = New<TKXIf_else>();
  auto& save_position = New<TKXGlobalVar>();
  auto& form = New<TKXini>();

  for (TKXini* ini : {&width, &height, &form}) {
    ini->FileName = kSettingsFile;
    ini->Section = "Form";
  }
  width.Key = "Width";
  height.Key = "Height";
  save_position.SetName("saveposition");
  keep_position.Type = CompareEqual;
  keep_position.Op2 = MakeInteger(1);

  // The size keys go; the position goes too unless the option is exactly 1.
  keep_position.dataOp1 = MakeLink<&TKXGlobalVar::varValue>(save_position);
  keep_position.onFalse = MakeLink<&TKXini::doEraseSection>(form);
  steps.SetOutputs({MakeLink<&TKXini::doDeleteKey>(width), MakeLink<&TKXini::doDeleteKey>(height),
                    MakeLink<&TKXIf_else::doCompare>(keep_position)});

  Port.SetInputCount(kInputCount);
  Port.onInput[kDoTidy] = MakeLink<&TKXHub::doEvent>(steps);
}
