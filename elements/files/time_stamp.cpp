// TKXTime: time stamps for headers and backup names.
#include "elements/files/time_stamp.h"

namespace {

void AppendField(std::string& out, int value) {
  if (value >= 0 && value < 10) out += '0';
  out += std::to_string(value);
}

}  // namespace

std::string FormatTimeStamp(const std::string& format, const platform::LocalTime& time) {
  // The letters are replaced in the order "YMWDhms"; since only digits go in, one pass
  // over the format gives the same text as seven passes would.
  std::string out;
  out.reserve(format.size() + 8);
  for (const char c : format) {
    switch (c) {
      case 'Y': AppendField(out, time.year); break;
      case 'M': AppendField(out, time.month); break;
      case 'W': AppendField(out, time.weekday); break;
      case 'D': AppendField(out, time.day); break;
      case 'h': AppendField(out, time.hour); break;
      case 'm': AppendField(out, time.minute); break;
      case 's': AppendField(out, time.second); break;
      default: out += c;
    }
  }
  return out;
}

void TKXTime::varTime(TData& result, uint16_t) { result = MakeText(FormatTimeStamp(Format, platform::Now())); }
