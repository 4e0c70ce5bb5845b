// The elevated side on Windows (veltrane --write-elevated PATH CONTENT-FILE). It is a process
// of its own, started by the side that asks, which it tells by its parent: this test program
// starts itself as that process, on a folder of the test's own standing for
// System32\drivers\etc. Wine shows every folder and file as the user's own: the folders'
// rules are trusted here as an administrator's (what they say is write_survey_win32_test.cpp),
// and no content file of another user can be made.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "runtime/platform/code_page.h"
#include "runtime/platform/elevation.h"
#include "runtime/platform/files.h"
#include "runtime/platform/write_survey.h"

namespace {

std::string TempFolder() {
  wchar_t temp[MAX_PATH];
  const DWORD n = ::GetTempPathW(MAX_PATH, temp);
  return platform::BytesFromWide(std::wstring_view(temp, n));
}

std::string SystemEtc() {
  wchar_t system[MAX_PATH + 1];
  const UINT n = ::GetSystemDirectoryW(system, MAX_PATH);
  return platform::BytesFromWide(std::wstring_view(system, n)) + "\\drivers\\etc";
}

// What the elevated side is to do, for the program started as it: the folder for etc (empty:
// the system's), whether the user's own folders are trusted, the path and the content file.
constexpr const wchar_t* kSideVariable = L"VELTRANE_TEST_ELEVATED_SIDE";

std::wstring Variable(const wchar_t* name) {
  std::wstring value(32768, L'\0');
  value.resize(::GetEnvironmentVariableW(name, value.data(), DWORD(value.size())));
  return value;
}

// Run by the tests below in a program of its own; otherwise it does nothing.
TEST(ElevatedSideProcess, writes_as_the_child_of_the_side_that_asks) {
  const std::string side = platform::BytesFromWide(Variable(kSideVariable));
  if (side.empty()) GTEST_SKIP() << "the elevated side's process, started by the ElevatedSide tests";
  std::string fields[4];
  size_t at = 0;
  for (std::string& field : fields) {
    const size_t end = side.find('\n', at);
    field = side.substr(at, end == std::string::npos ? std::string::npos : end - at);
    at = end == std::string::npos ? side.size() : end + 1;
  }
  platform::SetElevationPrograms("", "", fields[0]);
  platform::TrustOwnAccountForTests(fields[1] == "trusted");
  ::ExitProcess(UINT(platform::WriteAsElevatedSide(fields[2], fields[3])));
}

class ElevatedSide : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string id = std::to_string(::GetCurrentProcessId());
    content = TempFolder() + "veltrane-content-" + id;
    etc = TempFolder() + "veltrane-etc-" + id;
    hosts = etc + "\\hosts";
    ASSERT_TRUE(platform::MakeDirectory(etc));
    ASSERT_TRUE(platform::WriteFileAtomic(hosts, "old\r\n"));
  }
  void TearDown() override {
    for (const platform::DirEntry& file : platform::ListDirectory(etc)) {
      ::SetFileAttributesW(platform::WideFromBytes(etc + "\\" + file.name).c_str(), FILE_ATTRIBUTE_NORMAL);
      platform::RemoveFile(etc + "\\" + file.name);
    }
    ::RemoveDirectoryW(platform::WideFromBytes(etc).c_str());
    for (const char* suffix : {"", "-second", "-large"}) platform::RemoveFile(content + suffix);
    ::RemoveDirectoryW(platform::WideFromBytes(content + "-folder").c_str());
  }
  // The elevated side's answer in the words the asking side shows; empty when it wrote.
  std::string Write(const std::string& path, const std::string& content_file, bool system_etc = false) const {
    const std::string side =
        (system_etc ? "" : etc) + "\n" + (system_etc ? "" : "trusted") + "\n" + path + "\n" + content_file;
    ::SetEnvironmentVariableW(kSideVariable, platform::WideFromBytes(side).c_str());
    std::wstring program(32768, L'\0');
    program.resize(::GetModuleFileNameW(nullptr, program.data(), DWORD(program.size())));
    std::wstring command = L"\"" + program + L"\" --gtest_filter=ElevatedSideProcess.*";
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE quiet =
        ::CreateFileW(L"NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit, OPEN_EXISTING, 0, nullptr);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = startup.hStdOutput = startup.hStdError = quiet;
    PROCESS_INFORMATION process{};
    const bool started = ::CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                          &startup, &process);
    ::SetEnvironmentVariableW(kSideVariable, nullptr);
    ::CloseHandle(quiet);
    if (!started) return "not started";
    DWORD code = 0;
    ::WaitForSingleObject(process.hProcess, INFINITE);
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
    return code == 0 ? "" : platform::ElevatedSideWords(int(code));
  }
  std::string etc, hosts, content;
};

TEST_F(ElevatedSide, writes_the_hosts_file_and_makes_its_first_copy_only_with_its_own_bytes) {
  ASSERT_TRUE(platform::WriteFileAtomic(content, "something else\r\n"));
  EXPECT_EQ(Write(hosts + ".old", content), "a new hosts.old must hold exactly what the hosts file holds");
  EXPECT_FALSE(platform::IsFile(hosts + ".old"));
  ASSERT_TRUE(platform::WriteFileAtomic(content, "old\r\n"));
  EXPECT_EQ(Write(hosts + ".old", content), "");
  EXPECT_EQ(platform::ReadFile(hosts + ".old"), "old\r\n");
  EXPECT_EQ(Write(hosts + ".old", content), "the first copy hosts.old exists already and is never replaced");
  ASSERT_TRUE(platform::WriteFileAtomic(content, "0.0.0.0 ads.example.com\r\n"));
  EXPECT_EQ(Write(hosts, content), "");
  EXPECT_EQ(platform::ReadFile(hosts), "0.0.0.0 ads.example.com\r\n");
}

