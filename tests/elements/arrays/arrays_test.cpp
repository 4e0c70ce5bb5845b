// Enumerator, array reader, counted loop and counter, driven as schemes drive them.
#include <gtest/gtest.h>

#include <stdlib.h>

#include <climits>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "elements/arrays/array_enum.h"
#include "elements/arrays/array_rw.h"
#include "elements/arrays/counter.h"
#include "elements/arrays/for.h"
#include "elements/strlist/str_list.h"

namespace {

using Seen = std::vector<std::string>;

// Records what arrives (integers marked with "#"), then runs `then`.
struct Probe {
  Seen got;
  std::function<void()> then;
  void doIt(TData& v, uint16_t) {
    got.push_back(v.kind == KindInteger ? std::string("#").append(AsText(v)) : AsText(v));
    if (then) then();
  }
};

template <class E, void (E::*Point)(TData&, uint16_t)>
std::string Read(E& e) {
  TData v;
  (e.*Point)(v, 0);
  return AsText(v);
}

struct Enumerating : ::testing::Test {
  Enumerating() {
    list.SetStrings("a\rb\rc");
    e.dataArray = MakeLink<&TKXStrList::varArray>(list);
    e.onItem = MakeLink<&Probe::doIt>(items);
    e.onEndEnum = MakeLink<&Probe::doIt>(ends);
  }
  void Run() { FireEvent(MakeLink<&TKXArrayEnum::doEnum>(e)); }
  TKXStrList list;
  TKXArrayEnum e;
  Probe items, ends;
};

TEST_F(Enumerating, backwards_walk_hands_out_items_with_their_indexes) {
  e.Direction = 1;
  Seen indexes;
  items.then = [&] { indexes.push_back(Read<TKXArrayEnum, &TKXArrayEnum::varIndex>(e)); };
  Run();
  EXPECT_EQ(items.got, (Seen{"c", "b", "a"}));
  EXPECT_EQ(indexes, (Seen{"2", "1", "0"}));
  EXPECT_EQ(ends.got, Seen{""});
}

TEST_F(Enumerating, an_empty_list_fires_only_the_end_and_keeps_the_last_item) {
  Run();
  list.SetStrings("");
  Run();
  EXPECT_EQ((Read<TKXArrayEnum, &TKXArrayEnum::varItem>(e)), "c");
  EXPECT_EQ(items.got.size(), 3u);
  EXPECT_EQ(ends.got.size(), 2u);
}

TEST_F(Enumerating, stop_inside_the_first_item_ends_the_walk_after_it_and_the_next_walk_starts_afresh) {
  items.then = [&] { FireEvent(MakeLink<&TKXArrayEnum::doStop>(e)); };
  Run();
  EXPECT_EQ(items.got, Seen{"a"});
  EXPECT_EQ(ends.got.size(), 1u);
  items.then = nullptr;
  Run();
  EXPECT_EQ(items.got.size(), 4u);
}

TEST_F(Enumerating, items_added_during_a_forward_walk_are_walked_and_removed_ones_are_not) {
  items.then = [&] {
    if (items.got.size() == 1) FireEvent(MakeLink<&TKXStrList::doAdd>(list), "d");
  };
  Run();
  EXPECT_EQ(items.got, (Seen{"a", "b", "c", "d"}));
  items.got.clear();
  items.then = [&] { FireEvent(MakeLink<&TKXStrList::doClear>(list)); };
  Run();
  EXPECT_EQ(items.got, Seen{"a"});
}

TEST_F(Enumerating, a_source_that_gives_no_array_fires_only_the_end) {
  e.dataArray = MakeLink<&TKXStrList::varText>(list);
  Run();
  e.dataArray = {};
  Run();
  EXPECT_TRUE(items.got.empty());
  EXPECT_EQ(ends.got.size(), 2u);
}

TEST(ArrayRW, reads_by_index_and_ignores_bad_indexes_and_missing_arrays) {
  TKXStrList list;
  list.SetStrings("a\rb\rc");
  TKXArrayRW rw;
  Probe read;
  rw.dataArray = MakeLink<&TKXStrList::varArray>(list);
  rw.onRead = MakeLink<&Probe::doIt>(read);
  auto doRead = MakeLink<&TKXArrayRW::doRead>(rw);
  FireEvent(doRead, 1);
  FireEvent(doRead, "x");
  FireEvent(doRead, 3);
  FireEvent(doRead);
  EXPECT_EQ(read.got, Seen{"b"});
  rw.Index = MakeInteger(2);
  FireEvent(doRead, 0);  // a set Index wins over the arriving value
  rw.dataArray = {};
  FireEvent(doRead, 0);
  EXPECT_EQ(read.got, (Seen{"b", "c"}));
  EXPECT_EQ((Read<TKXArrayRW, &TKXArrayRW::varItem>(rw)), "c");
}

struct Looping : ::testing::Test {
  Looping() {
    loop.onEvent = MakeLink<&Probe::doIt>(steps);
    loop.onStop = MakeLink<&Probe::doIt>(stops);
  }
  void Run(TData value = {}) { FireEvent(MakeLink<&TKXFor::doFor>(loop), std::move(value)); }
  TKXFor loop;
  Probe steps, stops;
};

TEST_F(Looping, runs_from_start_to_end_by_step_and_reports_the_final_counter) {
  struct Case {
    int32_t start, end, step;
    bool include_end;
    Seen steps;
    std::string stop;
  };
  const std::vector<Case> cases = {
      {0, 3, 1, true, {"#0", "#1", "#2", "#3"}, "#4"},
      {0, 3, 1, false, {"#0", "#1", "#2"}, "#3"},
      {5, 0, -1, true, {"#5", "#4", "#3", "#2", "#1", "#0"}, "#-1"},
      {5, 0, -1, false, {"#5", "#4", "#3", "#2", "#1"}, "#0"},
      {4, 1, 1, true, {}, "#4"},
      {0, 5, 0, true, {}, "#0"},
      {0, 7, 3, true, {"#0", "#3", "#6"}, "#9"},
      // Loops that touch the ends of the integer range still end.
      {INT_MAX - 1, INT_MAX, 1, true, {"#2147483646", "#2147483647"}, "#-2147483648"},
      {INT_MIN + 1, INT_MIN, -1, true, {"#-2147483647", "#-2147483648"}, "#2147483647"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.start) + ".." + std::to_string(c.end) + " by " + std::to_string(c.step));
    loop.Start = c.start, loop.End = c.end, loop.Step = c.step, loop.IncludeEnd = c.include_end;
    steps.got.clear();
    stops.got.clear();
    Run();
    EXPECT_EQ(steps.got, c.steps);
    EXPECT_EQ(stops.got, Seen{c.stop});
  }
}

