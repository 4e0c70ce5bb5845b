// What a write with the system's permission may touch: one row per kind of path and of what
// was found on disk, on Linux (below /etc) and on Windows (below System32\drivers\etc).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/platform/write_rules.h"

namespace {

using platform::PathStep;
using platform::WriteRefusal;
using Kind = PathStep::Kind;

PathStep Folder(uint32_t mode = 0755, uint32_t owner = 0) { return {Kind::Folder, owner, 0, mode, 2, false}; }
PathStep File(uint32_t mode = 0644, uint64_t links = 1) { return {Kind::File, 0, 0, mode, links, (mode & 0222) == 0}; }
PathStep Of(Kind kind) { return {kind, 0, 0, 0644, 1, false}; }

struct Case {
  const char* what;
  std::string path;
  std::vector<PathStep> steps;  // the path's prefixes below "/", the file last
  WriteRefusal expected;
  PathStep sibling = Of(Kind::Missing);
  bool same_as_sibling = false;
  bool program_file = false;
  uint64_t size = 100;
  PathStep top = Folder();
};

TEST(WriteRules, a_linux_write_goes_ahead_only_for_a_plain_regular_file_below_etc_in_folders_only_root_may_change) {
  const uint64_t limit = platform::kMaxElevatedWrite;
  const PathStep missing = Of(Kind::Missing);
  const std::vector<Case> cases = {
      {"the hosts file", "/etc/hosts", {Folder(), File()}, WriteRefusal::None},
      {"a relative path", "etc/hosts", {Folder(), File()}, WriteRefusal::NotAbsolute},
      {"a \"..\" step", "/etc/../etc/hosts", {Folder(), File()}, WriteRefusal::NotNormal},
      {"a NUL byte", std::string("/etc/ho\0sts", 11), {Folder(), File()}, WriteRefusal::NotNormal},
      {"a folder that only begins like it", "/etcetera/hosts", {Folder(), File()}, WriteRefusal::OutsideRoot},
      {"a folder on the way a link", "/etc/sub/hosts", {Folder(), Of(Kind::Link), File()}, WriteRefusal::Link},
      {"the file a link", "/etc/hosts", {Folder(), Of(Kind::Link)}, WriteRefusal::Link},
      {"a file where a folder should be", "/etc/hosts/x", {Folder(), File(), missing}, WriteRefusal::NotFolder},
      {"/etc owned by a user", "/etc/hosts", {Folder(0755, 1000), File()}, WriteRefusal::OpenFolder},
      {"/etc writable by its group", "/etc/hosts", {Folder(0775), File()}, WriteRefusal::OpenFolder},
      {"\"/\" writable by everyone", "/etc/hosts", {Folder(), File()}, WriteRefusal::OpenFolder, missing, false, false,
       100, Folder(0777)},
      {"a FIFO or device", "/etc/hosts", {Folder(), Of(Kind::Other)}, WriteRefusal::NotRegular},
      {"a file with a second name", "/etc/hosts", {Folder(), File(0644, 2)}, WriteRefusal::HardLinked},
      {"a read-only file", "/etc/hosts", {Folder(), File(0444)}, WriteRefusal::ReadOnly},
      {"a missing file", "/etc/hosts", {Folder(), missing}, WriteRefusal::Missing},
      {"the first copy of the hosts file", "/etc/hosts.old", {Folder(), missing}, WriteRefusal::None, File(), true},
      {"a first copy that is not a copy", "/etc/hosts.old", {Folder(), missing}, WriteRefusal::NotACopy, File()},
      {"a first copy of a linked file", "/etc/hosts.old", {Folder(), missing}, WriteRefusal::Missing, Of(Kind::Link),
       true},
      {"the most content there may be", "/etc/hosts", {Folder(), File()}, WriteRefusal::None, missing, false, false, limit},
      {"one byte more", "/etc/hosts", {Folder(), File()}, WriteRefusal::TooLarge, missing, false, false, limit + 1},
      // A resolver file of the program's own is made new where a DNS server reads such files.
      {"the program's first dnsmasq file", "/etc/dnsmasq.d/veltrane.conf", {Folder(), Folder(), missing},
       WriteRefusal::None, missing, false, true},
      {"the program's file in another folder", "/etc/cron.d/veltrane", {Folder(), Folder(), missing},
       WriteRefusal::Missing, missing, false, true},
      {"the program's file in a server's folder others may change", "/etc/dnsmasq.d/veltrane.conf",
       {Folder(), Folder(0777), missing}, WriteRefusal::OpenFolder, missing, false, true},
  };
  for (const Case& c : cases) {
    platform::PosixWrite write{.path = c.path, .root = "/etc", .top = c.top, .steps = c.steps, .sibling = c.sibling,
                               .same_as_sibling = c.same_as_sibling, .program_file = c.program_file, .size = c.size};
    EXPECT_EQ(platform::CheckPosixWrite(write), c.expected) << c.what << ": " << platform::RefusalWords(c.expected);
  }
}

TEST(WriteRules, a_windows_write_goes_ahead_only_for_a_plain_regular_file_in_the_system_etc_folder) {
  const std::string etc = "C:\\Windows\\System32\\drivers\\etc";
  const PathStep read_only = {Kind::File, 0, 0, 0, 1, true};
  // The steps are those below C:\Windows\System32\drivers, the file last.
  const std::vector<Case> cases = {
      {"the hosts file", etc + "\\hosts", {Folder(), File()}, WriteRefusal::None},
      {"the same in other cases", "c:\\windows\\system32\\DRIVERS\\Etc\\hosts", {Folder(), File()}, WriteRefusal::None},
      {"a network path", "\\\\server\\share\\hosts", {}, WriteRefusal::NotAbsolute},
      {"a device path", "\\\\?\\C:\\Windows\\System32\\drivers\\etc\\hosts", {}, WriteRefusal::NotAbsolute},
      {"a \"..\" step", etc + "\\..\\etc\\hosts", {Folder(), Folder(), Folder(), File()}, WriteRefusal::NotNormal},
      {"a trailing dot, which Windows drops", etc + "\\hosts.", {Folder(), File()}, WriteRefusal::NotNormal},
      {"a stream of the file", etc + "\\hosts:hidden", {Folder(), File()}, WriteRefusal::NotNormal},
      {"a device name with an extension", etc + "\\com1.txt", {Folder(), File()}, WriteRefusal::NotNormal},
      {"a folder that only begins like it", etc + "x\\hosts", {Folder(), File()}, WriteRefusal::OutsideRoot},
      {"etc a junction", etc + "\\hosts", {Of(Kind::Link), File()}, WriteRefusal::Link},
      {"a folder", etc + "\\hosts", {Folder(), Folder()}, WriteRefusal::NotRegular},
      {"a file with a second name", etc + "\\hosts", {Folder(), File(0644, 2)}, WriteRefusal::HardLinked},
      {"a read-only file", etc + "\\hosts", {Folder(), read_only}, WriteRefusal::ReadOnly},
      {"a missing file", etc + "\\lmhosts", {Folder(), Of(Kind::Missing)}, WriteRefusal::Missing},
      {"the first copy of the hosts file", etc + "\\hosts.OLD", {Folder(), Of(Kind::Missing)}, WriteRefusal::None,
       File(), true},
      {"a first copy that is not a copy", etc + "\\hosts.old", {Folder(), Of(Kind::Missing)}, WriteRefusal::NotACopy,
       File()},
  };
  for (const Case& c : cases) {
    // C:\Windows, C:\Windows\System32 and C:\Windows\System32\drivers are plain folders.
    std::vector<PathStep> steps;
    if (!c.steps.empty()) steps = {Folder(), Folder(), Folder()};
    steps.insert(steps.end(), c.steps.begin(), c.steps.end());
    platform::WindowsWrite write{.path = c.path, .root = etc, .steps = steps, .sibling = c.sibling,
                                 .same_as_sibling = c.same_as_sibling, .size = 100};
    EXPECT_EQ(platform::CheckWindowsWrite(write), c.expected) << c.what << ": " << platform::RefusalWords(c.expected);
  }
}

TEST(WriteRules, a_program_file_is_told_by_its_first_line) {
  EXPECT_TRUE(platform::IsProgramFile("# Created with Veltrane: a dnsmasq configuration file\naddress=/a.com/\n"));
  EXPECT_TRUE(platform::IsProgramFile("; Created with Veltrane: a zone\r\n"));
  EXPECT_FALSE(platform::IsProgramFile("* * * * * root sh\n# Created with Veltrane: \n"));
  EXPECT_FALSE(platform::IsProgramFile("#Created with Veltrane: \n"));
  EXPECT_FALSE(platform::IsProgramFile("# Created with Veltran\ne: \n"));
}

}  // namespace
