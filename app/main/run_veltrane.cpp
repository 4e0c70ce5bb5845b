#include "app/main/run_veltrane.h"

#include <iostream>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/export_command.h"
#include "app/import_mode.h"
#include "app/main_program.h"
#include "app/query_mode.h"
#include "app/subscription_modes.h"
#include "app/update_mode.h"
#include "elements/files/dir.h"
#include "runtime/platform/console.h"
#include "runtime/platform/elevation.h"
#include "runtime/platform/files.h"
#include "runtime/platform/folder_lock.h"
#include "runtime/platform/heap.h"
#include "widgets/headless/console_backend.h"

namespace {

// A mode that finds the program folder locked by another Veltrane says so once, on standard
// error, and waits up to `seconds` for it.
void WaitTelling(double seconds) {
  platform::SetLockWait({seconds,
                         [seconds, told = false](const std::string& holder) mutable {
                           if (told) return;
                           told = true;
                           std::cerr << "veltrane: waiting up to " << seconds << " seconds for " << holder
                                     << " to finish with the files of " << platform::ProgramDir() << "\n";
                         },
                         {}});
}

// The mode on the window system `backend`; the program folder is set already.
int RunMode(const CommandLine& line, const std::vector<std::string>& args, widgets::Backend& backend) {
  widgets::SetCurrentBackend(&backend);
  TellSettingsReadTrouble();
  int code = 0;
  switch (line.mode) {
    case CommandLine::Mode::Window:
    case CommandLine::Mode::Info: code = RunVeltrane(args); break;
    case CommandLine::Mode::Export: code = RunExport(line.target, backend); break;
    case CommandLine::Mode::Import: code = RunImportMode(line.import_from, line.into); break;
    case CommandLine::Mode::Update: code = RunUpdateMode(line.accept_losses); break;
    case CommandLine::Mode::Subscribe: code = RunSubscribeMode(line.url, line.into); break;
    case CommandLine::Mode::Unsubscribe: code = RunUnsubscribeMode(line.url); break;
    case CommandLine::Mode::Subscriptions: code = RunSubscriptionsMode(); break;
    case CommandLine::Mode::Query: code = RunQueryMode(line.name); break;
    case CommandLine::Mode::Help:
    case CommandLine::Mode::Error:
    case CommandLine::Mode::WriteElevated: break;
  }
  widgets::SetCurrentBackend(nullptr);
  return code;
}

void TellNoDisplay(const std::string& why) {
  std::cerr << "veltrane: no display for the window: " << why << "\n"
            << "veltrane: run a mode without a window instead (--export TARGET, --import FILE --into LIST,\n"
               "veltrane: --update; veltrane --help lists them), or start the window where there is a display:\n"
               "veltrane: set DISPLAY (X11) or WAYLAND_DISPLAY, or QT_QPA_PLATFORM (such as offscreen)\n";
  std::cerr.flush();
}

}  // namespace

int RunVeltrane(int argc, char** argv, const WindowSystemMaker& make_window_system) {
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  const CommandLine line = ParseCommandLine(args);
  if (line.Windowless()) platform::UseStartingConsole();
  switch (line.mode) {
    case CommandLine::Mode::Help: std::cout << UsageText(); return kExitDone;
    case CommandLine::Mode::Error:
      std::cerr << "veltrane: " << line.error << "\nveltrane: veltrane --help lists the options\n";
      return kExitUsage;
    // The elevated side writes one file and ends: no folder, no settings, no window.
    case CommandLine::Mode::WriteElevated: return platform::WriteAsElevatedSide(line.write_path, line.content_file);
    default: break;
  }
  if (line.dir) {
    CreateFolderChain(*line.dir);
    if (!platform::IsDirectory(*line.dir)) {
      std::cerr << "veltrane: cannot use the folder " << *line.dir << "\n";
      return kExitFailed;
    }
    // Saves and the lock name the folder by its full path, whatever the current folder becomes.
    platform::SetProgramDir(platform::RealPath(*line.dir));
  }
  if (line.Windowless()) {
    WaitTelling(line.wait);
    widgets::ConsoleBackend console("veltrane: ");
    return RunMode(line, args, console);
  }
  // The window loads its lists again at every action; a command-line mode does its one job,
  // and what it frees goes back to the system, so that it never holds more than it uses.
  platform::KeepFreedMemory();
  std::unique_ptr<widgets::Backend> window_system = make_window_system(argc, argv, TellNoDisplay);
  if (!window_system) return kExitFailed;
  return RunMode(line, args, *window_system);
}
