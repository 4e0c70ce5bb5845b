// WebOrigins: where the names of the lists came from, as far as subscriptions brought them,
// and what an update, a removal of a subscription or the user's own filing does to that.
//
// A subscription's update files the names its list has newly (those its last good update did
// not give) that no list holds, as before; a name it held before and that no list holds now was
// taken out by the user, and stays out. Every name a subscription files is the subscriptions'
// to take out again: when the list that brought it no longer holds it, it leaves the list it
// was filed into, unless another subscription's list still holds it (that one then answers for
// it). A name stops being the subscriptions' for good when the user makes it theirs: moves it
// out of the list it was filed into (to another list, or out of every list), or files it by
// hand (an import of a list that holds it, a ban list); and names the user filed before any
// subscription brought them were never the subscriptions'. So nothing the user filed or moved
// is ever taken out.
//
// The names are views into the files read (web_origins_files.h) and into the records an update
// is given, which must therefore live until Save.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "elements/strlist/distinct_records.h"
#include "elements/strlist/record_index.h"
#include "lists/list_catalog.h"
#include "lists/web_origins_files.h"

class WebOrigins {
 public:
  // Reads what the subscriptions at `urls` knew, in "Backup\Web" below `program_dir`. A file
  // that is damaged is told in Troubles(); it takes no name out, and the next Save writes it
  // anew from what the update knows.
  void Load(const std::string& program_dir, const std::vector<std::string>& urls);
  // What could not be read, one text per file, for the user.
  const std::vector<std::string>& Troubles() const { return troubles_; }

  // Names filed by a subscription that are no longer in the list they went into: the user
  // moved or deleted them, and from now on they are the user's. Called before Apply and Remove
  // with the lists they are given, it lets them find the names they take out without looking
  // the lists up again.
  void ForgetMoved(const TListSet& lists);

  // An update's records beside the names the subscription's last good update gave: where each
  // of those is among the records, and how many it lost. `lookup`, when given, is the table the
  // records were read by (WebListReader::Take); without it they are indexed here.
  struct Comparison {
    std::vector<uint32_t> held_at;  // for each name it held, its place in the records or kNotThere
    size_t lost = 0;                // 0 when there was no good update
    size_t Had() const { return held_at.size(); }
  };
  static constexpr uint32_t kNotThere = RecordLookup::kNone;
  Comparison Compare(const std::string& url, const RecordList& records, const RecordLookup* lookup = nullptr) const;

  struct Update {
    size_t fresh = 0, taken_out = 0, known = 0;
    std::array<bool, kListCount> changed{};  // the lists it changed
  };
  // The subscription's list now holds `records` (each once), `compared` by Compare: files the
  // names it has newly into `into` (copies, at the list's end, unsorted), takes the names it
  // dropped out of `lists` by the rules above, and counts both; every other record counts as known.
  Update Apply(const std::string& url, ListId into, const RecordList& records, const Comparison& compared,
               TListSet& lists);
  Update Apply(const std::string& url, ListId into, const RecordList& records, TListSet& lists) {
    return Apply(url, into, records, Compare(url, records), lists);
  }
  // The subscription is gone: the names it answers for leave their lists (or pass to another
  // subscription that holds them) and its file goes at Save. The count taken out.
  size_t Remove(const std::string& url, TListSet& lists, std::array<bool, kListCount>& changed);
  // The user filed these names by hand: they are no subscription's to take out.
  void Claim(const RecordList& names);

  // Writes what changed: "filed.txt" and the files of the subscriptions updated, at once, and
  // removes those of the subscriptions removed. False with the file and the reason when a
  // write failed.
  bool Save(std::string* file, std::string* why);

  // For the question where a name comes from: the addresses of the subscriptions whose list
  // held it at their last update, and the list it was filed into with the address of the
  // subscription that answers for it.
  std::vector<std::string> Holders(std::string_view name) const;
  struct Filing {
    ListId list;
    std::string url;  // empty for a subscription no longer subscribed
  };
  std::optional<Filing> FiledBy(std::string_view name) const;
  // How many names the subscription answers for.
  size_t Brought(const std::string& url) const;

 private:
  static constexpr uint32_t kNoOwner = UINT32_MAX;
  struct Subscription {
    std::string url, key, path;
    uint32_t owner = kNoOwner;           // its key's place in owners_
    HeldNames file;                      // as read
    std::vector<std::string_view> held;  // its names now
    // Of `held`, made the first time it is asked for (Index): an update asks for the index of
    // the subscription it updates, and of others only for the names that one dropped.
    mutable RecordIndex index;
    mutable bool indexed = false;
    bool damaged = false;  // its file could not be read: it takes nothing out
    bool updated = false, removed = false;
  };
  struct Mark {
    ListId list = ListId::Unsorted;
    uint32_t owner = kNoOwner;  // the key's place in owners_
    bool alive = false;
  };

  static const RecordIndex& Index(const Subscription& s);
  Subscription* Find(const std::string& url);
  const Subscription* Find(const std::string& url) const;
  Subscription& Add(const std::string& url);
  const Subscription* OfOwner(uint32_t owner) const;
  uint32_t OwnerOf(std::string_view key);
  // Marks the names, mark_of(i) giving the mark of names[i]; their marks' numbers.
  template <class MarkOf>
  std::vector<uint32_t> MarkNames(const std::vector<std::string_view>& names, MarkOf mark_of);
  // Another subscription (not `except`) whose list holds the name, or kNoOwner.
  uint32_t OtherHolder(std::string_view name, const Subscription& except) const;
  // Marks by the list they were filed into.
  using Marked = std::array<std::vector<uint32_t>, kListCount>;
  // The name leaves the subscriptions' hands: it passes to another holder, or it is taken out
  // of its list (its mark joins `out`).
  bool Release(uint32_t mark, const Subscription& from, Marked& out);
  // Takes the names of the marks out of their lists.
  void TakeOut(TListSet& lists, const Marked& out, std::array<bool, kListCount>& changed);

  std::string program_dir_, filed_path_;
  std::string filed_bytes_;  // "filed.txt" as read: the names of the marks read from it
  bool filed_damaged_ = false, marks_changed_ = false;
  std::vector<Subscription> subscriptions_;
  std::vector<std::string> owners_;  // the keys of the subscriptions marks name
  RecordIndex marked_;               // the names of marks_, numbered as marks_
  std::vector<Mark> marks_;
  // Of each list ForgetMoved looked through, the mark of each record (RecordIndex::kNone for
  // names no subscription filed), kept in step as Apply and Remove change the list; a list not
  // in step has its records looked up instead.
  Marked marks_of_;
  std::vector<std::string> troubles_;
};

// The user filed these names by hand (an import, a ban list): no subscription takes them out
// from now on. Reads and writes "filed.txt" below `program_dir` only where there is one. False,
// with the file and the reason, when it could not be written; a damaged one is left as it is
// (it takes nothing out).
bool ClaimNames(const std::string& program_dir, const RecordList& names, std::string* file, std::string* why);
