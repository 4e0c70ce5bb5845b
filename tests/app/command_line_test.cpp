// The command line: "/i" keeps its meaning, "--" options choose a mode or set the folder,
// anything else is the window system's.
#include <gtest/gtest.h>

#include "app/command_line.h"

namespace {

using Mode = CommandLine::Mode;

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
  };
  for (const auto& c : cases) {
    const CommandLine line = ParseCommandLine(c.args);
    EXPECT_EQ(line.mode, c.mode) << ::testing::PrintToString(c.args);
    EXPECT_EQ(line.dir, c.dir) << ::testing::PrintToString(c.args);
    EXPECT_EQ(line.error, c.error) << ::testing::PrintToString(c.args);
  }
}

TEST(CommandLine, web_lists_are_imported_into_a_named_list_or_all_subscriptions_updated) {
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
      {{"--update", "--import", "a", "--into", "Misc"}, Mode::Error, "", "", "--update takes no --import or --into"},
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
