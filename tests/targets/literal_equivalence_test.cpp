// The importers and exporters give byte for byte what the step-by-step rules give, on many
// random small files full of the awkward cases: markers in odd places, mixed line breaks,
// doubles and case variants, NUL bytes, a byte-order mark, records the file already holds,
// records whose entries the reader would not find again.
#include <random>

#include "elements/strlist/str_list.h"
#include "runtime/platform/clock.h"
#include "targets/aof/aof_exporter.h"
#include "targets/aof/aof_importer.h"
#include "targets/hosts/hosts_exporter.h"
#include "targets/kpf/kpf_exporter.h"
#include "targets/kpf/kpf_importer.h"
#include "targets/kwf/kwf_exporter.h"
#include "targets/kwf/kwf_importer.h"
#include "tests/targets/literal.h"
#include "tests/targets/target_fixture.h"

namespace {

using literal::Lines;

struct Format {
  std::vector<const char*> lines;    // what a file is made of
  std::vector<const char*> records;  // what the page hands over
};

const Format kKwf{{"<?xml version=\"1.0\"?>", "<list name=\"UrlGroups\">", "  <list name=\"UrlGroups\">", "</list>",
                   " </list>", "  <listitem>", "  </listitem>", "    <variable name=\"Url\">*.ads.example.com/*</variable>",
                   "    <variable name=\"Url\">ads.example.com</variable>",
                   "    <variable name=\"Url\">Ads.example.com</variable>",
                   "    <variable name=\"Url\">localhost</variable>", "<variable name=\"Url\">(x).[y]?.z\\</variable>",
                   "<variable name=\"Url\"><variable name=\"Url\">a.b</variable>",
                   "    <variable name=\"Url\">new.example.com</variable></list>", "<list name=\"UrlGroups\"></list>",
                   "    <variable name=\"Name\">Ads/banners</variable>", "", "   ", "<list name=\"Other\">"},
                  {"ads.example.com", "Ads.example.com", "new.example.com", "x.y.z", "a.b", "", "localhost",
                   "site.org", "1.2.3.4", " ", "a.b</list>", "x.y\nz.w", "*.*"}};

const Format kKpf{{"<listitem>", "  <listitem>", "</listitem>", "  </listitem>",
                   "    <variable name=\"ServerPartUri\">.*\\ads.example\\.com*</variable>",
                   "<variable name=\"ServerPartUri\">*127.0.0.1</variable>",
                   "<variable name=\"ServerPartUri\">localhost</variable>", "<variable name=\"Other\">x.y</variable>",
                   "ServerPartUri a.b", "</list>", "<list>", "<listitem></listitem>", "", "x"},
                  {"ads.example.com", "127.0.0.1", "10.0.0.1", "host2", "localhost", "", "a.b", "x.y", ".", "a.",
                   "<listitem>a.b", "x.y\rz"}};

const Format kAof{{"[Content\\Sites]", " [Content\\Sites] ", "[Content\\Sites]x", "[Other]", "ads.example.com",
                   ".ads.example.com.", "localhost", "www.site.com", "", "  ", "a[b].c", "k=v", "[", "\t.x.y\t"},
                  {"ads.example.com", "site.com", "www.site.com", "x.y", "localhost", "", " ", "[x.y]", "x.y\n[z]"}};

const Format kHosts{{"127.0.0.1 localhost", "127.0.0.1\tlocalhost", "  0.0.0.0   ads.example.com  ", "# comment",
                     "   # indented comment", "10.0.0.5 printer # office", "10.0.0.5\tprinter printer.lan#x",
                     "::1 localhost ip6-localhost", "justone", "", "  ", "1.2.3.4 #", "#===",
                     "127.0.0.1       new.example.com"},
                    {"localhost", "ads.example.com", "printer", "printer.lan", "new.example.com", "site.org", "",
                     "ip6-localhost", "a b.c", "a.b#c", "#x.y", "x.y\nz.w"}};

class Random {
 public:
  explicit Random(uint32_t seed) : rng_(seed) {}
  size_t Pick(size_t n) { return std::uniform_int_distribution<size_t>(0, n - 1)(rng_); }

