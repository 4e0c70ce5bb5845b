// The five resolver formats as files: what each writes for the records of an export, what
// its reader finds again, and the direct write that replaces only the program's own file.
#include "targets/common/domain_name.h"
#include "targets/resolvers/resolver_exporter.h"
#include "tests/targets/target_fixture.h"

namespace {

using Records = std::vector<std::string>;

// Every kind of record the lists hold: names, doubles in other cases, an internationalised
// name, and records that are no domain names.
const Records kRecords{"ads.example.com", "caf\xC3\xA9.fr",    "ADS.Example.com", "10.0.0.1", "localhost",
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
  void Export(TKXMultiElement& exporter, const Records& records, const Records& never = {}) {
    Feed(exporter, records, never);
    Input(exporter, 2);
  }
  // The lines of a file after its four comment lines and the format's own head.
  std::string Entries(TargetId id) {
    const std::string text = Read("out");
    size_t at = 0;
    for (int line = 0; line < (id == TargetId::Rpz ? 7 : id == TargetId::Unbound ? 5 : 4); ++line)
      at = text.find('\n', at) + 1;
    return text.substr(at);
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

// shop.example is blocked with a name below it; www.shop.example is never to block, and so is
// kept.shop.example with every name below it; tracker.net covers a.tracker.net.
const Records kBelow{"shop.example", "ads.www.shop.example", "ads.kept.shop.example", "tracker.net", "a.tracker.net"};
const Records kNever{"www.shop.example", "*.kept.shop.example", "*.example.com"};

TEST_F(ResolverFormats, a_name_never_to_block_below_a_blocked_name_is_the_formats_exception_and_compress_keeps_it) {
  const struct {
    TargetId id;
    bool compress;
    const char* entries;
  } cases[] = {
      {TargetId::Dnsmasq, false,
       "address=/shop.example/\naddress=/ads.www.shop.example/\naddress=/tracker.net/\naddress=/a.tracker.net/\n"
       "# Never to block: the usual servers answer each name below, and every name under it not listed above.\n"
       "server=/www.shop.example/#\nserver=/kept.shop.example/#\n"},
      {TargetId::Unbound, true,
       "    local-zone: \"shop.example.\" always_nxdomain\n    local-zone: \"ads.www.shop.example.\" always_nxdomain\n"
       "    local-zone: \"tracker.net.\" always_nxdomain\n"
       "# Never to block: each zone below is resolved as usual, every name under it not listed above too.\n"
       "    local-zone: \"www.shop.example.\" transparent\n    local-zone: \"kept.shop.example.\" transparent\n"},
      {TargetId::Rpz, true,
       "shop.example CNAME .\n*.shop.example CNAME .\nads.www.shop.example CNAME .\n*.ads.www.shop.example CNAME .\n"
       "tracker.net CNAME .\n*.tracker.net CNAME .\n"
       "; Never to block: each name below is answered as usual (CNAME rpz-passthru.), the names under it too "
       "where its wildcard is.\n"
       "www.shop.example CNAME rpz-passthru.\n*.www.shop.example CNAME .\nkept.shop.example CNAME rpz-passthru.\n"
       "*.kept.shop.example CNAME rpz-passthru.\n"},
      {TargetId::Adblock, false,
       "||shop.example^\n||ads.www.shop.example^$important\n||tracker.net^\n||a.tracker.net^\n"
       "! Never to block: each @@||name^ spares the name and every name under it not marked $important.\n"
       "@@||www.shop.example^\n@@||kept.shop.example^\n"},
      {TargetId::Domains, true, "ads.www.shop.example\ntracker.net\na.tracker.net\n"},
  };
  Set("resolvers_program", "1");
  for (const auto& c : cases) {
    SCOPED_TRACE(Info(c.id).name);
    ui_.ClearShownDialogs();
    std::filesystem::remove(dir_ + "out");
    Set(Info(c.id).path_key, dir_ + "out");
    Set("compress", c.compress ? "1" : "0");
    // The generate page takes out what a "*." line spares before the exporter sees it.
    Records records = kBelow;
    std::erase(records, "ads.kept.shop.example");
    Export(Exporter(c.id), records, kNever);
    EXPECT_EQ(Entries(c.id), c.entries);
    if (c.id == TargetId::Domains) {
      ASSERT_EQ(Messages().size(), 1u);
      EXPECT_NE(Messages()[0].find("1 above a name never to block, which a domain list cannot hold as an exception, "
                                   "such as \"shop.example\""),
                std::string::npos)
          << Messages()[0];
    } else {
      EXPECT_TRUE(Messages().empty()) << Messages()[0];
    }
  }
}

// "NEW To File" writes what the configured file lacks: names it does not block yet, with or
// without a name above them there, and exceptions it does not hold.
TEST_F(ResolverFormats, an_add_on_for_the_configured_file_holds_the_names_and_exceptions_it_lacks) {
  Write("conf", "# Created with Veltrane: x\naddress=/shop.example/\nserver=/www.shop.example/#\n");
  Set("dnsmasq", dir_ + "conf");
  Set("resolvers_program", "0");
  auto& exporter = Exporter(TargetId::Dnsmasq);
  for (const char* compress : {"0", "1"}) {
    SCOPED_TRACE(compress);
    Set("compress", compress);
    ui_.QueueSaveAnswer(dir_ + "out");
    Export(exporter, {"shop.example", "x.shop.example", "ads.www.shop.example", "new.example.org"},
           {"www.shop.example", "*.kept.shop.example"});
    EXPECT_EQ(Entries(TargetId::Dnsmasq),
              std::string(compress[0] == '0' ? "address=/x.shop.example/\n" : "") +
                  "address=/ads.www.shop.example/\naddress=/new.example.org/\n"
                  "# Never to block: the usual servers answer each name below, and every name under it not listed "
                  "above.\nserver=/kept.shop.example/#\n");
  }
}

// Every written file is told: the names written, how many are new, how many of the file's
// names are gone, and the records left out.
TEST_F(ResolverFormats, each_export_tells_what_it_wrote_into_which_file) {
  Summaries told;
  auto& exporter = Exporter(TargetId::Unbound);
  told.Listen(exporter);
  Set("unbound", dir_ + "out");
  Set("resolvers_program", "1");
  Export(exporter, {"a.example.com", "b.example.com", "c.example.com", "10.0.0.1"});
  Export(exporter, {"a.example.com", "d.example.com", "A.example.com"});
  Set("compress", "1");
  Export(exporter, {"example.com", "a.example.com"});
  // Names in another order, some gone and one new: each is found wherever it stood.
  Set("compress", "0");
  Export(exporter, {"a.org", "b.org", "c.org", "d.org", "e.org"});
  Export(exporter, {"b.org", "d.org", "e.org", "f.org", "a.org"});
  const std::string file = platform::NativePath(dir_ + "out");
  EXPECT_EQ(told.lines, (Records{file + ": 3 names written, 3 new, 0 taken out, 1 left out",
                                 file + ": 2 names written, 1 new, 2 taken out, 0 left out",
                                 file + ": 1 name written, 1 new, 2 taken out, 0 left out",
                                 file + ": 5 names written, 5 new, 1 taken out, 0 left out",
                                 file + ": 5 names written, 1 new, 1 taken out, 0 left out"}));
}

// What a command that explains the lists asks an exporter: the name its file would hold for
// a record, or why the record is left out.
TEST_F(ResolverFormats, an_exporter_tells_the_name_a_record_becomes_or_why_it_gives_none) {
  auto& element = Exporter(TargetId::Rpz);
  auto& exporter = static_cast<TTargetExporter&>(*element.Scheme());
  std::string_view why;
  EXPECT_EQ(exporter.EntryAddress("ADS.Example.com"), "ads.example.com");
  EXPECT_EQ(exporter.EntryAddress("caf\xC3\xA9.fr"), "xn--caf-dma.fr");
  EXPECT_EQ(exporter.EntryAddress("10.0.0.1", &why), std::nullopt);
  EXPECT_EQ(why, kIpAddressRecord);
  EXPECT_EQ(exporter.EntryAddress(std::string(230, 'a') + ".com", &why), std::nullopt);
  EXPECT_EQ(why, kTooLongRecord);
  EXPECT_EQ(exporter.EntryAddress(" ", &why), std::nullopt);
  EXPECT_EQ(why, kEmptyRecord);
}

TEST(ResolverScan, reads_the_names_of_entry_lines_with_blanks_around_and_nothing_else) {
  struct Case {
    TargetId format;
    const char* text;
    Records names;
    bool owned;
    Records exceptions = {};
  };
  const Case cases[] = {
      {TargetId::Dnsmasq,
       "address=/a.b/\r\n  address=/c.d/  \naddress=/e.f/0.0.0.0\naddress=/g.h/i.j/\nserver=/k.l/\nserver=/m.n/#\n",
       {"a.b", "c.d"},
       false,
       {"m.n"}},
      {TargetId::Unbound,
       "server:\n local-zone: \"a.b.\" always_nxdomain\n\tlocal-zone:  \"c.d.\"\talways_nxdomain\n"
       "local-zone: \"e.f.\" static\nlocal-zone: \"g.h\" always_nxdomain\n"
       "local-zone: \"i.j.\" transparent\n",
       {"a.b", "c.d"},
       false,
       {"i.j"}},
      {TargetId::Rpz,
       "; Created with Veltrane: x\n$TTL 3600\n@ IN NS localhost.\na.b CNAME .\n*.a.b CNAME .\n"
       "c.d  CNAME  .\ne.f CNAME *.\ng.h A 0.0.0.0\ni.j CNAME rpz-passthru.\n*.i.j CNAME rpz-passthru.\n",
       {"a.b", "c.d"},
       true,
       {"i.j"}},
      {TargetId::Adblock,
       "! Created with Veltrane: x\n||a.b^\n||c.d^$important\n@@||e.f^\n||g.h^\n||i.j^$third-party\n",
       {"a.b", "c.d", "g.h"},
       true,
       {"e.f"}},
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
    EXPECT_EQ(scan.exceptions, c.exceptions);
  }
}

}  // namespace
