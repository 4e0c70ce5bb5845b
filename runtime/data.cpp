// Conversions between the value kinds. None of them fails: an unexpected kind
// gives a fixed fallback (empty text, 0, -1, 0.0, true).
#include "runtime/data.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>

#include "runtime/platform/c_number.h"

TData MakeInteger(int32_t n) {
  TData d;
  d.kind = KindInteger;
  d.integer = n;
  return d;
}

TData MakeText(std::string text) {
  TData d;
  d.kind = KindString;
  d.text = std::move(text);
  return d;
}

TData MakeReal(double r) {
  TData d;
  d.kind = KindReal;
  d.real = r;
  return d;
}

TData MakeArray(TDataArray* array) {
  TData d;
  d.kind = KindArray;
  d.array = array;
  return d;
}

int32_t TextToInteger(std::string_view text) {
  size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    negative = text[i] == '-';
    ++i;
  }
  uint32_t n = 0;  // unsigned, so that overflow wraps without undefined behaviour
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) n = n * 10u + uint32_t(text[i] - '0');
  if (negative) n = 0u - n;
  return static_cast<int32_t>(n);
}

double TextToReal(std::string_view text) {
  std::string number;
  size_t i = 0;
  if (i < text.size() && text[i] == '-') {
    number += '-';
    ++i;
  }
  bool seen_dot = false;
  bool has_digit = false;
  std::string exponent;
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c >= '0' && c <= '9') {
      number += c;
      has_digit = true;
    } else if (c == '.') {
      if (seen_dot) break;
      seen_dot = true;
      number += '.';
    } else if (c == 'E' || c == 'e') {
      exponent = std::to_string(TextToInteger(text.substr(i + 1)));
      break;
    }
    // any other character is skipped
  }
  if (!has_digit) return 0.0;
  if (!exponent.empty()) number += "e" + exponent;
  // The decimal point is always ".", whatever locale the window system has set.
  return platform::StrtodC(number.c_str());
}

std::string RealToText(double r) {
  if (r == 0.0) return "0";
  if (std::isnan(r)) return "NAN";
  if (std::isinf(r)) return r < 0 ? "-INF" : "INF";
  const bool negative = r < 0;
  const double magnitude = std::fabs(r);

  // Decide the number of significant digits: 13, or 14 for small magnitudes with a low leading digit.
  // to_chars writes d.ddddde±xx without regard to the locale.
  char buf[64];
  auto format = [&](int precision) {
    *std::to_chars(buf, buf + sizeof buf - 1, magnitude, std::chars_format::scientific, precision).ptr = 0;
  };
  format(12);
  format(magnitude < 5e12 && buf[0] < '5' ? 13 : 12);

  // Collect the digits and the decimal exponent.
  std::string mantissa;
  const char* p = buf;
  for (; *p && *p != 'e'; ++p)
    if (*p != '.') mantissa += *p;
  const int exponent = std::atoi(p + 1);

  std::string out;
  if (exponent < 0) {
    out = "0." + std::string(size_t(-exponent - 1), '0') + mantissa;
  } else if (size_t(exponent) + 1 >= mantissa.size()) {
    out = mantissa + std::string(size_t(exponent) + 1 - mantissa.size(), '0');
  } else {
    out = mantissa.substr(0, size_t(exponent) + 1) + "." + mantissa.substr(size_t(exponent) + 1);
  }
  if (out.find('.') != std::string::npos) {
    while (out.back() == '0') out.pop_back();
    if (out.back() == '.') out.pop_back();
  }
  return negative ? "-" + out : out;
}

int32_t RoundToInteger(double r) {
  if (!std::isfinite(r)) return 0;
  const double rounded = std::nearbyint(r);  // the default rounding mode takes halves to even
  if (std::fabs(rounded) >= 9.2e18) return 0;
  return static_cast<int32_t>(static_cast<uint32_t>(static_cast<int64_t>(rounded)));
}

std::string AsText(const TData& value) {
  switch (value.kind & ~KindForward) {
    case KindInteger: return std::to_string(value.integer);
    case KindString: return value.text;
    case KindReal: return RealToText(value.real);
    default: return std::string();
  }
}

int32_t AsInteger(const TData& value) {
  switch (value.kind & ~KindForward) {
    case KindInteger: return value.integer;
    case KindString: return TextToInteger(value.text);
    case KindReal: return RoundToInteger(value.real);
    default: return 0;
  }
}

int32_t AsIndex(const TData& value) {
  switch (value.kind & ~KindForward) {
    case KindInteger:
    case KindReal: return AsInteger(value);
    case KindString: {
      const int32_t n = TextToInteger(value.text);
      if (n != 0) return n;
      return (!value.text.empty() && value.text[0] == '0') ? 0 : -1;
    }
    default: return -1;
  }
}

double AsReal(const TData& value) {
  switch (value.kind & ~KindForward) {
    case KindInteger: return value.integer;
    case KindString: return TextToReal(value.text);
    case KindReal: return value.real;
    default: return 0.0;
  }
}

bool AsTruth(const TData& value) {
  if ((value.kind & ~KindForward) == KindInteger) return value.integer != 0;
  return true;
}
