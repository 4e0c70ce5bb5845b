// A web list read as its bytes come: the same records, counts and refusals wherever the
// pieces are cut, and the same as the step-by-step reading of the rules
// (literal_web_list.h), which fuzz/web_list_fuzz.cpp compares on any bytes.
#include <gtest/gtest.h>

#include "lists/web_list_reader.h"
#include "runtime/lines.h"
#include "tests/lists/literal_web_list.h"

namespace {

using namespace std::string_literals;
using Source = WebListReader::Source;

struct Outcome {
  std::string refused;
  std::vector<std::string> records;
  size_t repeated = 0, skipped = 0;
};

// The list fed in the pieces `cuts` marks (the offsets where a new piece starts).
Outcome Read(const std::string& bytes, const std::vector<size_t>& cuts, Source source, WebListLimits limits) {
  WebListReader reader(source, limits);
  bool going = true;
  size_t from = 0;
  for (size_t i = 0; going && i <= cuts.size(); ++i) {
    const size_t to = i < cuts.size() ? cuts[i] : bytes.size();
    going = reader.Feed(std::string_view(bytes).substr(from, to - from));
    from = to;
  }
  if (going) reader.End();
  Outcome outcome;
  if (reader.Refused()) outcome.refused = reader.Refused()->Text();
  WebListReading reading = reader.Take();
  outcome.records = reading.records.Strings();
  outcome.repeated = reading.repeated;
  outcome.skipped = reading.skipped;
  return outcome;
}

void ExpectEveryCutAlike(const std::string& bytes, Source source, WebListLimits limits, const Outcome& want) {
  const auto same = [&](const Outcome& got, const std::string& how) {
    EXPECT_EQ(got.refused, want.refused) << how;
    EXPECT_EQ(got.records, want.refused.empty() ? want.records : std::vector<std::string>{}) << how;
    if (want.refused.empty()) {
      EXPECT_EQ(got.repeated, want.repeated) << how;
      EXPECT_EQ(got.skipped, want.skipped) << how;
    }
  };
  same(Read(bytes, {}, source, limits), "whole");
  for (size_t cut = 0; cut <= bytes.size(); ++cut)
    same(Read(bytes, {cut}, source, limits), "cut at " + std::to_string(cut));
  std::vector<size_t> every;
  for (size_t at = 1; at < bytes.size(); ++at) every.push_back(at);
  same(Read(bytes, every, source, limits), "a byte at a time");
}

TEST(WebListReader, gives_the_same_wherever_the_pieces_are_cut_and_as_the_rules_read_byte_by_byte) {
  const std::string hosts_file =
      "\xEF\xBB\xBF# AdAway default blocklist\r\n"
      "127.0.0.1 localhost\r\n"
      "::1 localhost\r\n"
      "255.255.255.255 broadcasthost\r\n"
      "\r\n"
      "127.0.0.1 Ads.Example.com\r\n"
      "127.0.0.1 ads.example.com tracker.example.net # twice in a line\r\n"
      "127.0.0.1 bad_-.example.com\r\n"
      "127.0.0.1 localhost bad..example.com\r\n";
  const std::string filter_list =
      "[Adblock Plus 2.0]\r! Title: a filter list\r||ads.example.com^\r||ads.example.com^$important\r"
      "@@||good.example.com^\r||video.example.com^$third-party\rexample.com##.banner\r"
      "||ads.example.com/path^\rhttps://Phish.Example.org/login\rplain.example.org";
  const struct Case {
    const char* what;
    std::string bytes;
    Source source;
    WebListLimits limits;
    Outcome want;
  } cases[] = {
      {"a hosts file: its lines for the machine itself are not skipped; a name given twice is one repeat",
       hosts_file,
       Source::File,
       {},
       {"", {"ads.example.com", "tracker.example.net"}, 1, 2}},
      {"a filter list with CR line ends, no break at its end",
       filter_list,
       Source::File,
       {},
       {"", {"ads.example.com", "phish.example.org", "plain.example.org"}, 1, 4}},
      {"a lone LF, CR LF and CR mixed; a final line break adds no line",
       "a.example.com\nb.example.com\r\n\r\r\n",
       Source::File,
       {},
       {"", {"a.example.com", "b.example.com"}, 0, 0}},
      {"a NUL byte, counted from the first byte, the byte-order mark among them",
       "\xEF\xBB\xBF"
       "a.example.com\r\nb.exa\0mple.com\r\n"s,
       Source::File,
       {},
       {"is no text list: it holds a NUL byte at byte 24", {}, 0, 0}},
      {"UTF-16",
       "\xFF\xFE"
       "a\0.\0c\0o\0m\0"s,
       Source::File,
       {},
       {"is no text list: it is UTF-16 text", {}, 0, 0}},
      {"a download that is a web page",
       " \r\n\t<!DOCTYPE html>\n<html><body>wifi.example.com</body></html>\n",
       Source::Download,
       {},
       {"is a web page, not a list: it begins with \"<!DOCTYPE\"", {}, 0, 0}},
      {"a download beginning <HTML",
       "<HTML>\nads.example.com\n",
       Source::Download,
       {},
       {"is a web page, not a list: it begins with \"<HTML\"", {}, 0, 0}},
      {"the same page as a file is read by the line rules",
       "<HTML>\nads.example.com\n",
       Source::File,
       {},
       {"", {"ads.example.com"}, 0, 1}},
      {"HTML further down is no page", "a.example.com\n<html>\n", Source::Download, {}, {"", {"a.example.com"}, 0, 1}},
      {"more different names than the limit; repeats do not count",
       "a.example.com\na.example.com\nb.example.com\nc.example.com\n",
       Source::File,
       {2, 100},
       {"gives more than 2 different names, more than any block list holds", {}, 0, 0}},
      {"a line longer than the limit, wherever it ends",
       "a.example.com\r\n" + std::string(21, 'x') + "\r\n",
       Source::File,
       {10, 20},
       {"has a line longer than 20 bytes (line 2), which no block list has", {}, 0, 0}},
      {"a long line before a NUL byte is told first",
       "a.example.com\n" + std::string(21, 'x') + std::string(1, '\0'),
       Source::File,
       {10, 20},
       {"has a line longer than 20 bytes (line 2), which no block list has", {}, 0, 0}},
      {"a line as long as the limit is read",
       std::string(16, 'x') + ".com",
       Source::File,
       {10, 20},
       {"", {std::string(16, 'x') + ".com"}, 0, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ExpectEveryCutAlike(c.bytes, c.source, c.limits, c.want);
    const literal::ByteReading rules =
        literal::ReadWebBytes(c.bytes, {}, c.source == Source::Download, c.limits.records, c.limits.line);
    EXPECT_EQ(rules.refused, c.want.refused);
    if (rules.refused.empty()) {
      EXPECT_EQ(rules.reading.records, c.want.records);
      EXPECT_EQ(rules.reading.repeated, c.want.repeated);
      EXPECT_EQ(rules.reading.skipped, c.want.skipped);
    }
  }
}

// Many records, each once in the order they first came, whatever case they came in.
TEST(WebListReader, keeps_each_of_many_records_once_in_the_order_they_first_came) {
  std::string list;
  std::vector<std::string> lines;
  for (int i = 0; i < 60000; ++i) {
    const int n = i % 3 == 2 ? i / 7 : i;
    lines.push_back((i % 5 == 0 ? "0.0.0.0 HOST" : "host") + std::to_string(n) + ".example.com");
    list += lines.back() + "\n";
  }
  WebListReader reader;
  ASSERT_TRUE(reader.Feed(list) && reader.End());
  const WebListReading got = reader.Take();
  const literal::WebListReading want = literal::ReadWebList(lines, {});
  EXPECT_EQ(got.records, want.records);
  EXPECT_EQ(got.repeated, want.repeated);
  EXPECT_EQ(got.records.size() + got.repeated, lines.size()) << "new and repeated add up to the records given";
}

// A list whose lines end in CR alone is read in one pass, by the reader and by SplitLines
// (the whole-file reading): were either to look for an LF to the end of the text at every
// line, this would take minutes.
TEST(WebListReader, reads_a_list_whose_lines_end_in_cr_alone_in_one_pass) {
  std::string list;
  for (int i = 0; i < 500000; ++i) list += "h" + std::to_string(i) + ".example.com\r";
  WebListReader reader;
  ASSERT_TRUE(reader.Feed(list) && reader.End());
  EXPECT_EQ(reader.Take().records.size(), 500000u);
  EXPECT_EQ(SplitLines(list, LineBreaks::Any).size(), 500000u);
}

}  // namespace
