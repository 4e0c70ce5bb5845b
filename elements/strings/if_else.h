// TKXIf_else: compares two values and passes the arriving value on to one of two outputs.
#pragma once

#include <cstdint>

#include "runtime/element.h"
#include "runtime/link.h"

// Comparison modes; on texts, modes 1 to 4 compare lengths.
enum TCompareType : int32_t {
  CompareEqual = 0,
  CompareLess = 1,
  CompareGreater = 2,
  CompareLessOrEqual = 3,
  CompareGreaterOrEqual = 4,
  CompareNotEqual = 5,
};

// Compares a with b, reading b in a's kind; false when a is empty, an array or the mode unknown.
bool CompareValues(int32_t type, const TData& a, const TData& b);
// A switch of the settings is on: its value equals the integer 1 as TKXIf_else compares
// them (a text is compared with the text "1").
inline bool IsOne(const TData& value) { return CompareValues(CompareEqual, value, MakeInteger(1)); }

class TKXIf_else : public TKXObject {
 public:
  int32_t Type = CompareEqual;
  TData Op1;  // default of dataOp1; the empty value lets the arriving value in
  TData Op2;  // default of dataOp2

  TEventLink dataOp1;
  TEventLink dataOp2;
  TEventLink onTrue;
  TEventLink onFalse;

  // Both outputs carry the value that arrived, unchanged, and are reached by forwarding.
  void doCompare(TData& value, uint16_t index);
};
