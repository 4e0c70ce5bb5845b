// What the window element tests share: a bare panel to put controls on, a temporary folder, a
// fixture with the in-memory window system current, and one with a main window on a window
// system of its own.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "probe.h"
#include "widgets/headless/headless_backend.h"
#include "widgets/win.h"

struct Host : TKXWin {
  explicit Host(int left = 0) : TKXWin(nullptr) { Left = left, Width = Height = 100; }
  void Init() override {
    CreateNative(widgets::ControlKind::Panel);
    TKXWin::Init();
  }
};

struct TempDir {
  std::string path;
  TempDir() {
    char pattern[] = "/tmp/veltrane-widgets-XXXXXX";
    path = mkdtemp(pattern);
  }
  ~TempDir() { std::filesystem::remove_all(path); }
  std::string operator/(const std::string& name) const { return path + "/" + name; }
};

// What a readable output gives now.
template <class E>
TData Var(E& element, void (E::*point)(TData&, uint16_t)) {
  TData v;
  (element.*point)(v, 0);
  return v;
}

class WidgetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    widgets::SetCurrentBackend(&ui);
    host.Init();
  }
  void TearDown() override { widgets::SetCurrentBackend(nullptr); }
  widgets::HeadlessBackend ui;
  Host host;
  Probe probe;
};

// Counts what a native control reports.
struct Counts : widgets::ControlEvents {
  int clicked = 0, changed = 0, entered = 0, selected = 0, shown = 0, mouse_in = 0, mouse_out = 0, asked = 0;
  bool allow_close = true;
  void OnClicked() override { ++clicked; }
  void OnTextChanged() override { ++changed; }
  void OnEnterPressed() override { ++entered; }
  void OnSelectionChanged() override { ++selected; }
  void OnMouseEnter() override { ++mouse_in; }
  void OnMouseLeave() override { ++mouse_out; }
  void OnShown() override { ++shown; }
  bool OnCloseRequest() override { return ++asked, allow_close; }
};

// The main window of window system `Backend`, and controls placed on it.
template <class Backend>
class NativeFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form = ui.Create(widgets::ControlKind::Form, widgets::kNoControl, &form_events);
    widgets::SetMainWindowControl(form);
    ui.SetGeometry(form, 20, 105, 621, 440);
  }
  void TearDown() override { widgets::SetMainWindowControl(widgets::kNoControl); }
  widgets::ControlId Make(widgets::ControlKind kind, Counts* events = nullptr, int left = 10, int top = 10,
                          int width = 200, int height = 100) {
    const widgets::ControlId id = ui.Create(kind, form, events);
    ui.SetGeometry(id, left, top, width, height);
    return id;
  }
  std::vector<int> Geometry(widgets::ControlId id) {
    int l = 0, t = 0, w = 0, h = 0;
    ui.GetGeometry(id, l, t, w, h);
    return {l, t, w, h};
  }

  Backend ui;
  Counts form_events;
  widgets::ControlId form = widgets::kNoControl;
};
