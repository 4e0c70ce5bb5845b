// The driver's user: runs a script's commands against the program on the headless window
// system and prints what the user sees (dialogs, message boxes, shell opens, controls).
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/main/drive_tee.h"
#include "runtime/platform/elevation.h"

namespace drive {

class Session {
 public:
  Session(TeeBackend& tee, std::vector<std::string> lines);

  // The answers and clipboard text a script gives before its first other command are
  // ready before the program starts, for the dialogs that start-up may show.
  void RunPrelude();
  // The rest of the user's session, run as the program's message loop.
  void Run();
  void PrintNewDialogs();
  // Prints the commands the program never reached because it had ended; their number.
  size_t ReportNotRun();

  bool failed() const { return failed_; }

  // The system's prompt for its permission, as the driver plays it: printed in its place
  // among the dialogs, answered by "answer elevation" (cancelled when no answer was given).
  platform::ElevatedWrite Elevate(const std::string& path, std::string_view bytes);

 private:
  std::string Line(size_t i) const;
  bool Fail(const std::string& message);
  bool WriteFile(const std::string& arg);
  bool Execute(const std::string& line);
  bool Answer(const std::string& arg);
  bool Click(const std::string& arg);
  bool Pick(const std::string& arg);
  bool Select(const std::string& arg);
  bool Type(const std::string& arg);
  bool Read(const std::string& arg);
  bool Shot(const std::string& file);
  // Finds the control a script names: "KIND N" or a caption (bare, or in double quotes).
  bool Resolve(const std::string& address, bool clickable_only, widgets::ControlId& id);
  bool Closed();

  TeeBackend& tee_;
  widgets::HeadlessBackend& user_;
  std::vector<std::string> lines_;
  std::deque<std::optional<std::string>> elevation_answers_;  // nothing: cancel; a text: fail with it
  size_t printed_ = 0;
  size_t next_ = 0;
  int line_no_ = 0;
  bool failed_ = false;
};

}  // namespace drive
