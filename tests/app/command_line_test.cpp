// The command line: "/i" keeps its meaning, "--" options choose a mode or set the folder,
// anything else is the window system's.
#include <gtest/gtest.h>

#include "app/command_line.h"

namespace {

using Mode = CommandLine::Mode;

TEST(CommandLine, options_choose_the_mode_and_the_folder_and_leave_other_arguments_alone) {
  const std::string kNeedsTarget =
      "--export needs a target: hosts, aof, kpf, kwf, dnsmasq, unbound, rpz, adblock, domains, banlist";
  // The elevated side's command line is the whole of it, as the program itself wrote it.
  const std::string kElevated = "--write-elevated needs exactly a file and a content file";
  const std::string kPair = "--import FILE needs --into LIST, and the other way round";
  const std::string kOneAtATime = "--export, --import and --update are given one at a time";
  struct Case {
    std::vector<std::string> args;
    Mode mode;
    std::optional<std::string> dir = std::nullopt;
    std::string error = "";
  } cases[] = {
      {{"-style", "fusion"}, Mode::Window},
      {{"/i", "--bogus"}, Mode::Info},  // nothing after "/i" is read
      {{"--dir", "/tmp/v", "/i"}, Mode::Window, "/tmp/v"},  // "/i" counts only first
      {{"--dir", "/tmp/v", "--help"}, Mode::Help, "/tmp/v"},
      {{"--dir"}, Mode::Error, std::nullopt, "--dir needs a folder"},
      {{"--updat"}, Mode::Error, std::nullopt, "unknown option --updat"},
      {{"--write-elevated", "C:\\Windows\\System32\\drivers\\etc\\hosts", "C:\\Temp\\vlw1.tmp"}, Mode::WriteElevated},
      {{"--write-elevated", "hosts"}, Mode::Error, std::nullopt, kElevated},
      {{"--dir", "/tmp/v", "--write-elevated", "hosts", "content"}, Mode::Error, std::nullopt, kElevated},
      {{"--export", "hosts", "--dir", "/tmp/v"}, Mode::Export, "/tmp/v"},
      {{"--export"}, Mode::Error, std::nullopt, kNeedsTarget},
      {{"--export", "Hosts"}, Mode::Error, std::nullopt, kNeedsTarget},
      {{"--export", "--dir"}, Mode::Error, std::nullopt, kNeedsTarget},
      {{"--import", "hosts.txt", "--into", "Advertisement"}, Mode::Import},
      {{"--update"}, Mode::Update},
      {{"--import", "hosts.txt"}, Mode::Error, std::nullopt, kPair},
      {{"--import", "a", "--into"}, Mode::Error, std::nullopt, "--into needs a value"},
      {{"--update", "--import", "a", "--into", "Misc"}, Mode::Error, std::nullopt, kOneAtATime},
  };
  for (const auto& c : cases) {
    const CommandLine line = ParseCommandLine(c.args);
    EXPECT_EQ(line.mode, c.mode) << ::testing::PrintToString(c.args);
    EXPECT_EQ(line.dir, c.dir) << ::testing::PrintToString(c.args);
    EXPECT_EQ(line.error, c.error) << ::testing::PrintToString(c.args);
  }
}

TEST(CommandLine, each_mode_takes_its_values_and_only_the_window_needs_a_display) {
  EXPECT_EQ(ParseCommandLine({"--export", "hosts", "--dir", "/tmp/v"}).target, "hosts");
  const CommandLine import =
      ParseCommandLine({"--into", "Viruses (and similar)", "--dir", "/v", "--import", "https://x.example/l"});
  EXPECT_EQ(import.import_from, "https://x.example/l");
  EXPECT_EQ(import.into, "Viruses (and similar)");
  const CommandLine elevated = ParseCommandLine({"--write-elevated", "C:\\etc\\hosts", "C:\\Temp\\vlw1.tmp"});
  EXPECT_EQ(elevated.write_path, "C:\\etc\\hosts");
  EXPECT_EQ(elevated.content_file, "C:\\Temp\\vlw1.tmp");
  for (Mode mode : {Mode::Import, Mode::Update, Mode::Export, Mode::WriteElevated}) {
    CommandLine line;
    line.mode = mode;
    EXPECT_TRUE(line.Windowless()) << "a timer runs it without a display";
  }
}

}  // namespace
