// TKXFileSearch in a scratch folder: masks, counts, subfolders and the Include modes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "elements/files/file_search.h"
#include "elements/files/fixture.h"

namespace {

using Texts = std::vector<std::string>;

TEST(FileSearch, finds_files_whose_whole_name_fits_the_mask_counts_them_and_walks_subfolders_on_request) {
  TempFolder tmp;
  for (const char* folder : {"sub", "sub\\deeper", ".hidden"}) tmp.MakeFolder(folder);
  for (const char* file : {"hosts", "hosts.old", "sub\\HOSTS", "sub\\deeper\\hosts", ".hidden\\hosts"})
    tmp.Write(file, "");
  const std::string dir = tmp.Path(), all[] = {tmp / "hosts", tmp / "sub\\HOSTS", tmp / "sub\\deeper\\hosts"};
  struct Case { std::string folder, mask; bool no_sub_dirs; int32_t include; bool full_path; Texts found, end; };
  const std::vector<Case> cases = {
      {dir, "HOSTS", true, 0, true, {all[0]}, {"1"}},
      {dir + "/", "*.OLD", true, 0, true, {dir + "/hosts.old"}, {"1"}},  // the separator given is kept
      {dir, "", true, 0, true, {all[0], tmp / "hosts.old"}, {"2"}},     // an empty mask fits every name
      {dir, "hosts", false, 0, true, {all[0], all[1], all[2]}, {"3"}},
      {dir, "hosts", false, 1, true, {tmp / "sub", tmp / "sub\\deeper"}, {"3"}},  // folders only, files still counted
      {dir, "hosts", true, 2, false, {"hosts", "sub"}, {"1"}},
      {tmp / "missing", "", true, 0, true, {}, {"0"}},
      {"", "", true, 0, true, {}, {}},  // no folder: nothing fires
  };
  TKXFileSearch search;
  Probe found, end, other;
  search.onFound = found.Link(), search.onEndSearch = end.Link(), search.onOther = other.Link();
  for (const Case& c : cases) {
    search.Mask = c.mask, search.NoSubDirs = c.no_sub_dirs, search.Include = c.include, search.FullPath = c.full_path;
    found = {}, end = {};
    FireEvent(MakeLink<&TKXFileSearch::doSearch>(search), c.folder);  // the folder arrives with the event
    EXPECT_EQ(found.texts, c.found) << c.folder << " " << c.mask << " " << c.no_sub_dirs << c.include << c.full_path;
    EXPECT_EQ(end.texts, c.end) << c.folder << " " << c.mask << " " << c.no_sub_dirs << c.include << c.full_path;
    EXPECT_TRUE(end.got.empty() || end.got[0].kind == KindInteger);
  }
  EXPECT_EQ(other.texts[0], tmp / "hosts.old");
  // Links back to a folder being walked are not followed round.
  ASSERT_EQ(::symlink(dir.c_str(), (dir + "/sub/back").c_str()), 0);
  ASSERT_EQ(::symlink((dir + "/sub").c_str(), (dir + "/sub/deeper/up").c_str()), 0);
  search.Mask = "hosts", search.NoSubDirs = false, search.Include = 0, search.FullPath = true;
  end = {};
  FireEvent(MakeLink<&TKXFileSearch::doSearch>(search), dir);
  EXPECT_EQ(end.texts, Texts{"3"});
}

}  // namespace
