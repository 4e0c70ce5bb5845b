// Global variables and the section loader.
#include "runtime/global_registry.h"
#include "runtime/global_var.h"
#include "runtime/gvar_container.h"
#include "runtime/runtime_fixture.h"

namespace {

std::string Read(TKXGlobalVar& var) {
  TData read = MakeInteger(9);
  PullData(MakeLink<&TKXGlobalVar::varValue>(var), read);
  return read.IsEmpty() ? "empty" : AsText(read);
}

TEST(GlobalVar, names_differing_only_in_case_share_one_cell_that_outlives_its_elements) {
  TKXGlobalVar lower;
  {
    TKXGlobalVar upper;
    upper.SetName("URL_Share");
    FireEvent(MakeLink<&TKXGlobalVar::doValue>(upper), std::string("http://x"));
  }
  lower.SetName("url_share");
  EXPECT_EQ(Read(lower), "http://x");
  EXPECT_EQ(FindGlobal("URL_Share"), nullptr);
}

TEST(GlobalVar, the_last_non_empty_default_wins_an_empty_value_is_stored_and_no_name_means_no_cell) {
  TKXGlobalVar first, second, third, nameless;
  first.SetName("default_order");
  first.SetDefault(MakeInteger(1));
  second.SetName("default_order");
  second.SetDefault(MakeInteger(0));
  third.SetName("default_order");
  third.SetDefault(TData{});
  EXPECT_EQ(Read(first), "0");
  FireEvent(MakeLink<&TKXGlobalVar::doValue>(third));
  EXPECT_EQ(Read(first), "empty");
  nameless.SetName("");
  nameless.SetDefault(MakeInteger(3));
  FireEvent(MakeLink<&TKXGlobalVar::doValue>(nameless), 5);
  EXPECT_EQ(Read(nameless), "empty");
}

std::string Cell(const std::string& name) {
  const TData* cell = FindGlobal(name);
  return cell ? (cell->kind == KindString ? "'" + cell->text + "'" : "not text") : "missing";
}

using SectionLoaderTest = ScratchFolderTest;

TEST_F(SectionLoaderTest, loads_texts_of_the_arriving_section_with_line_defaults_only_for_missing_keys) {
  platform::WriteFileAtomic(dir + "/Veltra.ini", "[Other]\r\nloaded_a=wrong\r\n[Load]\r\nLOADED_A = 12 \r\n"
                                                 "loaded_blank=\r\nMixedName=m\r\n");
  Probe end;
  TKXGVarContainer loader;
  loader.FileName = "Veltra.ini";
  loader.SetNames("loaded_a\r\nloaded_low\r\nloaded_one=1\r\nloaded_blank=x\r\nloaded_eq=a=b\r\nMixedName");
  loader.onEnd = MakeLink<&Probe::doIt>(end);
  FireEvent(MakeLink<&TKXGVarContainer::doRead>(loader), std::string("Load"));
  // loaded_blank is present but empty: its default does not apply. MixedName is registered as written.
  EXPECT_EQ((std::vector<std::string>{Cell("loaded_a"), Cell("loaded_low"), Cell("loaded_one"), Cell("loaded_blank"),
                                      Cell("loaded_eq"), Cell("MixedName"), Cell("mixedname")}),
            (std::vector<std::string>{"'12'", "''", "'1'", "''", "'a=b'", "'m'", "missing"}));
  ASSERT_EQ(end.got.size(), 1u);
  EXPECT_TRUE(end.got[0].IsEmpty());
}

}  // namespace
