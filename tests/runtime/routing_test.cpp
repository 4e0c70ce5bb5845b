// The index switch (the hub runs in every scenario).
#include <tuple>

#include "runtime/index_to_chanel.h"
#include "runtime/runtime_fixture.h"

namespace {

TEST(IndexSwitch, selects_by_the_arriving_or_linked_index_and_fires_only_inside_its_count) {
  Source linked_index{MakeInteger(1)};
  const std::vector<std::tuple<TData, bool, std::string>> cases = {
      // An unlinked index consumes the arriving value; a linked one leaves it to the data.
      {MakeInteger(3), false, "3:"},
      {MakeInteger(4), false, ""},
      {MakeInteger(-1), false, ""},
      {MakeText("abc"), false, "0:"},
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
