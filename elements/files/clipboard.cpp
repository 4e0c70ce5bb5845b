// TKXClipboard and its replaceable source.
#include "elements/files/clipboard.h"

#include <utility>

namespace {

std::string& StoredText() {
  static std::string text;
  return text;
}

std::function<std::string()>& Source() {
  static std::function<std::string()> source;
  return source;
}

}  // namespace

void SetClipboardSource(std::function<std::string()> source) { Source() = std::move(source); }

void SetClipboardText(std::string text) { StoredText() = std::move(text); }

void TKXClipboard::varText(TData& result, uint16_t) {
  std::string text = Source() ? Source()() : StoredText();
  const size_t nul = text.find('\0');
  if (nul != std::string::npos) text.resize(nul);
  result = MakeText(std::move(text));
}
