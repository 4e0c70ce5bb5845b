// The in-memory window system's scripted user sees and acts on only what a real user could:
// otherwise a scenario could pass on a control the user cannot reach. What it does as every
// window system does is in the contract (headless_contract_test.cpp).
#include <gtest/gtest.h>

#include "widgets/headless/headless_backend.h"
#include "widgets/widget_fixture.h"

namespace {

using widgets::ControlId;
using widgets::ControlKind;

TEST(Headless, nothing_hidden_disabled_or_under_a_hidden_or_disabled_ancestor_takes_a_click) {
  widgets::HeadlessBackend ui;
  Counts events;
  const ControlId form = ui.Create(ControlKind::Form, widgets::kNoControl, nullptr);
  ui.Show(form);
  const ControlId page = ui.Create(ControlKind::Panel, form, nullptr);
  const ControlId box = ui.Create(ControlKind::CheckBox, ui.Create(ControlKind::Panel, page, nullptr), &events);
  ui.SetText(box, "Misc");
  ui.SetVisible(page, false);
  EXPECT_FALSE(ui.IsSeen(box) || ui.Click(box));
  ui.SetVisible(page, true);
  for (ControlId off : {page, box}) {
    ui.SetEnabled(off, false);
    EXPECT_FALSE(ui.Click(box));
    ui.SetEnabled(off, true);
  }
  EXPECT_TRUE(ui.Click(box));
  EXPECT_EQ(events.clicked, 1);
  ui.SetVisible(form, false);
  EXPECT_EQ(ui.FindSeen("Misc"), widgets::kNoControl);
  EXPECT_EQ(ui.Dump(), "");
}

}  // namespace
