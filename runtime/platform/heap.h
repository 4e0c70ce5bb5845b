// Heap settings for a program that rebuilds lists of a million lines on every action.
#pragma once

namespace platform {

// Lists are freed and built again by every load; giving that memory back to the system
// after each action and faulting it in again costs more than the work on the lines
// itself (a million-line load runs about five times slower). This keeps freed memory
// in the process. Called once, before a window opens; a command-line mode, which does one
// job and ends, leaves the system's own rule, under which it never holds much more than it uses.
void KeepFreedMemory();

}  // namespace platform
