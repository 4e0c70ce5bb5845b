// Enumerator, array reader, counted loop and counter, driven as schemes drive them.
#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "elements/arrays/array_enum.h"
#include "elements/arrays/array_rw.h"
#include "elements/arrays/counter.h"
#include "elements/arrays/for.h"
#include "elements/strlist/str_list.h"
#include "probe.h"

namespace {

using Seen = std::vector<std::string>;

template <auto Point, class E>
std::string Read(E& element) {
  TData v;
  (element.*Point)(v, 0);
  return AsText(v);
}

TEST(ArrayEnum, walks_both_ways_follows_changes_made_by_handlers_and_stops_after_the_current_item) {
  TKXStrList list;
  TKXArrayEnum walk;
  Probe items, ends;
  walk.dataArray = MakeLink<&TKXStrList::varArray>(list);
  walk.onItem = items.Link(), walk.onEndEnum = ends.Link();
  const auto run = [&](const char* lines, int32_t direction, std::function<void()> then) {
    list.SetStrings(lines);
    walk.Direction = direction;
    items.got.clear(), items.texts.clear(), items.then = then;
    FireEvent(MakeLink<&TKXArrayEnum::doEnum>(walk));
    return items.texts;
  };
  EXPECT_EQ(run("a\rb\rc", 1, [&] { items.texts.back() += Read<&TKXArrayEnum::varIndex>(walk); }),
            (Seen{"c2", "b1", "a0"}));
  EXPECT_EQ(run("a\rb", 0, [&] { if (items.got.size() == 1) FireEvent(MakeLink<&TKXStrList::doAdd>(list), "c"); }),
            (Seen{"a", "b", "c"}));
  EXPECT_EQ(run("a\rb", 0, [&] { FireEvent(MakeLink<&TKXStrList::doClear>(list)); }), Seen{"a"});
  EXPECT_EQ(run("a\rb", 0, [&] { FireEvent(MakeLink<&TKXArrayEnum::doStop>(walk)); }), Seen{"a"});
  EXPECT_EQ(run("a\rb", 0, nullptr), (Seen{"a", "b"}));  // the next walk starts afresh
  EXPECT_EQ(run("", 0, nullptr), Seen{});
  walk.dataArray = MakeLink<&TKXStrList::varText>(list);  // no array at all
  EXPECT_EQ(run("a", 0, nullptr), Seen{});
  EXPECT_EQ(ends.got.size(), 7u);
  EXPECT_EQ(Read<&TKXArrayEnum::varItem>(walk), "b");  // the last item handed out stays
}

TEST(ArrayRW, reads_by_index_and_ignores_bad_indexes_and_missing_arrays) {
  TKXStrList list;
  TKXArrayRW rw;
  Probe read;
  list.SetStrings("a\rb\rc");
  rw.dataArray = MakeLink<&TKXStrList::varArray>(list), rw.onRead = read.Link();
  for (TData at : {MakeInteger(1), MakeText("x"), MakeInteger(3), TData{}})
    FireEvent(MakeLink<&TKXArrayRW::doRead>(rw), at);
  rw.Index = MakeInteger(2);
  FireEvent(MakeLink<&TKXArrayRW::doRead>(rw), 0);  // a set Index wins over the arriving value
  rw.dataArray = {};
  FireEvent(MakeLink<&TKXArrayRW::doRead>(rw), 0);
  EXPECT_EQ(read.texts, (Seen{"b", "c"}));
  EXPECT_EQ(Read<&TKXArrayRW::varItem>(rw), "c");
}

TEST(For, runs_from_start_to_end_by_step_and_reports_the_final_counter_last) {
  struct Case { int32_t start, end, step; bool include_end, take_input; std::string stop_at; Seen steps; };
  const std::vector<Case> cases = {
      {0, 3, 1, true, false, "", {"#0", "#1", "#2", "#3", "#4"}},
      {0, 3, 1, false, false, "", {"#0", "#1", "#2", "#3"}},
      {0, 3, 1, false, true, "", {"#1", "#2", "#3"}},  // the arriving 1 is the start
      {5, 0, -1, true, false, "", {"#5", "#4", "#3", "#2", "#1", "#0", "#-1"}},
      {4, 1, 1, true, false, "", {"#4"}},
      {0, 5, 0, true, false, "", {"#0"}},
      {0, 7, 3, true, false, "", {"#0", "#3", "#6", "#9"}},
      {0, 9, 1, true, false, "2", {"#0", "#1", "#2", "#3"}},  // doStop inside a step ends the loop after it
      // Loops that touch the ends of the integer range still end.
      {INT_MAX - 1, INT_MAX, 1, true, false, "", {"#2147483646", "#2147483647", "#-2147483648"}},
      {INT_MIN + 1, INT_MIN, -1, true, false, "", {"#-2147483647", "#-2147483648", "#2147483647"}},
  };

  for (const auto& c : cases) {
    TKXFor loop;
    Probe steps;
    steps.then = [&] { if (steps.texts.back() == c.stop_at) FireEvent(MakeLink<&TKXFor::doStop>(loop)); };
    loop.onEvent = loop.onStop = steps.Link();
    loop.Start = c.start, loop.End = c.end, loop.Step = c.step;
    loop.IncludeEnd = c.include_end, loop.TakeInput = c.take_input;
    FireEvent(MakeLink<&TKXFor::doFor>(loop), 1);
    EXPECT_EQ(Marked(steps.got), c.steps) << c.start << ".." << c.end << " by " << c.step;
  }
}

TEST(Counter, steps_between_min_and_max_and_wraps_also_past_the_integer_range) {
  struct Case { int32_t type, min, max, step; Seen counts; };
  const std::vector<Case> cases = {
      {0, 0, 2, 1, {"#1", "#2", "#0", "#1"}},
      {1, 2, 4, 2, {"#4", "#2", "#4"}},  // 0 - 2 is below Min
      {0, 0, INT_MAX, INT_MAX, {"#2147483647", "#0"}},
  };
  for (const auto& c : cases) {
    TKXCounter counter;
    Probe next;
    counter.Type = c.type, counter.Min = c.min, counter.Max = c.max, counter.Step = c.step;
    counter.onNext = next.Link();
    for (size_t i = 0; i < c.counts.size(); ++i) FireEvent(MakeLink<&TKXCounter::doNext>(counter));
    EXPECT_EQ(Marked(next.got), c.counts);
    FireEvent(MakeLink<&TKXCounter::doReset>(counter));
    EXPECT_EQ(Read<&TKXCounter::varCount>(counter), std::to_string(c.type == 0 ? c.min : c.max));
  }
}

}  // namespace
