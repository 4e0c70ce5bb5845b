// The program as both `main`s start it: the command line decides between the window and
// the modes that run without one; the native window system is made only for the window,
// so that those modes need no display.
#pragma once

#include <functional>
#include <memory>

#include "widgets/backend.h"

using WindowSystemMaker = std::function<std::unique_ptr<widgets::Backend>(int& argc, char** argv)>;

int RunVeltrane(int argc, char** argv, const WindowSystemMaker& make_window_system);
