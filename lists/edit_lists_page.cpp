#include "lists/edit_lists_page.h"

#include <algorithm>

#include "lists/ban_list_loader.h"
#include "lists/clipboard_loader.h"
#include "lists/list_catalog.h"
#include "lists/list_files.h"
#include "lists/list_statistics.h"
#include "lists/name_query.h"
#include "lists/record_count_display.h"
#include "lists/source_selector.h"
#include "lists/text_file_loader.h"
#include "lists/web_list_loader.h"
#include "runtime/do_data.h"
#include "runtime/global_var.h"
#include "runtime/platform/files.h"
#include "runtime/save_failure.h"
#include "targets/aof/aof_importer.h"
#include "targets/kpf/kpf_importer.h"
#include "targets/kwf/kwf_importer.h"
#include "widgets/message.h"
#include "widgets/placed.h"

namespace {

constexpr const char* kNotLoaded = "Not Loaded";
constexpr const char* kNoCategory = "-Select-";

// The page links every loader alike: the load, the lines offered, nothing loaded, the records
// already known, and the third event each uses for its own (a count, a summary).
template <class... Points>
constexpr bool AllAt(uint16_t k, Points... points) {
  return ((uint16_t(points) == k) && ...);
}
constexpr uint16_t kLoaderLoad = RecordFileLoader::kDoLoad;
constexpr uint16_t kLoaderEventCount = WebListLoader::kOnSummary + 1;
static_assert(AllAt(kLoaderLoad, BanListLoader::kDoLoad, ClipboardLoader::kDoLoad, TTargetImporter::kDoImport));
static_assert(AllAt(RecordFileLoader::kOnLine, BanListLoader::kOnLine, ClipboardLoader::kOnLine,
                    TTargetImporter::kOnAddress));
static_assert(AllAt(RecordFileLoader::kOnCancel, BanListLoader::kOnCancel, ClipboardLoader::kOnCancel,
                    TTargetImporter::kOnCancel));
static_assert(AllAt(RecordFileLoader::kDataKnown, ClipboardLoader::kDataKnown, TTargetImporter::kDataKnown));
static_assert(AllAt(uint16_t(kLoaderEventCount - 1), BanListLoader::kOnCountLine, ClipboardLoader::kOnCountLine));

std::string CategoryChoices() {
  std::string text = kNoCategory;
  for (const auto& list : kLists) text += std::string("\r\n") + list.name;
  return text;
}

std::string SourceChoices() {
  // The chooser lists the clipboard second; the dispatcher's outputs keep their own order.
  return "URL Ban List (AUTO Load)\r\nClipBoard (Load)\r\nText File (Load)\r\nAgnitum Outpost Firewall (Load)\r\n"
         "Kerio Personal Firewall (Load)\r\nKerio Winroute Firewall (Load)\r\nUnsorted (Edit Lists)\r\n" +
         std::string(kWebListSource);
}

}  // namespace

