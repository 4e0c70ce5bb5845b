// The window system of the modes that run without a window (for timers and scripts): the
// in-memory one, where a message box is written to standard error and answered with the
// button that sets nothing further off (OK, or Cancel and No where the box offers them),
// and a file dialog is cancelled.
#pragma once

#include <string>

#include "widgets/headless/headless_backend.h"

namespace widgets {

class ConsoleBackend : public HeadlessBackend {
 public:
  // Every line written starts with `prefix` (the program's name, "veltrane: "), so that a
  // log collecting several programs' output tells whose it is.
  explicit ConsoleBackend(std::string prefix = "") : prefix_(std::move(prefix)) {}

  // "PREFIX CAPTION TEXT", a line for each line of the text; a caption that only says
  // "Error" is left out, as standard error says it already.
  MessageAnswer ShowMessageBox(ControlId owner, const std::string& text, const std::string& caption,
                               MessageButtons buttons, MessageIcon icon) override;

 private:
  std::string prefix_;
};

}  // namespace widgets
