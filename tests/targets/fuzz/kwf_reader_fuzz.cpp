// libFuzzer harness for the Kerio Winroute Firewall reader.
#include "targets/kwf/kwf_config.h"
#include "tests/targets/fuzz/reader_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzReader<TKwfScan>(data, size, [](const std::string& text, const TKwfScan& scan) {
    const literal::Extracted expected = literal::Kwf(literal::SplitAny(text));
    if (scan.addresses != expected.addresses) std::abort();
    if ((scan.CanInsert() ? scan.insert_line : std::nullopt) != expected.insert) std::abort();
  });
}
