// The INI element's reading rule and the INI path rule (writes, deletes and erases: the
// settings and position scenarios check Veltra.ini byte for byte).
#include <tuple>

#include "runtime/ini.h"
#include "runtime/ini_path.h"
#include "runtime/runtime_fixture.h"

namespace {

using IniTest = ScratchFolderTest;

TEST_F(IniTest, reads_integers_as_numbers_or_zero_and_texts_as_they_stand) {
  platform::WriteFileAtomic(dir + "/Veltra.ini", "[S]\r\nnum=12\r\ntext=abc\r\n");
  TKXini ini;
  Probe result;
  ini.FileName = "Veltra.ini";
  ini.Section = "S";
  ini.onResult = result.Link();
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
