// The targets: their names, settings, files, dialogs and backups, defined once for every
// scheme that addresses a target (its exporter, settings panel and start-up backup, the
// generate page, the mode switch, the start-up folders and the command line). Adding a
// target touches this table and its own folder.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

// The four firewall-style targets, in the order of the generate page's buttons, then the
// five resolver formats, in the order of its "Format" box.
enum class TargetId : size_t { Hosts, Aof, Kpf, Kwf, Dnsmasq, Unbound, Rpz, Adblock, Domains };
inline constexpr size_t kTargetCount = 9;

struct TTargetBackup {
  const char* folder;     // dated copies, below the program folder: "Backup\KWF"
  const char* log;        // their names, oldest first, below the program folder: "Logs\KWF.log"
  const char* count_key;  // how many dated copies to keep: "kwf_back"
  // The first words when the file is not found at start; "%1" stands for the file's name,
  // the target's usual one ("winroute.cfg") unless the user chose another.
  const char* not_found;
};

struct TTargetInfo {
  const char* name;              // on the command line: "kwf"
  const char* title;             // in messages and captions: "Kerio Winroute Firewall"
  const char* section;           // of "Veltra.ini"
  const char* path_key;          // the key, and the global variable, naming the target's file
  const char* switch_key;        // "p_kwf" in "VELTR_Setting": 1 when a file is set; nullptr: none
  const char* program_variable;  // 1 selects the direct write into the file
  const char* find_filter;       // the settings panel's "Find"
  const char* find_title;
  const char* add_on_filter;  // the file the modes "NEW To File" and "ALL To File" ask for
  const char* add_on_title;
  std::optional<TTargetBackup> backup;  // the start-up backup, for the files of other programs
};

inline constexpr const char* kResolversSection = "Resolvers";
inline constexpr const char* kResolversProgram = "resolvers_program";

inline constexpr std::array<TTargetInfo, kTargetCount> kTargets{{
    {"hosts", "Hosts", "Hosts", "hosts", "p_hosts", "hosts_program", "Hosts|hosts", "Find Hosts File",
     "Add on to Hosts|*.txt", "Save File",
     // The folder as start-up makes it, "Backup\Hosts": a file system that tells case apart
     // would otherwise see a different, missing folder.
     TTargetBackup{"Backup\\Hosts", "Logs\\Hosts.log", "hosts_back", "File '%1' not found!"}},
    {"aof", "Agnitum Outpost Firewall", "AOF", "config_ini", "p_aof", "aof_program",
     "Agnitum Outpost Firewall Configuration File|*.ini", "Find Agnitum Outpost Firewall Configuration File",
     "Agnitum Outpost Firewall - Blocking Sites File|*.ct", "Save Blocking Sites File",
     TTargetBackup{"Backup\\AOF", "Logs\\AOF.log", "aof_back", "Outpost 'configuration file' not found!"}},
    {"kpf", "Kerio Personal Firewall", "KPF", "update_cfg", "p_kpf", "kpf_program",
     "Kerio Personal Firewall Configuration File|update*.cfg", "Find Kerio Personal Firewall Configuration File",
     "Add on to Kerio Personal Firewall|*.txt", "Save File",
     TTargetBackup{"Backup\\KPF", "Logs\\KPF.log", "kpf_back", "File '%1' not found!"}},
    {"kwf", "Kerio Winroute Firewall", "KWF", "winroute_cfg", "p_kwf", "kwf_program",
     "Kerio Winroute Firewall Configuration File|winroute*.cfg", "Find Kerio Winroute Firewall Configuration File",
     "Add on to Kerio Winroute Firewall|*.txt", "Save File",
     TTargetBackup{"Backup\\KWF", "Logs\\KWF.log", "kwf_back", "File '%1' not found!"}},
    // The resolver formats are files the program owns and makes whole at every export:
    // nothing of another program's to back up.
    {"dnsmasq", "dnsmasq", kResolversSection, "dnsmasq", nullptr, kResolversProgram,
     "dnsmasq Configuration File|*.conf|All Files|*.*", "Find dnsmasq File", "dnsmasq Configuration File|*.conf",
     "Save File", std::nullopt},
    {"unbound", "Unbound", kResolversSection, "unbound", nullptr, kResolversProgram,
     "Unbound Configuration File|*.conf|All Files|*.*", "Find Unbound File", "Unbound Configuration File|*.conf",
     "Save File", std::nullopt},
    {"rpz", "Response Policy Zone", kResolversSection, "rpz", nullptr, kResolversProgram,
     "Zone File|*.zone;*.rpz;*.db|All Files|*.*", "Find Response Policy Zone File", "Zone File|*.zone;*.rpz;*.db",
     "Save File", std::nullopt},
    {"adblock", "Adblock-style List", kResolversSection, "adblock", nullptr, kResolversProgram,
     "Adblock-style List|*.txt|All Files|*.*", "Find Adblock-style List", "Adblock-style List|*.txt", "Save File",
     std::nullopt},
    {"domains", "Domain List", kResolversSection, "domains", nullptr, kResolversProgram,
     "Domain List|*.txt|All Files|*.*", "Find Domain List", "Domain List|*.txt", "Save File", std::nullopt},
}};

constexpr const TTargetInfo& Info(TargetId id) { return kTargets[static_cast<size_t>(id)]; }

// The four targets of the generate page's buttons, and the five formats of its "Format" box.
inline constexpr std::array<TargetId, 4> kFirewallTargets{TargetId::Hosts, TargetId::Aof, TargetId::Kpf, TargetId::Kwf};
inline constexpr std::array<TargetId, 5> kResolverFormats{TargetId::Dnsmasq, TargetId::Unbound, TargetId::Rpz,
                                                          TargetId::Adblock, TargetId::Domains};

// The target a command line names ("kwf"), if any.
constexpr std::optional<TargetId> TargetNamed(std::string_view name) {
  for (size_t i = 0; i < kTargetCount; ++i)
    if (name == kTargets[i].name) return TargetId(i);
  return std::nullopt;
}
