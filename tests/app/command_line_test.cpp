// The command line: "/i" keeps its meaning, "--" options choose a mode or set the folder,
// each once, with names in any case; anything else is the window system's, and refused by
// the modes without a window.
#include <gtest/gtest.h>

#include "app/command_line.h"

namespace {

using Mode = CommandLine::Mode;

TEST(CommandLine, options_choose_the_mode_and_the_folder_and_leave_other_arguments_alone) {
  const std::string kTargets = "hosts, aof, kpf, kwf, dnsmasq, unbound, rpz, adblock, domains, banlist";
  // The elevated side's command line is the whole of it, as the program itself wrote it.
  const std::string kElevated = "--write-elevated needs exactly a file and a content file";
  const std::string kPair = "--import FILE needs --into LIST";
  const std::string kOneAtATime =
      "--export, --import, --update, --subscribe, --unsubscribe, --subscriptions and --query are given one at a time";
  struct Case {
    std::vector<std::string> args;
    Mode mode;
    std::optional<std::string> dir = std::nullopt;
    std::string error = "";
    std::string value = "";  // the target of Mode::Export, the list of Mode::Import
  } cases[] = {
      {{"-style", "fusion"}, Mode::Window},
      {{"/i", "--bogus"}, Mode::Info},                      // nothing after "/i" is read
      {{"--dir", "/tmp/v", "/i"}, Mode::Window, "/tmp/v"},  // "/i" counts only first
      {{"--dir", "/tmp/v", "--help"}, Mode::Help, "/tmp/v"},
      {{"--dir"}, Mode::Error, std::nullopt, "--dir needs a folder"},
      {{"--updat"}, Mode::Error, std::nullopt, "unknown option --updat"},
      {{"--write-elevated", "C:\\Windows\\System32\\drivers\\etc\\hosts", "C:\\Temp\\vlw1.tmp"}, Mode::WriteElevated},
      {{"--write-elevated", "hosts"}, Mode::Error, std::nullopt, kElevated},
      {{"--dir", "/tmp/v", "--write-elevated", "hosts", "content"}, Mode::Error, std::nullopt, kElevated},
      // Names as people type them: any case, and the generate page's label of a list.
      {{"--export", "hosts", "--dir", "/tmp/v"}, Mode::Export, "/tmp/v", "", "hosts"},
      {{"--export", "Hosts"}, Mode::Export, std::nullopt, "", "hosts"},
      {{"--export", "BanList"}, Mode::Export, std::nullopt, "", "banlist"},
      {{"--import", "hosts.txt", "--into", "advertisement"}, Mode::Import, std::nullopt, "", "Advertisement"},
      {{"--import", "hosts.txt", "--into", "Viruses"}, Mode::Import, std::nullopt, "", "Viruses (and similar)"},
      {{"--into", "USER_NO_BADLIST", "--import", "hosts.txt"}, Mode::Import, std::nullopt, "", "User_NO_BadList"},
      {{"--export"}, Mode::Error, std::nullopt, "--export needs a target: " + kTargets},
      {{"--export", "--dir", "/tmp/v"}, Mode::Error, std::nullopt, "--export needs a target: " + kTargets},
      {{"--export", "hostsfile"},
       Mode::Error,
       std::nullopt,
       "no target is named \"hostsfile\"; the targets are " + kTargets},
      {{"--import", "a", "--into", "Virus"},
       Mode::Error,
       std::nullopt,
       "no list is named \"Virus\"; the lists are \"Advertisement\", \"Misc\", \"Porno\", \"Unsorted\", "
       "\"Viruses (and similar)\", \"User_BadList\", \"User_NO_BadList\""},
      {{"--update"}, Mode::Update},
      // The subscriptions and the question where a name comes from.
      {{"--subscribe", "https://lists.example/hosts", "--into", "misc"}, Mode::Subscribe, std::nullopt, "", "Misc"},
      {{"--subscribe", "https://lists.example/hosts"}, Mode::Error, std::nullopt, "--subscribe URL needs --into LIST"},
      {{"--into", "Misc"}, Mode::Error, std::nullopt, "--into LIST goes with --import or --subscribe"},
      {{"--unsubscribe", "https://lists.example/hosts"}, Mode::Unsubscribe},
      {{"--subscriptions", "--update"}, Mode::Error, std::nullopt, kOneAtATime},
      {{"--update", "--accept-losses"}, Mode::Update},
      {{"--accept-losses"}, Mode::Error, std::nullopt, "--accept-losses goes with --update"},
      {{"--query", "Ads.Example.com"}, Mode::Query},
      {{"--query"}, Mode::Error, std::nullopt, "--query needs a name"},
      {{"--import", "hosts.txt"}, Mode::Error, std::nullopt, kPair},
      {{"--import", "a", "--into"}, Mode::Error, std::nullopt, "--into needs a list"},
      {{"--import", "--into", "Misc"}, Mode::Error, std::nullopt, "--import needs a file or a web address"},
      {{"--update", "--import", "a", "--into", "Misc"}, Mode::Error, std::nullopt, kOneAtATime},
      // Each option once: a second value would silently win over the first.
      {{"--update", "--update"},
       Mode::Error,
       std::nullopt,
       "--update is given twice; each option is given once at most"},
      {{"--dir", "/a", "--export", "hosts", "--dir", "/b"},
       Mode::Error,
       std::nullopt,
       "--dir is given twice; each option is given once at most"},
      // Only the window hands other arguments on, to the window system.
      {{"--import", "a.txt", "b.txt", "--into", "Misc"}, Mode::Error, std::nullopt, "unexpected argument \"b.txt\""},
      {{"--update", "-v"}, Mode::Error, std::nullopt, "unexpected argument \"-v\""},
  };
  for (const auto& c : cases) {
    const CommandLine line = ParseCommandLine(c.args);
    EXPECT_EQ(line.mode, c.mode) << ::testing::PrintToString(c.args);
    EXPECT_EQ(line.dir, c.dir) << ::testing::PrintToString(c.args);
    EXPECT_EQ(line.error, c.error) << ::testing::PrintToString(c.args);
    EXPECT_EQ(c.mode == Mode::Import || c.mode == Mode::Subscribe ? line.into : line.target, c.value)
        << ::testing::PrintToString(c.args);
  }
}

TEST(CommandLine, each_mode_takes_its_values_and_only_the_window_needs_a_display) {
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
