// The "Export URL" page: the user picks categories and an output mode, and writes the
// combined ban list file or exports the records to one of the four targets, or to the
// resolver format chosen in the "Format" box ("Export Format").
//
// The never-block rules (User_NO_BadList, NeverBlock) win over every list in every target;
// the exporter gets their lines too, for the exceptions of the resolver formats. A direct
// write ("To Programm") with no category checked asks first: it would hold User_BadList
// alone.
//
// Inputs: 0 doToBack, 1 doToFront (the page shown: the chosen mode is applied again, so the
// target buttons follow what the settings page saved meanwhile), 2 doInit (once at start).
// Event 0: what an export wrote, one line per file, for the status bar.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "elements/strlist/str_list.h"
#include "lists/list_catalog.h"
#include "lists/list_store.h"
#include "runtime/global_var.h"
#include "targets/target_catalog.h"
#include "widgets/button.h"
#include "widgets/combo_box.h"
#include "widgets/list_box.h"
#include "widgets/message.h"
#include "widgets/panel_scheme.h"
#include "widgets/radio_button.h"

class CategoryFlag;

class GeneratePage : public TPanelScheme {
 public:
  // doInit takes the place the other panels give doRefresh.
  enum Input : uint16_t { kDoInit = kDoRefresh, kInputCount };
  enum Event : uint16_t { kOnStatusText = 0 };

  explicit GeneratePage(TKXWin* parent);

  void doInit(TData& value, uint16_t index);
  void doToFront(TData& value, uint16_t index);
  void doCheckTargets(TData& value, uint16_t index);
  void doAllTargets(TData& value, uint16_t index);
  void doGenerate(TData& value, uint16_t index);
  void doExportTarget(TData& value, uint16_t target);
  void doExportFormat(TData& value, uint16_t index);  // the format chosen in the "Format" box
  void doFormatChosen(TData& value, uint16_t index);
  // Exports to the format at `index` of the "Format" box, which shows it chosen.
  void ExportFormat(int index);
  // Without a window nobody sees the preview of a target's records: the command line
  // switches it off, and the records move into the exporter instead of being copied.
  void ShowTargetPreview(bool shown) { target_preview_ = shown; }
  void doPreviewLine(TData& value, uint16_t index);
  void doSaveFile(TData& value, uint16_t index);
  void doExported(TData& value, uint16_t index);  // an exporter's summary
  void doAnswered(TData& value, uint16_t index);  // the button pressed in the question

 private:
  // The common first stage of every button: the lists loaded, the chosen categories handed
  // to the ban list writer and collected as the records for a target. The target buttons
  // never write the writer's buffer, so they leave its records out (RecordsFor::kTarget):
  // with a million records the copies would cost more memory than the export itself.
  enum class RecordsFor { kWriter, kTarget };
  bool Assemble(RecordsFor destination);  // false when a list could not be read whole (the user was told)
  void ShowPreview();
  void AddTargetRecords(RecordList records);
  // The target stage: the records of the assembly, plus User_BadList, less User_NO_BadList,
  // handed to the exporter, which then exports them.
  void ExportTo(TKXMultiElement& exporter);
  // "Export Format" in the mode "To Programm": enabled when the chosen format's file is set.
  void CheckFormat();
  // False when a direct write with no category checked is not to go ahead: the user said No.
  bool WithoutCategoryConfirmed(TargetId target);

  std::array<CategoryFlag*, 5> flags_{};
  std::array<TKXButton*, 4> target_buttons_{};      // Hosts, Outpost, Kerio Personal, Kerio Winroute
  std::array<TKXMultiElement*, 4> exporters_{};     // in the same order
  std::array<TKXGlobalVar*, 4> target_switches_{};  // p_hosts, p_aof, p_kpf, p_kwf
  TKXRadioButton* all_to_file_ = nullptr;
  TKXRadioButton* to_program_ = nullptr;
  TKXComboBox* format_ = nullptr;
  TKXMessage* no_category_ = nullptr;
  int32_t answer_ = 0;
  TKXButton* export_format_ = nullptr;
  std::array<TKXMultiElement*, 5> format_exporters_{};  // in the order of the "Format" box
  std::array<TKXGlobalVar*, 5> format_paths_{};
  TKXListBox& preview_;
  TKXMultiElement& writer_;
  TKXMultiElement& mode_;
  std::array<TKXStrList*, 5> categories_{};  // the working lists, whose counts the writer reads
  TListStore store_;

  RecordList target_records_;
  RecordList preview_lines_;  // the writer's lines, put into the preview at once
  bool target_preview_ = true;
};
