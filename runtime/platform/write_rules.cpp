#include "runtime/platform/write_rules.h"

namespace platform {
namespace {

using Kind = PathStep::Kind;

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; }

bool SameNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
  return true;
}

// The names between the separators after the first `skip` characters; false when one is
// empty, "." or "..", or when `bad` says a name is not plain.
template <class Bad>
bool SplitNames(std::string_view path, size_t skip, char sep, Bad bad, std::vector<std::string_view>* prefixes) {
  if (path.size() <= skip) return false;
  size_t start = skip;
  for (;;) {
    const size_t end = path.find(sep, start);
    const std::string_view name = path.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (name.empty() || name == "." || name == ".." || bad(name)) return false;
    if (end == std::string_view::npos) {
      if (prefixes) prefixes->push_back(path);
      return true;
    }
    if (prefixes) prefixes->push_back(path.substr(0, end));
    start = end + 1;
  }
}

bool PosixNameBad(std::string_view name) { return name.find('\0') != std::string_view::npos; }

// Windows takes a trailing dot or blank off a name and reads ":" as a stream of the file,
// so such a name does not say plainly which file it is.
// The names of devices (CON, NUL, COM1 ...) name them in every folder, with any extension.
bool WindowsDeviceName(std::string_view name) {
  const std::string_view stem = name.substr(0, name.find('.'));
  for (const char* device : {"con", "prn", "aux", "nul", "conin$", "conout$"})
    if (SameNoCase(stem, device)) return true;
  if (stem.size() == 4 && (SameNoCase(stem.substr(0, 3), "com") || SameNoCase(stem.substr(0, 3), "lpt")))
    return stem[3] >= '0' && stem[3] <= '9';
  return false;
}

bool WindowsNameBad(std::string_view name) {
  if (name.back() == '.' || name.back() == ' ' || WindowsDeviceName(name)) return true;
  for (char c : name)
    if (static_cast<unsigned char>(c) < 32 || std::string_view("<>:\"/|?*").find(c) != std::string_view::npos) return true;
  return false;
}

bool WindowsDrivePath(std::string_view path) {
  return path.size() >= 3 && ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) &&
         path[1] == ':' && path[2] == '\\';
}

// Whether `path` lies strictly below `root`.
bool Below(std::string_view path, std::string_view root, char sep, bool no_case) {
  if (path.size() <= root.size() + 1 || path[root.size()] != sep) return false;
  const std::string_view head = path.substr(0, root.size());
  return no_case ? SameNoCase(head, root) : head == root;
}

// The first copy of NAME, NAME.old beside it, is the one file ever made new: it holds NAME's
// bytes, so nothing is made that was not there already under another name.
WriteRefusal CheckNewCopy(std::string_view path, const PathStep& sibling, bool same_as_sibling, bool no_case) {
  const std::string_view name = path.substr(path.find_last_of("/\\") + 1);
  const std::string_view suffix = name.size() > 4 ? name.substr(name.size() - 4) : std::string_view();
  const bool old_name = no_case ? SameNoCase(suffix, ".old") : suffix == ".old";
  if (!old_name || sibling.kind != Kind::File || sibling.links != 1) return WriteRefusal::Missing;
  return same_as_sibling ? WriteRefusal::None : WriteRefusal::NotACopy;
}

// A resolver's file of the program's own may be made new in a folder a DNS server reads
// such files from, so that the first export to /etc/dnsmasq.d needs no administrator's
// hand beforehand; the content decides, not the name: nothing but such a file is made.
bool NewProgramFile(std::string_view path, std::string_view root, bool program_file) {
  if (!program_file) return false;
  const std::string_view folder = path.substr(0, path.rfind('/'));
  for (std::string_view allowed : kNewFileFolders) {
    if (folder.size() == root.size() + 1 + allowed.size() && folder.starts_with(root) &&
        folder[root.size()] == '/' && folder.ends_with(allowed))
      return true;
  }
  return false;
}

WriteRefusal CheckFile(std::string_view path, const PathStep& file, const PathStep& sibling, bool same_as_sibling,
                       bool no_case, bool new_program_file = false) {
  switch (file.kind) {
    case Kind::Link: return WriteRefusal::Link;
    case Kind::Folder:
    case Kind::Other: return WriteRefusal::NotRegular;
    case Kind::Missing:
      return new_program_file ? WriteRefusal::None : CheckNewCopy(path, sibling, same_as_sibling, no_case);
    case Kind::File: break;
  }
  if (file.links != 1) return WriteRefusal::HardLinked;
  if (file.read_only) return WriteRefusal::ReadOnly;
  return WriteRefusal::None;
}

// A folder only the administrator may change: root's, and written by nobody else.
bool ClosedPosixFolder(const PathStep& folder) { return folder.owner == 0 && (folder.mode & 022) == 0; }

}  // namespace

