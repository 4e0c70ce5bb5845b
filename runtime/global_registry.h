// The process-wide table of named global variable cells shared by every scheme.
#pragma once

#include <string>

#include "runtime/data.h"

// The cell registered under `name` (compared byte for byte), created empty on first
// use. Cells are never moved or freed while the program runs, so references stay valid.
TData& RegisterGlobal(const std::string& name);
