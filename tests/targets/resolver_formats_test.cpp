// The five resolver formats as files: what each writes for the records of an export, what
// its reader finds again, and the direct write that replaces only the program's own file.
#include <cstdio>
#include <optional>

#include "runtime/platform/clock.h"
#include "targets/resolvers/resolver_exporter.h"
#include "tests/targets/target_fixture.h"

namespace {

using Records = std::vector<std::string>;

constexpr platform::LocalTime kWhen{2026, 12, 5, 6, 9, 53, 12};

// Every kind of record the lists hold: names, doubles in other cases, an internationalised
// name, and records that are no domain names.
const Records kRecords{"ads.example.com", "caf\xC3\xA9.fr",   "ADS.Example.com", "10.0.0.1", "localhost",
                       "a b.example.com", "track.example.org", "xn--caf-dma.fr",  ""};
const char* const kLeftOut =
    "4 of 9 records were left out: the %s format holds domain names only.\r\n1 holding an IP address, not a name, such "
    "as \"10.0.0.1\"\r\n1 "
    "without a \".\", such as \"localhost\"\r\n1 with characters no host name has, such as \"a b.example.com\"\r\n1 "
    "empty";

struct Format {
  TargetId id;
  const char* file;  // what an export of kRecords writes
};

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
    {TargetId::Rpz,
     "; Created with Veltrane: a response policy zone, relative names, to load under any zone name\n"
     "; Number of URL Records: 3\n; Date: 05.12.2026\n"
     "; Each name below, and every name under it, answers NXDOMAIN (CNAME .).\n$TTL 3600\n"
     "@ IN SOA localhost. hostmaster.localhost. 1796464392 3600 600 604800 3600\n@ IN NS localhost.\n"
     "ads.example.com CNAME .\n*.ads.example.com CNAME .\nxn--caf-dma.fr CNAME .\n*.xn--caf-dma.fr CNAME .\n"
     "track.example.org CNAME .\n*.track.example.org CNAME .\n"},
    {TargetId::Adblock,
     "! Created with Veltrane: an Adblock-style list (AdGuard Home, Pi-hole)\n! Number of URL Records: 3\n"
     "! Date: 05.12.2026\n! Each ||name^ blocks the name and every name under it.\n"
     "||ads.example.com^\n||xn--caf-dma.fr^\n||track.example.org^\n"},
    {TargetId::Domains,
     "# Created with Veltrane: a list of domain names, one a line\n# Number of URL Records: 3\n"
     "# Date: 05.12.2026\n# Each name is one to block.\nads.example.com\nxn--caf-dma.fr\ntrack.example.org\n"},
};

class ResolverFormats : public TargetTest {
 protected:
  void SetUp() override {
    TargetTest::SetUp();
    platform::SetFixedTime(kWhen);
  }
  void TearDown() override {
    platform::SetFixedTime(std::nullopt);
    TargetTest::TearDown();
  }

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
  static std::string LeftOut(TargetId id) {
    char text[1024];
    std::snprintf(text, sizeof text, kLeftOut, Info(id).title);
    return std::string("Warning:: ") + text;
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
    EXPECT_EQ(Messages(), Records{LeftOut(format.id)});
    EXPECT_EQ(Found(format.id, format.file), (Records{"ads.example.com", "xn--caf-dma.fr", "track.example.org"}));
  }
}

// The add-on file is a whole file of the format too, so a server loads it on its own.
TEST_F(ResolverFormats, new_to_file_writes_a_whole_file_of_the_names_the_configured_file_lacks) {
  for (const Format& format : kFormats) {
    SCOPED_TRACE(Info(format.id).name);
    ui_.ClearShownDialogs();
    Write("configured", format.file);
    Set(Info(format.id).path_key, dir_ + "configured");
    Set("resolvers_program", "0");
    ui_.QueueSaveAnswer(dir_ + "new.txt");
    Export(Exporter(format.id), {"ads.example.com", "new.example.net", "track.example.org", "NEW.example.net"});
    EXPECT_EQ(FileDialogs(), Records{Info(format.id).add_on_title + std::string(" [") + Info(format.id).add_on_filter +
                                     "]"});
    const std::string written = Read("new.txt");
    EXPECT_EQ(Found(format.id, written), Records{"new.example.net"});
    EXPECT_NE(written.find("Number of URL Records: 1\n"), std::string::npos);
    EXPECT_EQ(written.find('\r'), std::string::npos) << "LF line breaks, as the servers' own files have";
    EXPECT_EQ(Read("configured"), format.file);
  }
}

