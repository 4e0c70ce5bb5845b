// libFuzzer harness for the Agnitum Outpost Firewall reader (the exporter's and the importer's reading).
#include "targets/aof/aof_config.h"
#include "tests/targets/fuzz/reader_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzReader<TAofScan>(data, size, [](const std::string& text, const TAofScan& scan) {
    const literal::Lines lines = literal::SplitAny(text);
    const literal::Extracted expected = literal::Aof(lines);
    if (scan.addresses != expected.addresses || scan.insert_line != expected.insert) std::abort();
    if (scan.exact_header != (std::find(lines.begin(), lines.end(), "[Content\\Sites]") != lines.end())) std::abort();
  });
}
