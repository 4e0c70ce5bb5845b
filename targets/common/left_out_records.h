// TLeftOutRecords: the records an export left out because their entries would not be found
// again, counted by reason, for the one message that tells the user how many and why.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Reasons every target shares.
inline constexpr std::string_view kEmptyRecord = "empty";
inline constexpr std::string_view kBrokenRecord = "with a line break or a NUL byte in it";
inline constexpr std::string_view kUnreadRecord = "whose entry would not read back as one address";
inline constexpr std::string_view kDotlessRecord = "without a \".\"";

// The reason a record gives no entry before the target's own rules are asked: it is empty
// (nothing but bytes 1 to 32), or it would break the file's lines. Empty when neither.
std::string_view CommonReasonLeftOut(std::string_view record);

class TLeftOutRecords {
 public:
  void Clear() { reasons_.clear(); }
  void Note(std::string_view record, std::string_view reason);
  bool Empty() const { return reasons_.empty(); }
  size_t Count() const;

  // "2 of 7 records were left out: the program would not recognise ...", then one line per
  // reason in the order first met, each with the first record of that reason as its example
  // (none for an empty or a broken record). A target that holds names of one kind only says
  // so instead (`holds` "domain names": "2 of 7 records were left out: the dnsmasq format
  // holds domain names only.").
  std::string Message(std::string_view target, size_t records, std::string_view holds = {}) const;

 private:
  struct Reason {
    std::string_view why;
    size_t count = 0;
    std::string example;
  };
  std::vector<Reason> reasons_;
};
