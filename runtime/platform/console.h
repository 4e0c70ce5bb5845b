// Standard output and standard error for the modes that run without a window. A Windows
// program built for the window system has neither: it writes to the console of the
// command that started it, when there is one. On Linux both are there already.
#pragma once

namespace platform {

void UseStartingConsole();

}  // namespace platform
