// File dialogs, message boxes and opening documents, answered by the headless user.
#include <gtest/gtest.h>

#include <vector>

#include "widgets/headless/headless_backend.h"
#include "widgets/message.h"
#include "widgets/open_dialog.h"
#include "widgets/save_dialog.h"
#include "widgets/win_exec.h"

namespace {

struct Probe {
  std::vector<TData> got;
  void doIt(TData& v, uint16_t) { got.push_back(v); }
};

struct Source {
  std::string text;
  void varText(TData& v, uint16_t) { v = MakeText(text); }
};

class Dialogs : public ::testing::Test {
 protected:
  void SetUp() override {
    widgets::SetCurrentBackend(&ui);
    widgets::SetMainWindowControl(7);
  }
  void TearDown() override {
    widgets::SetMainWindowControl(widgets::kNoControl);
    widgets::SetCurrentBackend(nullptr);
  }
  widgets::HeadlessBackend ui;
  Probe chosen, cancelled;
};

TEST_F(Dialogs, cancelling_an_open_dialog_fires_only_onCancel) {
  TKXODialog dialog;
  dialog.onExecute = MakeLink<&Probe::doIt>(chosen);
  dialog.onCancel = MakeLink<&Probe::doIt>(cancelled);
  ui.QueueOpenAnswer(std::nullopt);
  FireEvent(MakeLink<&TKXODialog::doExecute>(dialog));
  EXPECT_TRUE(chosen.got.empty());
  ASSERT_EQ(cancelled.got.size(), 1u);
  EXPECT_TRUE(cancelled.got[0].IsEmpty());
}

TEST_F(Dialogs, the_file_chosen_last_is_preset_next_time_even_after_a_cancel) {
  TKXODialog dialog;
  dialog.Title = "Open BanList";
  dialog.Filter = "BanList (*.txt)|*.txt";
  dialog.onExecute = MakeLink<&Probe::doIt>(chosen);
  ui.QueueOpenAnswer("/data/ban.txt");
  ui.QueueOpenAnswer(std::nullopt);
  ui.QueueOpenAnswer("/data/other.txt");
  for (int i = 0; i < 3; ++i) FireEvent(MakeLink<&TKXODialog::doExecute>(dialog));
  const auto& shown = ui.ShownDialogs();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].kind, widgets::DialogKind::Open);
  EXPECT_EQ(shown[0].title, "Open BanList");
  EXPECT_EQ(shown[0].filter, "BanList (*.txt)|*.txt");
  EXPECT_EQ(shown[0].initial_name, "");
  EXPECT_EQ(shown[1].initial_name, "/data/ban.txt");
  EXPECT_EQ(shown[2].initial_name, "/data/ban.txt");
  ASSERT_EQ(chosen.got.size(), 2u);
  EXPECT_EQ(chosen.got[1].text, "/data/other.txt");
}

TEST_F(Dialogs, the_save_dialog_is_a_save_dialog) {
  TKXSDialog dialog;
  dialog.onExecute = MakeLink<&Probe::doIt>(chosen);
  ui.QueueSaveAnswer("/data/out.ct");
  FireEvent(MakeLink<&TKXSDialog::doExecute>(dialog));
  ASSERT_EQ(ui.ShownDialogs().size(), 1u);
  EXPECT_EQ(ui.ShownDialogs()[0].kind, widgets::DialogKind::Save);
  ASSERT_EQ(chosen.got.size(), 1u);
  EXPECT_EQ(chosen.got[0].text, "/data/out.ct");
}

TEST_F(Dialogs, a_yes_no_message_reports_6_for_yes_and_7_for_no) {
  TKXMessage box;
  box.Message = "Default Setting?";
  box.Type = 2;
  box.Icon = 2;
  box.onMessage = MakeLink<&Probe::doIt>(chosen);
  ui.QueueMessageAnswer(6);
  ui.QueueMessageAnswer(7);
  FireEvent(MakeLink<&TKXMessage::doMessage>(box));
  FireEvent(MakeLink<&TKXMessage::doMessage>(box));
  ASSERT_EQ(chosen.got.size(), 2u);
  EXPECT_EQ(chosen.got[0].integer, 6);
  EXPECT_EQ(chosen.got[1].integer, 7);
  const auto& shown = ui.ShownDialogs()[0];
  EXPECT_EQ(shown.text, "Default Setting?");
  EXPECT_EQ(shown.title, "");
  EXPECT_EQ(shown.type, 2);
  EXPECT_EQ(shown.icon, 2);
  EXPECT_EQ(shown.owner, 7);
}

TEST_F(Dialogs, message_text_comes_from_the_event_when_unlinked_and_caption_from_its_link) {
  TKXMessage box;
  box.Caption = "Error!";
  Source caption{"Statistic:"};
  FireEvent(MakeLink<&TKXMessage::doMessage>(box), "built at run time");
  box.dataCaption = MakeLink<&Source::varText>(caption);
  FireEvent(MakeLink<&TKXMessage::doMessage>(box), "again");
  const auto& shown = ui.ShownDialogs();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, "built at run time");
  EXPECT_EQ(shown[0].title, "Error!");
  EXPECT_EQ(shown[1].text, "again");
  EXPECT_EQ(shown[1].title, "Statistic:");
}

TEST_F(Dialogs, shell_exec_with_an_empty_name_opens_nothing) {
  TKXWinExec exec;
  FireEvent(MakeLink<&TKXWinExec::doShellExec>(exec));
  FireEvent(MakeLink<&TKXWinExec::doShellExec>(exec), "");
  EXPECT_TRUE(ui.OpenedDocuments().empty());
}

TEST_F(Dialogs, shell_exec_opens_addresses_as_they_are_and_paths_in_native_form) {
  TKXWinExec exec;
  exec.FileName = "http://example.org/a\\b";
  FireEvent(MakeLink<&TKXWinExec::doShellExec>(exec));
  Source name{"dir\\DoubleRecords.txt"};
  exec.dataFileName = MakeLink<&Source::varText>(name);
  FireEvent(MakeLink<&TKXWinExec::doShellExec>(exec));
  EXPECT_EQ(ui.OpenedDocuments(), (std::vector<std::string>{"http://example.org/a\\b", "dir/DoubleRecords.txt"}));
}

}  // namespace
