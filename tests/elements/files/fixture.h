// What the file element tests share: a probe for event outputs and a scratch folder.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "runtime/link.h"
#include "runtime/platform/files.h"

// Records what arrives, in order: as text (prefixed with "N:" when linked with point N above 0) and as it came.
struct Probe {
  std::vector<std::string> texts;
  std::vector<TData> values;
  void doIt(TData& value, uint16_t point) {
    texts.push_back((point ? std::to_string(point) + ":" : "") + AsText(value));
    values.push_back(value);
  }
  TEventLink Link(uint16_t point = 0) { return MakeLink<&Probe::doIt>(*this, point); }
};

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
