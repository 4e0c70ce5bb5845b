// The survey on Windows: attributes read without following reparse points, the number of
// names of the file from its handle.
#include <windows.h>

#include "runtime/platform/code_page.h"
#include "runtime/platform/files.h"
#include "runtime/platform/write_survey.h"

namespace platform {
namespace {

PathStep Look(const std::string& path, uint64_t* id = nullptr) {
  PathStep step;
  const std::wstring wide = WideFromBytes(path);
  const DWORD attributes = ::GetFileAttributesW(wide.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    step.kind = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? PathStep::Kind::Missing
                                                                               : PathStep::Kind::Other;
    return step;
  }
  step.read_only = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  if (attributes & FILE_ATTRIBUTE_REPARSE_POINT) {
    step.kind = PathStep::Kind::Link;
    return step;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
    step.kind = PathStep::Kind::Folder;
    return step;
  }
  step.kind = PathStep::Kind::Other;
  HANDLE file = ::CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (file == INVALID_HANDLE_VALUE) return step;
  BY_HANDLE_FILE_INFORMATION info{};
  if (::GetFileType(file) == FILE_TYPE_DISK && ::GetFileInformationByHandle(file, &info)) {
    step.kind = PathStep::Kind::File;
    step.links = info.nNumberOfLinks;
    if (id) *id = (uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
  }
  ::CloseHandle(file);
  return step;
}

bool EndsWithOld(const std::string& path) {
  if (path.size() <= 4) return false;
  std::string tail = path.substr(path.size() - 4);
  for (char& c : tail) c = c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
  return tail == ".old";
}

// A 32-bit program on 64-bit Windows sees System32 through the file system redirector:
// System32\drivers\etc is exempt from it, the folders above it are not (System32\drivers
// would be SysWOW64\drivers). The survey looks at the real folders, as the write reaches them.
class RealSystemFolders {
 public:
  RealSystemFolders() : off_(::Wow64DisableWow64FsRedirection(&old_)) {}
  ~RealSystemFolders() {
    if (off_) ::Wow64RevertWow64FsRedirection(old_);
  }
  RealSystemFolders(const RealSystemFolders&) = delete;
  RealSystemFolders& operator=(const RealSystemFolders&) = delete;

 private:
  PVOID old_ = nullptr;
  BOOL off_ = FALSE;
};

}  // namespace

WriteSurvey SurveyWrite(const std::string& path, const std::string& root, std::string_view bytes) {
  const RealSystemFolders real_folders;
  WriteSurvey survey;
  WindowsWrite write;
  write.path = path;
  write.root = root;
  write.size = bytes.size();
  PathStep last;
  uint64_t id = 0;
  for (std::string_view prefix : WindowsSteps(path)) {
    last = Look(std::string(prefix), &id);
    write.steps.push_back(last);
  }
  survey.like = path;
  survey.id = id;
  if (!write.steps.empty() && last.kind == PathStep::Kind::Missing && EndsWithOld(path)) {
    survey.like = path.substr(0, path.size() - 4);
    survey.new_copy = true;
    write.sibling = Look(survey.like, &survey.id);
    const std::optional<std::string> original =
        write.sibling.kind == PathStep::Kind::File ? ReadFile(survey.like) : std::nullopt;
    write.same_as_sibling = original && *original == bytes;
  }
  survey.refusal = CheckWindowsWrite(write);
  return survey;
}

}  // namespace platform
