#include "targets/resolvers/resolver_plan.h"

#include "elements/strlist/record_index.h"

namespace {

// Calls `step` with each name above `name` ("b.c" and "c" above "a.b.c"), nearest first,
// until it returns false.
template <class Step>
void ForEachAbove(std::string_view name, Step step) {
  for (size_t dot = name.find('.'); dot != std::string_view::npos; dot = name.find('.', dot + 1))
    if (!step(name.substr(dot + 1))) return;
}

}  // namespace

bool BlocksBelow(TargetId format) { return format != TargetId::Domains; }

TResolverPlan PlanResolverFile(TargetId format, const std::vector<std::string_view>& names,
                               const std::vector<TSparedName>& spared, bool compress) {
  TResolverPlan plan;
  plan.blocked.reserve(names.size());
  compress = compress && BlocksBelow(format);
  const auto all = [&] {
    for (uint32_t i = 0; i < names.size(); ++i) plan.blocked.push_back({i, false});
    return std::move(plan);
  };
  if (spared.empty() && !compress) return all();

  // The names the rules ask about: each spared name and the names above it (of two labels or
  // more: the others are no names), in a table small enough to stay in the cache, and where
  // the lists block each of them.
  RecordIndex around(spared.size() * 3);
  for (const TSparedName& rule : spared) {
    around.Add(rule.name);
    ForEachAbove(rule.name, [&](std::string_view above) {
      if (above.find('.') != std::string_view::npos) around.Add(above);
      return true;
    });
  }
  // With compress every name is looked up in a table of all names, which answers for the
  // rules' names too; otherwise each name is looked up in the small table.
  RecordIndex table(compress ? names.size() + spared.size() : 0);
  if (compress) table.AddEach(names);
  std::vector<uint32_t> blocked_at(around.Size(), RecordIndex::kNone);
  if (compress) {
    for (uint32_t at = 0; at < around.Size(); ++at) blocked_at[at] = table.Find(around.Key(at));
  } else if (around.Size() > 0) {
    for (uint32_t i = 0; i < names.size(); ++i)
      if (const uint32_t at = around.Find(names[i]); at != RecordIndex::kNone && blocked_at[at] == RecordIndex::kNone)
        blocked_at[at] = i;
  }
  const auto blocked = [&](std::string_view name) {
    const uint32_t at = around.Find(name);
    return at == RecordIndex::kNone ? RecordIndex::kNone : blocked_at[at];
  };

  // The exceptions a blocked name above makes necessary, each name once ("*." wins over an
  // exact line of the same name).
  RecordIndex exceptions(spared.size());
  for (const TSparedName& rule : spared) {
    if (blocked(rule.name) != RecordIndex::kNone) continue;
    bool below_blocked = false;
    ForEachAbove(rule.name,
                 [&](std::string_view above) { return !(below_blocked = blocked(above) != RecordIndex::kNone); });
    if (!below_blocked) continue;
    bool added = false;
    const uint32_t number = exceptions.Add(rule.name, &added);
    if (added) {
      plan.exceptions.push_back(rule);
    } else {
      plan.exceptions[number].whole_domain |= rule.whole_domain;
    }
  }

  if (!BlocksBelow(format)) {
    // The exception cannot be written: every blocked name above it is left out instead.
    std::vector<bool> left_out(names.size());
    for (const TSparedName& rule : plan.exceptions) {
      ForEachAbove(rule.name, [&](std::string_view above) {
        if (const uint32_t at = blocked(above); at != RecordIndex::kNone && !left_out[at]) {
          left_out[at] = true;
          plan.above_exception.push_back(at);
        }
        return true;
      });
    }
    plan.exceptions.clear();
    for (uint32_t i = 0; i < names.size(); ++i)
      if (!left_out[i]) plan.blocked.push_back({i, false});
    return plan;
  }
  // Only an Adblock-style list marks a name below an exception, and only compress covers one.
  const bool marks = format == TargetId::Adblock && !plan.exceptions.empty();
  if (!marks && !compress) return all();

  // Each name's names above it, nearest first: an exception there marks it; with compress, a
  // listed name there covers it, unless an exception stands between. With compress the names
  // above are looked up in one pass over the table of all names and exceptions (numbers from
  // names.size() on are the exceptions), the memory fetched ahead.
  std::vector<std::string_view> above;
  std::vector<uint32_t> first(names.size() + 1);
  for (uint32_t i = 0; i < names.size(); ++i) {
    first[i] = uint32_t(above.size());
    ForEachAbove(names[i], [&](std::string_view name) {
      if (name.find('.') != std::string_view::npos) above.push_back(name);
      return true;
    });
  }
  first[names.size()] = uint32_t(above.size());
  std::vector<uint32_t> found;
  if (compress) {
    for (const TSparedName& rule : plan.exceptions) table.Add(rule.name);
    found = table.FindEach(above);
  } else {
    found.resize(above.size(), RecordIndex::kNone);
    for (size_t j = 0; j < above.size(); ++j)
      if (exceptions.Contains(above[j])) found[j] = uint32_t(names.size());
  }
  std::vector<std::string_view>().swap(above);
  const uint32_t last_name = uint32_t(names.size());
  for (uint32_t i = 0; i < names.size(); ++i) {
    bool covered = false, below_exception = false;
    for (uint32_t j = first[i]; j < first[i + 1]; ++j) {
      if (found[j] == RecordIndex::kNone) continue;
      below_exception = found[j] >= last_name;
      covered = !below_exception;
      break;
    }
    if (covered) {
      ++plan.covered;
    } else {
      plan.blocked.push_back({i, below_exception});
    }
  }
  return plan;
}