// One row per rule of the content file, each a way to have an administrator's process read
// a file the user may not, or one that changes under it; then the target's rules.
TEST_F(ElevatedSide, refuses_content_files_it_did_not_get_from_the_asking_side_and_files_it_must_not_write) {
  ASSERT_TRUE(platform::WriteFileAtomic(content, "0.0.0.0 ads.example.com\r\n"));
  ASSERT_TRUE(platform::MakeDirectory(content + "-folder"));
  ASSERT_TRUE(platform::WriteFileAtomic(etc + "\\secret", "an administrator's secret\r\n"));
  const std::wstring wide = platform::WideFromBytes(content);
  const struct {
    const char* what;
    std::string path, content_file;
    const char* words;
  } rows[] = {
      {"a share's path", hosts, "\\\\localhost\\C$" + content.substr(2), "no plain path on a drive"},
      {"a device path", hosts, "\\\\?\\" + content, "no plain path on a drive"},
      {"a relative path", hosts, "veltrane-content", "no plain path on a drive"},
      {"no file", hosts, content + "-missing", "could not be opened"},
      {"a folder", hosts, content + "-folder", "could not be opened"},
      {"a file outside the user's temporary folder", hosts, etc + "\\secret", "not in the temporary folder"},
      {"a file outside the etc folder", content + "-target", content, "configuration folder"},
      {"another file of the etc folder", etc + "\\secret", content, "only the hosts file"},
      {"a path through \"..\"", etc + "\\..\\" + etc.substr(etc.rfind('\\') + 1) + "\\hosts", content, "plain form"},
      {"a copy of the first copy", etc + "\\HOSTS.old.old", content, "only the hosts file"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.what);
    const std::string said = Write(row.path, row.content_file);
    EXPECT_NE(said.find(row.words), std::string::npos) << said;
  }
  // A second name of the file, which could be a name of another user's file.
  ASSERT_TRUE(::CreateHardLinkW((wide + L"-second").c_str(), wide.c_str(), nullptr));
  EXPECT_EQ(Write(hosts, content), "the content file has other names (hard links)");
  platform::RemoveFile(content + "-second");
  // A file someone still writes.
  HANDLE writing = ::CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writing, INVALID_HANDLE_VALUE);
  EXPECT_EQ(Write(hosts, content), "the content file could not be opened for reading alone");
  ::CloseHandle(writing);
  // More than the most a write takes: a sparse file, nothing read.
  HANDLE large = ::CreateFileW((wide + L"-large").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  ASSERT_NE(large, INVALID_HANDLE_VALUE);
  LARGE_INTEGER end;
  end.QuadPart = LONGLONG((uint64_t(256) << 20) + 1);
  ::SetFilePointerEx(large, end, nullptr, FILE_BEGIN);
  ::SetEndOfFile(large);
  ::CloseHandle(large);
  EXPECT_EQ(Write(hosts, content + "-large"), "the content is larger than 256 MiB");
  // The hosts file's own rules.
  ASSERT_TRUE(platform::WriteFileAtomic(content, std::string("0.0.0.0 a.example\0\r\n", 20)));
  EXPECT_EQ(Write(hosts, content), "the content is no text (it holds a NUL byte)");
  ASSERT_TRUE(platform::WriteFileAtomic(content, "0.0.0.0 ads.example.com\r\n"));
  ::SetFileAttributesW(platform::WideFromBytes(hosts).c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_EQ(Write(hosts, content), "the file is read-only");
  ::SetFileAttributesW(platform::WideFromBytes(hosts).c_str(), FILE_ATTRIBUTE_NORMAL);
  platform::RemoveFile(hosts);
  EXPECT_NE(Write(hosts, content).find("does not exist"), std::string::npos);
  EXPECT_FALSE(platform::IsFile(hosts));
  EXPECT_EQ(platform::ReadFile(etc + "\\secret"), "an administrator's secret\r\n");
}

// The system's own etc folder as Wine shows it: the user's, with every right. On Windows
// administrators, the system and TrustedInstaller alone may change it.
TEST_F(ElevatedSide, refuses_the_system_etc_folder_when_others_than_administrators_may_change_it) {
  const platform::WriteSurvey survey = platform::SurveyWrite(SystemEtc() + "\\hosts", SystemEtc(), "x");
  if (survey.refusal == platform::WriteRefusal::None) GTEST_SKIP() << "this system's etc folder is closed to users";
  EXPECT_EQ(survey.refusal, platform::WriteRefusal::OpenFolder);
  const std::string before = platform::ReadFile(SystemEtc() + "\\hosts").value_or("<missing>");
  ASSERT_TRUE(platform::WriteFileAtomic(content, "0.0.0.0 ads.example.com\r\n"));
  EXPECT_EQ(Write(SystemEtc() + "\\hosts", content, true),
            "a folder of the path may be changed by others than the administrator");
  EXPECT_EQ(platform::ReadFile(SystemEtc() + "\\hosts").value_or("<missing>"), before);
}

}  // namespace
