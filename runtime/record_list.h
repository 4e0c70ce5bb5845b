// RecordList: the records of one list in one buffer, back to back, each found by an
// eight-byte entry (where it starts and how long it is) instead of a heap string apiece. A
// million host names take about 30 MB instead of 64, a file read whole stays the buffer of
// its lines as it is (records added later go into a second buffer behind it), and a sort
// moves entries, never texts.
//
// Records are handed out as views into the buffer: they stay valid while the list is not
// added to, replaced or cleared (an added record may move the buffer), and when the list
// itself is moved or swapped (the buffer is never kept inside the list object).
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/grow_buffer.h"
#include "runtime/lines.h"

class RecordList {
 public:
  RecordList() = default;
  RecordList(const RecordList& other);
  RecordList& operator=(const RecordList& other);
  RecordList(RecordList&&) noexcept = default;
  RecordList& operator=(RecordList&&) noexcept = default;
  RecordList(std::initializer_list<std::string_view> records);
  explicit RecordList(const std::vector<std::string>& records);

  // The lines of `text` from byte `from` on, by SplitLines' rules, as records; `text` becomes
  // the buffer, so that the lines are not copied.
  static RecordList OfLines(std::string&& text, size_t from, LineBreaks breaks);

  size_t size() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  std::string_view operator[](size_t i) const { return View(entries_[i]); }
  std::string_view back() const { return View(entries_.back()); }
  // Asks for the memory of record i ahead of its use, in two stages for lookups that fetch
  // many records at once: its entry, and (once that has come) its text.
  void PrefetchEntry(size_t i) const { __builtin_prefetch(&entries_[i]); }
  void PrefetchText(size_t i) const { __builtin_prefetch((*this)[i].data()); }

  void push_back(std::string_view record);
  // Room for `records` more records of `bytes` bytes in all, asked for at once.
  void reserve(size_t records, size_t bytes = 0);
  void clear();
  // Lets the memory go too.
  void Free() { *this = RecordList(); }
  // Gives back the room grown ahead (in place: nothing is copied).
  void ShrinkToFit() {
    added_.shrink_to_fit();
    entries_.shrink_to_fit();
  }
  void swap(RecordList& other) noexcept {
    file_.swap(other.file_);
    added_.swap(other.added_);
    entries_.swap(other.entries_);
  }

  // Every record of `other` added behind these, in its order.
  void Append(const RecordList& other);
  // Record i becomes `record`: in its old place when it fits there, else added to the buffer.
  void Replace(size_t i, std::string_view record);
  // Record i reads as `record` from now on, its old text left where it stands, so that
  // PutBack brings it back.
  struct Place {
    uint64_t entry;
  };
  Place PlaceOf(size_t i) const { return {entries_[i]}; }
  void Substitute(size_t i, std::string_view record);
  void PutBack(size_t i, Place place) { entries_[i] = place.entry; }
  // Keeps the records for which keep(i) holds, in their order; the others' bytes stay in the
  // buffer.
  template <class Keep>
  void KeepIf(Keep keep);
  // The records in the order `order` gives: the record at i becomes the one at order[i]
  // (`order` names each record once, or fewer to drop the others).
  void Reorder(const std::vector<uint32_t>& order);
  // Bytes of record text held, dropped records and all.
  size_t TextBytes() const { return file_.size() + added_.size(); }
  std::vector<std::string> Strings() const;

  class Iterator {
   public:
    using iterator_category = std::random_access_iterator_tag;
    using value_type = std::string_view;
    using difference_type = std::ptrdiff_t;
    using pointer = void;
    using reference = std::string_view;

    Iterator() = default;
    Iterator(const RecordList* list, size_t at) : list_(list), at_(at) {}
    std::string_view operator*() const { return (*list_)[at_]; }
    std::string_view operator[](difference_type n) const { return (*list_)[at_ + size_t(n)]; }
    Iterator& operator++() { return ++at_, *this; }
    Iterator operator++(int) { return Iterator(list_, at_++); }
    Iterator& operator--() { return --at_, *this; }
    Iterator operator--(int) { return Iterator(list_, at_--); }
    Iterator& operator+=(difference_type n) { return at_ += size_t(n), *this; }
    Iterator& operator-=(difference_type n) { return at_ -= size_t(n), *this; }
    Iterator operator+(difference_type n) const { return Iterator(list_, at_ + size_t(n)); }
    friend Iterator operator+(difference_type n, const Iterator& i) { return i + n; }
    Iterator operator-(difference_type n) const { return Iterator(list_, at_ - size_t(n)); }
    difference_type operator-(const Iterator& other) const { return difference_type(at_) - difference_type(other.at_); }
    bool operator==(const Iterator& other) const { return at_ == other.at_; }
    auto operator<=>(const Iterator& other) const { return at_ <=> other.at_; }

   private:
    const RecordList* list_ = nullptr;
    size_t at_ = 0;
  };
  Iterator begin() const { return Iterator(this, 0); }
  Iterator end() const { return Iterator(this, size()); }

  friend bool operator==(const RecordList& a, const RecordList& b);
  friend bool operator==(const RecordList& a, const std::vector<std::string>& b);

 private:
  // An entry: the record's first byte (40 bits: a buffer up to a terabyte) above its size (24
  // bits). A record of kLong bytes or more is held behind its size as eight bytes, and its
  // entry's size is kLong.
  static constexpr uint64_t kLong = (1u << 24) - 1;
  static uint64_t EntryOf(size_t at, size_t size) { return uint64_t(at) << 24 | size; }
  // The bytes from `at` on: places below the file's size are in the file, the rest behind it.
  const char* Bytes(size_t at) const {
    return at < file_.size() ? file_.data() + at : added_.data() + (at - file_.size());
  }
  char* Bytes(size_t at) { return at < file_.size() ? file_.data() + at : added_.data() + (at - file_.size()); }
  std::string_view View(uint64_t entry) const {
    const size_t at = size_t(entry >> 24), size = size_t(entry & kLong);
    if (size != kLong) return std::string_view(Bytes(at), size);
    return LongView(at);
  }
  std::string_view LongView(size_t at) const;
  // Whether the text lies in the added records' buffer, which may move as it grows.
  bool InAdded(std::string_view text) const {
    return added_.size() > 0 && text.data() >= added_.data() && text.data() < added_.data() + added_.size();
  }
  // Puts the record behind the others; its entry.
  uint64_t Put(std::string_view record);

  std::string file_;        // a file's bytes, its lines the first records; never grown
  GrowBuffer<char> added_;  // the records added since
  GrowBuffer<uint64_t> entries_;
};

inline void swap(RecordList& a, RecordList& b) noexcept { a.swap(b); }

// The records as one text, each behind a CR LF, as JoinLines gives a list of lines.
std::string JoinLines(const RecordList& records);

template <class Keep>
void RecordList::KeepIf(Keep keep) {
  size_t kept = 0;
  for (size_t i = 0; i < entries_.size(); ++i)
    if (keep(i)) entries_[kept++] = entries_[i];
  entries_.resize(kept);
}
