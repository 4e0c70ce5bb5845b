#include "runtime/platform/heap.h"

#include <malloc.h>

namespace platform {

void KeepFreedMemory() {
  ::mallopt(M_TRIM_THRESHOLD, 512 * 1024 * 1024);
  ::mallopt(M_TOP_PAD, 64 * 1024 * 1024);
  ::mallopt(M_MMAP_THRESHOLD, 512 * 1024 * 1024);
}

}  // namespace platform
