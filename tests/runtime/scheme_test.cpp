// Scheme elements and ports: crossing the boundary both ways, building nested schemes
// depth first, and freeing elements in creation order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/do_data.h"
#include "runtime/memory.h"
#include "runtime/scheme.h"

namespace {

std::vector<std::string> g_log;

struct Probe {
  std::vector<TData> got;
  void doIt(TData& v, uint16_t) { got.push_back(v); }
};

struct Source {
  void varText(TData& v, uint16_t) { v = MakeText("from parent"); }
};

// Logs its name when freed.
struct Tracer : TKXObject {
  std::string name;
  explicit Tracer(std::string n) : name(std::move(n)) {}
  ~Tracer() override { g_log.push_back("free " + name); }
};

// Input 0 stores the value and sends it out again on event output 0; readable output 0
// yields the stored value; input 1 reads the scheme's data input 0 and sends it out on
// event output 1. Readable output 1 is left unlinked.
struct EchoScheme : TScheme {
  TKXMemory& memory = New<TKXMemory>();
  TKXDoData& reader = New<TKXDoData>();

  explicit EchoScheme(TKXWin* parent) : TScheme(parent) {
    g_log.push_back("build echo");
    memory.onData = MakeLink<&TKXEditMulti::doEvent>(Port, 0);
    reader.dataData = MakeLink<&TKXEditMulti::varGet>(Port, 0);
    reader.onEventData = MakeLink<&TKXEditMulti::doEvent>(Port, 1);
    Port.SetInputCount(2);
    Port.SetVarCount(2);
    Port.onInput[0] = MakeLink<&TKXMemory::doValue>(memory);
    Port.onInput[1] = MakeLink<&TKXDoData::doData>(reader);
    Port.dataVar[0] = MakeLink<&TKXMemory::varValue>(memory);
  }
};

// Holds an echo scheme and passes its input 0 and event output 0 straight through.
struct OuterScheme : TScheme {
  Tracer& first = New<Tracer>("first");
  TKXMultiElement& inner = New<TKXMultiElement>();
  Tracer& last = New<Tracer>("last");

  explicit OuterScheme(TKXWin* parent) : TScheme(parent) {
    g_log.push_back("build outer");
    inner.SetEventCount(1);
    inner.onEvent[0] = MakeLink<&TKXEditMulti::doEvent>(Port, 0);
    inner.SetScheme<EchoScheme>();
    g_log.push_back("outer wired");
    Port.SetInputCount(1);
    Port.onInput[0] = MakeLink<&TKXMultiElement::doWork>(inner, 0);
  }
};

struct SchemeTest : ::testing::Test {
  void SetUp() override { g_log.clear(); }
};

TEST_F(SchemeTest, an_event_crosses_into_the_scheme_and_back_out_by_its_index) {
  Probe out0, out1;
  Source source;
  TKXMultiElement echo;
  echo.SetEventCount(2);
  echo.SetDataCount(1);
  echo.onEvent[0] = MakeLink<&Probe::doIt>(out0);
  echo.onEvent[1] = MakeLink<&Probe::doIt>(out1);
  echo.dataData[0] = MakeLink<&Source::varText>(source);
  echo.SetScheme<EchoScheme>();
  ASSERT_NE(echo.ChildPort(), nullptr);
  EXPECT_EQ(echo.ChildPort()->Owner(), &echo);

  FireEvent(MakeLink<&TKXMultiElement::doWork>(echo, 0), 5);
  FireEvent(MakeLink<&TKXMultiElement::doWork>(echo, 1));
  ASSERT_EQ(out0.got.size(), 1u);
  EXPECT_EQ(out0.got[0].integer, 5);
  ASSERT_EQ(out1.got.size(), 1u);
  EXPECT_EQ(out1.got[0].text, "from parent");

  TData stored, unlinked = MakeInteger(1);
  PullData(MakeLink<&TKXMultiElement::varData>(echo, 0), stored);
  PullData(MakeLink<&TKXMultiElement::varData>(echo, 1), unlinked);
  EXPECT_EQ(stored.integer, 5);
  EXPECT_TRUE(unlinked.IsEmpty());
}

TEST_F(SchemeTest, indexes_beyond_the_arrays_count_as_unlinked) {
  TKXMultiElement echo;  // no event outputs, no data inputs towards the parent
  echo.SetScheme<EchoScheme>();
  FireEvent(MakeLink<&TKXMultiElement::doWork>(echo, 0), 1);  // inner output 0 leads nowhere
  FireEvent(MakeLink<&TKXMultiElement::doWork>(echo, 1), 1);  // reads data input 0, which does not exist
  FireEvent(MakeLink<&TKXMultiElement::doWork>(echo, 7), 1);
  TData v = MakeInteger(1);
  echo.varData(v, 9);
  EXPECT_TRUE(v.IsEmpty());
  TKXEditMulti orphan;
  TData w = MakeInteger(1);
  orphan.doEvent(w, 0);
  orphan.varGet(w, 0);
  EXPECT_TRUE(w.IsEmpty());
}

TEST_F(SchemeTest, nested_schemes_are_built_depth_first_when_the_factory_is_set) {
  TKXMultiElement outer;
  outer.SetScheme<OuterScheme>();
  EXPECT_EQ(g_log, (std::vector<std::string>{"build outer", "build echo", "outer wired"}));
}

TEST_F(SchemeTest, an_event_crosses_two_levels_both_ways) {
  Probe out;
  TKXMultiElement outer;
  outer.SetEventCount(1);
  outer.onEvent[0] = MakeLink<&Probe::doIt>(out);
  outer.SetScheme<OuterScheme>();
  FireEvent(MakeLink<&TKXMultiElement::doWork>(outer, 0), std::string("deep"));
  ASSERT_EQ(out.got.size(), 1u);
  EXPECT_EQ(out.got[0].text, "deep");
}

TEST_F(SchemeTest, a_lazy_scheme_element_builds_on_first_use) {
  Probe out;
  TKXMultiElement echo;
  echo.Lazy = 1;
  echo.SetEventCount(1);
  echo.onEvent[0] = MakeLink<&Probe::doIt>(out);
  echo.SetScheme<EchoScheme>();
  EXPECT_EQ(echo.Scheme(), nullptr);
  FireEvent(MakeLink<&TKXMultiElement::doWork>(echo, 0), 3);
  EXPECT_NE(echo.Scheme(), nullptr);
  ASSERT_EQ(out.got.size(), 1u);
}

TEST_F(SchemeTest, a_scheme_element_frees_its_scheme_and_the_scheme_its_elements_in_creation_order) {
  {
    TKXMultiElement outer;
    outer.SetScheme<OuterScheme>();
    g_log.clear();
  }
  EXPECT_EQ(g_log, (std::vector<std::string>{"free first", "free last"}));
}

TEST_F(SchemeTest, the_factory_gets_its_argument_and_a_panel_schemes_parent_control) {
  static void* seen_argument = nullptr;
  static TKXWin* seen_parent = nullptr;
  auto* fake_parent = reinterpret_cast<TKXWin*>(&g_log);  // never dereferenced
  TKXChildPanel panel(fake_parent);
  int argument = 0;
  panel.SetFactory(
      [](void* arg, TKXWin* parent) -> std::unique_ptr<TScheme> {
        seen_argument = arg;
        seen_parent = parent;
        return std::make_unique<EchoScheme>(parent);
      },
      &argument);
  EXPECT_EQ(seen_argument, &argument);
  EXPECT_EQ(seen_parent, fake_parent);
  EXPECT_EQ(panel.Scheme()->ParentControl(), fake_parent);
}

}  // namespace
