// The five resolver formats as files: what each writes for the records of an export, what
// its reader finds again, and the direct write that replaces only the program's own file.
#include "targets/resolvers/resolver_exporter.h"
#include "tests/targets/target_fixture.h"

namespace {

using Records = std::vector<std::string>;

// Every kind of record the lists hold: names, doubles in other cases, an internationalised
// name, and records that are no domain names.
const Records kRecords{"ads.example.com", "caf\xC3\xA9.fr",   "ADS.Example.com", "10.0.0.1", "localhost",
                       "a b.example.com", "track.example.org", "xn--caf-dma.fr",  ""};

struct Format {
  TargetId id;
  const char* file;  // what an export of kRecords writes
};

// The response policy zone and the domain list are shown by the scenario
// resolver_formats_export_in_three_modes.
const Format kFormats[] = {
    {TargetId::Dnsmasq,
     "# Created with Veltrane: a dnsmasq configuration file (conf-file=, or a file in /etc/dnsmasq.d)\n"
     "# Number of URL Records: 3\n# Date: 05.12.2026\n"
     "# Each name below, and every name under it, answers NXDOMAIN (no such domain).\n"
     "address=/ads.example.com/\naddress=/xn--caf-dma.fr/\naddress=/track.example.org/\n"},
    {TargetId::Unbound,
     "# Created with Veltrane: an Unbound include file (include: in unbound.conf, or a file in "
     "/etc/unbound/unbound.conf.d)\n# Number of URL Records: 3\n# Date: 05.12.2026\n"
     "# Each name below, and every name under it, answers NXDOMAIN (no such domain).\nserver:\n"
     "    local-zone: \"ads.example.com.\" always_nxdomain\n    local-zone: \"xn--caf-dma.fr.\" always_nxdomain\n"
     "    local-zone: \"track.example.org.\" always_nxdomain\n"},
    {TargetId::Adblock,
     "! Created with Veltrane: an Adblock-style list (AdGuard Home, Pi-hole)\n! Number of URL Records: 3\n"
     "! Date: 05.12.2026\n! Each ||name^ blocks the name and every name under it.\n"
     "||ads.example.com^\n||xn--caf-dma.fr^\n||track.example.org^\n"},
};

class ResolverFormats : public TargetTest {
 protected:
  TKXMultiElement& Exporter(TargetId id) {
    switch (id) {
      case TargetId::Dnsmasq: return Build<DnsmasqExporter>();
      case TargetId::Unbound: return Build<UnboundExporter>();
      case TargetId::Rpz: return Build<RpzExporter>();
      case TargetId::Adblock: return Build<AdblockExporter>();
      default: return Build<DomainsExporter>();
    }
  }
  void Export(TKXMultiElement& exporter, const Records& records) {
    Feed(exporter, records);
    Input(exporter, 2);
  }
  static Records Found(TargetId id, const std::string& text) {
    TResolverScan scan(id);
    ScanText(text, scan);
    return scan.addresses;
  }
};

TEST_F(ResolverFormats, each_format_writes_every_name_once_after_its_head_and_counts_what_it_left_out) {
  for (const Format& format : kFormats) {
    SCOPED_TRACE(Info(format.id).name);
    ui_.ClearShownDialogs();
    std::filesystem::remove(dir_ + "out");
    Set(Info(format.id).path_key, dir_ + "out");
    Set("resolvers_program", "1");
    Export(Exporter(format.id), kRecords);
    EXPECT_EQ(Read("out"), format.file);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Messages()[0].starts_with("Warning:: 4 of 9 records were left out")) << Messages()[0];
  }
}

// A file of someone else's is the scenario resolver_formats_export_in_three_modes.
TEST_F(ResolverFormats, a_direct_write_replaces_the_programs_own_file_unless_it_holds_a_nul_byte) {
  Set("resolvers_program", "1");
  for (TargetId id : {TargetId::Dnsmasq, TargetId::Unbound, TargetId::Rpz, TargetId::Adblock, TargetId::Domains}) {
    SCOPED_TRACE(Info(id).name);
    std::filesystem::remove(dir_ + "out");
    Set(Info(id).path_key, dir_ + "out");
    auto& exporter = Exporter(id);
    Export(exporter, {"old.example.com"});
    Export(exporter, {"new.example.com"});
    EXPECT_EQ(Found(id, Read("out")), Records{"new.example.com"}) << "names gone from the lists go";
    const std::string damaged = Read("out") + std::string(1, '\0') + "\n";
    Write("out", damaged);
    ui_.ClearShownDialogs();
    Export(exporter, {"new.example.com"});
    EXPECT_EQ(Read("out"), damaged);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(Messages()[0].ends_with(" Nothing was written.")) << Messages()[0];
  }
}

// Loaded, the zone's owner names get the zone's name behind them, and the wildcard two more
// characters: a name as long as a name may be would not load in a policy zone.
TEST_F(ResolverFormats, a_policy_zone_leaves_room_for_the_zone_name_behind_its_names) {
  const std::string fits = std::string(63, 'a') + "." + std::string(63, 'b') + "." + std::string(63, 'c') + "." +
                           std::string(24, 'd') + ".com";  // 220 characters
  Set("resolvers_program", "1");
  Set("rpz", dir_ + "out");
  Export(Exporter(TargetId::Rpz), {fits, "e." + fits});
  EXPECT_EQ(Found(TargetId::Rpz, Read("out")), Records{fits});
  EXPECT_EQ(Messages().size(), 1u);
}

TEST(ResolverScan, reads_the_names_of_entry_lines_with_blanks_around_and_nothing_else) {
  struct Case {
    TargetId format;
    const char* text;
    Records names;
    bool owned;
  };
  const Case cases[] = {
      {TargetId::Dnsmasq, "address=/a.b/\r\n  address=/c.d/  \naddress=/e.f/0.0.0.0\naddress=/g.h/i.j/\nserver=/k.l/\n",
       {"a.b", "c.d"}, false},
      {TargetId::Unbound, "server:\n local-zone: \"a.b.\" always_nxdomain\n\tlocal-zone:  \"c.d.\"\talways_nxdomain\n"
                          "local-zone: \"e.f.\" static\nlocal-zone: \"g.h\" always_nxdomain\n",
       {"a.b", "c.d"}, false},
      {TargetId::Rpz, "; Created with Veltrane: x\n$TTL 3600\n@ IN NS localhost.\na.b CNAME .\n*.a.b CNAME .\n"
                      "c.d  CNAME  .\ne.f CNAME *.\ng.h A 0.0.0.0\n",
       {"a.b", "c.d"}, true},
      {TargetId::Adblock, "! Created with Veltrane: x\n||a.b^\n||c.d^$important\n@@||e.f^\n||g.h^\n", {"a.b", "g.h"},
       true},
      {TargetId::Domains, "\xEF\xBB\xBF# Created with Veltrane: x\na.b\n  c.d\n# e.f\ng h\n", {"a.b", "c.d"}, true},
      {TargetId::Domains, "\n\n# Created with Veltrane: x\na.b\n", {"a.b"}, true},
      {TargetId::Domains, "#Created with Veltrane: x\na.b\n", {"a.b"}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    TResolverScan scan(c.format);
    ScanText(c.text, scan);
    EXPECT_EQ(scan.addresses, c.names);
    EXPECT_EQ(scan.owned, c.owned);
  }
}

}  // namespace
