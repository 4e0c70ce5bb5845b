// libFuzzer harness for the web-list reader: any bytes as the list (and, behind a 0x1E byte,
// as the records the lists hold) give the records, the known count and the skipped count
// that the step-by-step reading of the rules gives.
//
//   build-fuzz/web_list_fuzz -runs=10000000 -max_len=2048 -dict=tests/lists/fuzz/web_list.dict
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "lists/web_list.h"
#include "runtime/lines.h"
#include "tests/lists/literal_web_list.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const size_t cut = bytes.find('\x1E');
  const std::vector<std::string> lines = SplitLines(bytes.substr(0, cut), LineBreaks::Any);
  const std::vector<std::string> known =
      cut == std::string_view::npos ? std::vector<std::string>{} : SplitLines(bytes.substr(cut + 1), LineBreaks::Any);
  const WebListReading got = ReadWebList(lines, RecordIndex(known));
  const literal::WebListReading want = literal::ReadWebList(lines, known);
  if (got.records != want.records || got.known != want.known || got.skipped != want.skipped) std::abort();
  for (const auto& record : got.records)
    if (!IsWebListName(record)) std::abort();
  return 0;
}