EditListsPage::EditListsPage(TKXWin* parent)
    : TPanelScheme(parent, kPagePlace, PanelShown::kShown, kInputCount),
      load_from_(New<TKXButton>(&Panel)),
      source_selector_(New<TKXComboBox>(&Panel)),
      category_selector_(New<TKXComboBox>(&Panel)),
      source_label_(New<TKXLabel>(&Panel)),
      statistics_label_(New<TKXLabel>(&Panel)),
      source_list_(New<TKXListBox>(&Panel)),
      category_list_(New<TKXListBox>(&Panel)),
      move_right_(New<TKXButton>(&Panel)),
      move_left_(New<TKXButton>(&Panel)),
      move_all_(New<TKXButton>(&Panel)),
      find_edit_(New<TKXEdit>(&Panel)),
      find_button_(New<TKXButton>(&Panel)),
      find_answer_(New<TKXMessage>()),
      text_dialog_(New<TKXODialog>()),
      web_dialog_(New<TKXODialog>()),
      statistics_(NewScheme<ListStatistics>()),
      selector_(NewScheme<SourceSelector>()),
      count_display_(NewScheme<RecordCountDisplay>()),
      text_loader_(NewScheme<TextFileLoader>()),
      changed_on_disk_(New<TKXMessage>()) {
  auto& ban_list_loader = NewScheme<BanListLoader>();
  auto& clipboard_loader = NewScheme<ClipboardLoader>();
  auto& aof_importer = NewScheme<AofImporter>();
  auto& kpf_importer = NewScheme<KpfImporter>();
  auto& kwf_importer = NewScheme<KwfImporter>();
  auto& web_loader = NewScheme<WebListLoader>();
  auto& total_label = New<TKXLabel>(&Panel);
  auto& left_count = New<TKXLabel>(&Panel);
  auto& left_unit = New<TKXLabel>(&Panel);
  auto& right_count = New<TKXLabel>(&Panel);
  auto& right_unit = New<TKXLabel>(&Panel);
  auto& right_counter = New<TKXDoData>();

  load_from_.Caption = "Load from:";
  Placed(load_from_, 10, 30, 70, 20).Init();
  source_selector_.SelectText = true;
  source_selector_.Strings = SourceChoices();
  Placed(source_selector_, 90, 30, 180, 21).Init();
  category_selector_.Strings = CategoryChoices();
  Placed(category_selector_, 345, 30, 260, 21).Init();
  Placed(source_label_, 94, 54, 110, 15).Init();
  total_label.Caption = "Total Records:";
  total_label.Hint = "Click to Refresh";
  total_label.UnderlineOnHover = true;
  Placed(total_label, 349, 54, 72, 15).Init();
  statistics_label_.Hint = "Statistic";
  statistics_label_.UnderlineOnHover = true;
  Placed(statistics_label_, 425, 54, 100, 15).Init();
  for (TKXListBox* list : {&source_list_, &category_list_}) {
    list->AddToTop = true;
    list->SelectAdded = true;
  }
  Placed(source_list_, 10, 70, 260, 300).Init();
  Placed(category_list_, 345, 70, 260, 300).Init();
  move_right_.Caption = ">>>";
  Placed(move_right_, 280, 110, 55, 20).Init();
  move_left_.Caption = "<<<";
  Placed(move_left_, 280, 300, 55, 20).Init();
  left_count.Caption = "0";
  Placed(left_count, 10, 372, 205, 15).Init();
  left_unit.Caption = "Record(s)";
  Placed(left_unit, 222, 372, 50, 15).Init();
  right_count.Caption = "0";
  Placed(right_count, 345, 372, 205, 15).Init();
  right_unit.Caption = "Record(s)";
  Placed(right_unit, 558, 372, 50, 15).Init();
  move_all_.Caption = "All >>>";
  Placed(move_all_, 280, 205, 55, 20).Init();
  find_edit_.Hint = "A name to find: where it comes from, and what blocks or spares it";
  Placed(find_edit_, 345, 5, 205, 20).Init();
  find_button_.Caption = "Find";
  Placed(find_button_, 555, 5, 50, 20).Init();
  find_answer_.Caption = "Find:";
  find_answer_.Icon = kIconInformation;
  text_dialog_.Title = "Open Text File";
  text_dialog_.Filter = "Text File|*.txt|All Files|*.*";
  web_dialog_.Title = "Open Web List";
  web_dialog_.Filter = "Block Lists|*.txt;*.hosts;hosts|All Files|*.*";
  changed_on_disk_.Caption = "Warning:";
  changed_on_disk_.Icon = kIconExclamation;

  // The two selectors and the buttons.
  source_selector_.onClick = MakeLink<&EditListsPage::doChooseSource>(*this);
  load_from_.onClick = MakeLink<&EditListsPage::doLoadFrom>(*this);
  category_selector_.onClick = MakeLink<&EditListsPage::doChooseCategory>(*this);
  move_right_.onClick = MakeLink<&EditListsPage::doMoveRight>(*this);
  move_left_.onClick = MakeLink<&EditListsPage::doMoveLeft>(*this);
  move_all_.onClick = MakeLink<&EditListsPage::doMoveAll>(*this);
  find_button_.onClick = MakeLink<&EditListsPage::doFind>(*this);
  find_edit_.onEnter = MakeLink<&EditListsPage::doFind>(*this);

  // "Load from:" runs the chosen source through the dispatcher; the move-left button says
  // whether a record moved out of a category goes back to a list or is deleted.
  selector_.SetEventCount(SourceSelector::kEventCount);
  for (uint16_t k = 0; k < kSources.size(); ++k)
    selector_.onEvent[k] = MakeLink<&EditListsPage::doStartSource>(*this, k);
  selector_.onEvent[SourceSelector::kOnMoveLeftCaption] = MakeLink<&TKXButton::doCaption>(move_left_);
  selector_.onEvent[SourceSelector::kOnWebList] =
      MakeLink<&EditListsPage::doStartSource>(*this, SourceSelector::kOnWebList);

  // Every loader sends its lines to the source list; nothing loaded shows "Not Loaded".
  for (TKXMultiElement* loader :
       {&ban_list_loader, &clipboard_loader, &text_loader_, &aof_importer, &kpf_importer, &kwf_importer, &web_loader}) {
    loader->SetEventCount(kLoaderEventCount);
    loader->onEvent[RecordFileLoader::kOnLine] = MakeLink<&EditListsPage::doLine>(*this);
    loader->onEvent[RecordFileLoader::kOnCancel] = MakeLink<&EditListsPage::doNotLoaded>(*this);
    loader->SetDataCount(RecordFileLoader::kDataKnown + 1);
    loader->dataData[RecordFileLoader::kDataKnown] =
        MakeLink<&TKXMultiElement::varData>(statistics_, ListStatistics::kVarAllRecords);
  }
  ban_list_loader.onEvent[BanListLoader::kOnCountLine] =
      MakeLink<&EditListsPage::doCountLine>(*this, RecordCountDisplay::kDoBanListLine);
  clipboard_loader.onEvent[ClipboardLoader::kOnCountLine] =
      MakeLink<&EditListsPage::doCountLine>(*this, RecordCountDisplay::kDoClipboardLine);
  text_dialog_.onExecute = MakeLink<&TKXMultiElement::doWork>(text_loader_, TextFileLoader::kDoLoad);
  text_dialog_.onCancel = MakeLink<&EditListsPage::doNotLoaded>(*this);
  // A web list: its file is asked for, its new records offered and what it held summed up.
  web_loader.onEvent[WebListLoader::kOnSummary] = MakeLink<&EditListsPage::doWebListSummary>(*this);
  web_dialog_.onExecute = MakeLink<&TKXMultiElement::doWork>(web_loader, WebListLoader::kDoLoad);
  web_dialog_.onCancel = MakeLink<&EditListsPage::doNotLoaded>(*this);
  sources_ = {&ban_list_loader, &text_loader_,     &aof_importer, &kpf_importer, &kwf_importer,
              nullptr,          &clipboard_loader, nullptr,       nullptr};

  // The counts under the two lists, and the statistics.
  count_display_.SetDataCount(RecordCountDisplay::kDataCount);
  count_display_.dataData[RecordCountDisplay::kDataLineCount] = MakeLink<&TKXWinList::varCount>(source_list_);
  count_display_.SetEventCount(RecordCountDisplay::kEventCount);
  count_display_.onEvent[RecordCountDisplay::kOnText] = MakeLink<&TKXLabel::doText>(left_count);
  source_list_.onChange = MakeLink<&TKXMultiElement::doWork>(count_display_, RecordCountDisplay::kDoListChanged);
  right_counter.dataData = MakeLink<&TKXWinList::varCount>(category_list_);
  right_counter.onEventData = MakeLink<&TKXLabel::doText>(right_count);
  category_list_.onChange = MakeLink<&TKXDoData::doData>(right_counter);
  total_label.onClick = MakeLink<&TKXMultiElement::doWork>(statistics_, ListStatistics::kDoRefresh);
  statistics_label_.onClick = MakeLink<&TKXMultiElement::doWork>(statistics_, ListStatistics::kDoShow);
  statistics_.SetEventCount(ListStatistics::kEventCount);
  statistics_.onEvent[ListStatistics::kOnTotal] = MakeLink<&EditListsPage::doStatisticsTotal>(*this);

  // The page starts with the ban list as its source: the chooser shows it, and the page is
  // set up as if the user had chosen it.
  source_selector_.Select(0);
  TData first = MakeText(source_);
  doChooseSource(first, 0);
}

