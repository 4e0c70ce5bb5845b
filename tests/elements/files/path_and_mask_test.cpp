// Splitting paths with TKXFilePart, and the wildcard matcher of file searches.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "elements/files/file_part.h"
#include "elements/files/mask_match.h"
#include "elements/files/probe.h"

namespace {

struct PartCase {
  std::string input;
  bool with_ext, no_dot;
  std::string path, name, ext;
};

class FilePartTable : public testing::TestWithParam<PartCase> {};

TEST_P(FilePartTable, fires_folder_name_and_extension) {
  const PartCase& c = GetParam();
  TKXFilePart part;
  part.WithExt = c.with_ext;
  part.NoDot = c.no_dot;
  Probe path, name, ext;
  part.onPath = path.Link();
  part.onName = name.Link();
  part.onExt = ext.Link();
  FireEvent(MakeLink<&TKXFilePart::doPart>(part), c.input);
  EXPECT_EQ(path.texts, std::vector<std::string>{c.path});
  EXPECT_EQ(name.texts, std::vector<std::string>{c.name});
  EXPECT_EQ(ext.texts, std::vector<std::string>{c.ext});
}

INSTANTIATE_TEST_SUITE_P(
    Paths, FilePartTable,
    testing::Values(PartCase{"C:\\Prog\\Lists\\Misc.txt", false, true, "C:\\Prog\\Lists\\", "Misc", "txt"},
                    PartCase{"C:\\Prog\\Lists\\Misc.txt", true, false, "C:\\Prog\\Lists\\", "Misc.txt", ".txt"},
                    PartCase{"hosts", false, true, "", "hosts", ""},
                    PartCase{"hosts", true, true, "", "hosts", ""},
                    // A dot in a folder name is no extension of the file.
                    PartCase{"C:\\a.b\\hosts", false, true, "C:\\a.b\\", "hosts", ""},
                    PartCase{"C:\\a.b\\hosts", true, false, "C:\\a.b\\", "hosts", ""},
                    PartCase{"/home/u/Lists/Misc.txt", false, true, "/home/u/Lists/", "Misc", "txt"},
                    PartCase{"C:\\x/y\\z.tar.gz", false, true, "C:\\x/y\\", "z.tar", "gz"},
                    PartCase{"/etc/a.b/hosts", true, true, "/etc/a.b/", "hosts", ""},
                    PartCase{"C:file.txt", true, true, "C:", "file.txt", "txt"},
                    PartCase{"Backup\\", false, false, "Backup\\", "", ""}));

TEST(FilePart, fires_folder_then_name_then_extension) {
  TKXFilePart part;
  Probe all;
  part.onPath = part.onName = part.onExt = all.Link();
  FireEvent(MakeLink<&TKXFilePart::doPart>(part), "C:\\Prog\\x.ini");
  EXPECT_EQ(all.texts, (std::vector<std::string>{"C:\\Prog\\", "x", ".ini"}));
}

TEST(FilePart, an_empty_name_fires_nothing) {
  TKXFilePart part;
  Probe all;
  part.onPath = part.onName = part.onExt = all.Link();
  FireEvent(MakeLink<&TKXFilePart::doPart>(part));
  FireEvent(MakeLink<&TKXFilePart::doPart>(part), "");
  EXPECT_EQ(all.Count(), 0u);
}

struct MaskCase {
  const char* name;
  const char* mask;
  bool matches;
};

class MaskTable : public testing::TestWithParam<MaskCase> {};

TEST_P(MaskTable, matches_whole_names) {
  const MaskCase& c = GetParam();
  EXPECT_EQ(MaskMatches(c.name, c.mask), c.matches) << c.name << " ~ " << c.mask;
}

INSTANTIATE_TEST_SUITE_P(
    Masks, MaskTable,
    testing::Values(MaskCase{"hosts", "hosts", true}, MaskCase{"HOSTS", "hosts", true},
                    MaskCase{"WinRoute.cfg", "winroute.cfg", true}, MaskCase{"hosts", "HoStS", true},
                    MaskCase{"hosts.old", "hosts", false}, MaskCase{"host", "hosts", false},
                    MaskCase{"winroute.cfg.old", "winroute.cfg", false},
                    MaskCase{"file1.txt", "file#.txt", true}, MaskCase{"filex.txt", "file#.txt", false},
                    MaskCase{"file12.txt", "file#.txt", false}, MaskCase{"ab", "a?", true},
                    MaskCase{"a", "a?", false}, MaskCase{"abc", "a?", false}, MaskCase{"", "", true},
                    MaskCase{"a", "", false}, MaskCase{"", "*", true}, MaskCase{"", "?", false},
                    MaskCase{"abc", "*", true}, MaskCase{"ac", "a*c", true}, MaskCase{"abbbc", "a*c", true},
                    MaskCase{"ab", "a*c", false}, MaskCase{"abcabd", "*abd", true},
                    MaskCase{"mississippi", "m*iss*ppi", true}, MaskCase{"mississippi", "m*iss*x", false},
                    MaskCase{"a.b.c", "*.*", true}, MaskCase{"abc", "***", true},
                    MaskCase{"x7y", "*#*", true}, MaskCase{"xy", "*#*", false},
                    // Only ASCII letters are folded; other bytes compare as they are.
                    MaskCase{"\xC4x", "\xE4x", false}));

TEST(MaskMatches, masks_that_would_explode_with_naive_backtracking_finish_at_once) {
  const std::string name(5000, 'a');
  std::string many_stars;
  for (int i = 0; i < 100; ++i) many_stars += "*a";
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(MaskMatches(name, "*a*a*a*a*b"));
  EXPECT_FALSE(MaskMatches(name, many_stars + "b"));
  EXPECT_TRUE(MaskMatches(name, many_stars + "*"));
  EXPECT_FALSE(MaskMatches(name, "*?*?*?*?*#"));
  EXPECT_TRUE(MaskMatches(name + "b", "*a*a*a*a*b"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

}  // namespace
