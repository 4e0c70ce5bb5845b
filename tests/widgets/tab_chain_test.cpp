// The order in which Tab visits a window's controls.
#include "widgets/tab_chain.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Chain = std::vector<widgets::ControlId>;

TEST(TabChain, each_control_takes_the_place_it_is_given_and_the_later_ones_move_back) {
  Chain chain;
  struct Step { widgets::ControlId id; int order; Chain after; };
  for (const Step& s : {Step{5, 1, {5}}, Step{6, 2, {5, 6}}, Step{7, 1, {7, 5, 6}}, Step{8, 9, {7, 5, 6, 8}},
                        Step{6, 0, {6, 7, 5, 8}}, Step{7, 4, {6, 5, 8, 7}}}) {
    widgets::PlaceInTabChain(chain, s.id, s.order);
    EXPECT_EQ(chain, s.after) << s.id << " at " << s.order;
  }
}

TEST(TabChain, tab_goes_round_the_chain_both_ways_and_a_control_without_a_place_has_no_next) {
  const Chain chain{7, 5, 6};
  EXPECT_EQ(widgets::NextInTabChain(chain, 7, false), 5);
  EXPECT_EQ(widgets::NextInTabChain(chain, 6, false), 7);
  EXPECT_EQ(widgets::NextInTabChain(chain, 7, true), 6);
  EXPECT_EQ(widgets::NextInTabChain(chain, 5, true), 7);
  EXPECT_EQ(widgets::NextInTabChain({4}, 4, false), 4);
  EXPECT_EQ(widgets::NextInTabChain(chain, 9, false), widgets::kNoControl);
}

}  // namespace
