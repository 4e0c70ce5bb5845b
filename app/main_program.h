// The main program, the top scheme: the main window with its tab strip and status bar,
// the three pages, the start-up schemes, the page switch, and the start sequence.
#pragma once

#include <string>
#include <vector>

#include "runtime/scheme.h"

class TKXMainForm;

class TMainProgram : public TScheme {
 public:
  // Creates the main window and every top-level element, and wires the whole tree of
  // schemes before any event runs.
  TMainProgram();
  ~TMainProgram();

  // Shows the window and fires its start event once: the start hub then runs the
  // window-style adjuster, the housekeeping, the correction and the pages' start inputs.
  void Start();

  TKXMainForm& MainForm() { return main_form_; }

 private:
  TKXMainForm& main_form_;
};

// The caption and the status bar text, as the user sees them.
inline constexpr const char* kMainCaption = "Veltrane v2.0";
inline constexpr const char* kStatusText = "Veltrane v2.0 (2.3.2). Ban lists kept by hand, written for every firewall.";

// How long an action of the window waits for another Veltrane that is changing the files of
// the program folder, in seconds: a user who clicked waits no longer than this.
inline constexpr double kWindowLockWait = 30;

// Tells the user, once per file and run, of a settings file that is there but cannot be
// read (its keys then read as missing), on the current backend.
void TellSettingsReadTrouble();

// The whole program on the current backend: the "/i" box, or build, start, run the
// message loop until the main window closes, and free everything. Returns the exit code.
int RunVeltrane(const std::vector<std::string>& args);
