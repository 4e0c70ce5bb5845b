// The items of a list box, combo box or tab strip as the program's bytes, with the one that is
// selected, and the rule every list control keeps whatever shows it: the selection stays on
// its item when items go in or out before it, and is lost with its item.
#pragma once

#include <deque>
#include <string>
#include <vector>

namespace widgets {

// Where the selection (-1: none) is after an item went in at `index`.
int SelectionAfterInsert(int selection, int index);
// Where the selection is after the item at `index` went out: none when it was that item.
int SelectionAfterRemove(int selection, int index);

// A plain record, read directly by whoever shows it; the calls keep `selection` on its item.
struct ItemList {
  // Lists hold up to millions of items: inserts at the front and the back cost O(1).
  std::deque<std::string> items;
  int selection = -1;  // -1 when none

  int Count() const { return static_cast<int>(items.size()); }
  bool Has(int index) const { return index >= 0 && index < Count(); }
  // Inserts at `index` (past the end or below 0: at the end) and returns where it went.
  int Insert(int index, std::string text);
  bool Remove(int index);  // false: no such item
  bool Set(int index, std::string text);
  void Assign(std::vector<std::string> texts);  // none selected afterwards
  void Select(int index);                       // an index out of range selects none
};

}  // namespace widgets
