#include "app/export_command.h"

#include "app/settings_reload.h"
#include "elements/files/dir.h"
#include "elements/strings/if_else.h"
#include "lists/generate_page.h"
#include "runtime/global_registry.h"
#include "runtime/global_var.h"
#include "runtime/platform/files.h"
#include "runtime/platform/folder_lock.h"
#include "runtime/scheme.h"
#include "targets/aof/aof_startup_backup.h"
#include "targets/common/target_messages.h"
#include "targets/hosts/hosts_startup_backup.h"
#include "targets/kpf/kpf_startup_backup.h"
#include "targets/kwf/kwf_startup_backup.h"
#include "targets/target_catalog.h"
#include "widgets/forwarding_backend.h"
#include "widgets/user_action.h"

namespace {

std::string Variable(const char* name) {
  TKXGlobalVar variable;
  variable.SetName(name);
  return AsText(variable.Value());
}

// Why the target cannot be written without a window, or nothing: as on the page, a target
// is on when its switch is 1 (its file saved on page "Setting"), a format when its path is.
std::string NotSetUp(const std::string& target) {
  if (target == "banlist")
    return Variable("file").empty() ? "No file is set for the ban list (\"Create File:\" on page \"Setting\", panel "
                                      "\"BanList\")." +
                                          std::string(kNothingWritten)
                                    : "";
  const TTargetInfo& info = Info(*TargetNamed(target));
  const bool on = info.switch_key ? IsOne(MakeText(Variable(info.switch_key))) : Variable(info.path_key).size() > 1;
  return on ? "" : NoFileSetMessage(info.title);
}

// Stands in front of the window system while the export runs and notes whether it showed
// a failure (an error box), asked for a file or opened a document, which the mode "To
// Programm" never does: then nothing was written.
class FailureWatch : public widgets::ForwardingBackend {
 public:
  explicit FailureWatch(widgets::Backend& backend) : ForwardingBackend(backend), backend_(backend) {
    widgets::SetCurrentBackend(this);
  }
  ~FailureWatch() override { widgets::SetCurrentBackend(&backend_); }
  FailureWatch(const FailureWatch&) = delete;
  FailureWatch& operator=(const FailureWatch&) = delete;

  bool Failed() const { return failed_; }

  std::optional<widgets::FileDialogAnswer> RunFileDialog(const widgets::FileDialogRequest& request) override {
    failed_ = true;
    return ForwardingBackend::RunFileDialog(request);
  }
  widgets::MessageAnswer ShowMessageBox(widgets::ControlId owner, const std::string& text, const std::string& caption,
                                        widgets::MessageButtons buttons, widgets::MessageIcon icon) override {
    if (icon == widgets::MessageIcon::Error) failed_ = true;
    return ForwardingBackend::ShowMessageBox(owner, text, caption, buttons, icon);
  }
  void OpenDocument(const std::string& target) override {
    failed_ = true;
    ForwardingBackend::OpenDocument(target);
  }

 private:
  widgets::Backend& backend_;
  bool failed_ = false;
};

// The keys of the categories' boxes on page "Export URL", in their order.
constexpr const char* kCategoryKeys[] = {"gen_advert", "gen_misc", "gen_porno", "gen_unsorted", "gen_virus"};

bool AnyCategoryChecked() {
  for (const char* key : kCategoryKeys)
    if (IsOne(MakeText(Variable(key)))) return true;
  return false;
}

constexpr const char* kNoCategoryMessage =
    "No category is checked for export (the boxes on page \"Export URL\", the keys gen_advert, gen_misc, "
    "gen_porno, gen_unsorted and gen_virus of \"Veltra.ini\"): the export would hold User_BadList alone.";

// The lines an export sends out, one per written file.
class SummaryPrinter : public TKXObject {
 public:
  explicit SummaryPrinter(std::ostream& out) : out_(out) {}
  void doText(TData& value, uint16_t) { out_ << AsText(value) << "\n" << std::flush; }

