// The INI element's four actions and the INI path rule.
#include <tuple>

#include "runtime/ini.h"
#include "runtime/ini_path.h"
#include "runtime/runtime_fixture.h"

namespace {

struct IniTest : ScratchFolderTest {
  TKXini ini;
  Probe result;
  void SetUp() override {
    ScratchFolderTest::SetUp();
    ini.FileName = "Veltra.ini";
    ini.Section = "S";
    ini.onResult = MakeLink<&Probe::doIt>(result);
  }
  void WriteIni(const std::string& text) { platform::WriteFileAtomic(dir + "/Veltra.ini", text); }
  std::string IniText() { return platform::ReadFile(dir + "/Veltra.ini").value_or("<missing>"); }
};

TEST_F(IniTest, reads_integers_as_numbers_or_zero_and_texts_as_they_stand) {
  WriteIni("[S]\r\nnum=12\r\ntext=abc\r\n");
  const std::vector<std::tuple<uint8_t, const char*, uint8_t, const char*>> cases = {
      {0, "num", KindInteger, "12"}, {0, "text", KindInteger, "0"}, {0, "missing", KindInteger, "0"},
      {1, "text", KindString, "abc"}, {1, "missing", KindString, ""},
  };
  for (const auto& [type, key, kind, text] : cases) {
    ini.DataType = type;
    ini.Key = key;
    result.got.clear();
    FireEvent(MakeLink<&TKXini::doRead>(ini));
    ASSERT_EQ(result.got.size(), 1u) << key;
    EXPECT_EQ(result.got[0].kind, kind) << key;
    EXPECT_EQ(AsText(result.got[0]), text) << key;
  }
}

TEST_F(IniTest, writes_integers_in_decimal_and_reads_the_value_before_the_key) {
  ini.Key = "n";
  FireEvent(MakeLink<&TKXini::doWrite>(ini), std::string("12"));
  EXPECT_EQ(IniText(), "[S]\r\nn=12\r\n");
  FireEvent(MakeLink<&TKXini::doWrite>(ini));
  // Key and value unlinked with empty defaults: the arriving value becomes the value,
  // which leaves no key to write.
  ini.DataType = 1;
  ini.Key.clear();
  FireEvent(MakeLink<&TKXini::doWrite>(ini), std::string("v"));
  Source key{MakeText("linked_key")}, value{MakeText("linked value")};
  ini.dataKey = MakeLink<&Source::varValue>(key);
  ini.dataValue = MakeLink<&Source::varValue>(value);
  FireEvent(MakeLink<&TKXini::doWrite>(ini), std::string("ignored"));
  EXPECT_EQ(IniText(), "[S]\r\nn=0\r\nlinked_key=linked value\r\n");
}

TEST_F(IniTest, deletes_a_key_and_erases_a_section_of_a_file_named_by_the_arriving_value) {
  WriteIni("[Form]\r\nLeft=1\r\nWidth=2\r\n[S]\r\nk=1\r\n");
  ini.FileName.clear();  // unlinked and empty: the first input to take what arrives
  ini.Section = "Form";
  ini.Key = "Width";
  FireEvent(MakeLink<&TKXini::doDeleteKey>(ini), std::string("Veltra.ini"));
  EXPECT_EQ(IniText(), "[Form]\r\nLeft=1\r\n[S]\r\nk=1\r\n");
  FireEvent(MakeLink<&TKXini::doEraseSection>(ini), std::string("Veltra.ini"));
  EXPECT_EQ(IniText(), "[S]\r\nk=1\r\n");
}

TEST(IniPath, replaces_macros_and_places_bare_names_in_the_program_folder) {
#ifdef _WIN32
  GTEST_SKIP() << "the Linux folders; the Windows ones are checked with the Windows file layer";
#endif
  platform::SetProgramDir("/opt/veltrane");
  const std::vector<std::tuple<const char*, const char*, const char*>> cases = {
      // name, TMPDIR (nullptr: unset), resolved path
      {"Veltra.ini", nullptr, "/opt/veltrane/Veltra.ini"},
      {"%windir%x.ini", nullptr, "/etc/x.ini"},
      {"%tmpdir%x.ini", nullptr, "/tmp/x.ini"},
      {"%tmpdir%x.ini", "/var/t", "/var/t/x.ini"},
      {"%tmpdir%x.ini", "", "/tmp/x.ini"},
      {"%tmpdir%a%tmpdir%", "/t%tmpdir%", "/t%tmpdir%/a/t%tmpdir%/"},  // inserted text is not searched again
      {"%WINDIR%x.ini", nullptr, "/opt/veltrane/%WINDIR%x.ini"},
      {"sub\\x.ini", nullptr, "sub\\x.ini"},
      {"sub/x.ini", nullptr, "sub/x.ini"},
  };
  const char* saved = std::getenv("TMPDIR");
  const std::string saved_tmpdir = saved ? saved : "";
  for (const auto& [name, tmpdir, expected] : cases) {
    if (tmpdir) ::setenv("TMPDIR", tmpdir, 1);
    else ::unsetenv("TMPDIR");
    EXPECT_EQ(ResolveIniPath(name), expected) << name << " with TMPDIR " << (tmpdir ? tmpdir : "unset");
  }
  if (saved) ::setenv("TMPDIR", saved_tmpdir.c_str(), 1);
  else ::unsetenv("TMPDIR");
}

}  // namespace
