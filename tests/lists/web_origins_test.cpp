// Where the names of the subscriptions came from: what an update files and takes out, and what
// it never takes out (a name the user filed, moved or took out), across saves of what the
// subscriptions know and files of it that are damaged.
#include <gtest/gtest.h>

#include <deque>

#include "lists/web_origins.h"
#include "runtime/platform/files.h"
#include "tests/app/program_fixture.h"

namespace {

using Names = std::vector<std::string>;

class WebOriginsTest : public ProgramTest {
 protected:
  void SetUp() override {
    ProgramTest::SetUp();
    platform::MakeDirectory(dir_ + "Backup");
    platform::MakeDirectory(dir_ + "Backup/Web");
  }
  // One update of `url` (into Advertisement) whose list now holds `names`, on the lists as
  // they are, saved afterwards as an update saves them.
  WebOrigins::Update Update(const std::string& url, const Names& names, bool save = true) {
    held_.emplace_back(names);  // the names must live until the origins are saved
    WebOrigins origins;
    origins.Load(dir_, {kA, kB});
    troubles_ = origins.Troubles();
    origins.ForgetMoved(lists_);
    const WebOrigins::Update update = origins.Apply(url, ListId::Advertisement, held_.back(), lists_);
    std::string file, why;
    if (save) {
      EXPECT_TRUE(origins.Save(&file, &why)) << file << ": " << why;
    }
    return update;
  }
  RecordList& Ads() { return Of(lists_, ListId::Advertisement); }

