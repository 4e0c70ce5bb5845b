// libFuzzer harness for the expression calculator: any bytes as an expression must give exactly one answer.
// Build by hand: clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -I. \
//   tests/elements/fuzz/math_parse_fuzz.cpp elements/math/math_parse.cpp runtime/link.cpp runtime/data.cpp
// Run with -dict=tests/elements/fuzz/math_parse.dict.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "elements/math/math_parse.h"

namespace {

struct Counter {
  int fired = 0;
  void doIt(TData& v, uint16_t) {
    ++fired;
    if (v.kind == KindReal && !std::isfinite(v.real)) std::abort();
  }
};

// %1 answers the value it is handed plus one, or 3 when handed nothing; %2 is an array of four items.
struct Operands : TDataArray {
  void Set(const TData&, const TData&) override {}
  bool Get(const TData& index, TData& item) override {
    const int32_t i = AsIndex(index);
    if (i >= 0 && i < 4) item = MakeInteger(i * 10);
    return i >= 0 && i < 4;
  }
  int32_t Count() override { return 4; }
  void Add(const TData&) override {}
  void varOne(TData& v, uint16_t) { v = v.IsEmpty() ? MakeInteger(3) : MakeReal(AsReal(v) + 1); }
  void varTwo(TData& v, uint16_t) { v = MakeArray(this); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  static Operands operands;
  TKXMathParse calc;
  Counter result, error;
  calc.SetDataCount(3);
  calc.dataX[0] = MakeLink<&Operands::varOne>(operands);
  calc.dataX[1] = MakeLink<&Operands::varTwo>(operands);
  calc.onResult = MakeLink<&Counter::doIt>(result);
  calc.onError = MakeLink<&Counter::doIt>(error);
  calc.ResultType = data[0] & 1;
  calc.AngleMode = (data[0] >> 1) & 1;
  calc.MathStr.assign(reinterpret_cast<const char*>(data + 1), size - 1);
  // Twice, so that %0 holds a result or the default the second time.
  for (int i = 0; i < 2; ++i)
    FireEvent(MakeLink<&TKXMathParse::doCalc>(calc), (data[0] & 4) ? MakeInteger(7) : TData{});
  if (result.fired + error.fired != 2) std::abort();
  return 0;
}
