// Subscribed web lists, downloaded from a server the test runs on 127.0.0.1 and filed into
// the lists: what each answer does to the files, to the remembered answers, and to the
// report; and the Web Lists panel where the scenario web_lists_update_now does not go.
#include <gtest/gtest.h>

#include "lists/web_list_update.h"
#include "lists/web_subscriptions.h"
#include "local_http_server.h"
#include "runtime/global_var.h"
#include "runtime/platform/profile.h"
#include "tests/app/program_fixture.h"

namespace {

using Kind = WebUpdateOutcome::Kind;

void Serve(const HttpRequestSeen& request, LocalHttpServer&, int c) {
  const std::string& path = request.path;
  if (path == "/hosts.txt") {
    if (request.Header("If-None-Match") == "\"h1\"") {
      LocalHttpServer::Send(c, "HTTP/1.1 304 Not Modified\r\nConnection: close\r\n\r\n");
      return;
    }
    LocalHttpServer::Answer(c, "200 OK", "ETag: \"h1\"\r\n",
                            "# a hosts file\r\n127.0.0.1 localhost\r\n0.0.0.0 b-ads.example.com\r\n"
                            "0.0.0.0 known.example.com\r\n0.0.0.0 a-ads.example.com\r\n");
  } else if (path == "/binary.txt") {
    LocalHttpServer::Answer(c, "200 OK", "", std::string("0.0.0.0 x.example.com\n\0\0\0", 25));
  } else {
    LocalHttpServer::Answer(c, "404 Not Found", "", "");
  }
}

class WebListUpdate : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    dir_var_.SetName("VELTR_dir");
    dir_var_.SetValue(MakeText(dir_));
  }
  std::vector<WebUpdateOutcome> Update(const std::vector<WebSubscription>& subscriptions) {
    TListStore store;
    return UpdateWebLists(subscriptions, store, [this](const std::string& text) { progress_.push_back(text); });
  }
  std::vector<std::string> Texts(const std::vector<WebUpdateOutcome>& outcomes) {
    std::vector<std::string> texts;
    for (const auto& o : outcomes) texts.push_back(o.Text());
    return texts;
  }

  LocalHttpServer server_{Serve};
  TKXGlobalVar dir_var_;
  std::vector<std::string> progress_;
};

TEST_F(WebListUpdate, new_records_are_filed_sorted_and_an_unchanged_list_is_not_downloaded_again) {
  Write("Lists/Advertisement.txt", "zzz.example.com\r\n");
  Write("Lists/Misc.txt", "known.example.com\r\n");
  const std::vector<WebSubscription> subscriptions{{server_.Url("/hosts.txt"), "Advertisement"}};
  EXPECT_EQ(Texts(Update(subscriptions)),
            (std::vector<std::string>{server_.Url("/hosts.txt") + ": 2 new, 1 known, 2 skipped"}));
  EXPECT_EQ(Read("Lists/Advertisement.txt"), "a-ads.example.com\r\nb-ads.example.com\r\nzzz.example.com\r\n");
  EXPECT_EQ(Read("Lists/Misc.txt"), "known.example.com\r\n");
  EXPECT_EQ(platform::ReadProfileString(dir_ + "Backup/Web/state.ini", server_.Url("/hosts.txt"), "etag"), "\"h1\"");
  ASSERT_FALSE(progress_.empty());
  EXPECT_TRUE(progress_.front().starts_with("Downloading 1 of 1: " + server_.Url("/hosts.txt") + ", "))
      << progress_.front();
  EXPECT_EQ(progress_.back(), "") << "the status bar is given back";

  Write("Lists/Advertisement.txt", "");
  const auto again = Update(subscriptions);
  EXPECT_EQ(again.at(0).kind, Kind::NotModified);
  EXPECT_EQ(Texts(again), (std::vector<std::string>{server_.Url("/hosts.txt") + ": not modified"}));
  EXPECT_EQ(Read("Lists/Advertisement.txt"), "") << "a 304 files nothing";
  EXPECT_EQ(server_.Requests().back().Header("If-None-Match"), "\"h1\"");
}

