// Splitting paths with TKXFilePart, and the wildcard matcher of file searches.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "elements/files/file_part.h"
#include "elements/files/fixture.h"
#include "elements/files/mask_match.h"

namespace {

TEST(FilePart, fires_folder_then_name_then_extension_and_nothing_for_an_empty_name) {
  struct Case { std::string input; bool with_ext, no_dot; std::string path, name, ext; };
  const std::vector<Case> cases = {
      {"C:\\Prog\\Lists\\Misc.txt", false, true, "C:\\Prog\\Lists\\", "Misc", "txt"},
      {"C:\\Prog\\Lists\\Misc.txt", true, false, "C:\\Prog\\Lists\\", "Misc.txt", ".txt"},
      {"C:\\a.b\\hosts", false, false, "C:\\a.b\\", "hosts", ""},  // a dot in a folder is no extension
      {"/etc/a.b/hosts", true, true, "/etc/a.b/", "hosts", ""},
      {"C:\\x/y\\z.tar.gz", false, true, "C:\\x/y\\", "z.tar", "gz"},
      {"C:file.txt", true, true, "C:", "file.txt", "txt"},
      {"Backup\\", false, false, "Backup\\", "", ""},
  };
  for (const Case& c : cases) {
    TKXFilePart part;
    Probe all;
    part.WithExt = c.with_ext, part.NoDot = c.no_dot;
    part.onPath = all.Link(1), part.onName = all.Link(2), part.onExt = all.Link(3);
    FireEvent(MakeLink<&TKXFilePart::doPart>(part), c.input);
    FireEvent(MakeLink<&TKXFilePart::doPart>(part), "");
    EXPECT_EQ(all.texts, (std::vector<std::string>{"1:" + c.path, "2:" + c.name, "3:" + c.ext})) << c.input;
  }
}

TEST(MaskMatches, matches_whole_names_folding_only_ascii_letters) {
  struct Case { const char* name; const char* mask; bool matches; };
  const std::vector<Case> cases = {
      {"HOSTS", "hosts", true},     {"hosts", "HoStS", true},        {"hosts.old", "hosts", false},
      {"host", "hosts", false},     {"file1.txt", "file#.txt", true}, {"file12.txt", "file#.txt", false},
      {"filex.txt", "file#.txt", false}, {"ab", "a?", true},         {"abc", "a?", false},
      {"", "", true},               {"a", "", false},                {"", "*", true},
      {"", "?", false},             {"abbbc", "a*c", true},          {"ab", "a*c", false},
      {"abcabd", "*abd", true},     {"mississippi", "m*iss*ppi", true}, {"a.b.c", "*.*", true},
      {"x7y", "*#*", true},         {"xy", "*#*", false},            {"\xC4x", "\xE4x", false},
  };
  for (const Case& c : cases) EXPECT_EQ(MaskMatches(c.name, c.mask), c.matches) << c.name << " ~ " << c.mask;
}

// Their timing is in bench/mask_match_bench.cpp.
TEST(MaskMatches, masks_that_would_explode_with_naive_backtracking_still_answer_right) {
  const std::string name(300, 'a');
  std::string many_stars;
  for (int i = 0; i < 100; ++i) many_stars += "*a";
  EXPECT_FALSE(MaskMatches(name, "*a*a*a*a*b") || MaskMatches(name, many_stars + "b"));
  EXPECT_FALSE(MaskMatches(name, "*?*?*?*?*#"));
  EXPECT_TRUE(MaskMatches(name, many_stars + "*") && MaskMatches(name + "b", "*a*a*a*a*b"));
}

}  // namespace
