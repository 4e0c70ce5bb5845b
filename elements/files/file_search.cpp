// TKXFileSearch: a depth-first walk through the file layer's folder listings.
#include "elements/files/file_search.h"

#include <algorithm>

#include "elements/files/mask_match.h"
#include "runtime/platform/files.h"

// One doSearch call. Kept on the stack so that a receiver may start another search
// on the same element while this one is still running.
struct TKXFileSearch::Run {
  std::string mask;
  bool descend = false;
  bool full_path = true;
  int32_t include = 0;
  int32_t count = 0;
  // Real paths of the folders being walked, so that a link back to one of them is not
  // followed round and round.
  std::vector<std::string> walking;
};

void TKXFileSearch::doSearch(TData& value, uint16_t) {
  std::string folder = InputText(value, dataDir, Dir);
  Run run;
  run.mask = InputText(value, dataMask, Mask);
  if (folder.empty()) return;
  if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
  if (run.mask.empty()) run.mask.push_back('*');
  // The properties are read once, so that a receiver changing them cannot upset the walk.
  run.descend = !NoSubDirs;
  run.full_path = FullPath;
  run.include = Include;
  SearchFolder(run, folder);
  FireEvent(onEndSearch, run.count);
}

void TKXFileSearch::SearchFolder(Run& run, const std::string& folder) const {
  if (run.descend) {
    std::string real = platform::RealPath(folder);
    if (std::find(run.walking.begin(), run.walking.end(), real) != run.walking.end()) return;
    run.walking.push_back(std::move(real));
  }
  for (const platform::DirEntry& entry : platform::ListDirectory(folder)) {
    if (entry.name.empty() || entry.name[0] == '.') continue;
    std::string path = folder + entry.name;
    if (entry.is_directory) {
      if (run.include != 0) FireEvent(onFound, run.full_path ? path : entry.name);
      if (run.descend) SearchFolder(run, path + '\\');
    } else if (MaskMatches(entry.name, run.mask)) {
      ++run.count;
      if (run.include != 1) FireEvent(onFound, run.full_path ? std::move(path) : entry.name);
    } else {
      FireEvent(onOther, std::move(path));
    }
  }
  if (run.descend) run.walking.pop_back();
}
