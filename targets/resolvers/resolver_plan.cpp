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
  if (spared.empty() && !(compress && BlocksBelow(format))) {
    for (uint32_t i = 0; i < names.size(); ++i) plan.blocked.push_back({i, false});
    return plan;
  }
  RecordIndex blocked(names.size());
  blocked.AddEach(names);

  // The exceptions a blocked name above makes necessary, each name once ("*." wins over an
  // exact line of the same name).
  RecordIndex exceptions(spared.size());
  for (const TSparedName& rule : spared) {
    if (blocked.Contains(rule.name)) continue;
    bool below_blocked = false;
    ForEachAbove(rule.name, [&](std::string_view above) { return !(below_blocked = blocked.Contains(above)); });
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
        if (const uint32_t at = blocked.Find(above); at != RecordIndex::kNone && !left_out[at]) {
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

  // Without exceptions to mark names below, and without compress, the plan needs no walk.
  const bool marks = !plan.exceptions.empty();
  for (uint32_t i = 0; i < names.size(); ++i) {
    bool covered = false, below_exception = false;
    if (compress || marks) {
      ForEachAbove(names[i], [&](std::string_view above) {
        if (!plan.exceptions.empty() && exceptions.Contains(above)) {
          below_exception = true;
          return false;
        }
        if (compress && blocked.Contains(above)) {
          covered = true;
          return false;
        }
        return true;
      });
    }
    if (covered) {
      ++plan.covered;
    } else {
      plan.blocked.push_back({i, below_exception});
    }
  }
  return plan;
}
