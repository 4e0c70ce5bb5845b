// Values, conversions and the calling rules, driven as elements drive them.
#include <tuple>

#include "runtime/runtime_fixture.h"

namespace {

// A pass-through element that forwards whatever arrives.
struct Passer {
  TEventLink onOut;
  void doIn(TData& v, uint16_t) { ForwardEvent(v, onOut, v); }
};

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
  // Indexes: -1 for no index; integers: 4294967297 wraps, halves go to even.
  EXPECT_EQ((std::vector<int32_t>{AsIndex(MakeText("0")), AsIndex(MakeText("007")), AsIndex(MakeText("x")),
                                  AsIndex(TData{}), AsInteger(MakeText("x")), AsInteger(MakeText("4294967297")),
                                  AsInteger(MakeReal(2.5)), AsInteger(MakeReal(3.5))}),
            (std::vector<int32_t>{0, 7, -1, -1, 0, 1, 2, 4}));
  EXPECT_EQ((std::vector<std::string>{AsText(MakeInteger(-42)), AsText(MakeReal(2.5)), AsText(MakeReal(0.0)),
                                      AsText(MakeReal(1.0 / 3)), AsText(MakeArray(nullptr))}),
            (std::vector<std::string>{"-42", "2.5", "0", "0.33333333333333", ""}));
  EXPECT_EQ((std::vector<double>{AsReal(MakeText("1,5")), AsReal(MakeText("-2.5e2")), AsReal(MakeText("1.2.3"))}),
            (std::vector<double>{15.0, -250.0, 1.2}));
  EXPECT_EQ((std::vector<bool>{AsTruth(MakeInteger(0)), AsTruth(MakeText("0")), AsTruth(TData{})}),
            (std::vector<bool>{false, true, true}));
}

}  // namespace