void EditListsPage::SetSourceLabel(const std::string& text) {
  TData value = MakeText(text);
  source_label_.doText(value, 0);
}

void EditListsPage::EnableMoves(bool enabled) {
  TData on = MakeInteger(enabled ? 1 : 0), again = on, all = on;
  move_right_.doEnabled(on, 0);
  move_left_.doEnabled(again, 0);
  move_all_.doEnabled(all, 0);
}

// The category list shows no file: nothing can be filed into it until a category is chosen.
void EditListsPage::ClearCategory() {
  TData none, off = MakeInteger(0);
  category_list_.doClear(none, 0);
  category_file_ = {};
  category_list_.doEnabled(off, 0);
}

// As ClearCategory, and the chooser says so.
void EditListsPage::ForgetCategory() {
  ClearCategory();
  category_selector_.Select(0);
}

bool EditListsPage::UnsortedOnLeft() const { return left_list_ == Info(ListId::Unsorted).name; }

bool EditListsPage::ShowFile(TKXListBox& list, const std::string& path, ShownFile& shown) {
  RecordFile file = ReadRecords(path);
  if (!file.Whole()) {
    store_.TellNotWhole(path, file, "The list is not shown, and nothing is moved into it or out of it.");
    return false;
  }
  list.SetLines(file.lines.Strings());
  file.lines.Free();
  shown = {path, file.content_hash, file.stamp};
  return true;
}

