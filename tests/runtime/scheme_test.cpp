// Scheme elements and ports: the edges the scenarios cannot reach (stray indexes, build and
// free order).
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

// Input 0 stores the value and sends it out on event output 0; readable output 0 yields it.
struct EchoScheme : TScheme {
  TKXMemory& memory = New<TKXMemory>();

  explicit EchoScheme(TKXWin* parent) : TScheme(parent) {
    g_log.push_back("build echo");
    memory.onData = MakeLink<&TKXEditMulti::doEvent>(Port, 0);
    Port.SetInputCount(1);
    Port.SetVarCount(2);
    Port.onInput[0] = MakeLink<&TKXMemory::doValue>(memory);
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

// The inner echo is not lazy: it is built while the lazy outer scheme is. Stray indexes count
// as unlinked.
TEST(Scheme, a_lazy_scheme_builds_its_tree_depth_first_on_first_use_and_frees_it_in_creation_order) {
  g_log.clear();
  std::vector<std::string> log;
  Probe out(&log, "out");
  {
    TKXMultiElement outer;
    outer.Lazy = 1;
    outer.SetEventCount(1);
    outer.onEvent[0] = MakeLink<&Probe::doIt>(out);
    outer.SetScheme<OuterScheme>();
    g_log.push_back("factory set");
    for (uint16_t input : {0, 7}) FireEvent(MakeLink<&TKXMultiElement::doWork>(outer, input), std::string("deep"));
    TKXMultiElement& echo = static_cast<OuterScheme*>(outer.Scheme())->inner;
    TData stored, unlinked = MakeInteger(1), stray = MakeInteger(1);
    PullData(MakeLink<&TKXMultiElement::varData>(echo, 0), stored);
    PullData(MakeLink<&TKXMultiElement::varData>(echo, 1), unlinked);
    PullData(MakeLink<&TKXMultiElement::varData>(echo, 9), stray);
    EXPECT_EQ(stored.text, "deep");
    EXPECT_TRUE(unlinked.IsEmpty() && stray.IsEmpty());
  }
  EXPECT_EQ(g_log, (std::vector<std::string>{"factory set", "build outer", "build echo", "outer wired", "free first",
                                             "free last"}));
  EXPECT_EQ(log, (std::vector<std::string>{"out:deep"}));
}

}  // namespace
