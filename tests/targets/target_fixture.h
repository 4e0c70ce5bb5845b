// What the target tests share: a scratch program folder, the in-memory window system, a
// fixed clock, the settings as global variables, and schemes built as their pages build them.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "runtime/global_registry.h"
#include "runtime/platform/clock.h"
#include "runtime/platform/files.h"
#include "runtime/scheme.h"
#include "widgets/headless/headless_backend.h"

// The program registers its global variables under lower-case names.
inline void Set(const std::string& variable, const std::string& value) { RegisterGlobal(variable) = MakeText(value); }
inline std::string Get(const std::string& variable) { return AsText(RegisterGlobal(variable)); }

// What an exporter tells of the files it wrote (its event 0), line by line.
class Summaries : public TKXObject {
 public:
  std::vector<std::string> lines;

  void Listen(TKXMultiElement& exporter) {
    exporter.SetEventCount(1);
    exporter.onEvent[0] = MakeLink<&Summaries::doText>(*this);
  }
  void doText(TData& value, uint16_t) { lines.push_back(AsText(value)); }
};

class TargetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // In memory where the system offers it: every save is flushed, and the tests save a lot.
    std::string pattern =
        platform::IsDirectory("/dev/shm") ? "/dev/shm/veltrane-targets-XXXXXX" : "/tmp/veltrane-targets-XXXXXX";
    dir_ = mkdtemp(pattern.data());
    dir_ += "/";
    platform::SetProgramDir(dir_);
    for (const char* folder : {"Backup", "Backup/Hosts", "Backup/KPF", "Backup/KWF", "Backup/AOF", "Logs"})
      platform::MakeDirectory(dir_ + folder);
    widgets::SetCurrentBackend(&ui_);
    platform::SetFixedTime(platform::LocalTime{2026, 12, 5, 6, 9, 53, 12});
    Set("veltr_dir", dir_);
    // Every setting a target reads starts empty, as in a fresh program folder.
    for (const char* name : {"p_hosts",          "p_kpf",        "p_kwf",        "p_aof",       "hosts",
                             "hosts_back",       "ip",           "update_cfg",   "begin_kpfip", "end_kpfip",
                             "kpf_back",         "winroute_cfg", "begin_kwfall", "end_kwfall",  "group_name",
                             "kwf_back",         "config_ini",   "begin_aofall", "aof_back",    "hosts_program",
                             "kpf_program",      "kwf_program",  "aof_program",  "ip6",         "per_line",
                             "dnsmasq",          "unbound",      "rpz",          "adblock",     "domains",
                             "resolvers_program"})
      Set(name, "");
  }
  void TearDown() override {
    platform::SetFixedTime(std::nullopt);
    widgets::SetCurrentBackend(nullptr);
    std::filesystem::remove_all(dir_);
  }

  template <class S>
  TKXMultiElement& Build() {
    auto element = std::make_unique<TKXChildPanel>(nullptr);
    element->SetScheme<S>();
    elements_.push_back(std::move(element));
    return *elements_.back();
  }
  static void Input(TKXMultiElement& scheme, uint16_t input, TData value = {}) { scheme.doWork(value, input); }
  // The records, and the lines of User_NO_BadList, of one export.
  static void Feed(TKXMultiElement& exporter, const std::vector<std::string>& records,
                   const std::vector<std::string>& never = {}) {
    Input(exporter, 0);
    for (const auto& record : records) Input(exporter, 1, MakeText(record));
    for (const auto& line : never) Input(exporter, 3, MakeText(line));
  }

  void Write(const std::string& relative, const std::string& bytes) {
    ASSERT_TRUE(platform::WriteFileAtomic(dir_ + relative, bytes)) << relative;
  }
  std::string Read(const std::string& relative) const {
    return platform::ReadFile(dir_ + relative).value_or("<missing>");
  }

  // The message boxes shown so far, as "caption: text".
  std::vector<std::string> Messages() const {
    std::vector<std::string> texts;
    for (const auto& d : ui_.ShownDialogs())
      if (d.kind == widgets::DialogKind::Message) texts.push_back(d.title + ": " + d.text);
    return texts;
  }

  std::string dir_;
  widgets::HeadlessBackend ui_;
  std::vector<std::unique_ptr<TKXMultiElement>> elements_;
};
