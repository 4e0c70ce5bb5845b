// The items of the Win32 backend's list controls. A list box's rows live in its record and the
// native list only counts them; a combo box and a tab strip show their items themselves, and
// the program's bytes of each item are kept beside them.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "widgets/win32/win32_control.h"

namespace widgets::win32impl {

namespace {

// The program's bytes of the items a native control holds, index for index: the control holds
// them as shown (widgets/shown_text.h), and texts that show alike come back as their own bytes.
struct ItemBytes {
  std::vector<std::string> bytes;

  std::string At(int index) const {
    return index >= 0 && index < int(bytes.size()) ? bytes[size_t(index)] : std::string();
  }
  // After the control took `text` in at `where` (its answer; negative when it did not).
  void Inserted(LRESULT where, const std::string& text) {
    if (where >= 0 && size_t(where) <= bytes.size()) bytes.insert(bytes.begin() + where, text);
  }
  void Removed(int index) {
    if (index >= 0 && index < int(bytes.size())) bytes.erase(bytes.begin() + index);
  }
};

class ListRows final : public NativeItems {
 public:
  explicit ListRows(Control& list) : c_(list) {}
  int Count() const override { return c_.rows.Count(); }
  std::string At(int index) const override { return c_.rows.items[size_t(index)]; }
  std::vector<std::string> All() const override { return {c_.rows.items.begin(), c_.rows.items.end()}; }
  void Insert(int index, const std::string& text) override {
    c_.rows.Insert(index, text);
    Sync(AboveTopRow(index) ? 1 : 0);
  }
  void Remove(int index) override {
    c_.rows.Remove(index);
    Sync(AboveTopRow(index) ? -1 : 0);
  }
  void Set(int index, const std::string& text) override {
    c_.rows.Set(index, text);
    RECT row;
    if (::SendMessageW(c_.hwnd, LB_GETITEMRECT, WPARAM(index), reinterpret_cast<LPARAM>(&row)) != LB_ERR) {
      ::InvalidateRect(c_.hwnd, &row, TRUE);
    }
  }
  void Assign(std::vector<std::string> texts) override {
    c_.rows.Assign(std::move(texts));
    ::SendMessageW(c_.hwnd, LB_SETTOPINDEX, 0, 0);
    Sync(0);
  }
  int Selection() const override { return c_.rows.selection; }
  void Select(int index) override {
    c_.rows.Select(index);
    ::SendMessageW(c_.hwnd, LB_SETCURSEL, WPARAM(c_.rows.selection), 0);
  }

 private:
  // Rows inserted or removed above the first row shown keep the rows in view where they were.
  bool AboveTopRow(int index) const {
    const LRESULT top = ::SendMessageW(c_.hwnd, LB_GETTOPINDEX, 0, 0);
    return top != LB_ERR && index < top;
  }

