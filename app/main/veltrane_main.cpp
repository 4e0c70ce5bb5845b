// Veltrane: the program with its real window (Qt 6 Widgets).
#include "app/main/run_veltrane.h"
#include "widgets/qt/qt_backend.h"

int main(int argc, char** argv) {
  return RunVeltrane(argc, argv, [](int& count, char** values) -> std::unique_ptr<widgets::Backend> {
    return std::make_unique<widgets::QtBackend>(count, values);
  });
}
