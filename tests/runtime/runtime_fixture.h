// Stand-ins for the elements around the one under test, and a scratch program folder.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "probe.h"
#include "runtime/link.h"
#include "runtime/platform/files.h"

// A readable output that yields `value`.
struct Source {
  TData value;
  void varValue(TData& v, uint16_t) { v = value; }
};

// A fresh folder, made the program folder for the test and removed afterwards.
struct ScratchFolderTest : ::testing::Test {
  std::string dir;
  void SetUp() override {
    char tmpl[] = "/tmp/veltrane-runtime-XXXXXX";
    dir = ::mkdtemp(tmpl);
    platform::SetProgramDir(dir);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
};
