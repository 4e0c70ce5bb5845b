// Global variables, the section loader and the memory element.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "runtime/global_registry.h"
#include "runtime/global_var.h"
#include "runtime/gvar_container.h"
#include "runtime/memory.h"
#include "runtime/platform/files.h"

namespace {

struct Probe {
  std::vector<TData> got;
  void doIt(TData& v, uint16_t) { got.push_back(v); }
};

TEST(GlobalVar, names_differing_only_in_case_share_one_cell) {
  TKXGlobalVar upper, lower;
  upper.SetName("URL_Share");
  lower.SetName("url_share");
  EXPECT_EQ(upper.Name, "url_share");
  FireEvent(MakeLink<&TKXGlobalVar::doValue>(upper), std::string("http://x"));
  TData read;
  PullData(MakeLink<&TKXGlobalVar::varValue>(lower), read);
  EXPECT_EQ(read.text, "http://x");
  EXPECT_EQ(FindGlobal("url_share"), FindGlobal("url_share"));
  EXPECT_EQ(FindGlobal("URL_Share"), nullptr);
}

TEST(GlobalVar, the_last_non_empty_default_wins_and_an_empty_value_is_stored_too) {
  TKXGlobalVar first, second, third;
  first.SetName("default_order");
  first.SetDefault(MakeInteger(1));
  second.SetName("default_order");
  second.SetDefault(MakeInteger(0));
  third.SetName("default_order");
  third.SetDefault(TData{});
  TData read;
  first.varValue(read, 0);
  EXPECT_EQ(read.kind, KindInteger);
  EXPECT_EQ(read.integer, 0);
  FireEvent(MakeLink<&TKXGlobalVar::doValue>(third));
  first.varValue(read, 0);
  EXPECT_TRUE(read.IsEmpty());
}

TEST(GlobalVar, an_empty_name_ignores_values_and_reads_empty) {
  TKXGlobalVar nameless;
  nameless.SetName("");
  nameless.SetDefault(MakeInteger(3));
  FireEvent(MakeLink<&TKXGlobalVar::doValue>(nameless), 5);
  TData read = MakeInteger(9);
  nameless.varValue(read, 0);
  EXPECT_TRUE(read.IsEmpty());
}

TEST(GlobalVar, a_freed_element_leaves_its_cell_in_the_registry) {
  {
    TKXGlobalVar temporary;
    temporary.SetName("outlives_element");
    temporary.SetDefault(MakeText("kept"));
  }
  ASSERT_NE(FindGlobal("outlives_element"), nullptr);
  EXPECT_EQ(FindGlobal("outlives_element")->text, "kept");
}

struct SectionLoaderTest : ::testing::Test {
  std::string dir;
  void SetUp() override {
    char tmpl[] = "/tmp/veltrane-globals-XXXXXX";
    dir = ::mkdtemp(tmpl);
    platform::SetProgramDir(dir);
    platform::WriteFileAtomic(dir + "/Veltra.ini",
                              "[Other]\r\nloaded_a=wrong\r\n[Load]\r\nLOADED_A = 12 \r\nloaded_blank=\r\n"
                              "MixedName=m\r\n");
  }
  void TearDown() override { std::filesystem::remove_all(dir); }
  static std::string Cell(const std::string& name) {
    const TData* cell = FindGlobal(name);
    return cell ? (cell->kind == KindString ? "'" + cell->text + "'" : "not text") : "missing";
  }
};

TEST_F(SectionLoaderTest, loads_texts_with_line_defaults_only_for_missing_keys) {
  TKXGVarContainer loader;
  Probe end;
  loader.FileName = "Veltra.ini";
  loader.Section = "Load";
  loader.SetNames("loaded_a\r\nloaded_low\r\nloaded_one=1\r\nloaded_blank=x\r\nloaded_eq=a=b\r\nMixedName");
  loader.onEnd = MakeLink<&Probe::doIt>(end);
  FireEvent(MakeLink<&TKXGVarContainer::doRead>(loader), 77);
  EXPECT_EQ(Cell("loaded_a"), "'12'");
  EXPECT_EQ(Cell("loaded_low"), "''");
  EXPECT_EQ(Cell("loaded_one"), "'1'");
  EXPECT_EQ(Cell("loaded_blank"), "''");  // present but empty: the default does not apply
  EXPECT_EQ(Cell("loaded_eq"), "'a=b'");
  EXPECT_EQ(Cell("MixedName"), "'m'");  // registered exactly as written
  EXPECT_EQ(Cell("mixedname"), "missing");
  ASSERT_EQ(end.got.size(), 1u);
  EXPECT_TRUE(end.got[0].IsEmpty());
}

TEST_F(SectionLoaderTest, reads_the_section_before_the_file_name) {
  TKXGVarContainer loader;
  loader.FileName = "Veltra.ini";
  loader.SetNames("from_arriving_section");
  platform::WriteFileAtomic(dir + "/Veltra.ini", "[Arrived]\r\nfrom_arriving_section=yes\r\n");
  FireEvent(MakeLink<&TKXGVarContainer::doRead>(loader), std::string("Arrived"));
  EXPECT_EQ(Cell("from_arriving_section"), "'yes'");
}

TEST_F(SectionLoaderTest, a_missing_file_loads_every_default) {
  TKXGVarContainer loader;
  loader.FileName = "Absent.ini";
  loader.Section = "Load";
  loader.SetNames("absent_plain\r\nabsent_one=1");
  FireEvent(MakeLink<&TKXGVarContainer::doRead>(loader));
  EXPECT_EQ(Cell("absent_plain"), "''");
  EXPECT_EQ(Cell("absent_one"), "'1'");
}

TEST(Memory, clear_restores_the_default_and_passes_it_on) {
  Probe out;
  TKXMemory memory;
  memory.SetDefault(MakeInteger(1));
  memory.onData = MakeLink<&Probe::doIt>(out);
  FireEvent(MakeLink<&TKXMemory::doValue>(memory), std::string("stored"));
  TData read;
  memory.varValue(read, 0);
  EXPECT_EQ(read.text, "stored");
  FireEvent(MakeLink<&TKXMemory::doClear>(memory), std::string("ignored"));
  memory.varValue(read, 0);
  EXPECT_EQ(read.integer, 1);
  ASSERT_EQ(out.got.size(), 2u);
  EXPECT_EQ(out.got[0].text, "stored");
  EXPECT_EQ(out.got[1].kind, KindInteger);
  EXPECT_EQ(out.got[1].integer, 1);
}

TEST(Memory, clear_without_a_default_stores_and_fires_the_empty_value) {
  Probe out;
  TKXMemory memory;
  memory.onData = MakeLink<&Probe::doIt>(out);
  FireEvent(MakeLink<&TKXMemory::doValue>(memory), 5);
  FireEvent(MakeLink<&TKXMemory::doClear>(memory), 5);
  ASSERT_EQ(out.got.size(), 2u);
  EXPECT_TRUE(out.got[1].IsEmpty());
  EXPECT_TRUE(memory.Value.IsEmpty());
}

}  // namespace
