#include "lists/generate_page.h"

#include <algorithm>

#include "elements/strings/if_else.h"
#include "elements/strlist/kept_in_order.h"
#include "elements/strlist/record_index.h"
#include "lists/ban_list_format.h"
#include "lists/ban_list_writer.h"
#include "lists/category_flag.h"
#include "lists/list_files.h"
#include "lists/target_mode_switch.h"
#include "runtime/hub.h"
#include "runtime/save_failure.h"
#include "targets/aof/aof_exporter.h"
#include "targets/common/never_block.h"
#include "targets/common/target_messages.h"
#include "targets/hosts/hosts_exporter.h"
#include "targets/kpf/kpf_exporter.h"
#include "targets/kwf/kwf_exporter.h"
#include "targets/resolvers/resolver_exporter.h"
#include "targets/target_catalog.h"
#include "widgets/message.h"
#include "widgets/placed.h"

namespace {

// The tops of the four target buttons, in the catalog's order of the firewall targets.
constexpr std::array<int32_t, 4> kTargetTops{35, 105, 175, 245};
// The choices of the "Format" box, in the catalog's order of the resolver formats.
constexpr const char* kFormatChoices =
    "dnsmasq\r\nUnbound\r\nResponse policy zone (RPZ)\r\nAdblock-style list\r\nDomain list";

}  // namespace

