// The "Load / Edit URL" page: the user loads addresses from a source into the source list
// on the left, and moves them one at a time into the category list on the right (or back),
// every move saved at once. It also shows the record counts and the statistics.
//
// Inputs: 0 doToBack, 1 doToFront. Event 0: a text for the status bar (what a web list
// load found), the empty text when it no longer stands.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "lists/list_store.h"
#include "runtime/platform/files.h"
#include "runtime/scheme.h"
#include "widgets/button.h"
#include "widgets/combo_box.h"
#include "widgets/edit.h"
#include "widgets/label.h"
#include "widgets/list_box.h"
#include "widgets/message.h"
#include "widgets/open_dialog.h"
#include "widgets/panel_scheme.h"

class EditListsPage : public TPanelScheme {
 public:
  enum Input : uint16_t { kInputCount = kDoToFront + 1 };
  enum Event : uint16_t { kOnStatusText = 0 };

  explicit EditListsPage(TKXWin* parent);

  // Choosing in the two selectors and the buttons. What moves is the record selected in
  // its list, whether the user clicked it or the list selected it when it was added.
  void doChooseSource(TData& value, uint16_t index);
  void doLoadFrom(TData& value, uint16_t index);
  void doChooseCategory(TData& value, uint16_t index);
  void doMoveRight(TData& value, uint16_t index);
  void doMoveLeft(TData& value, uint16_t index);
  // "All >>>": every record of the source list into the chosen category at once, with the
  // rules of ">>>"; one save per file.
  void doMoveAll(TData& value, uint16_t index);

  // What the sources lead to (SourceSelector's outputs and the loaders' events).
  void doStartSource(TData& value, uint16_t source);
  void doShowUnsorted(TData& value, uint16_t index);
  void doLine(TData& value, uint16_t index);
  void doNotLoaded(TData& value, uint16_t index);
  void doCountLine(TData& value, uint16_t kind);
  void doStatisticsTotal(TData& value, uint16_t index);
  void doWebListSummary(TData& value, uint16_t index);
  // "Find": where the typed name comes from, in a message box, and the name selected in the
  // list that shows it.
  void doFind(TData& value, uint16_t index);

 private:
  // A list file shown in one of the two lists: what it held when it was shown or last
  // saved from here, so that a list changed on disk since (by a ban list load, an update,
  // another program) is never saved over.
  struct ShownFile {
    std::string path;
    uint64_t content_hash = 0;
    platform::FileStamp stamp;
  };

  void SetSourceLabel(const std::string& text);
  void EnableMoves(bool enabled);
  void ClearCategory();
  void ForgetCategory();
  void ShowLoadedLines();
  // Fills `list` from the file; false, after telling the user, when it cannot be read whole.
  bool ShowFile(TKXListBox& list, const std::string& path, ShownFile& shown);
  enum class Shown { Same, Changed, Unreadable };
  // Whether the file still holds what was shown from it; `why` takes the reason when it
  // cannot be read.
  static Shown StillAsShown(ShownFile& shown, std::string& why);
  // True when both shown files still hold what the lists show. Otherwise each changed one
  // is shown again as it is now, the user is told, and nothing may be moved.
  bool ShownFilesUnchanged();
  bool SaveShown(TKXListBox& list, ShownFile& shown);
  bool UnsortedOnLeft() const;

  TKXButton& load_from_;
  TKXComboBox& source_selector_;
  TKXComboBox& category_selector_;
  TKXLabel& source_label_;
  TKXLabel& statistics_label_;
  TKXListBox& source_list_;
  TKXListBox& category_list_;
  TKXButton& move_right_;
  TKXButton& move_left_;
  TKXButton& move_all_;  // its control is made after every other control of the page
  TKXEdit& find_edit_;   // these two after it, at the page's top right, above the category chooser
  TKXButton& find_button_;
  TKXMessage& find_answer_;
  TKXODialog& text_dialog_;
  TKXODialog& web_dialog_;
  TKXMultiElement& statistics_;
  TKXMultiElement& selector_;
  TKXMultiElement& count_display_;
  TKXMultiElement& text_loader_;
  TKXMessage& changed_on_disk_;
  std::array<TKXMultiElement*, 9>
      sources_{};  // by the dispatcher's outputs; the text file, Unsorted and the web list are the page's own
  TListStore store_;

  std::string source_ = "URL Ban List (AUTO Load)";  // the source "Load from:" runs
  std::string left_list_;                            // "Unsorted" while the source list shows that file
  ShownFile category_file_;                          // the file the category list shows (no path: none)
  ShownFile unsorted_file_;                          // Unsorted.txt while the source list shows it

  // Lines a loader sends while it runs; they reach the source list in one step when it ends.
  std::vector<std::string> loaded_;
  std::optional<uint16_t> count_kind_;  // how the count shows the last line a loader sent
};
