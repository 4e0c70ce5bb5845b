// The elevated side on Windows (veltrane --write-elevated PATH CONTENT-FILE), run in this
// process as the second instance runs it.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "runtime/platform/code_page.h"
#include "runtime/platform/elevation.h"
#include "runtime/platform/files.h"

namespace {

std::string SystemEtc() {
  wchar_t system[MAX_PATH + 1];
  const UINT n = ::GetSystemDirectoryW(system, MAX_PATH);
  return platform::BytesFromWide(std::wstring_view(system, n)) + "\\drivers\\etc\\";
}

class ElevatedSide : public ::testing::Test {
 protected:
  void SetUp() override {
    etc = SystemEtc();
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::string id = std::to_string(::GetCurrentProcessId());
    content = platform::BytesFromWide(temp) + "veltrane-content-" + id;
    target = etc + "veltrane-test-" + id;
    if (!platform::IsDirectory(etc) || !platform::WriteFileAtomic(target, "old\r\n"))
      GTEST_SKIP() << "this system's etc folder cannot be written by the test";
  }
  void TearDown() override {
    for (const std::string& file : {target, target + ".old", content}) platform::RemoveFile(file);
    ::RemoveDirectoryW(platform::WideFromBytes(content + "-folder").c_str());
  }
  std::string etc, content, target;
};

TEST_F(ElevatedSide, writes_a_plain_file_and_makes_a_first_copy_only_with_the_file_s_own_bytes) {
  ASSERT_TRUE(platform::WriteFileAtomic(content, "something else\r\n"));
  EXPECT_NE(platform::WriteAsElevatedSide(target + ".old", content), 0);
  EXPECT_FALSE(platform::IsFile(target + ".old"));
  ASSERT_TRUE(platform::WriteFileAtomic(content, "old\r\n"));
  EXPECT_EQ(platform::WriteAsElevatedSide(target + ".old", content), 0);
  EXPECT_EQ(platform::ReadFile(target + ".old"), "old\r\n");
  ASSERT_TRUE(platform::WriteFileAtomic(content, "0.0.0.0 ads.example.com\r\n"));
  EXPECT_EQ(platform::WriteAsElevatedSide(target, content), 0);
  EXPECT_EQ(platform::ReadFile(target), "0.0.0.0 ads.example.com\r\n");
}

TEST_F(ElevatedSide, refuses_other_files_and_content_that_is_no_plain_file_leaving_the_file_whole) {
  ASSERT_TRUE(platform::WriteFileAtomic(content, "new\r\n"));
  ASSERT_TRUE(platform::MakeDirectory(content + "-folder"));
  const std::string outside = content + "-target";
  ASSERT_TRUE(platform::WriteFileAtomic(outside, "kept\r\n"));
  EXPECT_NE(platform::WriteAsElevatedSide(target, content + "-folder"), 0) << "a folder as content";
  EXPECT_NE(platform::WriteAsElevatedSide(target, content + "-missing"), 0) << "no content file";
  EXPECT_NE(platform::WriteAsElevatedSide(outside, content), 0) << "outside the etc folder";
  EXPECT_NE(platform::WriteAsElevatedSide(etc + "..\\etc\\" + target.substr(etc.size()), content), 0) << "\"..\"";
  EXPECT_NE(platform::WriteAsElevatedSide(etc + "veltrane-missing", content), 0) << "a new file";
  ::SetFileAttributesW(platform::WideFromBytes(target).c_str(), FILE_ATTRIBUTE_READONLY);
  EXPECT_NE(platform::WriteAsElevatedSide(target, content), 0) << "a read-only file";
  ::SetFileAttributesW(platform::WideFromBytes(target).c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(platform::ReadFile(target), "old\r\n");
  EXPECT_EQ(platform::ReadFile(outside), "kept\r\n");
  platform::RemoveFile(outside);
}

}  // namespace
