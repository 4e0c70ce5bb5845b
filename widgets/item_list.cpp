#include "widgets/item_list.h"

#include <iterator>
#include <utility>

namespace widgets {

int SelectionAfterInsert(int selection, int index) { return selection >= index ? selection + 1 : selection; }

int SelectionAfterRemove(int selection, int index) {
  if (selection == index) return -1;
  return selection > index ? selection - 1 : selection;
}

int ItemList::Insert(int index, std::string text) {
  if (index < 0 || index > Count()) index = Count();
  if (index == 0) {
    items.push_front(std::move(text));
  } else if (index == Count()) {
    items.push_back(std::move(text));
  } else {
    items.insert(items.begin() + index, std::move(text));
  }
  selection = SelectionAfterInsert(selection, index);
  return index;
}

bool ItemList::Remove(int index) {
  if (!Has(index)) return false;
  items.erase(items.begin() + index);  // at either end a deque moves nothing
  selection = SelectionAfterRemove(selection, index);
  return true;
}

bool ItemList::Set(int index, std::string text) {
  if (!Has(index)) return false;
  items[static_cast<size_t>(index)] = std::move(text);
  return true;
}

void ItemList::Assign(std::vector<std::string> texts) {
  items.assign(std::make_move_iterator(texts.begin()), std::make_move_iterator(texts.end()));
  selection = -1;
}

void ItemList::Select(int index) { selection = Has(index) ? index : -1; }

}  // namespace widgets
