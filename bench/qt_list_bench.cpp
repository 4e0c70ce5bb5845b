// The Qt list box at the size of the program's lists: a million items set at once, and
// items inserted at the front with the selection following, as the edit page does.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <string>
#include <vector>

#include "widgets/qt/qt_backend.h"

namespace {

std::vector<std::string> Items(int64_t n) {
  std::vector<std::string> items(static_cast<size_t>(n));
  for (int64_t i = 0; i < n; ++i) items[static_cast<size_t>(i)] = "site" + std::to_string(i) + ".com";
  return items;
}

struct Window {
  widgets::QtBackend qt;
  widgets::ControlId form = qt.Create(widgets::ControlKind::Form, widgets::kNoControl, nullptr);
  widgets::ControlId list = qt.Create(widgets::ControlKind::ListBox, form, nullptr);
  Window() {
    qt.SetGeometry(form, 20, 105, 621, 440);
    qt.SetGeometry(list, 10, 70, 260, 300);
    qt.Show(form);
  }
};

void BM_QtListSetItems(benchmark::State& state) {
  Window w;
  const std::vector<std::string> items = Items(state.range(0));
  for (auto _ : state) {
    w.qt.SetItems(w.list, items);
    QCoreApplication::processEvents();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_QtListSetItems)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// A thousand records put at the top of a million-item list, each selected, then painted once.
void BM_QtListInsertAtTopAndSelect(benchmark::State& state) {
  Window w;
  w.qt.SetItems(w.list, Items(state.range(0)));
  QCoreApplication::processEvents();
  for (auto _ : state) {
    for (int i = 0; i < 1000; ++i) {
      w.qt.InsertItem(w.list, 0, "new" + std::to_string(i));
      w.qt.SetSelection(w.list, 0);
    }
    QCoreApplication::processEvents();
  }
  state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_QtListInsertAtTopAndSelect)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
