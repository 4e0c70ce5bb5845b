// Veltrane: the program with its real window (Qt 6 Widgets).
#include <string>
#include <vector>

#include "app/main_program.h"
#include "runtime/platform/heap.h"
#include "widgets/qt/qt_backend.h"

int main(int argc, char** argv) {
  platform::KeepFreedMemory();
  widgets::QtBackend backend(argc, argv);
  widgets::SetCurrentBackend(&backend);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
  const int code = RunVeltrane(args);
  widgets::SetCurrentBackend(nullptr);
  return code;
}
