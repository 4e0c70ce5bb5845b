// The string list driven through its points: file rules, editing, sorting and its array view.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "elements/strlist/str_list.h"
#include "runtime/platform/files.h"

namespace {

using Lines = std::vector<std::string>;
using namespace std::string_literals;

struct StrList : ::testing::Test {
  void SetUp() override {
    ASSERT_NE(mkdtemp(dir.data()), nullptr);
    list.onChange = MakeLink<&StrList::doChange>(*this);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  void doChange(TData&, uint16_t) { ++fired; }
  std::string Read(const std::string& name) const { return platform::ReadFile(dir + "/" + name).value_or("<none>"); }
  template <auto Point>
  void Fire(TData value = {}) {
    FireEvent(MakeLink<Point>(list), value);
  }
  std::string dir = "/tmp/strlist-XXXXXX";
  TKXStrList list;
  int fired = 0;
};

TEST_F(StrList, reads_and_writes_lines_by_the_line_rule) {
  struct Case {
    const char* what;
    std::string file;
    Lines lines;
    std::string saved;
  };
  const std::string long_line(3'000'000, 'q');
  const std::vector<Case> cases = {
      {"CR LF breaks with an empty line", "a\r\n\r\nb\r\n", {"a", "", "b"}, "a\r\n\r\nb\r\n"},
      {"LF alone stays inside the line", "a\nb\n", {"a\nb\n"}, "a\nb\n\r\n"},
      {"a lone CR ends a line", "a\rb", {"a", "b"}, "a\r\nb\r\n"},
      {"one break is one empty line", "\r\n", {""}, "\r\n"},
      {"LF after CR LF starts the next line", "a\r\n\nb", {"a", "\nb"}, "a\r\n\nb\r\n"},
      {"NUL ends the text", "a\r\nb\0c\r\nd"s, {"a", "b"}, "a\r\nb\r\n"},
      {"NUL first gives nothing, and saving nothing empties the file", "\0a"s, {}, ""},
      {"high bytes pass untouched", "\xff\xfe\x01\r\n\x80", {"\xff\xfe\x01", "\x80"}, "\xff\xfe\x01\r\n\x80\r\n"},
      {"an empty file empties the list", "", {}, ""},
      {"a very long line", long_line, {long_line}, long_line + "\r\n"},
  };
  TData text;
  for (const auto& c : cases) {
    platform::WriteFileAtomic(dir + "/in.txt", c.file);
    Fire<&TKXStrList::doLoad>(MakeText(dir + "/in.txt"));
    Fire<&TKXStrList::doSave>(MakeText(dir + "/out.txt"));
    list.varText(text, 0);
    EXPECT_EQ(list.Lines(), c.lines) << c.what;
    EXPECT_EQ(Read("out.txt"), c.saved) << c.what;
    EXPECT_EQ(text.text, c.saved) << c.what;
  }
  // Asked to, a lone LF ends a line too, as in files written on Linux; saving stays CR LF.
  list.Breaks = LineBreaks::Any;
  platform::WriteFileAtomic(dir + "/in.txt", "a\nb\r\nc\rd\n");
  Fire<&TKXStrList::doLoad>(MakeText(dir + "/in.txt"));
  Fire<&TKXStrList::doSave>(MakeText(dir + "/out.txt"));
  EXPECT_EQ(list.Lines(), (Lines{"a", "b", "c", "d"}));
  EXPECT_EQ(Read("out.txt"), "a\r\nb\r\nc\r\nd\r\n");
}

TEST_F(StrList, a_missing_or_unreadable_file_keeps_the_lines_and_only_a_present_file_fires) {
  list.SetStrings("keep\r\n");
  Fire<&TKXStrList::doLoad>(MakeText(dir + "/missing.txt"));
  Fire<&TKXStrList::doLoad>(MakeText(dir));
  EXPECT_EQ(fired, 0);
  platform::WriteFileAtomic(dir + "/locked.txt", "new\r\n");
  chmod((dir + "/locked.txt").c_str(), 0);
  if (access((dir + "/locked.txt").c_str(), R_OK) != 0) {  // root reads it anyway
    Fire<&TKXStrList::doLoad>(MakeText(dir + "/locked.txt"));
    EXPECT_EQ(fired, 1);
  }
  EXPECT_EQ(list.Lines(), Lines{"keep"});
}

TEST_F(StrList, saves_through_the_file_name_property_atomically_and_a_failed_save_leaves_nothing_behind) {
  list.FileName = dir + "\\KWF.log";  // a backslash separates folders
  list.SetStrings("one\rtwo");
  Fire<&TKXStrList::doSave>();
  Fire<&TKXStrList::doSave>(MakeText(dir + "/no/such/folder/f.txt"));
  Fire<&TKXStrList::doSave>(MakeText(dir));
  EXPECT_EQ(Read("KWF.log"), "one\r\ntwo\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir), {}), 1);  // no stray temporary file
  list.SetStrings("");
  Fire<&TKXStrList::doLoad>();
  EXPECT_EQ(list.Lines(), (Lines{"one", "two"}));
  EXPECT_EQ(fired, 1);
}

TEST_F(StrList, add_and_clear_always_fire_sort_never_and_delete_only_for_a_valid_index) {
  Fire<&TKXStrList::doAdd>(MakeInteger(7));
  Fire<&TKXStrList::doAdd>();
  EXPECT_EQ(list.Lines(), (Lines{"7", ""}));
  list.SetStrings("b\rB1\ra\r_x\r\xE0\r\xC0\rZ");
  Fire<&TKXStrList::doSort>();
  EXPECT_EQ(list.Lines(), (Lines{"_x", "a", "b", "B1", "Z", "\xC0", "\xE0"}));
  Fire<&TKXStrList::doClear>();
  Fire<&TKXStrList::doClear>();
  EXPECT_EQ(fired, 4);
  const Lines all = {"a", "b", "c"};
  const std::vector<std::pair<TData, Lines>> cases = {
      {MakeText("abc"), all},      {MakeInteger(-1), all},       {MakeInteger(3), all},       {TData{}, all},
      {MakeText("0"), {"b", "c"}}, {MakeInteger(1), {"a", "c"}}, {MakeReal(2.0), {"a", "b"}},
  };
  for (const auto& [index, left] : cases) {
    list.SetStrings("a\rb\rc");
    Fire<&TKXStrList::doDelete>(index);
    EXPECT_EQ(list.Lines(), left) << AsText(index);
  }
  EXPECT_EQ(fired, 7);
}

TEST_F(StrList, the_array_is_one_object_working_on_the_lines_without_firing) {
  TData first, second, item = MakeText("untouched");
  list.varArray(first, 0);
  list.varArray(second, 0);
  ASSERT_EQ(first.array, second.array);
  first.array->Add(MakeText("b"));
  first.array->Add(MakeText("b"));
  first.array->Set(MakeText("0"), MakeText("a"));
  first.array->Set(MakeInteger(9), MakeText("ignored"));
  EXPECT_EQ(list.Lines(), (Lines{"a", "b"}));
  EXPECT_FALSE(first.array->Get(MakeText("x"), item) || first.array->Get(MakeInteger(2), item));
  EXPECT_EQ(item.text, "untouched");
  EXPECT_TRUE(first.array->Get(MakeText("1"), item) && item.text == "b");
  // A longer line than the one it replaces does not fit in its place; the others stay.
  first.array->Set(MakeInteger(0), MakeText("a line longer than before"));
  EXPECT_EQ(list.Lines(), (Lines{"a line longer than before", "b"}));
  EXPECT_EQ(first.array->Records(), &list.Lines());  // readers walk the lines themselves
  EXPECT_EQ(fired, 0);
}

}  // namespace
