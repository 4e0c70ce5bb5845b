#include "lists/list_statistics.h"

std::string StatisticsText(const std::array<int64_t, kListCount>& counts) {
  std::string text;
  for (size_t i = 0; i < kListCount; ++i) {
    if (i > 0) text += "\r\n";
    text += std::string(kLists[i].name) + ": " + std::to_string(counts[i]) + " Record(s)\r\n";
  }
  return text;
}

ListStatistics::ListStatistics(TKXWin* parent)
    : TScheme(parent), all_records_(New<TKXStrList>()), statistic_(New<TKXMessage>()) {
  for (size_t i = 0; i < kListCount; ++i) {
    counters_[i] = &New<TKXGlobalVar>();
    counters_[i]->SetName(kLists[i].counter);
  }
  statistic_.Caption = "Statistic:";
  statistic_.Type = kButtonsOk;
  statistic_.Icon = kIconInformation;

  Port.SetInputCount(kInputCount);
  Port.onInput[kDoRefresh] = MakeLink<&ListStatistics::doRefresh>(*this);
  Port.onInput[kDoShow] = MakeLink<&ListStatistics::doShow>(*this);
  Port.SetVarCount(kVarCount);
  Port.dataVar[kVarTotal] = MakeLink<&TKXStrList::varCount>(all_records_);
  Port.dataVar[kVarAllRecords] = MakeLink<&TKXStrList::varArray>(all_records_);
}

void ListStatistics::doRefresh(TData&, uint16_t) {
  // The first list with records becomes the whole list's buffer as it was read; the others
  // are added behind it.
  RecordList& all = all_records_.Lines();
  all.Free();
  std::array<int64_t, kListCount> counts{};
  for (ListId id : kAllRecordsOrder) {
    RecordList lines = store_.Load(id);
    const size_t i = static_cast<size_t>(id);
    counts[i] = int64_t(lines.size());
    counters_[i]->SetValue(MakeInteger(int32_t(lines.size())));
    if (all.empty()) {
      all.swap(lines);
    } else {
      all.Append(lines);
    }
  }
  statistic_.Message.clear();
  FireEvent(EventOutput(kOnTotal));
  statistic_.Message = StatisticsText(counts);
}

void ListStatistics::doShow(TData& value, uint16_t index) { statistic_.doMessage(value, index); }
