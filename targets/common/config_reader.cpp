#include "targets/common/config_reader.h"

TConfigReader::TConfigReader(TKXWin* parent, const char* path_variable)
    : TScheme(parent), path_variable_(New<TKXGlobalVar>()), lines_(New<TKXStrList>()) {
  path_variable_.SetName(path_variable);
  Port.SetInputCount(kInputCount);
  Port.onInput[kDoRead] = MakeLink<&TConfigReader::doRead>(*this);
  Port.SetVarCount(kVarCount);
  Port.dataVar[kVarInsertLine] = MakeLink<&TConfigReader::varInsertLine>(*this);
  Port.dataVar[kVarLineCount] = MakeLink<&TConfigReader::varLineCount>(*this);
  Port.dataVar[kVarLines] = MakeLink<&TKXStrList::varArray>(lines_);
  Port.dataVar[kVarLineBreak] = MakeLink<&TConfigReader::varLineBreak>(*this);
}

void TConfigReader::doRead(TData&, uint16_t) {
  path_ = AsText(path_variable_.Value());
  lines_.Lines().clear();
  scan_ = FileScan();
  scan_->keep_lines = true;
  source_ = ScanFile(path_, *scan_);
  lines_.Lines() = RecordList(scan_->lines);
  std::vector<std::string>().swap(scan_->lines);
  const TEventLink on_address = EventOutput(kOnAddress);
  for (std::string& address : scan_->addresses) FireEvent(on_address, std::move(address));
  std::vector<std::string>().swap(scan_->addresses);  // they went out as events; only the rest is asked for later
}

void TConfigReader::varInsertLine(TData& value, uint16_t) {
  value = MakeInteger(scan_ && scan_->insert_line ? int32_t(*scan_->insert_line) : -1);
}

void TConfigReader::varLineCount(TData& value, uint16_t) { value = MakeInteger(int32_t(lines_.Lines().size())); }

void TConfigReader::varLineBreak(TData& value, uint16_t) { value = MakeText(std::string(EndingBytes(source_.ending))); }
