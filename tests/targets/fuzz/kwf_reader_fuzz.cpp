// libFuzzer harness for the Kerio Winroute Firewall reader.
// Build by hand (from the repository root):
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I. tests/targets/fuzz/kwf_reader_fuzz.cpp \
//     targets/kwf/kwf_config.cpp targets/common/{config_scan,line_reader,address_cleanup}.cpp \
//     elements/strings/{trim,replace}.cpp runtime/{lines,link,data,decimal}.cpp \
//     runtime/platform/{files,program_dir,c_number}.cpp -o kwf_reader_fuzz
// Run with -dict=tests/targets/fuzz/targets.dict.
#include "targets/kwf/kwf_config.h"
#include "tests/targets/fuzz/reader_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzReader<TKwfScan>(data, size, [](const std::string& text, const TKwfScan& scan) {
    const literal::Extracted expected = literal::Kwf(literal::SplitAny(text));
    if (scan.addresses != expected.addresses) std::abort();
    if ((scan.CanInsert() ? scan.insert_line : std::nullopt) != expected.insert) std::abort();
  });
}
