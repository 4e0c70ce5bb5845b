// The streaming line reader: the same lines as the program's line rule for files from
// anywhere, whatever the chunk edges cut through; the file's own line break; files that
// cannot be read.
#include <random>

#include "runtime/lines.h"
#include "targets/common/config_writer.h"
#include "targets/common/line_reader.h"
#include "tests/targets/target_fixture.h"

namespace {

struct Walked {
  std::vector<std::string> lines;
  LineEnding ending;
  bool nul;
  TLineReader::Source state;
  std::string why;
};

Walked ReadAll(TLineReader reader) {
  Walked read;
  std::string_view line;
  while (reader.Next(line)) read.lines.emplace_back(line);
  read.ending = reader.Ending();
  read.nul = reader.StoppedAtNul();
  read.state = reader.State();
  read.why = reader.Why();
  return read;
}

using LineReaderTest = TargetTest;

TEST_F(LineReaderTest, gives_the_lines_of_the_line_rule_at_every_chunk_size) {
  std::mt19937 rng(7);
  const std::string alphabet("ab\r\n\r\n\0 ", 8);
  for (int trial = 0; trial < 400; ++trial) {
    std::string text(std::uniform_int_distribution<size_t>(0, 40)(rng), 'x');
    for (char& c : text) c = alphabet[std::uniform_int_distribution<size_t>(0, alphabet.size() - 1)(rng)];
    Write("f.txt", text);
    const auto expected = SplitLines(text, LineBreaks::Any);
    const bool nul = text.find('\0') != std::string::npos;
    for (size_t chunk : {1, 2, 3, 5, 64}) {
      const Walked read = ReadAll(TLineReader::File(dir_ + "f.txt", chunk));
      ASSERT_EQ(read.lines, expected) << ::testing::PrintToString(text) << " chunk " << chunk;
      ASSERT_EQ(read.nul, nul);
    }
    ASSERT_EQ(ReadAll(TLineReader::Text(text)).lines, expected);
  }
}

TEST_F(LineReaderTest, finds_the_break_the_file_uses_most) {
  struct Case {
    std::string text;
    LineEnding ending;
  };
  const Case cases[] = {
      {"a\nb\n", LineEnding::Lf},
      {"a\r\nb\r\n", LineEnding::CrLf},
      {"a\rb\r", LineEnding::Cr},
      {"a\nb\r\nc\n", LineEnding::Lf},
      {"a\nb\r\n", LineEnding::CrLf},  // a tie goes to the program's own CR LF
      {"a\nb\rc\rd\n", LineEnding::Lf},  // and LF before CR
      {"one line", LineEnding::CrLf},
      {"", LineEnding::CrLf},
      {std::string("a\r\n\0b\nc\nd\n", 11), LineEnding::CrLf},  // what follows a NUL is no text
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReadAll(TLineReader::Text(c.text)).ending, c.ending) << ::testing::PrintToString(c.text);
    Write("f.txt", c.text);
    EXPECT_EQ(ReadAll(TLineReader::File(dir_ + "f.txt", 2)).ending, c.ending) << ::testing::PrintToString(c.text);
  }
}

TEST_F(LineReaderTest, tells_a_missing_file_from_one_that_cannot_be_read) {
  EXPECT_EQ(ReadAll(TLineReader::File(dir_ + "none.cfg")).state, TLineReader::Source::Missing);
  EXPECT_EQ(ReadAll(TLineReader::File(dir_ + "no\\folder\\x.cfg")).state, TLineReader::Source::Missing);
  EXPECT_EQ(ReadAll(TLineReader::File("")).state, TLineReader::Source::Missing);
  const Walked folder = ReadAll(TLineReader::File(dir_ + "Logs"));
  EXPECT_EQ(folder.state, TLineReader::Source::Unreadable);
  EXPECT_EQ(folder.why, "Is a directory");
}

TEST_F(LineReaderTest, a_line_far_longer_than_a_chunk_comes_whole) {
  const std::string long_line(10 << 20, 'a');
  Write("f.txt", "first\n" + long_line + "\r\nlast");
  const Walked read = ReadAll(TLineReader::File(dir_ + "f.txt"));
  ASSERT_EQ(read.lines.size(), 3u);
  EXPECT_EQ(read.lines[1].size(), long_line.size());
  EXPECT_EQ(read.lines[2], "last");
}

TEST_F(LineReaderTest, a_writer_keeps_the_old_file_until_it_is_committed) {
  Write("f.cfg", "old\n");
  {
    TConfigWriter writer(dir_ + "f.cfg", LineEnding::Lf);
    writer.Line({"new"});
    EXPECT_EQ(Read("f.cfg"), "old\n") << "nothing changes before the commit";
  }
  EXPECT_EQ(Read("f.cfg"), "old\n") << "a writer given up leaves the old file";
  for (const auto& entry : platform::ListDirectory(dir_)) EXPECT_NE(entry.name[0], '.') << "no temporary file is left";
  TConfigWriter writer(dir_ + "f.cfg", LineEnding::Cr);
  writer.Line({"a", "b"});
  writer.Line({""});
  std::string why;
  ASSERT_TRUE(writer.Commit(&why)) << why;
  EXPECT_EQ(Read("f.cfg"), "ab\r\r");
}

}  // namespace
