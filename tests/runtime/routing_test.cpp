// The routing elements: hub and index switch.
#include <tuple>

#include "runtime/do_data.h"
#include "runtime/hub.h"
#include "runtime/index_to_chanel.h"
#include "runtime/memory.h"
#include "runtime/runtime_fixture.h"

namespace {

TEST(Hub, runs_every_linked_output_in_order_each_with_its_own_copy_of_the_value) {
  std::vector<std::string> log;
  Probe first(&log, "0"), stored(&log, "1"), last(&log, "299");
  TKXDoData replacer;  // drops the value it was given and forwards its own through it
  replacer.Data = MakeText("d");
  replacer.onEventData = MakeLink<&Probe::doIt>(first);
  TKXMemory memory;
  memory.onData = MakeLink<&Probe::doIt>(stored);
  TKXHub hub;
  hub.InCount = 2;
  hub.SetCount(300);  // wider than 255
  hub.onEvent[0] = MakeLink<&TKXDoData::doData>(replacer);
  hub.onEvent[1] = MakeLink<&TKXMemory::doValue>(memory);
  hub.onEvent[299] = MakeLink<&Probe::doIt>(last);
  TData sent = MakeText("v");
  FireEvent(MakeLink<&TKXHub::doEvent>(hub, 1), sent);
  EXPECT_EQ(log, (std::vector<std::string>{"0:d", "1:v", "299:v"}));
  EXPECT_EQ(sent.text, "v");
}

TEST(IndexSwitch, selects_by_the_arriving_or_linked_index_and_fires_only_inside_its_count) {
  Source linked_index{MakeInteger(1)};
  const std::vector<std::tuple<TData, bool, std::string>> cases = {
      // With unlinked inputs the index consumes the arriving value, so the empty data follows;
      // a linked index leaves the arriving value to the data.
      {MakeInteger(2), false, "2:"}, {MakeInteger(0), false, "0:"},  {MakeInteger(4), false, ""},
      {MakeInteger(-1), false, ""},  {MakeText("3"), false, "3:"},   {MakeText("abc"), false, "0:"},
      {MakeText("payload"), true, "1:payload"},
  };
  for (const auto& [arriving, index_linked, expected] : cases) {
    std::vector<std::string> log;
    std::vector<Probe> outs;
    for (int k = 0; k < 4; ++k) outs.emplace_back(&log, std::to_string(k));
    TKXIndexToChanel sw;
    sw.SetCount(4);
    for (size_t k = 0; k < 4; ++k) sw.onEvent[k] = MakeLink<&Probe::doIt>(outs[k]);
    if (index_linked) sw.dataIndex = MakeLink<&Source::varValue>(linked_index);
    FireEvent(MakeLink<&TKXIndexToChanel::doEvent>(sw), TData(arriving));
    EXPECT_EQ(log, expected.empty() ? std::vector<std::string>{} : std::vector<std::string>{expected})
        << AsText(arriving);
  }
}

}  // namespace
