#include "widgets/backend.h"

#include <cstdlib>

namespace widgets {
namespace {
Backend* g_backend = nullptr;
ControlId g_main_window = kNoControl;
}  // namespace

ControlId MainWindowControl() { return g_main_window; }
void SetMainWindowControl(ControlId id) { g_main_window = id; }

Backend& CurrentBackend() {
  if (!g_backend) std::abort();  // a window element was built before any backend was chosen
  return *g_backend;
}

void SetCurrentBackend(Backend* backend) { g_backend = backend; }

}  // namespace widgets
