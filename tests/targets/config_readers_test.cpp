// The four readers on awkward files: markers split over lines, LF-only and CR-only files,
// NUL bytes, a 10 MB line, files without markers; and the addresses and insertion lines
// the rules give for the cases users meet.
#include <functional>
#include <memory>

#include "elements/strlist/str_list.h"
#include "elements/strlist/records_view.h"
#include "targets/aof/aof_config.h"
#include "targets/aof/aof_config_reader.h"
#include "targets/hosts/hosts_file.h"
#include "targets/hosts/hosts_file_reader.h"
#include "targets/kpf/kpf_config.h"
#include "targets/kpf/kpf_config_reader.h"
#include "targets/kwf/kwf_config.h"
#include "targets/kwf/kwf_config_reader.h"
#include "tests/targets/target_fixture.h"

namespace {

using Lines = std::vector<std::string>;
constexpr int kNone = -1;

struct Case {
  const char* what;
  std::function<std::unique_ptr<TConfigScan>()> scan;
  std::string file;
  Lines addresses;
  int insert;  // kNone: no insertion line
};

template <class S>
std::function<std::unique_ptr<TConfigScan>()> Make() {
  return [] { return std::make_unique<S>(); };
}

const std::string kUrl = "<variable name=\"Url\">";
const std::string kUri = "<variable name=\"ServerPartUri\">";

std::string KwfFile(const std::string& eol) {
  return "<config>" + eol + "    " + kUrl + "above.example.com</variable>" + eol + "  <list name=\"UrlGroups\">" + eol +
         "    " + kUrl + "*.ads.example.com/*</variable>" + eol + "    " + kUrl + "*localhost*</variable>" + eol +
         "  </list>" + eol + "    " + kUrl + "below.example.com</variable>" + eol + "</config>" + eol;
}

const Case kCases[] = {
    // Kerio Winroute Firewall.
    {"kwf: only the group list counts", Make<TKwfScan>(), KwfFile("\r\n"), {"ads.example.com"}, 5},
    {"kwf: an LF-only file has its lines", Make<TKwfScan>(), KwfFile("\n"), {"ads.example.com"}, 5},
    {"kwf: a CR-only file has its lines", Make<TKwfScan>(), KwfFile("\r"), {"ads.example.com"}, 5},
    {"kwf: a marker split over two lines is no marker", Make<TKwfScan>(),
     "<list name=\"UrlGroups\"\n>\n" + kUrl + "a.example.com</variable>\n</list>\n", {}, kNone},
    {"kwf: a Url tag split over two lines is no address", Make<TKwfScan>(),
     "<list name=\"UrlGroups\">\n<variable name=\n\"Url\">a.example.com</variable>\n</list>\n", {}, 3},
    // The clean-up removes only the tags and the listed characters, so the other markup stays.
    {"kwf: the opening line's own address counts, and one line may close the list", Make<TKwfScan>(),
     "<list name=\"UrlGroups\">" + kUrl + "a.b</variable>\n" + kUrl + "c.d</variable></list>\nx\n",
     {"<list name=\"UrlGroups\">.a.b", "c.d.<list>"}, 1},
    {"kwf: without a closing line there is no insertion line", Make<TKwfScan>(),
     "<list name=\"UrlGroups\">\n" + kUrl + "a.b</variable>\n", {"a.b"}, kNone},
    {"kwf: a NUL byte ends the text", Make<TKwfScan>(),
     std::string("<list name=\"UrlGroups\">\n") + kUrl + "a.b</variable>\n" + std::string(1, '\0') + "</list>\n",
     {"a.b"}, kNone},
    {"kwf: no markers, no addresses", Make<TKwfScan>(), kUrl + "a.b</variable>\n</list>\n", {}, kNone},
    // Kerio Personal Firewall.
    {"kpf: both value forms read back as the record", Make<TKpfScan>(),
     "<list>\n  <listitem>\n    " + kUri + ".*\\ads.example\\.com*</variable>\n  </listitem>\n  <listitem>\n    " + kUri +
         "*127.0.0.1</variable>\n  </listitem>\n</list>\n",
     {"ads.example.com", "127.0.0.1"}, 7},
    {"kpf: a block of four lines is no entry; the last </list> is the insertion line", Make<TKpfScan>(),
     "<listitem>\n" + kUri + "a.b</variable>\n\n</listitem>\n</list>\n<listitem>\n" + kUri +
         "c.d</variable>\n</listitem>\n</list>\n",
     {"c.d"}, 8},
    {"kpf: an LF-only file with a NUL inside a block", Make<TKpfScan>(),
     "<listitem>\n" + kUri + "a.b</variable>\n</listitem>\n<listitem>\n" + kUri + "c." + std::string(1, '\0') +
         "d</variable>\n</listitem>\n</list>\n",
     {"a.b"}, kNone},
    {"kpf: a marker split over lines is no marker", Make<TKpfScan>(),
     "<list\nitem>\n" + kUri + "a.b</variable>\n</listitem>\n</li\nst>\n", {}, kNone},
    // Agnitum Outpost Firewall.
    {"aof: a site, a blank line, the next section", Make<TAofScan>(),
     "[Content\\Sites]\r\nads.example.com\r\n\r\n[Next]\r\nother.example.com\r\n", {"ads.example.com"}, 3},
    {"aof: without a next section entries go at the end", Make<TAofScan>(),
     "x=1\n  [Content\\Sites]  \n .ads.example.com. \nlocalhost\n\n", {"ads.example.com"}, 5},
    {"aof: a header split over lines is no header", Make<TAofScan>(), "[Content\\\nSites]\nads.example.com\n", {},
     kNone},
    {"aof: a NUL ends the section at the end of the text", Make<TAofScan>(),
     "[Content\\Sites]\na.b\n" + std::string(1, '\0') + "\n[Next]\n", {"a.b"}, 2},
    // Hosts.
    {"hosts: comments are dropped, mappings with a comment behind them hold their names", Make<THostsScan>(),
     "# Copyright\n127.0.0.1 localhost\n10.0.0.5 printer # office\n   # indented remark\n", {"localhost", "printer"},
     kNone},
    {"hosts: tabs separate as blanks do, and every name of a line counts", Make<THostsScan>(),
     "127.0.0.1\tlocalhost\n::1     localhost ip6-localhost ip6-loopback\n10.0.0.5\tprinter printer.lan#x\n",
     {"localhost", "localhost", "ip6-localhost", "ip6-loopback", "printer", "printer.lan"}, kNone},
    {"hosts: a line of one field, or of an address and a comment, holds no name", Make<THostsScan>(),
     "justone\n1.2.3.4 #\n\xEF\xBB\xBF", {}, kNone},
    {"hosts: a byte-order mark does not hide the first comment", Make<THostsScan>(),
     "\xEF\xBB\xBF# remark\r\n0.0.0.0 ads.example.com\r\n", {"ads.example.com"}, kNone},
};

using ConfigReaders = TargetTest;

TEST_F(ConfigReaders, give_the_addresses_and_insertion_line_of_each_case) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    auto scan = c.scan();
    ScanText(c.file, *scan);
    EXPECT_EQ(scan->addresses, c.addresses);
    EXPECT_EQ(scan->insert_line ? int(*scan->insert_line) : kNone, c.insert);
    // The same from the file, read in small chunks.
    Write("case.cfg", c.file);
    auto from_file = c.scan();
    Scan(TLineReader::File(dir_ + "case.cfg", 3), *from_file);
    EXPECT_EQ(from_file->addresses, c.addresses);
  }
}

