#include "targets/common/left_out_records.h"

#include "elements/strings/trim.h"

namespace {
constexpr size_t kLongestExample = 40;
}  // namespace

std::string_view CommonReasonLeftOut(std::string_view record) {
  if (TrimBlanks(record).empty()) return kEmptyRecord;  // a NUL byte is no blank
  if (record.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos) return kBrokenRecord;
  return {};
}

void TLeftOutRecords::Note(std::string_view record, std::string_view reason) {
  for (Reason& known : reasons_) {
    if (known.why != reason) continue;
    ++known.count;
    return;
  }
  Reason& added = reasons_.emplace_back(Reason{reason, 1, {}});
  // An example only where it shows something: a broken record would break the message too.
  if (reason == kEmptyRecord || reason == kBrokenRecord) return;
  added.example =
      record.size() > kLongestExample ? std::string(record.substr(0, kLongestExample)) + "..." : std::string(record);
}

size_t TLeftOutRecords::Count() const {
  size_t count = 0;
  for (const Reason& reason : reasons_) count += reason.count;
  return count;
}

std::string TLeftOutRecords::Message(std::string_view target, size_t records, std::string_view holds) const {
  const size_t left_out = Count();
  const bool one = left_out == 1;
  std::string text = std::to_string(left_out) + " of " + std::to_string(records) +
                     (records == 1 ? " record " : " records ") + (one ? "was" : "were") + " left out: ";
  if (!holds.empty()) {
    text += "the " + std::string(target) + " format holds " + std::string(holds) + " only.";
  } else {
    text += std::string("the program would not recognise ") + (one ? "its entry" : "their entries") +
            " when it reads the " + std::string(target) + " file again, and every export would add " +
            (one ? "it" : "them") + " once more.";
  }
  for (const Reason& reason : reasons_) {
    text += "\r\n" + std::to_string(reason.count) + " " + std::string(reason.why);
    if (!reason.example.empty()) text += ", such as \"" + reason.example + "\"";
  }
  return text;
}
