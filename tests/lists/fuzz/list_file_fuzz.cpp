// libFuzzer harness for the list file reader and the line rules: any bytes as a file give
// the lines PlainLines gives (a UTF-8 byte-order mark at the start is no part of them); lines
// joined and split again are the same lines, in both line modes; a list saved and read back
// is the same list.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "lists/list_files.h"
#include "runtime/lines.h"

namespace {

// The rule, a byte at a time: every CR LF, CR and (in one mode) LF ends a line, a NUL ends
// the text, a final break adds no line.
std::vector<std::string> PlainLines(std::string_view text, bool lone_lf_breaks) {
  std::vector<std::string> lines;
  std::string line;
  bool open = false;
  for (size_t i = 0; i < text.size() && text[i] != '\0'; ++i) {
    const char c = text[i];
    if (c == '\r' || (c == '\n' && lone_lf_breaks)) {
      lines.push_back(line);
      line.clear();
      open = false;
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      continue;
    }
    line += c;
    open = true;
  }
  if (open) lines.push_back(line);
  return lines;
}

// Saves go to a folder of the process's own on tmpfs, where there is one (they are flushed
// to the disk), removed when the run ends.
struct ScratchFolder {
  std::string path;
  ScratchFolder() {
    const std::string base =
        std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path().string();
    path = base + "/veltrane-list-fuzz-" + std::to_string(::getpid());
    std::filesystem::create_directories(path);
  }
  ~ScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);

  for (const bool any : {true, false}) {
    const LineBreaks mode = any ? LineBreaks::Any : LineBreaks::CrOrCrLf;
    const std::vector<std::string> lines = SplitLines(text, mode);
    if (lines != PlainLines(text, any)) std::abort();
    if (SplitLines(JoinLines(lines), mode) != lines) std::abort();
  }

  // The file as the lists are read: through the file layer, from a real file.
  static const int fd = memfd_create("list-file-fuzz", 0);
  if (fd < 0 || ::ftruncate(fd, 0) != 0 || ::pwrite(fd, text.data(), text.size(), 0) != ssize_t(text.size()))
    std::abort();
  const std::string path = "/proc/self/fd/" + std::to_string(fd);
  std::string_view body = text;
  if (body.starts_with("\xEF\xBB\xBF")) body.remove_prefix(3);
  const std::vector<std::string> expected = PlainLines(body, true);
  const RecordFile read = ReadRecords(path);
  if (read.state != RecordFile::State::Read && read.state != RecordFile::State::NotText) std::abort();
  if (read.lines != expected) std::abort();
  // Not text exactly when the bytes hold a NUL or start as UTF-16: such a file is never saved over.
  if ((read.state == RecordFile::State::NotText) != NotTextReason(text).has_value()) std::abort();

  // Saved and read again: the same records (a record that starts with a byte-order mark
  // in the first place loses it, as any file's first line does).
  static const ScratchFolder folder;
  const std::string saved = folder.path + "/list.txt";
  std::string why;
  if (!SaveRecords(saved, expected, &why)) std::abort();
  std::vector<std::string> again = expected;
  if (!again.empty() && again.front().starts_with("\xEF\xBB\xBF")) again.front().erase(0, 3);
  const RecordFile reread = ReadRecords(saved);
  if (reread.state == RecordFile::State::Unreadable || reread.state == RecordFile::State::Missing) std::abort();
  if (reread.lines != again) std::abort();
  return 0;
}
