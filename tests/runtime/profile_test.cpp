// The private-profile INI engine: file contents against expected results, and bad files.
#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#include <optional>
#include <tuple>

#include "runtime/platform/profile.h"
#include "runtime/runtime_fixture.h"

namespace {

using namespace platform;

struct ProfileTest : ScratchFolderTest {
  std::string file;
  void SetUp() override {
    ScratchFolderTest::SetUp();
    file = dir + "/t.ini";
  }
  void Put(const std::string& bytes) { ASSERT_TRUE(WriteFileAtomic(file, bytes)); }
  std::string Text() { return ReadFile(file).value_or(""); }
};

// How values are trimmed, unquoted and cut is checked by the profile fuzz harness.
TEST_F(ProfileTest, reads_keys_by_the_documented_rules) {
  const std::vector<std::tuple<std::string, std::string, std::string, std::optional<std::string>>> cases = {
      // content, section, key, value (nothing: the key counts as missing)
      {"[sEc]\r\nKEY=v", "SEC", "key", "v"},
      {" \t[ S ] \r\n  k \t=  v v \t\r\n", " S", "k ", "v v"},
      {"[S]\r\nk=", "S", "k", ""},
      {"[S]\r\nk=1\r\nk=2", "S", "k", "1"},
      {"[S]\r\nk=1\r\n[S]\r\nj=3", "S", "j", std::nullopt},
      {"k=0\r\n[S]\r\n", "S", "k", std::nullopt},
      {"[S\r\nk=v", "S", "k", "v"},
      {"[S]\r\nk\r\n", "S", "k", std::nullopt},
      {"[S]\r\nk=v", "S", "", std::nullopt},
  };
  for (const auto& [content, section, key, expected] : cases) {
    Put(content);
    EXPECT_EQ(FindProfileString(file, section, key), expected) << content;
    EXPECT_EQ(ReadProfileString(file, section, key), expected.value_or("")) << content;
  }
}

TEST_F(ProfileTest, reads_integers_inside_quotes_and_blanks_up_to_the_first_non_digit) {
  for (const auto& [value, expected] : std::vector<std::pair<std::string, int32_t>>{{"\" -5x\"", -5}, {"0x10", 0}}) {
    Put("[S]\r\nk=" + value + "\r\n");
    EXPECT_EQ(ReadProfileInt(file, "S", "k"), expected) << value;
  }
}

TEST_F(ProfileTest, writes_deletes_and_erases_keep_every_other_line_and_its_order) {
  const std::vector<std::tuple<char, std::string, std::string>> cases = {
      // 'w': write k=v, 'd': delete k, 'e': erase the section; all in section S
      {'w', "x\r\n[S]\r\n a=1\r\nK = old\r\nb=2\r\n", "x\r\n[S]\r\n a=1\r\nK=v\r\nb=2\r\n"},
      {'w', "[s]\na=1\n", "[s]\r\na=1\r\nk=v\r\n"},
      {'w', "[S]\r\na=1\r\n\r\n[T]\r\n", "[S]\r\na=1\r\nk=v\r\n\r\n[T]\r\n"},
      {'d', "[S]\r\nk=1\r\nK=2\r\n[S]\r\nk=3\r\n", "[S]\r\n[S]\r\nk=3\r\n"},
      {'e', "a\r\n[S]\r\nk=1\r\n[T]\r\nj=2\r\n[s]\r\nm=3\r\n", "a\r\n[T]\r\nj=2\r\n"},
      {'e', "[T]\nj=2\n", "[T]\nj=2\n"},  // nothing to erase: the file is not rewritten
  };
  for (const auto& [op, before, after] : cases) {
    Put(before);
    const bool done = op == 'w'   ? WriteProfileString(file, "S", "k", "v")
                      : op == 'd' ? DeleteProfileKey(file, "S", "k")
                                  : EraseProfileSection(file, "S");
    EXPECT_TRUE(done) << op << " " << before;
    EXPECT_EQ(Text(), after) << op << " " << before;
  }
}

// Many keys changed in one save read as the single writes would have left them, and one
// reading of the section gives what the single reads give.
TEST_F(ProfileTest, keys_set_and_removed_in_one_save_read_as_single_writes_would_leave_them) {
  const std::vector<std::pair<std::string, std::string>> before = {
      {"x\r\n[S]\r\n a=1\r\nK = old\r\nj=9\r\n\r\n[T]\r\nk=t\r\n",
       "x\r\n[S]\r\n a=1\r\nK=v\r\nn=new\r\n\r\n[T]\r\nk=t\r\n"},
      {"[T]\r\nk=t\r\n", "[T]\r\nk=t\r\n[S]\r\nk=v\r\nn=new\r\n"},
  };
  for (const auto& [content, after] : before) {
    Put(content);
    ASSERT_TRUE(WriteProfileStrings(file, "S", {{"k", "v"}, {"n", "new\r\nx=injected"}}, {"j", "missing"}));
    EXPECT_EQ(Text(), after) << content;
    const ProfileSection section = ReadProfileSection(file, "s");
    EXPECT_EQ(section.String(" K "), ReadProfileString(file, "S", "k"));
    EXPECT_EQ(section.String("n"), "new");
    EXPECT_EQ(section.String("none"), "");
  }
  Put("[S]\r\ncount=\"12abc\"\r\n");
  EXPECT_EQ(ReadProfileSection(file, "S").Int("count"), ReadProfileInt(file, "S", "count"));
  EXPECT_FALSE(WriteProfileStrings(file, "S", {{"", "v"}}, {}));
}

// A value is cut at a line break, so that it adds no line (the fuzz harness cannot see a key added).
TEST_F(ProfileTest, binary_nul_and_very_long_lines_survive_a_write_byte_for_byte_and_a_value_adds_no_line) {
  const std::string odd = std::string("\x01\xff\x80 binary \0 nul", 16);
  const std::string long_line = std::string(100 * 1024, 'y');
  Put("; comment\r\n" + odd + "\r\n[S]\r\n  spaced = 1 \t\r\n[broken\r\n" + long_line + "\r\nlast=x");
  ASSERT_TRUE(WriteProfileString(file, "S", "spaced", "2\r\n[X]\r\nevil=1"));
  EXPECT_EQ(Text(), "; comment\r\n" + odd + "\r\n[S]\r\nspaced=2\r\n[broken\r\n" + long_line + "\r\nlast=x\r\n");
  EXPECT_EQ(ReadProfileString(file, "broken", "last"), "x");
}

TEST_F(ProfileTest, a_read_only_file_and_a_folder_are_never_written_and_the_reason_is_given) {
  Put("[S]\r\nk=1\r\n");
  ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
  std::string why[5];
  EXPECT_FALSE(WriteProfileString(file, "S", "k", "2", &why[0]));
  EXPECT_FALSE(DeleteProfileKey(file, "S", "k", &why[1]));
  EXPECT_FALSE(EraseProfileSection(file, "S", &why[2]));
  EXPECT_EQ(Text(), "[S]\r\nk=1\r\n");
  EXPECT_FALSE(WriteProfileString(dir, "S", "k", "2", &why[3]));
  EXPECT_FALSE(WriteProfileString(file, "S", "a=b", "2", &why[4]));
  const std::string denied = std::strerror(EACCES);
  EXPECT_EQ((std::vector<std::string>{why[0], why[1], why[2], why[3]}),
            (std::vector<std::string>{denied, denied, denied, std::strerror(EISDIR)}));
  EXPECT_FALSE(why[4].empty());
  ::chmod(file.c_str(), 0644);  // so that the folder can be removed on Windows too
}

}  // namespace
