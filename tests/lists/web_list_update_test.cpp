// Subscribed web lists, downloaded from a server the test runs on 127.0.0.1 and filed into
// the lists: what each answer does to the files, to the remembered answers, and to the
// report.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>

#include "lists/web_list_update.h"
#include "local_http_server.h"
#include "runtime/global_var.h"
#include "runtime/platform/profile.h"
#include "tests/app/program_fixture.h"

namespace {

// What "/changing.txt" serves now.
std::string g_changing;

void Serve(const HttpRequestSeen& request, LocalHttpServer& server, int c) {
  const std::string& path = request.path;
  if (path == "/stall.txt") {
    LocalHttpServer::Send(c, "HTTP/1.1 200 OK\r\nContent-Length: 1000\r\n\r\n0.0.0.0 s");
    server.StallUntilClosed(c, std::chrono::seconds(10));
  } else if (path == "/changing.txt") {
    LocalHttpServer::Answer(c, "200 OK", "", g_changing);
  } else if (path == "/hosts.txt") {
    if (request.Header("If-None-Match") == "\"h1\"") {
      LocalHttpServer::Send(c, "HTTP/1.1 304 Not Modified\r\nConnection: close\r\n\r\n");
      return;
    }
    LocalHttpServer::Answer(c, "200 OK", "ETag: \"h1\"\r\n",
                            "# a hosts file\r\n127.0.0.1 localhost\r\n0.0.0.0 b-ads.example.com\r\n"
                            "0.0.0.0 known.example.com\r\n0.0.0.0 a-ads.example.com\r\n");
  } else if (path == "/binary.txt") {
    LocalHttpServer::Answer(c, "200 OK", "", std::string("0.0.0.0 x.example.com\n\0\0\0", 25));
  } else if (path == "/portal.txt") {
    // A hotel's login page where the list should be, served as text with an ETag of its own.
    LocalHttpServer::Answer(c, "200 OK", "Content-Type: text/plain\r\nETag: \"w1\"\r\n",
                            "<html>\n<body>0.0.0.0 portal.example.com</body>\n</html>\n");
  } else if (path == "/first-304.txt") {
    LocalHttpServer::Send(c, "HTTP/1.1 304 Not Modified\r\nETag: \"n1\"\r\nConnection: close\r\n\r\n");
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
  std::vector<WebUpdateOutcome> Update(const std::vector<WebSubscription>& subscriptions,
                                       const AcceptLoss& accept = {}) {
    TListStore store;
    WebUpdateOptions options;
    options.progress = [this](const std::string& text) { progress_.push_back(text); };
    options.accept_loss = accept;
    return UpdateWebLists(subscriptions, store, options).outcomes;
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
  EXPECT_EQ(
      Texts(Update(subscriptions)),
      (std::vector<std::string>{server_.Url("/hosts.txt") + ": 2 new, 0 taken out, 1 known, 0 repeated, 0 skipped"}));
  EXPECT_EQ(Read("Lists/Advertisement.txt"), "a-ads.example.com\r\nb-ads.example.com\r\nzzz.example.com\r\n");
  EXPECT_EQ(Read("Lists/Misc.txt"), "known.example.com\r\n");
  EXPECT_EQ(platform::ReadProfileString(dir_ + "Backup/Web/state.ini", server_.Url("/hosts.txt"), "etag"), "\"h1\"");
  EXPECT_EQ(progress_.empty() ? "<none>" : progress_.back(), "") << "the status bar is given back";

  Write("Lists/Advertisement.txt", "");
  EXPECT_EQ(Texts(Update(subscriptions)), (std::vector<std::string>{server_.Url("/hosts.txt") + ": not modified"}));
  EXPECT_EQ(Read("Lists/Advertisement.txt"), "") << "a 304 files nothing";
  EXPECT_EQ(server_.Requests().back().Header("If-None-Match"), "\"h1\"");
}

// A failed download, a download that is no list (a NUL byte, a web page, a "not modified"
// to a first request), a list that cannot be saved, or one not read whole files nothing
// and is never saved over; its answer is not remembered, so the next update downloads it
// again.
TEST_F(WebListUpdate, a_failure_changes_nothing_and_is_told_with_its_reason) {
  const std::string nul("u.example.com\r\n\0tail\r\n", 22);
  Write("Lists/Porno.txt", "p.example.com\r\n");
  Write("Lists/Misc.txt", "m.example.com\r\n");
  ReadOnly("Lists/Misc.txt");
  const auto outcomes = Update({{server_.Url("/gone.txt"), "Porno"},
                                {server_.Url("/binary.txt"), "Porno"},
                                {server_.Url("/portal.txt"), "Porno"},
                                {server_.Url("/first-304.txt"), "Porno"},
                                {"ftp://example.com/list.txt", "Porno"},
                                {server_.Url("/hosts.txt"), "Nowhere"},
                                {server_.Url("/hosts.txt"), "Misc"}});
  EXPECT_EQ(Texts(outcomes),
            (std::vector<std::string>{
                server_.Url("/gone.txt") + ": error: the server answered 404 Not Found",
                server_.Url("/binary.txt") + ": error: is no text list: it holds a NUL byte at byte 23",
                server_.Url("/portal.txt") + ": error: is a web page, not a list: it begins with \"<html\"",
                server_.Url("/first-304.txt") +
                    ": error: the server answered 304 Not Modified to a request for the whole list",
                "ftp://example.com/list.txt: error: not an http:// or https:// address",
                server_.Url("/hosts.txt") + ": error: no list is named 'Nowhere'",
                server_.Url("/hosts.txt") + ": error: 'Misc.txt' could not be saved; nothing was filed"}));
  Write("Lists/Unsorted.txt", nul);
  EXPECT_EQ(Update({{server_.Url("/hosts.txt"), "Porno"}}).at(0).error,
            "a list could not be read whole; nothing was filed");
  EXPECT_EQ(Read("Lists/Porno.txt"), "p.example.com\r\n");
  EXPECT_EQ(Read("Lists/Misc.txt"), "m.example.com\r\n");
  EXPECT_EQ(Read("Lists/Unsorted.txt"), nul);
  for (const auto& outcome : outcomes)
    EXPECT_EQ(platform::ReadProfileString(dir_ + "Backup/Web/state.ini", outcome.subscription.url, "etag"), "")
        << "nothing remembered of a failure";
  EXPECT_EQ(server_.Requests().size(), 6u) << "the ftp address and the unknown list were not fetched";
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_TRUE(Messages()[0].starts_with("Error:: Could not save '")) << Messages()[0];
}

// A list that lost more than half its names (an error page of ten names where a million
// stood) changes nothing and fails, until the user accepts it; then what it dropped leaves.
TEST_F(WebListUpdate, a_list_that_lost_more_than_half_its_names_is_held_back_until_accepted) {
  const std::vector<WebSubscription> subscriptions{{server_.Url("/changing.txt"), "Misc"}};
  g_changing = "a.example.com\nb.example.com\nc.example.com\n";
  ASSERT_EQ(Texts(Update(subscriptions)),
            (std::vector<std::string>{server_.Url("/changing.txt") +
                                      ": 3 new, 0 taken out, 0 known, 0 repeated, 0 skipped"}));
  g_changing = "a.example.com\n";
  size_t asked_lost = 0, asked_had = 0;
  const auto refuse = [&](const WebSubscription&, size_t lost, size_t had) {
    asked_lost = lost, asked_had = had;
    return false;
  };
  EXPECT_EQ(Update(subscriptions, refuse).at(0).error,
            "it lost 2 of the 3 names of its last update, more than half (a mistake upstream, or a page that is no "
            "list?): held back, nothing of it changed");
  EXPECT_EQ(asked_lost, 2u);
  EXPECT_EQ(asked_had, 3u);
  EXPECT_EQ(Read("Lists/Misc.txt"), "a.example.com\r\nb.example.com\r\nc.example.com\r\n");
  const auto accept = [](const WebSubscription&, size_t, size_t) { return true; };
  EXPECT_EQ(Texts(Update(subscriptions, accept)),
            (std::vector<std::string>{server_.Url("/changing.txt") +
                                      ": 0 new, 2 taken out, 1 known, 0 repeated, 0 skipped"}));
  EXPECT_EQ(Read("Lists/Misc.txt"), "a.example.com\r\n");
  g_changing = "a.example.com\nd.example.com\n";
  EXPECT_EQ(
      Texts(Update(subscriptions)),
      (std::vector<std::string>{server_.Url("/changing.txt") + ": 1 new, 0 taken out, 1 known, 0 repeated, 0 skipped"}))
      << "losing none of one name is no loss";
}

// The same in the window: "Update Now" asks before it files such a list, and "Remove" takes
// out the names only the subscription brought; "Find" says where a name came from.
TEST_F(WebListUpdate, the_window_asks_before_it_files_a_list_that_lost_half_and_removes_what_it_brought) {
  const std::string url = server_.Url("/changing.txt");
  g_changing = "a.example.com\nb.example.com\nc.example.com\n";
  Write("Lists/Misc.txt", "mine.example.com\r\n");
  Start();
  ASSERT_TRUE(ui_.ChooseText(ui_.Find(Seen(widgets::ControlKind::TabStrip, 0))->id, "Setting"));
  Click("Web Lists");
  ASSERT_TRUE(ui_.Type(ui_.NthSeen(widgets::ControlKind::Edit, 0), url));
  Pick("Advertisement");
  Click("Add");
  Click("Update Now");
  g_changing = "a.example.com\n";
  ui_.ClearShownDialogs();
  ui_.QueueMessageAnswer(widgets::MessageAnswer::No);
  Click("Update Now");
  ASSERT_EQ(Messages().size(), 2u);
  EXPECT_TRUE(Messages()[0].starts_with("Web Lists:: " + url + " lost 2 of the 3 names of its last update."))
      << Messages()[0];
  EXPECT_EQ(Read("Lists/Advertisement.txt"), "a.example.com\r\nb.example.com\r\nc.example.com\r\n");
  ui_.QueueMessageAnswer(widgets::MessageAnswer::Yes);
  Click("Update Now");
  EXPECT_EQ(Read("Lists/Advertisement.txt"), "a.example.com\r\n");

  ui_.ClearShownDialogs();
  ASSERT_TRUE(ui_.Choose(Seen(widgets::ControlKind::ListBox, 0), 0));
  Click("Remove");
  EXPECT_EQ(Messages(), std::vector<std::string>{"Web Lists:: '" + url +
                                                 "' is no longer subscribed: 1 name only it brought was taken out of "
                                                 "the lists."});
  EXPECT_EQ(Read("Lists/Advertisement.txt"), "");
  EXPECT_EQ(Read("Lists/Misc.txt"), "mine.example.com\r\n");
}

// The user stops an update (Esc in the window) while a list downloads: what came in whole
// before is filed, the download that runs ends, and the rest are not made.
TEST_F(WebListUpdate, a_stopped_update_files_what_came_whole_and_leaves_the_rest_as_it_was) {
  g_changing = "c.example.com\n";
  std::atomic<bool> cancel = false;
  WebUpdateOptions options;
  options.progress = [&](const std::string& text) {
    if (text.starts_with("Downloading 2 of 3")) cancel = true;
  };
  options.cancel = &cancel;
  TListStore store;
  const WebUpdate update = UpdateWebLists({{server_.Url("/hosts.txt"), "Advertisement"},
                                           {server_.Url("/stall.txt"), "Misc"},
                                           {server_.Url("/changing.txt"), "Porno"}},
                                          store, options);
  EXPECT_EQ(
      Texts(update.outcomes),
      (std::vector<std::string>{server_.Url("/hosts.txt") + ": 3 new, 0 taken out, 0 known, 0 repeated, 0 skipped",
                                server_.Url("/stall.txt") + ": error: cancelled",
                                server_.Url("/changing.txt") + ": error: cancelled: not downloaded"}));
  EXPECT_EQ(Read("Lists/Advertisement.txt"), "a-ads.example.com\r\nb-ads.example.com\r\nknown.example.com\r\n");
  EXPECT_EQ(Read("Lists/Misc.txt"), "<missing>");
  EXPECT_EQ(Read("Lists/Porno.txt"), "<missing>");
}

// In the window, Esc stops "Update Now"; the status bar says so while it downloads.
TEST_F(WebListUpdate, esc_stops_update_now) {
  Write("Veltra.ini", "[WebLists]\r\ncount=1\r\nurl1=" + server_.Url("/stall.txt") + "\r\nlist1=Misc\r\n");
  Start();
  ASSERT_TRUE(ui_.ChooseText(ui_.Find(Seen(widgets::ControlKind::TabStrip, 0))->id, "Setting"));
  Click("Web Lists");
  ui_.QueueEscape();
  ui_.ClearShownDialogs();
  Click("Update Now");
  EXPECT_EQ(Messages(), std::vector<std::string>{"Web Lists:: " + server_.Url("/stall.txt") + ": error: cancelled"});
  EXPECT_EQ(Read("Lists/Misc.txt"), "<missing>");
}

}  // namespace
