// The Windows file layer: atomic saves, read-only files, Windows-1251 names and the program
// folder's separators.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "runtime/platform/code_page.h"
#include "runtime/platform/files.h"

namespace {

class FilesWin32Test : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    dir = platform::BytesFromWide(temp) + "veltrane-files-" + std::to_string(::GetCurrentProcessId()) + "\\";
    ASSERT_TRUE(platform::MakeDirectory(dir));
  }
  void TearDown() override {
    for (const auto& entry : platform::ListDirectory(dir)) {
      ::SetFileAttributesW(platform::WideFromBytes(dir + entry.name).c_str(), FILE_ATTRIBUTE_NORMAL);
      platform::RemoveFile(dir + entry.name);
    }
    ::RemoveDirectoryW(platform::WideFromBytes(dir).c_str());
  }
  std::string dir;
};

TEST_F(FilesWin32Test, a_save_replaces_the_whole_file_and_a_read_only_one_keeps_it_with_no_temporary_left) {
  const std::string file = dir + "hosts";
  ASSERT_TRUE(platform::WriteFileAtomic(file, "first and longer\r\n"));
  ASSERT_TRUE(platform::WriteFileAtomic(file, std::string("a\0b", 3)));
  ::SetFileAttributesW(platform::WideFromBytes(file).c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_TRUE(platform::IsReadOnlyFile(file));
  std::string why;
  EXPECT_FALSE(platform::WriteFileAtomic(file, "changed", &why));
  EXPECT_FALSE(why.empty());
  EXPECT_EQ(platform::ReadFile(file), std::string("a\0b", 3));
  EXPECT_EQ(platform::ListDirectory(dir).size(), 1u);
}

TEST_F(FilesWin32Test, a_copy_keeps_the_source_s_hidden_attribute_but_is_never_read_only) {
  const std::string file = dir + "hosts", copy = dir + "hosts.old";
  ASSERT_TRUE(platform::WriteFileAtomic(file, "x"));
  const std::wstring wide = platform::WideFromBytes(file), wide_copy = platform::WideFromBytes(copy);
  ::SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_READONLY);
  ASSERT_TRUE(platform::CopyFileOver(file, copy));
  DWORD attributes = ::GetFileAttributesW(wide_copy.c_str());
  EXPECT_TRUE(attributes & FILE_ATTRIBUTE_HIDDEN);
  EXPECT_FALSE(attributes & FILE_ATTRIBUTE_READONLY) << "the next copy must be able to replace it";
  ::SetFileAttributesW(wide.c_str(), FILE_ATTRIBUTE_NORMAL);
  ASSERT_TRUE(platform::CopyFileOver(file, copy)) << "a copy over a hidden one";
  attributes = ::GetFileAttributesW(wide_copy.c_str());
  EXPECT_FALSE(attributes & FILE_ATTRIBUTE_HIDDEN);
}

TEST_F(FilesWin32Test, names_are_windows1251_bytes_on_the_wide_api) {
  const std::string folder = dir + "\xD1\xEF\xE8\xF1\xEA\xE8";  // "Списки"
  ASSERT_TRUE(platform::MakeDirectory(folder));
  EXPECT_TRUE(platform::IsDirectory(folder));
  const std::wstring wide = platform::WideFromBytes(dir) + L"\u0421\u043f\u0438\u0441\u043a\u0438";
  EXPECT_NE(::GetFileAttributesW(wide.c_str()), INVALID_FILE_ATTRIBUTES);
  ASSERT_TRUE(platform::WriteFileAtomic(folder + "\\\xC0.txt", "x"));
  const auto entries = platform::ListDirectory(folder);
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].name, "\xC0.txt");
  EXPECT_TRUE(platform::RemoveFile(folder + "\\\xC0.txt"));
  ::RemoveDirectoryW(wide.c_str());
}

TEST(ProgramFolderWin32Test, a_program_folder_set_is_kept_with_backslashes_and_one_at_the_end) {
  platform::SetProgramDir("C:/Prog/Veltrane");
  EXPECT_EQ(platform::ProgramDir(), "C:\\Prog\\Veltrane\\");
  platform::SetProgramDir("C:\\Prog\\");
  EXPECT_EQ(platform::ProgramDir(), "C:\\Prog\\");
}

}  // namespace
