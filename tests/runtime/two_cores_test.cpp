// Work split between two threads: every item is worked exactly once, whatever the count, and
// what the second thread throws reaches the caller once both parts have ended.
#include "runtime/two_cores.h"

#include <gtest/gtest.h>

#include <atomic>
#include <stdexcept>
#include <vector>

namespace {

TEST(TwoCores, every_item_is_worked_once_in_ranges_that_meet) {
  constexpr size_t kLeast = 64;
  for (const size_t n : {size_t(0), size_t(1), kLeast - 1, kLeast, kLeast + 1, size_t(100'001)}) {
    SCOPED_TRACE(n);
    std::vector<std::atomic<int>> seen(n);
    std::atomic<int> calls = 0;
    InHalves(
        n,
        [&](size_t from, size_t to) {
          ASSERT_LE(from, to);
          ++calls;
          for (size_t i = from; i < to; ++i) ++seen[i];
        },
        kLeast);
    for (size_t i = 0; i < n; ++i) ASSERT_EQ(seen[i], 1) << i;
    EXPECT_EQ(calls, n < kLeast || !two_cores::Available() ? 1 : 2);
  }
}

TEST(TwoCores, what_the_other_thread_throws_comes_back_after_both_ended) {
  bool second_ran = false;
  EXPECT_THROW(two_cores::Both([] { throw std::runtime_error("first"); }, [&] { second_ran = true; }),
               std::runtime_error);
  EXPECT_TRUE(second_ran);
}

}  // namespace
