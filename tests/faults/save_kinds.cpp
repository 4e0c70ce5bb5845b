#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "tests/faults/harness.h"

namespace {

// Distinct host names in a fixed order: each number gives its own name.
std::string HostName(size_t number) {
  // Multiplying by an odd number and adding a constant is a bijection on 32 bits, so distinct
  // numbers give distinct cores.
  uint32_t x = uint32_t(number) * 2654435761u + 0x5bd1e995u;
  std::string core;
  for (int k = 0; k < 7; ++k, x /= 26) core += char('a' + x % 26);
  static const char* const kSubs[] = {"", "www.", "ads.", "cdn.", "track.", "img."};
  static const char* const kTlds[] = {"com", "net", "org", "ru", "de", "info", "co.uk", "io"};
  return kSubs[number % 6] + core + "." + kTlds[(number / 6) % 8];
}

// Every file is written as one piece of text with CR LF line ends, as the program writes.
class TextFile {
 public:
  explicit TextFile(const std::string& path) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    out_.open(path, std::ios::binary | std::ios::trunc);
  }
  TextFile& Line(const std::string& line, const char* end = "\r\n") {
    out_ << line << end;
    written_ += line.size() + std::char_traits<char>::length(end);
    return *this;
  }
  size_t Written() const { return written_; }

 private:
  std::ofstream out_;
  size_t written_ = 0;
};

// Numbers [from, from + count) as host names, one a line.
void WriteRecords(const std::string& path, size_t from, size_t count) {
  TextFile file(path);
  for (size_t i = from; i < from + count; ++i) file.Line(HostName(i));
}

// A list that a user filled by hand over the years: mixed case, out of order, some doubles.
void WriteUntidyRecords(const std::string& path, size_t from, size_t count) {
  TextFile file(path);
  for (size_t i = count; i-- > 0;) {
    std::string name = HostName(from + i);
    if (i % 5 == 0) name[0] = char(name[0] - 'a' + 'A');
    file.Line(name);
    if (i % 997 == 0) file.Line(HostName(i % 7));
  }
}

std::string ListPath(const std::string& dir, size_t list) { return dir + "Lists/" + kLists[list].name + ".txt"; }

void WriteIni(const std::string& dir, const std::string& text) { TextFile(dir + "Veltra.ini").Line(text, ""); }

// A hosts file of about `bytes` bytes as Linux keeps it: LF line ends, tabs, remarks.
void WriteHostsFile(const std::string& path, size_t bytes, size_t first_name) {
  TextFile file(path);
  file.Line("127.0.0.1\tlocalhost", "\n").Line("::1\tlocalhost ip6-localhost ip6-loopback", "\n");
  for (size_t i = first_name; file.Written() < bytes; ++i) {
    if (i % 1000 == 0) file.Line("# block " + std::to_string(i / 1000), "\n");
    file.Line("127.0.0.1       " + HostName(i), "\n");
  }
}

void WriteKwfConfig(const std::string& path, size_t bytes, size_t first_name) {
  TextFile file(path);
  file.Line("<?xml version=\"1.0\" encoding=\"utf-8\"?>").Line("<config>").Line("  <list name=\"UrlGroups\">");
  for (size_t i = first_name; file.Written() < bytes; ++i) {
    file.Line("    <listitem>")
        .Line("      <variable name=\"Enabled\">1</variable>")
        .Line("      <variable name=\"Description\">old</variable>")
        .Line("      <variable name=\"Name\">Ads/banners</variable>")
        .Line("      <variable name=\"Url\">*." + HostName(i) + "/*</variable>")
        .Line("    </listitem>");
  }
  file.Line("  </list>").Line("  <list name=\"Other\">").Line("  </list>").Line("</config>");
}

// Old dated backups named in a target's log, one more than the two to keep and the new one.
void WriteOldBackups(const std::string& dir, const std::string& target, const std::string& name) {
  TextFile entries(dir + "Logs/" + target + ".log");
  for (int day = 1; day <= 3; ++day) {
    const std::string backup = name + ".0" + std::to_string(day) + "122026_101010";
    TextFile(dir + "Backup/" + target + "/" + backup).Line("backup of day " + std::to_string(day));
    entries.Line(backup);
  }
}