GeneratePage::GeneratePage(TKXWin* parent)
    : TPanelScheme(parent, kPagePlace, PanelShown::kHidden, kInputCount),
      preview_(New<TKXListBox>(&Panel)),
      writer_(NewScheme<BanListWriter>()),
      mode_(NewScheme<TargetModeSwitch>()) {
  for (size_t i = 0; i < 5; ++i) flags_[i] = &New<CategoryFlag>(&Panel, kCategories[i], int32_t(30 + 25 * i));
  all_to_file_ = &New<TKXRadioButton>(&Panel);
  auto& all_to_file = *all_to_file_;
  auto& new_to_file = New<TKXRadioButton>(&Panel);
  to_program_ = &New<TKXRadioButton>(&Panel);
  for (size_t i = 0; i < 4; ++i) {
    target_buttons_[i] = &New<TKXButton>(&Panel);
    target_switches_[i] = &New<TKXGlobalVar>();
    target_switches_[i]->SetName(Info(kFirewallTargets[i]).switch_key);
  }
  auto& generate = New<TKXButton>(&Panel);
  exporters_ = {&NewScheme<HostsExporter>(), &NewScheme<AofExporter>(), &NewScheme<KpfExporter>(),
                &NewScheme<KwfExporter>()};
  for (auto*& list : categories_) list = &New<TKXStrList>();
  auto& save_error = New<TKXMessage>();
  // The resolver formats, after everything the page had before them.
  format_ = &New<TKXComboBox>(&Panel);
  export_format_ = &New<TKXButton>(&Panel);
  format_exporters_ = {&NewScheme<DnsmasqExporter>(), &NewScheme<UnboundExporter>(), &NewScheme<RpzExporter>(),
                       &NewScheme<AdblockExporter>(), &NewScheme<DomainsExporter>()};
  for (size_t i = 0; i < format_paths_.size(); ++i) {
    format_paths_[i] = &New<TKXGlobalVar>();
    format_paths_[i]->SetName(Info(kResolverFormats[i]).path_key);
  }
  no_category_ = &New<TKXMessage>();

  all_to_file.Caption = "ALL To File";
  Placed(all_to_file, 420, 12, 75, 20).Init();
  new_to_file.Caption = "NEW To File";
  Placed(new_to_file, 315, 12, 85, 20).Init();
  to_program_->Caption = "To Programm";
  to_program_->Selected = true;
  Placed(*to_program_, 205, 12, 90, 20).Init();
  for (size_t i = 0; i < 4; ++i) {
    target_buttons_[i]->Caption = Info(kFirewallTargets[i]).title;
    Placed(*target_buttons_[i], 15, kTargetTops[i], 175, 20).Init();
  }
  generate.Caption = "Generate BanList";
  Placed(generate, 15, 350, 175, 20).Init();
  Placed(preview_, 205, 33, 290, 337).Init();
  AsFailureBox(save_error);
  format_->Strings = kFormatChoices;
  Placed(*format_, 15, 285, 175, 21).Init();
  format_->Select(0);
  export_format_->Caption = "Export Format";
  Placed(*export_format_, 15, 312, 175, 20).Init();

  // The mode: "ALL To File" forgets the configuration paths, so nothing is left out; the two
  // others load them. "To Programm" enables only the targets whose configuration is set.
  mode_.SetDataCount(TargetModeSwitch::kDataCount);
  mode_.dataData[TargetModeSwitch::kDataToProgram] = MakeLink<&TKXRadioButton::varChecked>(*to_program_);
  mode_.SetEventCount(TargetModeSwitch::kEventCount);
  mode_.onEvent[TargetModeSwitch::kOnAllTargets] = MakeLink<&GeneratePage::doAllTargets>(*this);
  mode_.onEvent[TargetModeSwitch::kOnCheckTargets] = MakeLink<&GeneratePage::doCheckTargets>(*this);
  auto& all_clicked = New<TKXHub>();
  all_clicked.SetOutputs({MakeLink<&TKXMultiElement::doWork>(mode_, TargetModeSwitch::kDoClearPaths),
                          MakeLink<&TKXMultiElement::doWork>(mode_, TargetModeSwitch::kDoApplyMode)});
  all_to_file.onClick = MakeLink<&TKXHub::doEvent>(all_clicked);
  auto& paths_clicked = New<TKXHub>();
  paths_clicked.InCount = 2;
  paths_clicked.SetOutputs({MakeLink<&TKXMultiElement::doWork>(mode_, TargetModeSwitch::kDoLoadPaths),
                            MakeLink<&TKXMultiElement::doWork>(mode_, TargetModeSwitch::kDoApplyMode)});
  new_to_file.onClick = MakeLink<&TKXHub::doEvent>(paths_clicked);
  to_program_->onClick = MakeLink<&TKXHub::doEvent>(paths_clicked);

  // The buttons, and the writer's lines into the preview and from there into the file.
  generate.onClick = MakeLink<&GeneratePage::doGenerate>(*this);
  for (uint16_t i = 0; i < 4; ++i) target_buttons_[i]->onClick = MakeLink<&GeneratePage::doExportTarget>(*this, i);
  export_format_->onClick = MakeLink<&GeneratePage::doExportFormat>(*this);
  format_->onClick = MakeLink<&GeneratePage::doFormatChosen>(*this);
  writer_.SetEventCount(BanListWriter::kEventCount);
  writer_.onEvent[BanListWriter::kOnLine] = MakeLink<&GeneratePage::doPreviewLine>(*this);
  writer_.onEvent[BanListWriter::kOnFile] = MakeLink<&GeneratePage::doSaveFile>(*this);
  writer_.SetDataCount(BanListWriter::kDataCount);
  for (size_t i = 0; i < 5; ++i)
    writer_.dataData[BanListWriter::kDataCountFirst + i] = MakeLink<&TKXStrList::varCount>(*categories_[i]);
  preview_.onSaveError = MakeLink<&TKXMessage::doMessage>(save_error);
  no_category_->Caption = kWarningCaption;
  no_category_->Type = kButtonsYesNo;
  no_category_->Icon = kIconWarning;
  no_category_->onMessage = MakeLink<&GeneratePage::doAnswered>(*this);

  // What each export wrote goes out to the status bar.
  for (auto* exporter : exporters_) {
    exporter->SetEventCount(TTargetExporter::kEventCount);
    exporter->onEvent[TTargetExporter::kOnSummary] = MakeLink<&GeneratePage::doExported>(*this);
  }
  for (auto* exporter : format_exporters_) {
    exporter->SetEventCount(TTargetExporter::kEventCount);
    exporter->onEvent[TTargetExporter::kOnSummary] = MakeLink<&GeneratePage::doExported>(*this);
  }

  Port.onInput[kDoToFront] = MakeLink<&GeneratePage::doToFront>(*this);
  Port.onInput[kDoInit] = MakeLink<&GeneratePage::doInit>(*this);
}

void GeneratePage::doInit(TData&, uint16_t) {
  for (auto* flag : flags_) {
    TData none;
    flag->doInit(none, 0);
  }
  TData none, again;
  doCheckTargets(none, 0);
  mode_.doWork(again, TargetModeSwitch::kDoApplyMode);
}

// A target saved on the settings page (its switch, its path) takes effect here at once: the
// page is shown again in the mode the user chose, as if its radio button were clicked.
void GeneratePage::doToFront(TData& value, uint16_t index) {
  TData checked, none;
  all_to_file_->varChecked(checked, 0);
  mode_.doWork(none, AsInteger(checked) == 1 ? TargetModeSwitch::kDoClearPaths : TargetModeSwitch::kDoLoadPaths);
  mode_.doWork(none, TargetModeSwitch::kDoApplyMode);
  Panel.doBringToFront(value, index);
}

