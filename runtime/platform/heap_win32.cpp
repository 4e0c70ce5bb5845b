#include "runtime/platform/heap.h"

namespace platform {

// The Windows heap keeps freed blocks in the process by itself (its low-fragmentation
// front end); there is nothing to set.
void KeepFreedMemory() {}

}  // namespace platform