// The stamp tells at once that a file was not touched; a file touched since, or within the
// tick of the file system's clock, is compared by its content.
EditListsPage::Shown EditListsPage::StillAsShown(ShownFile& shown, std::string& why) {
  const platform::FileStamp now = platform::StampOf(shown.path);
  if (now.SameFile(shown.stamp) && !shown.stamp.Recent()) return Shown::Same;
  const platform::FileContent content = platform::ReadWholeFile(shown.path);
  bool same = false;
  switch (content.result) {
    case platform::FileContent::Result::Missing: same = !shown.stamp.exists; break;
    case platform::FileContent::Result::Unreadable: why = content.why; return Shown::Unreadable;
    case platform::FileContent::Result::Read:
      same = shown.stamp.exists && ContentHash(content.bytes) == shown.content_hash;
      break;
  }
  if (!same) return Shown::Changed;
  shown.stamp = now;
  return Shown::Same;
}

bool EditListsPage::ShownFilesUnchanged() {
  std::string why;
  const bool category_shown = !category_file_.path.empty(), unsorted_shown = UnsortedOnLeft();
  const Shown category = category_shown ? StillAsShown(category_file_, why) : Shown::Same;
  const Shown unsorted =
      unsorted_shown && category != Shown::Unreadable ? StillAsShown(unsorted_file_, why) : Shown::Same;
  // A file that cannot be read now may well be as shown: it stays shown, and nothing moves.
  if (category == Shown::Unreadable || unsorted == Shown::Unreadable) {
    RecordFile file;
    file.state = RecordFile::State::Unreadable;
    file.why = why;
    store_.TellNotWhole(category == Shown::Unreadable ? category_file_.path : unsorted_file_.path, file,
                        "Nothing was moved, so that no record is lost.");
    return false;
  }
  std::vector<std::string> changed;
  if (category == Shown::Changed) {
    changed.push_back(category_file_.path);
    ShownFile again;
    if (ShowFile(category_list_, category_file_.path, again)) {
      category_file_ = again;
    } else {
      ForgetCategory();
    }
  }
  if (unsorted == Shown::Changed) {
    changed.push_back(unsorted_file_.path);
    ShownFile again;
    if (ShowFile(source_list_, unsorted_file_.path, again)) {
      unsorted_file_ = again;
    } else {
      TData none;
      source_list_.doClear(none, 0);
      left_list_.clear();
      unsorted_file_ = {};
      doNotLoaded(none, 0);
    }
  }
  if (changed.empty()) return true;
  std::string text;
  for (const std::string& path : changed) {
    text += '\'';
    text += platform::NativePath(path);
    text += "' ";
  }
  text += changed.size() == 1 ? "was" : "were";
  text +=
      " changed on disk since the list was shown here. Nothing was moved, so that no record is lost: the list "
      "now shows the file as it is. Select the record again to move it.";
  TData message = MakeText(text);
  changed_on_disk_.doMessage(message, 0);
  return false;
}

