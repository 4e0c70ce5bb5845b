// Reading published block lists: which lines give which records, and what a whole list
// gives against the records the lists already hold.
#include <gtest/gtest.h>

#include "lists/web_list.h"

namespace {

using Lines = std::vector<std::string>;

Lines RecordsOf(const std::string& line) {
  Lines records;
  AppendLineRecords(line, records);
  return records;
}

TEST(WebList, each_kind_of_line_gives_its_hosts_and_nothing_else) {
  const struct Case {
    const char* line;
    Lines records;
  } cases[] = {
      // Comments and headers.
      {"", {}},
      {"   \t ", {}},
      {"# 0.0.0.0 ads.example.com", {}},
      {"! Title: EasyList", {}},
      {"[Adblock Plus 2.0]", {}},
      {"  #ads.example.com", {}},
      // Hosts lines: the address first, then names up to a "#"; every name a host name.
      {"0.0.0.0 ads.example.com", {"ads.example.com"}},
      {"127.0.0.1\tAds.Example.COM  tracker.example.net # both", {"ads.example.com", "tracker.example.net"}},
      {"0.0.0.0 a.example.com#comment b.example.com", {"a.example.com"}},
      {"::1 ip6.example.org", {"ip6.example.org"}},
      {"fe80::1%lo0 ads.example.com", {"ads.example.com"}},
      {"::ffff:10.0.0.1 ads.example.com", {"ads.example.com"}},
      {"127.0.0.1 localhost", {}},
      {"127.0.0.1 localhost.localdomain", {}},
      {"::1 localhost ip6-localhost ip6-loopback", {}},
      {"255.255.255.255 broadcasthost", {}},
      {"0.0.0.0 0.0.0.0", {}},
      {"0.0.0.0 10.1.2.3", {"10.1.2.3"}},
      {"0.0.0.0 bad_-.example.com good.example.com", {"good.example.com"}},
      {"256.0.0.1 ads.example.com", {}},
      {"ads.example.com 0.0.0.0", {}},
      {"0.0.0.0", {}},
      {"0.0.0.0 # only a comment", {}},
      {"1:2:3:4:5:6:7 ads.example.com", {}},
      {"1:2:3:4:5:6:7:8 ads.example.com", {"ads.example.com"}},
      {"1::2::3 ads.example.com", {}},
      // Filter-list rules: only a block of a whole host.
      {"||ads.example.com^", {"ads.example.com"}},
      {"||Ads.Example.com^$important", {"ads.example.com"}},
      {"||ads.example.com^$document,important", {"ads.example.com"}},
      {"||ads.example.com^$all", {"ads.example.com"}},
      {"||ads.example.com^$doc", {"ads.example.com"}},
      {"||ads.example.com^$third-party", {}},
      {"||ads.example.com^$important,script", {}},
      {"||ads.example.com^$", {}},
      {"||ads.example.com^|", {}},
      {"||ads.example.com/banner^", {}},
      {"||*.example.com^", {}},
      {"||ads.example.com", {}},
      {"@@||ads.example.com^", {}},
      {"example.com##.banner", {}},
      {"/banner/*/ad_", {}},
      {"|https://ads.example.com^", {}},
      // Plain lines: a host name alone, or a web address.
      {"ads.example.com", {"ads.example.com"}},
      {"  Tracker.Example.NET  ", {"tracker.example.net"}},
      {"https://Ads.Example.com/banner?id=7", {"ads.example.com"}},
      {"http://ads.example.com:8080/x", {"ads.example.com"}},
      {"http://ads.example.com:/x", {}},
      {"http://user@ads.example.com/", {}},
      {"://ads.example.com", {}},
      {"1http://ads.example.com", {}},
      {"10.0.0.1", {"10.0.0.1"}},
      {"localhost", {}},
      {"com", {}},
      {"example.com.", {}},
      {".example.com", {}},
      {"ex..ample.com", {}},
      {"-ads.example.com", {}},
      {"ads-.example.com", {}},
      {"a-d_s.example.com", {"a-d_s.example.com"}},
      {"20231201.1", {}},
      {"1.2.3", {}},
      {"1.2.3.4.5", {}},
      // Internationalised names: letters of any script, lower-cased as UTF-8.
      {"\xD0\x9F\xD0\xA0\xD0\x98\xD0\x9C\xD0\x95\xD0\xA0.\xD0\xA0\xD0\xA4",
       {"\xD0\xBF\xD1\x80\xD0\xB8\xD0\xBC\xD0\xB5\xD1\x80.\xD1\x80\xD1\x84"}},
      {"0.0.0.0 caf\xC3\x89.fr", {"caf\xC3\xA9.fr"}},
      {"\xE0\xA4\xB9\xE0\xA4\xBF\xE0\xA4\xA8\xE0\xA5\x8D\xE0\xA4\xA6\xE0\xA5\x80.example", {
           "\xE0\xA4\xB9\xE0\xA4\xBF\xE0\xA4\xA8\xE0\xA5\x8D\xE0\xA4\xA6\xE0\xA5\x80.example"}},
      // No letters: a symbol, a full-width dot, Windows-1251 bytes, broken UTF-8.
      {"ads\xE2\x82\xAC.example.com", {}},
      {"ads\xEF\xBC\x8E" "example.com", {}},
      {"\xEF\xF0\xE8\xEC\xE5\xF0.\xF0\xF4", {}},
      {"ads\xC3.example.com", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(RecordsOf(c.line), c.records) << ::testing::PrintToString(c.line);
}

TEST(WebList, a_list_offers_each_new_record_once_in_file_order_and_counts_the_known_and_the_skipped) {
  const Lines known_records{"known.example.com", "10.0.0.1"};
  const RecordIndex known(known_records);
  const WebListReading reading = ReadWebList(
      {
          "# hosts part",
          "0.0.0.0 b.example.com known.example.com",
          "||a.example.com^",
          "||B.example.com^",  // again, in another case and another syntax
          "127.0.0.1 localhost",
          "",
          "known.example.com",
          "http://10.0.0.1/x",
          "c.example.com",
      },
      known);
  EXPECT_EQ(reading.records, (Lines{"b.example.com", "a.example.com", "c.example.com"}));
  EXPECT_EQ(reading.known, 2u) << "each known record once, however often the file names it";
  EXPECT_EQ(reading.skipped, 3u) << "the comment, localhost and the empty line";
  EXPECT_EQ(WebListSummary(reading), "3 new, 2 known, 3 skipped");
}

}  // namespace
