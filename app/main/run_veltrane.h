// The program as both `main`s start it: the command line decides between the window and
// the modes that run without one; the native window system is made only for the window,
// so that those modes need no display.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "widgets/backend.h"

// Tells the user that there is no display for the window (`why`), and what to do instead.
using NoDisplay = std::function<void(const std::string& why)>;
// Makes the native window system; where it finds no display, it tells `no_display` and
// gives nothing, or ends the process with exit code 1 where the toolkit cannot go back.
using WindowSystemMaker =
    std::function<std::unique_ptr<widgets::Backend>(int& argc, char** argv, const NoDisplay& no_display)>;

int RunVeltrane(int argc, char** argv, const WindowSystemMaker& make_window_system);
