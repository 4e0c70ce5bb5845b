#include "widgets/headless/console_backend.h"

#include <iostream>
#include <string_view>

namespace widgets {

MessageAnswer ConsoleBackend::ShowMessageBox(ControlId owner, const std::string& text, const std::string& caption,
                                             MessageButtons buttons, MessageIcon icon) {
  const bool says_error = std::string_view(caption).starts_with("Error");
  std::string shown = prefix_ + (says_error || caption.empty() ? "" : caption + " ");
  shown.reserve(shown.size() + text.size());
  // Lines end with LF on a terminal, and each starts with the prefix.
  for (size_t i = 0; i < text.size(); ++i) {
    const bool line_break = text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    if (!line_break) {
      shown += text[i];
    } else if (i + 1 < text.size()) {
      shown += "\n" + prefix_;
    }
  }
  std::cerr << shown << "\n";
  switch (buttons) {
    case MessageButtons::Ok: QueueMessageAnswer(MessageAnswer::Ok); break;
    case MessageButtons::YesNo: QueueMessageAnswer(MessageAnswer::No); break;
    case MessageButtons::AbortRetryIgnore: QueueMessageAnswer(MessageAnswer::Abort); break;
    case MessageButtons::OkCancel:
    case MessageButtons::YesNoCancel:
    case MessageButtons::RetryCancel: QueueMessageAnswer(MessageAnswer::Cancel); break;
  }
  return HeadlessBackend::ShowMessageBox(owner, text, caption, buttons, icon);
}

}  // namespace widgets
