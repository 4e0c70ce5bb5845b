// What a write with the system's permission may touch: one row per kind of path and of what
// was found on disk, on Linux (below /etc) and on Windows (below System32\drivers\etc). The
// attacks each Linux rule stops are run on the helper itself in tests/app/veltrane_write_test.cpp;
// here are the cases a scratch folder cannot show (folders of users, "/" open) and the edges.
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

const std::string kDnsmasq = "# Created with Veltrane: a dnsmasq configuration file\naddress=/ads.example.com/\n";

struct Case {
  const char* what;
  std::string path;
  std::vector<PathStep> steps;  // the path's prefixes below "/", the file last
  WriteRefusal expected;
  std::string content = "0.0.0.0 ads.example.com\n";
  PathStep sibling = Of(Kind::Missing);
  bool same_as_sibling = false;
  bool marked = false;
  uint64_t size = 0;  // the content's size when it is not the content's own
  PathStep top = Folder();
};

TEST(WriteRules,
     a_linux_write_goes_ahead_only_for_a_file_of_the_program_s_with_its_content_in_folders_only_root_may_change) {
  const uint64_t limit = platform::kMaxElevatedWrite;
  const PathStep missing = Of(Kind::Missing);
  const std::vector<PathStep> in_etc = {Folder(), File()}, in_server = {Folder(), Folder(), File()},
                              new_in_server = {Folder(), Folder(), missing};
  const std::string zone =
      "; Created with Veltrane: a zone\n$TTL 3600\n@ IN SOA localhost. hostmaster.localhost. 1 3600 "
      "600 604800 3600\n@ IN NS localhost.\na.example CNAME .\n";
  const std::vector<Case> cases = {
      {"the hosts file", "/etc/hosts", in_etc, WriteRefusal::None},
      {"a relative path", "etc/hosts", in_etc, WriteRefusal::NotAbsolute},
      {"a \"..\" step", "/etc/../etc/hosts", in_etc, WriteRefusal::NotNormal},
      {"a NUL byte", std::string("/etc/ho\0sts", 11), in_etc, WriteRefusal::NotNormal},
      {"a folder that only begins like it", "/etcetera/hosts", in_etc, WriteRefusal::OutsideRoot},
      {"a name beside the hosts file", "/etc/hosts.allow", in_etc, WriteRefusal::NotProgramPath},
      {"a folder a server reads, one level down",
       "/etc/dnsmasq.d/sub/x.conf",
       {Folder(), Folder(), Folder(), File()},
       WriteRefusal::NotProgramPath,
       kDnsmasq},
      {"a folder that only begins like a server's", "/etc/dnsmasq.d.old/x.conf", in_server,
       WriteRefusal::NotProgramPath, kDnsmasq},
      {"/etc owned by a user", "/etc/hosts", {Folder(0755, 1000), File()}, WriteRefusal::OpenFolder},
      {"/etc writable by its group", "/etc/hosts", {Folder(0775), File()}, WriteRefusal::OpenFolder},
      {"\"/\" writable by everyone", "/etc/hosts", in_etc, WriteRefusal::OpenFolder, "x\n", missing, false, false, 0,
       Folder(0777)},
      {"a set-group-id file", "/etc/hosts", {Folder(), File(02644)}, WriteRefusal::Executable},
      {"a file its group may run", "/etc/hosts", {Folder(), File(0654)}, WriteRefusal::Executable},
      {"a missing hosts file", "/etc/hosts", {Folder(), missing}, WriteRefusal::Missing},
      {"the first copy of the hosts file",
       "/etc/hosts.old",
       {Folder(), missing},
       WriteRefusal::None,
       "x\n",
       File(),
       true},
      {"a first copy that is not a copy", "/etc/hosts.old", {Folder(), missing}, WriteRefusal::NotACopy, "x\n", File()},
      {"a first copy of a linked file",
       "/etc/hosts.old",
       {Folder(), missing},
       WriteRefusal::Missing,
       "x\n",
       Of(Kind::Link),
       true},
      {"a first copy of a set-user-id file",
       "/etc/hosts.old",
       {Folder(), missing},
       WriteRefusal::Executable,
       "x\n",
       File(04644),
       true},
      {"the most content there may be", "/etc/hosts", in_etc, WriteRefusal::None, "x", missing, false, false, limit},
      {"one byte more", "/etc/hosts", in_etc, WriteRefusal::TooLarge, "x", missing, false, false, limit + 1},
      // The program's resolver files: made new, or replacing a file of the program's own.
      {"the program's first dnsmasq file", "/etc/dnsmasq.d/veltrane.conf", new_in_server, WriteRefusal::None, kDnsmasq},
      {"the program's dnsmasq file again", "/etc/dnsmasq.d/veltrane.conf", in_server, WriteRefusal::None, kDnsmasq,
       missing, false, true},
      {"the program's zone for Knot Resolver", "/etc/knot-resolver/veltrane.rpz", new_in_server, WriteRefusal::None,
       zone},
      {"the program's Unbound file",
       "/etc/unbound/unbound.conf.d/veltrane.conf",
       {Folder(), Folder(), Folder(), missing},
       WriteRefusal::None,
       "# Created with Veltrane: x\nserver:\n    local-zone: \"a.example.\" always_nxdomain\n"},
      {"the administrator's file in a server's folder", "/etc/dnsmasq.d/local.conf", in_server,
       WriteRefusal::NotProgramFile, kDnsmasq},
      {"a program's file that is a program",
       "/etc/dnsmasq.d/veltrane.conf",
       {Folder(), Folder(), File(0755)},
       WriteRefusal::Executable,
       kDnsmasq,
       missing,
       false,
       true},
      {"dnsmasq's format in BIND's folder", "/etc/bind/veltrane.conf", new_in_server, WriteRefusal::NotResolverFile,
       kDnsmasq},
  };
  for (const Case& c : cases) {
    platform::PosixWrite write{.path = c.path,
                               .root = "/etc",
                               .top = c.top,
                               .steps = c.steps,
                               .sibling = c.sibling,
                               .same_as_sibling = c.same_as_sibling,
                               .marked = c.marked,
                               .content = c.content,
                               .size = c.size ? c.size : c.content.size()};
    EXPECT_EQ(platform::CheckPosixWrite(write), c.expected) << c.what << ": " << platform::RefusalWords(c.expected);
  }
}

