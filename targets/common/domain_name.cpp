#include "targets/common/domain_name.h"

#include <array>

#include "runtime/platform/code_page.h"
#include "runtime/platform/idna.h"
#include "targets/common/ip_address.h"
#include "targets/common/left_out_records.h"

namespace {

bool IsAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) > 0x7F) return false;
  return true;
}

// What a byte is in a name: the check runs over every record of an export.
enum ByteKind : unsigned char { kOther, kNameByte, kDot, kCapital };
constexpr std::array<ByteKind, 256> kByteKinds = [] {
  std::array<ByteKind, 256> kinds{};
  for (int c = 'a'; c <= 'z'; ++c) kinds[size_t(c)] = kNameByte;
  for (int c = '0'; c <= '9'; ++c) kinds[size_t(c)] = kNameByte;
  for (int c = 'A'; c <= 'Z'; ++c) kinds[size_t(c)] = kCapital;
  kinds['-'] = kinds['_'] = kNameByte;
  kinds['.'] = kDot;
  return kinds;
}();

bool AllDigits(std::string_view text) {
  for (char c : text)
    if (c < '0' || c > '9') return false;
  return true;
}

constexpr size_t kLongestLabel = 63;
constexpr size_t kLongestName = 253;

// What makes `name` no name to block: in the DNS formats a name of one label would block a
// whole top-level domain (`need_dot`), in the hosts file it names a machine; the hosts file
// takes capitals too (`any_case`).
std::string_view WhyNoName(std::string_view name, bool need_dot, bool any_case) {
  // A name's last label is never all digits: "10.0.0.1" and "10.1" are addresses, as "::1" is.
  // An IPv4 address is all digits and dots, so its last label is all digits; an IPv6 one holds a ":".
  const size_t last_dot = name.rfind('.');
  const std::string_view last = name.substr(last_dot + 1);
  if ((!last.empty() && AllDigits(last)) || (name.find(':') != std::string_view::npos && IsIpAddress(name)))
    return kIpAddressRecord;
  if (need_dot && last_dot == std::string_view::npos) return kDotlessRecord;
  size_t label = 0;
  for (char c : name) {
    switch (kByteKinds[static_cast<unsigned char>(c)]) {
      case kDot:
        if (label == 0) return kNoHostNameRecord;
        label = 0;
        continue;
      case kCapital:
        if (!any_case) return kNoHostNameRecord;
        break;
      case kNameByte: break;
      case kOther: return kNoHostNameRecord;
    }
    if (++label > kLongestLabel) return kTooLongRecord;
  }
  if (label == 0) return kNoHostNameRecord;  // a final "." is no name of a list
  if (name.size() > kLongestName) return kTooLongRecord;
  return {};
}

}  // namespace

std::optional<std::string> AsciiName(std::string_view record) {
  if (IsAscii(record)) return std::string(record);
  return platform::AsciiDomainName(platform::Utf8FromWide(platform::WideFromText(record)));
}

std::string_view WhyNoDomainName(std::string_view name) { return WhyNoName(name, true, false); }

std::string_view WhyNoHostName(std::string_view name) { return WhyNoName(name, false, true); }

std::optional<std::string> BlockedDomainName(std::string_view record, std::string_view* why) {
  std::optional<std::string> name = AsciiName(record);
  if (!name) {
    if (why) *why = kNoHostNameRecord;
    return std::nullopt;
  }
  for (char& c : *name)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  const std::string_view problem = WhyNoDomainName(*name);
  if (!problem.empty()) {
    if (why) *why = problem;
    return std::nullopt;
  }
  return name;
}
