// libFuzzer harness for the template filler: any mask and input texts must give exactly one text, in bounded time.
// Build by hand: clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I. \
//   tests/elements/fuzz/format_str_fuzz.cpp elements/strings/format_str.cpp runtime/link.cpp runtime/data.cpp
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "elements/strings/format_str.h"

namespace {

struct Counter {
  int fired = 0;
  void doIt(TData&, uint16_t) { ++fired; }
};

struct Text {
  std::string text;
  void varValue(TData& v, uint16_t) { v = MakeText(text); }
};

}  // namespace

// The bytes are: one flag byte, then the mask and up to three input texts separated by byte 0.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0 || size > 4096) return 0;
  std::vector<std::string> parts(1);
  for (size_t i = 1; i < size; ++i) {
    if (data[i] == 0 && parts.size() < 4) {
      parts.emplace_back();
    } else {
      parts.back() += static_cast<char>(data[i]);
    }
  }
  TKXFormatStr format;
  format.Mask = parts[0];
  format.SetDataCount(data[0] % 5);
  format.SkipInserted = data[0] & 8;
  std::vector<Text> inputs(parts.size() - 1);
  for (size_t k = 0; k < inputs.size() && k < format.dataStr.size(); ++k) {
    inputs[k].text = parts[k + 1];
    format.dataStr[k] = MakeLink<&Text::varValue>(inputs[k]);
  }
  Counter out;
  format.onFormat = MakeLink<&Counter::doIt>(out);
  TData arriving = MakeText("arrived");
  FireEvent(MakeLink<&TKXFormatStr::doFormat>(format), arriving);
  if (out.fired != 1) std::abort();
  return 0;
}
