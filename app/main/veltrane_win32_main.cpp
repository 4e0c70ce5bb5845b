// Veltrane: the program with its real window (Win32).
#include <string>
#include <vector>

#include "app/main_program.h"
#include "runtime/platform/heap.h"
#include "widgets/win32/win32_backend.h"

int main(int argc, char** argv) {
  platform::KeepFreedMemory();
  widgets::Win32Backend backend;
  widgets::SetCurrentBackend(&backend);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  const int code = RunVeltrane(args);
  widgets::SetCurrentBackend(nullptr);
  return code;
}