const char* RefusalWords(WriteRefusal refusal) {
  switch (refusal) {
    case WriteRefusal::None: return "";
    case WriteRefusal::NotAbsolute: return "the path is not absolute";
    case WriteRefusal::NotNormal: return "the path is not in its plain form (\"..\", \".\", doubled separators)";
    case WriteRefusal::OutsideRoot: return "only files in the system's configuration folder are written this way";
    case WriteRefusal::Link: return "a link in the path could lead to another file";
    case WriteRefusal::NotFolder: return "a part of the path is not a folder";
    case WriteRefusal::OpenFolder: return "a folder of the path may be changed by others than the administrator";
    case WriteRefusal::NotRegular: return "it is not a regular file (a folder, device, FIFO or socket)";
    case WriteRefusal::HardLinked: return "the file has other names (hard links) that the write would split from it";
    case WriteRefusal::ReadOnly: return "the file is read-only";
    case WriteRefusal::Missing:
      return "the file does not exist (only a first copy NAME.old beside NAME, or a resolver file of Veltrane's in a "
             "DNS server's folder, is made new)";
    case WriteRefusal::NotACopy: return "a new NAME.old must hold exactly what NAME holds";
    case WriteRefusal::TooLarge: return "the content is larger than 256 MiB";
  }
  return "refused";
}

bool IsProgramFile(std::string_view bytes) {
  if (bytes.empty() || (bytes[0] != '#' && bytes[0] != ';' && bytes[0] != '!')) return false;
  const std::string_view first = bytes.substr(1, bytes.find_first_of("\r\n") - 1);
  return first.starts_with(" Created with Veltrane: ");
}

std::vector<std::string_view> PosixSteps(std::string_view path) {
  std::vector<std::string_view> prefixes;
  if (path.empty() || path[0] != '/' || !SplitNames(path, 1, '/', PosixNameBad, &prefixes)) return {};
  return prefixes;
}

std::vector<std::string_view> WindowsSteps(std::string_view path) {
  std::vector<std::string_view> prefixes;
  if (!WindowsDrivePath(path) || !SplitNames(path, 3, '\\', WindowsNameBad, &prefixes)) return {};
  return prefixes;
}

WriteRefusal CheckPosixWrite(const PosixWrite& w) {
  if (w.path.empty() || w.path[0] != '/') return WriteRefusal::NotAbsolute;
  const std::vector<std::string_view> steps = PosixSteps(w.path);
  if (steps.empty()) return WriteRefusal::NotNormal;
  if (!Below(w.path, w.root, '/', false)) return WriteRefusal::OutsideRoot;
  if (w.steps.size() != steps.size()) return WriteRefusal::NotFolder;
  if (w.top.kind == Kind::Link) return WriteRefusal::Link;
  if (w.top.kind != Kind::Folder) return WriteRefusal::NotFolder;
  if (!ClosedPosixFolder(w.top)) return WriteRefusal::OpenFolder;
  for (size_t i = 0; i + 1 < w.steps.size(); ++i) {
    const PathStep& folder = w.steps[i];
    if (folder.kind == Kind::Link) return WriteRefusal::Link;
    if (folder.kind == Kind::Missing) return WriteRefusal::Missing;
    if (folder.kind != Kind::Folder) return WriteRefusal::NotFolder;
    if (!ClosedPosixFolder(folder)) return WriteRefusal::OpenFolder;
  }
  const bool ends_old = w.path.size() > 4 && w.path.ends_with(".old");
  const WriteRefusal file = CheckFile(w.path, w.steps.back(), w.sibling, w.same_as_sibling, false,
                                      !ends_old && NewProgramFile(w.path, w.root, w.program_file));
  if (file != WriteRefusal::None) return file;
  return w.size > kMaxElevatedWrite ? WriteRefusal::TooLarge : WriteRefusal::None;
}

WriteRefusal CheckWindowsWrite(const WindowsWrite& w) {
  if (!WindowsDrivePath(w.path)) return WriteRefusal::NotAbsolute;
  const std::vector<std::string_view> steps = WindowsSteps(w.path);
  if (steps.empty()) return WriteRefusal::NotNormal;
  if (!Below(w.path, w.root, '\\', true)) return WriteRefusal::OutsideRoot;
  if (w.steps.size() != steps.size()) return WriteRefusal::NotFolder;
  for (size_t i = 0; i + 1 < w.steps.size(); ++i) {
    const PathStep& folder = w.steps[i];
    if (folder.kind == Kind::Link) return WriteRefusal::Link;
    if (folder.kind == Kind::Missing) return WriteRefusal::Missing;
    if (folder.kind != Kind::Folder) return WriteRefusal::NotFolder;
  }
  const WriteRefusal file = CheckFile(w.path, w.steps.back(), w.sibling, w.same_as_sibling, true);
  if (file != WriteRefusal::None) return file;
  return w.size > kMaxElevatedWrite ? WriteRefusal::TooLarge : WriteRefusal::None;
}

}  // namespace platform
