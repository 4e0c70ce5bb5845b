// libFuzzer harness for the clipboard loader: any clipboard text gives trimmed, lower-cased,
// non-empty candidates, and the already-exists report over any known records is the one the
// step-by-step rules give.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "lists/clipboard_address.h"
#include "runtime/lines.h"
#include "tests/lists/literal.h"

// Lowering again changes nothing, except where the Windows-1251 rule made a text that now
// reads as UTF-8 (its capitals C0-DF become E0-FF, lead bytes of longer sequences). That rule
// leaves no capital behind: no A-Z, no byte C0-DF, no A8.
namespace {
bool LoweredByWindows1251(std::string_view text) {
  for (unsigned char b : text) {
    if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDF) || b == 0xA8) return false;
  }
  return true;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const size_t cut = bytes.find('\x1E');
  const std::vector<std::string> candidates = ClipboardCandidates(bytes.substr(0, cut));
  for (const auto& c : candidates) {
    if (c.empty() || (c != NormaliseRecord(c) && !LoweredByWindows1251(c))) std::abort();
  }
  const std::vector<std::string> all =
      cut == std::string_view::npos ? std::vector<std::string>{} : SplitLines(bytes.substr(cut + 1), LineBreaks::Any);
  TListCounts counts{};
  for (size_t i = 0; i < counts.size(); ++i) counts[i] = int64_t(all.size() * i / 7);
  if (AlreadyExistsReport(candidates, RecordList(all), counts) != literal::AlreadyExistsReport(candidates, all, counts))
    std::abort();
  return 0;
}
