// TKXFileSearch, the element that finds files in a folder (and, on request, in its
// subfolders) whose names fit a wildcard mask.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/element.h"
#include "runtime/link.h"

class TKXFileSearch : public TKXObject {
 public:
  std::string Mask;  // "*", "?", "#" wildcards; empty: every name
  std::string Dir;
  bool NoSubDirs = true;  // stay in the folder itself
  bool FullPath = true;   // report folder and name rather than the bare name
  int32_t Include = 0;    // 0 = files, 1 = folders, 2 = both

  TEventLink dataDir;   // default Dir
  TEventLink dataMask;  // default Mask
  TEventLink onFound;
  TEventLink onEndSearch;  // integer: the number of matching files
  TEventLink onOther;      // path of a file that does not match

  // Entries whose names begin with "." are passed over. Folders are reported
  // (Include 1 or 2) whatever the mask says, and are not counted; matching files are
  // counted even when Include 1 keeps them from being reported. An empty folder
  // name does nothing; a missing folder ends with 0.
  void doSearch(TData& value, uint16_t index);

 private:
  struct Run;
  void SearchFolder(Run& run, const std::string& folder) const;
};