// Where the numbers of each kind's records start, so that lists never share a record by chance.
constexpr size_t kUnsortedFrom = 0;
constexpr size_t kPornoFrom = 40'000'000;
constexpr size_t kSmallListsFrom = 80'000'000;
constexpr size_t kBanListFrom = 120'000'000;
constexpr size_t kConfigFrom = 160'000'000;

void WriteSmallLists(const std::string& dir, std::initializer_list<const char*> names) {
  size_t from = kSmallListsFrom;
  for (const char* name : names) {
    WriteRecords(dir + "Lists/" + name + ".txt", from, 50);
    from += 1000;
  }
}

}  // namespace

std::vector<SaveKind> SaveKinds(size_t n, size_t config) {
  std::vector<SaveKind> kinds;

  kinds.push_back({"move", "a record moved from Unsorted (" + std::to_string(n) + " records) into Porno",
                   "pick Unsorted (Edit Lists)\nclick Load from:\npick Porno\nselect 0 7\nclick >>>\nclose\n", false,
                   [n](const std::string& dir) {
                     WriteIni(dir, "[VELTR_Setting]\r\nsaveposition=1\r\n");
                     WriteRecords(dir + "Lists/Unsorted.txt", kUnsortedFrom, n);
                     WriteRecords(dir + "Lists/Porno.txt", kPornoFrom, n / 10 + 1);
                     WriteSmallLists(dir, {"Misc", "Advertisement", "Viruses (and similar)", "User_BadList"});
                   }});

  kinds.push_back({"move-back", "a record moved from Porno back into Unsorted (" + std::to_string(n) + " records)",
                   "pick Unsorted (Edit Lists)\nclick Load from:\npick Porno\nselect 1 3\nclick <<<\nclose\n", false,
                   [n](const std::string& dir) {
                     WriteIni(dir, "[VELTR_Setting]\r\nsaveposition=1\r\n");
                     WriteRecords(dir + "Lists/Unsorted.txt", kUnsortedFrom, n);
                     WriteRecords(dir + "Lists/Porno.txt", kPornoFrom, n / 10 + 1);
                   }});

  kinds.push_back(
      {"ban-list", "a ban list of " + std::to_string(n / 5) + " records merged into seven lists",
       "pick URL Ban List (AUTO Load)\nanswer open in/banlist.txt\nclick Load from:\nclose\n", false,
       [n](const std::string& dir) {
         WriteIni(dir, "[VELTR_Setting]\r\nsaveposition=0\r\n");
         const size_t share = n / 5 + 1;  // the first five lists are the ban list's sections
         for (size_t i = 0; i < 5; ++i) WriteRecords(ListPath(dir, i), kUnsortedFrom + i * share, share);
         WriteSmallLists(dir, {"User_BadList", "User_NO_BadList"});
         // Each section: new records, records that leave Unsorted for it, and records a list holds already.
         TextFile file(dir + "in/banlist.txt");
         file.Line("==================================").Line("Created with Veltrane v2.0");
         file.Line("==================================").Line("").Line("List Prepared by: faults").Line("");
         file.Line("Number of URL records: 0").Line("Date: 05.12.2026").Line("").Line("").Line("").Line("").Line("");
         const size_t fresh = n / 25 + 1, leaving = n / 50 + 1;
         for (size_t i = 0; i < 5; ++i) {
           file.Line("[" + std::string(kLists[i].name) + "]");
           for (size_t k = 0; k < fresh; ++k) file.Line(HostName(kBanListFrom + i * fresh + k));
           for (size_t k = 0; k < leaving && i != 3; ++k)
             file.Line(HostName(kUnsortedFrom + 3 * share + i * leaving + k));
           file.Line(HostName(kUnsortedFrom + 1 * share + i));
         }
       }});

  kinds.push_back(
      {"correction",
       "the start-up correction of seven untidy lists (" + std::to_string(n) + " records) and the doubles report",
       "answer message 7\nclose\n", true, [n](const std::string& dir) {
         WriteIni(dir, "[VELTR_Setting]\r\nlow=1\r\ndouble=1\r\n");
         const size_t share = n / kListCount + 1;
         for (size_t i = 0; i < kListCount; ++i) WriteUntidyRecords(ListPath(dir, i), i * share, share);
       }});

  kinds.push_back({"hosts-direct", "a direct write into a hosts file of " + std::to_string(config >> 20) + " MiB",
                   "tab Export URL\nclick \"To Programm\"\nclick \"Hosts\"\nclose\n", false,
                   [n, config](const std::string& dir) {
                     WriteIni(dir,
                              "[VELTR_Setting]\r\np_hosts=1\r\n[Hosts]\r\nhosts=etc\\hosts\r\nIP=127.0.0.1\r\n"
                              "hosts_back=3\r\n[BanList]\r\ngen_advert=1\r\ngen_misc=1\r\n");
                     WriteHostsFile(dir + "etc/hosts", config, kConfigFrom);
                     TextFile(dir + "etc/hosts.old").Line("127.0.0.1\tlocalhost", "\n");
                     WriteRecords(dir + "Lists/Advertisement.txt", kPornoFrom, n / 100 + 1);
                     WriteRecords(dir + "Lists/Misc.txt", kConfigFrom, n / 100 + 1);  // known to the file
                   }});

  kinds.push_back({"kwf-direct",
                   "a direct write into a Kerio Winroute Firewall file of " + std::to_string(config >> 20) + " MiB",
                   "tab Export URL\nclick \"To Programm\"\nclick \"Kerio Winroute Firewall\"\nclose\n", false,
                   [n, config](const std::string& dir) {
                     WriteIni(dir,
                              "[VELTR_Setting]\r\np_kwf=1\r\n[KWF]\r\nwinroute_cfg=kerio\\winroute.cfg\r\n"
                              "begin_kwfall=*\r\nend_kwfall=*\r\ngroup_name=Ads/banners\r\nkwf_back=3\r\n"
                              "[BanList]\r\ngen_advert=1\r\ngen_porno=1\r\n");
                     WriteKwfConfig(dir + "kerio/winroute.cfg", config, kConfigFrom);
                     TextFile(dir + "kerio/winroute.cfg.old").Line("<config>");
                     WriteRecords(dir + "Lists/Advertisement.txt", kPornoFrom, n / 100 + 1);
                     WriteRecords(dir + "Lists/Porno.txt", kConfigFrom, n / 100 + 1);
                   }});

  kinds.push_back(
      {"backups",
       "the start-up backups: seven lists (" + std::to_string(n) +
           " records in Unsorted) and four targets' files, with old backups pruned",
       "close\n", false, [n, config](const std::string& dir) {
         WriteIni(
             dir,
             "[VELTR_Setting]\r\np_hosts=1\r\np_kpf=1\r\np_kwf=1\r\np_aof=1\r\n"
             "[Hosts]\r\nhosts=etc\\hosts\r\nhosts_back=2\r\n[KPF]\r\nupdate_cfg=kerio\\update.cfg\r\nkpf_back=2\r\n"
             "[KWF]\r\nwinroute_cfg=kerio\\winroute.cfg\r\nkwf_back=2\r\n"
             "[AOF]\r\nconfig_ini=outpost\\outpost.ini\r\naof_back=2\r\n");
         WriteRecords(dir + "Lists/Unsorted.txt", kUnsortedFrom, n);
         WriteSmallLists(
             dir, {"Misc", "Porno", "Advertisement", "Viruses (and similar)", "User_BadList", "User_NO_BadList"});
         for (const char* name : {"Unsorted", "Misc", "Porno"})
           TextFile(dir + "Backup/Lists/" + name + ".bak").Line("old");
         const std::pair<const char*, const char*> targets[] = {{"etc/hosts", "Hosts"},
                                                                {"kerio/update.cfg", "KPF"},
                                                                {"kerio/winroute.cfg", "KWF"},
                                                                {"outpost/outpost.ini", "AOF"}};
         for (const auto& [file, target] : targets) {
           WriteHostsFile(dir + file, config / 8, kConfigFrom);  // a backup copies a file whatever it holds
           TextFile(dir + file + ".old").Line("as it was");
           WriteOldBackups(dir, target, std::strchr(file, '/') + 1);
         }
       }});
  return kinds;
}