  // A file of pool lines with mixed breaks; now and then a byte-order mark, a NUL byte, no final break.
  std::string File(const Format& format) {
    static const char* const kBreaks[] = {"\r\n", "\r\n", "\n", "\n", "\r"};
    std::string text = Pick(10) == 0 ? "\xEF\xBB\xBF" : "";
    const size_t n = Pick(12);
    for (size_t i = 0; i < n; ++i) {
      text += format.lines[Pick(format.lines.size())];
      if (i + 1 < n || Pick(3) != 0) text += kBreaks[Pick(std::size(kBreaks))];
    }
    if (Pick(15) == 0) text.insert(Pick(text.size() + 1), std::string(1, '\0') + "tail\r\n");
    return text;
  }
  Lines Records(const Format& format) {
    Lines records(Pick(8));
    for (auto& r : records) r = format.records[Pick(format.records.size())];
    return records;
  }
  std::string Affix() {
    static const char* const kAffixes[] = {"", "", "*", "www.", "/*", "%1"};
    return kAffixes[Pick(std::size(kAffixes))];
  }

 private:
  std::mt19937 rng_;
};

class LiteralEquivalence : public TargetTest {
 protected:
  void SetUp() override {
    TargetTest::SetUp();
    platform::SetFixedTime(platform::LocalTime{2026, 12, 5, 6, 9, 53, 12});
  }
  void TearDown() override {
    platform::SetFixedTime(std::nullopt);
    TargetTest::TearDown();
  }

  // Runs the exporter on `file` (nothing: no file) in the mode given; what the target's file
  // holds afterwards, or the add-on file.
  std::string Export(TKXMultiElement& exporter, const char* path_variable, const char* program_variable,
                     const std::optional<std::string>& file, const Lines& records, bool direct) {
    std::filesystem::remove(dir_ + "target.cfg");
    std::filesystem::remove(dir_ + "addon.txt");
    if (file) Write("target.cfg", *file);
    Set(path_variable, dir_ + "target.cfg");
    Set(program_variable, direct ? "1" : "0");
    if (!direct) ui_.QueueSaveAnswer(dir_ + "addon.txt");
    Feed(exporter, records);
    Input(exporter, 2);
    return Read(direct ? "target.cfg" : "addon.txt");
  }

  std::vector<std::string> Import(TKXMultiElement& importer, const std::string& file, const Lines& known) {
    Write("picked.cfg", file);
    Events events;
    importer.SetEventCount(2);
    importer.onEvent[0] = MakeLink<&Events::doAddress>(events);
    importer.SetDataCount(1);
    // Known records both as a string list (read in place) and as a plain array (copied).
    TKXStrList list;
    KnownArray array;
    list.Lines() = known;
    array.items = known;
    importer.dataData[0] = known.size() % 2 ? MakeLink<&TKXStrList::varArray>(list) : MakeLink<&KnownArray::varKnown>(array);
    ui_.QueueOpenAnswer(dir_ + "picked.cfg");
    Input(importer, 0);
    return events.addresses;
  }

