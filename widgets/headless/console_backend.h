// The window system of the modes that run without a window (for timers and scripts): the
// in-memory one, where a message box is written to standard error and answered with the
// button that sets nothing further off (OK, or Cancel and No where the box offers them),
// and a file dialog is cancelled.
#pragma once

#include "widgets/headless/headless_backend.h"

namespace widgets {

class ConsoleBackend : public HeadlessBackend {
 public:
  MessageAnswer ShowMessageBox(ControlId owner, const std::string& text, const std::string& caption,
                               MessageButtons buttons, MessageIcon icon) override;
};

}  // namespace widgets
