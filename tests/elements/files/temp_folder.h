// A scratch folder for the file element tests, removed with everything in it.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>

#include "runtime/platform/files.h"

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "veltrane-files-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder itself, without a trailing separator.
  const std::string& Path() const { return path_; }
  // A name inside it, written with the program's "\" separators.
  std::string operator/(const std::string& relative) const { return path_ + "\\" + relative; }

  void Write(const std::string& relative, const std::string& bytes) const {
    platform::WriteFileAtomic(*this / relative, bytes);
  }
  void MakeFolder(const std::string& relative) const { platform::CreateDirectory(*this / relative); }

 private:
  std::string path_;
};
