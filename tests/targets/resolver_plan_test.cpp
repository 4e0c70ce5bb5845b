// What a resolver file holds for names to block and names never to block below them: the
// exceptions each format writes, the domain list's way without them, and compress.
#include "targets/resolvers/resolver_plan.h"

#include <gtest/gtest.h>

namespace {

// shop.example is blocked with a name below it; www.shop.example is never to block, and so is
// kept.shop.example with the names below it; tracker.net blocks a.tracker.net twice.
const std::vector<std::string_view> kNames{"shop.example", "ads.www.shop.example", "tracker.net", "a.tracker.net",
                                           "b.a.tracker.net"};
const std::vector<TSparedName> kSpared{{"www.shop.example", false},  {"kept.shop.example", true},
                                       {"example.com", true},   // nothing above it is blocked
                                       {"tracker.net", false},  // blocked all the same
                                       {"kept.shop.example", false}, {"www.shop.example", false}};

struct Written {
  std::vector<std::string> blocked;     // "!" in front: written below an exception
  std::vector<std::string> exceptions;  // "*" in front: the whole domain
  std::vector<std::string_view> above_exception;
  size_t covered = 0;
};

Written Of(const TResolverPlan& plan) {
  Written w;
  for (const auto& entry : plan.blocked)
    w.blocked.push_back((entry.below_exception ? "!" : "") + std::string(kNames[entry.name]));
  for (const auto& spared : plan.exceptions) w.exceptions.push_back((spared.whole_domain ? "*" : "") + spared.name);
  for (uint32_t at : plan.above_exception) w.above_exception.push_back(kNames[at]);
  w.covered = plan.covered;
  return w;
}

TEST(ResolverPlan, writes_the_exceptions_below_blocked_names_and_leaves_out_what_compress_and_the_domain_list_must) {
  using V = std::vector<std::string_view>;
  using S = std::vector<std::string>;
  const S all(kNames.begin(), kNames.end());
  struct Case {
    TargetId format;
    bool compress;
    Written written;
  };
  const Case cases[] = {
      {TargetId::Dnsmasq, false, {all, S{"www.shop.example", "*kept.shop.example"}, {}, 0}},
      {TargetId::Rpz, false, {all, S{"www.shop.example", "*kept.shop.example"}, {}, 0}},
      // A name below an exception stays with compress: the exception would spare it.
      {TargetId::Unbound,
       true,
       {S{"shop.example", "!ads.www.shop.example", "tracker.net"}, S{"www.shop.example", "*kept.shop.example"}, {}, 2}},
      {TargetId::Adblock,
       false,
       {S{"shop.example", "!ads.www.shop.example", "tracker.net", "a.tracker.net", "b.a.tracker.net"},
        S{"www.shop.example", "*kept.shop.example"},
        {},
        0}},
      {TargetId::Adblock,
       true,
       {S{"shop.example", "!ads.www.shop.example", "tracker.net"}, S{"www.shop.example", "*kept.shop.example"}, {}, 2}},
      // No exception in a domain list: the name above them goes, compress or not.
      {TargetId::Domains,
       true,
       {S{"ads.www.shop.example", "tracker.net", "a.tracker.net", "b.a.tracker.net"}, S{}, V{"shop.example"}, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(Info(c.format).name) + (c.compress ? " compressed" : ""));
    const Written w = Of(PlanResolverFile(c.format, kNames, kSpared, c.compress));
    EXPECT_EQ(w.blocked, c.written.blocked);
    EXPECT_EQ(w.exceptions, c.written.exceptions);
    EXPECT_EQ(w.above_exception, c.written.above_exception);
    EXPECT_EQ(w.covered, c.written.covered);
  }
  // Without rules and without compress every name is written, as it comes.
  EXPECT_EQ(Of(PlanResolverFile(TargetId::Dnsmasq, kNames, {}, false)).blocked, all);
}

}  // namespace