  const std::string kA = "https://a.example/hosts", kB = "https://b.example/hosts";
  TListSet lists_;
  std::deque<RecordList> held_;
  std::vector<std::string> troubles_;
};

TEST_F(WebOriginsTest, a_dropped_name_leaves_only_when_a_subscription_brought_it_and_none_holds_it) {
  Of(lists_, ListId::Misc) = {"mine.example.com"};  // the user's before any subscription
  auto u = Update(kA, {"a.example.com", "shared.example.com", "mine.example.com"});
  EXPECT_EQ(u.fresh, 2u);
  EXPECT_EQ(u.known, 1u);
  Update(kB, {"shared.example.com"});
  u = Update(kA, {"mine.example.com"});  // drops the two it brought
  EXPECT_EQ(u.taken_out, 1u) << "shared.example.com stays: the other list holds it";
  EXPECT_EQ(Ads(), (Names{"shared.example.com"}));
  u = Update(kB, {});
  EXPECT_EQ(u.taken_out, 1u) << "now that no list holds it, the one answering for it takes it out";
  EXPECT_TRUE(Ads().empty());
  u = Update(kA, {});
  EXPECT_EQ(Of(lists_, ListId::Misc), (Names{"mine.example.com"})) << "a name the user filed never leaves";
}

TEST_F(WebOriginsTest, what_the_user_moved_claimed_or_took_out_is_the_users) {
  Update(kA, {"moved.example.com", "claimed.example.com", "deleted.example.com", "kept.example.com"});
  // The user moves one to Porno, imports a list holding another, and deletes a third.
  Ads() = {"claimed.example.com", "kept.example.com"};
  Of(lists_, ListId::Porno) = {"moved.example.com"};
  std::string file, why;
  ASSERT_TRUE(ClaimNames(dir_, {"claimed.example.com"}, &file, &why));
  auto u = Update(kA, {"deleted.example.com", "kept.example.com"});
  EXPECT_EQ(u.fresh, 0u) << "a name the user took out is not filed again while the list holds it";
  u = Update(kA, {});
  EXPECT_EQ(u.taken_out, 1u);
  EXPECT_EQ(Ads(), (Names{"claimed.example.com"}));
  EXPECT_EQ(Of(lists_, ListId::Porno), (Names{"moved.example.com"}));
}

TEST_F(WebOriginsTest, a_removed_subscription_takes_out_what_only_it_brought) {
  Update(kA, {"only-a.example.com", "both.example.com"});
  Update(kB, {"both.example.com"});
  WebOrigins origins;
  origins.Load(dir_, {kA, kB});
  std::array<bool, kListCount> changed{};
  EXPECT_EQ(origins.Remove(kA, lists_, changed), 1u);
  std::string file, why;
  ASSERT_TRUE(origins.Save(&file, &why));
  EXPECT_EQ(Ads(), (Names{"both.example.com"}));
  EXPECT_FALSE(platform::IsFile(SubscriptionNamesPath(dir_, kA)));
  EXPECT_EQ(Update(kB, {}).taken_out, 1u) << "the name passed to the subscription still holding it";
}

// A file of the subscriptions' that was cut short, edited or replaced is told and takes nothing
// out; the next update writes it anew and takes out again from then on.
TEST_F(WebOriginsTest, a_damaged_file_takes_nothing_out_until_the_next_good_update) {
  Update(kA, {"a.example.com", "b.example.com"});
  const std::string held = SubscriptionNamesPath(dir_, kA);
  const std::string good = platform::ReadFile(held).value();
  for (const std::string& damaged :
       Names{good.substr(0, good.size() - 3), "a.example.com\n", good + "extra.example.com\n"}) {
    SCOPED_TRACE(damaged);
    ASSERT_TRUE(platform::WriteFileAtomic(held, damaged));
    const auto u = Update(kA, {"a.example.com"}, false);
    EXPECT_EQ(u.taken_out, 0u);
    ASSERT_EQ(troubles_.size(), 1u);
    EXPECT_NE(troubles_[0].find("takes no name out"), std::string::npos) << troubles_[0];
  }
  ASSERT_TRUE(platform::WriteFileAtomic(held, good));
  ASSERT_TRUE(platform::WriteFileAtomic(FiledNamesPath(dir_), "# not ours\n"));
  EXPECT_EQ(Update(kA, {"a.example.com"}).taken_out, 0u) << "b.example.com is the user's now";
  EXPECT_EQ(Ads(), (Names{"a.example.com", "b.example.com"}));
  EXPECT_EQ(Update(kA, {}).taken_out, 0u) << "a.example.com was filed before the damage";
  ASSERT_TRUE(troubles_.empty());
}

// The filed names, grouped by list and subscription, read back as written; a group line or a
// count that is not the program's makes the file damaged, never a name of another list.
TEST_F(WebOriginsTest, the_filed_names_read_back_by_group_and_a_bad_group_is_damage) {
  const std::string path = FiledNamesPath(dir_);
  const std::string a(16, 'a'), b(16, 'b');
  const std::vector<FiledName> entries = {
      {"x.example", ListId::Advertisement, a}, {"y.example", ListId::Misc, b}, {"z.example", ListId::Advertisement, a}};
  ASSERT_TRUE(WriteFiledNames(path, entries, nullptr));
  const FiledNames read = ReadFiledNames(path);
  ASSERT_EQ(read.state, OriginFile::State::Read);
  ASSERT_EQ(read.names.size(), 3u);
  std::vector<std::string> got;
  for (size_t i = 0; i < read.names.size(); ++i) {
    const FiledName e = read.Entry(i);
    got.push_back(std::string(e.name) + " " + Info(e.list).name + " " + std::string(e.key));
  }
  EXPECT_EQ(got, (Names{"x.example Advertisement " + a, "z.example Advertisement " + a, "y.example Misc " + b}));

  const std::string head = "# Veltrane: the names the web lists filed, by list and subscription\n";
  for (const std::string& body : Names{"x.example\n# 1 names\n",                                // no group yet
                                       "# Nowhere " + a + "\nx.example\n# 1 names\n",           // no such list
                                       "# Advertisement 12345\nx.example\n# 1 names\n",         // no key
                                       "# Advertisement " + a + "\nx.example\n# 2 names\n"}) {  // miscounted
    SCOPED_TRACE(body);
    ASSERT_TRUE(platform::WriteFileAtomic(path, head + body));
    const FiledNames damaged = ReadFiledNames(path);
    EXPECT_EQ(damaged.state, OriginFile::State::Damaged);
    EXPECT_TRUE(damaged.names.empty());
  }
}

}  // namespace