  // The native list learns the new count and gets the selection back.
  void Sync(int top_shift) {
    const LRESULT top = ::SendMessageW(c_.hwnd, LB_GETTOPINDEX, 0, 0);
    ::SendMessageW(c_.hwnd, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(c_.hwnd, LB_SETCOUNT, c_.rows.items.size(), 0);
    ::SendMessageW(c_.hwnd, LB_SETCURSEL, WPARAM(c_.rows.selection), 0);
    if (top != LB_ERR) ::SendMessageW(c_.hwnd, LB_SETTOPINDEX, WPARAM(std::max<LRESULT>(0, top + top_shift)), 0);
    ::SendMessageW(c_.hwnd, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(c_.hwnd, nullptr, TRUE);
  }

  Control& c_;
};

class ComboItems final : public NativeItems {
 public:
  explicit ComboItems(HWND combo) : combo_(combo) {}
  int Count() const override { return int(std::max<LRESULT>(0, ::SendMessageW(combo_, CB_GETCOUNT, 0, 0))); }
  std::string At(int index) const override { return texts_.At(index); }
  void Insert(int index, const std::string& text) override {
    const int selection = SelectionAfterInsert(Selection(), index);
    texts_.Inserted(
        ::SendMessageW(combo_, CB_INSERTSTRING, WPARAM(index), reinterpret_cast<LPARAM>(Wide(text).c_str())), text);
    Select(selection);
  }
  void Remove(int index) override {
    const int selection = SelectionAfterRemove(Selection(), index);
    if (::SendMessageW(combo_, CB_DELETESTRING, WPARAM(index), 0) != CB_ERR) texts_.Removed(index);
    Select(selection);
  }
  void Set(int index, const std::string& text) override {
    const int selection = Selection();
    if (::SendMessageW(combo_, CB_DELETESTRING, WPARAM(index), 0) != CB_ERR) texts_.Removed(index);
    texts_.Inserted(
        ::SendMessageW(combo_, CB_INSERTSTRING, WPARAM(index), reinterpret_cast<LPARAM>(Wide(text).c_str())), text);
    Select(selection);
  }
  void Assign(std::vector<std::string> texts) override {
    ::SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
    for (const auto& text : texts)
      ::SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
    texts_.bytes = std::move(texts);
    Select(-1);
  }
  int Selection() const override {
    const LRESULT selected = ::SendMessageW(combo_, CB_GETCURSEL, 0, 0);
    return selected == CB_ERR ? -1 : int(selected);
  }
  void Select(int index) override { ::SendMessageW(combo_, CB_SETCURSEL, WPARAM(index), 0); }

 private:
  HWND combo_;
  ItemBytes texts_;
};

// A tab strip shows its first tab as soon as it has one, and always one after.
class TabItems final : public NativeItems {
 public:
  explicit TabItems(HWND tabs) : tabs_(tabs) {}
  int Count() const override { return int(std::max<LRESULT>(0, ::SendMessageW(tabs_, TCM_GETITEMCOUNT, 0, 0))); }
  std::string At(int index) const override { return texts_.At(index); }
  void Insert(int index, const std::string& text) override {
    texts_.Inserted(SendCaption(TCM_INSERTITEMW, index, text), text);
  }
  void Remove(int index) override {
    if (::SendMessageW(tabs_, TCM_DELETEITEM, WPARAM(index), 0)) texts_.Removed(index);
  }
  void Set(int index, const std::string& text) override {
    if (SendCaption(TCM_SETITEMW, index, text) && index >= 0 && index < int(texts_.bytes.size()))
      texts_.bytes[size_t(index)] = text;
  }
  void Assign(std::vector<std::string> texts) override {
    ::SendMessageW(tabs_, TCM_DELETEALLITEMS, 0, 0);
    texts_.bytes.clear();
    for (const auto& text : texts) Insert(Count(), text);
  }
  int Selection() const override {
    const LRESULT selected = ::SendMessageW(tabs_, TCM_GETCURSEL, 0, 0);
    return selected < 0 ? -1 : int(selected);
  }
  void Select(int index) override {
    if (index >= 0) ::SendMessageW(tabs_, TCM_SETCURSEL, WPARAM(index), 0);
  }

 private:
  // Inserts (TCM_INSERTITEMW: the new tab's index, or -1) or replaces (TCM_SETITEMW: nonzero when
  // done) the caption of tab `index`.
  LRESULT SendCaption(UINT message, int index, const std::string& text) {
    std::wstring caption = Wide(text);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    return ::SendMessageW(tabs_, message, WPARAM(index), reinterpret_cast<LPARAM>(&item));
  }

  HWND tabs_;
  ItemBytes texts_;
};

}  // namespace

std::unique_ptr<NativeItems> ListBoxItems(Control& list) { return std::make_unique<ListRows>(list); }
std::unique_ptr<NativeItems> ComboBoxItems(HWND combo) { return std::make_unique<ComboItems>(combo); }
std::unique_ptr<NativeItems> TabStripItems(HWND tabs) { return std::make_unique<TabItems>(tabs); }

}  // namespace widgets::win32impl
