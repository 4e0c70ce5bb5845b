// A direct export of records the target file already got adds nothing: every entry an
// exporter writes is one its reader finds again, and a record that cannot become one is left
// out. So it is with the hosts file's options, and a resolver format, made whole at every
// export, comes out the same. Entries go in as one block at the reader's insertion line,
// every other byte of the file stays, and a file holding a NUL byte is never written.
// The hosts file follows the lists: a name gone from them leaves it, a line of the user's
// never does.
#include <map>
#include <random>
#include <set>

#include "targets/aof/aof_config.h"
#include "targets/aof/aof_exporter.h"
#include "targets/common/ip_address.h"
#include "targets/hosts/hosts_exporter.h"
#include "targets/hosts/hosts_file.h"
#include "targets/kpf/kpf_config.h"
#include "targets/kpf/kpf_exporter.h"
#include "targets/kwf/kwf_config.h"
#include "targets/kwf/kwf_exporter.h"
#include "targets/resolvers/resolver_exporter.h"
#include "tests/targets/target_fixture.h"

namespace {

using Records = std::vector<std::string>;

// Records of every awkward kind the lists can hold, doubles included.
class RecordMaker {
 public:
  explicit RecordMaker(uint32_t seed) : rng_(seed) {}
  size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng_); }

  Records Batch() {
    Records records(Pick(12));
    for (size_t i = 0; i < records.size(); ++i) records[i] = i > 0 && Pick(5) == 0 ? records[Pick(i)] : One();
    return records;
  }

 private:
  std::string One() {
    static const Records kAwkward{"nas",
                                  "intranet",
                                  "host2",
                                  "localhost",
                                  "NAS",  // dotless
                                  "",
                                  " ",
                                  "\t",
                                  "  \t ",  // blank
                                  "10.0.0.1",
                                  "127.0.0.1",
                                  "192.168.1.20",
                                  "::1",
                                  "fe80::1",  // IP-style
                                  "</list>",
                                  "a.b</list>",
                                  "[x.y]",
                                  "x.y[",
                                  "<listitem>a.b",
                                  "a.b</listitem>",
                                  "#a.b",
                                  "a.b#c",
                                  "a b.c",
                                  ".a.b.",
                                  "*.a.b/*",
                                  "<variable name=\"Url\">a.b",
                                  "a.b</variable>",  // the formats' own marks
                                  "caf\xC3\xA9.fr",
                                  "CAF\xC3\x89.fr",
                                  "xn--caf-dma.fr",
                                  "\xEF\xF0\xE8\xEC\xE5\xF0.\xF0\xF4",
                                  "\xEF\xBF\xBD.com"};
    static const char kBytes[] = {'\0', '\r', '\n', '#', '*', '/', '\\',   '[',    ']',    '<', '>', '"',
                                  ' ',  '\t', '.',  '.', 'a', 'b', '\x7f', '\x80', '\xff', '%', '1', ':'};
    switch (Pick(8)) {
      case 0: return "ads" + std::to_string(Pick(20)) + ".example.com";
      case 1: return "ADS" + std::to_string(Pick(20)) + ".Example.COM";
      case 2: {
        std::string odd(1 + Pick(8), 'a');
        for (char& c : odd) c = kBytes[Pick(sizeof kBytes)];
        return odd;
      }
      default: return kAwkward[Pick(kAwkward.size())];
    }
  }

  std::mt19937 rng_;
};

using namespace std::string_literals;
using Pool = std::vector<const char*>;

struct Target {
  const char* path_variable;
  const char* program_variable;
  std::vector<std::string> files;                      // what the target's file may hold before the first export
  std::vector<std::pair<const char*, Pool>> settings;  // each set from its pool at random
  TConfigScan* (*scan)();                              // the target's reader
  size_t lines_per_entry;
  enum Kind {
    Inserting,  // entries go into the file, which keeps every line
    Hosts,      // rewritten with a banner, keeping the mapping lines only
    Owned,      // made whole from the records
  } kind;
  size_t head_lines = 0;  // Owned: the lines before the entries
};

const Pool kAffixes{"", "", "*", "www.", "/*", ".", " ", "%1"};

const Target kKwf{"winroute_cfg",
                  "kwf_program",
                  {"<config>\r\n  <list name=\"UrlGroups\">\r\n    <listitem>\r\n      <variable "
                   "name=\"Url\">*.old.example.com/*</variable>\r\n    </listitem>\r\n  </list>\r\n</config>\r\n",
                   "<list name=\"UrlGroups\">\n</list>\n<list name=\"Other\">\n</list>\n",
                   "<list name=\"UrlGroups\">\r\n</list>\r\n\0</list>\r\n"s},
                  {{"begin_kwfall", kAffixes}, {"end_kwfall", kAffixes}, {"group_name", {"Ads/banners"}}},
                  []() -> TConfigScan* { return new TKwfScan; },
                  6,
                  Target::Inserting};