TEST_F(ConfigReaders, a_kwf_list_opened_and_closed_on_one_line_has_no_room_for_entries) {
  TKwfScan scan;
  ScanText("<list name=\"UrlGroups\"></list>\n", scan);
  EXPECT_TRUE(scan.insert_line.has_value());
  EXPECT_FALSE(scan.CanInsert());
}

TEST_F(ConfigReaders, an_aof_header_with_a_blank_behind_it_is_read_but_not_imported) {
  TAofScan scan;
  ScanText("[Content\\Sites] \nads.example.com\n", scan);
  EXPECT_EQ(scan.addresses, Lines{"ads.example.com"});
  EXPECT_FALSE(scan.exact_header);
}

TEST_F(ConfigReaders, a_10_mb_line_inside_the_group_list_is_read_whole) {
  const std::string huge = "    " + kUrl + "*." + std::string(10 << 20, 'a') + ".example.com/*</variable>";
  Write("winroute.cfg", "<list name=\"UrlGroups\">\n" + huge + "\n</list>\n");
  TKwfScan scan;
  ScanFile(dir_ + "winroute.cfg", scan);
  ASSERT_EQ(scan.addresses.size(), 1u);
  EXPECT_EQ(scan.addresses[0].size(), (10u << 20) + 12);
  EXPECT_EQ(scan.insert_line, 2u);
}

// The reader schemes: what the exporters read through their points.
class ReaderSchemes : public TargetTest {
 public:
  template <class S>
  TKXMultiElement& BuildReader() { return Build<S>(); }
};

TEST_F(ReaderSchemes, report_addresses_lines_and_line_break_through_their_points) {
  struct Row {
    const char* variable;
    TKXMultiElement* reader;
    std::string file;
    Lines addresses;
    int insert, count;
    const char* line_break;
    Lines lines;
  };
  const Row rows[] = {
      {"winroute_cfg", &BuildReader<KwfConfigReader>(), KwfFile("\n"), {"ads.example.com"}, 5, 8, "\n", {}},
      {"update_cfg", &BuildReader<KpfConfigReader>(), "<listitem>\r\n" + kUri + "a.b</variable>\r\n</listitem>\r\n",
       {"a.b"}, -1, 3, "\r\n", {}},
      {"config_ini", &BuildReader<AofConfigReader>(), "[Content\\Sites]\ra.b\r", {"a.b"}, 2, 2, "\r", {}},
      // The hosts reader counts and gives its kept lines, trimmed.
      {"hosts", &BuildReader<HostsFileReader>(), "# x\n  127.0.0.1 localhost \n\n10.0.0.1 a.b # c\n",
       {"localhost", "a.b"}, -1, 2, "\n", {"127.0.0.1 localhost", "10.0.0.1 a.b # c"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.variable);
    Write("file.cfg", row.file);
    Set(row.variable, dir_ + "file.cfg");
    Events events;
    row.reader->SetEventCount(1);
    row.reader->onEvent[0] = MakeLink<&Events::doAddress>(events);
    Input(*row.reader, 0);
    EXPECT_EQ(events.addresses, row.addresses);
    TData insert, count, lines, line_break;
    row.reader->varData(insert, 0);
    row.reader->varData(count, 1);
    row.reader->varData(lines, 2);
    row.reader->varData(line_break, 3);
    EXPECT_EQ(AsInteger(insert), row.insert);
    EXPECT_EQ(AsInteger(count), row.count);
    EXPECT_EQ(AsText(line_break), row.line_break);
    const TRecordsView view(lines);
    if (!row.lines.empty()) {
      EXPECT_EQ(view.Records(), row.lines);
    }
    EXPECT_EQ(view.Records().size(), size_t(row.count));
  }
}

}  // namespace
