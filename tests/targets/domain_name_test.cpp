// Records as the names resolvers compare: internationalised names as A-labels whatever the
// record's code page, and the records no DNS server can block with their subdomains. The
// usual ones are in the scenario resolver_formats_export_in_three_modes.
#include <gtest/gtest.h>

#include <string>

#include "targets/common/domain_name.h"
#include "targets/common/left_out_records.h"

namespace {

struct Case {
  const char* record;
  const char* name;        // nullptr: left out
  std::string_view why{};  // with nullptr: the reason
};

TEST(DomainName, a_record_becomes_its_ascii_name_in_lower_case_or_is_left_out_with_its_reason) {
  const std::string long_label = std::string(64, 'a') + ".com";
  const std::string long_name = std::string(63, 'a') + "." + std::string(63, 'b') + "." + std::string(63, 'c') + "." +
                                std::string(63, 'd');  // 255 characters
  const std::string too_long_once_encoded = std::string(60, 'x') + "\xC3\xA9\xC3\xA9.com";
  const Case cases[] = {
      {"ADS.Example.COM", "ads.example.com"},
      {"ad_server.example.com", "ad_server.example.com"},
      {"\xD0\x9F\xD0\xA0\xD0\x98\xD0\x9C\xD0\x95\xD0\xA0.\xD1\x80\xD1\x84", "xn--e1afmkfd.xn--p1ai"},  // ПРИМЕР.рф
      {"\xEF\xF0\xE8\xEC\xE5\xF0.\xF0\xF4", "xn--e1afmkfd.xn--p1ai"},  // пример.рф in Windows-1251
      {"10.1", nullptr, kIpAddressRecord},
      {"localhost", nullptr, kDotlessRecord},
      {"a b.example.com", nullptr, kNoHostNameRecord},
      {"*.ads.example.com", nullptr, kNoHostNameRecord},
      {"ads.example.com.", nullptr, kNoHostNameRecord},
      {"ads..example.com", nullptr, kNoHostNameRecord},
      {"\xEF\xBF\xBD.com", nullptr, kNoHostNameRecord},  // U+FFFD is no character of a name
      {too_long_once_encoded.c_str(), nullptr, kNoHostNameRecord},
      {long_label.c_str(), nullptr, kTooLongRecord},
      {long_name.c_str(), nullptr, kTooLongRecord},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.record);
    std::string_view why;
    const std::optional<std::string> name = BlockedDomainName(c.record, &why);
    if (c.name) {
      EXPECT_EQ(name, std::optional<std::string>(c.name));
    } else {
      EXPECT_EQ(name, std::nullopt);
      EXPECT_EQ(why, c.why);
    }
  }
}

}  // namespace
