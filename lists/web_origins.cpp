#include "lists/web_origins.h"

#include <algorithm>
#include <optional>

#include "runtime/platform/files.h"
#include "runtime/two_cores.h"

namespace {

std::string Trouble(const std::string& path, const std::string& why, std::string_view consequence) {
  std::string text = "'";
  text += platform::NativePath(path);
  text += "' ";
  text += why;
  text += ". ";
  text += consequence;
  return text;
}

}  // namespace

void WebOrigins::Load(const std::string& program_dir, const std::vector<std::string>& urls) {
  program_dir_ = program_dir;
  filed_path_ = FiledNamesPath(program_dir);
  subscriptions_.clear();
  subscriptions_.reserve(urls.size() + 1);
  owners_.clear();
  for (const std::string& url : urls)
    if (!Find(url)) Add(url);  // an address subscribed twice is one subscription here

  // "filed.txt" is read and its names indexed on a second core while the subscriptions' files
  // are read here: the second touches only the marks, this one only the subscriptions.
  std::optional<std::string> filed_trouble;
  two_cores::Both(
      [&] {
        FiledNames filed = ReadFiledNames(filed_path_);
        if (filed.state == OriginFile::State::Damaged) {
          filed_damaged_ = true;
          filed_trouble = Trouble(filed_path_, filed.why,
                                  "The names it held are kept in the lists as the user's own, and it is written anew.");
        }
        marked_ = RecordIndex(filed.names.size());  // grown once, not a step at a time
        std::vector<uint32_t> owner_of_group;
        for (const FiledNames::Group& group : filed.groups) owner_of_group.push_back(OwnerOf(group.key));
        MarkNames(filed.names, [&](size_t i) {
          const uint32_t group = filed.group_of[i];
          return Mark{filed.groups[group].list, owner_of_group[group], true};
        });
        // The marks hold what the groups said; their names stay views into the file's bytes.
        filed_bytes_ = std::move(filed.bytes);
      },
      [&] {
        for (Subscription& s : subscriptions_) {
          s.file = ReadHeldNames(s.path, s.url);
          if (s.file.state == OriginFile::State::Damaged) s.damaged = true;
          s.held = std::move(s.file.names);
        }
      });
  for (const Subscription& s : subscriptions_)
    if (s.damaged)
      troubles_.push_back(
          Trouble(s.path, s.file.why, "Until its next update, " + s.url + " takes no name out of the lists."));
  if (filed_trouble) troubles_.push_back(*filed_trouble);
  marks_changed_ = filed_damaged_;
}

const RecordIndex& WebOrigins::Index(const Subscription& s) {
  if (!s.indexed) {
    s.index = RecordIndex(s.held.size());
    s.index.AddEach(s.held);
    s.indexed = true;
  }
  return s.index;
}

WebOrigins::Subscription* WebOrigins::Find(const std::string& url) {
  for (Subscription& s : subscriptions_)
    if (s.url == url) return &s;
  return nullptr;
}

const WebOrigins::Subscription* WebOrigins::Find(const std::string& url) const {
  for (const Subscription& s : subscriptions_)
    if (s.url == url) return &s;
  return nullptr;
}

WebOrigins::Subscription& WebOrigins::Add(const std::string& url) {
  Subscription& s = subscriptions_.emplace_back();
  s.url = url;
  s.key = SubscriptionKey(url);
  s.path = SubscriptionNamesPath(program_dir_, url);
  s.owner = OwnerOf(s.key);
  return s;
}

const WebOrigins::Subscription* WebOrigins::OfOwner(uint32_t owner) const {
  for (const Subscription& s : subscriptions_)
    if (s.owner == owner) return &s;
  return nullptr;
}

uint32_t WebOrigins::OwnerOf(std::string_view key) {
  for (size_t i = 0; i < owners_.size(); ++i)
    if (owners_[i] == key) return uint32_t(i);
  owners_.emplace_back(key);
  return uint32_t(owners_.size() - 1);
}

template <class MarkOf>
std::vector<uint32_t> WebOrigins::MarkNames(const std::vector<std::string_view>& names, MarkOf mark_of) {
  std::vector<uint32_t> numbers = marked_.AddEach(names);
  for (size_t i = 0; i < names.size(); ++i) {
    const uint32_t number = numbers[i];
    if (number == marks_.size()) marks_.push_back({});
    marks_[number] = mark_of(i);
  }
  return numbers;
}

void WebOrigins::ForgetMoved(const TListSet& lists) {
  std::array<bool, kListCount> used{};
  for (const Mark& mark : marks_) used[size_t(mark.list)] = used[size_t(mark.list)] || mark.alive;
  for (size_t l = 0; l < kListCount; ++l) {
    if (!used[l]) continue;
    // The list's records are looked up among the marks, not indexed themselves; their marks
    // are kept, so that the names taken out later are found by them.
    marks_of_[l] = marked_.FindEach(lists[l]);
    std::vector<bool> there(marks_.size());
    for (uint32_t n : marks_of_[l])
      if (n != RecordIndex::kNone) there[n] = true;
    for (size_t m = 0; m < marks_.size(); ++m) {
      Mark& mark = marks_[m];
      if (!mark.alive || size_t(mark.list) != l || there[m]) continue;
      mark.alive = false;
      marks_changed_ = true;
    }
  }
}

