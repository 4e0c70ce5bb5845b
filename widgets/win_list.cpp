// The shared part of the list box and the combo box.
#include "widgets/win_list.h"

#include <algorithm>

#include "runtime/lines.h"
#include "runtime/platform/files.h"
#include "runtime/save_failure.h"

// The array view over the control's items. It holds no items of its own.
class TKXWinList::ItemArray : public TDataArray {
 public:
  explicit ItemArray(TKXWinList& owner) : owner_(owner) {}

  void Set(const TData& index, const TData& item) override {
    const int i = AsIndex(index);
    if (i < 0 || i >= owner_.Count()) return;
    if (!owner_.Sorted) {
      owner_.Native().SetItem(owner_.Control(), i, AsText(item));
      return;
    }
    owner_.Native().DeleteItem(owner_.Control(), i);
    owner_.InsertItem(AsText(item), false);
  }

  bool Get(const TData& index, TData& item) override {
    const int i = AsIndex(index);
    if (i < 0 || i >= owner_.Count()) return false;
    item = MakeText(owner_.Native().GetItem(owner_.Control(), i));
    return true;
  }

  int32_t Count() override { return owner_.Count(); }

  void Add(const TData& item) override {
    if (owner_.HasControl()) owner_.InsertItem(AsText(item), false);
  }

 private:
  TKXWinList& owner_;
};

TKXWinList::TKXWinList(TKXWin* parent) : TKXWin(parent) { Color = kColorWindow; }

TKXWinList::~TKXWinList() = default;

void TKXWinList::FillInitialItems() {
  if (HasControl() && !Strings.empty()) ReplaceItems(SplitLines(Strings));
}

int TKXWinList::Count() { return HasControl() ? Native().ItemCount(Control()) : 0; }

void TKXWinList::ReplaceItems(std::vector<std::string> items) {
  if (Sorted) std::sort(items.begin(), items.end());
  Native().SetItems(Control(), std::move(items));
}

int TKXWinList::InsertItem(const std::string& text, bool at_top) {
  auto& native = Native();
  int index;
  if (Sorted) {
    // Binary search over the control: a handful of reads even for a million items.
    int low = 0, high = native.ItemCount(Control());
    while (low < high) {
      const int mid = low + (high - low) / 2;
      if (native.GetItem(Control(), mid) <= text) low = mid + 1;
      else high = mid;
    }
    index = low;
  } else {
    index = at_top ? 0 : native.ItemCount(Control());
  }
  native.InsertItem(Control(), index, text);
  return index;
}

void TKXWinList::doAdd(TData& value, uint16_t) {
  const std::string text = InputText(value, dataStr, "");
  if (!HasControl()) return;
  const int index = InsertItem(text, AddToTop);
  if (SelectAdded) Native().SetSelection(Control(), index);
  FireEvent(onChange);
}

void TKXWinList::doClear(TData&, uint16_t) {
  if (HasControl()) Native().SetItems(Control(), {});
  FireEvent(onChange);
}

// Only an integer names an item. A negative one is ignored; one past the end removes
// nothing but still reports a change, as the schemes have always seen it.
void TKXWinList::doDelete(TData& value, uint16_t) {
  if (value.kind != KindInteger || value.integer < 0) return;
  if (value.integer < Count()) Native().DeleteItem(Control(), value.integer);
  FireEvent(onChange);
}

void TKXWinList::doLoad(TData& value, uint16_t) {
  const std::string name = InputText(value, dataFileName, FileName);
  if (!platform::IsFile(name) || !HasControl()) return;
  // A file that exists but cannot be read keeps the items rather than emptying the list.
  if (auto bytes = platform::ReadFile(name)) ReplaceItems(SplitLines(*bytes));
  FireEvent(onChange);
}

void TKXWinList::doSave(TData& value, uint16_t) { Save(InputText(value, dataFileName, FileName)); }

bool TKXWinList::Save(const std::string& name) {
  if (name.empty() || !HasControl()) return false;
  std::string why;
  if (platform::WriteFileAtomic(name, JoinLines(Native().GetItems(Control())), &why)) return true;
  FireEvent(onSaveError, SaveFailureMessage(name, why));
  return false;
}

void TKXWinList::Add(std::vector<std::string> lines) {
  if (!HasControl() || lines.empty()) return;
  if (Sorted) {
    for (auto& line : lines) InsertItem(line, false);
  } else {
    auto& native = Native();
    std::vector<std::string> items = native.GetItems(Control());
    if (AddToTop) {
      // Each line goes on top of the one before: the last line ends up first.
      std::reverse(lines.begin(), lines.end());
      lines.insert(lines.end(), std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()));
      items.swap(lines);
    } else if (items.empty()) {
      items.swap(lines);  // no second row of a million items for a list that held none
    } else {
      items.insert(items.end(), std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
    }
    const int last_added = AddToTop ? 0 : int(items.size()) - 1;
    native.SetItems(Control(), std::move(items));
    if (SelectAdded) native.SetSelection(Control(), last_added);
  }
  FireEvent(onChange);
}

void TKXWinList::SetLines(std::vector<std::string> lines) {
  if (!HasControl()) return;
  ReplaceItems(std::move(lines));
  FireEvent(onChange);
}

void TKXWinList::Insert(int index, const std::string& text) {
  if (!HasControl() || index < 0 || index > Count()) return;
  Native().InsertItem(Control(), index, text);
  FireEvent(onChange);
}

std::string TKXWinList::Item(int index) {
  if (index < 0 || index >= Count()) return {};
  return Native().GetItem(Control(), index);
}

std::vector<std::string> TKXWinList::Items() {
  return HasControl() ? Native().GetItems(Control()) : std::vector<std::string>{};
}

int TKXWinList::Selected() {
  if (!HasControl()) return -1;
  const int selected = Native().GetSelection(Control());
  return selected < Count() ? selected : -1;
}

void TKXWinList::Select(int index) {
  if (HasControl()) Native().SetSelection(Control(), index);
}

// Plain byte order: std::string compares its characters as unsigned bytes.
void TKXWinList::doSort(TData&, uint16_t) {
  if (!HasControl()) return;
  auto items = Native().GetItems(Control());
  std::sort(items.begin(), items.end());
  Native().SetItems(Control(), std::move(items));
}

void TKXWinList::varCount(TData& value, uint16_t) { value = MakeInteger(Count()); }

void TKXWinList::varArray(TData& value, uint16_t) {
  if (!array_) array_ = std::make_unique<ItemArray>(*this);
  value = MakeArray(array_.get());
}

std::string TKXWinList::SelectedText() {
  if (!HasControl()) return {};
  const int selected = Native().GetSelection(Control());
  if (selected < 0 || selected >= Count()) return {};
  return Native().GetItem(Control(), selected);
}

void TKXWinList::FireSelection(const TEventLink& link, bool as_text) {
  if (!HasControl()) return;
  if (as_text) {
    FireEvent(link, SelectedText());
  } else {
    FireEvent(link, Native().GetSelection(Control()));
  }
}
