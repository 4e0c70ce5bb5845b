// libFuzzer harness for the clipboard loader: any clipboard text gives trimmed, lower-cased,
// non-empty candidates, and the already-exists report over any known records is the one the
// step-by-step rules give.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "lists/clipboard_address.h"
#include "runtime/lines.h"
#include "tests/lists/literal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const size_t cut = bytes.find('\x1E');
  const std::vector<std::string> candidates = ClipboardCandidates(bytes.substr(0, cut));
  for (const auto& c : candidates) {
    if (c.empty() || c != NormaliseRecord(c)) std::abort();
  }
  const std::vector<std::string> all =
      cut == std::string_view::npos ? std::vector<std::string>{} : SplitLines(bytes.substr(cut + 1), LineBreaks::Any);
  TListCounts counts{};
  for (size_t i = 0; i < counts.size(); ++i) counts[i] = int64_t(all.size() * i / 7);
  if (AlreadyExistsReport(candidates, all, counts) != literal::AlreadyExistsReport(candidates, all, counts))
    std::abort();
  return 0;
}
