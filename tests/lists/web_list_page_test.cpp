// Published block lists in the window: "Web List (Load)" offers a list's new records and
// sums up what it held, "All >>>" files every offered record at once, and the "Web Lists"
// panel keeps the subscriptions in "Veltra.ini".
#include <gtest/gtest.h>

#include "tests/app/program_fixture.h"

namespace {

using widgets::ControlKind;
using Shown = std::deque<std::string>;

class WebListPage : public ProgramTest {
 protected:
  std::string StatusText() {
    for (widgets::ControlId id = 1; id <= widgets::ControlId(ui_.ControlCount()); ++id)
      if (ui_.Find(id)->kind == ControlKind::StatusBar) return ui_.Find(id)->text;
    return "<no status bar>";
  }
  void LoadWebList(const std::string& relative) {
    Pick("Web List (Load)");
    ui_.QueueOpenAnswer(dir_ + relative);
    Click("Load from:");
  }
  // The source list holds the records of a web list; Unsorted is on neither side.
  void OfferThree() {
    Write("list.txt", "0.0.0.0 one.example.com\n||two.example.com^\nthree.example.com\n");
    Start();
    LoadWebList("list.txt");
  }
};

TEST_F(WebListPage, a_web_list_offers_its_new_records_in_file_order_and_sums_up_what_it_held) {
  Write("Lists/Misc.txt", "known.example.com\r\n");
  Write("easy.txt",
        "[Adblock Plus 2.0]\n! Title: EasyList\n||Ads.Example.com^\n||known.example.com^\n@@||good.example.com^\n"
        "0.0.0.0 tracker.example.net ads.example.com\n");
  Start();
  const std::string status_before = StatusText();
  LoadWebList("easy.txt");
  EXPECT_EQ(Items(0), (Shown{"ads.example.com", "tracker.example.net"}));
  EXPECT_EQ(LabelText(0), "Web List ");
  EXPECT_EQ(ui_.Find(ui_.NthSeen(ControlKind::Button, 2))->text, "<- Delete");
  EXPECT_EQ(LabelText(3), "2");
  EXPECT_EQ(StatusText(), "Web List easy.txt: 2 new, 1 known, 3 skipped");
  const widgets::ShownDialog& dialog = ui_.ShownDialogs().back();
  EXPECT_EQ(dialog.title, "Open Web List");
  EXPECT_EQ(dialog.filter, "Block Lists|*.txt;*.hosts;hosts|All Files|*.*");

  Pick("Unsorted (Edit Lists)");
  Click("Load from:");
  EXPECT_EQ(StatusText(), status_before) << "the summary goes with the list it was about";
}

TEST_F(WebListPage, a_web_list_that_is_no_text_loads_nothing_and_says_why) {
  Write("utf16.txt", std::string("\xFF\xFE" "a\0.\0c\0o\0m\0", 12));
  Start();
  LoadWebList("utf16.txt");
  EXPECT_TRUE(Items(0).empty());
  EXPECT_EQ(LabelText(0), "Not Loaded");
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_NE(Messages()[0].find("is UTF-16 text"), std::string::npos) << Messages()[0];
}

TEST_F(WebListPage, a_cancelled_web_list_dialog_loads_nothing) {
  Start();
  Pick("Web List (Load)");
  ui_.QueueOpenAnswer(std::nullopt);
  Click("Load from:");
  EXPECT_EQ(LabelText(0), "Not Loaded");
}

TEST_F(WebListPage, all_moves_every_offered_record_on_top_of_the_category_in_one_save) {
  Write("Lists/Porno.txt", "old.example.com\r\n");
  OfferThree();
  Pick("Porno");
  Click("All >>>");
  EXPECT_EQ(Read("Lists/Porno.txt"), "one.example.com\r\ntwo.example.com\r\nthree.example.com\r\nold.example.com\r\n");
  EXPECT_TRUE(Items(0).empty());
  EXPECT_EQ(Items(1).size(), 4u);
  EXPECT_EQ(LabelText(3), "0");
  EXPECT_EQ(LabelText(5), "4");
}

TEST_F(WebListPage, all_moves_nothing_without_a_category) {
  OfferThree();
  Click("All >>>");
  EXPECT_EQ(Items(0).size(), 3u);
  for (const char* name : {"Advertisement", "Misc", "Porno", "Unsorted"})
    EXPECT_EQ(Read(std::string("Lists/") + name + ".txt"), "<missing>") << name;
}

TEST_F(WebListPage, all_into_a_category_that_cannot_be_saved_leaves_both_lists_as_they_were) {
  Write("Lists/Misc.txt", "m.example.com\r\n");
  ReadOnly("Lists/Misc.txt");
  OfferThree();
  Pick("Misc");
  Click("All >>>");
  EXPECT_EQ(Read("Lists/Misc.txt"), "m.example.com\r\n");
  EXPECT_EQ(Items(0).size(), 3u);
  EXPECT_EQ(Items(1), (Shown{"m.example.com"}));
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_TRUE(Messages()[0].starts_with("Error:: Could not save '")) << Messages()[0];
}

TEST_F(WebListPage, all_out_of_unsorted_saves_both_files) {
  Write("Lists/Unsorted.txt", "u1.example.com\r\nu2.example.com\r\n");
  Write("Lists/Viruses (and similar).txt", "v.example.com\r\n");
  Start();
  Pick("Unsorted (Edit Lists)");
  Click("Load from:");
  Pick("Unsorted");
  Click("All >>>");
  EXPECT_EQ(Read("Lists/Unsorted.txt"), "u1.example.com\r\nu2.example.com\r\n") << "Unsorted on both sides";
  Pick("Viruses (and similar)");
  Click("All >>>");
  EXPECT_EQ(Read("Lists/Viruses (and similar).txt"), "u1.example.com\r\nu2.example.com\r\nv.example.com\r\n");
  EXPECT_EQ(Read("Lists/Unsorted.txt"), "");
}

TEST_F(WebListPage, all_never_saves_over_a_category_changed_on_disk) {
  Write("Lists/Porno.txt", "old.example.com\r\n");
  OfferThree();
  Pick("Porno");
  Write("Lists/Porno.txt", "other.example.com\r\nold.example.com\r\n");  // another program, meanwhile
  Click("All >>>");
  EXPECT_EQ(Read("Lists/Porno.txt"), "other.example.com\r\nold.example.com\r\n");
  EXPECT_EQ(Items(0).size(), 3u);
  EXPECT_EQ(Items(1), (Shown{"other.example.com", "old.example.com"}));
}

class WebListsPanel : public ProgramTest {
 protected:
  void ShowPanel() {
    Start();
    Tab("Setting");
    Click("Web Lists");
  }
  void Add(const std::string& url, const std::string& list) {
    ASSERT_TRUE(ui_.Type(Seen(ControlKind::Edit, 0), url));
    if (!list.empty()) {
      ASSERT_TRUE(ui_.ChooseText(Seen(ControlKind::ComboBox, 0), list));
    }
    Click("Add");
  }
};

TEST_F(WebListsPanel, subscriptions_are_added_shown_and_kept_in_the_settings_file) {
  ShowPanel();
  Add("https://lists.example.org/hosts", "Advertisement");
  Add("https://lists.example.org/allow.txt", "User_NO_BadList");
  EXPECT_EQ(Items(0), (Shown{"https://lists.example.org/hosts > Advertisement",
                             "https://lists.example.org/allow.txt > User_NO_BadList"}));
  EXPECT_EQ(ui_.Find(Seen(ControlKind::Edit, 0))->text, "") << "ready for the next address";
  EXPECT_NE(Read("Veltra.ini").find("[WebLists]\r\nurl1=https://lists.example.org/hosts\r\nlist1=Advertisement\r\n"
                                    "count=2\r\nurl2=https://lists.example.org/allow.txt\r\nlist2=User_NO_BadList\r\n"),
            std::string::npos)
      << Read("Veltra.ini");
  ClickItem(0, 0);
  Click("Remove");
  EXPECT_EQ(Items(0), (Shown{"https://lists.example.org/allow.txt > User_NO_BadList"}));
  EXPECT_NE(Read("Veltra.ini").find("[WebLists]\r\nurl1=https://lists.example.org/allow.txt\r\nlist1=User_NO_BadList\r\n"
                                    "count=1\r\n"),
            std::string::npos)
      << Read("Veltra.ini");
  EXPECT_EQ(Read("Veltra.ini").find("url2"), std::string::npos) << Read("Veltra.ini");
  EXPECT_TRUE(Messages().empty());
}

TEST_F(WebListsPanel, what_cannot_be_subscribed_is_told_and_not_kept) {
  ShowPanel();
  Add("https://lists.example.org/hosts", "");
  Add("lists.example.org/hosts", "Misc");
  Add("https://lists.example.org/hosts", "Misc");
  Add("https://lists.example.org/hosts", "Porno");
  Click("Remove");
  EXPECT_EQ(Messages(),
            (std::vector<std::string>{
                "Web Lists:: Choose the list that the new records of 'https://lists.example.org/hosts' go into.",
                "Web Lists:: Enter the web address of a block list, starting with http:// or https://.",
                "Web Lists:: 'https://lists.example.org/hosts' is subscribed already, into Misc. Remove it first to "
                "choose another list.",
                "Web Lists:: Select the subscription to remove in the list."}));
  EXPECT_EQ(Items(0), (Shown{"https://lists.example.org/hosts > Misc"}));
}

TEST_F(WebListsPanel, update_now_without_subscriptions_says_how_to_add_one) {
  ShowPanel();
  Click("Update Now");
  ASSERT_EQ(Messages().size(), 1u);
  EXPECT_EQ(Messages()[0], "Web Lists:: No web lists are subscribed yet: enter the address of a block list, choose "
                           "its list and press Add.");
}

TEST_F(WebListsPanel, every_panel_button_sends_the_web_lists_panel_back) {
  ShowPanel();
  EXPECT_NE(ui_.FindSeen("Update Now"), widgets::kNoControl);
  for (const char* other : {"Veltrane", "BanList", "Hosts", "Agnitum Outpost Firewall", "Kerio Personal Firewall",
                            "Kerio Winroute Firewall"}) {
    Click(other);
    EXPECT_EQ(ui_.FindSeen("Update Now"), widgets::kNoControl) << other;
    Click("Web Lists");
    EXPECT_NE(ui_.FindSeen("Update Now"), widgets::kNoControl) << other;
  }
}

}  // namespace
