#include <cstring>
#include <filesystem>
#include <fstream>

#include "tests/faults/harness.h"

namespace {

// Where the numbers of each kind's records start, so that lists never share a record by chance.
constexpr size_t kPornoFrom = 40'000'000;
constexpr size_t kSmallListsFrom = 80'000'000;
constexpr size_t kBanListFrom = 120'000'000;
constexpr size_t kConfigFrom = 160'000'000;

// Distinct numbers give distinct names: multiplying by an odd number and adding a constant is
// a bijection on 32 bits, and seven letters hold 32 bits.
std::string HostName(size_t number) {
  uint32_t x = uint32_t(number) * 2654435761u + 0x5bd1e995u;
  std::string core;
  for (int k = 0; k < 7; ++k, x /= 26) core += char('a' + x % 26);
  static const char* const kSubs[] = {"", "www.", "ads.", "cdn.", "track.", "img."};
  static const char* const kTlds[] = {"com", "net", "org", "ru", "de", "info", "co.uk", "io"};
  return kSubs[number % 6] + core + "." + kTlds[(number / 6) % 8];
}

void Write(const std::string& path, const std::string& text) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream(path, std::ios::binary) << text;
}

// Numbers [from, from + count) as host names, one a line with CR LF, as the program writes.
std::string Records(size_t from, size_t count) {
  std::string text;
  for (size_t i = from; i < from + count; ++i) text += HostName(i) + "\r\n";
  return text;
}

// A list that a user filled by hand over the years: mixed case, out of order, some doubles.
std::string UntidyRecords(size_t from, size_t count) {
  std::string text;
  for (size_t i = count; i-- > 0;) {
    std::string name = HostName(from + i);
    if (i % 5 == 0) name[0] = char(name[0] - 'a' + 'A');
    text += name + "\r\n";
    if (i % 997 == 0) text += HostName(i % 7) + "\r\n";
  }
  return text;
}

void WriteSmallLists(const std::string& dir, std::initializer_list<const char*> names) {
  size_t from = kSmallListsFrom;
  for (const char* name : names) Write(dir + "Lists/" + name + ".txt", Records(from += 1000, 50));
}

// A hosts file of about `bytes` bytes as Linux keeps it: LF line ends, tabs, remarks.
std::string HostsFile(size_t bytes) {
  std::string text = "127.0.0.1\tlocalhost\n::1\tlocalhost ip6-localhost ip6-loopback\n";
  for (size_t i = kConfigFrom; text.size() < bytes; ++i) {
    if (i % 1000 == 0) text += "# block " + std::to_string(i / 1000) + "\n";
    text += "127.0.0.1       " + HostName(i) + "\n";
  }
  return text;
}

std::string KwfConfig(size_t bytes) {
  std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<config>\r\n  <list name=\"UrlGroups\">\r\n";
  for (size_t i = kConfigFrom; text.size() < bytes; ++i)
    text +=
        "    <listitem>\r\n      <variable name=\"Enabled\">1</variable>\r\n"
        "      <variable name=\"Description\">old</variable>\r\n"
        "      <variable name=\"Name\">Ads/banners</variable>\r\n      <variable name=\"Url\">*." +
        HostName(i) + "/*</variable>\r\n    </listitem>\r\n";
  return text + "  </list>\r\n  <list name=\"Other\">\r\n  </list>\r\n</config>\r\n";
}

// Old dated backups named in a target's log, one more than the two to keep and the new one.
void WriteOldBackups(const std::string& dir, const std::string& target, const std::string& name) {
  std::string log;
  for (int day = 1; day <= 3; ++day) {
    const std::string backup = name + ".0" + std::to_string(day) + "122026_101010";
    Write(dir + "Backup/" + target + "/" + backup, "backup of day " + std::to_string(day) + "\r\n");
    log += backup + "\r\n";
  }
  Write(dir + "Logs/" + target + ".log", log);
}

}  // namespace

