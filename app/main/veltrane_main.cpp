// Veltrane: the program with its real window (Qt 6 Widgets).
#include "app/main/run_veltrane.h"
#include "widgets/qt/qt_backend.h"

int main(int argc, char** argv) {
  return RunVeltrane(argc, argv,
                     [](int& count, char** values, const NoDisplay& no_display) -> std::unique_ptr<widgets::Backend> {
                       if (const std::string why = widgets::QtBackend::MissingDisplay(); !why.empty()) {
                         no_display(why);
                         return nullptr;
                       }
                       return std::make_unique<widgets::QtBackend>(count, values, no_display);
                     });
}
