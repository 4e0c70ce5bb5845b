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
    const std::string_view name =
        path.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
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
    if (static_cast<unsigned char>(c) < 32 || std::string_view("<>:\"/|?*").find(c) != std::string_view::npos)
      return true;
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

using Path = ProgramPath::Kind;

// A file to replace: one name, writable, no program.
WriteRefusal CheckExisting(const PathStep& file) {
  if (file.links != 1) return WriteRefusal::HardLinked;
  if (file.read_only) return WriteRefusal::ReadOnly;
  if ((file.mode & 06111) != 0 || file.capability) return WriteRefusal::Executable;
  return WriteRefusal::None;
}

// The file at the path, by what the program writes there. Only two files are ever made new:
// the first copy hosts.old, which holds the hosts file's bytes, so that nothing is made that
// was not there under another name; and a resolver file of the program's own in a DNS
// server's folder, so that the first export to /etc/dnsmasq.d needs no administrator's hand
// beforehand (its content is judged by the grammar below).
WriteRefusal CheckFile(ProgramPath what, const PathStep& file, const PathStep& sibling, bool same_as_sibling,
                       bool marked) {
  switch (file.kind) {
    case Kind::Link: return WriteRefusal::Link;
    case Kind::Folder:
    case Kind::Other: return WriteRefusal::NotRegular;
    case Kind::Missing:
      if (what.kind == Path::ResolverFile) return WriteRefusal::None;
      if (what.kind != Path::HostsCopy || sibling.kind != Kind::File) return WriteRefusal::Missing;
      if (sibling.links != 1) return WriteRefusal::HardLinked;
      if ((sibling.mode & 06111) != 0 || sibling.capability) return WriteRefusal::Executable;
      return same_as_sibling ? WriteRefusal::None : WriteRefusal::NotACopy;
    case Kind::File: break;
  }
  if (what.kind == Path::HostsCopy) return WriteRefusal::CopyExists;
  if (const WriteRefusal refusal = CheckExisting(file); refusal != WriteRefusal::None) return refusal;
  // A file there without the mark is the administrator's, whatever the new content says.
  if (what.kind == Path::ResolverFile && !marked) return WriteRefusal::NotProgramFile;
  return WriteRefusal::None;
}

// What the program writes into each file. A resolver file is only the lines of its folder's
// format. The hosts file also holds the user's own lines, kept as the user wrote them, so no
// grammar fits it; it must be text: a NUL byte ends the line for every reader written in C.
// A first copy holds the hosts file's bytes, compared above.
WriteRefusal CheckContent(ProgramPath what, std::string_view content, uint64_t size) {
  if (size > kMaxElevatedWrite) return WriteRefusal::TooLarge;
  switch (what.kind) {
    case Path::Hosts: return content.find('\0') == std::string_view::npos ? WriteRefusal::None : WriteRefusal::NotText;
    case Path::ResolverFile:
      return JudgeResolverFile(what.format, content).Fits() ? WriteRefusal::None : WriteRefusal::NotResolverFile;
    case Path::HostsCopy:
    case Path::None: break;
  }
  return WriteRefusal::None;
}

// A folder only the administrator may change: root's, and written by nobody else.
bool ClosedPosixFolder(const PathStep& folder) { return folder.owner == 0 && (folder.mode & 022) == 0; }

// The name after `root` and a separator, when `path` lies directly in `root`.
std::string_view NameIn(std::string_view path, std::string_view root, char sep, bool no_case) {
  if (!Below(path, root, sep, no_case)) return {};
  const std::string_view name = path.substr(root.size() + 1);
  return name.find(sep) == std::string_view::npos ? name : std::string_view();
}

}  // namespace

