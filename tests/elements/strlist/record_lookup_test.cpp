// Looking many records up at once: the answers of the passes that look a large list up on two
// cores, and of the table a reader hands on with its records, are those of one lookup at a time.
#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "elements/strlist/distinct_records.h"
#include "elements/strlist/record_index.h"
#include "runtime/record_list.h"

namespace {

// Names past the size at which a pass is split in two, with the known ones spread through
// both halves and across their border.
std::vector<std::string> Names(size_t count, const char* tail) {
  std::vector<std::string> names;
  names.reserve(count);
  for (size_t i = 0; i < count; ++i) names.push_back("host" + std::to_string(i * 7919 % 1000003) + tail);
  return names;
}

constexpr size_t kMany = 200'003;  // odd: the halves differ in size, and the bits' words are cut

TEST(RecordLookup, many_records_at_once_are_answered_as_one_at_a_time) {
  const std::vector<std::string> known = Names(kMany, ".example");
  RecordIndex index(known);
  std::vector<std::string> asked = Names(kMany, ".example");
  for (size_t i = 0; i < asked.size(); i += 3) asked[i] += ".not";  // a third unknown, everywhere
  const RecordList list(asked);

  const std::vector<uint32_t> found = index.FindEach(list);
  const std::vector<bool> contained = index.ContainsEach(list);
  ASSERT_EQ(found.size(), asked.size());
  ASSERT_EQ(contained.size(), asked.size());
  for (size_t i = 0; i < asked.size(); ++i) {
    ASSERT_EQ(found[i], index.Find(asked[i])) << i;
    ASSERT_EQ(contained[i], i % 3 != 0) << i;
  }
  RecordList kept(asked);
  RemoveKnown(kept, index);
  EXPECT_EQ(kept.size(), (asked.size() + 2) / 3);
}

TEST(RecordLookup, a_reader_s_table_finds_names_among_the_records_it_kept) {
  // The records come with repeats and in no order; their numbers are their places in the list.
  const std::vector<std::string> names = Names(kMany, ".example");
  RecordList given;
  for (size_t i = 0; i < names.size(); ++i) {
    given.push_back(names[i]);
    if (i % 5 == 0) given.push_back(names[i / 2]);
  }
  DistinctRecords distinct;
  distinct.AddEach(given, [](bool) { return true; });
  RecordLookup lookup;
  const RecordList records = distinct.Take(&lookup);
  ASSERT_EQ(records.size(), names.size());
  ASSERT_FALSE(lookup.Empty());

  std::vector<std::string_view> asked;
  for (size_t i = 0; i < names.size(); i += 2) asked.push_back(names[i]);
  const std::string missing = "missing.example", prefix = "host1";
  asked.push_back(missing);
  asked.push_back(prefix);
  asked.push_back("");
  const std::vector<uint32_t> found = lookup.FindEach(records, asked);
  ASSERT_EQ(found.size(), asked.size());
  for (size_t i = 0; i + 3 < asked.size(); ++i) {
    ASSERT_NE(found[i], RecordLookup::kNone) << asked[i];
    EXPECT_EQ(records[found[i]], asked[i]);
  }
  for (size_t i = asked.size() - 3; i < asked.size(); ++i) EXPECT_EQ(found[i], RecordLookup::kNone) << asked[i];

  // Without a table (Take without one, or nothing read) nothing is found.
  EXPECT_EQ(RecordLookup().FindEach(records, asked), std::vector<uint32_t>(asked.size(), RecordLookup::kNone));
}

}  // namespace
