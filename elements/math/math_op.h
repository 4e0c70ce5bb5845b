// TKXMath: one fixed arithmetic operation on two operands, for counters and indexes.
#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/link.h"

enum TMathOperation : int32_t {
  MathAdd = 0,
  MathSubtract = 1,
  MathMultiply = 2,
  MathDivide = 3,
};

class TKXMath : public TKXObject {
 public:
  int32_t Type = MathAdd;  // TMathOperation; any other value fails like a division by zero
  double Op1 = 0.0;        // default of dataOp1
  double Op2 = 0.0;        // default of dataOp2
  double Default = 0.0;    // the result after doClear and after a failure
  int32_t ResultType = 0;  // 0: rounded integer (halves to even), 1: real

  TEventLink dataOp1;
  TEventLink dataOp2;
  TEventLink onResult;
  TEventLink onError;  // the empty value

  // A division by zero, and also a result that is not a finite number or, for ResultType 0,
  // does not fit a 32-bit integer, sets the result to Default and fires onError instead of onResult.
  void doOperation(TData& value, uint16_t index);
  void doClear(TData& value, uint16_t index);
  // The empty value after a failure, until the next success or doClear.
  void varResult(TData& result, uint16_t index);

 private:
  TData Result() const;

  double result_ = 0.0;
  bool failed_ = false;
};
