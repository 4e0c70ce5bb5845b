// The command line: "/i" keeps its meaning, "--" options choose a mode or set the folder,
// anything else is the window system's.
#include <gtest/gtest.h>

#include "app/command_line.h"

namespace {

using Mode = CommandLine::Mode;

const char* const kNeedsTarget =
    "--export needs a target: hosts, aof, kpf, kwf, dnsmasq, unbound, rpz, adblock, domains, banlist";

TEST(CommandLine, options_choose_the_mode_and_the_folder_and_leave_other_arguments_alone) {
  struct Case {
    std::vector<std::string> args;
    Mode mode;
    std::optional<std::string> dir;
    std::string error = "";
  } cases[] = {
      {{}, Mode::Window, std::nullopt},
      {{"-style", "fusion"}, Mode::Window, std::nullopt},
      {{"/i"}, Mode::Info, std::nullopt},
      {{"/i", "--bogus"}, Mode::Info, std::nullopt},  // nothing after "/i" is read
      {{"--dir", "/tmp/v", "/i"}, Mode::Window, "/tmp/v"},  // "/i" counts only first
      {{"--help"}, Mode::Help, std::nullopt},
      {{"--dir", "/tmp/v", "--help"}, Mode::Help, "/tmp/v"},
      {{"--dir"}, Mode::Error, std::nullopt, "--dir needs a folder"},
      {{"--dir", ""}, Mode::Error, std::nullopt, "--dir needs a folder"},
      {{"--updat"}, Mode::Error, std::nullopt, "unknown option --updat"},
      {{"--write-elevated", "C:\\Windows\\System32\\drivers\\etc\\hosts", "C:\\Temp\\vlw1.tmp"}, Mode::WriteElevated,
       std::nullopt},
      // The elevated side's command line is the whole of it, as the program itself wrote it.
      {{"--write-elevated", "hosts"}, Mode::Error, std::nullopt, "--write-elevated needs exactly a file and a content file"},
      {{"--write-elevated", "hosts", "content", "--dir"}, Mode::Error, std::nullopt,
       "--write-elevated needs exactly a file and a content file"},
      {{"--dir", "/tmp/v", "--write-elevated", "hosts", "content"}, Mode::Error, std::nullopt,
       "--write-elevated needs exactly a file and a content file"},
      {{"--write-elevated", "", "content"}, Mode::Error, std::nullopt,
       "--write-elevated needs exactly a file and a content file"},
      {{"--export", "hosts", "--dir", "/tmp/v"}, Mode::Export, "/tmp/v"},
      {{"--export", "banlist"}, Mode::Export, std::nullopt},
      {{"--export"}, Mode::Error, std::nullopt, kNeedsTarget},
      {{"--export", "Hosts"}, Mode::Error, std::nullopt, kNeedsTarget},
      {{"--export", "--dir"}, Mode::Error, std::nullopt, kNeedsTarget},
  };
  for (const auto& c : cases) {
    const CommandLine line = ParseCommandLine(c.args);
    EXPECT_EQ(line.mode, c.mode) << ::testing::PrintToString(c.args);
    EXPECT_EQ(line.dir, c.dir) << ::testing::PrintToString(c.args);
    EXPECT_EQ(line.error, c.error) << ::testing::PrintToString(c.args);
    if (line.mode == Mode::Export) {
      EXPECT_EQ(line.target, c.args[1]);
    }
  }
  const CommandLine elevated = ParseCommandLine({"--write-elevated", "C:\\etc\\hosts", "C:\\Temp\\vlw1.tmp"});
  EXPECT_EQ(elevated.write_path, "C:\\etc\\hosts");
  EXPECT_EQ(elevated.content_file, "C:\\Temp\\vlw1.tmp");
  EXPECT_TRUE(elevated.Windowless()) << "the elevated side shows no window";
}

TEST(CommandLine, web_lists_are_imported_into_a_named_list_or_all_subscriptions_updated) {
  const std::string kOneAtATime = "--export, --import and --update are given one at a time";
  struct Case {
    std::vector<std::string> args;
    Mode mode;
    std::string from = "", into = "", error = "";
  } cases[] = {
      {{"--import", "hosts.txt", "--into", "Advertisement"}, Mode::Import, "hosts.txt", "Advertisement"},
      {{"--into", "Viruses (and similar)", "--dir", "/v", "--import", "https://x.example/l"}, Mode::Import,
       "https://x.example/l", "Viruses (and similar)"},
      {{"--update"}, Mode::Update},
      {{"--dir", "/v", "--update"}, Mode::Update},
      {{"--import", "hosts.txt"}, Mode::Error, "", "", "--import FILE needs --into LIST, and the other way round"},
      {{"--into", "Misc"}, Mode::Error, "", "", "--import FILE needs --into LIST, and the other way round"},
      {{"--import"}, Mode::Error, "", "", "--import needs a value"},
      {{"--import", "a", "--into"}, Mode::Error, "", "", "--into needs a value"},
      {{"--update", "--import", "a", "--into", "Misc"}, Mode::Error, "", "", kOneAtATime},
      {{"--export", "hosts", "--update"}, Mode::Error, "", "", kOneAtATime},
      {{"--import", "a", "--into", "Misc", "--export", "dnsmasq"}, Mode::Error, "", "", kOneAtATime},
  };
  for (const auto& c : cases) {
    const CommandLine line = ParseCommandLine(c.args);
    EXPECT_EQ(line.mode, c.mode) << ::testing::PrintToString(c.args);
    EXPECT_EQ(line.error, c.error) << ::testing::PrintToString(c.args);
    if (c.mode != Mode::Import) continue;
    EXPECT_EQ(line.import_from, c.from);
    EXPECT_EQ(line.into, c.into);
  }
  for (Mode mode : {Mode::Import, Mode::Update}) {
    CommandLine line;
    line.mode = mode;
    EXPECT_TRUE(line.Windowless()) << "a timer runs it without a display";
  }
}

}  // namespace
