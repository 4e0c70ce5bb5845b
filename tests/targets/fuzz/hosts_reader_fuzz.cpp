// libFuzzer harness for the hosts file reader.
// Build by hand (from the repository root):
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I. tests/targets/fuzz/hosts_reader_fuzz.cpp \
//     targets/hosts/hosts_file.cpp targets/common/{config_scan,line_reader}.cpp \
//     elements/strings/{trim,replace}.cpp runtime/{lines,link,data,decimal}.cpp \
//     runtime/platform/{files,program_dir,c_number}.cpp -o hosts_reader_fuzz
// Run with -dict=tests/targets/fuzz/targets.dict.
#include "targets/hosts/hosts_file.h"
#include "tests/targets/fuzz/reader_fuzz.h"

namespace {
// The scan as the hosts reader runs it: keeping the lines it writes back.
struct KeepingScan : THostsScan {
  KeepingScan() { keep_lines = true; }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzReader<KeepingScan>(data, size, [](const std::string& text, const KeepingScan& scan) {
    const literal::Hosts expected = literal::HostsFile(literal::SplitAny(text));
    if (scan.addresses != expected.names || scan.lines != expected.kept || scan.insert_line) std::abort();
    // No kept line is a comment or blank, and none starts or ends with a blank: the next
    // read keeps it as it is.
    for (const std::string& line : scan.lines)
      if (line.empty() || line[0] == '#' || uint8_t(line.front()) <= 32 || uint8_t(line.back()) <= 32) std::abort();
  });
}
