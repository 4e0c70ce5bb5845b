#include "lists/web_origins.h"

#include <algorithm>

#include "runtime/platform/files.h"

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
  for (const std::string& url : urls) {
    if (Find(url)) continue;  // an address subscribed twice is one subscription here
    Subscription& s = Add(url);
    s.file = ReadHeldNames(s.path, url);
    if (s.file.state == OriginFile::State::Damaged) {
      s.damaged = true;
      troubles_.push_back(
          Trouble(s.path, s.file.why, "Until its next update, " + url + " takes no name out of the lists."));
    }
    s.held = std::move(s.file.names);
  }

  filed_file_ = ReadFiledNames(filed_path_);
  if (filed_file_.state == OriginFile::State::Damaged) {
    filed_damaged_ = true;
    troubles_.push_back(Trouble(filed_path_, filed_file_.why,
                                "The names it held are kept in the lists as the user's own, and it is written anew."));
  }
  std::vector<std::string_view> names;
  names.reserve(filed_file_.entries.size());
  for (const FiledName& entry : filed_file_.entries) names.push_back(entry.name);
  MarkNames(names, [&](size_t i) {
    const FiledName& entry = filed_file_.entries[i];
    return Mark{entry.list, OwnerOf(entry.key), true};
  });
  // The marks hold what the entries said; their names stay views into the file's bytes.
  filed_file_.entries = {};
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
void WebOrigins::MarkNames(const std::vector<std::string_view>& names, MarkOf mark_of) {
  const std::vector<uint32_t> numbers = marked_.AddEach(names);
  for (size_t i = 0; i < names.size(); ++i) {
    const uint32_t number = numbers[i];
    if (number == marks_.size()) marks_.push_back({});
    marks_[number] = mark_of(i);
  }
}

void WebOrigins::ForgetMoved(const TListSet& lists) {
  std::array<bool, kListCount> used{};
  for (const Mark& mark : marks_) used[size_t(mark.list)] = used[size_t(mark.list)] || mark.alive;
  for (size_t l = 0; l < kListCount; ++l) {
    if (!used[l]) continue;
    // The list's records are looked up among the marks, not indexed themselves.
    std::vector<bool> there(marks_.size());
    for (uint32_t n : marked_.FindEach(lists[l]))
      if (n != RecordIndex::kNone) there[n] = true;
    for (size_t m = 0; m < marks_.size(); ++m) {
      Mark& mark = marks_[m];
      if (!mark.alive || size_t(mark.list) != l || there[m]) continue;
      mark.alive = false;
      marks_changed_ = true;
    }
  }
}

size_t WebOrigins::HadNames(const std::string& url) const {
  const Subscription* s = Find(url);
  return s && !s->damaged ? s->held.size() : 0;
}

size_t WebOrigins::LostNames(const std::string& url, const RecordList& records) const {
  const Subscription* s = Find(url);
  if (!s || s->damaged || s->held.empty()) return 0;
  // The names it holds still, counted once: what is left of the old ones is what was lost.
  const std::vector<bool> held = Index(*s).ContainsEach(records);
  return s->held.size() - size_t(std::count(held.begin(), held.end(), true));
}

uint32_t WebOrigins::OtherHolder(std::string_view name, const Subscription& except) const {
  for (const Subscription& s : subscriptions_)
    if (&s != &except && !s.removed && Index(s).Contains(name)) return s.owner;
  return kNoOwner;
}

bool WebOrigins::Release(uint32_t mark, const Subscription& from,
                         std::array<std::vector<std::string_view>, kListCount>& out) {
  Mark& m = marks_[mark];
  marks_changed_ = true;
  const uint32_t other = OtherHolder(marked_.Key(mark), from);
  if (other != kNoOwner) {
    m.owner = other;
    return false;
  }
  m.alive = false;
  out[size_t(m.list)].push_back(marked_.Key(mark));
  return true;
}

void WebOrigins::TakeOut(TListSet& lists, std::array<std::vector<std::string_view>, kListCount>& out,
                         std::array<bool, kListCount>& changed) {
  for (size_t l = 0; l < kListCount; ++l) {
    if (out[l].empty()) continue;
    RecordIndex unwanted(out[l].size());
    for (std::string_view name : out[l]) unwanted.Add(name);
    RemoveKnown(lists[l], unwanted);
    changed[l] = true;
  }
}

WebOrigins::Update WebOrigins::Apply(const std::string& url, ListId into, const RecordList& records, TListSet& lists) {
  Update update;
  Subscription* found = Find(url);
  Subscription& s = found ? *found : Add(url);
  const uint32_t owner = s.owner;

  // What the list has newly is filed when no list holds it; what it held before and no list
  // holds now, the user took out. One lookup of the records in what it held answers both which
  // records are old and which old names are still there.
  std::vector<bool> known(records.size()), still(s.held.size());
  {
    const std::vector<uint32_t> old = Index(s).FindEach(records);
    for (size_t i = 0; i < records.size(); ++i) {
      if (old[i] == RecordIndex::kNone) continue;
      known[i] = true;
      still[old[i]] = true;
    }
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
  MarkNames(filed, [into, owner](size_t) { return Mark{into, owner, true}; });
  marks_changed_ = marks_changed_ || !filed.empty();

  // What it dropped leaves the lists when this subscription answers for it and no other holds it.
  if (!s.damaged) {
    std::array<std::vector<std::string_view>, kListCount> out;
    for (size_t j = 0; j < s.held.size(); ++j) {
      if (still[j]) continue;
      const uint32_t mark = marked_.Find(s.held[j]);
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
  std::array<std::vector<std::string_view>, kListCount> out;
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
  if (marks_changed_) {
    size_t alive = 0;
    for (const Mark& mark : marks_) alive += mark.alive;
    const bool written = WriteFiledNames(
        filed_path_, alive,
        [this](const FiledNameOut& put) {
          for (uint32_t m = 0; m < marks_.size(); ++m)
            if (marks_[m].alive) put({marked_.Key(m), marks_[m].list, owners_[marks_[m].owner]});
        },
        why);
    if (!written) {
      *file = filed_path_;
      return false;
    }
    marks_changed_ = false;
  }
  for (Subscription& s : subscriptions_) {
    if (s.removed) {
      platform::RemoveFile(s.path);
      continue;
    }
    if (!s.updated) continue;
    if (!WriteHeldNames(s.path, s.url, s.held, why)) {
      *file = s.path;
      return false;
    }
    s.updated = false;
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
  if (filed.state != OriginFile::State::Read || filed.entries.empty()) return true;
  RecordIndex claimed(names);
  std::vector<FiledName> kept;
  kept.reserve(filed.entries.size());
  for (const FiledName& entry : filed.entries)
    if (!claimed.Contains(entry.name)) kept.push_back(entry);
  if (kept.size() == filed.entries.size() || WriteFiledNames(path, kept, why)) return true;
  *file = path;
  return false;
}