WebOrigins::Comparison WebOrigins::Compare(const std::string& url, const RecordList& records,
                                           const RecordLookup* lookup) const {
  Comparison compared;
  const Subscription* s = Find(url);
  if (!s || s->damaged || s->held.empty()) return compared;
  // The names it held are looked up among the records, which are indexed already as they were
  // read: a name held twice (a file edited by hand) is found each time.
  if (lookup && !lookup->Empty()) {
    compared.held_at = lookup->FindEach(records, s->held);
  } else {
    compared.held_at = RecordIndex(records).FindEach(s->held);
    static_assert(RecordIndex::kNone == kNotThere);
  }
  compared.lost = size_t(std::count(compared.held_at.begin(), compared.held_at.end(), kNotThere));
  return compared;
}

uint32_t WebOrigins::OtherHolder(std::string_view name, const Subscription& except) const {
  for (const Subscription& s : subscriptions_)
    if (&s != &except && !s.removed && Index(s).Contains(name)) return s.owner;
  return kNoOwner;
}

bool WebOrigins::Release(uint32_t mark, const Subscription& from, Marked& out) {
  Mark& m = marks_[mark];
  marks_changed_ = true;
  const uint32_t other = OtherHolder(marked_.Key(mark), from);
  if (other != kNoOwner) {
    m.owner = other;
    return false;
  }
  m.alive = false;
  out[size_t(m.list)].push_back(mark);
  return true;
}

void WebOrigins::TakeOut(TListSet& lists, const Marked& out, std::array<bool, kListCount>& changed) {
  for (size_t l = 0; l < kListCount; ++l) {
    if (out[l].empty()) continue;
    changed[l] = true;
    RecordList& list = lists[l];
    std::vector<uint32_t>& of = marks_of_[l];
    if (of.size() != list.size()) {  // not seen by ForgetMoved: its records are looked up
      RecordIndex unwanted(out[l].size());
      for (const uint32_t mark : out[l]) unwanted.Add(marked_.Key(mark));
      RemoveKnown(list, unwanted);
      of.clear();
      continue;
    }
    std::vector<bool> gone(marks_.size());
    for (const uint32_t mark : out[l]) gone[mark] = true;
    const auto goes = [&gone](uint32_t mark) { return mark != RecordIndex::kNone && gone[mark]; };
    list.KeepIf([&](size_t i) { return !goes(of[i]); });
    std::erase_if(of, goes);
  }
}

WebOrigins::Update WebOrigins::Apply(const std::string& url, ListId into, const RecordList& records,
                                     const Comparison& compared, TListSet& lists) {
  Update update;
  Subscription* found = Find(url);
  Subscription& s = found ? *found : Add(url);
  const uint32_t owner = s.owner;

  // What the list has newly is filed when no list holds it; what it held before and no list
  // holds now, the user took out. The comparison answers both which records are old and which
  // old names are still there; one made before the subscription's names were known again is made anew.
  Comparison again;
  const Comparison& c = compared.held_at.size() == s.held.size() ? compared : (again = Compare(url, records));
  std::vector<bool> known(records.size()), still(s.held.size());
  for (size_t j = 0; j < c.held_at.size(); ++j) {
    const uint32_t at = c.held_at[j];
    if (at == kNotThere) continue;
    known[at] = true;
    still[j] = true;
  }
  {
    // The few records it had not held are looked for in the lists: their index is small, and
    // the lists' records are walked instead of indexed.
    std::vector<std::string_view> unheld;
    std::vector<size_t> at;
    for (size_t i = 0; i < records.size(); ++i)
      if (!known[i]) unheld.push_back(records[i]), at.push_back(i);
    if (!unheld.empty()) {
      RecordIndex fresh(unheld.size());
      const std::vector<uint32_t> numbers = fresh.AddEach(unheld);
      std::vector<bool> listed(fresh.Size());
      for (const auto& each : lists)
        for (uint32_t n : fresh.FindEach(each))
          if (n != RecordIndex::kNone) listed[n] = true;
      for (size_t k = 0; k < unheld.size(); ++k)
        if (listed[numbers[k]]) known[at[k]] = true;
    }
  }
  RecordList& list = lists[size_t(into)];
  const bool marks_in_step = marks_of_[size_t(into)].size() == list.size();
  std::vector<std::string_view> filed;
  // Grown once to its new size: a list of a million records doubled would hold a million slots unused.
  list.reserve(size_t(std::count(known.begin(), known.end(), false)));
  for (size_t i = 0; i < records.size(); ++i) {
    if (known[i]) continue;
    list.push_back(records[i]);
    filed.push_back(records[i]);
  }
  update.known = records.size() - filed.size();
  update.fresh = filed.size();
  update.changed[size_t(into)] = update.fresh > 0;
  const std::vector<uint32_t> numbers = MarkNames(filed, [into, owner](size_t) { return Mark{into, owner, true}; });
  if (marks_in_step) marks_of_[size_t(into)].insert(marks_of_[size_t(into)].end(), numbers.begin(), numbers.end());
  marks_changed_ = marks_changed_ || !filed.empty();

  // What it dropped leaves the lists when this subscription answers for it and no other holds it.
  if (!s.damaged) {
    std::vector<std::string_view> dropped;
    for (size_t j = 0; j < s.held.size(); ++j)
      if (!still[j]) dropped.push_back(s.held[j]);
    Marked out;
    for (const uint32_t mark : marked_.FindEach(dropped)) {
      if (mark == RecordIndex::kNone || !marks_[mark].alive || marks_[mark].owner != owner) continue;
      if (Release(mark, s, out)) ++update.taken_out;
    }
    TakeOut(lists, out, update.changed);
  }
  // Its names are the records now; their index is made when it is next asked for.
  s.index = RecordIndex();
  s.indexed = false;
  s.held.assign(records.begin(), records.end());
  s.file = HeldNames();  // what it read last time: nothing refers to it now
  s.damaged = false;
  s.updated = true;
  return update;
}

