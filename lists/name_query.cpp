#include "lists/name_query.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>

#include "lists/list_files.h"
#include "lists/web_origins_files.h"
#include "lists/web_subscriptions.h"
#include "runtime/ini_path.h"
#include "runtime/lines.h"
#include "runtime/platform/files.h"
#include "runtime/platform/idna.h"
#include "runtime/platform/profile.h"
#include "runtime/text_case.h"
#include "runtime/two_cores.h"
#include "targets/common/domain_name.h"
#include "targets/common/never_block.h"
#include "targets/target_catalog.h"

namespace {

bool IsAscii(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::string_view Trimmed(std::string_view line) {
  while (!line.empty() && static_cast<unsigned char>(line.front()) <= 32) line.remove_prefix(1);
  while (!line.empty() && static_cast<unsigned char>(line.back()) <= 32) line.remove_suffix(1);
  return line;
}

// The lines of `bytes` that are one of `forms` once trimmed, letters A to Z in either case. A
// line's length decides before its bytes are compared: most lines are passed over at the speed
// the line breaks are found.
std::vector<std::string> MatchingLines(std::string_view bytes, const std::vector<std::string>& forms) {
  std::vector<std::string> found;
  size_t shortest = SIZE_MAX, longest = 0;
  for (const std::string& form : forms)
    shortest = std::min(shortest, form.size()), longest = std::max(longest, form.size());
  for (size_t at = 0; at < bytes.size();) {
    const void* end_found = std::memchr(bytes.data() + at, '\n', bytes.size() - at);
    const size_t end = end_found ? size_t(static_cast<const char*>(end_found) - bytes.data()) : bytes.size();
    const size_t length = end - at;
    if (length >= shortest && length <= longest + 64) {
      const std::string_view line = Trimmed(bytes.substr(at, length));
      for (const std::string& form : forms)
        if (line.size() == form.size() && FoldedEqual(line, form)) {
          found.emplace_back(line);
          break;
        }
    }
    at = end + 1;
  }
  return found;
}

std::string Setting(const std::string& ini, const char* section, const char* key) {
  return platform::ReadProfileString(ini, section, key);
}

// The lines of User_NO_BadList that may spare one of `forms`: those equal to one, and the "*."
// lines. A line of any other form spares nothing, and a million of them are not made rules.
std::vector<std::string> SparingCandidates(std::string_view bytes, const std::vector<std::string>& forms) {
  std::vector<std::string> lines;
  EachLineOf(bytes, LineBreaks::Any, [&](size_t from, size_t size) {
    const std::string_view line = bytes.substr(from, size);
    if (Trimmed(line).starts_with("*.") || std::find(forms.begin(), forms.end(), line) != forms.end())
      lines.emplace_back(line);
  });
  return lines;
}

// The lines of User_NO_BadList that spare the name, in any of its forms, as the exports judge it.
std::vector<std::string> SparingLines(std::vector<std::string> no_bad, const std::vector<std::string>& forms) {
  const NeverBlock rules(std::move(no_bad));
  std::vector<std::string> lines;
  for (const std::string& form : forms)
    for (const NeverBlockRule& rule : rules.EveryRule(form)) {
      std::string line(Trimmed(rule.line));
      if (std::find(lines.begin(), lines.end(), line) == lines.end()) lines.push_back(std::move(line));
    }
  return lines;
}

// What the next export to a target does with the name, as far as the records decide it.
std::string Verdict(TargetId id, const std::string& name, bool chosen, const std::vector<std::string>& spared) {
  if (!spared.empty()) return "not written: User_NO_BadList spares it (\"" + spared.front() + "\")";
  if (!chosen)
    return "not written: no list it is in is exported (the categories checked on page \"Export URL\", "
           "and User_BadList)";
  std::string_view why;
  switch (id) {
    case TargetId::Hosts: {
      const std::optional<std::string> ascii = AsciiName(name);
      why = ascii ? WhyNoHostName(*ascii) : kNoHostNameRecord;
      break;
    }
    case TargetId::Aof:
    case TargetId::Kpf:
    case TargetId::Kwf: return "written by the next export, unless its file holds it already";
    default:
      if (!BlockedDomainName(name, &why)) break;
      why = {};
  }
  if (!why.empty()) return "not written: a record " + std::string(why);
  return "written by the next export";
}

}  // namespace

std::vector<std::string> NameForms(std::string_view typed) {
  std::vector<std::string> forms{NormaliseRecord(typed)};
  const std::string& name = forms.front();
  std::optional<std::string> other =
      IsAscii(name) ? platform::UnicodeDomainName(name) : platform::AsciiDomainName(name);
  if (other && *other != name && !other->empty()) forms.push_back(NormaliseRecord(*other));
  return forms;
}

NameAnswer QueryName(std::string_view typed, const std::string& program_dir) {
  NameAnswer answer;
  const std::vector<std::string> forms = NameForms(typed);
  answer.name = forms.front();
  if (answer.name.empty()) return answer;

  // The lists, and which subscription answers for a name filed into one.
  const std::string ini = ResolveIniPath(kSettingsFile);
  std::vector<std::string> urls;
  for (const WebSubscription& s : ReadWebSubscriptions(ini)) urls.push_back(s.url);
  const FiledNames filed = ReadFiledNames(FiledNamesPath(program_dir));
  if (filed.state == OriginFile::State::Damaged)
    answer.troubles.push_back("'" + platform::NativePath(FiledNamesPath(program_dir)) + "' " + filed.why);
  // The lists are read and searched two at a time, on two cores: a million records each.
  struct Scan {
    std::string trouble;
    std::vector<std::string> matching, no_bad;
  };
  std::array<Scan, kListCount> scans;
  InHalves(
      kListCount,
      [&](size_t from, size_t to) {
        for (size_t l = from; l < to; ++l) {
          const std::string path = ListPath(program_dir, ListId(l));
          const platform::FileContent content = platform::ReadWholeFile(path);
          if (content.result == platform::FileContent::Result::Unreadable)
            scans[l].trouble = "'" + platform::NativePath(path) + "' cannot be read: " + content.why;
          if (ListId(l) == ListId::UserNoBad) scans[l].no_bad = SparingCandidates(content.bytes, forms);
          scans[l].matching = MatchingLines(content.bytes, forms);
        }
      },
      2);
  std::vector<std::string> no_bad;
  bool chosen = false;
  for (size_t l = 0; l < kListCount; ++l) {
    const ListId id = ListId(l);
    if (!scans[l].trouble.empty()) answer.troubles.push_back(std::move(scans[l].trouble));
    if (id == ListId::UserNoBad) no_bad = std::move(scans[l].no_bad);
    const std::string key = Info(id).gen_key;
    const bool exported = id == ListId::UserBad || (!key.empty() && Setting(ini, "BanList", key.c_str()) == "1");
    for (std::string& record : scans[l].matching) {
      NameAnswer::Holding holding{id, record, {}};
      for (size_t i = 0; i < filed.names.size(); ++i) {
        if (filed.names[i] != record) continue;
        const FiledName entry = filed.Entry(i);
        if (entry.list != id) continue;
        for (const std::string& url : urls)
          if (SubscriptionKey(url) == entry.key) holding.through = url;
      }
      answer.lists.push_back(std::move(holding));
      chosen = chosen || (exported && id != ListId::UserNoBad);
    }
  }
  for (const std::string& url : urls) {
    const HeldNames held = ReadHeldNames(SubscriptionNamesPath(program_dir, url), url);
    if (std::any_of(held.names.begin(), held.names.end(),
                    [&forms](std::string_view n) { return std::find(forms.begin(), forms.end(), n) != forms.end(); }))
      answer.held_by.push_back(url);
  }
  answer.spared_by = SparingLines(std::move(no_bad), forms);

  // Each target set up, as the export would take it.
  for (size_t t = 0; t < kTargetCount; ++t) {
    const TTargetInfo& target = kTargets[t];
    const std::string path = Setting(ini, target.section, target.path_key);
    const bool on = target.switch_key ? Setting(ini, "VELTR_Setting", target.switch_key) == "1" : path.size() > 1;
    if (!on) continue;
    answer.exports.push_back({std::string(target.title) + " (" + platform::NativePath(path) + ")",
                              Verdict(TargetId(t), answer.lists.empty() ? answer.name : answer.lists.front().record,
                                      chosen, answer.spared_by)});
  }
  return answer;
}

std::vector<std::string> NameAnswer::Lines() const {
  std::vector<std::string> lines;
  if (!Named()) {
    lines.push_back(name + ": no list holds it and no never-block rule names it");
  } else {
    lines.push_back(name + ":");
  }
  for (const Holding& h : lists)
    lines.push_back("  in " + std::string(Info(h.list).name) + " (\"" + h.record +
                    "\"): " + (h.through.empty() ? "filed by the user" : "filed through " + h.through));
  for (const std::string& url : held_by) lines.push_back("  held by the web list " + url);
  for (const std::string& line : spared_by) lines.push_back("  spared by User_NO_BadList: \"" + line + "\"");
  if (Named())
    for (const Export& e : exports) lines.push_back("  " + e.target + ": " + e.verdict);
  for (const std::string& trouble : troubles) lines.push_back("  " + trouble);
  return lines;
}
