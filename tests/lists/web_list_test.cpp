// Reading published block lists: which lines give which records. fuzz/web_list_fuzz.cpp
// compares whole lists, the known and the skipped with the step-by-step rules.
#include <gtest/gtest.h>

#include "lists/web_list.h"

namespace {

using Lines = std::vector<std::string>;

TEST(WebList, each_kind_of_line_gives_its_hosts_and_nothing_else) {
  const struct Case {
    std::string line;
    Lines records;
  } cases[] = {
      // Comments and headers.
      {"", {}},
      {"# 0.0.0.0 ads.example.com", {}},
      {"! Title: EasyList", {}},
      {"[Adblock Plus 2.0]", {}},
      // Hosts lines: the address first, then names up to a "#"; every name a host name.
      {"127.0.0.1\tAds.Example.COM  tracker.example.net # both", {"ads.example.com", "tracker.example.net"}},
      {"0.0.0.0 a.example.com#comment b.example.com", {"a.example.com"}},
      {"fe80::1%lo0 ads.example.com", {"ads.example.com"}},
      {"::ffff:10.0.0.1 ads.example.com", {"ads.example.com"}},
      {"127.0.0.1 localhost", {}},
      {"127.0.0.1 localhost.localdomain", {}},
      {"0.0.0.0 0.0.0.0", {}},
      {"0.0.0.0 10.1.2.3", {"10.1.2.3"}},
      {"0.0.0.0 bad_-.example.com good.example.com", {"good.example.com"}},
      {"256.0.0.1 ads.example.com", {}},
      {"ads.example.com 0.0.0.0", {}},
      {"1:2:3:4:5:6:7 ads.example.com", {}},
      {"1:2:3:4:5:6:7:8 ads.example.com", {"ads.example.com"}},
      {"1::2::3 ads.example.com", {}},
      // Filter-list rules: only a block of a whole host.
      {"||ads.example.com^", {"ads.example.com"}},
      {"||Ads.Example.com^$document,important", {"ads.example.com"}},
      {"||ads.example.com^$third-party", {}},
      {"||ads.example.com^$important,script", {}},
      {"||ads.example.com^|", {}},
      {"||ads.example.com/banner^", {}},
      {"||ads.example.com", {}},
      {"@@||ads.example.com^", {}},
      {"example.com##.banner", {}},
      {"|https://ads.example.com^", {}},
      // Plain lines: a host name alone, or a web address.
      {"ads.example.com", {"ads.example.com"}},
      {"  Tracker.Example.NET  ", {"tracker.example.net"}},
      {"https://Ads.Example.com/banner?id=7", {"ads.example.com"}},
      {"http://ads.example.com:8080/x", {"ads.example.com"}},
      {"http://ads.example.com:/x", {}},
      {"http://user@ads.example.com/", {}},
      {"example.com.", {}},
      {"-ads.example.com", {}},
      {"a-d_s.example.com", {"a-d_s.example.com"}},
      {"20231201.1", {}},
      // Names the DNS can hold: labels of 63 bytes at most, 253 in all (in ASCII form).
      {"0.0.0.0 " + std::string(63, 'a') + ".example.com", {std::string(63, 'a') + ".example.com"}},
      {"0.0.0.0 " + std::string(64, 'a') + ".example.com", {}},
      {std::string(50, 'b') + "." + std::string(50, 'b') + "." + std::string(50, 'b') + "." + std::string(50, 'b') +
           "." + std::string(50, 'b') + ".com",
       {}},
      {"\xD0\xBF" + std::string(70, 'a') + ".example", {}},
      // Internationalised names: letters of any script, lower-cased as UTF-8.
      {"\xD0\x9F\xD0\xA0\xD0\x98\xD0\x9C\xD0\x95\xD0\xA0.\xD0\xA0\xD0\xA4",
       {"\xD0\xBF\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80.\xD1\x80\xD1\x84"}},
      {"\xE0\xA4\xB9\xE0\xA4\xBF\xE0\xA4\xA8\xE0\xA5\x8D\xE0\xA4\xA6\xE0\xA5\x80.example",
       {"\xE0\xA4\xB9\xE0\xA4\xBF\xE0\xA4\xA8\xE0\xA5\x8D\xE0\xA4\xA6\xE0\xA5\x80.example"}},
      // No letters: a symbol, a full-width dot, Windows-1251 bytes.
      {"ads\xE2\x82\xAC.example.com", {}},
      {"ads\xEF\xBC\x8E"
       "example.com",
       {}},
      {"\xEF\xF0\xE8\xEC\xE5\xF0.\xF0\xF4", {}},
  };
  for (const Case& c : cases) {
    RecordList records;
    AppendLineRecords(c.line, records);
    EXPECT_EQ(records, c.records) << ::testing::PrintToString(c.line);
  }
}

// "Skipped" counts the lines that could have named a host and gave nothing, not the lines
// that name none: blanks, comments, headers and a hosts file's lines for the machine itself.
TEST(WebList, a_line_that_gives_nothing_is_skipped_only_when_it_could_have_named_a_host) {
  const struct Case {
    const char* line;
    bool names_no_host;
  } cases[] = {
      {"", true},
      {" \t ", true},
      {"# 0.0.0.0 ads.example.com", true},
      {"! Title: EasyList", true},
      {"[Adblock Plus 2.0]", true},
      {"127.0.0.1 localhost", true},
      {"127.0.0.1\tLOCALHOST # the machine", true},
      {"::1 localhost ip6-localhost ip6-loopback", true},
      {"255.255.255.255 broadcasthost", true},
      {"127.0.0.1 localhost.localdomain", true},
      {"0.0.0.0 0.0.0.0", true},
      {"127.0.0.1 localhost bad..example.com", false},
      {"0.0.0.0 bad_-.example.com", false},
      {"127.0.0.1 # nothing after the address", false},
      {"256.0.0.1 localhost", false},
      {"localhost", false},
      {"@@||good.example.com^", false},
      {"example.com##.banner", false},
      {"||ads.example.com^$third-party", false},
      {"||ads.example.com/banner^", false},
      {"|| localhost ^", false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NamesNoHost(c.line), c.names_no_host) << ::testing::PrintToString(c.line);
    RecordList records;
    EXPECT_EQ(AppendLineRecords(c.line, records), 0u) << ::testing::PrintToString(c.line);
  }
}

}  // namespace
