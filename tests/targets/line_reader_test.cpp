// The streaming line reader's edges the reader fuzz harnesses do not judge: the file's own
// line break and a line far longer than a chunk; and the writer.
#include "targets/common/config_writer.h"
#include "targets/common/line_reader.h"
#include "tests/targets/target_fixture.h"

namespace {

std::vector<std::string> ReadAll(TLineReader& reader) {
  std::vector<std::string> lines;
  std::string_view line;
  while (reader.Next(line)) lines.emplace_back(line);
  return lines;
}

using LineReaderTest = TargetTest;

TEST_F(LineReaderTest, finds_the_break_the_file_uses_most) {
  struct Case {
    std::string text;
    LineEnding ending;
  };
  const Case cases[] = {
      {"a\rb\r", LineEnding::Cr},
      {"a\nb\r\n", LineEnding::CrLf},    // a tie goes to the program's own CR LF
      {"a\nb\rc\rd\n", LineEnding::Lf},  // and LF before CR
      {"", LineEnding::CrLf},
      {std::string("a\r\n\0b\nc\nd\n", 11), LineEnding::CrLf},  // what follows a NUL is no text
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::PrintToString(c.text));
    Write("f.txt", c.text);
    TLineReader text = TLineReader::Text(c.text);
    TLineReader file = TLineReader::File(dir_ + "f.txt", 2);
    ReadAll(text);
    ReadAll(file);
    EXPECT_EQ(text.Ending(), c.ending);
    EXPECT_EQ(file.Ending(), c.ending);
  }
}

TEST_F(LineReaderTest, a_line_far_longer_than_a_chunk_comes_whole) {
  const std::string long_line(10 << 20, 'a');
  Write("f.txt", "first\n" + long_line + "\r\nlast");
  TLineReader reader = TLineReader::File(dir_ + "f.txt");
  EXPECT_TRUE(ReadAll(reader) == (std::vector<std::string>{"first", long_line, "last"}));
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
