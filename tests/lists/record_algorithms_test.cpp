// The fast record algorithms give line for line what the step-by-step rules give, on many
// random small inputs full of the awkward cases: doubles, case variants, empty lines,
// trailing blanks, tags in odd places.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "lists/ban_list_import.h"
#include "lists/clipboard_address.h"
#include "lists/double_records.h"
#include "elements/strlist/record_index.h"
#include "lists/text_file_loader.h"
#include "tests/lists/literal.h"

namespace {

using Lines = std::vector<std::string>;

class Records {
 public:
  explicit Records(uint32_t seed) : rng_(seed) {}

  // A record drawn from a small pool, so that equal and nearly equal records meet often.
  std::string Record() {
    static const char* const kPool[] = {"ads.com", "Ads.com", "ads.com ", " ads.com", "a.ads.com", "site.org",
                                        "SITE.org", "x.net",   "",         "1.2.3.4",  "a_b.com",   "abc.com",
                                        "[porno]",  "[x]",     "ya.ru\t",  "\xC0\xE1.ru"};
    return kPool[Pick(std::size(kPool))];
  }
  Lines List(size_t most) {
    Lines lines(Pick(most + 1));
    for (auto& line : lines) line = Record();
    return lines;
  }
  // Something a ban list file could hold, hand-edited or not.
  Lines BanListFile() {
    static const char* const kLines[] = {"Created with Veltrane v2.0", "[Advertisement]", "[Misc]", "[Porno]",
                                         "[Unsorted]", "[Viruses (and similar)]", "==================================",
                                         "created with veltrane v2.0", "[misc] extra", "Date: 01.01.2026",
                                         "[Adblock Plus 2.0]", "[::1]"};
    Lines file;
    // Mostly a well-formed file: the signature once each, in a random order of sections.
    if (Pick(4) != 0) {
      for (const char* line : kBanListSignature) file.push_back(line);
      std::shuffle(file.begin() + 1, file.end(), rng_);
    }
    const size_t extra = Pick(14);
    for (size_t i = 0; i < extra; ++i) {
      const std::string line = Pick(4) == 0 ? std::string(kLines[Pick(std::size(kLines))]) : Record();
      file.insert(file.begin() + std::ptrdiff_t(Pick(file.size() + 1)), line);
    }
    return file;
  }
  TListSet Lists() {
    TListSet lists;
    for (auto& list : lists) list = List(4);
    return lists;
  }
  size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng_); }

 private:
  std::mt19937 rng_;
};

constexpr uint32_t kRounds = 3000;

TEST(RecordAlgorithms, removing_known_records_keeps_the_rest_in_order) {
  Records r(1);
  for (uint32_t round = 0; round < kRounds; ++round) {
    Lines list = r.List(12), expected = list;
    const Lines unwanted = r.List(6);
    literal::RemoveEveryEqual(expected, unwanted);
    RemoveKnown(list, RecordIndex(unwanted));
    ASSERT_EQ(list, expected) << "round " << round;
  }
}

TEST(RecordAlgorithms, a_line_is_doubled_when_an_equal_line_follows_it) {
  Records r(2);
  for (uint32_t round = 0; round < kRounds; ++round) {
    const Lines lines = r.List(14);
    ASSERT_EQ(LinesWithLaterEqual(lines), literal::LinesWithLaterEqual(lines)) << "round " << round;
  }
}

TEST(RecordAlgorithms, the_start_up_doubles_report_is_the_scan_by_scan_report) {
  Records r(3);
  std::array<std::string, kListCount> names;
  for (size_t i = 0; i < kListCount; ++i) names[i] = Info(kStartupOrder[i]).file_name;
  for (uint32_t round = 0; round < kRounds; ++round) {
    std::array<Lines, kListCount> lists;
    for (auto& list : lists) list = r.List(round % 2 ? 9 : 4);
    ASSERT_EQ(DoubleRecordReport(lists, names), literal::DoubleRecordReport(lists, names)) << "round " << round;
  }
}

TEST(RecordAlgorithms, the_already_exists_report_names_every_occurrence_and_its_file) {
  Records r(4);
  for (uint32_t round = 0; round < kRounds; ++round) {
    const Lines all = r.List(20);
    TListCounts counts{};
    for (auto& c : counts) c = int64_t(r.Pick(5));
    const Lines candidates = ClipboardCandidates(r.Record() + "." + r.Record());
    ASSERT_EQ(AlreadyExistsReport(candidates, all, counts), literal::AlreadyExistsReport(candidates, all, counts))
        << "round " << round;
  }
}

TEST(RecordAlgorithms, a_text_file_offers_its_normalised_lines_that_no_list_holds) {
  Records r(5);
  for (uint32_t round = 0; round < kRounds; ++round) {
    const Lines file = r.List(10), known = r.List(10);
    Lines expected;
    for (const auto& line : file) expected.push_back(NormaliseRecord(line));
    literal::RemoveEveryEqual(expected, known);
    ASSERT_EQ(NewTextRecords(file, RecordIndex(known)), expected) << "round " << round;
  }
}

TEST(RecordAlgorithms, loading_a_ban_list_files_exactly_what_the_steps_file) {
  Records r(6);
  int merged = 0, doubles = 0;
  for (uint32_t round = 0; round < kRounds * 2; ++round) {
    const Lines file = r.BanListFile();
    TListSet lists = r.Lists(), expected_lists = lists;
    const TListSet before = lists;
    const BanListImport got = ImportBanList(file, "b.txt", lists);
    const literal::BanListResult want = literal::ImportBanList(file, "b.txt", expected_lists);
    ASSERT_EQ(got.verdict, want.verdict) << "round " << round;
    ASSERT_EQ(got.doubles, want.doubles) << "round " << round;
    ASSERT_EQ(literal::Texts(got.display), want.display) << "round " << round;
    for (size_t i = 0; i < kListCount; ++i) {
      // Records equal after folding may stand in either order: the sort promises none.
      Lines a = lists[i], b = expected_lists[i];
      std::sort(a.begin(), a.end());
      std::sort(b.begin(), b.end());
      ASSERT_EQ(a, b) << "round " << round << ", list " << kLists[i].name;
    }
    // Whatever the file holds, a load never loses a record a list held.
    std::set<std::string> after;
    for (const auto& list : lists) after.insert(list.begin(), list.end());
    for (const auto& list : before) {
      for (const auto& record : list) ASSERT_TRUE(after.count(record)) << "round " << round << ": " << record;
    }
    merged += got.verdict == BanListImport::Verdict::Merged;
    doubles += got.verdict == BanListImport::Verdict::Doubles;
  }
  EXPECT_GT(merged, 500);
  EXPECT_GT(doubles, 500);
}

}  // namespace
