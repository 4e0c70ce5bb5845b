// What the file element tests share: a scratch folder (and the probe for event outputs).
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "probe.h"
#include "runtime/link.h"
#include "runtime/platform/files.h"

// A scratch folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder() { path_ = ::mkdtemp(path_.data()) ? path_ : ""; }
  ~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  // The folder itself, without a trailing separator.
  const std::string& Path() const { return path_; }
  // A name inside it, written with the program's "\" separators.
  std::string operator/(const std::string& relative) const { return path_ + "\\" + relative; }
  void Write(const std::string& relative, const std::string& bytes) const {
    platform::WriteFileAtomic(*this / relative, bytes);
  }
  void MakeFolder(const std::string& relative) const { platform::MakeDirectory(*this / relative); }

 private:
  std::string path_ = (std::filesystem::temp_directory_path() / "veltrane-files-XXXXXX").string();
};
