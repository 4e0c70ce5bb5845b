// TKXGVarContainer: the section loader, which fills global variables from one INI section.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/element.h"
#include "runtime/link.h"

class TKXGVarContainer : public TKXObject {
 public:
  std::vector<std::string> Names;  // one variable per line: "name" or "name=default"
  std::string Section;
  std::string FileName;  // resolved by the INI path rule
  TEventLink onEnd;      // fired with the empty value once the section is loaded
  TEventLink dataFileName, dataSection;

  // At construction: Names becomes the lines of the text.
  void SetNames(const std::string& text);

  void doRead(TData& value, uint16_t index);
};