size_t WebOrigins::Remove(const std::string& url, TListSet& lists, std::array<bool, kListCount>& changed) {
  Subscription* s = Find(url);
  if (!s) return 0;
  s->removed = true;
  const uint32_t owner = s->owner;
  Marked out;
  size_t taken = 0;
  for (size_t m = 0; m < marks_.size(); ++m)
    if (marks_[m].alive && marks_[m].owner == owner && Release(uint32_t(m), *s, out)) ++taken;
  TakeOut(lists, out, changed);
  return taken;
}

void WebOrigins::Claim(const RecordList& names) {
  for (std::string_view name : names) {
    const uint32_t mark = marked_.Find(name);
    if (mark == RecordIndex::kNone || !marks_[mark].alive) continue;
    marks_[mark].alive = false;
    marks_changed_ = true;
  }
}

bool WebOrigins::Save(std::string* file, std::string* why) {
  // "filed.txt" and the subscriptions' files are written at once, on two cores: a kill
  // between the two leaves either in its new state and the other in its old, and both ways
  // the names filed count as the user's, none is taken out.
  std::string filed_why, held_file, held_why;
  bool filed_written = true, held_written = true;
  two_cores::Both(
      [&] {
        if (!marks_changed_) return;
        size_t alive = 0;
        for (const Mark& mark : marks_) alive += mark.alive;
        filed_written = WriteFiledNames(
            filed_path_, alive,
            [this](const FiledNameOut& put) {
              for (uint32_t m = 0; m < marks_.size(); ++m)
                if (marks_[m].alive) put({marked_.Key(m), marks_[m].list, owners_[marks_[m].owner]});
            },
            &filed_why);
        if (filed_written) marks_changed_ = false;
      },
      [&] {
        for (Subscription& s : subscriptions_) {
          if (s.removed) {
            platform::RemoveFile(s.path);
            continue;
          }
          if (!s.updated) continue;
          if (!WriteHeldNames(s.path, s.url, s.held, &held_why)) {
            held_file = s.path;
            held_written = false;
            return;
          }
          s.updated = false;
        }
      });
  if (!filed_written) {
    *file = filed_path_;
    if (why) *why = filed_why;
    return false;
  }
  if (!held_written) {
    *file = held_file;
    if (why) *why = held_why;
    return false;
  }
  return true;
}

std::vector<std::string> WebOrigins::Holders(std::string_view name) const {
  std::vector<std::string> urls;
  for (const Subscription& s : subscriptions_)
    if (!s.removed && Index(s).Contains(name)) urls.push_back(s.url);
  return urls;
}

std::optional<WebOrigins::Filing> WebOrigins::FiledBy(std::string_view name) const {
  const uint32_t mark = marked_.Find(name);
  if (mark == RecordIndex::kNone || !marks_[mark].alive) return std::nullopt;
  const Mark& m = marks_[mark];
  Filing filing{m.list, {}};
  if (const Subscription* s = OfOwner(m.owner); s && !s->removed) filing.url = s->url;
  return filing;
}

size_t WebOrigins::Brought(const std::string& url) const {
  const Subscription* s = Find(url);
  if (!s) return 0;
  return size_t(std::count_if(marks_.begin(), marks_.end(),
                              [owner = s->owner](const Mark& m) { return m.alive && m.owner == owner; }));
}

bool ClaimNames(const std::string& program_dir, const RecordList& names, std::string* file, std::string* why) {
  const std::string path = FiledNamesPath(program_dir);
  const FiledNames filed = ReadFiledNames(path);
  if (filed.state != OriginFile::State::Read || filed.names.empty()) return true;
  RecordIndex claimed(names);
  const std::vector<bool> gone = claimed.ContainsEach(filed.names);
  const size_t kept = size_t(std::count(gone.begin(), gone.end(), false));
  if (kept == filed.names.size()) return true;
  const auto each = [&](const FiledNameOut& put) {
    for (size_t i = 0; i < filed.names.size(); ++i)
      if (!gone[i]) put(filed.Entry(i));
  };
  if (WriteFiledNames(path, kept, each, why)) return true;
  *file = path;
  return false;
}
