#include "lists/double_records.h"

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

  // Number every distinct record; count how often each occurs in all lists together.
  RecordIndex index(total);
  std::array<std::vector<uint32_t>, kListCount> numbers;
  std::vector<uint32_t> remaining;
  for (size_t l = 0; l < kListCount; ++l) numbers[l] = index.AddEach(lists[l]);
  remaining.assign(index.Size(), 0);
  for (const auto& list_numbers : numbers)
    for (uint32_t n : list_numbers) ++remaining[n];

  // Per list and record, the positions where it stands (a record's live positions, in order).
  std::array<std::vector<uint32_t>, kListCount> start, positions;
  for (size_t l = 0; l < kListCount; ++l) {
    start[l].assign(index.Size() + 1, 0);
    for (uint32_t n : numbers[l]) ++start[l][n + 1];
    for (size_t n = 0; n < index.Size(); ++n) start[l][n + 1] += start[l][n];
    positions[l].resize(numbers[l].size());
    std::vector<uint32_t> fill(start[l].begin(), start[l].end() - 1);
    for (uint32_t p = 0; p < numbers[l].size(); ++p) positions[l][fill[numbers[l][p]]++] = p;
  }
  std::array<std::vector<uint32_t>, kListCount> live_count;  // live positions of each record, from its start
  for (size_t l = 0; l < kListCount; ++l) {
    live_count[l].resize(index.Size());
    for (size_t n = 0; n < index.Size(); ++n) live_count[l][n] = start[l][n + 1] - start[l][n];
  }
  std::array<LivePositions, kListCount> live{LivePositions(lists[0].size()), LivePositions(lists[1].size()),
                                             LivePositions(lists[2].size()), LivePositions(lists[3].size()),
                                             LivePositions(lists[4].size()), LivePositions(lists[5].size()),
                                             LivePositions(lists[6].size())};

  // All records in the sorted order, as the positions of their views, which stand list by list.
  std::vector<std::string_view> all;
  all.reserve(total);
  for (const auto& list : lists) all.insert(all.end(), list.begin(), list.end());
  std::vector<uint32_t> all_numbers;
  all_numbers.reserve(total);
  for (const auto& list_numbers : numbers)
    all_numbers.insert(all_numbers.end(), list_numbers.begin(), list_numbers.end());

  std::vector<std::string> report;
  for (uint32_t position : FoldedOrder(all)) {
    const std::string_view record = all[position];
    const uint32_t n = all_numbers[position];
    if (--remaining[n] == 0) continue;  // no equal record later in the sorted order
    for (size_t l = 0; l < kListCount; ++l) {
      uint32_t* first = positions[l].data() + start[l][n];
      const uint32_t count = live_count[l][n];
      if (count == 0) continue;
      // A scan deletes the first, third, fifth ... record of every run of equal records
      // that stand next to each other; the others were skipped and stay.
      uint32_t kept = 0, in_run = 0, previous = 0;
      std::string line;
      for (uint32_t k = 0; k < count; ++k) {
        const uint32_t p = first[k];
        in_run = (k > 0 && live[l].Adjacent(previous, p)) ? in_run + 1 : 0;
        previous = p;
        if (in_run % 2 == 1) {
          first[kept++] = p;
          continue;
        }
        live[l].Delete(p);
        if (line.empty()) line = std::string(record) + " > " + file_names[l];
        report.push_back(line);
      }
      live_count[l][n] = kept;
    }
  }
  return report;
}
