// libFuzzer harness for the Agnitum Outpost Firewall reader (the exporter's and the importer's reading).
// Build by hand (from the repository root):
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I. tests/targets/fuzz/aof_reader_fuzz.cpp \
//     targets/aof/aof_config.cpp targets/common/{config_scan,line_reader,address_cleanup}.cpp \
//     elements/strings/{trim,replace}.cpp runtime/{lines,link,data,decimal}.cpp \
//     runtime/platform/{files,program_dir,c_number}.cpp -o aof_reader_fuzz
// Run with -dict=tests/targets/fuzz/targets.dict.
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
