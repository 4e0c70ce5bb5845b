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
  // "<missing>" stands for no file at all, both before and after.
  void Put(const std::string& bytes) {
    std::filesystem::remove(file);
    if (bytes != "<missing>") {
      ASSERT_TRUE(WriteFileAtomic(file, bytes));
    }
  }
  std::string Text() { return ReadFile(file).value_or("<missing>"); }
};

// How values are trimmed, unquoted and cut is checked by the profile fuzz harness.
TEST_F(ProfileTest, reads_keys_by_the_documented_rules) {
  const std::vector<std::tuple<std::string, std::string, std::string, std::optional<std::string>>> cases = {
      // content, section, key, value (nothing: the key counts as missing)
      {"[S]\nk=v\n", "S", "k", "v"},
      {"[sEc]\r\nKEY=v", "SEC", "key", "v"},
      {" \t[ S ] \r\n  k \t=  v v \t\r\n", " S", "k ", "v v"},
      {"[S]\r\nk=", "S", "k", ""},
      {"[S]\r\nk=1\r\nk=2", "S", "k", "1"},
      {"[S]\r\nk=1\r\n[S]\r\nj=3", "S", "j", std::nullopt},
      {"k=0\r\n[S]\r\n", "S", "k", std::nullopt},
      {"[S\r\nk=v", "S", "k", "v"},
      {"[S]\r\nk\r\n", "S", "k", std::nullopt},
      {"[S]\r\n[T]\r\nk=v", "S", "k", std::nullopt},
      {"[S]\r\nk=v", "S", "", std::nullopt},
      {"<missing>", "S", "k", std::nullopt},
  };
  for (const auto& [content, section, key, expected] : cases) {
    Put(content);
    EXPECT_EQ(FindProfileString(file, section, key), expected) << content;
    EXPECT_EQ(ReadProfileString(file, section, key), expected.value_or("")) << content;
  }
}

TEST_F(ProfileTest, reads_integers_inside_quotes_and_blanks_up_to_the_first_non_digit) {
  for (const auto& [value, expected] : std::vector<std::pair<std::string, int32_t>>{
           {" -7 ", -7}, {"+3", 3}, {"12abc", 12}, {"abc", 0}, {"\" 5\"", 5}, {"", 0}, {"0x10", 0}}) {
    Put("[S]\r\nk=" + value + "\r\n");
    EXPECT_EQ(ReadProfileInt(file, "S", "k"), expected) << value;
  }
}

TEST_F(ProfileTest, writes_deletes_and_erases_keep_every_other_line_and_its_order) {
  const std::vector<std::tuple<char, std::string, std::string>> cases = {
      // 'w': write k=v, 'd': delete k, 'e': erase the section; all in section S
      {'w', "<missing>", "[S]\r\nk=v\r\n"},
      {'w', "x\r\n[S]\r\n a=1\r\nK = old\r\nb=2\r\n", "x\r\n[S]\r\n a=1\r\nK=v\r\nb=2\r\n"},
      {'w', "[T]\r\nq=1", "[T]\r\nq=1\r\n[S]\r\nk=v\r\n"},
      {'w', "[s]\na=1\n", "[s]\r\na=1\r\nk=v\r\n"},
      {'w', "[S]\r\na=1\r\n\r\n[T]\r\n", "[S]\r\na=1\r\nk=v\r\n\r\n[T]\r\n"},
      {'w', "k=0\r\n[S]\r\n", "k=0\r\n[S]\r\nk=v\r\n"},
      {'d', "[S]\r\nk=1\r\nj=2\r\n", "[S]\r\nj=2\r\n"},
      {'d', "[S]\r\nk=1\r\nK=2\r\n[S]\r\nk=3\r\n", "[S]\r\n[S]\r\nk=3\r\n"},
      {'e', "a\r\n[S]\r\nk=1\r\n[T]\r\nj=2\r\n[s]\r\nm=3\r\n", "a\r\n[T]\r\nj=2\r\n"},
      {'e', "[T]\nj=2\n", "[T]\nj=2\n"},  // nothing to erase: the file is not rewritten
      {'e', "<missing>", "<missing>"},
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

TEST_F(ProfileTest, refuses_names_that_would_read_back_differently_and_cuts_values_at_line_breaks) {
  Put("[S]\r\n");
  for (const auto& [section, key] : std::vector<std::pair<std::string, std::string>>{
           {"S", "a=b"}, {"S", "[k"}, {"S", " "}, {"a]b", "k"}, {"S", "k\r\nx"}}) {
    EXPECT_FALSE(WriteProfileString(file, section, key, "v")) << section << " " << key;
  }
  EXPECT_TRUE(WriteProfileString(file, "S", "k", "v\r\n[X]\r\nevil=1"));
  EXPECT_EQ(Text(), "[S]\r\nk=v\r\n");
}

TEST_F(ProfileTest, binary_nul_and_very_long_lines_survive_a_write_byte_for_byte) {
  const std::string odd = std::string("\x01\xff\x80 binary \0 nul", 16);
  const std::string long_line = std::string(100 * 1024, 'y');
  Put("; comment\r\n" + odd + "\r\n[S]\r\n  spaced = 1 \t\r\n[broken\r\n" + long_line + "\r\nlast=x");
  ASSERT_TRUE(WriteProfileString(file, "S", "spaced", "2"));
  EXPECT_EQ(Text(), "; comment\r\n" + odd + "\r\n[S]\r\nspaced=2\r\n[broken\r\n" + long_line + "\r\nlast=x\r\n");
  EXPECT_EQ(ReadProfileString(file, "broken", "last"), "x");
}

TEST_F(ProfileTest, a_read_only_file_a_folder_and_a_missing_folder_are_never_written_and_the_reason_is_given) {
  Put("[S]\r\nk=1\r\n");
  ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
  std::string why[6];
  EXPECT_FALSE(WriteProfileString(file, "S", "k", "2", &why[0]));
  EXPECT_FALSE(DeleteProfileKey(file, "S", "k", &why[1]));
  EXPECT_FALSE(EraseProfileSection(file, "S", &why[2]));
  EXPECT_EQ(Text(), "[S]\r\nk=1\r\n");
  EXPECT_FALSE(WriteProfileString(dir, "S", "k", "2", &why[3]));
  EXPECT_FALSE(WriteProfileString(dir + "/no/such/folder.ini", "S", "k", "2", &why[4]));
  EXPECT_FALSE(WriteProfileString(file, "S", "a=b", "2", &why[5]));
  const std::string denied = std::strerror(EACCES);
  EXPECT_EQ((std::vector<std::string>{why[0], why[1], why[2], why[3]}),
            (std::vector<std::string>{denied, denied, denied, std::strerror(EISDIR)}));
  EXPECT_FALSE(why[4].empty());  // the system's own words for a missing folder
  EXPECT_FALSE(why[5].empty());
  ::chmod(file.c_str(), 0644);  // so that the folder can be removed on Windows too
}

}  // namespace
