// The hosts file's options: a second line per group of names for IPv6, and several names a
// line; a value that is no such setting writes nothing.
#include "targets/hosts/hosts_exporter.h"
#include "tests/targets/target_fixture.h"

namespace {

class HostsOptions : public TargetTest {
 protected:
  void SetUp() override {
    TargetTest::SetUp();
    Set("hosts", dir_ + "hosts");
    Set("hosts_program", "1");
    Set("ip", "0.0.0.0");
  }
};

// The default layout, one name a line, is shown by the scenario hosts_exports_in_three_modes.
TEST_F(HostsOptions, the_names_go_n_a_line_and_each_line_again_for_ipv6) {
  Set("ip6", "::1");
  Set("per_line", "2");
  auto& exporter = Build<HostsExporter>();
  // The internationalised name once, whichever form the lists hold it in.
  Feed(exporter, {"a.example.com", "b.example.com", "caf\xC3\xA9.fr", "xn--caf-dma.fr", "CAF\xC3\x89.fr"});
  Input(exporter, 2);
  const std::string text = Read("hosts");
  EXPECT_EQ(text.substr(text.find("\r\n\r\n") + 4),  // the lines after the banner
            "0.0.0.0       a.example.com b.example.com\r\n::1       a.example.com b.example.com\r\n"
            "0.0.0.0       xn--caf-dma.fr\r\n::1       xn--caf-dma.fr\r\n");
  EXPECT_TRUE(Messages().empty());
}

// An empty IP is the scenario hosts_export_needs_an_ip; any other that is no address, such as
// a name, would write entries the reader cannot tell from a bare name.
TEST_F(HostsOptions, a_value_that_is_no_such_setting_writes_nothing_and_says_what_to_enter) {
  Write("hosts", "127.0.0.1 localhost\n");
  struct Case {
    const char *ip, *ip6, *per_line, *told;
  };
  const Case cases[] = {
      {"localhost", "", "",
       "The IP \"localhost\" set for Hosts is not an IPv4 or IPv6 address: enter the address "
       "every name is to be mapped to (such as 127.0.0.1) in \"IP:\" on page \"Setting\", panel "
       "\"Hosts\", and press \"Save\"."},
      {"0.0.0.0", "0.0.0.0", "",
       "The IPv6 address \"0.0.0.0\" set for Hosts is not one: enter an IPv6 address (such "
       "as ::) in \"IPv6:\" on page \"Setting\", panel \"Hosts\", or leave it empty, and "
       "press \"Save\"."},
      {"0.0.0.0", "", "0",
       "The names per line set for Hosts, \"0\", are not 1 to 9: enter a number from 1 to 9 in "
       "\"Names per line:\" on page \"Setting\", panel \"Hosts\", or leave it empty for 1, and "
       "press \"Save\"."},
  };
  auto& exporter = Build<HostsExporter>();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.ip) + " / " + c.ip6 + " / " + c.per_line);
    ui_.ClearShownDialogs();
    Set("ip", c.ip);
    Set("ip6", c.ip6);
    Set("per_line", c.per_line);
    Feed(exporter, {"ads.example.com"});
    Input(exporter, 2);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Messages()[0].starts_with("Error:: " + std::string(c.told))) << Messages()[0];
    EXPECT_TRUE(Messages()[0].ends_with("Nothing was written.")) << Messages()[0];
    EXPECT_EQ(Read("hosts"), "127.0.0.1 localhost\n");
  }
}

}  // namespace