 private:
  std::ostream& out_;
};

std::string NoListsMessage(const std::string& lists) {
  return "There is no folder '" + platform::NativePath(lists) +
         "': this program folder holds no lists to export (--dir names another)." + std::string(kNothingWritten);
}

// The first time the program writes a firewall's file or the hosts file, it keeps the file as
// it was beside it ("hosts.old"), with its first dated backup, as a start of the window does.
void KeepFirstCopy(TargetId id, const std::string& program_dir) {
  const TTargetInfo& info = Info(id);
  if (!info.backup) return;
  CreateFolderChain(program_dir + info.backup->folder);
  CreateFolderChain(program_dir + "Logs");
  TKXMultiElement backup;
  switch (id) {
    case TargetId::Hosts: backup.SetScheme<HostsStartupBackup>(); break;
    case TargetId::Aof: backup.SetScheme<AofStartupBackup>(); break;
    case TargetId::Kpf: backup.SetScheme<KpfStartupBackup>(); break;
    case TargetId::Kwf: backup.SetScheme<KwfStartupBackup>(); break;
    default: return;
  }
  TData none;
  backup.doWork(none, TTargetStartupBackup::kDoFirstBackup);
}

}  // namespace

int RunExport(const std::string& target, widgets::Backend& backend, std::ostream& summaries) {
  // The settings, the lists, the backups and the target's file, all as they are at one time.
  const platform::FolderLock lock("veltrane --export");
  if (!lock.Held()) {
    backend.ShowMessageBox(widgets::kNoControl, FolderLockedMessage(lock.Why()), kSaveFailureCaption,
                           widgets::MessageButtons::Ok, widgets::MessageIcon::Error);
    return 1;
  }
  TData none;
  // The settings, and the program folder the lists are read from.
  TKXMultiElement settings;
  settings.SetScheme<SettingsReload>();
  settings.doWork(none, SettingsReload::kDoReload);
  TKXDir dir;
  TData program_dir;
  dir.varProgramDir(program_dir, 0);
  TKXGlobalVar veltr_dir;
  veltr_dir.SetName("VELTR_dir");
  veltr_dir.SetValue(program_dir);

  FailureWatch watch(backend);
  const std::string not_set_up = NotSetUp(target);
  if (!not_set_up.empty()) {
    backend.ShowMessageBox(widgets::kNoControl, not_set_up, kSaveFailureCaption, widgets::MessageButtons::Ok,
                           widgets::MessageIcon::Error);
    return 1;
  }
  if (!AnyCategoryChecked()) {
    backend.ShowMessageBox(widgets::kNoControl, std::string(kNoCategoryMessage) + kNothingWritten, kSaveFailureCaption,
                           widgets::MessageButtons::Ok, widgets::MessageIcon::Error);
    return 1;
  }
  // Without its Lists folder the program folder is not the one the user keeps the lists in:
  // an export would replace the target's entries with none.
  const std::string lists = AsText(program_dir) + "Lists";
  if (!platform::IsDirectory(lists)) {
    backend.ShowMessageBox(widgets::kNoControl, NoListsMessage(lists), kSaveFailureCaption, widgets::MessageButtons::Ok,
                           widgets::MessageIcon::Error);
    return 1;
  }
  if (target != "banlist") KeepFirstCopy(*TargetNamed(target), AsText(program_dir));
  if (watch.Failed()) return 1;

  SummaryPrinter printer(summaries);
  TKXChildPanel page(nullptr);
  page.SetEventCount(GeneratePage::kOnStatusText + 1);
  page.onEvent[GeneratePage::kOnStatusText] = MakeLink<&SummaryPrinter::doText>(printer);
  page.SetScheme<GeneratePage>();
  page.doWork(none, GeneratePage::kDoInit);  // the check boxes from the settings, the mode "To Programm"
  auto& generate = static_cast<GeneratePage&>(*page.Scheme());
  generate.ShowTargetPreview(false);
  if (target == "banlist") {
    generate.doGenerate(none, 0);
  } else {
    const TargetId id = *TargetNamed(target);
    const size_t index = static_cast<size_t>(id);
    if (index < kFirewallTargets.size()) {
      generate.doExportTarget(none, uint16_t(index));
    } else {
      generate.ExportFormat(int(index - kFirewallTargets.size()));
    }
  }
  return watch.Failed() ? 1 : 0;
}
