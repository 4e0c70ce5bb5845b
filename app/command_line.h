// The program's command line. Without options the program opens its window; "/i" as the
// first argument shows the information box and ends, as it always has. Options of the form
// "--name" choose a mode that runs without a window (for timers and scripts) or set what
// every mode uses; arguments of other forms are left to the window system (Qt's "-style"),
// and refused by the modes without a window.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct CommandLine {
  enum class Mode {
    Window,         // the program with its window
    Info,           // "/i": the information box
    Help,           // --help: the options, on standard output
    Export,         // --export TARGET: the generate page's export, straight into the target's file
    Error,          // an option the program does not know, or one without its value
    Import,         // --import FILE --into LIST: a web list's new records into a list
    Update,         // --update: every subscribed web list, as "Update Now" does it
    Subscribe,      // --subscribe URL --into LIST: a web list to update, as the panel's "Add"
    Unsubscribe,    // --unsubscribe URL: as the panel's "Remove"
    Subscriptions,  // --subscriptions: one line per subscription
    Query,          // --query NAME: where a name comes from, and what blocks or spares it
    // --write-elevated PATH CONTENT-FILE: the Windows program started by itself with the
    // system's permission (the UAC prompt) to write one file; not offered to users.
    WriteElevated,
  };
  Mode mode = Mode::Window;
  std::optional<std::string> dir;  // --dir FOLDER: the program folder, for every mode
  // --wait SECONDS: how long a mode waits for another Veltrane that is changing the files of
  // the program folder, before it gives up.
  double wait = 120;
  // Mode::Import: the file or web address, and the list's display name ("Viruses (and
  // similar)"), whatever form of it the command line gave.
  std::string import_from, into;
  std::string url;                       // Mode::Subscribe, Mode::Unsubscribe: the web list's address
  std::string name;                      // Mode::Query
  bool accept_losses = false;            // --accept-losses, with --update
  std::string error;                     // Mode::Error: what is wrong, for standard error
  std::string write_path, content_file;  // Mode::WriteElevated
  std::string target;                    // Mode::Export: "hosts", "dnsmasq", "banlist" ..., in lower case

  // True for the modes that run without a window (and without a display).
  bool Windowless() const { return mode != Mode::Window && mode != Mode::Info; }
};

// The exit codes of every mode: done; the work failed (the reason on standard error); the
// command line cannot be used (an unknown or repeated option, a missing or unknown value).
inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// Target and list names are taken in any case, a list also by the label the generate page
// shows for it ("Viruses"); each option may be given once.
CommandLine ParseCommandLine(const std::vector<std::string>& args);

// What --help prints.
std::string UsageText();