const Target kKpf{"update_cfg",
                  "kpf_program",
                  {"<config>\n<list>\n  <listitem>\n    <variable "
                   "name=\"ServerPartUri\">.*\\old.example\\.com*</variable>\n  </listitem>\n</list>\n</config>\n",
                   "<list>\r\n</list>\r\n<list>\r\n</list>\r\n", "<list>\n</list>\n\0\n</list>\n"s},
                  {{"begin_kpfip", kAffixes}, {"end_kpfip", kAffixes}},
                  []() -> TConfigScan* { return new TKpfScan; },
                  3,
                  Target::Inserting};

const Target kAof{"config_ini",
                  "aof_program",
                  {"[General]\r\n[Content\\Sites]\r\nold.example.com\r\n\r\n[Other]\r\nx=1\r\n",
                   "[Content\\Sites]\nold.example.com\n", "[Content\\Sites]\r\na.b\0\r\n[Other]\r\n"s},
                  {{"begin_aofall", kAffixes}},
                  []() -> TConfigScan* { return new TAofScan; },
                  1,
                  Target::Inserting};

const Target kHosts{
    "hosts",
    "hosts_program",
    {"127.0.0.1\tlocalhost\n::1 localhost ip6-localhost\n", "", "127.0.0.1 localhost\n\0\n"s},
    {{"ip", {"127.0.0.1", "0.0.0.0", "::1"}}, {"ip6", {"", "", "::", "::1"}}, {"per_line", {"", "1", "2", "3", "9"}}},
    []() -> TConfigScan* { return new THostsScan; },
    1,
    Target::Hosts};

// A file of the format as an earlier export left it, with a name gone from the lists since.
constexpr const char* EarlierFile(TargetId format) {
  switch (format) {
    case TargetId::Rpz: return "; Created with Veltrane: x\r\nold.example.com CNAME .\r\n*.old.example.com CNAME .\r\n";
    case TargetId::Adblock: return "! Created with Veltrane: x\n||old.example.com^\n";
    default: return "\xEF\xBB\xBF# Created with Veltrane: x\r\naddress=/old.example.com/\r\nold.example.com\r\n";
  }
}

template <TargetId F>
const Target kFormat{Info(F).path_key,
                     "resolvers_program",
                     // Missing, an earlier export's, empty.
                     {"", EarlierFile(F), "\n"},
                     {},
                     []() -> TConfigScan* { return new TResolverScan(F); },
                     F == TargetId::Rpz ? 2u : 1u,
                     Target::Owned,
                     F == TargetId::Rpz       ? 7u
                     : F == TargetId::Unbound ? 5u
                                              : 4u};

class RepeatedExport : public TargetTest {
 protected:
  std::string Export(TKXMultiElement& exporter, const Records& records) {
    Feed(exporter, records);
    Input(exporter, 2);
    return Read("target");
  }

  static std::unique_ptr<TConfigScan> Scanned(const Target& target, const std::string& text) {
    std::unique_ptr<TConfigScan> scan(target.scan());
    ScanText(text, *scan);
    return scan;
  }
  // The addresses the target's reader finds in a file.
  static size_t Found(const Target& target, const std::string& text) { return Scanned(target, text)->addresses.size(); }