void GeneratePage::doCheckTargets(TData&, uint16_t) {
  for (size_t i = 0; i < 4; ++i) {
    TData on = MakeInteger(IsOne(target_switches_[i]->Value()) ? 1 : 0);
    target_buttons_[i]->doEnabled(on, 0);
  }
  CheckFormat();
}

void GeneratePage::doAllTargets(TData&, uint16_t) {
  for (auto* button : target_buttons_) {
    TData on = MakeInteger(1);
    button->doEnabled(on, 0);
  }
  TData on = MakeInteger(1);
  export_format_->doEnabled(on, 0);
}

// A format's file is set when its path is longer than one character, as a target's switch
// is set when its path is saved.
void GeneratePage::CheckFormat() {
  const int chosen = format_->Selected();
  const bool set = chosen >= 0 && AsText(format_paths_[size_t(chosen)]->Value()).size() > 1;
  TData on = MakeInteger(set ? 1 : 0);
  export_format_->doEnabled(on, 0);
}

void GeneratePage::doFormatChosen(TData&, uint16_t) {
  TData checked;
  to_program_->varChecked(checked, 0);
  if (AsInteger(checked) == 1) {
    CheckFormat();
  } else {
    TData on = MakeInteger(1);
    export_format_->doEnabled(on, 0);
  }
}

namespace {
constexpr std::string_view kNothingDone = "Nothing was written.";
}  // namespace

// The records of the checked categories, each read whole: a list cut short at a NUL byte
// would leave records out of what is written without a word.
bool GeneratePage::Assemble(RecordsFor destination) {
  target_records_.clear();
  preview_lines_.Free();
  TData none;
  preview_.doClear(none, 0);
  writer_.doWork(none, BanListWriter::kDoReset);
  for (size_t i = 0; i < 5; ++i) {
    const ListId id = kCategories[i];
    RecordList& lines = categories_[i]->Lines();
    lines.Free();
    TData checked;
    flags_[i]->Box().varChecked(checked, 0);
    const bool chosen = AsInteger(checked) == 1;
    std::optional<RecordList> whole;
    if (chosen) {
      whole = store_.LoadWhole(id, kNothingDone);
      if (!whole) return false;
    }
    TData tag = MakeText(Info(id).tag);
    writer_.doWork(tag, BanListWriter::kDoAddLine);
    if (!chosen) continue;
    if (destination == RecordsFor::kTarget) {
      AddTargetRecords(std::move(*whole));
      continue;
    }
    lines = std::move(*whole);
    whole.reset();
    for (std::string_view line : lines) {
      TData record = MakeText(std::string(line));
      writer_.doWork(record, BanListWriter::kDoAddRecord);
    }
    TData count;
    writer_.doWork(count, uint16_t(BanListWriter::kDoCountFirst + i));
    lines.Free();  // counted, and every record is the writer's now
  }
  return true;
}

// The records as the targets get them: trimmed and lower-cased, each in its own place.
void GeneratePage::AddTargetRecords(RecordList records) {
  NormaliseEach(records);
  if (target_records_.empty()) {
    target_records_.swap(records);
  } else {
    target_records_.Append(records);
  }
}

void GeneratePage::ShowPreview() {
  if (preview_lines_.empty()) return;
  std::vector<std::string> lines = preview_lines_.Strings();
  preview_lines_.Free();
  preview_.Add(std::move(lines));
}

void GeneratePage::doGenerate(TData&, uint16_t) {
  const bool assembled = Assemble(RecordsFor::kWriter);
  for (auto* list : categories_) list->Lines().Free();
  if (!assembled) {
    target_records_.clear();
    return;
  }
  target_records_.clear();
  TData none;
  writer_.doWork(none, BanListWriter::kDoWrite);
  ShowPreview();
}

void GeneratePage::doPreviewLine(TData& value, uint16_t) {
  preview_lines_.push_back(value.kind == KindString ? value.text : AsText(value));
}

