#include "targets/common/never_block.h"

#include "elements/strings/trim.h"
#include "targets/common/domain_name.h"

namespace {

// The first of the lines that share each number the index gave, numbers being given in the
// order texts first come.
std::vector<uint32_t> FirstOfEach(const std::vector<uint32_t>& numbers, const std::vector<uint32_t>& lines) {
  std::vector<uint32_t> first;
  for (size_t i = 0; i < numbers.size(); ++i)
    if (numbers[i] == first.size()) first.push_back(lines[i]);
  return first;
}

}  // namespace

std::optional<std::string_view> WholeDomainOf(std::string_view line) {
  const std::string_view text = TrimBlanks(line);
  if (!text.starts_with("*.")) return std::nullopt;
  const std::string_view domain = text.substr(2);
  if (domain.empty() || domain.find('*') != std::string_view::npos) return std::nullopt;
  return domain;
}

std::optional<std::string_view> NeverBlock::Key(std::string_view text, std::string& storage) {
  text = text.substr(0, text.find('/'));
  bool plain = true;  // lower-case ASCII already, as most records are: the key is the text
  for (char c : text) plain = plain && static_cast<unsigned char>(c) < 0x80 && !(c >= 'A' && c <= 'Z');
  if (plain) return text;
  std::optional<std::string> ascii = AsciiName(text);
  if (!ascii) return std::nullopt;
  storage = std::move(*ascii);
  for (char& c : storage)
    if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
  return storage;
}

NeverBlock::NeverBlock(std::vector<std::string> lines) : lines_(std::move(lines)), exact_(lines_.size()) {
  std::vector<uint32_t> all(lines_.size());
  for (uint32_t i = 0; i < all.size(); ++i) all[i] = i;
  exact_lines_ = FirstOfEach(exact_.AddEach(lines_), all);

  std::vector<uint32_t> rules;
  for (uint32_t i = 0; i < lines_.size(); ++i) {
    const std::optional<std::string_view> domain = WholeDomainOf(lines_[i]);
    if (!domain) continue;
    std::string storage;
    const std::optional<std::string_view> key = Key(*domain, storage);
    if (!key) continue;
    domains_.emplace_back(*key);
    single_label_ = single_label_ || key->find('.') == std::string_view::npos;
    rules.push_back(i);
  }
  domain_index_ = RecordIndex(domains_.size());
  domain_lines_ = FirstOfEach(domain_index_.AddEach(domains_), rules);
}

std::optional<NeverBlock::Found> NeverBlock::DomainRule(std::string_view key) const {
  for (std::string_view name = key;;) {
    const size_t dot = name.find('.');
    // A name of one label is asked for only when a rule has one ("*.lan").
    if (dot != std::string_view::npos || single_label_) {
      if (const uint32_t found = domain_index_.Find(name); found != RecordIndex::kNone)
        return Found{domain_lines_[found], key.size() - name.size()};
    }
    if (dot == std::string_view::npos) return std::nullopt;
    name.remove_prefix(dot + 1);
  }
}

std::optional<NeverBlockRule> NeverBlock::Spares(std::string_view record) const {
  if (const uint32_t found = exact_.Find(record); found != RecordIndex::kNone)
    return NeverBlockRule{lines_[exact_lines_[found]], false};
  if (domains_.empty()) return std::nullopt;
  std::string storage;
  const std::optional<std::string_view> key = Key(record, storage);
  if (!key) return std::nullopt;
  if (const std::optional<Found> rule = DomainRule(*key)) return NeverBlockRule{lines_[rule->line], true};
  return std::nullopt;
}

std::vector<NeverBlockRule> NeverBlock::EveryRule(std::string_view record) const {
  std::vector<NeverBlockRule> rules;
  if (const uint32_t found = exact_.Find(record); found != RecordIndex::kNone)
    rules.push_back({lines_[exact_lines_[found]], false});
  std::string storage;
  const std::optional<std::string_view> key = Key(record, storage);
  if (!key || domains_.empty()) return rules;
  for (std::string_view name = *key;;) {
    const std::optional<Found> rule = DomainRule(name);
    if (!rule) break;
    rules.push_back({lines_[rule->line], true});
    // On from the domain above the one found.
    const size_t dot = name.find('.', rule->at);
    if (dot == std::string_view::npos) break;
    name.remove_prefix(dot + 1);
  }
  return rules;
}

void NeverBlock::RemoveSpared(RecordList& records) const {
  if (lines_.empty()) return;
  const std::vector<bool> exact = exact_.ContainsEach(records);
  std::string storage;
  records.KeepIf([&](size_t i) {
    if (exact[i]) return false;
    if (domains_.empty()) return true;
    const std::optional<std::string_view> key = Key(records[i], storage);
    return !(key && DomainRule(*key));
  });
}
