// HostsExporter: maps the records it is given to the IP of the settings in the hosts file,
// rewritten with the program's banner, the record count and the date above the lines it
// keeps, or in an add-on file; names the file already maps are left out. Without an IP
// that is an IPv4 or IPv6 address nothing is written: every entry would lack its address.
//
// Two options, off by default: `ip6` (key "IP6"), an IPv6 address every name is mapped to
// as well, on a second line, so lookups over IPv6 are blocked too; `per_line` (1 to 9,
// empty is 1), the names one line maps, for large files on Windows, whose DNS client slows
// down with one name a line. Internationalised names are written as A-labels, as lookups
// compare them. The reader finds the names of every such line again. Records that are no
// host name the system's resolver could look up (addresses, labels over 63 characters, names
// over 253, characters no host name has) are left out and counted in the message, as the
// resolver formats leave them out: an entry for them blocks nothing, and an address there
// would be taken for a name.
//
// The direct write follows the lists: the program's own entries of the last write
// (THostsOwnEntries, the record it keeps of them) are written anew from the records, so an
// entry whose name left the lists, or went to User_NO_BadList, is taken out. Every other
// line stays exactly as it was, where it was, comment lines and empty lines too; the
// program's entries go where its earlier ones stood (at the end, the first time). A name a
// line of the user's maps already is not written again. The count line counts the names
// the program maps, as the summary does.
//
// Inputs: 0 doClear (empties the pending records), 1 doAdd (one record), 2 doExport,
// 3 doSpare. Event 0: the summary.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/global_var.h"
#include "targets/common/target_exporter.h"
#include "targets/hosts/hosts_own_entries.h"

// The name as the hosts file maps a record: an internationalised name as A-labels, any other
// record as it is (`storage` holds a converted name). Nothing for a record that is no host
// name the system's resolver could look up (an address, a label over 63 characters, a
// character no host name has): `why`, when given, says why.
std::optional<std::string_view> HostsName(std::string_view record, std::string& storage,
                                          std::string_view* why = nullptr);

class HostsExporter : public TTargetExporter {
 public:
  explicit HostsExporter(TKXWin* parent);

 protected:
  bool Ready() override;
  void LoadSettings() override;
  void Plan() override;
  void PutEntry(TLineSink& sink, std::string_view record) override;
  void PutEntries(TLineSink& sink) override;
  bool ReadsAsItself(std::string_view record) const override;
  bool StandsFor(std::string_view record, std::string_view address) const override;
  std::string_view WhyNotFound(std::string_view record) const override;
  void WriteDirect() override;

 private:
  void CountNames(const std::vector<bool>& renewed, const std::vector<bool>& again);

  TKXGlobalVar& program_dir_;
  TKXGlobalVar& path_variable_;
  std::vector<std::string_view> names_;  // of the chosen records, in their order
  std::deque<std::string> converted_;    // the names that are not their record's own text
  // The program's lines of the last write, for the direct write.
  std::string record_path_;
  THostsOwnEntries own_;

  TKXGlobalVar& ip_variable_;
  TKXGlobalVar& ip6_variable_;
  TKXGlobalVar& per_line_variable_;
  std::string ip_;
  std::string ip6_;  // empty: no second line
  size_t per_line_ = 1;
};
