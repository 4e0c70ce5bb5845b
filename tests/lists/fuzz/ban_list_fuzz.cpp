// libFuzzer harness for loading a ban list: any bytes as the file (and as the seven lists it
// merges into) give the same verdict, report, display and lists as the step-by-step rules.
// Build with the fuzz configuration (see tests/lists/fuzz/README.md).
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "lists/ban_list_import.h"
#include "runtime/lines.h"
#include "tests/lists/literal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  // Byte 0x1E separates the file from the lists, and the lists from each other.
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<std::string_view> parts;
  for (size_t at = 0;;) {
    const size_t end = bytes.find('\x1E', at);
    parts.push_back(bytes.substr(at, end == std::string_view::npos ? std::string_view::npos : end - at));
    if (end == std::string_view::npos) break;
    at = end + 1;
  }
  const std::vector<std::string> file = SplitLines(parts[0], LineBreaks::Any);
  literal::Lists expected;
  for (size_t i = 1; i < parts.size() && i <= kListCount; ++i) expected[i - 1] = SplitLines(parts[i], LineBreaks::Any);
  TListSet lists;
  for (size_t i = 0; i < kListCount; ++i) lists[i] = RecordList(expected[i]);
  const BanListImport got = ImportBanList(RecordList(file), "f.txt", lists);
  const literal::BanListResult want = literal::ImportBanList(file, "f.txt", expected);
  const std::vector<std::string> display(got.display.begin(), got.display.end());
  if (got.verdict != want.verdict || got.doubles != want.doubles || display != want.display) std::abort();
  for (size_t i = 0; i < kListCount; ++i) {
    std::vector<std::string> got_list = lists[i].Strings();
    std::sort(got_list.begin(), got_list.end());
    std::sort(expected[i].begin(), expected[i].end());
    if (got_list != expected[i]) std::abort();
  }
  return 0;
}
