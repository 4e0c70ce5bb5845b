// What the exporters write for the DNS servers, judged by the grammar the side that writes
// with the system's permission judges it by (runtime/platform/resolver_file_grammar.h): a
// line the grammar does not know would make the helper refuse the program's own file.
#include <stdio.h>

#include "runtime/platform/resolver_file_grammar.h"
#include "targets/resolvers/resolver_exporter.h"
#include "tests/targets/target_fixture.h"

namespace {

using Records = std::vector<std::string>;
using platform::ResolverGrammar;

// The start of a hosts list as block lists publish them, its names as the program's lists
// hold them, and records the lists may hold that are no names a server blocks.
const Records kPublished = {"0.0.0.0 doubleclick.net",
                            "0.0.0.0 ad.doubleclick.net",
                            "0.0.0.0 pagead2.googlesyndication.com",
                            "0.0.0.0 www.google-analytics.com",
                            "0.0.0.0 ssl.google-analytics.com",
                            "0.0.0.0 adservice.google.com",
                            "0.0.0.0 securepubads.g.doubleclick.net",
                            "0.0.0.0 static.ads-twitter.com",
                            "0.0.0.0 ads.yahoo.com",
                            "0.0.0.0 analytics.tiktok.com",
                            "0.0.0.0 pixel.facebook.com",
                            "0.0.0.0 an.facebook.com",
                            "0.0.0.0 metrics.icloud.com",
                            "0.0.0.0 app-measurement.com",
                            "0.0.0.0 adsrvr.org",
                            "0.0.0.0 match.adsrvr.org",
                            "0.0.0.0 cdn.taboola.com",
                            "0.0.0.0 trc.taboola.com",
                            "0.0.0.0 widgets.outbrain.com",
                            "0.0.0.0 sb.scorecardresearch.com",
                            "0.0.0.0 b.scorecardresearch.com",
                            "0.0.0.0 c.amazon-adsystem.com",
                            "0.0.0.0 aax.amazon-adsystem.com",
                            "0.0.0.0 ib.adnxs.com",
                            "0.0.0.0 secure.adnxs.com",
                            "0.0.0.0 cm.g.doubleclick.net",
                            "0.0.0.0 tpc.googlesyndication.com",
                            "0.0.0.0 _dmarc.tracker.example.net",
                            "0.0.0.0 xn--80ak6aa92e.com"};
const Records kOthers = {"ADS.Example.COM",
                         "caf\xC3\xA9.fr",
                         "\xEF\xF0\xE8\xEC\xE5\xF0.\xF0\xF4",
                         "10.0.0.1",
                         "::1",
                         "localhost",
                         "a b.example.com",
                         "https://ads.example.com/banner?id=7",
                         "example.com.",
                         "",
                         "*.example.com",
                         std::string(63, 'a') + ".example.com",
                         std::string(64, 'a') + ".example.com",
                         std::string(63, 'a') + "." + std::string(63, 'b') + "." + std::string(63, 'c') + "." +
                             std::string(57, 'd') + ".com",
                         "bank.example/203.0.113.9",
                         "x.example\nconf-script=/tmp/x"};

// The names of the published list, and, where the generator of realistic lists beside the
// repository runs, twenty thousand of its lines too (upper case, repeats, co.uk and the like).
Records RealList() {
  Records records;
  for (const std::string& line : kPublished) records.push_back(line.substr(line.find(' ') + 1));
  records.insert(records.end(), kOthers.begin(), kOthers.end());
#if !defined(_WIN32) && defined(VELTRANE_DATA_DIR)
  if (FILE* generator = popen("awk -v N=20000 -f " VELTRANE_DATA_DIR "/gen_synth_domains.awk 2>/dev/null", "r")) {
    char line[512];
    while (fgets(line, sizeof line, generator)) {
      std::string record(line);
      while (!record.empty() && (record.back() == '\n' || record.back() == '\r')) record.pop_back();
      records.push_back(record);
    }
    pclose(generator);
  }
#endif
  return records;
}

class ResolverGrammarOfExports : public TargetTest {
 protected:
  std::string Export(TargetId id, const Records& records, const Records& never = {}) {
    TKXMultiElement* exporter = nullptr;
    switch (id) {
      case TargetId::Dnsmasq: exporter = &Build<DnsmasqExporter>(); break;
      case TargetId::Unbound: exporter = &Build<UnboundExporter>(); break;
      case TargetId::Rpz: exporter = &Build<RpzExporter>(); break;
      case TargetId::Adblock: exporter = &Build<AdblockExporter>(); break;
      default: exporter = &Build<DomainsExporter>(); break;
    }
    std::filesystem::remove(dir_ + "out");
    Set(Info(id).path_key, dir_ + "out");
    Set("resolvers_program", "1");
    Feed(*exporter, records, never);
    Input(*exporter, 2);
    return Read("out");
  }
};

// Lines of User_NO_BadList below the list's names, whole domains among them, and lines that
// are no names at all.
Records NeverLines(const Records& records) {
  Records never{"*.",
                "Site.COM",
                "*.caf\xC3\xA9.fr",
                "www.doubleclick.net",
                "*.ads.doubleclick.net",
                "a b.example.com",
                "*.x.example\nconf-script=/tmp/x",
                "10.0.0.1",
                "*.xn--80ak6aa92e.com"};
  for (size_t i = 0; i < records.size(); i += 97) never.push_back((i % 2 ? "www." : "*.in.") + records[i]);
  return never;
}

TEST_F(ResolverGrammarOfExports,
       every_server_format_written_from_a_real_list_fits_its_grammar_and_no_other_format_fits) {
  const Records records = RealList();
  const Records never = NeverLines(records);
  const struct {
    TargetId id;
    std::optional<ResolverGrammar> grammar;  // none: a format no server reads from its folder
  } formats[] = {{TargetId::Dnsmasq, ResolverGrammar::Dnsmasq},
                 {TargetId::Unbound, ResolverGrammar::Unbound},
                 {TargetId::Rpz, ResolverGrammar::Rpz},
                 {TargetId::Adblock, std::nullopt},
                 {TargetId::Domains, std::nullopt}};
  // Plain, with the exceptions of the never-block lines, and compressed too.
  const char* const kException[] = {"server=/www.doubleclick.net/#\n",
                                    "local-zone: \"www.doubleclick.net.\" transparent\n",
                                    "*.ads.doubleclick.net CNAME rpz-passthru.\n", "@@||www.doubleclick.net^\n"};
  for (int variant = 0; variant < 3; ++variant) {
    Set("compress", variant == 2 ? "1" : "0");
    for (size_t f = 0; f < std::size(formats); ++f) {
      SCOPED_TRACE(std::string(Info(formats[f].id).name) + " variant " + std::to_string(variant));
      const std::string file = Export(formats[f].id, records, variant > 0 ? never : Records{});
      ASSERT_GT(file.size(), 1000u);
      if (variant > 0 && f < std::size(kException)) {
        ASSERT_NE(file.find(kException[f]), std::string::npos);
      }
      for (ResolverGrammar grammar : {ResolverGrammar::Dnsmasq, ResolverGrammar::Unbound, ResolverGrammar::Rpz}) {
        const platform::GrammarVerdict verdict = platform::JudgeResolverFile(grammar, file);
        if (formats[f].grammar == grammar) {
          EXPECT_TRUE(verdict.Fits()) << "line " << verdict.line << ": " << verdict.why;
        } else {
          EXPECT_FALSE(verdict.Fits()) << "read as the grammar " << int(grammar);
        }
      }
    }
  }
  // An export of no names is a file of the format too.
  EXPECT_TRUE(platform::JudgeResolverFile(ResolverGrammar::Unbound, Export(TargetId::Unbound, {})).Fits());
  EXPECT_TRUE(platform::JudgeResolverFile(ResolverGrammar::Rpz, Export(TargetId::Rpz, {"10.0.0.1"})).Fits());
}

}  // namespace
