// Values, conversions and the calling rules (the data input rule: the element tests).
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
