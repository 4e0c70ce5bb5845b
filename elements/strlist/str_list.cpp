// The string list: lines in memory, the file rules for loading and saving, and its array view.
#include "elements/strlist/str_list.h"

#include "elements/strlist/records.h"
#include "runtime/lines.h"
#include "runtime/platform/files.h"
#include "runtime/save_failure.h"

// The array view works on the list's own lines and never fires onChange.
class TKXStrList::Array final : public TDataArray {
 public:
  explicit Array(RecordList& lines) : lines_(lines) {}

  void Set(const TData& index, const TData& item) override {
    const int32_t i = AsIndex(index);
    if (InRange(i)) lines_.Replace(size_t(i), AsText(item));
  }
  bool Get(const TData& index, TData& item) override {
    const int32_t i = AsIndex(index);
    if (!InRange(i)) return false;
    item = MakeText(std::string(lines_[size_t(i)]));
    return true;
  }
  int32_t Count() override { return static_cast<int32_t>(lines_.size()); }
  void Add(const TData& item) override { lines_.push_back(AsText(item)); }
  const RecordList* Records() const override { return &lines_; }

 private:
  bool InRange(int32_t i) const { return i >= 0 && size_t(i) < lines_.size(); }
  RecordList& lines_;
};

TKXStrList::TKXStrList() = default;
TKXStrList::~TKXStrList() = default;

void TKXStrList::SetStrings(const std::string& text) {
  lines_ = RecordList::OfLines(std::string(text), 0, LineBreaks::CrOrCrLf);
}

void TKXStrList::doAdd(TData& value, uint16_t) {
  lines_.push_back(InputText(value, dataStr, ""));
  FireEvent(onChange);
}

void TKXStrList::doClear(TData&, uint16_t) {
  lines_.clear();
  FireEvent(onChange);
}

void TKXStrList::doDelete(TData& value, uint16_t) {
  const int32_t i = AsIndex(value);
  if (i < 0 || size_t(i) >= lines_.size()) return;
  lines_.KeepIf([i](size_t at) { return at != size_t(i); });
  FireEvent(onChange);
}

void TKXStrList::doLoad(TData& value, uint16_t) {
  const std::string name = InputText(value, dataFileName, FileName);
  if (!platform::IsFile(name)) return;
  // A file that is there but cannot be read keeps the old lines; the change is still announced.
  if (auto bytes = platform::ReadFile(name)) lines_ = RecordList::OfLines(std::move(*bytes), 0, Breaks);
  FireEvent(onChange);
}

void TKXStrList::doSave(TData& value, uint16_t) { Save(InputText(value, dataFileName, FileName)); }

bool TKXStrList::Save(const std::string& name) {
  if (name.empty()) return false;  // no file named: nothing to write, nothing failed
  // Written beside and renamed over, so a failed save never leaves half a list behind.
  std::string why;
  if (platform::WriteFileAtomic(name, JoinLines(lines_), &why)) return true;
  FireEvent(onSaveError, SaveFailureMessage(name, why));
  return false;
}

void TKXStrList::doSort(TData&, uint16_t) { SortFolded(lines_); }

void TKXStrList::varText(TData& result, uint16_t) { result = MakeText(JoinLines(lines_)); }

void TKXStrList::varCount(TData& result, uint16_t) { result = MakeInteger(static_cast<int32_t>(lines_.size())); }

void TKXStrList::varArray(TData& result, uint16_t) {
  if (!array_) array_ = std::make_unique<Array>(lines_);
  result = MakeArray(array_.get());
}
