// The start-up correction of the list files and the search for doubled records, run once
// at every start through input 0: with `low` 1 every list is lower-cased, sorted and saved;
// with `double` 1 the records found more than once are reported in "DoubleRecords.txt" and
// shown, never removed.
#pragma once

#include "lists/list_store.h"
#include "runtime/global_var.h"
#include "runtime/scheme.h"
#include "widgets/message.h"
#include "widgets/win_exec.h"

class StartupCorrection : public TScheme {
 public:
  enum Input : uint16_t { kDoStart = 0, kInputCount };

  explicit StartupCorrection(TKXWin* parent);

  void doStart(TData& value, uint16_t index);

 private:
  void Correct();
  void ReportDoubles();

  TListStore store_;
  TKXGlobalVar& low_;
  TKXGlobalVar& double_;
  TKXMessage& shown_;
  TKXMessage& want_to_see_;
  TKXWinExec& viewer_;
  TKXMessage& not_whole_;  // lists left uncorrected because they cannot be read whole
};
