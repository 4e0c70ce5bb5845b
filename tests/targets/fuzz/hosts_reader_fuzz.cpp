// libFuzzer harness for the hosts file reader.
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
  });
}
