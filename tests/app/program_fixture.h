// The whole program on the in-memory window system in a scratch program folder, with the
// user's hands and the files the program keeps.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/main_program.h"
#include "runtime/platform/files.h"
#include "widgets/headless/headless_backend.h"

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/veltrane-program-XXXXXX";
    dir_ = mkdtemp(pattern);
    dir_ += "/";
    platform::SetProgramDir(dir_);
    platform::MakeDirectory(dir_ + "Lists");
    widgets::SetCurrentBackend(&ui_);
  }
  void TearDown() override {
    program_.reset();
    widgets::SetCurrentBackend(nullptr);
    // Files a test made read-only would keep the folder from going on Windows.
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir_))
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_write,
                                   std::filesystem::perm_options::add);
    std::filesystem::remove_all(dir_);
  }

  void Start() {
    program_ = std::make_unique<TMainProgram>();
    program_->Start();
  }

  void Write(const std::string& relative, const std::string& bytes) {
    ASSERT_TRUE(platform::WriteFileAtomic(dir_ + relative, bytes));
  }
  std::string Read(const std::string& relative) const {
    return platform::ReadFile(dir_ + relative).value_or("<missing>");
  }
  void ReadOnly(const std::string& relative) { ::chmod((dir_ + relative).c_str(), 0444); }

  widgets::ControlId Seen(widgets::ControlKind kind, int n) {
    const widgets::ControlId id = ui_.NthSeen(kind, n);
    EXPECT_NE(id, widgets::kNoControl);
    return id;
  }
  void Click(const std::string& caption) {
    const widgets::ControlId id = ui_.FindSeen(caption);
    ASSERT_NE(id, widgets::kNoControl) << caption;
    ASSERT_TRUE(ui_.Click(id)) << caption;
  }
  void Pick(const std::string& item) { ASSERT_TRUE(ui_.ChooseText(ui_.FindComboWithItem(item), item)) << item; }
  void ClickItem(int list, int index) { ASSERT_TRUE(ui_.Choose(Seen(widgets::ControlKind::ListBox, list), index)); }
  std::deque<std::string> Items(int list) { return ui_.Find(Seen(widgets::ControlKind::ListBox, list))->items; }
  std::string LabelText(int n) { return ui_.Find(Seen(widgets::ControlKind::Label, n))->text; }
  // As "caption: text".
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& d : ui_.ShownDialogs())
      if (d.kind == widgets::DialogKind::Message) texts.push_back(d.title + ": " + d.text);
    return texts;
  }

  std::string dir_;
  widgets::HeadlessBackend ui_;
  std::unique_ptr<TMainProgram> program_;
};
