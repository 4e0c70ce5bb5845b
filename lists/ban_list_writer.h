// BanListWriter: collects the tags and records of the chosen categories and writes them,
// after the header, as the lines of a combined ban list file.
//
// Inputs: 0 doReset; 1 to 5 doCountAdvertisement .. doCountViruses (each reads its data
// input 0 to 4, a line count); 6 doAddLine (trimmed); 7 doAddRecord (lower-cased, trimmed);
// 8 doWrite, which hands the lines out and lets them go. Events: 0 onLine, one per output
// line; 1 onFile, the file to write to.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "runtime/global_var.h"
#include "runtime/record_list.h"
#include "runtime/scheme.h"
#include "widgets/save_dialog.h"

class BanListWriter : public TScheme {
 public:
  // kDoCountFirst + i counts category i of kCategories (Advertisement first) from data input i.
  enum Input : uint16_t {
    kDoReset = 0,
    kDoCountFirst = 1,
    kDoAddLine = 6,
    kDoAddRecord = 7,
    kDoWrite = 8,
    kInputCount
  };
  enum Data : uint16_t { kDataCountFirst = 0, kDataCount = 5 };
  enum Event : uint16_t { kOnLine = 0, kOnFile = 1, kEventCount };

  explicit BanListWriter(TKXWin* parent);

  void doReset(TData& value, uint16_t index);
  void doCount(TData& value, uint16_t category);
  void doAddLine(TData& value, uint16_t index);
  void doAddRecord(TData& value, uint16_t index);
  void doWrite(TData& value, uint16_t index);

 private:
  std::array<TData, 5> counts_;  // empty counts 0
  int64_t total_ = 0;
  RecordList buffer_;  // the lines below the header, until they are written

  TKXGlobalVar& name_;
  TKXGlobalVar& url_;
  TKXGlobalVar& file_;
  TKXSDialog& save_dialog_;
};
