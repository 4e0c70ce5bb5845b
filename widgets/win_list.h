// TKXWinList, what the list box and the combo box share: adding, deleting, loading,
// saving and sorting the items, which live in the native control only.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "widgets/win.h"

class TKXWinList : public TKXWin {
 public:
  explicit TKXWinList(TKXWin* parent);
  ~TKXWinList() override;

  std::string FileName;      // file for doLoad and doSave when dataFileName gives none
  bool AddToTop = false;     // doAdd inserts at index 0 instead of appending
  bool SelectAdded = false;  // doAdd selects the new item
  bool Sorted = false;       // the items are kept in byte order (the order of doSort)
  std::string Strings;       // initial items, one per line

  TEventLink dataStr;
  TEventLink dataFileName;
  TEventLink onChange;
  TEventLink onSaveError;  // a text for the user: which file could not be saved, and why

  void doAdd(TData& value, uint16_t index);
  void doClear(TData& value, uint16_t index);
  void doDelete(TData& value, uint16_t index);
  void doLoad(TData& value, uint16_t index);
  void doSave(TData& value, uint16_t index);
  void doSort(TData& value, uint16_t index);
  void varCount(TData& value, uint16_t index);
  void varArray(TData& value, uint16_t index);

  // For code that holds the element. Add: doAdd for each line in turn, at the cost of one
  // change of the native control and one onChange (nothing fires for no lines).
  void Add(std::vector<std::string> lines);
  // Save: doSave; false (after onSaveError) when the file could not be written, and
  // false without a word when no file is named.
  bool Save(const std::string& name);
  // SetLines: doLoad with lines read elsewhere (all items replaced, onChange).
  void SetLines(std::vector<std::string> lines);
  // Insert: one item at `index` (0 to the count), then onChange.
  void Insert(int index, const std::string& text);
  std::string Item(int index);  // empty outside the items
  int ItemCount() { return Count(); }
  std::vector<std::string> Items();
  int Selected();          // the selected item's index, -1 when none
  void Select(int index);  // selects without reporting it, as SetSelection does

 protected:
  // Subclasses create their control, run TKXWin::Init, then call this.
  void FillInitialItems();
  // Fires `link` with the selected index, or with the selected item's text when `as_text`.
  void FireSelection(const TEventLink& link, bool as_text);
  std::string SelectedText();
  int Count();
  // Appends (or, with Sorted, inserts in order); returns the new item's index.
  int InsertItem(const std::string& text, bool at_top);
  void ReplaceItems(std::vector<std::string> items);

 private:
  class ItemArray;
  std::unique_ptr<ItemArray> array_;
  bool HasControl() const { return Control() != widgets::kNoControl; }
};