bool EditListsPage::SaveShown(TKXListBox& list, ShownFile& shown) {
  if (shown.path.empty()) return false;
  RecordFile written;
  if (!store_.SaveFile(shown.path, list.Items(), &written)) return false;
  shown.content_hash = written.content_hash;
  shown.stamp = written.stamp;
  return true;
}

void EditListsPage::doChooseSource(TData& value, uint16_t) {
  EnableMoves(false);
  source_ = AsText(value);
  const bool ban_list = source_ == kSources[0];
  TData enabled = MakeInteger(ban_list ? 0 : 1), again = enabled;
  if (ban_list) {
    // A ban list files its records itself, and rewrites the list files while it does: a
    // category shown from before would be out of date, and a move would save it over the
    // merged file. So no category stays chosen.
    ForgetCategory();
  }
  category_selector_.doEnabled(enabled, 0);
  category_list_.doEnabled(again, 0);
}

void EditListsPage::doLoadFrom(TData&, uint16_t) {
  TData none;
  statistics_.doWork(none, ListStatistics::kDoRefresh);
  if (const size_t paren = source_.find('('); paren != std::string::npos) SetSourceLabel(source_.substr(0, paren));
  FireEvent(EventOutput(kOnStatusText), "");  // a summary of an earlier load no longer stands
  loaded_.clear();
  count_kind_.reset();
  TData source = MakeText(source_);
  selector_.doWork(source, SourceSelector::kDoSelect);
  ShowLoadedLines();
  TData label;
  source_label_.varText(label, 0);
  if (AsText(label) != kNotLoaded) EnableMoves(true);
}

void EditListsPage::doStartSource(TData&, uint16_t source) {
  TData none;
  source_list_.doClear(none, 0);
  left_list_.clear();
  unsorted_file_ = {};
  switch (source) {
    case SourceSelector::kOnTextFile: text_dialog_.doExecute(none, 0); break;
    case SourceSelector::kOnUnsorted: doShowUnsorted(none, 0); break;
    case SourceSelector::kOnWebList: web_dialog_.doExecute(none, 0); break;
    default: sources_[source]->doWork(none, kLoaderLoad); break;
  }
}

void EditListsPage::doShowUnsorted(TData&, uint16_t) {
  ForgetCategory();
  TData none;
  if (!ShowFile(source_list_, store_.Path(ListId::Unsorted), unsorted_file_)) {
    doNotLoaded(none, 0);
    return;
  }
  left_list_ = Info(ListId::Unsorted).name;
}

void EditListsPage::doLine(TData& value, uint16_t) {
  loaded_.push_back(AsText(value));
  count_kind_ = 0;
}

void EditListsPage::doCountLine(TData&, uint16_t kind) { count_kind_ = kind; }

void EditListsPage::doNotLoaded(TData&, uint16_t) {
  SetSourceLabel(kNotLoaded);
  EnableMoves(false);
}

// The loaders send their lines last to first and each goes on top, so the list shows them
// in the source's order; they are put in at once, which a million lines need.
void EditListsPage::ShowLoadedLines() {
  if (!loaded_.empty()) source_list_.Add(std::exchange(loaded_, {}));
  if (count_kind_.value_or(0) != 0) {
    TData none;
    count_display_.doWork(none, *count_kind_);
  }
}

void EditListsPage::doChooseCategory(TData& value, uint16_t) {
  const int index = AsInteger(value);
  ClearCategory();
  const bool unsorted_on_both_sides = index == 4 && UnsortedOnLeft();
  if (index < 1 || index > int(kListCount) || unsorted_on_both_sides) {
    category_selector_.Select(0);
    return;
  }
  TData on = MakeInteger(1);
  category_list_.doEnabled(on, 0);
  if (!ShowFile(category_list_, store_.Path(ListId(index - 1)), category_file_)) ForgetCategory();
}

namespace {

// Takes the selected item out of `from` and puts it on top of `to`; nothing when none is selected.
std::optional<std::string> Move(TKXListBox& from, int index, TKXListBox& to) {
  if (index < 0 || index >= from.ItemCount()) return std::nullopt;
  std::string record = from.Item(index);
  TData add = MakeText(record), remove = MakeInteger(index);
  to.doAdd(add, 0);
  from.doDelete(remove, 0);
  return record;
}

// Puts a moved record back where it came from, when its new place could not be saved.
void Undo(TKXListBox& from, int index, TKXListBox& to, const std::string& record) {
  TData top = MakeInteger(0);
  to.doDelete(top, 0);
  from.Insert(index, record);
  from.Select(index);
}

}  // namespace

