#include "app/startup_housekeeping.h"

#include <array>
#include <vector>

#include "app/list_backup.h"
#include "app/position_tidy.h"
#include "app/settings_sections.h"
#include "elements/files/dir.h"
#include "elements/strings/str_cat.h"
#include "runtime/do_data.h"
#include "runtime/global_var.h"
#include "runtime/gvar_container.h"
#include "runtime/hub.h"
#include "targets/aof/aof_startup_backup.h"
#include "targets/hosts/hosts_startup_backup.h"
#include "targets/kpf/kpf_startup_backup.h"
#include "targets/kwf/kwf_startup_backup.h"
#include "targets/target_catalog.h"

namespace {

// The folders below the program folder, created in this order, each with its missing parents:
// the targets' backup folders in the order hosts, Kerio Personal, Kerio Winroute, Outpost.
constexpr std::array<const char*, 8> kFolders{"Backup",
                                              "Logs",
                                              Info(TargetId::Hosts).backup->folder,
                                              Info(TargetId::Kpf).backup->folder,
                                              Info(TargetId::Kwf).backup->folder,
                                              Info(TargetId::Aof).backup->folder,
                                              "Backup\\Lists",
                                              "Lists"};

}  // namespace

StartupHousekeeping::StartupHousekeeping(TKXWin* parent) : TScheme(parent) {
  auto& steps = New<TKXHub>();
  std::vector<TEventLink> outputs;

  // Every section of "Veltra.ini" into its global variables.
  for (const auto& section : kSettingsSections) {
    auto& loader = New<TKXGVarContainer>();
    loader.FileName = kSettingsFile;
    loader.Section = section.section;
    loader.SetNames(section.variables);
    outputs.push_back(MakeLink<&TKXGVarContainer::doRead>(loader));
  }

  // The program folder, with its trailing separator, into VELTR_dir.
  auto& dir = New<TKXDir>();
  auto& program_dir = New<TKXGlobalVar>();
  program_dir.SetName("VELTR_dir");
  auto& read_dir = New<TKXDoData>();
  read_dir.dataData = MakeLink<&TKXDir::varProgramDir>(dir);
  read_dir.onEventData = MakeLink<&TKXGlobalVar::doValue>(program_dir);
  outputs.push_back(MakeLink<&TKXDoData::doData>(read_dir));

  // The folders.
  for (const char* folder : kFolders) {
    auto& path = New<TKXStrCat>();
    path.dataStr1 = MakeLink<&TKXGlobalVar::varValue>(program_dir);
    path.Str2 = folder;
    path.onStrCat = MakeLink<&TKXDir::doCreate>(dir);
    outputs.push_back(MakeLink<&TKXStrCat::doStrCat>(path));
  }

  // The targets' backups, the list backups and the position keys.
  auto run = [](TKXMultiElement& scheme, uint16_t input) { return MakeLink<&TKXMultiElement::doWork>(scheme, input); };
  outputs.push_back(run(NewScheme<HostsStartupBackup>(), TTargetStartupBackup::kDoBackup));
  outputs.push_back(run(NewScheme<KpfStartupBackup>(), TTargetStartupBackup::kDoBackup));
  outputs.push_back(run(NewScheme<KwfStartupBackup>(), TTargetStartupBackup::kDoBackup));
  outputs.push_back(run(NewScheme<AofStartupBackup>(), TTargetStartupBackup::kDoBackup));
  outputs.push_back(run(NewScheme<ListBackup>(), ListBackup::kDoBackup));
  outputs.push_back(run(NewScheme<PositionTidy>(), PositionTidy::kDoTidy));

  steps.SetCount(uint16_t(outputs.size()));
  for (size_t k = 0; k < outputs.size(); ++k) steps.onEvent[k] = outputs[k];

  Port.SetInputCount(kInputCount);
  Port.onInput[kDoStart] = MakeLink<&TKXHub::doEvent>(steps);
}
