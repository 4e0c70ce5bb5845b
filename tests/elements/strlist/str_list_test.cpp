// The string list driven through its points: file rules, editing, sorting and its array view.
#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "elements/strlist/str_list.h"

namespace {

using Lines = std::vector<std::string>;

struct ChangeProbe {
  int fired = 0;
  void doChange(TData&, uint16_t) { ++fired; }
};

struct StrList : ::testing::Test {
  void SetUp() override {
    char pattern[] = "/tmp/strlist-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir = pattern;
    list.onChange = MakeLink<&ChangeProbe::doChange>(probe);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }

  std::string Path(const std::string& name) const { return dir + "/" + name; }
  void Write(const std::string& name, const std::string& bytes) const { std::ofstream(Path(name), std::ios::binary) << bytes; }
  std::string Read(const std::string& name) const {
    std::stringstream s;
    s << std::ifstream(Path(name), std::ios::binary).rdbuf();
    return s.str();
  }
  void Load(const std::string& name) { FireEvent(MakeLink<&TKXStrList::doLoad>(list), Path(name)); }
  void Save(const std::string& name) { FireEvent(MakeLink<&TKXStrList::doSave>(list), Path(name)); }

  std::string dir;
  TKXStrList list;
  ChangeProbe probe;
};

TEST_F(StrList, reads_and_writes_lines_by_the_line_rule) {
  using namespace std::string_literals;
  struct Case {
    const char* what;
    std::string file;
    Lines lines;
    std::string saved;
  };
  const std::vector<Case> cases = {
      {"CR LF breaks with an empty line", "a\r\n\r\nb\r\n", {"a", "", "b"}, "a\r\n\r\nb\r\n"},
      {"LF alone stays inside the line", "a\nb\n", {"a\nb\n"}, "a\nb\n\r\n"},
      {"a lone CR ends a line", "a\rb", {"a", "b"}, "a\r\nb\r\n"},
      {"one break is one empty line", "\r\n", {""}, "\r\n"},
      {"LF after CR LF starts the next line", "a\r\n\nb", {"a", "\nb"}, "a\r\n\nb\r\n"},
      {"NUL ends the text", "a\r\nb\0c\r\nd"s, {"a", "b"}, "a\r\nb\r\n"},
      {"NUL first gives nothing", "\0a"s, {}, ""},
      {"high bytes pass untouched", "\xff\xfe\x01\r\n\x80", {"\xff\xfe\x01", "\x80"}, "\xff\xfe\x01\r\n\x80\r\n"},
      {"a very long line", std::string(3'000'000, 'q'), {std::string(3'000'000, 'q')}, std::string(3'000'000, 'q') + "\r\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Write("in.txt", c.file);
    Load("in.txt");
    EXPECT_EQ(list.Lines(), c.lines);
    Save("out.txt");
    EXPECT_EQ(Read("out.txt"), c.saved);
  }
}

TEST_F(StrList, loading_a_missing_file_or_a_folder_keeps_the_lines_and_fires_nothing) {
  list.SetStrings("keep\r\n");
  Load("missing.txt");
  std::filesystem::create_directory(Path("folder"));
  Load("folder");
  EXPECT_EQ(list.Lines(), Lines{"keep"});
  EXPECT_EQ(probe.fired, 0);
}

TEST_F(StrList, loading_an_empty_file_empties_the_list_and_fires) {
  list.SetStrings("old");
  Write("empty.txt", "");
  Load("empty.txt");
  EXPECT_TRUE(list.Lines().empty());
  EXPECT_EQ(probe.fired, 1);
}

TEST_F(StrList, an_unreadable_file_keeps_the_lines_but_still_fires) {
  Write("locked.txt", "new\r\n");
  chmod(Path("locked.txt").c_str(), 0);
  if (access(Path("locked.txt").c_str(), R_OK) == 0) GTEST_SKIP() << "permissions are not enforced for this user";
  list.SetStrings("old");
  Load("locked.txt");
  EXPECT_EQ(list.Lines(), Lines{"old"});
  EXPECT_EQ(probe.fired, 1);
}

TEST_F(StrList, the_file_name_property_serves_when_nothing_arrives_and_backslashes_separate_folders) {
  std::filesystem::create_directory(Path("Logs"));
  list.FileName = dir + "\\Logs\\KWF.log";
  list.SetStrings("one\rtwo");
  FireEvent(MakeLink<&TKXStrList::doSave>(list));
  EXPECT_EQ(Read("Logs/KWF.log"), "one\r\ntwo\r\n");
  list.SetStrings("");
  FireEvent(MakeLink<&TKXStrList::doLoad>(list));
  EXPECT_EQ(list.Lines(), (Lines{"one", "two"}));
}

TEST_F(StrList, saving_an_empty_list_leaves_an_existing_file_empty) {
  Write("f.txt", "old content\r\n");
  Save("f.txt");
  EXPECT_EQ(Read("f.txt"), "");
}

TEST_F(StrList, a_save_that_cannot_be_made_leaves_nothing_behind_and_fires_nothing) {
  list.SetStrings("x");
  Save("no/such/folder/f.txt");
  std::filesystem::create_directory(Path("dir"));
  Save("dir");
  EXPECT_TRUE(std::filesystem::is_directory(Path("dir")));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);  // no stray temporary file
  EXPECT_EQ(probe.fired, 0);
}

TEST_F(StrList, add_appends_whatever_arrives_and_clear_fires_even_when_empty) {
  auto add = MakeLink<&TKXStrList::doAdd>(list);
  FireEvent(add, "a");
  FireEvent(add);
  FireEvent(add, "a");
  FireEvent(add, 7);
  EXPECT_EQ(list.Lines(), (Lines{"a", "", "a", "7"}));
  FireEvent(MakeLink<&TKXStrList::doClear>(list));
  FireEvent(MakeLink<&TKXStrList::doClear>(list));
  EXPECT_EQ(probe.fired, 6);
}

TEST_F(StrList, delete_removes_only_a_valid_index) {
  struct Case {
    TData index;
    Lines left;
  };
  const Lines all = {"a", "b", "c"};
  const std::vector<Case> cases = {
      {MakeText("abc"), all}, {MakeInteger(-1), all},        {MakeInteger(3), all},
      {TData{}, all},         {MakeText("0"), {"b", "c"}},   {MakeInteger(1), {"a", "c"}},
      {MakeReal(2.0), {"a", "b"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(AsText(c.index));
    list.SetStrings("a\rb\rc");
    probe.fired = 0;
    FireEvent(MakeLink<&TKXStrList::doDelete>(list), TData(c.index));
    EXPECT_EQ(list.Lines(), c.left);
    EXPECT_EQ(probe.fired, c.left == all ? 0 : 1);
  }
}

TEST_F(StrList, sort_folds_only_ascii_capitals_and_fires_nothing) {
  list.SetStrings("b\rB1\ra\r_x\r\xE0\r\xC0\rZ");
  FireEvent(MakeLink<&TKXStrList::doSort>(list));
  EXPECT_EQ(list.Lines(), (Lines{"_x", "a", "b", "B1", "Z", "\xC0", "\xE0"}));
  EXPECT_EQ(probe.fired, 0);
}

TEST_F(StrList, text_ends_every_line_with_cr_lf) {
  TData v;
  list.varText(v, 0);
  EXPECT_EQ(v.kind, KindString);
  EXPECT_EQ(v.text, "");
  list.SetStrings("\r\n");
  list.varText(v, 0);
  EXPECT_EQ(v.text, "\r\n");
}

TEST_F(StrList, the_array_is_one_object_working_on_the_lines_without_firing) {
  TData first, second;
  list.varArray(first, 0);
  list.varArray(second, 0);
  ASSERT_EQ(first.kind, KindArray);
  ASSERT_EQ(first.array, second.array);
  TDataArray& array = *first.array;

  array.Add(MakeInteger(5));
  array.Add(MakeText("b"));
  array.Set(MakeText("0"), MakeText("a"));
  array.Set(MakeInteger(9), MakeText("ignored"));
  EXPECT_EQ(list.Lines(), (Lines{"a", "b"}));
  EXPECT_EQ(array.Count(), 2);

  TData item = MakeText("untouched");
  EXPECT_FALSE(array.Get(MakeText("x"), item));
  EXPECT_FALSE(array.Get(MakeInteger(2), item));
  EXPECT_EQ(item.text, "untouched");
  EXPECT_TRUE(array.Get(MakeText("1"), item));
  EXPECT_EQ(item.text, "b");
  EXPECT_EQ(probe.fired, 0);
}

}  // namespace
