// Writing with the system's permission on Windows: the content goes into a file in the
// user's temporary folder (which only the user, the system and administrators may read),
// and a second veltrane.exe is started with the verb "runas", so that Windows shows its UAC
// prompt, in the hidden write-only mode --write-elevated PATH CONTENT-FILE. That side checks
// both files, writes, and answers with its exit code.
#include "runtime/platform/elevation.h"

#include <windows.h>
#include <aclapi.h>
#include <shellapi.h>
#include <winternl.h>

#include <algorithm>
#include <memory>

#include "runtime/platform/code_page.h"
#include "runtime/platform/files.h"
#include "runtime/platform/windows_error.h"
#include "runtime/platform/write_survey.h"

namespace platform {
namespace {

ElevationHandler g_handler;
std::string g_etc;  // for tests: the folder in place of System32\drivers\etc

// The elevated side's exit codes besides 0: a refusal of the file, a refusal of the content
// file, and a failed write with the system's error code in the low bits.
constexpr DWORD kRefusedBase = 0x100;
constexpr DWORD kContentBase = 0x180;
constexpr DWORD kWriteFailed = 0x20000000;
constexpr DWORD kUsage = 2;

// Why the elevated side does not take the content file it was given. The side that asks is
// the user's, and the elevated side reads with an administrator's rights: it reads only a
// file the user could read anyway, the one the asking side made for it.
enum class ContentRefusal {
  None,
  NotDrivePath,  // a network share or a device: only a plain path on a drive
  NoUser,        // the process that asked, and so its user, could not be told
  Unopened,      // it could not be opened (missing, or in use by someone writing it)
  NotPlain,      // a folder, a link or another reparse point, a device
  Linked,        // a second name, which could be another user's file
  TooLarge,      // more than kMaxElevatedWrite bytes
  NotOwned,      // not the asking user's own: an administrator's file would go into the hosts file, which all may read
  OutsideTemp,   // not in the asking user's temporary folder, where the asking side puts it
  Unread,        // reading it failed
};
constexpr ContentRefusal kLastContentRefusal = ContentRefusal::Unread;

const char* ContentWords(ContentRefusal refusal) {
  switch (refusal) {
    case ContentRefusal::None: return "";
    case ContentRefusal::NotDrivePath: return "the content file's path is no plain path on a drive";
    case ContentRefusal::NoUser: return "the program that asked could not be told";
    case ContentRefusal::Unopened: return "the content file could not be opened for reading alone";
    case ContentRefusal::NotPlain: return "the content file was not a plain file";
    case ContentRefusal::Linked: return "the content file has other names (hard links)";
    case ContentRefusal::TooLarge: return "the content is larger than 256 MiB";
    case ContentRefusal::NotOwned: return "the content file does not belong to the user who asked";
    case ContentRefusal::OutsideTemp: return "the content file is not in the temporary folder of the user who asked";
    case ContentRefusal::Unread: return "the content file could not be read";
  }
  return "the content file was refused";
}

std::wstring SystemFolder() {
  wchar_t system[MAX_PATH + 1];
  const UINT n = ::GetSystemDirectoryW(system, MAX_PATH);
  return std::wstring(system, n > 0 && n < MAX_PATH ? n : 0);
}

// The folder the system's resolver reads its hosts file from: System32\drivers\etc.
// A 32-bit program on 64-bit Windows names the same folder, which the system leaves out of
// its redirection of System32.
std::string EtcFolder() { return g_etc.empty() ? BytesFromWide(SystemFolder()) + "\\drivers\\etc" : g_etc; }

std::string ProgramFile() {
  std::wstring exe(32768, L'\0');
  exe.resize(::GetModuleFileNameW(nullptr, exe.data(), DWORD(exe.size())));
  return BytesFromWide(exe);
}

bool SameNoCase(std::wstring_view a, std::wstring_view b) {
  return ::CompareStringOrdinal(a.data(), int(a.size()), b.data(), int(b.size()), TRUE) == CSTR_EQUAL;
}

// A library of the system's, from System32 and nowhere else: never one a user put beside
// the program or in the current folder.
HMODULE SystemLibrary(const wchar_t* name) {
  HMODULE library = ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  if (library || ::GetLastError() != ERROR_INVALID_PARAMETER) return library;
  // A Windows 7 without its update KB2533623 knows no such flag: the full path then.
  const std::wstring system = SystemFolder();
  return system.empty() ? nullptr : ::LoadLibraryW((system + L"\\" + name).c_str());
}

// Every library the elevated side loads from here on comes from System32 alone. The call is
// looked up, as a Windows 7 without KB2533623 lacks it.
void SearchOnlySystemFolder() {
  using SetDirectories = BOOL(WINAPI*)(DWORD);
  if (auto set = reinterpret_cast<SetDirectories>(
          reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories"))))
    set(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

// The resolver's cache keeps names it looked up: after the hosts file changed, blocked names
// would go on resolving until their entries expire. The call is not in the import library
// of every Windows, so it is looked up when needed.
void FlushResolverCache() {
  HMODULE dns = SystemLibrary(L"dnsapi.dll");
  if (!dns) return;
  using Flush = BOOL(WINAPI*)();
  if (auto flush = reinterpret_cast<Flush>(reinterpret_cast<void*>(::GetProcAddress(dns, "DnsFlushResolverCache"))))
    flush();
  ::FreeLibrary(dns);
}

// The temporary folder of the user whose token this is, as that user's environment names it
// (not the process's, which whoever started it chose), with its links resolved.
std::wstring UserTempFolder(HANDLE token) {
  using Expand = BOOL(WINAPI*)(HANDLE, LPCWSTR, LPWSTR, DWORD);
  HMODULE userenv = SystemLibrary(L"userenv.dll");
  if (!userenv) return {};
  std::wstring folder;
  if (auto expand = reinterpret_cast<Expand>(
          reinterpret_cast<void*>(::GetProcAddress(userenv, "ExpandEnvironmentStringsForUserW")))) {
    wchar_t buf[32768];
    if (expand(token, L"%TEMP%", buf, 32768) && buf[0] != L'%') folder = buf;
  }
  ::FreeLibrary(userenv);
  return folder;
}

struct Handle {
  HANDLE h = nullptr;
  explicit Handle(HANDLE handle = nullptr) : h(handle == INVALID_HANDLE_VALUE ? nullptr : handle) {}
  ~Handle() {
    if (h) ::CloseHandle(h);
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
};

// The path the handle leads to, with every link resolved ("\\?\C:\...").
std::wstring FinalPath(HANDLE handle) {
  std::wstring path(32768, L'\0');
  const DWORD n = ::GetFinalPathNameByHandleW(handle, path.data(), DWORD(path.size()), FILE_NAME_NORMALIZED);
  path.resize(n > 0 && n < path.size() ? n : 0);
  return path;
}

std::wstring FinalFolderPath(const std::wstring& folder) {
  constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
  const Handle handle(::CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  return handle.h ? FinalPath(handle.h) : std::wstring();
}

// Switches the privilege to open any process (SeDebugPrivilege, which an administrator's
// token holds switched off) on or off for this process.
bool SwitchDebugPrivilege(bool on) {
  HANDLE token = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) return false;
  TOKEN_PRIVILEGES privileges{};
  privileges.PrivilegeCount = 1;
  privileges.Privileges[0].Attributes = on ? SE_PRIVILEGE_ENABLED : 0;
  const bool switched = ::LookupPrivilegeValueW(nullptr, L"SeDebugPrivilege", &privileges.Privileges[0].Luid) &&
                        ::AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
                        ::GetLastError() == ERROR_SUCCESS;
  ::CloseHandle(token);
  return switched;
}

HANDLE OpenedParentToken(DWORD parent_id) {
  const Handle parent(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, parent_id));
  if (!parent.h) return nullptr;
  // A parent that has ended leaves its number to a later process, which is no parent.
  FILETIME parent_start, own_start, unused[3];
  if (!::GetProcessTimes(parent.h, &parent_start, &unused[0], &unused[1], &unused[2]) ||
      !::GetProcessTimes(::GetCurrentProcess(), &own_start, &unused[0], &unused[1], &unused[2]) ||
      ::CompareFileTime(&parent_start, &own_start) > 0)
    return nullptr;
  HANDLE token = nullptr;
  if (!::OpenProcessToken(parent.h, TOKEN_QUERY | TOKEN_IMPERSONATE | TOKEN_DUPLICATE, &token)) return nullptr;
  return token;
}

// The token of the process that started this one: the asking side, which waits for it.
// Windows starts a program elevated by "runas" as the child of the program that asked, also
// when an administrator's name and password were typed for a standard user; the process of
// another user is opened with the privilege to open any process, for that moment only.
HANDLE AskingToken() {
  using Query = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  const auto query = reinterpret_cast<Query>(
      reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION basic{};
  if (!query || query(::GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0)
    return nullptr;
  const DWORD parent_id = DWORD(basic.InheritedFromUniqueProcessId);
  HANDLE token = OpenedParentToken(parent_id);
  if (!token && SwitchDebugPrivilege(true)) {
    token = OpenedParentToken(parent_id);
    SwitchDebugPrivilege(false);
  }
  return token;
}

std::unique_ptr<BYTE[]> UserOf(HANDLE token) {
  DWORD size = 0;
  ::GetTokenInformation(token, ::TokenUser, nullptr, 0, &size);
  if (size == 0) return nullptr;
  std::unique_ptr<BYTE[]> user(new BYTE[size]);
  if (!::GetTokenInformation(token, ::TokenUser, user.get(), size, &size)) return nullptr;
  return user;
}

// Reads the content file as the asking side made it: opened once, never through a reparse
// point, shared for reading alone (nobody writes or removes it while it is open), checked
// and read through that one handle.
ContentRefusal ReadContent(const std::string& content_file, std::string& bytes) {
  if (WindowsSteps(content_file).empty()) return ContentRefusal::NotDrivePath;
  const Handle asking(AskingToken());
  const std::unique_ptr<BYTE[]> user = asking.h ? UserOf(asking.h) : nullptr;
  if (!user) return ContentRefusal::NoUser;
  const Handle file(::CreateFileW(WideFromBytes(content_file).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
  if (!file.h) return ContentRefusal::Unopened;
  BY_HANDLE_FILE_INFORMATION info{};
  if (::GetFileType(file.h) != FILE_TYPE_DISK || !::GetFileInformationByHandle(file.h, &info) ||
      (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)))
    return ContentRefusal::NotPlain;
  if (info.nNumberOfLinks != 1) return ContentRefusal::Linked;
  const uint64_t size = (uint64_t(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
  if (size > kMaxElevatedWrite) return ContentRefusal::TooLarge;
  PSID owner = nullptr;
  PSECURITY_DESCRIPTOR security = nullptr;
  if (::GetSecurityInfo(file.h, SE_FILE_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr, nullptr,
                        &security) != ERROR_SUCCESS)
    return ContentRefusal::NotOwned;
  const bool owned = owner && ::EqualSid(owner, reinterpret_cast<TOKEN_USER*>(user.get())->User.Sid);
  ::LocalFree(security);
  if (!owned) return ContentRefusal::NotOwned;
  const std::wstring path = FinalPath(file.h);
  const std::wstring temp = FinalFolderPath(UserTempFolder(asking.h));
  const size_t slash = path.rfind(L'\\');
  if (temp.empty() || slash == std::wstring::npos || !SameNoCase(std::wstring_view(path).substr(0, slash), temp))
    return ContentRefusal::OutsideTemp;
  // Nobody may write the file while the handle is open: its size stays what it was.
  bytes.resize(size_t(size));
  for (size_t got = 0; got < bytes.size();) {
    const DWORD chunk = DWORD(std::min<size_t>(bytes.size() - got, 1u << 30));
    DWORD n = 0;
    if (!::ReadFile(file.h, bytes.data() + got, chunk, &n, nullptr) || n == 0) return ContentRefusal::Unread;
    got += n;
  }
  return ContentRefusal::None;
}

}  // namespace

std::string ElevatedSideWords(int exit_code) {
  const DWORD code = DWORD(exit_code);
  if (code >= kRefusedBase && code <= kRefusedBase + DWORD(kLastRefusal))
    return RefusalWords(WriteRefusal(code - kRefusedBase));
  if (code > kContentBase && code <= kContentBase + DWORD(kLastContentRefusal))
    return ContentWords(ContentRefusal(code - kContentBase));
  if (code & kWriteFailed) return (code & ~kWriteFailed) ? WindowsErrorText(code & ~kWriteFailed) : "the write failed";
  return "the elevated program ended with code " + std::to_string(code);
}

bool RunsElevated() {
  HANDLE token = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token)) return false;
  TOKEN_ELEVATION elevation{};
  DWORD size = 0;
  const bool elevated = ::GetTokenInformation(token, TokenElevation, &elevation, sizeof elevation, &size) &&
                        elevation.TokenIsElevated != 0;
  ::CloseHandle(token);
  return elevated;
}

void SetElevationHandler(ElevationHandler handler) { g_handler = std::move(handler); }

void SetElevationPrograms(const std::string&, const std::string&, const std::string& root) { g_etc = root; }

ElevatedWrite WriteElevated(const std::string& path, std::string_view bytes) {
  const std::string target = RealPath(path);
  if (g_handler) return g_handler(target, bytes);
  ElevatedWrite done;
  const WriteSurvey survey = SurveyWrite(target, EtcFolder(), bytes);
  if (survey.refusal != WriteRefusal::None) {
    done.why = survey.why;
    return done;
  }
  // The content goes where the elevated side looks for it: the user's own temporary folder.
  std::wstring folder;
  HANDLE token = nullptr;
  if (::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY | TOKEN_IMPERSONATE | TOKEN_DUPLICATE, &token)) {
    folder = UserTempFolder(token);
    ::CloseHandle(token);
  }
  wchar_t temp[MAX_PATH + 1];
  if (folder.empty() || folder.size() >= MAX_PATH - 14 || !::GetTempFileNameW(folder.c_str(), L"vlw", 0, temp)) {
    done.why = "the content could not be put in a temporary file: " + WindowsErrorText(::GetLastError());
    return done;
  }
  const std::string content_file = BytesFromWide(temp);
  std::string why;
  if (!WriteFileAtomic(content_file, std::string(bytes), &why)) {
    ::DeleteFileW(temp);
    done.why = "the content could not be put in a temporary file: " + why;
    return done;
  }
  const std::wstring program = WideFromBytes(ProgramFile());
  const std::wstring parameters = L"--write-elevated \"" + WideFromBytes(target) + L"\" \"" + temp + L"\"";
  SHELLEXECUTEINFOW run{};
  run.cbSize = sizeof run;
  run.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  run.lpVerb = L"runas";
  run.lpFile = program.c_str();
  run.lpParameters = parameters.c_str();
  run.nShow = SW_HIDE;
  if (!::ShellExecuteExW(&run)) {
    const DWORD error = ::GetLastError();
    ::DeleteFileW(temp);
    if (error == ERROR_CANCELLED) done.result = ElevatedWrite::Result::Cancelled;
    else done.why = WindowsErrorText(error);
    return done;
  }
  DWORD code = kWriteFailed;
  if (run.hProcess) {
    ::WaitForSingleObject(run.hProcess, INFINITE);
    ::GetExitCodeProcess(run.hProcess, &code);
    ::CloseHandle(run.hProcess);
  }
  ::DeleteFileW(temp);
  if (code == 0) done.result = ElevatedWrite::Result::Done;
  else done.why = ElevatedSideWords(int(code));
  return done;
}

int WriteAsElevatedSide(const std::string& path, const std::string& content_file) {
  SearchOnlySystemFolder();
  if (path.empty() || content_file.empty()) return int(kUsage);
  // The path alone is judged before anything else happens, the content file opened included.
  const std::string etc = EtcFolder();
  const WriteRefusal by_path = CheckWindowsPath(path, etc);
  if (by_path != WriteRefusal::None) return int(kRefusedBase + DWORD(by_path));
  std::string bytes;
  const ContentRefusal content = ReadContent(content_file, bytes);
  if (content != ContentRefusal::None) return int(kContentBase + DWORD(content));
  const WriteSurvey survey = SurveyWrite(path, etc, bytes);
  if (survey.refusal != WriteRefusal::None) return int(kRefusedBase + DWORD(survey.refusal));
  // A first copy takes its source's attributes; a replaced file keeps its own, its owner and
  // its access rules (ReplaceFileW).
  AtomicFileWriter writer = survey.new_copy ? AtomicFileWriter(path, survey.like) : AtomicFileWriter(path);
  writer.Write(bytes.data(), bytes.size());
  if (!writer.Commit()) {
    const DWORD error = ::GetLastError();
    return int(kWriteFailed | (error & 0xFFFF));
  }
  if (WindowsProgramPath(path, etc).kind == ProgramPath::Kind::Hosts) FlushResolverCache();
  return 0;
}

}  // namespace platform
