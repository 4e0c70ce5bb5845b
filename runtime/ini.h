// TKXini: reads, writes or deletes one key of an INI file, or erases a whole section.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/element.h"
#include "runtime/link.h"

class TKXini : public TKXObject {
 public:
  std::string FileName;  // resolved by the INI path rule; the schemes use "Veltra.ini"
  std::string Section;
  std::string Key;       // may stay empty when the key comes through dataKey
  uint8_t DataType = 0;  // 0: the value is an integer; anything else: text
  TEventLink dataFileName, dataSection, dataKey, dataValue;
  TEventLink onResult;      // fired with the value read
  TEventLink onWriteError;  // a text for the user when a change could not be written to the file

  void doRead(TData& value, uint16_t index);
  void doWrite(TData& value, uint16_t index);
  void doDeleteKey(TData& value, uint16_t index);
  void doEraseSection(TData& value, uint16_t index);

 private:
  // Every action starts by reading the file and then the section, in that order.
  struct Target {
    std::string file;
    std::string section;
  };
  Target Open(TData& arriving) const;
  void Written(bool done, const std::string& file, const std::string& why);
};
