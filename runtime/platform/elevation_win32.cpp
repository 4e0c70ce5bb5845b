// Writing with the system's permission on Windows: the content goes into a file in the
// user's temporary folder (which only the user, the system and administrators may read),
// and a second veltrane.exe is started with the verb "runas", so that Windows shows its UAC
// prompt, in the hidden write-only mode --write-elevated PATH CONTENT-FILE. That side checks
// both files, writes, and answers with its exit code.
#include "runtime/platform/elevation.h"

#include <windows.h>
#include <shellapi.h>

#include "runtime/platform/code_page.h"
#include "runtime/platform/files.h"
#include "runtime/platform/windows_error.h"
#include "runtime/platform/write_survey.h"

namespace platform {
namespace {

ElevationHandler g_handler;

// The elevated side's exit codes besides 0: a refusal of the file, the content file refused,
// and a failed write with the system's error code in the low bits.
constexpr DWORD kRefusedBase = 0x100;
constexpr DWORD kContentRefused = 0x1FF;
constexpr DWORD kWriteFailed = 0x20000000;
constexpr DWORD kUsage = 2;

// The folder the system's resolver reads its hosts file from: System32\drivers\etc.
// A 32-bit program on 64-bit Windows names the same folder, which the system leaves out of
// its redirection of System32.
std::string EtcFolder() {
  wchar_t system[MAX_PATH + 1];
  const UINT n = ::GetSystemDirectoryW(system, MAX_PATH);
  return BytesFromWide(std::wstring_view(system, n > 0 && n < MAX_PATH ? n : 0)) + "\\drivers\\etc";
}

std::string ProgramFile() {
  std::wstring exe(32768, L'\0');
  exe.resize(::GetModuleFileNameW(nullptr, exe.data(), DWORD(exe.size())));
  return BytesFromWide(exe);
}

bool SameNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    const char x = a[i] >= 'A' && a[i] <= 'Z' ? char(a[i] - 'A' + 'a') : a[i];
    const char y = b[i] >= 'A' && b[i] <= 'Z' ? char(b[i] - 'A' + 'a') : b[i];
    if (x != y) return false;
  }
  return true;
}

// The resolver's cache keeps names it looked up: after the hosts file changed, blocked names
// would go on resolving until their entries expire. The call is not in the import library
// of every Windows, so it is looked up when needed.
void FlushResolverCache() {
  HMODULE dns = ::LoadLibraryW(L"dnsapi.dll");
  if (!dns) return;
  using Flush = BOOL(WINAPI*)();
  if (auto flush = reinterpret_cast<Flush>(reinterpret_cast<void*>(::GetProcAddress(dns, "DnsFlushResolverCache"))))
    flush();
  ::FreeLibrary(dns);
}

// A content file the first side made: a plain file on a disk, no link, no folder, no device.
bool PlainFile(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesW(WideFromBytes(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE));
}

}  // namespace

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

void SetElevationPrograms(const std::string&, const std::string&, const std::string&) {}

ElevatedWrite WriteElevated(const std::string& path, std::string_view bytes) {
  const std::string target = RealPath(path);
  if (g_handler) return g_handler(target, bytes);
  ElevatedWrite done;
  const WriteSurvey survey = SurveyWrite(target, EtcFolder(), bytes);
  if (survey.refusal != WriteRefusal::None) {
    done.why = RefusalWords(survey.refusal);
    return done;
  }
  wchar_t folder[MAX_PATH + 1], temp[MAX_PATH + 1];
  if (!::GetTempPathW(MAX_PATH, folder) || !::GetTempFileNameW(folder, L"vlw", 0, temp)) {
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
  if (code == 0) {
    done.result = ElevatedWrite::Result::Done;
  } else if (code >= kRefusedBase && code <= kRefusedBase + DWORD(WriteRefusal::TooLarge)) {
    done.why = RefusalWords(WriteRefusal(code - kRefusedBase));
  } else if (code == kContentRefused) {
    done.why = "the content file was not a plain file";
  } else if (code & kWriteFailed) {
    done.why = (code & ~kWriteFailed) ? WindowsErrorText(code & ~kWriteFailed) : "the write failed";
  } else {
    done.why = "the elevated program ended with code " + std::to_string(code);
  }
  return done;
}

int WriteAsElevatedSide(const std::string& path, const std::string& content_file) {
  if (path.empty() || content_file.empty()) return int(kUsage);
  if (!PlainFile(content_file)) return int(kContentRefused);
  const FileContent content = ReadWholeFile(content_file);
  if (content.result != FileContent::Result::Read) return int(kContentRefused);
  const WriteSurvey survey = SurveyWrite(path, EtcFolder(), content.bytes);
  if (survey.refusal != WriteRefusal::None) return int(kRefusedBase + DWORD(survey.refusal));
  // A first copy takes its source's attributes; a replaced file keeps its own, its owner and
  // its access rules (ReplaceFileW).
  AtomicFileWriter writer = survey.new_copy ? AtomicFileWriter(path, survey.like) : AtomicFileWriter(path);
  writer.Write(content.bytes.data(), content.bytes.size());
  if (!writer.Commit()) {
    const DWORD error = ::GetLastError();
    return int(kWriteFailed | (error & 0xFFFF));
  }
  if (SameNoCase(path, EtcFolder() + "\\hosts")) FlushResolverCache();
  return 0;
}

}  // namespace platform