  // Random batches, each exported twice into a fresh file: the second export leaves the
  // file as the first made it, and every entry the first one added is found by the reader.
  template <class Exporter>
  void ExportTwice(const Target& target) {
    auto& exporter = Build<Exporter>();
    RecordMaker maker(20261205);
    Set(target.path_variable, dir_ + "target");
    Set(target.program_variable, "1");
    for (int trial = 0; trial < 400; ++trial) {
      const std::string& before = target.files[maker.Pick(target.files.size())];
      if (before.empty()) {
        std::filesystem::remove(dir_ + "target");
      } else {
        Write("target", before);
      }
      for (const auto& [variable, pool] : target.settings) Set(variable, pool[maker.Pick(pool.size())]);
      const Records records = maker.Batch();
      const std::string once = Export(exporter, records);
      const std::string twice = Export(exporter, records);
      SCOPED_TRACE(::testing::PrintToString(records) + " into " + ::testing::PrintToString(before));
      ASSERT_EQ(twice, once) << "the second export added entries";
      if (before.find('\0') != std::string::npos) {
        ASSERT_EQ(once, before) << "a file holding a NUL byte is written";
        continue;
      }
      switch (target.kind) {
        case Target::Inserting: {
          const size_t entries = (Lines(once) - Lines(before)) / target.lines_per_entry;
          ASSERT_EQ(Found(target, once), Found(target, before) + entries) << "an entry its reader does not find";
          const auto insert = Scanned(target, before)->insert_line;
          const std::vector<size_t> starts = LineStarts(before);
          const size_t at = insert && *insert < starts.size() ? starts[*insert] : before.size();
          ASSERT_TRUE(once.starts_with(before.substr(0, at)) && once.ends_with(before.substr(at)))
              << "the file's own lines changed";
          break;
        }
        case Target::Hosts: {
          // The banner and the mapping lines of the old file come first; then a line per
          // group of names, and with the IPv6 option a second one.
          const size_t lines = Lines(once) - 19 - KeptHostsLines(before);
          const size_t per_line = Get("per_line").empty() ? 1 : size_t(std::stoi(Get("per_line")));
          const size_t copies = Get("ip6").empty() || Get("ip6") == Get("ip") ? 1 : 2;
          const size_t names = Found(target, once) - Found(target, before);
          ASSERT_EQ(names % copies, 0u);
          ASSERT_EQ(lines, copies * ((names / copies + per_line - 1) / per_line))
              << "a line whose names its reader does not find";
          break;
        }
        case Target::Owned: {
          ASSERT_EQ(Found(target, once), (Lines(once) - target.head_lines) / target.lines_per_entry)
              << "an entry its reader does not find";
          break;
        }
      }
      if (target.kind != Target::Inserting) {
        // The count line counts the names the program wrote (in the hosts file, each once
        // whatever the lines per name).
        const size_t copies = target.kind == Target::Hosts && !Get("ip6").empty() && Get("ip6") != Get("ip") ? 2 : 1;
        const size_t names =
            (Found(target, once) - (target.kind == Target::Hosts ? Found(target, before) : 0)) / copies;
        const std::string count = "Number of URL Records: " + std::to_string(names);
        const size_t at = once.find(count);
        ASSERT_TRUE(at != std::string::npos && (once[at + count.size()] == '\r' || once[at + count.size()] == '\n'))
            << "the count line counts the names written";
      }
    }
  }

  // Where each line of a text starts, and where the last line break ends.
  static std::vector<size_t> LineStarts(const std::string& text) {
    std::vector<size_t> starts{0};
    for (size_t i = 0; i < text.size(); ++i)
      if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n')))
        starts.push_back(i + 1);
    return starts;
  }
  static size_t Lines(const std::string& text) { return LineStarts(text).size() - 1; }
  static size_t KeptHostsLines(const std::string& text) {
    THostsScan scan;
    scan.keep_lines = true;
    ScanText(text, scan);
    return scan.lines.size();
  }
};

TEST_F(RepeatedExport, to_kerio_winroute_adds_nothing_the_second_time) { ExportTwice<KwfExporter>(kKwf); }
TEST_F(RepeatedExport, to_kerio_personal_adds_nothing_the_second_time) { ExportTwice<KpfExporter>(kKpf); }
TEST_F(RepeatedExport, to_outpost_adds_nothing_the_second_time) { ExportTwice<AofExporter>(kAof); }
TEST_F(RepeatedExport, to_the_hosts_file_adds_nothing_the_second_time) { ExportTwice<HostsExporter>(kHosts); }
TEST_F(RepeatedExport, to_each_resolver_format_writes_the_same_file_the_second_time) {
  ExportTwice<DnsmasqExporter>(kFormat<TargetId::Dnsmasq>);
  ExportTwice<UnboundExporter>(kFormat<TargetId::Unbound>);
  ExportTwice<RpzExporter>(kFormat<TargetId::Rpz>);
  ExportTwice<AdblockExporter>(kFormat<TargetId::Adblock>);
  ExportTwice<DomainsExporter>(kFormat<TargetId::Domains>);
}

// Lines a user keeps in a hosts file: comments, empty lines, mappings of every shape, and
// lines that read exactly like the program's entries, for names the lists hold too.
const Records kUserLines{"127.0.0.1\tlocalhost",
                         "::1     localhost ip6-localhost ip6-loopback",
                         "# The following lines are desirable for IPv6 capable hosts",
                         "",
                         "   ",
                         "#0.0.0.0       ads3.example.com",
                         "0.0.0.0 ads5.example.com",
                         "0.0.0.0       ads7.example.com",
                         "127.0.0.1       ads9.example.com",
                         "  10.0.0.5\tprinter printer.lan # office",
                         "# managed by cloud-init"};

