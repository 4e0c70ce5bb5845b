#include "targets/common/domain_name.h"

#include "runtime/platform/code_page.h"
#include "runtime/platform/idna.h"
#include "targets/common/left_out_records.h"
#include "targets/common/ip_address.h"

namespace {

bool IsAscii(std::string_view text) {
  for (char c : text)
    if (static_cast<unsigned char>(c) > 0x7F) return false;
  return true;
}

bool IsNameByte(char c) { return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_'; }

constexpr size_t kLongestLabel = 63;
constexpr size_t kLongestName = 253;

// What makes `name` no name to block: in the DNS formats a name of one label would block a
// whole top-level domain (`need_dot`), in the hosts file it names a machine; the hosts file
// takes capitals too (`any_case`).
std::string_view WhyNoName(std::string_view name, bool need_dot, bool any_case) {
  // A name's last label is never all digits: "10.0.0.1" and "10.1" are addresses, as "::1" is.
  const std::string_view last = name.substr(name.rfind('.') + 1);
  if (IsIpAddress(name) || (!last.empty() && last.find_first_not_of("0123456789") == std::string_view::npos))
    return kIpAddressRecord;
  if (need_dot && name.find('.') == std::string_view::npos) return kDotlessRecord;
  size_t label = 0;
  for (char c : name) {
    if (c == '.') {
      if (label == 0) return kNoHostNameRecord;
      label = 0;
      continue;
    }
    if (!IsNameByte(any_case && c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c)) return kNoHostNameRecord;
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
