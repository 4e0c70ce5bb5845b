// Values, conversions and the calling rules, driven as elements drive them.
#include <gtest/gtest.h>

#include <vector>

#include "runtime/link.h"

namespace {

struct Probe {
  std::vector<TData> got;
  void doIt(TData& v, uint16_t) { got.push_back(v); }
};

// A pass-through element that forwards whatever arrives.
struct Passer {
  TEventLink onOut;
  void doIn(TData& v, uint16_t) { ForwardEvent(v, onOut, v); }
};

TEST(FireEvent, unlinked_output_does_nothing_and_leaves_the_value) {
  TEventLink none;
  TData v = MakeInteger(3);
  FireEvent(none, v);
  EXPECT_EQ(v.kind, KindInteger);
  EXPECT_EQ(v.integer, 3);
}

TEST(FireEvent, a_long_forwarding_chain_delivers_once_in_constant_stack) {
  std::vector<Passer> chain(200000);
  Probe probe;
  for (size_t i = 0; i + 1 < chain.size(); ++i) chain[i].onOut = MakeLink<&Passer::doIn>(chain[i + 1]);
  chain.back().onOut = MakeLink<&Probe::doIt>(probe);
  FireEvent(MakeLink<&Passer::doIn>(chain[0]), std::string("x"));
  ASSERT_EQ(probe.got.size(), 1u);
  EXPECT_EQ(probe.got[0].text, "x");
  EXPECT_EQ(probe.got[0].kind, KindString);
}

struct TwoInputs {
  TEventLink dataA, dataB;
  std::string a;
  int32_t b = -1;
  void doWork(TData& v, uint16_t) {
    a = InputText(v, dataA, "");
    b = InputInteger(v, dataB, 0);
  }
};

TEST(DataInputRule, first_unlinked_input_consumes_the_arriving_value) {
  TwoInputs e;
  FireEvent(MakeLink<&TwoInputs::doWork>(e), 5);
  EXPECT_EQ(e.a, "5");
  EXPECT_EQ(e.b, 0);
}

struct Source {
  void varText(TData& v, uint16_t) { v = MakeText("linked"); }
};

TEST(DataInputRule, linked_input_ignores_arriving_value_and_default) {
  TwoInputs e;
  Source s;
  e.dataA = MakeLink<&Source::varText>(s);
  FireEvent(MakeLink<&TwoInputs::doWork>(e), 7);
  EXPECT_EQ(e.a, "linked");
  EXPECT_EQ(e.b, 7);  // the arriving value is still there for the second input
}

TEST(Conversions, follow_the_documented_table) {
  EXPECT_EQ(AsIndex(MakeText("0")), 0);
  EXPECT_EQ(AsIndex(MakeText("007")), 7);
  EXPECT_EQ(AsIndex(MakeText("x")), -1);
  EXPECT_EQ(AsIndex(MakeText(" 1")), -1);
  EXPECT_EQ(AsIndex(TData{}), -1);
  EXPECT_EQ(AsInteger(MakeText("x")), 0);
  EXPECT_EQ(AsInteger(MakeText("12abc")), 12);
  EXPECT_EQ(AsInteger(MakeText("4294967297")), 1);  // wraps
  EXPECT_EQ(AsInteger(MakeReal(2.5)), 2);
  EXPECT_EQ(AsInteger(MakeReal(3.5)), 4);
  EXPECT_EQ(AsInteger(MakeReal(-2.5)), -2);
  EXPECT_EQ(AsText(MakeInteger(-42)), "-42");
  EXPECT_EQ(AsText(MakeReal(2.5)), "2.5");
  EXPECT_EQ(AsText(MakeReal(0.0)), "0");
  EXPECT_EQ(AsText(MakeReal(0.1)), "0.1");
  EXPECT_EQ(AsText(MakeReal(1.0 / 3)), "0.33333333333333");
  EXPECT_EQ(AsText(MakeReal(-0.00125)), "-0.00125");
  EXPECT_EQ(AsText(MakeReal(1e15)), "1000000000000000");
  EXPECT_EQ(AsText(MakeReal(20)), "20");
  EXPECT_EQ(AsText(MakeArray(nullptr)), "");
  EXPECT_DOUBLE_EQ(AsReal(MakeText("1,5")), 15.0);
  EXPECT_DOUBLE_EQ(AsReal(MakeText("-2.5e2")), -250.0);
  EXPECT_DOUBLE_EQ(AsReal(MakeText("1.2.3")), 1.2);
  EXPECT_DOUBLE_EQ(AsReal(MakeText("abc")), 0.0);
  EXPECT_FALSE(AsTruth(MakeInteger(0)));
  EXPECT_TRUE(AsTruth(MakeText("0")));
  EXPECT_TRUE(AsTruth(TData{}));
}

struct Defaults {
  TEventLink dataText, dataNumber, dataValue;
  std::string text = "prop";
  int32_t number = 0;
  std::string got_text;
  int32_t got_number = -1;
  TData got_value;
  void doWork(TData& v, uint16_t) {
    got_text = InputText(v, dataText, text);
    got_number = InputInteger(v, dataNumber, number);
    InputValue(v, dataValue, TData{}, got_value);
  }
};

TEST(DataInputRule, a_non_empty_default_leaves_the_arriving_value_to_the_next_input) {
  Defaults e;
  FireEvent(MakeLink<&Defaults::doWork>(e), 5);
  EXPECT_EQ(e.got_text, "prop");
  EXPECT_EQ(e.got_number, 5);
  EXPECT_TRUE(e.got_value.IsEmpty());  // consumed by the number
}

TEST(DataInputRule, an_empty_arriving_value_yields_the_defaults) {
  Defaults e;
  e.text.clear();
  FireEvent(MakeLink<&Defaults::doWork>(e));
  EXPECT_EQ(e.got_text, "");
  EXPECT_EQ(e.got_number, 0);
  EXPECT_TRUE(e.got_value.IsEmpty());
}

TEST(DataInputRule, an_unlinked_value_input_takes_the_arriving_value_unconverted) {
  Defaults e;
  e.number = 1;
  FireEvent(MakeLink<&Defaults::doWork>(e), 2.5);
  EXPECT_EQ(e.got_number, 1);
  EXPECT_EQ(e.got_value.kind, KindReal);
  EXPECT_DOUBLE_EQ(e.got_value.real, 2.5);
}

// Logs when it starts and finishes, so that the order of nested calls can be checked.
struct Logger {
  std::vector<std::string>* log;
  void doIt(TData& v, uint16_t) { log->push_back("receiver " + AsText(v)); }
};

struct Sender {
  std::vector<std::string>* log;
  TEventLink onOut;
  void Send() {
    FireEvent(onOut, 9);
    log->push_back("sender done");
  }
};

TEST(Forwarding, the_sender_goes_on_only_after_the_final_receiver_has_finished) {
  std::vector<std::string> log;
  Passer a, b;
  Logger end{&log};
  Sender sender{&log, MakeLink<&Passer::doIn>(a)};
  a.onOut = MakeLink<&Passer::doIn>(b);
  b.onOut = MakeLink<&Logger::doIt>(end);
  sender.Send();
  EXPECT_EQ(log, (std::vector<std::string>{"receiver 9", "sender done"}));
}

TEST(Forwarding, to_an_unlinked_output_ends_quietly_and_clears_the_mark) {
  Passer a;
  TData v = MakeInteger(4);
  FireEvent(MakeLink<&Passer::doIn>(a), v);
  EXPECT_EQ(v.kind, KindInteger);
  EXPECT_EQ(v.next, nullptr);
}

}  // namespace