TEST_F(Looping, the_arriving_value_is_dropped_unless_input_is_taken) {
  loop.End = 2;
  loop.IncludeEnd = true;
  Run(MakeInteger(1));
  EXPECT_EQ(steps.got, (Seen{"#0", "#1", "#2"}));
  steps.got.clear();
  loop.TakeInput = true;
  Run(MakeInteger(1));
  EXPECT_EQ(steps.got, (Seen{"#1", "#2"}));
}

TEST_F(Looping, stop_inside_a_step_ends_the_loop_after_it_in_both_directions) {
  steps.then = [&] {
    if (steps.got.back() == "#2") FireEvent(MakeLink<&TKXFor::doStop>(loop));
  };
  loop.End = 9;
  Run();
  EXPECT_EQ(steps.got, (Seen{"#0", "#1", "#2"}));
  EXPECT_EQ(stops.got, Seen{"#3"});
  steps.got.clear();
  loop.Start = 5, loop.End = 0, loop.Step = -1;
  Run();
  EXPECT_EQ(steps.got, (Seen{"#5", "#4", "#3", "#2"}));
  EXPECT_EQ(stops.got.back(), "#1");
}

TEST(Counter, counts_up_to_max_then_wraps_to_min) {
  TKXCounter counter;
  Probe next;
  counter.onNext = MakeLink<&Probe::doIt>(next);
  for (int i = 0; i < 11; ++i) FireEvent(MakeLink<&TKXCounter::doNext>(counter));
  EXPECT_EQ(next.got[9], "#10");
  EXPECT_EQ(next.got[10], "#0");
}

TEST(Counter, counts_down_to_min_then_wraps_to_max_and_reset_picks_the_starting_end) {
  TKXCounter counter;
  counter.Type = 1, counter.Min = 2, counter.Max = 4, counter.Step = 2;
  auto next = MakeLink<&TKXCounter::doNext>(counter);
  FireEvent(next);  // 0 - 2 is below Min
  EXPECT_EQ((Read<TKXCounter, &TKXCounter::varCount>(counter)), "4");
  FireEvent(next);
  FireEvent(next);
  EXPECT_EQ((Read<TKXCounter, &TKXCounter::varCount>(counter)), "4");
  counter.Type = 0;
  FireEvent(MakeLink<&TKXCounter::doReset>(counter));
  EXPECT_EQ((Read<TKXCounter, &TKXCounter::varCount>(counter)), "2");
}

TEST(Counter, a_step_past_the_integer_range_wraps_to_min) {
  TKXCounter counter;
  counter.Max = INT_MAX, counter.Step = INT_MAX;
  FireEvent(MakeLink<&TKXCounter::doNext>(counter));
  FireEvent(MakeLink<&TKXCounter::doNext>(counter));
  EXPECT_EQ((Read<TKXCounter, &TKXCounter::varCount>(counter)), "0");
}

TEST(Scheme, a_loaded_list_is_walked_and_each_index_read_back) {
  char pattern[] = "/tmp/scheme-XXXXXX";
  ASSERT_NE(mkdtemp(pattern), nullptr);
  const std::string dir = pattern;
  TKXStrList source;
  source.SetStrings("ads.example\rtrack.example\r");
  FireEvent(MakeLink<&TKXStrList::doSave>(source), dir + "\\Misc.txt");

  TKXStrList list;
  TKXArrayEnum walk;
  TKXArrayRW reader;
  Probe probe, done;
  // Loading the list starts the walk; every index the walk reaches is read back.
  list.onChange = MakeLink<&TKXArrayEnum::doEnum>(walk);
  walk.dataArray = MakeLink<&TKXStrList::varArray>(list);
  walk.onItem = MakeLink<&TKXArrayRW::doRead>(reader);
  walk.onEndEnum = MakeLink<&Probe::doIt>(done);
  reader.dataArray = MakeLink<&TKXStrList::varArray>(list);
  reader.dataIndex = MakeLink<&TKXArrayEnum::varIndex>(walk);
  reader.onRead = MakeLink<&Probe::doIt>(probe);

  FireEvent(MakeLink<&TKXStrList::doLoad>(list), dir + "/Misc.txt");
  EXPECT_EQ(probe.got, (Seen{"ads.example", "track.example"}));
  EXPECT_EQ(done.got.size(), 1u);
  std::filesystem::remove_all(dir);
}

}  // namespace
