// The "Load / Edit URL" page: the user loads addresses from a source into the source list
// on the left, and moves them one at a time into the category list on the right (or back),
// every move saved at once. It also shows the record counts and the statistics.
//
// Inputs: 0 doToBack, 1 doToFront.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "lists/list_store.h"
#include "runtime/scheme.h"
#include "widgets/button.h"
#include "widgets/combo_box.h"
#include "widgets/label.h"
#include "widgets/list_box.h"
#include "widgets/open_dialog.h"
#include "widgets/panel_scheme.h"

class EditListsPage : public TPanelScheme {
 public:
  explicit EditListsPage(TKXWin* parent);

  // Choosing in the two selectors, the buttons, and clicks on the two lists.
  void doChooseSource(TData& value, uint16_t index);
  void doLoadFrom(TData& value, uint16_t index);
  void doChooseCategory(TData& value, uint16_t index);
  void doMoveRight(TData& value, uint16_t index);
  void doMoveLeft(TData& value, uint16_t index);
  void doClickSource(TData& value, uint16_t index);
  void doClickCategory(TData& value, uint16_t index);

  // What the sources lead to (SourceSelector's outputs and the loaders' events).
  void doStartSource(TData& value, uint16_t source);
  void doShowUnsorted(TData& value, uint16_t index);
  void doLine(TData& value, uint16_t index);
  void doNotLoaded(TData& value, uint16_t index);
  void doCountLine(TData& value, uint16_t kind);
  void doStatisticsTotal(TData& value, uint16_t index);

 private:
  void SetSourceLabel(const std::string& text);
  void EnableMoves(bool enabled);
  void ForgetCategory();
  void ShowLoadedLines();

  TKXButton& load_from_;
  TKXComboBox& source_selector_;
  TKXComboBox& category_selector_;
  TKXLabel& source_label_;
  TKXLabel& statistics_label_;
  TKXListBox& source_list_;
  TKXListBox& category_list_;
  TKXButton& move_right_;
  TKXButton& move_left_;
  TKXODialog& text_dialog_;
  TKXMultiElement& statistics_;
  TKXMultiElement& selector_;
  TKXMultiElement& count_display_;
  TKXMultiElement& text_loader_;
  std::array<TKXMultiElement*, 7> sources_{};  // by the dispatcher's outputs; the text file and Unsorted are the page's own
  TListStore store_;

  std::string source_ = "URL Ban List (AUTO Load)";  // the source "Load from:" runs
  std::string left_list_;                            // "Unsorted" while the source list shows that file
  std::string category_path_;                        // the file the category list shows
  std::optional<int> left_index_, right_index_;      // the records last clicked

  // Lines a loader sends while it runs; they reach the source list in one step when it ends.
  std::vector<std::string> loaded_;
  std::optional<uint16_t> count_kind_;  // how the count shows the last line a loader sent
};