// The ban list file is told as the targets' files are: its records, those the file it
// replaces did not hold, and those of that file that are gone.
void GeneratePage::doSaveFile(TData& value, uint16_t) {
  const std::string file = AsText(value);
  size_t records = 0, fresh = 0, taken_out = 0;
  {
    const std::vector<std::string_view> written = BanListRecords(preview_lines_);
    records = fresh = written.size();
    if (RecordFile before = ReadRecords(file);
        before.state == RecordFile::State::Read && HasBanListSignature(before.lines)) {
      const std::vector<std::string_view> old_records = BanListRecords(before.lines);
      const size_t kept = KeptInOrder(old_records, written);
      fresh -= kept;
      taken_out = old_records.size() - kept;
    }
  }
  // The file is written from the lines as they are kept here, a block at a time, and the
  // preview shows them after: the preview's items, copied out and joined, would hold the
  // file twice more while it is written. What the user sees comes in the same order.
  std::string why;
  const bool saved = !file.empty() && SaveRecords(file, preview_lines_, &why);
  ShowPreview();
  if (saved) {
    FireEvent(EventOutput(kOnStatusText), ExportSummary(file, records, fresh, taken_out, 0));
  } else if (!file.empty()) {
    FireEvent(preview_.onSaveError, SaveFailureMessage(file, why));
  }
}

void GeneratePage::doExported(TData& value, uint16_t) { FireEvent(EventOutput(kOnStatusText), value); }

void GeneratePage::doAnswered(TData& value, uint16_t) { answer_ = AsInteger(value); }

// Without a category the lists give User_BadList alone: a direct write would take out every
// entry of the program's for the categories, or, for a firewall, add those few only.
bool GeneratePage::WithoutCategoryConfirmed(TargetId target) {
  TData to_program;
  to_program_->varChecked(to_program, 0);
  if (AsInteger(to_program) != 1) return true;
  for (auto* flag : flags_) {
    TData checked;
    flag->Box().varChecked(checked, 0);
    if (AsInteger(checked) == 1) return true;
  }
  const bool adds_only = target == TargetId::Kwf || target == TargetId::Kpf || target == TargetId::Aof;
  const std::string title = Info(target).title;
  TData text = MakeText(
      "No category is checked on this page: " +
      (adds_only ? "the direct write would add the records of User_BadList alone to " + title + "."
                 : "the direct write would leave " + title +
                       " with the records of User_BadList alone, and take out every other name the program wrote "
                       "there.") +
      " Write all the same?");
  answer_ = 0;
  no_category_->doMessage(text, 0);
  return answer_ == kAnswerYes;
}

void GeneratePage::doExportTarget(TData&, uint16_t target) {
  if (!WithoutCategoryConfirmed(kFirewallTargets[target])) return;
  ExportTo(*exporters_[target]);
}

void GeneratePage::doExportFormat(TData&, uint16_t) { ExportFormat(format_->Selected()); }

void GeneratePage::ExportFormat(int index) {
  if (index < 0 || size_t(index) >= format_exporters_.size()) return;
  format_->Select(index);
  if (!WithoutCategoryConfirmed(kResolverFormats[size_t(index)])) return;
  ExportTo(*format_exporters_[size_t(index)]);
}

void GeneratePage::ExportTo(TKXMultiElement& exporter) {
  TData none;
  exporter.doWork(none, TTargetExporter::kDoClear);
  const bool assembled = Assemble(RecordsFor::kTarget);
  for (auto* list : categories_) list->Lines().Free();
  std::optional<RecordList> always, never;
  if (assembled) always = store_.LoadWhole(ListId::UserBad, kNothingDone);
  if (always) never = store_.LoadWhole(ListId::UserNoBad, kNothingDone);
  if (!never) {
    target_records_.clear();
    return;
  }
  // User_BadList is always blocked; User_NO_BadList never: each line spares the record equal
  // to it as it is stored, and a "*." line a domain with every name below it.
  AddTargetRecords(std::move(*always));
  always.reset();
  const NeverBlock rules(never->Strings());
  never.reset();
  rules.RemoveSpared(target_records_);
  for (const std::string& line : rules.Lines()) {
    TData value = MakeText(line);
    exporter.doWork(value, TTargetExporter::kDoSpare);
  }
  // Only the pressed target is cleared and exported, so only it is given the records.
  if (target_preview_) {
    std::vector<std::string> preview = target_records_.Strings();
    std::sort(preview.begin(), preview.end());
    preview_.Add(std::move(preview));
  }
  static_cast<TTargetExporter*>(exporter.Scheme())->AddRecords(std::exchange(target_records_, RecordList()));
  exporter.doWork(none, TTargetExporter::kDoExport);
}
