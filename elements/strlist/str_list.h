// TKXStrList: an ordered list of text lines in memory, loaded from and saved to a
// plain text file, and handed out to the array elements as a TDataArray. The lines are a
// RecordList: a million of them take one buffer and eight bytes each, not a string apiece.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "runtime/element.h"
#include "runtime/lines.h"
#include "runtime/link.h"
#include "runtime/record_list.h"

class TKXStrList : public TKXObject {
 public:
  TKXStrList();
  ~TKXStrList() override;

  // Properties.
  std::string FileName;  // used by doLoad and doSave when dataFileName gives nothing
  // How doLoad splits a file: the program's own rule (CR, CR LF) by default; lists read
  // from files written anywhere take a lone LF as a line break too.
  LineBreaks Breaks = LineBreaks::CrOrCrLf;
  // The Strings property: the initial content, split by the line rule.
  void SetStrings(const std::string& text);

  // Event output and data inputs.
  TEventLink onChange;
  TEventLink onSaveError;  // a text for the user: which file could not be saved, and why
  TEventLink dataFileName;
  TEventLink dataStr;

  void doAdd(TData& value, uint16_t index);
  void doClear(TData& value, uint16_t index);
  void doDelete(TData& value, uint16_t index);
  void doLoad(TData& value, uint16_t index);
  void doSave(TData& value, uint16_t index);
  void doSort(TData& value, uint16_t index);

  void varText(TData& result, uint16_t index);
  void varCount(TData& result, uint16_t index);
  void varArray(TData& result, uint16_t index);

  // Direct access to the lines for code that holds the element itself.
  const RecordList& Lines() const { return lines_; }
  RecordList& Lines() { return lines_; }
  // doSave for code that holds the element: false (after onSaveError) when nothing was written.
  bool Save(const std::string& name);

 private:
  class Array;
  RecordList lines_;
  std::unique_ptr<Array> array_;  // made on the first varArray, then handed out every time
};
