// The scratch folder the tests' build of veltrane-write writes below (its "/etc"), with the
// folders beside it that stand for /usr/bin and /run.
#pragma once

#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "runtime/platform/files.h"

namespace write_scratch {

inline const std::string kScratch = VELTRANE_WRITE_SCRATCH;
inline const std::string kEtc = kScratch + "/etc";

inline std::string Read(const std::string& path) { return platform::ReadFile(path).value_or("<missing>"); }

inline void Put(const std::string& path, const std::string& bytes, mode_t mode = 0644) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
  ::chmod(path.c_str(), mode);
}

// Makes the scratch folders afresh; the first folder up from them that others than root may
// change, or nothing when there is none.
inline std::string MakeScratch() {
  std::error_code error;
  std::filesystem::remove_all(kScratch, error);
  for (const char* folder : {"", "/etc", "/bin", "/run"}) {
    if (!std::filesystem::create_directory(kScratch + folder, error)) return kScratch + folder;
    ::chmod((kScratch + folder).c_str(), 0755);
  }
  for (std::filesystem::path folder = kScratch; !folder.empty(); folder = folder.parent_path()) {
    struct stat st;
    if (::lstat(folder.c_str(), &st) != 0 || S_ISLNK(st.st_mode) || st.st_uid != 0 || (st.st_mode & 022) != 0)
      return folder.string();
    if (folder == folder.root_path()) break;
  }
  return "";
}

}  // namespace write_scratch
