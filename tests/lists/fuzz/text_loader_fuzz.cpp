// libFuzzer harness for the text file loader: any bytes as the file and as the known
// records give the normalised lines that no list holds, as the step-by-step rules give them.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "lists/text_file_loader.h"
#include "runtime/lines.h"
#include "tests/lists/literal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const size_t cut = bytes.find('\x1E');
  const std::vector<std::string> file = SplitLines(bytes.substr(0, cut), LineBreaks::Any);
  const std::vector<std::string> known =
      cut == std::string_view::npos ? std::vector<std::string>{} : SplitLines(bytes.substr(cut + 1), LineBreaks::Any);
  std::vector<std::string> expected;
  for (const auto& line : file) expected.push_back(NormaliseRecord(line));
  literal::RemoveEveryEqual(expected, known);
  if (NewTextRecords(RecordList(file), RecordIndex(known)) != expected) std::abort();
  return 0;
}