const char* RefusalWords(WriteRefusal refusal) {
  switch (refusal) {
    case WriteRefusal::None: return "";
    case WriteRefusal::NotAbsolute: return "the path is not absolute";
    case WriteRefusal::NotNormal: return "the path is not in its plain form (\"..\", \".\", doubled separators)";
    case WriteRefusal::OutsideRoot: return "only files in the system's configuration folder are written this way";
    case WriteRefusal::NotProgramPath:
      return "only the hosts file, its first copy hosts.old and Veltrane's own resolver files (directly in dnsmasq.d, "
             "unbound/unbound.conf.d, bind or knot-resolver) are written this way";
    case WriteRefusal::Link: return "a link in the path could lead to another file";
    case WriteRefusal::NotFolder: return "a part of the path is not a folder";
    case WriteRefusal::OpenFolder: return "a folder of the path may be changed by others than the administrator";
    case WriteRefusal::NotRegular: return "it is not a regular file (a folder, device, FIFO or socket)";
    case WriteRefusal::HardLinked: return "the file has other names (hard links) that the write would split from it";
    case WriteRefusal::ReadOnly: return "the file is read-only";
    case WriteRefusal::Executable:
      return "the file is a program (an execute bit, a set-user-id or set-group-id bit, or a file capability)";
    case WriteRefusal::Missing:
      return "the file does not exist (only the first copy hosts.old beside the hosts file, or a resolver file of "
             "Veltrane's in a DNS server's folder, is made new)";
    case WriteRefusal::CopyExists: return "the first copy hosts.old exists already and is never replaced";
    case WriteRefusal::NotACopy: return "a new hosts.old must hold exactly what the hosts file holds";
    case WriteRefusal::NotProgramFile:
      return "the file was not created by Veltrane (its first line lacks \"Created with Veltrane: \"): it is the "
             "administrator's";
    case WriteRefusal::NotResolverFile: return "the content holds a line Veltrane never writes in a resolver file";
    case WriteRefusal::NotText: return "the content is no text (it holds a NUL byte)";
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

ProgramPath PosixProgramPath(std::string_view path, std::string_view root) {
  if (!Below(path, root, '/', false)) return {};
  const std::string_view name = NameIn(path, root, '/', false);
  if (name == "hosts") return {Path::Hosts};
  if (name == "hosts.old") return {Path::HostsCopy};
  for (const ResolverFolder& folder : kResolverFolders) {
    if (path.size() > root.size() + 1 + folder.folder.size() &&
        path.substr(root.size() + 1).starts_with(folder.folder) &&
        !NameIn(path, path.substr(0, root.size() + 1 + folder.folder.size()), '/', false).empty())
      return {Path::ResolverFile, folder.format};
  }
  return {};
}

ProgramPath WindowsProgramPath(std::string_view path, std::string_view root) {
  const std::string_view name = NameIn(path, root, '\\', true);
  if (SameNoCase(name, "hosts")) return {Path::Hosts};
  if (SameNoCase(name, "hosts.old")) return {Path::HostsCopy};
  return {};
}

WriteRefusal CheckPosixPath(std::string_view path, std::string_view root) {
  if (path.empty() || path[0] != '/') return WriteRefusal::NotAbsolute;
  if (PosixSteps(path).empty()) return WriteRefusal::NotNormal;
  if (!Below(path, root, '/', false)) return WriteRefusal::OutsideRoot;
  if (PosixProgramPath(path, root).kind == Path::None) return WriteRefusal::NotProgramPath;
  return WriteRefusal::None;
}

WriteRefusal CheckPosixWrite(const PosixWrite& w) {
  if (const WriteRefusal path = CheckPosixPath(w.path, w.root); path != WriteRefusal::None) return path;
  if (w.steps.size() != PosixSteps(w.path).size()) return WriteRefusal::NotFolder;
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
  const ProgramPath what = PosixProgramPath(w.path, w.root);
  const WriteRefusal file = CheckFile(what, w.steps.back(), w.sibling, w.same_as_sibling, w.marked);
  if (file != WriteRefusal::None) return file;
  return CheckContent(what, w.content, w.size);
}

WriteRefusal CheckWindowsPath(std::string_view path, std::string_view root) {
  if (!WindowsDrivePath(path)) return WriteRefusal::NotAbsolute;
  if (WindowsSteps(path).empty()) return WriteRefusal::NotNormal;
  if (!Below(path, root, '\\', true)) return WriteRefusal::OutsideRoot;
  if (WindowsProgramPath(path, root).kind == Path::None) return WriteRefusal::NotProgramPath;
  return WriteRefusal::None;
}

WriteRefusal CheckWindowsWrite(const WindowsWrite& w) {
  if (const WriteRefusal path = CheckWindowsPath(w.path, w.root); path != WriteRefusal::None) return path;
  if (w.steps.size() != WindowsSteps(w.path).size()) return WriteRefusal::NotFolder;
  if (w.top.open) return WriteRefusal::OpenFolder;
  for (size_t i = 0; i + 1 < w.steps.size(); ++i) {
    const PathStep& folder = w.steps[i];
    if (folder.kind == Kind::Link) return WriteRefusal::Link;
    if (folder.kind == Kind::Missing) return WriteRefusal::Missing;
    if (folder.kind != Kind::Folder) return WriteRefusal::NotFolder;
    if (folder.open) return WriteRefusal::OpenFolder;
  }
  const ProgramPath what = WindowsProgramPath(w.path, w.root);
  const WriteRefusal file = CheckFile(what, w.steps.back(), w.sibling, w.same_as_sibling, false);
  if (file != WriteRefusal::None) return file;
  return CheckContent(what, w.content, w.size);
}

}  // namespace platform
