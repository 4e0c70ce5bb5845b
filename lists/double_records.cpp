#include "lists/double_records.h"

#include <cstdint>
#include <string_view>

#include "elements/strlist/record_index.h"
#include "elements/strlist/records.h"

namespace {

// Counts live positions of one list: deleting a position and asking how many live
// positions lie strictly between two others both take log n.
class LivePositions {
 public:
  explicit LivePositions(size_t n) : tree_(n + 1, 0) {
    for (size_t i = 1; i <= n; ++i) {
      tree_[i] += 1;
      const size_t parent = i + (i & (~i + 1));
      if (parent <= n) tree_[parent] += tree_[i];
    }
  }
  void Delete(size_t position) {
    for (size_t i = position + 1; i < tree_.size(); i += i & (~i + 1)) --tree_[i];
  }
  // Live positions in [0, end).
  int32_t Before(size_t end) const {
    int32_t sum = 0;
    for (size_t i = end; i > 0; i -= i & (~i + 1)) sum += tree_[i];
    return sum;
  }
  bool Adjacent(size_t a, size_t b) const { return Before(b) - Before(a + 1) == 0; }

 private:
  std::vector<int32_t> tree_;
};

}  // namespace

std::vector<std::string> DoubleRecordReport(const TListSet& lists,
                                            const std::array<std::string, kListCount>& file_names) {
  size_t total = 0;
  for (const auto& list : lists) total += list.size();

  // Number every distinct record, list by list in one row; count how often each occurs in
  // all lists together.
  RecordIndex index(total);
  std::vector<uint32_t> all_numbers;
  all_numbers.reserve(total);
  for (const auto& list : lists) {
    const std::vector<uint32_t> numbers = index.AddEach(list);
    all_numbers.insert(all_numbers.end(), numbers.begin(), numbers.end());
  }
  const size_t distinct = index.Size();
  std::vector<uint32_t> remaining(distinct, 0);
  for (uint32_t n : all_numbers) ++remaining[n];

  // Every record's places (its list above its position), all of a record's together, by
  // list and then by position: one table for all lists, not one per list as wide as the
  // records, which at a million records would take seven times the room. `live` counts the
  // places of a record not yet deleted, kept at the front of its own.
  std::vector<uint32_t> start(distinct + 1, 0);
  for (uint32_t n : all_numbers) ++start[n + 1];
  for (size_t n = 0; n < distinct; ++n) start[n + 1] += start[n];
  std::vector<uint32_t> live(distinct);
  for (size_t n = 0; n < distinct; ++n) live[n] = start[n + 1] - start[n];
  std::vector<uint64_t> places(total);
  {
    std::vector<uint32_t> fill(start.begin(), start.end() - 1);
    size_t at = 0;
    for (size_t l = 0; l < kListCount; ++l)
      for (uint32_t p = 0; p < lists[l].size(); ++p) places[fill[all_numbers[at++]]++] = uint64_t(l) << 32 | p;
  }
  std::array<LivePositions, kListCount> alive{LivePositions(lists[0].size()), LivePositions(lists[1].size()),
                                              LivePositions(lists[2].size()), LivePositions(lists[3].size()),
                                              LivePositions(lists[4].size()), LivePositions(lists[5].size()),
                                              LivePositions(lists[6].size())};

  // All records in the sorted order, as the positions of their views, which stand list by list.
  std::vector<std::string_view> all;
  all.reserve(total);
  for (const auto& list : lists) all.insert(all.end(), list.begin(), list.end());

  std::vector<std::string> report;
  for (uint32_t position : FoldedOrder(all)) {
    const std::string_view record = all[position];
    const uint32_t n = all_numbers[position];
    if (--remaining[n] == 0) continue;  // no equal record later in the sorted order
    uint64_t* first = places.data() + start[n];
    const uint32_t count = live[n];
    uint32_t kept = 0;
    for (uint32_t k = 0; k < count;) {
      const size_t l = size_t(first[k] >> 32);
      // A scan deletes the first, third, fifth ... record of every run of equal records
      // that stand next to each other; the others were skipped and stay.
      uint32_t in_run = 0, previous = 0;
      std::string line;
      for (const uint32_t list_first = k; k < count && size_t(first[k] >> 32) == l; ++k) {
        const uint32_t p = uint32_t(first[k]);
        in_run = (k > list_first && alive[l].Adjacent(previous, p)) ? in_run + 1 : 0;
        previous = p;
        if (in_run % 2 == 1) {
          first[kept++] = first[k];
          continue;
        }
        alive[l].Delete(p);
        if (line.empty()) line = std::string(record) + " > " + file_names[l];
        report.push_back(line);
      }
    }
    live[n] = kept;
  }
  return report;
}
