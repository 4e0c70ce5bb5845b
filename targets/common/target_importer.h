// TTargetImporter: what the three firewall importers share. The user picks a configuration
// file; its addresses that no list holds yet go to the edit-lists page one by one.
//
// Input 0 doImport. Data input 0 dataKnown (the known records, an array). Events:
// 0 onAddress (one address), 1 onCancel (nothing was loaded: the dialog was cancelled or
// the file could not be read).
#pragma once

#include <string>
#include <vector>

#include "runtime/scheme.h"
#include "targets/common/config_scan.h"
#include "widgets/message.h"
#include "widgets/open_dialog.h"

class TTargetImporter : public TScheme {
 public:
  enum Input : uint16_t { kDoImport = 0, kInputCount };
  enum Data : uint16_t { kDataKnown = 0 };
  enum Event : uint16_t { kOnAddress = 0, kOnCancel = 1 };

  void doImport(TData& value, uint16_t index);
  void doFile(TData& value, uint16_t index);  // the file chosen in the dialog

 protected:
  // `filter` is the open dialog's filter; `reversed` sends the addresses last first.
  TTargetImporter(TKXWin* parent, const char* filter, bool reversed);

  // The addresses of the file at `path`, in file order, with how the read went.
  virtual std::vector<std::string> Extract(const std::string& path, TScanSource& source) const = 0;

 private:
  bool reversed_;
  TKXODialog& dialog_;
  TKXMessage& error_;
};