TEST_F(WebListUpdate, a_failed_download_changes_nothing_and_is_told_with_its_reason) {
  Write("Lists/Porno.txt", "p.example.com\r\n");
  const auto outcomes = Update({{server_.Url("/gone.txt"), "Porno"},
                                {server_.Url("/binary.txt"), "Porno"},
                                {"ftp://example.com/list.txt", "Porno"},
                                {server_.Url("/hosts.txt"), "Nowhere"}});
  EXPECT_EQ(Texts(outcomes),
            (std::vector<std::string>{server_.Url("/gone.txt") + ": error: the server answered 404 Not Found",
                                      server_.Url("/binary.txt") +
                                          ": error: is no text list: it holds a NUL byte at byte 23",
                                      "ftp://example.com/list.txt: error: not an http:// or https:// address",
                                      server_.Url("/hosts.txt") + ": error: no list is named 'Nowhere'"}));
  EXPECT_EQ(Read("Lists/Porno.txt"), "p.example.com\r\n");
  EXPECT_EQ(Read("Backup/Web/state.ini"), "<missing>") << "nothing remembered of a failure";
  EXPECT_EQ(server_.Requests().size(), 2u) << "the ftp address and the unknown list were not fetched";
}

// A list that cannot be saved, or not read whole (a NUL byte), files nothing and is never
// saved over; its answer is not remembered, so the next update downloads it again.
TEST_F(WebListUpdate, a_list_that_cannot_be_saved_or_read_whole_files_nothing_and_its_answer_is_not_remembered) {
  const std::string nul("u.example.com\r\n\0tail\r\n", 22);
  Write("Lists/Misc.txt", "m.example.com\r\n");
  ReadOnly("Lists/Misc.txt");
  EXPECT_EQ(Update({{server_.Url("/hosts.txt"), "Misc"}}).at(0).error,
            "'Misc.txt' could not be saved; nothing was filed");
  Write("Lists/Unsorted.txt", nul);
  EXPECT_EQ(Update({{server_.Url("/hosts.txt"), "Unsorted"}}).at(0).kind, Kind::Failed);
  EXPECT_EQ(Read("Lists/Misc.txt"), "m.example.com\r\n");
  EXPECT_EQ(Read("Lists/Unsorted.txt"), nul);
  EXPECT_EQ(Read("Backup/Web/state.ini"), "<missing>");
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_TRUE(Messages()[0].starts_with("Error:: Could not save '")) << Messages()[0];
}

TEST(WebSubscriptions, only_http_and_https_addresses_with_a_host_can_be_subscribed) {
  for (const char* yes : {"http://a.example/list.txt", "HTTPS://a.example", "https://127.0.0.1:8080/hosts"})
    EXPECT_TRUE(IsWebAddress(yes)) << yes;
  for (const char* no : {"", "a.example/list.txt", "ftp://a.example/x", "https://", "https:///x",
                         "https://a.example/list with blank.txt", "file:///etc/hosts"})
    EXPECT_FALSE(IsWebAddress(no)) << no;
}

class WebListsPanel : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    Start();
    Tab("Setting");
    Click("Web Lists");
  }
  void Add(const std::string& url, const std::string& list) {
    ASSERT_TRUE(ui_.Type(Seen(widgets::ControlKind::Edit, 0), url));
    if (!list.empty()) {
      ASSERT_TRUE(ui_.ChooseText(Seen(widgets::ControlKind::ComboBox, 0), list));
    }
    Click("Add");
  }
};

TEST_F(WebListsPanel, what_cannot_be_subscribed_is_told_and_not_kept) {
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
  EXPECT_EQ(Items(0), (std::deque<std::string>{"https://lists.example.org/hosts > Misc"}));
}

}  // namespace
