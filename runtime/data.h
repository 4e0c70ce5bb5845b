// TData, the one value that travels along every link, and its conversions.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TEventLink;
struct TData;
class RecordList;

// Value kinds. The numbers are fixed; the top bit marks a value waiting to be forwarded.
enum TKind : uint8_t {
  KindNull = 0,
  KindInteger = 1,
  KindString = 2,
  KindReal = 7,
  KindArray = 13,
  KindForward = 128,
};

// The array view behind a value of kind KindArray. The element that owns the
// items implements it, hands out the same object every time and frees it with itself.
class TDataArray {
 public:
  virtual ~TDataArray() = default;
  virtual void Set(const TData& index, const TData& item) = 0;
  // Fills `item` and returns true when `index` names an item; leaves `item` alone otherwise.
  virtual bool Get(const TData& index, TData& item) = 0;
  virtual int32_t Count() = 0;
  virtual void Add(const TData& item) = 0;
  // The items themselves, when the owner keeps them as a record list; readers that walk a
  // million records use it instead of copying them out one Get at a time.
  virtual const RecordList* Records() const { return nullptr; }
};

struct TData {
  uint8_t kind = KindNull;
  int32_t integer = 0;
  std::string text;
  double real = 0.0;
  TDataArray* array = nullptr;       // valid for KindArray
  const TEventLink* next = nullptr;  // valid while the forward flag is set

  bool IsEmpty() const { return kind == KindNull; }
  void Clear() { *this = TData{}; }
};

TData MakeInteger(int32_t n);
TData MakeText(std::string text);
TData MakeReal(double r);
TData MakeArray(TDataArray* array);

std::string AsText(const TData& value);
int32_t AsInteger(const TData& value);
int32_t AsIndex(const TData& value);
double AsReal(const TData& value);
bool AsTruth(const TData& value);

// The text rules on their own, for elements that parse numbers out of text.
int32_t TextToInteger(std::string_view text);
double TextToReal(std::string_view text);
std::string RealToText(double r);
// Nearest integer, a half going to the even neighbour; out-of-range values wrap to 32 bits.
int32_t RoundToInteger(double r);
