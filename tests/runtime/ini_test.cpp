// The INI element's four actions and the INI path rule.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/ini.h"
#include "runtime/ini_path.h"
#include "runtime/platform/files.h"

namespace {

struct Probe {
  std::vector<TData> got;
  void doIt(TData& v, uint16_t) { got.push_back(v); }
};

struct Source {
  TData value;
  void varValue(TData& v, uint16_t) { v = value; }
};

struct IniTest : ::testing::Test {
  std::string dir;
  TKXini ini;
  Probe result;
  void SetUp() override {
    char tmpl[] = "/tmp/veltrane-ini-XXXXXX";
    dir = ::mkdtemp(tmpl);
    platform::SetProgramDir(dir);
    ini.FileName = "Veltra.ini";
    ini.Section = "S";
    ini.onResult = MakeLink<&Probe::doIt>(result);
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  void WriteIni(const std::string& text) { platform::WriteFileAtomic(dir + "/Veltra.ini", text); }
  std::string IniText() { return platform::ReadFile(dir + "/Veltra.ini").value_or("<missing>"); }
};

TEST_F(IniTest, reads_integers_as_numbers_or_zero) {
  WriteIni("[S]\r\nnum=12\r\ntext=abc\r\n");
  for (const char* key : {"num", "text", "missing"}) {
    ini.Key = key;
    FireEvent(MakeLink<&TKXini::doRead>(ini));
  }
  ASSERT_EQ(result.got.size(), 3u);
  for (const auto& got : result.got) EXPECT_EQ(got.kind, KindInteger);
  EXPECT_EQ(result.got[0].integer, 12);
  EXPECT_EQ(result.got[1].integer, 0);
  EXPECT_EQ(result.got[2].integer, 0);
}

TEST_F(IniTest, reads_texts_with_an_empty_text_for_a_missing_key) {
  WriteIni("[S]\r\ntext=abc\r\n");
  ini.DataType = 1;
  ini.Key = "text";
  FireEvent(MakeLink<&TKXini::doRead>(ini));
  ini.Key = "missing";
  FireEvent(MakeLink<&TKXini::doRead>(ini));
  ASSERT_EQ(result.got.size(), 2u);
  EXPECT_EQ(result.got[0].text, "abc");
  EXPECT_EQ(result.got[1].kind, KindString);
  EXPECT_EQ(result.got[1].text, "");
}

TEST_F(IniTest, an_unlinked_empty_file_name_takes_the_arriving_value_first) {
  platform::WriteFileAtomic(dir + "/Other.ini", "[S]\r\nk=7\r\n");
  ini.FileName.clear();
  ini.Key = "k";
  FireEvent(MakeLink<&TKXini::doRead>(ini), std::string("Other.ini"));
  ASSERT_EQ(result.got.size(), 1u);
  EXPECT_EQ(result.got[0].integer, 7);
}

TEST_F(IniTest, writes_the_arriving_value_as_a_decimal_integer) {
  ini.Key = "n";
  FireEvent(MakeLink<&TKXini::doWrite>(ini), std::string("12"));
  EXPECT_EQ(IniText(), "[S]\r\nn=12\r\n");
  FireEvent(MakeLink<&TKXini::doWrite>(ini));
  EXPECT_EQ(IniText(), "[S]\r\nn=0\r\n");
}

TEST_F(IniTest, reads_the_value_before_the_key) {
  // Both inputs unlinked with empty defaults: the arriving value becomes the value, not the key.
  ini.DataType = 1;
  ini.Key = "k";
  FireEvent(MakeLink<&TKXini::doWrite>(ini), std::string("v"));
  EXPECT_EQ(IniText(), "[S]\r\nk=v\r\n");
  Source key, value;
  key.value = MakeText("linked_key");
  value.value = MakeText("linked value");
  ini.dataKey = MakeLink<&Source::varValue>(key);
  ini.dataValue = MakeLink<&Source::varValue>(value);
  FireEvent(MakeLink<&TKXini::doWrite>(ini), std::string("ignored"));
  EXPECT_EQ(IniText(), "[S]\r\nk=v\r\nlinked_key=linked value\r\n");
}

TEST_F(IniTest, deletes_a_key_and_erases_a_section) {
  WriteIni("[Form]\r\nLeft=1\r\nWidth=2\r\n[S]\r\nk=1\r\n");
  ini.Section = "Form";
  ini.Key = "Width";
  FireEvent(MakeLink<&TKXini::doDeleteKey>(ini));
  EXPECT_EQ(IniText(), "[Form]\r\nLeft=1\r\n[S]\r\nk=1\r\n");
  FireEvent(MakeLink<&TKXini::doEraseSection>(ini));
  EXPECT_EQ(IniText(), "[S]\r\nk=1\r\n");
}

struct PathCase {
  const char* name;
  const char* tmpdir;  // nullptr: TMPDIR unset
  const char* expected;
};

TEST(IniPath, replaces_macros_and_places_bare_names_in_the_program_folder) {
  platform::SetProgramDir("/opt/veltrane");
  const std::vector<PathCase> cases = {
      {"Veltra.ini", nullptr, "/opt/veltrane/Veltra.ini"},
      {"%windir%x.ini", nullptr, "/etc/x.ini"},
      {"%sysdir%x.ini", nullptr, "/etc/x.ini"},
      {"%tmpdir%x.ini", nullptr, "/tmp/x.ini"},
      {"%tmpdir%x.ini", "/var/t", "/var/t/x.ini"},
      {"%tmpdir%x.ini", "/var/t/", "/var/t/x.ini"},
      {"%tmpdir%x.ini", "", "/tmp/x.ini"},
      {"%tmpdir%a%tmpdir%", "/t%tmpdir%", "/t%tmpdir%/a/t%tmpdir%/"},  // inserted text is not searched again
      {"%windir%%windir%", nullptr, "/etc//etc/"},
      {"%WINDIR%x.ini", nullptr, "/opt/veltrane/%WINDIR%x.ini"},
      {"sub\\x.ini", nullptr, "sub\\x.ini"},
      {"sub/x.ini", nullptr, "sub/x.ini"},
      {"c:x.ini", nullptr, "c:x.ini"},
  };
  const char* saved = std::getenv("TMPDIR");
  const std::string saved_tmpdir = saved ? saved : "";
  for (const auto& c : cases) {
    if (c.tmpdir) ::setenv("TMPDIR", c.tmpdir, 1);
    else ::unsetenv("TMPDIR");
    EXPECT_EQ(ResolveIniPath(c.name), c.expected) << c.name << " with TMPDIR " << (c.tmpdir ? c.tmpdir : "unset");
  }
  if (saved) ::setenv("TMPDIR", saved_tmpdir.c_str(), 1);
  else ::unsetenv("TMPDIR");
}

}  // namespace
