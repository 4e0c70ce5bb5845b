// TTargetExporter: what the four exporters share. The generate page gives an exporter its
// records (doClear, doAdd) and starts it (doExport); the exporter reads the target's
// current file through its configuration reader, leaves out the records the file already
// holds, and writes the rest either straight into the file (the target's program variable
// is 1) or into an add-on file the user names.
//
// A record becomes an entry only when the target's own reader, reading the entry where it
// goes in the file, finds exactly one address in it; that address is what "already holds"
// compares, and a record whose address an earlier record of the batch gave is written
// once. So a second export of the same records writes nothing new, whatever the affixes
// and the bytes of the records. Records whose entry would not be found (empty ones, names
// the reader does not take) are left out, and the user is told how many and why.
//
// The records come with the never-block rules already applied (NeverBlock); the rules' lines
// come too (doSpare), for the formats that write exceptions below a blocked name.
//
// Every written file is told in one line (event 0, ExportSummary): the names of the
// program's entries it holds, how many are new, how many of the program's earlier entries
// were taken out, and how many records were left out.
//
// Inputs: 0 doClear (the records and the rules), 1 doAdd (one record), 2 doExport, 3 doSpare
// (one line of User_NO_BadList). Event 0: the summary of a written file.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/global_var.h"
#include "runtime/record_list.h"
#include "runtime/scheme.h"
#include "targets/common/config_reader.h"
#include "targets/common/config_writer.h"
#include "targets/common/left_out_records.h"
#include "widgets/message.h"
#include "widgets/save_dialog.h"

struct TExporterSetup {
  const char* target;            // the target's name in messages
  const char* program_variable;  // 1 selects the direct write
  const char* add_on_filter;
  const char* add_on_title;
  // The lines the entries go between in the file, so that an entry is read back in its
  // place: the line that opens the place (nullptr: none needed) and the line that follows
  // the entries (nullptr: the end of the file).
  const char* opened_by = nullptr;
  const char* closed_by = nullptr;
  // Every export takes the records out of the pending list (the hosts target).
  bool empties_pending = false;
  // The direct write makes the whole file from the records (the resolver formats): what
  // the file holds already is left out of an add-on file only.
  bool replaces_file = false;
  // The kind of names the target's file holds, when records of other kinds are left out for
  // that ("domain names"); empty when a record is left out only because its entry would not
  // be read back.
  const char* holds = nullptr;
};

class TTargetExporter : public TScheme {
 public:
  enum Input : uint16_t { kDoClear = 0, kDoAdd = 1, kDoExport = 2, kDoSpare = 3, kInputCount };
  enum Event : uint16_t { kOnSummary = 0, kEventCount };

  void doClear(TData& value, uint16_t index);
  void doAdd(TData& value, uint16_t index);
  void doExport(TData& value, uint16_t index);
  void doSpare(TData& value, uint16_t index);
  void doExisting(TData& value, uint16_t index);   // the reader's addresses
  void doAddOnFile(TData& value, uint16_t index);  // the name chosen in the save dialog

  // All the records at once, as doAdd would take them one by one.
  void AddRecords(RecordList records);
  const RecordList& Pending() const { return pending_; }

  // What an export with the current settings makes of `record`: the address its entry reads
  // back as (the name the target's file holds for it), or nothing and `why` it is left out.
  // Whether the next export writes it depends on the rest too: the never-block rules
  // (NeverBlock), the names the file holds already, and for the resolver formats their plan
  // (PlanResolverFile).
  std::optional<std::string> EntryAddress(std::string_view record, std::string_view* why = nullptr);

 protected:
  TTargetExporter(TKXWin* parent, const TExporterSetup& setup);

  // Builds the configuration reader R inside the exporter; called once by the constructor.
  template <class R>
  void UseReader() {
    reader_element_.SetScheme<R>();
    reader_element_.SetEventCount(TConfigReader::kEventCount);
    reader_element_.onEvent[TConfigReader::kOnAddress] = MakeLink<&TTargetExporter::doExisting>(*this);
    reader_ = static_cast<TConfigReader*>(reader_element_.Scheme());
  }

