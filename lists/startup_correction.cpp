#include "lists/startup_correction.h"

#include "elements/strings/if_else.h"
#include "elements/strings/str_case.h"
#include "elements/strings/str_cat.h"
#include "elements/strlist/records.h"
#include "lists/double_records.h"
#include "runtime/lines.h"
#include "runtime/platform/files.h"
#include "runtime/save_failure.h"

namespace {
constexpr size_t kMostLinesShown = 20;
constexpr const char* kReportFile = "DoubleRecords.txt";

}  // namespace

StartupCorrection::StartupCorrection(TKXWin* parent)
    : TScheme(parent),
      low_(New<TKXGlobalVar>()),
      double_(New<TKXGlobalVar>()),
      shown_(New<TKXMessage>()),
      want_to_see_(New<TKXMessage>()),
      viewer_(New<TKXWinExec>()),
      not_whole_(New<TKXMessage>()) {
  low_.SetName("low");
  double_.SetName("double");
  shown_.Type = kButtonsOk;
  shown_.Icon = kIconExclamation;
  want_to_see_.Message = "You do want to see?";
  want_to_see_.Type = kButtonsYesNo;
  want_to_see_.Icon = kIconExclamation;
  AsFailureBox(not_whole_);
  // "Yes" opens the report with the user's viewer for text files.
  auto& answered_yes = New<TKXIf_else>();
  auto& program_dir = New<TKXGlobalVar>();
  auto& report_path = New<TKXStrCat>();
  answered_yes.Type = CompareEqual;
  answered_yes.Op2 = MakeInteger(kAnswerYes);
  program_dir.SetName("VELTR_dir");
  report_path.dataStr1 = MakeLink<&TKXGlobalVar::varValue>(program_dir);
  report_path.Str2 = kReportFile;
  want_to_see_.onMessage = MakeLink<&TKXIf_else::doCompare>(answered_yes);
  answered_yes.onTrue = MakeLink<&TKXStrCat::doStrCat>(report_path);
  report_path.onStrCat = MakeLink<&TKXWinExec::doShellExec>(viewer_);

  Port.SetInputCount(kInputCount);
  Port.onInput[kDoStart] = MakeLink<&StartupCorrection::doStart>(*this);
}

void StartupCorrection::doStart(TData&, uint16_t) {
  if (IsOne(low_.Value())) Correct();
  if (IsOne(double_.Value())) ReportDoubles();
}

// Every list lower-cased (no trimming: empty lines stay) and sorted; a missing list is
// written as an empty file. A list that cannot be read whole is left as it is: written
// from what could be read, it would lose every record behind the NUL byte.
void StartupCorrection::Correct() {
  std::string told;
  for (ListId id : kStartupOrder) {
    const std::string path = store_.Path(id);
    RecordFile file = ReadRecords(path);
    if (!file.Whole()) {
      if (!told.empty()) told += "\r\n";
      told += NotWholeMessage(path, file, "The list was not corrected and is left as it is.");
      continue;
    }
    RecordList& lines = file.lines;
    for (size_t i = 0; i < lines.size(); ++i) {
      if (!IsPlainLowerCase(lines[i])) lines.Replace(i, LowerCaseText(std::string(lines[i])));
    }
    SortFolded(lines);
    store_.Save(id, lines);
  }
  if (told.empty()) return;
  TData text = MakeText(told);
  not_whole_.doMessage(text, 0);
}

void StartupCorrection::ReportDoubles() {
  TListSet lists;
  std::array<std::string, kListCount> names;
  for (size_t i = 0; i < kListCount; ++i) {
    // A list that cannot be read at all would make a report without its doubles; a list
    // read up to a NUL byte was told above, and its doubles as far as it reads are reported.
    const std::string path = store_.Path(kStartupOrder[i]);
    RecordFile file = ReadRecords(path);
    if (file.state == RecordFile::State::Unreadable) {
      store_.TellNotWhole(path, file, "The double records were not looked for.");
      return;
    }
    lists[i] = std::move(file.lines);
    names[i] = Info(kStartupOrder[i]).file_name;
  }
  const std::vector<std::string> report = DoubleRecordReport(lists, names);
  lists = {};
  const std::string report_path = store_.ProgramDir() + kReportFile;
  if (report.empty()) {
    platform::RemoveFile(report_path);
    return;
  }
  const std::string caption = "Warning: " + std::to_string(report.size()) + " Double Records found!";
  const bool saved = store_.SaveFile(report_path, report);
  shown_.Caption = want_to_see_.Caption = caption;
  if (report.size() <= kMostLinesShown) {
    std::string text = JoinLines(report);
    text.resize(text.size() - 2);  // lines separated by CR LF, none behind the last
    TData message = MakeText(text);
    shown_.doMessage(message, 0);
    return;
  }
  // Too many to show in a box: the report file opens in the user's viewer, if they want.
  if (!saved) return;
  TData none;
  want_to_see_.doMessage(none, 0);
}
