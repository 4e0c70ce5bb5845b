// NeverBlock: the rules of User_NO_BadList, which win over every category and over
// User_BadList, in every target. Pure: built from the list's lines, asked about records.
//
// - A line spares the record equal to it, byte for byte, as the line is stored; the records
//   the targets get are lower-cased and trimmed first, so a line "Site.com" spares no record.
// - A line "*.example.com" spares example.com and every name below it (www.example.com,
//   a.b.example.com), compared as resolvers compare names: letters in either case, an
//   internationalised name in Unicode or as its A-labels alike. A record that names a path
//   below a host ("ads.example.com/banner", for a firewall) is judged by its host.
//
// Anyone who needs to know why a name is not blocked (the export itself, a query from the
// command line) asks here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "elements/strlist/record_index.h"

struct NeverBlockRule {
  std::string_view line;      // as User_NO_BadList holds it
  bool whole_domain = false;  // a "*." line: the domain and every name below it
};

// The domain a "*." line spares with every name below it ("*.example.com": "example.com"),
// blanks around it trimmed; none for a line of any other form ("*.", "a.*.b", "example.com").
std::optional<std::string_view> WholeDomainOf(std::string_view line);

class NeverBlock {
 public:
  NeverBlock() = default;
  explicit NeverBlock(std::vector<std::string> lines);
  NeverBlock(NeverBlock&&) = default;
  NeverBlock& operator=(NeverBlock&&) = default;
  NeverBlock(const NeverBlock&) = delete;  // the indexes refer to the lines' own texts
  NeverBlock& operator=(const NeverBlock&) = delete;

  // The rule that spares `record` (a record as the targets get it): the line equal to it, or
  // else the "*." line of the nearest domain the record is or lies below. None when no line
  // spares it.
  std::optional<NeverBlockRule> Spares(std::string_view record) const;
  // Every rule that spares `record`: the equal line, then the "*." lines from the nearest
  // domain up.
  std::vector<NeverBlockRule> EveryRule(std::string_view record) const;
  // `records` without those a rule spares; the rest keeps its order.
  void RemoveSpared(RecordList& records) const;

  const std::vector<std::string>& Lines() const { return lines_; }

 private:
  // The key a "*." rule is found by, for a record or a rule's domain: the host in ASCII,
  // lower case (kept in `storage` when it is not the text itself).
  static std::optional<std::string_view> Key(std::string_view text, std::string& storage);
  // The "*." rule of the nearest domain `key` is or lies below: its line, and where in
  // `key` its domain starts. None when no "*." rule covers the key.
  struct Found {
    uint32_t line;
    size_t at;
  };
  std::optional<Found> DomainRule(std::string_view key) const;

  std::vector<std::string> lines_;
  RecordIndex exact_;
  std::vector<uint32_t> exact_lines_;  // the first line of each distinct text of exact_
  std::vector<std::string> domains_;   // the keys of the "*." lines
  RecordIndex domain_index_;
  std::vector<uint32_t> domain_lines_;  // the first line of each distinct key of domain_index_
  bool single_label_ = false;           // a "*." rule of a name of one label
};
