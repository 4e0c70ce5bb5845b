#include "targets/common/config_writer.h"

namespace {
constexpr size_t kFlushAt = size_t(1) << 20;
}  // namespace

TConfigWriter::TConfigWriter(const std::string& path, LineEnding ending)
    : file_(path), ending_(EndingBytes(ending)) {
  buffer_.reserve(kFlushAt + 4096);
}

void TConfigWriter::Line(std::initializer_list<std::string_view> pieces) {
  for (std::string_view piece : pieces) buffer_ += piece;
  buffer_ += ending_;
  if (buffer_.size() >= kFlushAt) Flush();
}

void TConfigWriter::Flush() {
  file_.Write(buffer_.data(), buffer_.size());
  buffer_.clear();
}

bool TConfigWriter::Commit(std::string* why) {
  Flush();
  return file_.Commit(why);
}
