// The never-block rules: a line spares the record equal to it as stored, a "*." line a
// domain with every name below it, as resolvers compare names.
#include "targets/common/never_block.h"

#include <gtest/gtest.h>

namespace {

const std::vector<std::string> kLines{
    "www.shop.example", "*.example.com",
    "Site.com",         "*.\xD0\x9F\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80.\xD1\x80\xD1\x84",
    "*.xn--caf-dma.fr", "*.",
    "  *.spaced.org  ", "*.www.example.com",
    "*.EXAMPLE.NET",    "a.*.example.org"};

TEST(NeverBlock, spares_a_record_by_its_line_or_by_the_nearest_whole_domain) {
  const NeverBlock rules{std::vector<std::string>(kLines)};
  struct Case {
    const char* record;
    const char* line;  // nullptr: not spared
    bool whole_domain;
  };
  const Case cases[] = {
      {"www.shop.example", "www.shop.example", false},
      {"shop.example", nullptr, false},
      {"a.www.shop.example", nullptr, false},  // a line without "*." spares its name alone
      {"example.com", "*.example.com", true},
      {"a.b.example.com", "*.example.com", true},
      {"www.example.com", "*.www.example.com", true},  // the nearest domain
      {"ads.example.com/banner", "*.example.com", true},
      {"example.com.evil.net", nullptr, false},
      {"notexample.com", nullptr, false},
      {"site.com", nullptr, false},  // compared as the line is stored
      {"Site.com", "Site.com", false},
      {"example.net", "*.EXAMPLE.NET", true},  // names in either case
      {"www.\xD0\xBF\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80.\xD1\x80\xD1\x84",
       "*.\xD0\x9F\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80.\xD1\x80\xD1\x84", true},
      {"xn--e1afmkfd.xn--p1ai", "*.\xD0\x9F\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80.\xD1\x80\xD1\x84", true},
      {"caf\xC3\xA9.fr", "*.xn--caf-dma.fr", true},  // Unicode against A-labels
      {"spaced.org", "  *.spaced.org  ", true},
      {"*.", "*.", false},  // no domain: a line like any other
      {"b.example.org", nullptr, false},
      {"", nullptr, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.record);
    const std::optional<NeverBlockRule> rule = rules.Spares(c.record);
    ASSERT_EQ(rule.has_value(), c.line != nullptr);
    if (!rule) continue;
    EXPECT_EQ(rule->line, c.line);
    EXPECT_EQ(rule->whole_domain, c.whole_domain);
  }
}

TEST(NeverBlock, tells_every_rule_that_spares_a_record_and_removes_the_spared_records_in_order) {
  const NeverBlock rules{std::vector<std::string>(kLines)};
  const std::vector<NeverBlockRule> every = rules.EveryRule("a.www.example.com");
  ASSERT_EQ(every.size(), 2u);
  EXPECT_EQ(every[0].line, "*.www.example.com");
  EXPECT_EQ(every[1].line, "*.example.com");
  EXPECT_TRUE(rules.EveryRule("shop.example").empty());

  RecordList records{"ads.example.net", "www.shop.example", "tracker.org",  "x.example.com",
                     "site.com",        "www.shop.example", "b.example.org"};
  rules.RemoveSpared(records);
  EXPECT_EQ(records, (std::vector<std::string>{"tracker.org", "site.com", "b.example.org"}));
  NeverBlock().RemoveSpared(records);
  EXPECT_EQ(records.size(), 3u);
}

}  // namespace
