// ListStatistics: counts the records of the seven lists, keeps the all-records list that
// the loaders check new records against, and shows the breakdown.
//
// Inputs: 0 doRefresh (reload and recount, then onTotal), 1 doShow (the statistics message).
// Event 0 onTotal. Readable outputs: 0 varTotal (records in all lists), 1 varAllRecords
// (every record of every list, as an array, in the order User_BadList, User_NO_BadList,
// Misc, Porno, Advertisement, Viruses (and similar), Unsorted).
// The counter variables (advcount and the others) hold each list's line count.
#pragma once

#include <array>
#include <string>

#include "elements/strlist/str_list.h"
#include "lists/list_catalog.h"
#include "lists/list_store.h"
#include "runtime/global_var.h"
#include "runtime/scheme.h"
#include "widgets/message.h"

// The fourteen lines of the statistics message: "NAME: N Record(s)" and an empty line per list.
std::string StatisticsText(const std::array<int64_t, kListCount>& counts);

class ListStatistics : public TScheme {
 public:
  enum Input : uint16_t { kDoRefresh = 0, kDoShow = 1, kInputCount };
  enum Event : uint16_t { kOnTotal = 0, kEventCount };
  enum Var : uint16_t { kVarTotal = 0, kVarAllRecords = 1, kVarCount };

  explicit ListStatistics(TKXWin* parent);

  void doRefresh(TData& value, uint16_t index);
  void doShow(TData& value, uint16_t index);

 private:
  TListStore store_;
  TKXStrList& all_records_;
  std::array<TKXGlobalVar*, kListCount> counters_{};
  TKXMessage& statistic_;
};
