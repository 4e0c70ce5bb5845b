// File dialogs, message boxes and opening documents, answered by the headless user.
#include "runtime/platform/files.h"
#include "widgets/message.h"
#include "widgets/open_dialog.h"
#include "widgets/widget_fixture.h"
#include "widgets/win_exec.h"

namespace {

using Dialogs = WidgetTest;
using Texts = std::vector<std::string>;

TEST_F(Dialogs, an_open_dialog_reports_the_choice_or_the_cancel_and_presets_the_file_and_filter_chosen_last) {
  TKXODialog dialog;
  dialog.Title = "Open Text File";
  dialog.Filter = "Text File|*.txt|All Files|*.*";
  Probe cancelled;
  dialog.onExecute = MakeLink<&Probe::doIt>(probe);
  dialog.onCancel = MakeLink<&Probe::doIt>(cancelled);
  ui.QueueOpenAnswer("/data/ban.txt", 1);  // the user switched to "All Files"
  ui.QueueOpenAnswer(std::nullopt, 0);     // a cancel forgets nothing
  ui.QueueOpenAnswer("/data/other.txt");
  for (int i = 0; i < 3; ++i) FireEvent(MakeLink<&TKXODialog::doExecute>(dialog));
  const auto& shown = ui.ShownDialogs();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[0].kind, widgets::DialogKind::Open);
  EXPECT_EQ((Texts{shown[0].title, shown[0].filter, shown[0].initial_name, shown[1].initial_name, shown[2].initial_name}),
            (Texts{"Open Text File", "Text File|*.txt|All Files|*.*", "", "/data/ban.txt", "/data/ban.txt"}));
  EXPECT_EQ((std::vector<int>{shown[0].filter_index, shown[1].filter_index, shown[2].filter_index}),
            (std::vector<int>{0, 1, 1}));
  ASSERT_EQ(probe.got.size(), 2u);
  EXPECT_EQ(probe.got[1].text, "/data/other.txt");
  ASSERT_EQ(cancelled.got.size(), 1u);
  EXPECT_TRUE(cancelled.got[0].IsEmpty());
}

TEST_F(Dialogs, a_yes_no_message_owned_by_the_main_window_reports_6_for_yes_and_7_for_no) {
  widgets::SetMainWindowControl(7);
  TKXMessage box;
  box.Message = "Default Setting?";
  box.Type = 2;
  box.Icon = 2;
  box.onMessage = MakeLink<&Probe::doIt>(probe);
  ui.QueueMessageAnswer(widgets::MessageAnswer::Yes);
  ui.QueueMessageAnswer(widgets::MessageAnswer::No);
  FireEvent(MakeLink<&TKXMessage::doMessage>(box));
  FireEvent(MakeLink<&TKXMessage::doMessage>(box));
  widgets::SetMainWindowControl(widgets::kNoControl);
  ASSERT_EQ(probe.got.size(), 2u);
  EXPECT_EQ(std::vector<int>({probe.got[0].integer, probe.got[1].integer}), std::vector<int>({6, 7}));
  const auto& shown = ui.ShownDialogs()[0];
  EXPECT_EQ(shown.text, "Default Setting?");
  EXPECT_EQ(shown.buttons, widgets::MessageButtons::YesNo);
  EXPECT_EQ(shown.icon, widgets::MessageIcon::Question);
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
  EXPECT_EQ((Texts{shown[0].text, shown[0].title, shown[1].text, shown[1].title}),
            (Texts{"built at run time", "Error!", "again", "Statistic:"}));
}

TEST_F(Dialogs, shell_exec_opens_addresses_as_they_are_paths_in_native_form_and_nothing_for_no_name) {
  TKXWinExec exec;
  FireEvent(MakeLink<&TKXWinExec::doShellExec>(exec), "");
  exec.FileName = "http://example.org/a\\b";
  FireEvent(MakeLink<&TKXWinExec::doShellExec>(exec));
  Source name{"dir\\DoubleRecords.txt"};
  exec.dataFileName = MakeLink<&Source::varText>(name);
  FireEvent(MakeLink<&TKXWinExec::doShellExec>(exec));
  EXPECT_EQ(ui.OpenedDocuments(), (Texts{"http://example.org/a\\b", platform::NativePath("dir\\DoubleRecords.txt")}));
}

}  // namespace
