// libFuzzer harness for the Kerio Personal Firewall reader.
// Build by hand (from the repository root):
//   clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I. tests/targets/fuzz/kpf_reader_fuzz.cpp \
//     targets/kpf/kpf_config.cpp targets/common/{config_scan,line_reader,address_cleanup}.cpp \
//     elements/strings/{trim,replace}.cpp runtime/{lines,link,data,decimal}.cpp \
//     runtime/platform/{files,program_dir,c_number}.cpp -o kpf_reader_fuzz
// Run with -dict=tests/targets/fuzz/targets.dict.
#include "targets/kpf/kpf_config.h"
#include "tests/targets/fuzz/reader_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  return FuzzReader<TKpfScan>(data, size, [](const std::string& text, const TKpfScan& scan) {
    const literal::Extracted expected = literal::Kpf(literal::SplitAny(text));
    if (scan.addresses != expected.addresses || scan.insert_line != expected.insert) std::abort();
  });
}
