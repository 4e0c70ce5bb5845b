// KwfExporter: puts the records it is given into the URL group list of "winroute.cfg" as
// six-line entries, directly before the line that closes the list, or into an add-on file;
// records the list already holds are left out, and so are names the list's reader would
// not find again (without a "." once cleaned).
//
// Inputs: 0 doClear (empties the pending records), 1 doAdd (one record), 2 doExport.
#pragma once

#include <string>

#include "runtime/global_var.h"
#include "targets/common/target_exporter.h"

class KwfExporter : public TTargetExporter {
 public:
  explicit KwfExporter(TKXWin* parent);

 protected:
  void LoadSettings() override;
  void PutEntry(TLineSink& sink, std::string_view record) override;
  std::string_view WhyNotFound(std::string_view record) const override;
  void WriteDirect() override;

 private:
  TKXGlobalVar &begin_, &end_, &group_;
  std::string begin_text_, end_text_, group_text_;
};
