// TKXDir, the element that creates folders with all their missing parents and tells
// the program's own folder.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/element.h"
#include "runtime/link.h"

// Creates folder `name` together with every missing parent, outermost first. The
// folder part of a name runs up to its last "\", "/" or ":". A name of fewer than
// three characters (a drive such as C:, or the root) counts as existing. A relative
// name whose first folder does not exist fails at the empty parent and creates
// nothing. Returns whether the chain now stands.
bool CreateFolderChain(const std::string& name);

class TKXDir : public TKXObject {
 public:
  // The arriving value, as text, names the folder. Nothing fires, nothing is reported.
  void doCreate(TData& value, uint16_t index);
  // The program's folder with its trailing separator.
  void varProgramDir(TData& result, uint16_t index);
};