TEST(WriteRules, a_windows_write_goes_ahead_only_for_the_hosts_file_and_its_first_copy_in_closed_folders) {
  const std::string etc = "C:\\Windows\\System32\\drivers\\etc";
  const PathStep read_only = {Kind::File, 0, 0, 0, 1, true};
  PathStep open = Folder();
  open.open = true;
  // The steps are those below C:\Windows\System32\drivers, the file last.
  const std::vector<Case> cases = {
      {"the hosts file", etc + "\\hosts", {Folder(), File()}, WriteRefusal::None},
      {"the same in other cases", "c:\\windows\\system32\\DRIVERS\\Etc\\HOSTS", {Folder(), File()}, WriteRefusal::None},
      {"a network path", "\\\\server\\share\\hosts", {}, WriteRefusal::NotAbsolute},
      {"a device path", "\\\\?\\C:\\Windows\\System32\\drivers\\etc\\hosts", {}, WriteRefusal::NotAbsolute},
      {"a \"..\" step", etc + "\\..\\etc\\hosts", {Folder(), Folder(), Folder(), File()}, WriteRefusal::NotNormal},
      {"a trailing dot, which Windows drops", etc + "\\hosts.", {Folder(), File()}, WriteRefusal::NotNormal},
      {"a stream of the file", etc + "\\hosts:hidden", {Folder(), File()}, WriteRefusal::NotNormal},
      {"a device name with an extension", etc + "\\com1.txt", {Folder(), File()}, WriteRefusal::NotNormal},
      {"a folder that only begins like it", etc + "x\\hosts", {Folder(), File()}, WriteRefusal::OutsideRoot},
      {"another file of the etc folder", etc + "\\services", {Folder(), File()}, WriteRefusal::NotProgramPath},
      {"etc a junction", etc + "\\hosts", {Of(Kind::Link), File()}, WriteRefusal::Link},
      {"etc open to users", etc + "\\hosts", {open, File()}, WriteRefusal::OpenFolder},
      {"a folder", etc + "\\hosts", {Folder(), Folder()}, WriteRefusal::NotRegular},
      {"a file with a second name", etc + "\\hosts", {Folder(), File(0644, 2)}, WriteRefusal::HardLinked},
      {"a read-only file", etc + "\\hosts", {Folder(), read_only}, WriteRefusal::ReadOnly},
      {"a missing file", etc + "\\hosts", {Folder(), Of(Kind::Missing)}, WriteRefusal::Missing},
      {"a hosts file with a NUL byte",
       etc + "\\hosts",
       {Folder(), File()},
       WriteRefusal::NotText,
       std::string("\0", 1)},
      {"the first copy of the hosts file",
       etc + "\\hosts.OLD",
       {Folder(), Of(Kind::Missing)},
       WriteRefusal::None,
       "x",
       File(),
       true},
      {"a first copy that is not a copy",
       etc + "\\hosts.old",
       {Folder(), Of(Kind::Missing)},
       WriteRefusal::NotACopy,
       "x",
       File()},
      {"a first copy made again", etc + "\\hosts.old", {Folder(), File()}, WriteRefusal::CopyExists, "x", File(), true},
  };
  for (const Case& c : cases) {
    // C:\Windows, C:\Windows\System32 and C:\Windows\System32\drivers are plain folders.
    std::vector<PathStep> steps;
    if (!c.steps.empty()) steps = {Folder(), Folder(), Folder()};
    steps.insert(steps.end(), c.steps.begin(), c.steps.end());
    platform::WindowsWrite write{.path = c.path,
                                 .root = etc,
                                 .top = Folder(),
                                 .steps = steps,
                                 .sibling = c.sibling,
                                 .same_as_sibling = c.same_as_sibling,
                                 .content = c.content,
                                 .size = c.content.size()};
    EXPECT_EQ(platform::CheckWindowsWrite(write), c.expected) << c.what << ": " << platform::RefusalWords(c.expected);
  }
  PathStep open_root = Folder();
  open_root.open = true;
  const std::string hosts = etc + "\\hosts";
  platform::WindowsWrite under_open_root{.path = hosts,
                                         .root = etc,
                                         .top = open_root,
                                         .steps = {Folder(), Folder(), Folder(), Folder(), File()},
                                         .sibling = {},
                                         .same_as_sibling = false,
                                         .content = "x",
                                         .size = 1};
  EXPECT_EQ(platform::CheckWindowsWrite(under_open_root), WriteRefusal::OpenFolder) << "a drive's root open to users";
}

TEST(WriteRules, a_program_file_is_told_by_its_first_line) {
  EXPECT_TRUE(platform::IsProgramFile("# Created with Veltrane: a dnsmasq configuration file\naddress=/a.com/\n"));
  EXPECT_TRUE(platform::IsProgramFile("; Created with Veltrane: a zone\r\n"));
  EXPECT_FALSE(platform::IsProgramFile("* * * * * root sh\n# Created with Veltrane: \n"));
  EXPECT_FALSE(platform::IsProgramFile("#Created with Veltrane: \n"));
  EXPECT_FALSE(platform::IsProgramFile("# Created with Veltran\ne: \n"));
}

}  // namespace
