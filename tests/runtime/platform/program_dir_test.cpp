// Where an installed program keeps its folder on Linux.
#include "runtime/platform/program_dir.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgramDirTest, writable_executable_folder_else_the_users_data_folder) {
  struct Case {
    const char* exe_dir;
    bool writable;
    const char* xdg;
    const char* home;
    const char* chosen;
  };
  const Case cases[] = {
      {"/home/u/Veltrane/", true, "/x", "/home/u", "/home/u/Veltrane/"},  // portable copy, build folder
      {"/usr/bin/", false, "/data/xdg", "/home/u", "/data/xdg/Veltrane/"},
      {"/usr/bin", true, nullptr, "/root", "/root/.local/share/Veltrane/"},  // installed, run by the superuser
      {"/usr/libexec/veltrane/", true, nullptr, "/root", "/root/.local/share/Veltrane/"},  // the installed window
      {"/usr/local/bin/x/", true, nullptr, "/root", "/usr/local/bin/x/"},
      {"/usr/bin/", false, "", "/home/u", "/home/u/.local/share/Veltrane/"},
      {"/usr/bin/", false, "relative/xdg", "/home/u/", "/home/u/.local/share/Veltrane/"},  // ignored as the rules say
      {"/usr/bin/", false, nullptr, nullptr, "/usr/bin/"},                                 // nowhere else to go
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::ChooseProgramDir(c.exe_dir, c.writable, c.xdg, c.home), c.chosen)
        << c.exe_dir << " " << c.writable << " " << (c.xdg ? c.xdg : "(unset)") << " " << (c.home ? c.home : "(unset)");
  }
}

}  // namespace