void EditListsPage::doMoveRight(TData&, uint16_t) {
  if (!ShownFilesUnchanged()) return;
  TData chosen;
  category_selector_.varSelected(chosen, 0);
  const std::string category = AsText(chosen);
  std::optional<std::string> moved;
  const int from = source_list_.Selected();
  // A record is only filed where a list file is shown: without one, saving the source
  // list afterwards would drop it from Unsorted with nowhere to go.
  if (category != kNoCategory && category != left_list_ && !category_file_.path.empty())
    moved = Move(source_list_, from, category_list_);
  // The record's new list is saved first; when that fails, both files stay as they were.
  if (!SaveShown(category_list_, category_file_) && moved) {
    Undo(source_list_, from, category_list_, *moved);
    return;
  }
  if (UnsortedOnLeft()) SaveShown(source_list_, unsorted_file_);
}

void EditListsPage::doMoveLeft(TData&, uint16_t) {
  if (!ShownFilesUnchanged()) return;
  const int from = category_list_.Selected();
  const std::optional<std::string> moved = Move(category_list_, from, source_list_);
  if (UnsortedOnLeft()) {
    // The record goes back to Unsorted: that file is saved first, the category after it.
    if (!SaveShown(source_list_, unsorted_file_) && moved) {
      Undo(category_list_, from, source_list_, *moved);
      return;
    }
    SaveShown(category_list_, category_file_);
    return;
  }
  if (!SaveShown(category_list_, category_file_) && moved) Undo(category_list_, from, source_list_, *moved);
}

void EditListsPage::doMoveAll(TData&, uint16_t) {
  if (!ShownFilesUnchanged()) return;
  TData chosen;
  category_selector_.varSelected(chosen, 0);
  const std::string category = AsText(chosen);
  if (category == kNoCategory || category == left_list_ || category_file_.path.empty()) return;
  std::vector<std::string> filed = source_list_.Items();
  if (filed.empty()) return;
  // The records go on top of the category in the order the source list shows them, as a
  // user filing them from the top down would see them.
  std::vector<std::string> category_records = category_list_.Items();
  filed.insert(filed.end(), std::make_move_iterator(category_records.begin()),
               std::make_move_iterator(category_records.end()));
  category_records = {};
  // The category is saved first: when that fails, both files and both lists stay as they
  // were. When Unsorted then cannot be saved, its records are in both files: none is lost.
  RecordFile written;
  if (!store_.SaveFile(category_file_.path, filed, &written)) return;
  category_file_.content_hash = written.content_hash;
  category_file_.stamp = written.stamp;
  category_list_.SetLines(std::move(filed));
  source_list_.SetLines({});
  if (UnsortedOnLeft()) SaveShown(source_list_, unsorted_file_);
}

void EditListsPage::doWebListSummary(TData& value, uint16_t) {
  FireEvent(EventOutput(kOnStatusText), "Web List " + AsText(value));
}

void EditListsPage::doStatisticsTotal(TData&, uint16_t) {
  TData total;
  statistics_.varData(total, ListStatistics::kVarTotal);
  statistics_label_.doText(total, 0);
}

void EditListsPage::doFind(TData&, uint16_t) {
  TData typed;
  find_edit_.varText(typed, 0);
  const NameAnswer answer = QueryName(AsText(typed), store_.ProgramDir());
  if (answer.name.empty()) return;
  std::string text;
  for (const std::string& line : answer.Lines()) text += (text.empty() ? "" : "\r\n") + line;
  TData shown = MakeText(text);
  find_answer_.doMessage(shown, 0);
  // The name selected where a list shows it, so that it can be moved or deleted at once.
  for (TKXListBox* list : {&category_list_, &source_list_}) {
    const std::vector<std::string> items = list->Items();
    for (const NameAnswer::Holding& holding : answer.lists) {
      const auto at = std::find(items.begin(), items.end(), holding.record);
      if (at != items.end()) list->Select(int(at - items.begin()));
    }
  }
}
