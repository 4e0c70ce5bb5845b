// The program's command line. Without options the program opens its window; "/i" as the
// first argument shows the information box and ends, as it always has. Options of the form
// "--name" choose a mode that runs without a window (for timers and scripts) or set what
// every mode uses; arguments of other forms are left to the window system (Qt's "-style").
#pragma once

#include <optional>
#include <string>
#include <vector>

struct CommandLine {
  enum class Mode {
    Window,  // the program with its window
    Info,    // "/i": the information box
    Help,    // --help: the options, on standard output
    Export,  // --export TARGET: the generate page's export, straight into the target's file
    Error,   // an option the program does not know, or one without its value
    Import,  // --import FILE --into LIST: a web list's new records into a list
    Update,  // --update: every subscribed web list, as "Update Now" does it
    // --write-elevated PATH CONTENT-FILE: the Windows program started by itself with the
    // system's permission (the UAC prompt) to write one file; not offered to users.
    WriteElevated,
  };
  Mode mode = Mode::Window;
  std::optional<std::string> dir;  // --dir FOLDER: the program folder, for every mode
  // --wait SECONDS: how long a mode waits for another Veltrane that is changing the files of
  // the program folder, before it gives up.
  double wait = 120;
  std::string import_from, into;   // Mode::Import: the file or web address, and the list's display name
  std::string error;               // Mode::Error: what is wrong, for standard error
  std::string write_path, content_file;  // Mode::WriteElevated
  std::string target;              // Mode::Export: "hosts", "dnsmasq", "banlist" ...

  // True for the modes that run without a window (and without a display).
  bool Windowless() const { return mode != Mode::Window && mode != Mode::Info; }
};

CommandLine ParseCommandLine(const std::vector<std::string>& args);

// What --help prints.
std::string UsageText();
