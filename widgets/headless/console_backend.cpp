#include "widgets/headless/console_backend.h"

#include <iostream>

namespace widgets {

int ConsoleBackend::ShowMessageBox(ControlId owner, const std::string& text, const std::string& caption, int type,
                                   int icon) {
  // Lines end with LF on a terminal.
  std::string shown;
  shown.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i)
    if (!(text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')) shown += text[i];
  std::cerr << caption << " " << shown << "\n";
  // Buttons: 0 OK, 1 OK/Cancel, 2 Yes/No, 3 Yes/No/Cancel, 4 Retry/Cancel, 5 Abort/Retry/Ignore.
  constexpr int kAnswers[] = {1, 2, 7, 2, 2, 3};
  const int answer = type >= 0 && type < 6 ? kAnswers[type] : 1;
  QueueMessageAnswer(answer);
  return HeadlessBackend::ShowMessageBox(owner, text, caption, type, icon);
}

}  // namespace widgets