std::vector<SaveKind> SaveKinds(size_t n, size_t config) {
  // A record moved beside the many records of Unsorted, and back.
  const auto unsorted_and_porno = [n](const std::string& dir) {
    Write(dir + "Veltra.ini", "[VELTR_Setting]\r\nsaveposition=1\r\n");
    Write(dir + "Lists/Unsorted.txt", Records(0, n));
    Write(dir + "Lists/Porno.txt", Records(kPornoFrom, n / 10 + 1));
    WriteSmallLists(dir, {"Misc", "Advertisement", "Viruses (and similar)", "User_BadList"});
  };
  return {
      {"move", "pick Unsorted (Edit Lists)\nclick Load from:\npick Porno\nselect 0 7\nclick >>>\nclose\n", false,
       unsorted_and_porno},
      {"move-back", "pick Unsorted (Edit Lists)\nclick Load from:\npick Porno\nselect 1 3\nclick <<<\nclose\n", false,
       unsorted_and_porno},

      {"ban-list", "pick URL Ban List (AUTO Load)\nanswer open in/banlist.txt\nclick Load from:\nclose\n", false,
       [n](const std::string& dir) {
         Write(dir + "Veltra.ini", "[VELTR_Setting]\r\nsaveposition=0\r\n");
         const size_t share = n / 5 + 1;  // the first five lists are the ban list's sections
         for (size_t i = 0; i < 5; ++i) Write(dir + "Lists/" + kLists[i].file_name, Records(i * share, share));
         WriteSmallLists(dir, {"User_BadList", "User_NO_BadList"});
         std::string text =
             "==================================\r\nCreated with Veltrane v2.0\r\n"
             "==================================\r\n\r\nList Prepared by: faults\r\n\r\n"
             "Number of URL records: 0\r\nDate: 05.12.2026\r\n\r\n\r\n\r\n\r\n\r\n";
         // Each section: new records, records that leave Unsorted (the fourth) for it, and one a list holds already.
         const size_t fresh = n / 25 + 1, leaving = n / 50 + 1;
         for (size_t i = 0; i < 5; ++i) {
           text += "[" + std::string(kLists[i].name) + "]\r\n" + Records(kBanListFrom + i * fresh, fresh);
           if (i != 3) text += Records(3 * share + i * leaving, leaving);
           text += Records(share + i, 1);
         }
         Write(dir + "in/banlist.txt", text);
       }},

      // The start-up correction of seven untidy lists and the doubles report.
      {"correction", "answer message 7\nclose\n", true,
       [n](const std::string& dir) {
         Write(dir + "Veltra.ini", "[VELTR_Setting]\r\nlow=1\r\ndouble=1\r\n");
         const size_t share = n / kListCount + 1;
         for (size_t i = 0; i < kListCount; ++i)
           Write(dir + "Lists/" + kLists[i].file_name, UntidyRecords(i * share, share));
       }},

      {"hosts-direct", "tab Export URL\nclick \"To Programm\"\nclick \"Hosts\"\nclose\n", false,
       [n, config](const std::string& dir) {
         Write(dir + "Veltra.ini",
               "[VELTR_Setting]\r\np_hosts=1\r\n[Hosts]\r\nhosts=etc\\hosts\r\nIP=127.0.0.1\r\n"
               "hosts_back=3\r\n[BanList]\r\ngen_advert=1\r\ngen_misc=1\r\n");
         Write(dir + "etc/hosts", HostsFile(config));
         Write(dir + "etc/hosts.old", "127.0.0.1\tlocalhost\n");
         Write(dir + "Lists/Advertisement.txt", Records(kPornoFrom, n / 100 + 1));
         Write(dir + "Lists/Misc.txt", Records(kConfigFrom, n / 100 + 1));  // known to the file
       }},

      {"kwf-direct", "tab Export URL\nclick \"To Programm\"\nclick \"Kerio Winroute Firewall\"\nclose\n", false,
       [n, config](const std::string& dir) {
         Write(dir + "Veltra.ini",
               "[VELTR_Setting]\r\np_kwf=1\r\n[KWF]\r\nwinroute_cfg=kerio\\winroute.cfg\r\n"
               "begin_kwfall=*\r\nend_kwfall=*\r\ngroup_name=Ads/banners\r\nkwf_back=3\r\n"
               "[BanList]\r\ngen_advert=1\r\ngen_porno=1\r\n");
         Write(dir + "kerio/winroute.cfg", KwfConfig(config));
         Write(dir + "kerio/winroute.cfg.old", "<config>\r\n");
         Write(dir + "Lists/Advertisement.txt", Records(kPornoFrom, n / 100 + 1));
         Write(dir + "Lists/Porno.txt", Records(kConfigFrom, n / 100 + 1));
       }},

      // The start-up backups of the seven lists and the four targets' files, old backups pruned.
      {"backups", "close\n", false,
       [n, config](const std::string& dir) {
         Write(dir + "Veltra.ini",
               "[VELTR_Setting]\r\np_hosts=1\r\np_kpf=1\r\np_kwf=1\r\np_aof=1\r\n"
               "[Hosts]\r\nhosts=etc\\hosts\r\nhosts_back=2\r\n[KPF]\r\nupdate_cfg=kerio\\update.cfg\r\nkpf_back=2\r\n"
               "[KWF]\r\nwinroute_cfg=kerio\\winroute.cfg\r\nkwf_back=2\r\n"
               "[AOF]\r\nconfig_ini=outpost\\outpost.ini\r\naof_back=2\r\n");
         Write(dir + "Lists/Unsorted.txt", Records(0, n));
         WriteSmallLists(
             dir, {"Misc", "Porno", "Advertisement", "Viruses (and similar)", "User_BadList", "User_NO_BadList"});
         for (const char* name : {"Unsorted", "Misc", "Porno"}) Write(dir + "Backup/Lists/" + name + ".bak", "old\r\n");
         const std::pair<const char*, const char*> targets[] = {{"etc/hosts", "Hosts"},
                                                                {"kerio/update.cfg", "KPF"},
                                                                {"kerio/winroute.cfg", "KWF"},
                                                                {"outpost/outpost.ini", "AOF"}};
         for (const auto& [file, target] : targets) {
           Write(dir + file, HostsFile(config / 8));  // a backup copies a file whatever it holds
           Write(dir + file + ".old", "as it was\r\n");
           WriteOldBackups(dir, target, std::strchr(file, '/') + 1);
         }
       }},
  };
}
