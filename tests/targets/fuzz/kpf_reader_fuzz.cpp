// libFuzzer harness for the Kerio Personal Firewall reader.
#include "targets/kpf/kpf_config.h"
#include "tests/targets/fuzz/reader_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzReader<TKpfScan>(data, size, [](const std::string& text, const TKpfScan& scan) {
    const literal::Extracted expected = literal::Kpf(literal::SplitAny(text));
    if (scan.addresses != expected.addresses || scan.insert_line != expected.insert) std::abort();
  });
}
