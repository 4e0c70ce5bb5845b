// TKXFileTools, the element that copies and deletes single files for the backups
// and their pruning.
#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/link.h"

class TKXFileTools : public TKXObject {
 public:
  // Set: delete at once. There is no recycle bin to move files into, so a cleared
  // Permanent deletes at once as well, and a name is always one file (no ";" lists).
  bool Permanent = false;

  TEventLink dataFileName;  // source of doCopy, name of doDelete
  TEventLink dataDest;      // destination of doCopy
  TEventLink onDone;        // empty value: the copy is there, or the file is gone

  // Copies dataFileName over dataDest (pulled in that order). The copy is atomic, and
  // onDone fires only when it succeeded: a destination left over from before is no success.
  void doCopy(TData& value, uint16_t index);
  // Deletes dataFileName; onDone fires when no file of that name is left, so a
  // missing file also yields onDone.
  void doDelete(TData& value, uint16_t index);
};
