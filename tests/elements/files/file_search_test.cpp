// TKXFileSearch in a scratch folder: masks, counts, subfolders and the Include modes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "elements/files/file_search.h"
#include "elements/files/probe.h"
#include "elements/files/temp_folder.h"

namespace {

using Texts = std::vector<std::string>;

class FileSearch : public testing::Test {
 protected:
  void SetUp() override {
    search.onFound = found.Link();
    search.onEndSearch = end.Link();
    search.onOther = other.Link();
  }
  void Run(TData value = {}) { FireEvent(MakeLink<&TKXFileSearch::doSearch>(search), value); }

  TempFolder tmp;
  TKXFileSearch search;
  Probe found, end, other;
};

TEST_F(FileSearch, the_mask_hosts_finds_only_the_file_named_hosts_whatever_its_case) {
  tmp.Write("HOSTS", "x");
  tmp.Write("hosts.old", "x");
  tmp.Write("hosts.sam", "x");
  search.Dir = tmp.Path();
  search.Mask = "hosts";
  Run();
  EXPECT_EQ(found.texts, Texts{tmp.Path() + "\\HOSTS"});
  EXPECT_EQ(other.texts, (Texts{tmp.Path() + "\\hosts.old", tmp.Path() + "\\hosts.sam"}));
  ASSERT_EQ(end.Count(), 1u);
  EXPECT_EQ(end.values[0].kind, KindInteger);
  EXPECT_EQ(end.values[0].integer, 1);
}

TEST_F(FileSearch, takes_the_folder_from_the_arriving_value_and_keeps_its_trailing_separator) {
  tmp.Write("a.txt", "");
  search.Mask = "*.TXT";
  Run(MakeText(tmp.Path() + "/"));
  EXPECT_EQ(found.texts, Texts{tmp.Path() + "/a.txt"});
  EXPECT_EQ(end.texts, Texts{"1"});
}

TEST_F(FileSearch, an_empty_mask_matches_every_file) {
  tmp.Write("a", "");
  tmp.Write("b.c", "");
  search.Dir = tmp.Path();
  Run();
  EXPECT_EQ(end.texts, Texts{"2"});
}

TEST_F(FileSearch, a_missing_folder_ends_with_zero) {
  search.Dir = tmp / "missing";
  Run();
  EXPECT_EQ(found.Count(), 0u);
  EXPECT_EQ(end.texts, Texts{"0"});
}

TEST_F(FileSearch, an_empty_folder_name_fires_nothing) {
  Run();
  EXPECT_EQ(end.Count(), 0u);
}

class FileSearchTree : public FileSearch {
 protected:
  void SetUp() override {
    FileSearch::SetUp();
    tmp.Write("hosts", "");
    tmp.MakeFolder("sub");
    tmp.Write("sub\\HOSTS", "");
    tmp.MakeFolder("sub\\deeper");
    tmp.Write("sub\\deeper\\hosts", "");
    tmp.MakeFolder(".hidden");
    tmp.Write(".hidden\\hosts", "");
    search.Dir = tmp.Path();
    search.Mask = "hosts";
  }
};

TEST_F(FileSearchTree, stays_in_the_folder_by_default) {
  Run();
  EXPECT_EQ(found.texts, Texts{tmp / "hosts"});
}

TEST_F(FileSearchTree, descends_depth_first_with_no_sub_dirs_cleared) {
  search.NoSubDirs = false;
  Run();
  EXPECT_EQ(found.texts, (Texts{tmp / "hosts", tmp / "sub\\HOSTS", tmp / "sub\\deeper\\hosts"}));
  EXPECT_EQ(end.texts, Texts{"3"});
}

TEST_F(FileSearchTree, include_1_reports_folders_only_but_still_counts_matching_files) {
  search.NoSubDirs = false;
  search.Include = 1;
  Run();
  EXPECT_EQ(found.texts, (Texts{tmp / "sub", tmp / "sub\\deeper"}));
  EXPECT_EQ(end.texts, Texts{"3"});
}

TEST_F(FileSearchTree, include_2_reports_folders_and_files_in_listing_order) {
  search.Include = 2;
  search.FullPath = false;
  Run();
  EXPECT_EQ(found.texts, (Texts{"hosts", "sub"}));
  EXPECT_EQ(end.texts, Texts{"1"});
}

TEST_F(FileSearchTree, a_link_back_to_a_walked_folder_is_not_followed_round) {
  ASSERT_EQ(::symlink(tmp.Path().c_str(), (tmp.Path() + "/sub/back").c_str()), 0);
  ASSERT_EQ(::symlink((tmp.Path() + "/sub").c_str(), (tmp.Path() + "/sub/deeper/up").c_str()), 0);
  search.NoSubDirs = false;
  Run();
  EXPECT_EQ(end.texts, Texts{"3"});
}

}  // namespace
