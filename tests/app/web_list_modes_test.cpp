// `veltrane --import` and `veltrane --update` as a script or a timer runs them: what they
// print, what they return, and that a failure leaves every list as it was. The web lists
// come from a server the test runs on 127.0.0.1.
#include "app/import_mode.h"
#include "app/update_mode.h"
#include "local_http_server.h"
#include "tests/app/program_fixture.h"
#include "widgets/headless/console_backend.h"

namespace {

void Serve(const HttpRequestSeen& request, LocalHttpServer&, int c) {
  if (request.path == "/easylist.txt")
    LocalHttpServer::Answer(c, "200 OK", "ETag: W/\"e1\"\r\n", "! EasyList\n||ads.example.com^\n||b.example.com^$third-party\n");
  else
    LocalHttpServer::Answer(c, "404 Not Found", "", "");
}

class WebListModes : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    widgets::SetCurrentBackend(&console_);
  }

  // The mode's exit code; what it printed in `out` and `err`.
  template <class Run>
  int Capture(Run run) {
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    const int code = run();
    out_ = ::testing::internal::GetCapturedStdout();
    err_ = ::testing::internal::GetCapturedStderr();
    return code;
  }

  std::string out_, err_;
  widgets::ConsoleBackend console_;
  LocalHttpServer server_{Serve};
};

TEST_F(WebListModes, import_files_the_new_records_sorted_and_prints_what_it_found) {
  Write("Lists/Misc.txt", "known.example.com\r\n");
  Write("Lists/Advertisement.txt", "zz.example.com\r\n");
  Write("hosts", "# StevenBlack\n127.0.0.1 localhost\n0.0.0.0 known.example.com\n0.0.0.0 b.example.com a.example.com\n");
  EXPECT_EQ(Capture([&] { return RunImportMode(dir_ + "hosts", "Advertisement"); }), 0);
  EXPECT_EQ(out_, "2 new, 1 known, 2 skipped\n");
  EXPECT_EQ(err_, "");
  EXPECT_EQ(Read("Lists/Advertisement.txt"), "a.example.com\r\nb.example.com\r\nzz.example.com\r\n");
  EXPECT_EQ(Read("Lists/Misc.txt"), "known.example.com\r\n");
}

TEST_F(WebListModes, import_refuses_what_it_cannot_read_or_save_and_changes_no_list) {
  Write("Lists/Porno.txt", "p.example.com\r\n");
  Write("list.txt", "new.example.com\n");
  EXPECT_EQ(Capture([&] { return RunImportMode(dir_ + "missing.txt", "Porno"); }), 1);
  EXPECT_EQ(err_, "veltrane: there is no file " + dir_ + "missing.txt\n");
  EXPECT_EQ(Capture([&] { return RunImportMode(dir_ + "list.txt", "Pornography"); }), 1);
  EXPECT_TRUE(err_.starts_with("veltrane: no list is named \"Pornography\"; the lists are \"Advertisement\", "))
      << err_;
  EXPECT_EQ(Capture([&] { return RunImportMode(server_.Url("/gone.txt"), "Porno"); }), 1);
  EXPECT_EQ(err_, "veltrane: cannot download " + server_.Url("/gone.txt") + ": the server answered 404 Not Found\n");
  ReadOnly("Lists/Porno.txt");
  EXPECT_EQ(Capture([&] { return RunImportMode(dir_ + "list.txt", "Porno"); }), 1);
  EXPECT_NE(err_.find("Could not save '" + dir_ + "Lists/Porno.txt'"), std::string::npos) << err_;
  EXPECT_EQ(out_, "");
  EXPECT_EQ(Read("Lists/Porno.txt"), "p.example.com\r\n");
}

TEST_F(WebListModes, update_prints_a_line_per_subscription_and_fails_when_any_failed) {
  EXPECT_EQ(Capture([] { return RunUpdateMode(); }), 0);
  EXPECT_EQ(out_, "No web lists are subscribed (the Setting page, Web Lists, subscribes to them).\n");

  Write("Veltra.ini", "[WebLists]\r\ncount=1\r\nurl1=" + server_.Url("/easylist.txt") + "\r\nlist1=Advertisement\r\n");
  EXPECT_EQ(Capture([] { return RunUpdateMode(); }), 0);
  EXPECT_EQ(out_, server_.Url("/easylist.txt") + ": 1 new, 0 known, 2 skipped\n");
  EXPECT_EQ(Read("Lists/Advertisement.txt"), "ads.example.com\r\n");
  EXPECT_EQ(server_.Requests().back().Header("If-None-Match"), "");

  Write("Veltra.ini", "[WebLists]\r\ncount=2\r\nurl1=" + server_.Url("/easylist.txt") +
                          "\r\nlist1=Advertisement\r\nurl2=" + server_.Url("/gone.txt") + "\r\nlist2=Misc\r\n");
  EXPECT_EQ(Capture([] { return RunUpdateMode(); }), 1);
  EXPECT_EQ(out_, server_.Url("/easylist.txt") + ": 0 new, 1 known, 2 skipped\n");
  EXPECT_EQ(err_, "veltrane: " + server_.Url("/gone.txt") + ": error: the server answered 404 Not Found\n");
  EXPECT_EQ(server_.Requests().at(1).Header("If-None-Match"), "W/\"e1\"") << "a weak ETag comes back as it was";
}

// A hand-edited section that cannot be read as it was written is told on standard error and
// fails the update; what can be read is updated all the same.
TEST_F(WebListModes, update_tells_a_section_of_subscriptions_that_cannot_be_read_as_written) {
  const std::string url = "\r\nurl1=" + server_.Url("/easylist.txt") + "\r\nlist1=Advertisement\r\n";
  struct Case {
    std::string section, told;
  };
  const Case cases[] = {
      {"[WebLists]\r\ncount=-1" + url, "count=-1 in section [WebLists] is no whole number from 0 to 10000"},
      {"[WebLists]" + url, "section [WebLists] has url1 but no count"},
      {"[WebLists]\r\ncount=0x10" + url, "count=0x10 in section [WebLists] is no whole number from 0 to 10000"},
      {"[WebLists]\r\ncount=1000000" + url, "count=1000000 in section [WebLists] is more than 10000 web lists"},
      {"[WebLists]\r\ncount=0" + url, "section [WebLists] has url1 beyond count=0"},
      {"[WebLists]\r\ncount=1" + url + "[WebLists]\r\ncount=0\r\n",
       "the section [WebLists] is there 2 times, and only the first is read"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.section);
    Write("Veltra.ini", c.section);
    EXPECT_EQ(Capture([] { return RunUpdateMode(); }), 1);
    EXPECT_EQ(err_, "veltrane: " + dir_ + "Veltra.ini: " + c.told + "\n");
  }
  EXPECT_EQ(out_, server_.Url("/easylist.txt") + ": 0 new, 1 known, 2 skipped\n") << "the readable one was updated";
}

}  // namespace
