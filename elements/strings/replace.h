// TKXReplace: replaces every occurrence of a substring.
#pragma once

#include <string>
#include <string_view>

#include "runtime/element.h"
#include "runtime/link.h"

// Every occurrence of `find` in `text` replaced by `with`, left to right, never rescanning what was put in.
std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view with);

class TKXReplace : public TKXObject {
 public:
  std::string SubStr;       // default of dataSubStr: the text to find (case-sensitive)
  std::string ReplaceWith;  // default of dataReplace

  TEventLink dataStr;
  TEventLink dataSubStr;
  TEventLink dataReplace;
  TEventLink onReplace;

  void doReplace(TData& value, uint16_t index);
};
