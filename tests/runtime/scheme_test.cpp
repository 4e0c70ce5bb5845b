// Scheme elements and ports: crossing the boundary both ways, building nested schemes
// depth first, and freeing elements in creation order.
#include "runtime/do_data.h"
#include "runtime/memory.h"
#include "runtime/runtime_fixture.h"
#include "runtime/scheme.h"

namespace {

std::vector<std::string> g_log;

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

TEST(Scheme, events_and_reads_cross_the_boundary_by_index_and_stray_indexes_count_as_unlinked) {
  std::vector<std::string> log;
  Probe out0(&log, "out0");
  TKXMultiElement echo;
  echo.SetEventCount(1);  // the scheme's event output 1 and its data input 0 have nothing outside
  echo.onEvent[0] = MakeLink<&Probe::doIt>(out0);
  echo.SetScheme<EchoScheme>();
  for (uint16_t input : {0, 1, 7}) FireEvent(MakeLink<&TKXMultiElement::doWork>(echo, input), 5);
  EXPECT_EQ(log, (std::vector<std::string>{"out0:5"}));
  TData stored, unlinked = MakeInteger(1), stray = MakeInteger(1);
  PullData(MakeLink<&TKXMultiElement::varData>(echo, 0), stored);
  PullData(MakeLink<&TKXMultiElement::varData>(echo, 1), unlinked);
  PullData(MakeLink<&TKXMultiElement::varData>(echo, 9), stray);
  EXPECT_EQ(stored.integer, 5);
  EXPECT_TRUE(unlinked.IsEmpty() && stray.IsEmpty());
}

TEST(Scheme, a_lazy_scheme_builds_its_tree_depth_first_on_first_use_and_frees_it_in_creation_order) {
  g_log.clear();
  Probe out;
  {
    TKXMultiElement outer;
    outer.Lazy = 1;  // the inner echo is not lazy: it is built while the outer scheme is
    outer.SetEventCount(1);
    outer.onEvent[0] = MakeLink<&Probe::doIt>(out);
    outer.SetScheme<OuterScheme>();
    g_log.push_back("factory set");
    FireEvent(MakeLink<&TKXMultiElement::doWork>(outer, 0), std::string("deep"));
  }
  EXPECT_EQ(g_log, (std::vector<std::string>{"factory set", "build outer", "build echo", "outer wired", "free first",
                                             "free last"}));
  ASSERT_EQ(out.got.size(), 1u);
  EXPECT_EQ(out.got[0].text, "deep");
}

}  // namespace
