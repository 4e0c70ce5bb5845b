// Veltrane: the program with its real window (Win32).
#include "app/main/run_veltrane.h"
#include "widgets/win32/win32_backend.h"

int main(int argc, char** argv) {
  return RunVeltrane(argc, argv, [](int&, char**, const NoDisplay&) -> std::unique_ptr<widgets::Backend> {
    return std::make_unique<widgets::Win32Backend>();
  });
}
