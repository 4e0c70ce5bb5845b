// The list backups at start: a copy of every list, no more open to others than the list.
#include "tests/app/program_fixture.h"

namespace {

using ListBackups = ProgramTest;

TEST_F(ListBackups, are_as_private_as_the_lists_they_copy) {
#ifdef _WIN32
  GTEST_SKIP() << "permission bits are a POSIX matter";
#else
  Write("Lists/Misc.txt", "ads.example.com\r\n");
  ::chmod((dir_ + "Lists/Misc.txt").c_str(), 0640);  // neither the default 0644 nor a fixed 0600
  Start();
  struct stat st {};
  ASSERT_EQ(::stat((dir_ + "Backup/Lists/Misc.bak").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  EXPECT_EQ(Read("Backup/Lists/Misc.bak"), "ads.example.com\r\n");
#endif
}

}  // namespace