  // Before anything is read or written: false, once the user has been told why, ends the
  // export (the hosts target without a usable IP, or without the record of its own entries).
  virtual bool Ready() { return true; }
  // Takes the settings the entries are made of; once per export, before any entry is made.
  virtual void LoadSettings() {}
  // Once the records are chosen, before anything is written: what else the file holds (the
  // resolver formats' exceptions, and the names compress leaves out).
  virtual void Plan() {}
  // The lines of one record's entry; none for a record that gives no entry.
  virtual void PutEntry(TLineSink& sink, std::string_view record) = 0;
  // Whether the record's entry certainly reads back as the record itself (a plain name, as
  // most records are), so that reading it back need not be tried.
  virtual bool ReadsAsItself(std::string_view /*record*/) const { return false; }
  // Whether the address the reader found in a record's entry stands for the record.
  virtual bool StandsFor(std::string_view /*record*/, std::string_view /*address*/) const { return true; }
  // Why the reader finds no address in the entry of a non-empty record, for the message.
  virtual std::string_view WhyNotFound(std::string_view record) const;
  // The direct write, after the records have been chosen.
  virtual void WriteDirect() = 0;
  // What the add-on file holds before the entry lines (the Outpost file's header).
  virtual void PutAddOnHead(TLineSink&) {}
  // The line break of an add-on file.
  virtual LineEnding AddOnEnding() const { return LineEnding::CrLf; }

  // The entry lines of the chosen records, in their order; used by both modes. Sets the
  // names written (`counts_`), all of them new unless the direct write says otherwise.
  virtual void PutEntries(TLineSink& sink);
  // The k-th of the chosen records, k < EntryCount().
  std::string_view Chosen(size_t k) const { return pending_[chosen_[k]]; }
  // How many records become entries in this export.
  size_t EntryCount() const { return chosen_.size(); }

  // Checks that the reader's file can take a direct write: a path is set, the file exists,
  // was read whole and is text. Otherwise tells the user and returns false. A missing file is
  // told as not found, or taken as a new one the write makes (kNew).
  enum class MissingFile { kNotFound, kNew };
  bool CheckReadable(MissingFile missing);
  // The direct write of the firewall targets: the reader's lines with the entries put before
  // line `insert`, written over the file in the file's own line break. Without an insertion
  // line the file stays as it is and the user is told that it lacks `place`; a file that
  // cannot take the write, or a failed save, is told too, and the old file stays whole.
  void WriteInserted(const std::optional<size_t>& insert, std::string_view place);
  // Commits a writer, telling the user when the file could not be saved. A direct write
  // makes its writer with WhenRefused::AskSystem: a target file the user may not write
  // (the hosts file in /etc) is then written with the system's permission, asked for in
  // the system's own prompt; a refused request is told like a failed save, a dismissed one
  // in a warning box, since the user chose it.
  // Once committed, the file is told in the summary line with `counts_`.
  bool Commit(TConfigWriter& writer, const std::string& path);
  void Tell(const std::string& text);
  // A record the export leaves out, told in the message with `why`.
  void LeaveOut(std::string_view record, std::string_view why) { left_out_.Note(record, why); }
  bool DirectWrite() const;

  const TConfigReader& Reader() const { return *reader_; }
  TConfigReader& Reader() { return *reader_; }
  // The lines of User_NO_BadList, as stored.
  const std::vector<std::string>& Spared() const { return spared_; }

  std::vector<std::string> existing_;  // the addresses the file holds, during an export
  // A direct write that makes the whole file: the addresses of the file it replaces, which
  // no record is left out for.
  std::vector<std::string> replaced_;

  struct Counts {
    size_t names = 0;      // the names of the program's entries in the written file
    size_t fresh = 0;      // of them, names the file did not hold as the program's before
    size_t taken_out = 0;  // names of the program's earlier entries no longer written
  };
  Counts counts_;

 private:
  // The one address the target's reader finds in the entry of `record`, read between the
  // lines that surround entries in the file; none when it finds none or several, or when
  // the entry would move those lines (hold the line that closes the place, or a line break).
  std::optional<std::string> ReadBack(std::string_view record);
  // Picks the records that become entries: those whose entry reads back as an address the
  // file does not hold yet and no earlier record gave; notes the rest that give none.
  void Choose();

  TExporterSetup setup_;
  TKXMultiElement& reader_element_;
  TConfigReader* reader_ = nullptr;
  TKXGlobalVar& program_;
  TKXSDialog& add_on_dialog_;
  TKXMessage& error_;
  TKXMessage& warning_;

  RecordList pending_;
  std::vector<std::string> spared_;
  std::vector<uint32_t> chosen_;  // positions in pending_ of the records that become entries
  TLeftOutRecords left_out_;
  bool written_ = false;  // the entries went into a file in this export
  TLineJoiner entry_;     // ReadBack's working text and scan, kept for their memory
  std::unique_ptr<TConfigScan> entry_scan_;
};