TEST_F(ResolverFormats, a_direct_write_makes_the_file_anew_and_never_replaces_a_file_of_another_program) {
  struct Case {
    const char* what;
    std::optional<std::string> before;  // nothing: no file; kOwn: the format's file as the program wrote it
    bool replaced;
  };
  const std::string kOwn = "own";
  const Case cases[] = {
      {"a missing file is made", std::nullopt, true},
      {"an empty file is replaced", "", true},
      {"blank lines are no content", "\n \n", true},
      {"the program's file is replaced, names gone from the lists go", kOwn, true},
      {"a server's own configuration stays", "server=1.1.1.1\naddress=/old.example.com/\n", false},
      {"a comment of someone else's stays", "# my blocks\naddress=/old.example.com/\n", false},
      {"a file that holds a NUL byte stays", std::string("# Created with Veltrane: x\n\0\n", 29), false},
  };
  for (const Format& format : kFormats) {
    for (const Case& c : cases) {
      SCOPED_TRACE(std::string(Info(format.id).name) + ": " + c.what);
      ui_.ClearShownDialogs();
      std::filesystem::remove(dir_ + "out");
      const std::string before = c.before == kOwn ? format.file : c.before.value_or("");
      if (c.before) Write("out", before);
      Set(Info(format.id).path_key, dir_ + "out");
      Set("resolvers_program", "1");
      Export(Exporter(format.id), {"new.example.com"});
      if (c.replaced) {
        EXPECT_EQ(Found(format.id, Read("out")), Records{"new.example.com"});
        EXPECT_TRUE(Messages().empty());
      } else {
        EXPECT_EQ(Read("out"), before);
        ASSERT_EQ(Messages().size(), 1u);
        EXPECT_TRUE(Messages()[0].starts_with("Error:: File '")) << Messages()[0];
        EXPECT_TRUE(Messages()[0].ends_with(" Nothing was written.")) << Messages()[0];
      }
    }
  }
}

// Loaded, the zone's owner names get the zone's name behind them, and the wildcard two more
// characters: a name as long as a name may be would not load in a policy zone.
TEST_F(ResolverFormats, a_policy_zone_leaves_room_for_the_zone_name_behind_its_names) {
  const std::string fits = std::string(63, 'a') + "." + std::string(63, 'b') + "." + std::string(63, 'c') + "." +
                           std::string(24, 'd') + ".com";  // 220 characters
  const std::string longer = "e." + fits;
  Set("resolvers_program", "1");
  for (TargetId id : {TargetId::Rpz, TargetId::Dnsmasq}) {
    SCOPED_TRACE(Info(id).name);
    ui_.ClearShownDialogs();
    Set(Info(id).path_key, dir_ + Info(id).name);
    Export(Exporter(id), {fits, longer});
    const Records written = Found(id, Read(Info(id).name));
    EXPECT_EQ(written, id == TargetId::Rpz ? Records{fits} : (Records{fits, longer}));
    EXPECT_EQ(Messages().size(), id == TargetId::Rpz ? 1u : 0u);
  }
}

TEST_F(ResolverFormats, without_a_file_set_the_direct_write_says_so) {
  Set("resolvers_program", "1");
  Export(Build<UnboundExporter>(), {"ads.example.com"});
  EXPECT_EQ(Messages(), Records{"Error:: No file is set for Unbound (page \"Setting\"). Nothing was written."});
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

TEST(ResolverScan, a_zone_serial_is_the_seconds_since_1970_and_grows_with_every_second) {
  EXPECT_EQ(ZoneSerial(kWhen), 1796464392u);
  EXPECT_EQ(ZoneSerial({1970, 1, 1, 4, 0, 0, 0}), 0u);
  EXPECT_EQ(ZoneSerial({2000, 3, 1, 3, 0, 0, 0}), 951868800u);  // after a leap day
  EXPECT_EQ(ZoneSerial({2106, 2, 7, 0, 6, 28, 15}), 4294967295u);
}

}  // namespace
