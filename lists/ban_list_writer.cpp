#include "lists/ban_list_writer.h"

#include "elements/files/time_stamp.h"
#include "elements/strings/str_case.h"
#include "elements/strings/trim.h"
#include "lists/ban_list_format.h"
#include "runtime/platform/clock.h"

namespace {
TKXGlobalVar& Named(TKXGlobalVar& var, const char* name) {
  var.SetName(name);
  return var;
}
}  // namespace

BanListWriter::BanListWriter(TKXWin* parent)
    : TScheme(parent),
      name_(Named(New<TKXGlobalVar>(), "name")),
      url_(Named(New<TKXGlobalVar>(), "url")),
      file_(Named(New<TKXGlobalVar>(), "file")),
      save_dialog_(New<TKXSDialog>()) {
  save_dialog_.Title = "Save URL Ban List";
  save_dialog_.Filter = "URL Ban List (*.txt)|*.txt";
  // The chosen file goes out as the file to write to; a cancelled dialog writes nothing.
  save_dialog_.onExecute = EventOutput(kOnFile);

  Port.SetInputCount(kInputCount);
  Port.onInput[kDoReset] = MakeLink<&BanListWriter::doReset>(*this);
  for (uint16_t k = 0; k < kDataCount; ++k)
    Port.onInput[kDoCountFirst + k] = MakeLink<&BanListWriter::doCount>(*this, k);
  Port.onInput[kDoAddLine] = MakeLink<&BanListWriter::doAddLine>(*this);
  Port.onInput[kDoAddRecord] = MakeLink<&BanListWriter::doAddRecord>(*this);
  Port.onInput[kDoWrite] = MakeLink<&BanListWriter::doWrite>(*this);
}

void BanListWriter::doReset(TData&, uint16_t) {
  for (auto& count : counts_) count.Clear();
  total_ = 0;
  buffer_.Free();
}

void BanListWriter::doCount(TData& value, uint16_t category) {
  InputValue(value, DataInput(uint16_t(kDataCountFirst + category)), TData{}, counts_[category]);
  total_ = 0;
  for (const auto& count : counts_) total_ += AsInteger(count);
}

void BanListWriter::doAddLine(TData& value, uint16_t) { buffer_.push_back(TrimBlanks(AsText(value))); }

void BanListWriter::doAddRecord(TData& value, uint16_t) { buffer_.push_back(TrimBlanks(LowerCaseText(AsText(value)))); }

void BanListWriter::doWrite(TData&, uint16_t) {
  const std::string header[] = {
      kBanListRule,
      kBanListCreatedWith,
      kBanListRule,
      "",
      "List Prepared by: " + AsText(name_.Value()),
      "",
      "Number of URL records: " + std::to_string(total_),
      "Date: " + FormatTimeStamp("D.M.Y", platform::Now()),
      "",
      AsText(url_.Value()),
      "",
      "",
      "",
  };
  const TEventLink on_line = EventOutput(kOnLine);
  for (const auto& line : header) FireEvent(on_line, line);
  for (std::string_view line : buffer_) FireEvent(on_line, std::string(line));
  // Whoever took the lines keeps them: the file is written from there, not from here.
  buffer_.Free();

  const std::string file = AsText(file_.Value());
  if (!file.empty()) {
    FireEvent(EventOutput(kOnFile), file);
    return;
  }
  TData none;
  save_dialog_.doExecute(none, 0);
}
