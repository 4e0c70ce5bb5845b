// Values, conversions and the calling rules, driven as elements drive them.
#include <tuple>

#include "runtime/runtime_fixture.h"

namespace {

// A pass-through element that forwards whatever arrives.
struct Passer {
  TEventLink onOut;
  void doIn(TData& v, uint16_t) { ForwardEvent(v, onOut, v); }
};

TEST(FireEvent, unlinked_outputs_do_nothing_and_leave_the_value_unmarked) {
  TData v = MakeInteger(3);
  FireEvent(TEventLink{}, v);
  Passer to_nowhere;
  FireEvent(MakeLink<&Passer::doIn>(to_nowhere), v);
  EXPECT_EQ(v.kind, KindInteger);
  EXPECT_EQ(v.integer, 3);
  EXPECT_EQ(v.next, nullptr);
}

TEST(FireEvent, a_forwarding_chain_of_200000_delivers_once_in_constant_stack_before_the_sender_goes_on) {
  std::vector<std::string> log;
  std::vector<Passer> chain(200000);
  Probe end(&log, "receiver");
  for (size_t i = 0; i + 1 < chain.size(); ++i) chain[i].onOut = MakeLink<&Passer::doIn>(chain[i + 1]);
  chain.back().onOut = MakeLink<&Probe::doIt>(end);
  FireEvent(MakeLink<&Passer::doIn>(chain[0]), std::string("x"));
  log.push_back("sender done");
  EXPECT_EQ(log, (std::vector<std::string>{"receiver:x", "sender done"}));
}

// Reads three inputs in order (text, number, unconverted value) and notes what each got.
struct Inputs {
  TEventLink dataText, dataNumber, dataValue;
  std::string text;
  int32_t number = 0;
  std::string got;
  void doWork(TData& v, uint16_t) {
    got = InputText(v, dataText, text) + "|";
    got += std::to_string(InputInteger(v, dataNumber, number)) + "|";
    TData value;
    InputValue(v, dataValue, TData{}, value);
    got += value.kind == KindReal ? "real " + AsText(value) : value.IsEmpty() ? "empty" : "other";
  }
};

TEST(DataInputRule, the_first_unlinked_input_with_an_empty_default_consumes_the_arriving_value) {
  Source linked{MakeText("linked")};
  const std::vector<std::tuple<bool, std::string, int32_t, TData, std::string>> cases = {
      // text input linked, text default, number default, arriving value, what the three inputs got
      {false, "", 0, MakeInteger(5), "5|0|empty"},
      {false, "prop", 0, MakeInteger(5), "prop|5|empty"},
      {false, "", 0, TData{}, "|0|empty"},
      {false, "prop", 1, MakeReal(2.5), "prop|1|real 2.5"},
      {true, "prop", 0, MakeInteger(7), "linked|7|empty"},
  };
  for (const auto& [text_linked, text, number, arriving, expected] : cases) {
    Inputs e;
    e.text = text;
    e.number = number;
    if (text_linked) e.dataText = MakeLink<&Source::varValue>(linked);
    FireEvent(MakeLink<&Inputs::doWork>(e), TData(arriving));
    EXPECT_EQ(e.got, expected);
  }
}

TEST(Conversions, follow_the_documented_table) {
  EXPECT_EQ(AsIndex(MakeText("0")), 0);
  EXPECT_EQ(AsIndex(MakeText("007")), 7);
  EXPECT_EQ(AsIndex(MakeText("x")), -1);
  EXPECT_EQ(AsIndex(TData{}), -1);
  EXPECT_EQ(AsInteger(MakeText("x")), 0);
  EXPECT_EQ(AsInteger(MakeText("4294967297")), 1);  // wraps
  EXPECT_EQ(AsInteger(MakeReal(2.5)), 2);
  EXPECT_EQ(AsInteger(MakeReal(3.5)), 4);
  EXPECT_EQ(AsText(MakeInteger(-42)), "-42");
  EXPECT_EQ(AsText(MakeReal(2.5)), "2.5");
  EXPECT_EQ(AsText(MakeReal(0.0)), "0");
  EXPECT_EQ(AsText(MakeReal(1.0 / 3)), "0.33333333333333");
  EXPECT_EQ(AsText(MakeArray(nullptr)), "");
  EXPECT_DOUBLE_EQ(AsReal(MakeText("1,5")), 15.0);
  EXPECT_DOUBLE_EQ(AsReal(MakeText("-2.5e2")), -250.0);
  EXPECT_DOUBLE_EQ(AsReal(MakeText("1.2.3")), 1.2);
  EXPECT_FALSE(AsTruth(MakeInteger(0)));
  EXPECT_TRUE(AsTruth(MakeText("0")));
  EXPECT_TRUE(AsTruth(TData{}));
}

}  // namespace
