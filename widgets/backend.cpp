#include "widgets/backend.h"

#include <cstdlib>

namespace widgets {
namespace {
Backend* g_backend = nullptr;
}

Backend& CurrentBackend() {
  if (!g_backend) std::abort();  // a window element was built before any backend was chosen
  return *g_backend;
}

void SetCurrentBackend(Backend* backend) { g_backend = backend; }

}  // namespace widgets
