#include "targets/common/config_writer.h"

namespace {
constexpr size_t kFlushAt = size_t(1) << 20;
}  // namespace

TConfigWriter::TConfigWriter(const std::string& path, LineEnding ending, WhenRefused refused)
    : path_(path), file_(path), ending_(EndingBytes(ending)) {
  // The refusal is known before the first line: the lines are then kept for the system's
  // write, which takes the whole content at once.
  holding_ = refused == WhenRefused::AskSystem && file_.PermissionRefused() && !platform::RunsElevated();
  hard_linked_ = refused == WhenRefused::AskSystem && platform::LinkCount(path) > 1;
  if (!hard_linked_) buffer_.reserve(kFlushAt + 4096);
}

void TConfigWriter::Line(std::initializer_list<std::string_view> pieces) {
  if (hard_linked_) return;
  for (std::string_view piece : pieces) buffer_ += piece;
  buffer_ += ending_;
  if (buffer_.size() >= kFlushAt && !holding_) Flush();
}

void TConfigWriter::Flush() {
  file_.Write(buffer_.data(), buffer_.size());
  buffer_.clear();
}

bool TConfigWriter::Commit(std::string* why) {
  if (hard_linked_) {
    if (why) *why = platform::kHardLinkedFile;
    return false;
  }
  if (!holding_) {
    Flush();
    return file_.Commit(why);
  }
  // The refusal in the system's words, for the message when the system's write does not
  // happen either.
  file_.Commit(why);
  asked_ = platform::WriteElevated(path_, buffer_);
  buffer_ = std::string();
  return asked_->result == platform::ElevatedWrite::Result::Done;
}