class HostsFollowsTheLists : public RepeatedExport {
 protected:
  static std::vector<std::string> FileLines(const std::string& text) {
    std::vector<std::string> lines;
    const std::vector<size_t> starts = LineStarts(text);
    for (size_t i = 0; i + 1 < starts.size(); ++i) {
      std::string line = text.substr(starts[i], starts[i + 1] - starts[i]);
      while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
      lines.push_back(line);
    }
    return lines;
  }
  static std::set<std::string> Names(const Records& lines) {
    std::set<std::string> names;
    for (const std::string& line : lines) ForEachHostsName(line, [&](std::string_view n) { names.emplace(n); });
    return names;
  }
};

// Batches one after the other into one hosts file, the user adding lines between them (some
// of them copies of the program's own): after every export the file maps exactly the names of
// the user's lines and of the batch, and holds every line of the user's, the others in order.
TEST_F(HostsFollowsTheLists, a_name_gone_from_the_lists_leaves_the_file_and_a_line_of_the_users_never_does) {
  auto& exporter = Build<HostsExporter>();
  RecordMaker maker(20261207);
  Set("hosts_program", "1");
  for (int trial = 0; trial < 150; ++trial) {
    Set("hosts", dir_ + "hosts" + std::to_string(trial));
    Records user;
    for (size_t i = maker.Pick(6); i > 0; --i) user.push_back(kUserLines[maker.Pick(kUserLines.size())]);
    std::string text;
    for (const std::string& line : user) text += line + "\n";
    for (int round = 0; round < 4; ++round) {
      Set("ip", std::vector<std::string>{"0.0.0.0", "0.0.0.0", "127.0.0.1", "::1"}[maker.Pick(4)]);
      Set("ip6", std::vector<std::string>{"", "", "::1"}[maker.Pick(3)]);
      Set("per_line", std::vector<std::string>{"", "", "2", "9"}[maker.Pick(4)]);
      Write("hosts" + std::to_string(trial), text);
      const Records records = maker.Batch();
      Feed(exporter, records);
      Input(exporter, 2);
      text = Read("hosts" + std::to_string(trial));
      SCOPED_TRACE(::testing::PrintToString(records) + " over the user's " + ::testing::PrintToString(user));
      const Records lines = FileLines(text);

      std::set<std::string> wanted = Names(user);
      std::string storage;
      for (const std::string& record : records)
        if (const std::optional<std::string_view> name = HostsName(record, storage)) wanted.emplace(*name);
      const Records after_banner(lines.begin() + std::min<size_t>(19, lines.size()), lines.end());
      ASSERT_EQ(Names(after_banner), wanted) << text;

      std::map<std::string, int> count;
      for (const std::string& line : after_banner) ++count[line];
      for (const std::string& line : user) ASSERT_GE(count[line]--, 1) << "a line of the user's is gone: " << line;
      // The user's lines that are no copy of an entry keep their order.
      size_t at = 0;
      for (const std::string& line : user) {
        if (line.find("       ") != std::string::npos) continue;
        while (at < after_banner.size() && after_banner[at] != line) ++at;
        ASSERT_LT(at++, after_banner.size()) << "out of order: " << line;
      }
      // The user edits the file: a line of their own, or a copy of one of the program's.
      if (maker.Pick(2) == 0) {
        const bool copy = maker.Pick(2) == 0 && lines.size() > 19 + user.size();
        user.push_back(copy ? lines.back() : kUserLines[maker.Pick(kUserLines.size())]);
        text += user.back() + "\n";
      }
    }
  }
}

TEST(IpAddress, is_an_ipv4_or_ipv6_address_and_nothing_around_it) {
  for (const char* good : {"127.0.0.1", "::", "1::", "1:2:3:4:5:6:7:8", "::ffff:127.0.0.1", "FE80::A"})
    EXPECT_TRUE(IsIpAddress(good)) << good;
  for (const char* bad : {"", "localhost", " 127.0.0.1", "127.0.0", "127.0.0.1.1", "256.0.0.1", "127.0.0.01", ":1",
                          "1:", "1::2::3", "1:2:3:4:5:6:7:8:9", "1:2:3:4:5:6:7::8", "12345::1", "g::1", "fe80::1%eth0",
                          "1.2.3.4::", "::1.2.3", "1:2:3:4:5:6:7:1.2.3.4"})
    EXPECT_FALSE(IsIpAddress(bad)) << bad;
}

}  // namespace
