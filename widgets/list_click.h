// A mouse click on a list box, from the press to the release. The native list reports a
// changed selection only, yet a click on the row already selected is the user's pick as much
// as any other: the elements are told of every click on a row.
#pragma once

#include <utility>

namespace widgets {

class ListClick {
 public:
  void Pressed() {
    pending_ = true;
    reported_ = false;
  }
  // The list reported a changed selection while the button was down.
  void SelectionReported() { reported_ = true; }
  bool Pending() const { return pending_; }
  // The click ends on `row` (-1: on no row), which the list shows selected or not: true when
  // the click must be reported as a pick of that row, the list having said nothing of it.
  bool Released(int row, bool row_selected) {
    return std::exchange(pending_, false) && !reported_ && row >= 0 && row_selected;
  }

 private:
  bool pending_ = false;
  bool reported_ = false;
};

}  // namespace widgets
