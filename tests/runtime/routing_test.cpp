// The routing elements (hub, data forwarder, index switch, data splitter), alone and wired into a scheme.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/do_data.h"
#include "runtime/get_data.h"
#include "runtime/hub.h"
#include "runtime/index_to_chanel.h"
#include "runtime/memory.h"
#include "runtime/scheme.h"

namespace {

// Records every call as "name:text" into a shared log.
struct Recorder {
  Recorder(std::vector<std::string>* l, std::string n) : log(l), name(std::move(n)) {}
  std::vector<std::string>* log;
  std::string name;
  std::vector<TData> got;
  TEventLink onNested;
  void doIt(TData& v, uint16_t) {
    got.push_back(v);
    log->push_back(name + ":" + AsText(v));
    FireEvent(onNested);
  }
  void doConsume(TData& v, uint16_t i) {
    doIt(v, i);
    v.Clear();
  }
};

struct Source {
  TData value;
  int reads = 0;
  void varValue(TData& v, uint16_t) {
    ++reads;
    v = value;
  }
};

TEST(Hub, runs_outputs_in_order_each_with_its_own_copy_of_the_value) {
  std::vector<std::string> log;
  Recorder first{&log, "0"}, nested{&log, "0-nested"}, second{&log, "1"}, third{&log, "2"};
  first.onNested = MakeLink<&Recorder::doIt>(nested);
  TKXHub hub;
  hub.SetCount(3);
  hub.onEvent[0] = MakeLink<&Recorder::doConsume>(first);
  hub.onEvent[1] = MakeLink<&Recorder::doConsume>(second);
  hub.onEvent[2] = MakeLink<&Recorder::doIt>(third);
  TData sent = MakeText("v");
  FireEvent(MakeLink<&TKXHub::doEvent>(hub), sent);
  EXPECT_EQ(log, (std::vector<std::string>{"0:v", "0-nested:", "1:v", "2:v"}));
  EXPECT_EQ(sent.kind, KindString);
  EXPECT_EQ(sent.text, "v");
}

TEST(Hub, a_receiver_forwarding_through_its_value_does_not_change_the_next_output) {
  std::vector<std::string> log;
  Recorder after_memory{&log, "m"}, second{&log, "1"};
  TKXMemory memory;
  memory.SetDefault(MakeInteger(9));
  memory.onData = MakeLink<&Recorder::doIt>(after_memory);
  TKXHub hub;
  hub.SetCount(2);
  hub.onEvent[0] = MakeLink<&TKXMemory::doClear>(memory);
  hub.onEvent[1] = MakeLink<&Recorder::doIt>(second);
  FireEvent(MakeLink<&TKXHub::doEvent>(hub), 4);
  EXPECT_EQ(log, (std::vector<std::string>{"m:9", "1:4"}));
}

TEST(Hub, skips_unlinked_outputs_and_merges_its_inputs) {
  std::vector<std::string> log;
  Recorder a{&log, "a"}, b{&log, "b"}, c{&log, "c"};
  TKXHub hub;
  hub.InCount = 2;
  hub.SetCount(4);
  hub.onEvent[0] = MakeLink<&Recorder::doIt>(a);
  hub.onEvent[1] = MakeLink<&Recorder::doIt>(b);
  hub.onEvent[2] = MakeLink<&Recorder::doIt>(c);
  FireEvent(MakeLink<&TKXHub::doEvent>(hub, 0), 1);
  FireEvent(MakeLink<&TKXHub::doEvent>(hub, 1), 2);
  EXPECT_EQ(log, (std::vector<std::string>{"a:1", "b:1", "c:1", "a:2", "b:2", "c:2"}));
}

TEST(Hub, runs_every_output_it_was_sized_for_even_beyond_255) {
  std::vector<std::string> log;
  Recorder last{&log, "last"};
  TKXHub hub;
  hub.SetCount(300);
  hub.onEvent[299] = MakeLink<&Recorder::doIt>(last);
  FireEvent(MakeLink<&TKXHub::doEvent>(hub), 1);
  EXPECT_EQ(log, (std::vector<std::string>{"last:1"}));
}

TEST(DataForwarder, drops_what_arrived_and_fires_its_property_or_the_empty_value) {
  std::vector<std::string> log;
  Recorder out{&log, "out"};
  TKXDoData forwarder;
  forwarder.onEventData = MakeLink<&Recorder::doIt>(out);
  const TEventLink in = MakeLink<&TKXDoData::doData>(forwarder);
  FireEvent(in, std::string("arrived"));
  forwarder.Data = MakeInteger(3);
  FireEvent(in, std::string("arrived"));
  ASSERT_EQ(out.got.size(), 2u);
  EXPECT_TRUE(out.got[0].IsEmpty());
  EXPECT_EQ(out.got[1].kind, KindInteger);
  EXPECT_EQ(out.got[1].integer, 3);
}

TEST(DataForwarder, reads_its_source_at_the_moment_of_the_call) {
  std::vector<std::string> log;
  Recorder out{&log, "out"};
  Source control;
  TKXDoData forwarder;
  forwarder.Data = MakeText("ignored");
  forwarder.dataData = MakeLink<&Source::varValue>(control);
  forwarder.onEventData = MakeLink<&Recorder::doIt>(out);
  const TEventLink in = MakeLink<&TKXDoData::doData>(forwarder);
  control.value = MakeText("first");
  FireEvent(in);
  control.value = MakeText("second");
  FireEvent(in);
  EXPECT_EQ(log, (std::vector<std::string>{"out:first", "out:second"}));
}

struct SwitchCase {
  TData arriving;
  int fired_output;  // -1: nothing fires
};

TEST(IndexSwitch, takes_its_index_from_the_arriving_value_and_fires_only_inside_its_count) {
  const std::vector<SwitchCase> cases = {
      {MakeInteger(2), 2}, {MakeInteger(0), 0},  {MakeInteger(4), -1},
      {MakeInteger(-1), -1}, {MakeText("3"), 3}, {MakeText("abc"), 0},
  };
  for (const auto& c : cases) {
    std::vector<std::string> log;
    std::vector<Recorder> outs(4, Recorder{&log, ""});
    TKXIndexToChanel sw;
    sw.SetCount(4);
    for (int k = 0; k < 4; ++k) {
      outs[size_t(k)].name = std::to_string(k);
      sw.onEvent[size_t(k)] = MakeLink<&Recorder::doIt>(outs[size_t(k)]);
    }
    TData v = c.arriving;
    FireEvent(MakeLink<&TKXIndexToChanel::doEvent>(sw), v);
    // The index consumed the arriving value, so the (empty) data that follows is what fires.
    const auto expected = c.fired_output < 0 ? std::vector<std::string>{}
                                             : std::vector<std::string>{std::to_string(c.fired_output) + ":"};
    EXPECT_EQ(log, expected) << AsText(c.arriving);
  }
}

TEST(IndexSwitch, sends_its_data_and_reads_a_linked_index) {
  std::vector<std::string> log;
  Recorder zero{&log, "0"}, one{&log, "1"};
  Source index;
  index.value = MakeInteger(1);
  TKXIndexToChanel sw;
  sw.SetCount(2);
  sw.onEvent[0] = MakeLink<&Recorder::doIt>(zero);
  sw.onEvent[1] = MakeLink<&Recorder::doIt>(one);
  sw.dataIndex = MakeLink<&Source::varValue>(index);
  FireEvent(MakeLink<&TKXIndexToChanel::doEvent>(sw), std::string("payload"));
  sw.Data = MakeText("property");
  FireEvent(MakeLink<&TKXIndexToChanel::doEvent>(sw), std::string("payload"));
  EXPECT_EQ(log, (std::vector<std::string>{"1:payload", "1:property"}));
}

TEST(IndexSwitch, a_count_below_one_silences_it_but_keeps_its_outputs) {
  TKXIndexToChanel sw;
  sw.SetCount(3);
  sw.SetCount(0);
  EXPECT_EQ(sw.Count, 0);
  EXPECT_EQ(sw.onEvent.size(), 3u);
}

TEST(DataSplitter, pulls_its_source_again_for_every_reader) {
  Source source;
  source.value = MakeText("shared");
  TKXGetData splitter;
  splitter.dataData = MakeLink<&Source::varValue>(source);
  TData a, b;
  PullData(MakeLink<&TKXGetData::varData>(splitter, 0), a);
  PullData(MakeLink<&TKXGetData::varData>(splitter, 1), b);
  EXPECT_EQ(a.text, "shared");
  EXPECT_EQ(b.text, "shared");
  EXPECT_EQ(source.reads, 2);
  TKXGetData unlinked;
  TData c = MakeInteger(1);
  unlinked.varData(c, 0);
  EXPECT_TRUE(c.IsEmpty());
}

// Input 0 runs a hub: output 0 remembers the value, output 1 reads the scheme's data
// input 0 as an index and sends "chosen" out of the event output it selects.
struct RouterScheme : TScheme {
  TKXHub& hub = New<TKXHub>();
  TKXMemory& last = New<TKXMemory>();
  TKXDoData& index_reader = New<TKXDoData>();
  TKXIndexToChanel& selector = New<TKXIndexToChanel>();

