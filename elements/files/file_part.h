// TKXFilePart, the element that splits a path into folder, file name and extension.
#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/link.h"

// "\", "/" and ":" all end a folder part. The extension is looked for in the file
// name alone, so a dot in a folder name never yields one.
class TKXFilePart : public TKXObject {
 public:
  bool NoDot = false;    // extension without its leading "."
  bool WithExt = false;  // the name keeps its extension

  TEventLink dataFileName;
  TEventLink onPath;  // folder part with its separator, or empty
  TEventLink onName;
  TEventLink onExt;

  // Fires onPath, onName and onExt in this order; an empty name fires nothing.
  void doPart(TData& value, uint16_t index);
};
