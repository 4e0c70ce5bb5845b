// The export from the command line (`veltrane --export TARGET`): the settings loaded into
// their global variables as at start-up (without its backups and messages), then the
// generate page, built on the current window system, exports in the mode "To Programm"
// with the categories its settings check: straight into the target's configured file, or
// for "banlist" into the ban list file of "Create File:". Messages go to the window system
// (standard error in the modes without a window); what each written file holds goes to
// `summaries` (standard output), one line per file ("FILE: N names written, A new, T taken
// out, L left out"). An export with no category checked is refused: it would write
// User_BadList alone, and so a timer's export would turn blocking off without a word.
#pragma once

#include <iostream>
#include <string>

#include "widgets/backend.h"

// 0 when the file was written; 1 when the target is not set up or nothing was written,
// the user having been told why. `backend` is the current window system, and is again when
// the export ends.
int RunExport(const std::string& target, widgets::Backend& backend, std::ostream& summaries = std::cout);