  explicit RouterScheme(TKXWin* parent) : TScheme(parent) {
    selector.Data = MakeText("chosen");
    hub.SetCount(2);
    hub.onEvent[0] = MakeLink<&TKXMemory::doValue>(last);
    hub.onEvent[1] = MakeLink<&TKXDoData::doData>(index_reader);
    index_reader.dataData = MakeLink<&TKXEditMulti::varGet>(Port, 0);
    index_reader.onEventData = MakeLink<&TKXIndexToChanel::doEvent>(selector);
    selector.SetCount(3);
    for (uint16_t k = 0; k < 3; ++k) selector.onEvent[k] = MakeLink<&TKXEditMulti::doEvent>(Port, k);
    Port.SetInputCount(1);
    Port.SetVarCount(1);
    Port.onInput[0] = MakeLink<&TKXHub::doEvent>(hub);
    Port.dataVar[0] = MakeLink<&TKXMemory::varValue>(last);
  }
};

TEST(HandWiredScheme, routes_an_event_by_an_index_read_from_the_parent_and_remembers_it) {
  std::vector<std::string> log;
  std::vector<Recorder> outs(3, Recorder{&log, ""});
  Source index;
  index.value = MakeText("2");
  TKXMultiElement router;
  router.SetEventCount(3);
  router.SetDataCount(1);
  for (uint16_t k = 0; k < 3; ++k) {
    outs[k].name = std::to_string(k);
    router.onEvent[k] = MakeLink<&Recorder::doIt>(outs[k]);
  }
  router.dataData[0] = MakeLink<&Source::varValue>(index);
  router.SetScheme<RouterScheme>();

  FireEvent(MakeLink<&TKXMultiElement::doWork>(router, 0), std::string("x"));
  index.value = MakeInteger(0);
  FireEvent(MakeLink<&TKXMultiElement::doWork>(router, 0), std::string("y"));
  EXPECT_EQ(log, (std::vector<std::string>{"2:chosen", "0:chosen"}));
  TData remembered;
  PullData(MakeLink<&TKXMultiElement::varData>(router, 0), remembered);
  EXPECT_EQ(remembered.text, "y");
}

}  // namespace
