// KwfImporter: reads the addresses of a configuration file the user picks and offers
// those no list holds yet.
//
// Input 0 doImport. Data input 0 dataKnown (the known records, an array). Events:
// 0 onAddress (one address, in file order), 1 onCancel (the dialog was cancelled).
#pragma once

#include "runtime/scheme.h"

class KwfImporter : public TScheme {
 public:
  explicit KwfImporter(TKXWin* parent);

  void doImport(TData& value, uint16_t index);
};
