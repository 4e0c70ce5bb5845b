// The grammar of the resolver files the program writes: what each server's format accepts,
// and the first line of each content it refuses. What the exporters write on a real list is
// tests/targets/resolver_grammar_test.cpp.
#include <gtest/gtest.h>

#include <string>

#include "runtime/platform/resolver_file_grammar.h"

namespace {

using platform::ResolverGrammar;

const std::string kMark = "# Created with Veltrane: x\n";
const std::string kZoneHead =
    "; Created with Veltrane: x\n$TTL 3600\n"
    "@ IN SOA localhost. hostmaster.localhost. 1796471592 3600 600 604800 3600\n"
    "@ IN NS localhost.\n";

TEST(ResolverFileGrammar, takes_only_the_lines_the_program_writes_and_names_the_first_line_it_refuses) {
  const struct Case {
    ResolverGrammar format;
    std::string content;
    size_t line;  // the first line refused; 0: none
  } cases[] = {
      // dnsmasq: blocked names and names left to the usual servers, comments, empty lines.
      {ResolverGrammar::Dnsmasq,
       kMark + "# Date: 05.12.2026\n\naddress=/ads.example.com/\nserver=/good.example.com/#\n", 0},
      {ResolverGrammar::Dnsmasq, kMark + "address=/xn--caf-dma.fr/\r\naddress=/a_b-c.co.uk/", 0},
      {ResolverGrammar::Dnsmasq, kMark + "conf-script=/tmp/x\n", 2},
      {ResolverGrammar::Dnsmasq, kMark + "address=/a.example/\ndhcp-script=/tmp/x\n", 3},
      {ResolverGrammar::Dnsmasq, kMark + "server=/bank.example/203.0.113.9\n", 2},
      {ResolverGrammar::Dnsmasq, kMark + "address=/bank.example/203.0.113.9\n", 2},
      {ResolverGrammar::Dnsmasq, kMark + "address=/a.example/b.example/\n", 2},
      {ResolverGrammar::Dnsmasq, kMark + "address=/Ads.example.com/\n", 2},
      {ResolverGrammar::Dnsmasq, kMark + "address=/com/\n", 2},
      {ResolverGrammar::Dnsmasq, kMark + "address=/a..example/\n", 2},
      {ResolverGrammar::Dnsmasq, kMark + "address=/a.example./\n", 2},
      {ResolverGrammar::Dnsmasq, kMark + " address=/a.example/\n", 2},
      {ResolverGrammar::Dnsmasq, kMark + "address=/" + std::string(64, 'a') + ".example/\n", 2},
      {ResolverGrammar::Dnsmasq, kMark + "# a comment\rconf-script=/tmp/x\n", 2},
      {ResolverGrammar::Dnsmasq, kMark + std::string("# a comment\0\n", 13), 2},
      {ResolverGrammar::Dnsmasq, kMark + "# caf\xC3\xA9\n", 2},
      // The mark: the first line, in the format's comment.
      {ResolverGrammar::Dnsmasq, "address=/a.example/\n" + kMark, 1},
      {ResolverGrammar::Dnsmasq, "#Created with Veltrane: x\n", 1},
      {ResolverGrammar::Dnsmasq, "; Created with Veltrane: x\n", 1},
      {ResolverGrammar::Dnsmasq, "\xEF\xBB\xBF" + kMark, 1},
      {ResolverGrammar::Dnsmasq, "", 1},
      {ResolverGrammar::Dnsmasq, kMark, 0},
      // Unbound: one "server:" before the zones.
      {ResolverGrammar::Unbound,
       kMark + "server:\n    local-zone: \"ads.example.com.\" always_nxdomain\n"
               "\tlocal-zone: \"good.example.com.\" transparent\n",
       0},
      {ResolverGrammar::Unbound, kMark + "server:\n", 0},
      {ResolverGrammar::Unbound, kMark + "local-zone: \"a.example.\" always_nxdomain\nserver:\n", 2},
      {ResolverGrammar::Unbound, kMark + "server:\n    include: \"/home/user/x.conf\"\n", 3},
      {ResolverGrammar::Unbound, kMark + "server:\n    local-data: \"bank.example. A 203.0.113.9\"\n", 3},
      {ResolverGrammar::Unbound, kMark + "server:\n    local-zone: \"a.example.\" redirect\n", 3},
      {ResolverGrammar::Unbound, kMark + "server:\nserver:\n", 3},
      {ResolverGrammar::Unbound, kMark + "server:\nremote-control:\n", 3},
      {ResolverGrammar::Unbound, kMark + "server:\n    local-zone: \"a.example\" always_nxdomain\n", 3},
      {ResolverGrammar::Unbound, kMark + "# no server line\n", 3},
      // A response policy zone: its head once, then the NXDOMAIN and passthru entries.
      {ResolverGrammar::Rpz,
       kZoneHead + "ads.example.com CNAME .\n*.ads.example.com CNAME .\ngood.example.com CNAME rpz-passthru.\n"
                   "*.good.example.com CNAME rpz-passthru.\n",
       0},
      {ResolverGrammar::Rpz, kZoneHead, 0},
      {ResolverGrammar::Rpz, kZoneHead + "$INCLUDE /etc/shadow\n", 5},
      {ResolverGrammar::Rpz, kZoneHead + "@ IN SOA localhost. hostmaster.localhost. 2 3600 600 604800 3600\n", 5},
      {ResolverGrammar::Rpz, kZoneHead + "$ORIGIN example.\n", 5},
      {ResolverGrammar::Rpz, kZoneHead + "bank.example A 203.0.113.9\n", 5},
      {ResolverGrammar::Rpz, kZoneHead + "bank.example CNAME evil.example.\n", 5},
      {ResolverGrammar::Rpz, kZoneHead + " CNAME .\n", 5},
      {ResolverGrammar::Rpz, kZoneHead + "*.*.a.example CNAME .\n", 5},
      {ResolverGrammar::Rpz, "; Created with Veltrane: x\na.example CNAME .\n", 2},
      {ResolverGrammar::Rpz, "; Created with Veltrane: x\n$TTL 3600\n@ IN NS localhost.\n", 3},
      {ResolverGrammar::Rpz,
       "; Created with Veltrane: x\n$TTL 3600\n@ IN SOA localhost. hostmaster.localhost. 1 2 3 4\n", 3},
      {ResolverGrammar::Rpz, "; Created with Veltrane: x\n$TTL 3600\n", 3},
      {ResolverGrammar::Rpz, kMark + "$TTL 3600\n", 1},
  };
  for (const auto& c : cases) {
    const platform::GrammarVerdict verdict = platform::JudgeResolverFile(c.format, c.content);
    EXPECT_EQ(verdict.line, c.line) << int(c.format) << ": " << c.content << verdict.why;
    EXPECT_EQ(verdict.why.empty(), c.line == 0) << c.content;
  }
}

}  // namespace
