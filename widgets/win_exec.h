// TKXWinExec: opens a document or web address with the program the system associates with it.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/element.h"
#include "runtime/link.h"

class TKXWinExec : public TKXObject {
 public:
  std::string FileName;  // the document or address to open

  TEventLink dataFileName;  // default FileName

  void doShellExec(TData& value, uint16_t index);
};
