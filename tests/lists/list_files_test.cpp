#include "lists/list_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

// The hash of what was saved must be the hash of the file read back, whatever pieces it was
// written in: the edit page tells a list changed by another program by it.
TEST(ListFiles, a_saved_list_hashes_as_the_file_it_wrote_reads) {
  const std::string text = "0123456789abcdefghijklmnopqrstuvwxyz-a-longer-run-of-bytes.example";
  for (size_t cut = 0; cut <= text.size(); cut += 3) {
    ContentHasher pieces;
    pieces.Add(std::string_view(text).substr(0, cut));
    pieces.Add(std::string_view(text).substr(cut, 5));
    pieces.Add(std::string_view(text).substr(std::min(text.size(), cut + 5)));
    EXPECT_EQ(pieces.Value(), ContentHash(text)) << cut;
  }
  EXPECT_NE(ContentHash("ab"), ContentHash(std::string("ab\0", 3)));
  EXPECT_NE(ContentHash(""), ContentHash(std::string(1, '\0')));

  const std::string path = (std::filesystem::temp_directory_path() / "veltrane_list_files_test.txt").string();
  std::vector<std::string> lines;
  for (int i = 0; i < 30000; ++i) lines.push_back("name" + std::to_string(i) + ".example");
  RecordFile written;
  ASSERT_TRUE(SaveRecords(path, lines, nullptr, &written));
  const RecordFile read = ReadRecords(path);
  EXPECT_EQ(read.lines, lines);
  EXPECT_EQ(read.content_hash, written.content_hash);
  std::filesystem::remove(path);
}

}  // namespace
