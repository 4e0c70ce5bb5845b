// TTargetExporter: what the four exporters share. The generate page gives an exporter its
// records (doClear, doAdd) and starts it (doExport); the exporter reads the target's
// current file through its configuration reader, leaves out the records the file already
// holds, and writes the rest either straight into the file (the target's program variable
// is 1) or into an add-on file the user names.
//
// Inputs: 0 doClear, 1 doAdd, 2 doExport.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/global_var.h"
#include "runtime/scheme.h"
#include "targets/common/config_reader.h"
#include "targets/common/config_writer.h"
#include "widgets/message.h"
#include "widgets/save_dialog.h"

struct TExporterSetup {
  const char* target;            // the target's name in messages
  const char* program_variable;  // 1 selects the direct write
  const char* add_on_filter;
  const char* add_on_title;
};

class TTargetExporter : public TScheme {
 public:
  void doClear(TData& value, uint16_t index);
  void doAdd(TData& value, uint16_t index);
  void doExport(TData& value, uint16_t index);
  void doExisting(TData& value, uint16_t index);  // the reader's addresses
  void doAddOnFile(TData& value, uint16_t index);  // the name chosen in the save dialog

  const std::vector<std::string>& Pending() const { return pending_; }

 protected:
  TTargetExporter(TKXWin* parent, const TExporterSetup& setup);

  // Builds the configuration reader R inside the exporter; called once by the constructor.
  template <class R>
  void UseReader() {
    reader_element_.SetScheme<R>();
    reader_element_.SetEventCount(1);
    reader_element_.onEvent[0] = MakeLink<&TTargetExporter::doExisting>(*this);
    reader_ = static_cast<TConfigReader*>(reader_element_.Scheme());
  }

  // After the records the file holds have been left out of the pending list.
  virtual void Filtered() {}
  // The entry lines of the remaining records, in their order; used by both modes.
  virtual void PutEntries(TLineSink& sink) = 0;
  // The direct write, after the records the file holds have been left out.
  virtual void WriteDirect() = 0;
  // What the add-on file holds before the entry lines (the Outpost file's header).
  virtual void PutAddOnHead(TLineSink&) {}

  // Checks that the reader's file can take a direct write: a path is set, the file exists,
  // was read whole and is text. Otherwise tells the user and returns false.
  bool CheckReadable(bool missing_is_new);
  // The direct write of the firewall targets: the reader's lines with the entries put before
  // line `insert`, written over the file in the file's own line break. Without an insertion
  // line the file stays as it is and the user is told that it lacks `place`; a file that
  // cannot take the write, or a failed save, is told too, and the old file stays whole.
  void WriteInserted(const std::optional<size_t>& insert, std::string_view place);
  // Commits a writer, telling the user when the file could not be saved.
  bool Commit(TConfigWriter& writer, const std::string& path);
  void Tell(const std::string& text);

  const TConfigReader& Reader() const { return *reader_; }

  std::vector<std::string> pending_;
  std::vector<std::string> existing_;  // the addresses the file holds, during an export

 private:
  TExporterSetup setup_;
  TKXMultiElement& reader_element_;
  TConfigReader* reader_ = nullptr;
  TKXGlobalVar& program_;
  TKXSDialog& add_on_dialog_;
  TKXMessage& error_;
};
