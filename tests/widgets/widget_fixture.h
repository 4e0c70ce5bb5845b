// What the window element tests share: a probe for arriving values, a bare panel to put
// controls on, a temporary folder, and a fixture with the in-memory window system current.
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

// Gives a fixed text to a data input.
struct Source {
  std::string text;
  void varText(TData& v, uint16_t) { v = MakeText(text); }
};

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
