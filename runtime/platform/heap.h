// Heap settings for a program that rebuilds lists of a million lines on every action.
#pragma once

namespace platform {

// Lists are freed and built again by every load; giving that memory back to the system
// after each action and faulting it in again costs more than the work on the lines
// itself (a million-line load runs about five times slower). This keeps freed memory
// in the process. Called once at the start of each program.
void KeepFreedMemory();

}  // namespace platform