  Random random_{20261205};
};

// A direct write of `entries` at `insert` into the file's lines, or the file untouched.
std::string Inserted(const std::string& file, const std::optional<size_t>& insert, const Lines& entries) {
  if (file.find('\0') != std::string::npos || !insert) return file;
  Lines lines = literal::SplitAny(file);
  lines.insert(lines.begin() + std::ptrdiff_t(*insert), entries.begin(), entries.end());
  return literal::Join(lines, literal::Ending(file));
}

TEST_F(LiteralEquivalence, kerio_winroute_export_and_import_follow_the_rules) {
  auto& exporter = Build<KwfExporter>();
  auto& importer = Build<KwfImporter>();
  for (int trial = 0; trial < 1000; ++trial) {
    const std::string file = random_.File(kKwf);
    const Lines records = random_.Records(kKwf);
    const std::string begin = random_.Affix(), end = random_.Affix();
    Set("begin_kwfall", begin);
    Set("end_kwfall", end);
    Set("group_name", "Ads/banners");
    const literal::Extracted ex = literal::Kwf(literal::SplitAny(file));
    auto entry = [&](const std::string& r) {
      return Lines{"  <listitem>", "    <variable name=\"Enabled\">1</variable>",
                   "    <variable name=\"Description\">Veltrane</variable>",
                   "    <variable name=\"Name\">Ads/banners</variable>",
                   "    <variable name=\"Url\">" + begin + r + end + "</variable>", "  </listitem>"};
    };
    Lines entries;
    for (const auto& r : literal::Chosen(records, ex.addresses, [&](const std::string& r) {
           return literal::ReadBack(entry(r), "<list name=\"UrlGroups\">", "</list>", literal::Kwf);
         })) {
      const Lines lines = entry(r);
      entries.insert(entries.end(), lines.begin(), lines.end());
    }
    SCOPED_TRACE(::testing::PrintToString(file));
    ASSERT_EQ(Export(exporter, "winroute_cfg", "kwf_program", file, records, true), Inserted(file, ex.insert, entries));
    ASSERT_EQ(Export(exporter, "winroute_cfg", "kwf_program", file, records, false), literal::Join(entries, "\r\n"));
    const Lines known = random_.Records(kKwf);
    Lines expected = ex.addresses;
    literal::RemoveEveryEqual(expected, known);
    ASSERT_EQ(Import(importer, file, known), expected);
  }
}

TEST_F(LiteralEquivalence, kerio_personal_export_and_import_follow_the_rules) {
  auto& exporter = Build<KpfExporter>();
  auto& importer = Build<KpfImporter>();
  for (int trial = 0; trial < 1000; ++trial) {
    const std::string file = random_.File(kKpf);
    const Lines records = random_.Records(kKpf);
    const std::string begin = random_.Affix(), end = random_.Affix();
    Set("begin_kpfip", begin);
    Set("end_kpfip", end);
    const literal::Extracted ex = literal::Kpf(literal::SplitAny(file));
    auto entry = [&](const std::string& r) {
      std::string value;
      if (!r.empty() && r.back() >= '0' && r.back() <= '9') {
        value = begin + r + end;
      } else if (const size_t dot = r.rfind('.'); dot != std::string::npos) {
        value = ".*\\" + r.substr(0, dot) + "\\." + r.substr(dot + 1) + "*";
      } else {
        return Lines{};
      }
      return Lines{"  <listitem>", "    <variable name=\"ServerPartUri\">" + value + "</variable>", "  </listitem>"};
    };
    Lines entries;
    for (const auto& r : literal::Chosen(records, ex.addresses, [&](const std::string& r) {
           return literal::ReadBack(entry(r), "", "</list>", literal::Kpf);
         })) {
      const Lines lines = entry(r);
      entries.insert(entries.end(), lines.begin(), lines.end());
    }
    SCOPED_TRACE(::testing::PrintToString(file));
    ASSERT_EQ(Export(exporter, "update_cfg", "kpf_program", file, records, true), Inserted(file, ex.insert, entries));
    ASSERT_EQ(Export(exporter, "update_cfg", "kpf_program", file, records, false), literal::Join(entries, "\r\n"));
    const Lines known = random_.Records(kKpf);
    Lines expected = ex.addresses;
    literal::RemoveEveryEqual(expected, known);
    ASSERT_EQ(Import(importer, file, known), expected);
  }
}

TEST_F(LiteralEquivalence, outpost_export_and_import_follow_the_rules) {
  auto& exporter = Build<AofExporter>();
  auto& importer = Build<AofImporter>();
  for (int trial = 0; trial < 1000; ++trial) {
    const std::string file = random_.File(kAof);
    const Lines records = random_.Records(kAof);
    const std::string begin = random_.Affix();
    Set("begin_aofall", begin);
    const Lines lines = literal::SplitAny(file);
    const literal::Extracted ex = literal::Aof(lines, false);
    auto read = [](const Lines& l) { return literal::Aof(l, false); };
    Lines entries;
    for (const auto& r : literal::Chosen(records, ex.addresses, [&](const std::string& r) {
           return literal::ReadBack({begin + r}, "[Content\\Sites]", "[", read);
         }))
      entries.push_back(begin + r);
    Lines ct{"[BlockingSites]"};
    ct.insert(ct.end(), entries.begin(), entries.end());
    SCOPED_TRACE(::testing::PrintToString(file));
    ASSERT_EQ(Export(exporter, "config_ini", "aof_program", file, records, true), Inserted(file, ex.insert, entries));
    ASSERT_EQ(Export(exporter, "config_ini", "aof_program", file, records, false), literal::Join(ct, "\r\n"));
    const Lines known = random_.Records(kAof);
    Lines expected = literal::Aof(lines, true).addresses;
    literal::RemoveEveryEqual(expected, known);
    std::reverse(expected.begin(), expected.end());
    ASSERT_EQ(Import(importer, file, known), expected);
  }
}

TEST_F(LiteralEquivalence, hosts_export_follows_the_rules) {
  auto& exporter = Build<HostsExporter>();
  Set("ip", "127.0.0.1");
  for (int trial = 0; trial < 1000; ++trial) {
    const bool missing = random_.Pick(10) == 0;
    const std::string file = missing ? std::string() : random_.File(kHosts);
    const Lines records = random_.Records(kHosts);
    const literal::Hosts hosts = literal::HostsFile(literal::SplitAny(file));
    // A name is found again only as itself.
    auto read = [](const Lines& l) { return literal::Extracted{literal::HostsFile(l).names, std::nullopt}; };
    const Lines chosen = literal::Chosen(records, hosts.names, [&](const std::string& r) {
      std::optional<std::string> name = literal::ReadBack({"127.0.0.1       " + r}, "", "", read);
      return name == r ? name : std::nullopt;
    });
    Lines entries;
    for (const auto& r : chosen) entries.push_back("127.0.0.1       " + r);
    const std::string rule = "#" + std::string(63, '=');
    Lines written{rule,
                  "#",
                  "#" + std::string(16, ' ') + "-=Created with Veltrane=-",
                  "#",
                  "#",
                  "#" + std::string(18, ' ') + "Powered by www.veltrane.org",
                  "#",
                  "#" + std::string(31, ' ') + "URL:",
                  "#",
                  "#" + std::string(5, ' ') + "https://www.veltrane.org/support",
                  "#",
                  "#",
                  "#",
                  "#                    Number of URL Records: " + std::to_string(hosts.names.size() + chosen.size()),
                  "#",
                  "#" + std::string(27, ' ') + "05.12.2026",
                  "#",
                  rule,
                  ""};
    written.insert(written.end(), hosts.kept.begin(), hosts.kept.end());
    written.insert(written.end(), entries.begin(), entries.end());
    const std::string expected = file.find('\0') != std::string::npos ? file : literal::Join(written, literal::Ending(file));
    SCOPED_TRACE(::testing::PrintToString(file));
    const auto present = missing ? std::nullopt : std::optional<std::string>(file);
    ASSERT_EQ(Export(exporter, "hosts", "hosts_program", present, records, true), expected);
    ASSERT_EQ(Export(exporter, "hosts", "hosts_program", present, records, false), literal::Join(entries, "\r\n"));
  }
}

}  // namespace
