// How many records of a list written anew the older list held, whatever moved, came or went.
#include "elements/strlist/kept_in_order.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Names = std::vector<std::string>;

Names Range(int from, int to) {
  Names names;
  for (int i = from; i < to; ++i) names.push_back("n" + std::to_string(i) + ".example");
  return names;
}

Names Join(std::initializer_list<Names> parts) {
  Names all;
  for (const Names& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

TEST(KeptInOrder, counts_each_old_entry_once_whatever_moved_came_or_went) {
  const struct {
    const char* what;
    Names before, written;
    size_t kept;
  } cases[] = {
      {"the same", Range(0, 50), Range(0, 50), 50},
      {"a few gone here and there", Range(0, 50), Join({Range(0, 10), Range(12, 30), Range(31, 50)}), 47},
      {"a block gone, longer than the look ahead", Range(0, 50), Join({Range(0, 5), Range(30, 50)}), 25},
      {"new ones between", Range(0, 20), Join({Range(0, 10), Range(100, 120), Range(10, 20)}), 20},
      {"turned round", Range(0, 30),
       [] {
         Names r = Range(0, 30);
         return Names(r.rbegin(), r.rend());
       }(),
       30},
      {"an old entry twice, written once", Join({Range(0, 3), Range(1, 2)}), Range(0, 3), 3},
      {"written twice, held once", Range(0, 3), Join({Range(0, 3), Range(1, 2)}), 3},
      {"nothing before", {}, Range(0, 5), 0},
      {"nothing written", Range(0, 5), {}, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(KeptInOrder(c.before, c.written), c.kept);
  }
}

}  // namespace
