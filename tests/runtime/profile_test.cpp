// The private-profile INI engine: file contents against expected results, and bad files.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/platform/files.h"
#include "runtime/platform/profile.h"

namespace {

using namespace platform;

struct ProfileTest : ::testing::Test {
  std::string dir, file;
  void SetUp() override {
    char tmpl[] = "/tmp/veltrane-profile-XXXXXX";
    dir = ::mkdtemp(tmpl);
    file = dir + "/t.ini";
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  void Put(const std::string& bytes) { ASSERT_TRUE(WriteFileAtomic(file, bytes)); }
  std::string Text() { return ReadFile(file).value_or("<missing>"); }
};

struct ReadCase {
  std::string content, section, key;
  std::optional<std::string> expected;  // nothing: the key counts as missing
};

TEST_F(ProfileTest, reads_keys_by_the_documented_rules) {
  const std::vector<ReadCase> cases = {
      {"[S]\r\nk=v\r\n", "S", "k", "v"},
      {"[S]\nk=v\n", "S", "k", "v"},
      {"[S]\rk=v", "S", "k", "v"},
      {"[sEc]\r\nKEY=v", "SEC", "key", "v"},
      {" \t[ S ] \r\n  k \t=  v v \t\r\n", " S", "k ", "v v"},
      {"[S]\r\nk=\"a b\"", "S", "k", "a b"},
      {"[S]\r\nk='x'", "S", "k", "x"},
      {"[S]\r\nk=\"x'", "S", "k", "\"x'"},
      {"[S]\r\nk=\"", "S", "k", "\""},
      {"[S]\r\nk= \" padded \" ", "S", "k", " padded "},
      {"[S]\r\nk=a=b", "S", "k", "a=b"},
      {"[S]\r\nk=", "S", "k", ""},
      {"[S]\r\nk=1\r\nk=2", "S", "k", "1"},
      {"[S]\r\nk=1\r\n[S]\r\nk=2\r\nj=3", "S", "k", "1"},
      {"[S]\r\nk=1\r\n[S]\r\nj=3", "S", "j", std::nullopt},
      {"k=0\r\n[S]\r\nk=1", "S", "k", "1"},
      {"k=0\r\n[S]\r\n", "S", "k", std::nullopt},
      {"[S\r\nk=v", "S", "k", "v"},
      {"[S]trailing\r\nk=v", "S", "k", "v"},
      {"[S]\r\nk\r\n", "S", "k", std::nullopt},
      {"[S]\r\n[T]\r\nk=v", "S", "k", std::nullopt},
      {"[S]\r\n;k=v", "S", "k", std::nullopt},
      {"[S]\r\nk=v", "T", "k", std::nullopt},
      {"[S]\r\nk=v", "S", "", std::nullopt},
      {"", "S", "k", std::nullopt},
      {std::string("[S]\r\nk=a\0b", 10), "S", "k", "a"},
  };
  for (const auto& c : cases) {
    Put(c.content);
    EXPECT_EQ(FindProfileString(file, c.section, c.key), c.expected) << c.content;
    EXPECT_EQ(ReadProfileString(file, c.section, c.key), c.expected.value_or("")) << c.content;
  }
  EXPECT_EQ(FindProfileString(dir + "/absent.ini", "S", "k"), std::nullopt);
}

TEST_F(ProfileTest, reads_integers_up_to_the_first_non_digit) {
  const std::vector<std::pair<std::string, int32_t>> cases = {
      {"12", 12}, {" -7 ", -7}, {"+3", 3}, {"12abc", 12}, {"abc", 0}, {"\"42\"", 42},
      {"\" 5\"", 5}, {"", 0}, {"1.9", 1}, {"0x10", 0},
  };
  for (const auto& [value, expected] : cases) {
    Put("[S]\r\nk=" + value + "\r\n");
    EXPECT_EQ(ReadProfileInt(file, "S", "k"), expected) << value;
  }
  EXPECT_EQ(ReadProfileInt(file, "S", "missing"), 0);
}

TEST_F(ProfileTest, a_value_is_read_through_a_buffer_of_2047_bytes) {
  Put("[S]\r\nk=" + std::string(100 * 1024, 'x') + "\r\n");
  EXPECT_EQ(ReadProfileString(file, "S", "k"), std::string(2047, 'x'));
}

struct ChangeCase {
  std::string before;  // "<missing>": no file
  std::string after;
};

void Prepare(const std::string& file, const std::string& before) {
  std::filesystem::remove(file);
  if (before != "<missing>") {
    ASSERT_TRUE(WriteFileAtomic(file, before));
  }
}

TEST_F(ProfileTest, writes_keep_every_other_line_and_its_order) {
  const std::vector<ChangeCase> cases = {
      {"<missing>", "[S]\r\nk=v\r\n"},
      {"", "[S]\r\nk=v\r\n"},
      {"[S]\r\na=1\r\n", "[S]\r\na=1\r\nk=v\r\n"},
      {"x\r\n[S]\r\n a=1\r\nK = old\r\nb=2\r\n", "x\r\n[S]\r\n a=1\r\nK=v\r\nb=2\r\n"},
      {"[T]\r\nq=1", "[T]\r\nq=1\r\n[S]\r\nk=v\r\n"},
      {"[s]\na=1\n", "[s]\r\na=1\r\nk=v\r\n"},
      {"[S]\r\na=1\r\n\r\n[T]\r\n", "[S]\r\na=1\r\nk=v\r\n\r\n[T]\r\n"},
      {"[S]\r\n\r\n[T]\r\n", "[S]\r\nk=v\r\n\r\n[T]\r\n"},
      {"[S]\r\nk=1\r\n[S]\r\nk=2\r\n", "[S]\r\nk=v\r\n[S]\r\nk=2\r\n"},
      {"k=0\r\n[S]\r\n", "k=0\r\n[S]\r\nk=v\r\n"},
  };
  for (const auto& c : cases) {
    Prepare(file, c.before);
    EXPECT_TRUE(WriteProfileString(file, "S", "k", "v")) << c.before;
    EXPECT_EQ(Text(), c.after) << c.before;
  }
}

TEST_F(ProfileTest, deletes_keys_and_erases_sections) {
  const std::vector<ChangeCase> deletes = {
      {"[S]\r\nk=1\r\nj=2\r\n", "[S]\r\nj=2\r\n"},
      {"[S]\r\nk=1\r\nK=2\r\n[S]\r\nk=3\r\n", "[S]\r\n[S]\r\nk=3\r\n"},
      {"k=0\r\n[S]\r\nj=1\r\n[T]\r\nk=2\r\n", "k=0\r\n[S]\r\nj=1\r\n[T]\r\nk=2\r\n"},
      {"<missing>", "<missing>"},
  };
  for (const auto& c : deletes) {
    Prepare(file, c.before);
    EXPECT_TRUE(DeleteProfileKey(file, "S", "k")) << c.before;
    EXPECT_EQ(Text(), c.after) << c.before;
  }
  const std::vector<ChangeCase> erases = {
      {"a\r\n[S]\r\nk=1\r\n[T]\r\nj=2\r\n[s]\r\nm=3\r\n", "a\r\n[T]\r\nj=2\r\n"},
      {"[T]\r\nj=2\r\n[S]\r\nk=1", "[T]\r\nj=2\r\n"},
      {"[T]\nj=2\n", "[T]\nj=2\n"},  // nothing to erase: the file is not rewritten
      {"<missing>", "<missing>"},
  };
  for (const auto& c : erases) {
    Prepare(file, c.before);
    EXPECT_TRUE(EraseProfileSection(file, "S")) << c.before;
    EXPECT_EQ(Text(), c.after) << c.before;
  }
}

TEST_F(ProfileTest, refuses_names_that_would_read_back_differently_and_cuts_values_at_line_breaks) {
  Put("[S]\r\n");
  EXPECT_FALSE(WriteProfileString(file, "S", "a=b", "v"));
  EXPECT_FALSE(WriteProfileString(file, "S", "[k", "v"));
  EXPECT_FALSE(WriteProfileString(file, "S", " ", "v"));
  EXPECT_FALSE(WriteProfileString(file, "a]b", "k", "v"));
  EXPECT_FALSE(WriteProfileString(file, "S", "k\r\nx", "v"));
  EXPECT_EQ(Text(), "[S]\r\n");
  EXPECT_TRUE(WriteProfileString(file, "S", "k", "v\r\n[X]\r\nevil=1"));
  EXPECT_EQ(Text(), "[S]\r\nk=v\r\n");
}

TEST_F(ProfileTest, a_write_keeps_odd_lines_byte_for_byte) {
  const std::string odd = std::string("\x01\xff\x80 binary \0 nul", 16);
  Put("; comment\r\n" + odd + "\r\n[S]\r\n  spaced = 1 \t\r\n[broken\r\n" + std::string(100 * 1024, 'y') +
      "\r\nlast=x");
  ASSERT_TRUE(WriteProfileString(file, "S", "spaced", "2"));
  EXPECT_EQ(Text(), "; comment\r\n" + odd + "\r\n[S]\r\nspaced=2\r\n[broken\r\n" + std::string(100 * 1024, 'y') +
                        "\r\nlast=x\r\n");
  EXPECT_EQ(ReadProfileString(file, "broken", "last"), "x");
}

TEST_F(ProfileTest, binary_files_read_and_write_without_harm) {
  std::string noise;
  for (int i = 0; i < 70000; ++i) noise += char((i * 7919) % 256);
  Put(noise);
  EXPECT_EQ(ReadProfileInt(file, "S", "k"), 0);
  (void)ReadProfileString(file, "\x01", "\x02");
  ASSERT_TRUE(WriteProfileString(file, "S", "k", "1"));
  EXPECT_EQ(ReadProfileInt(file, "S", "k"), 1);
  EXPECT_TRUE(DeleteProfileKey(file, "S", "k"));
  EXPECT_TRUE(EraseProfileSection(file, "S"));
  EXPECT_EQ(FindProfileString(file, "S", "k"), std::nullopt);
}

TEST_F(ProfileTest, a_read_only_file_and_a_folder_are_never_written) {
  Put("[S]\r\nk=1\r\n");
  ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
  EXPECT_FALSE(WriteProfileString(file, "S", "k", "2"));
  EXPECT_FALSE(DeleteProfileKey(file, "S", "k"));
  EXPECT_FALSE(EraseProfileSection(file, "S"));
  EXPECT_EQ(Text(), "[S]\r\nk=1\r\n");
  EXPECT_EQ(ReadProfileInt(file, "S", "k"), 1);
  EXPECT_FALSE(WriteProfileString(dir, "S", "k", "2"));
  EXPECT_FALSE(WriteProfileString(dir + "/no/such/folder.ini", "S", "k", "2"));
}

TEST_F(ProfileTest, a_million_line_file_is_changed_in_seconds) {
  std::string big = "[S]\r\n";
  for (int i = 0; i < 1000000; ++i) big += "key" + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
  Put(big);
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(WriteProfileString(file, "S", "added", "1"));
  EXPECT_EQ(ReadProfileString(file, "S", "key999999"), "999999");
  EXPECT_TRUE(EraseProfileSection(file, "S"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(15));
}

}  // namespace
