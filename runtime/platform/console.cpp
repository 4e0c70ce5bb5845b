#include "runtime/platform/console.h"

namespace platform {

void UseStartingConsole() {}

}  // namespace platform
