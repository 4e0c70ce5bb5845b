// Where a name comes from, for `veltrane --query NAME` and the "Find" of the "Load / Edit URL"
// page: each list that holds it and how it came there (by the user's hand, or through which
// subscription), the subscribed web lists that hold it, the never-block rules that spare it,
// and for each target set up whether its next export writes it. The name is taken in any case,
// and an internationalised name in UTF-8 or as A-labels.
//
// Everything is read from the files as they are (the lists, "Veltra.ini", what the
// subscriptions know): a million records in every list are looked through in well under a
// second, without an index.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "lists/list_catalog.h"

// The forms a list may hold the name in: trimmed and in lower case as typed, and its A-label
// or Unicode form where it has one. The first is the name the answer speaks of.
std::vector<std::string> NameForms(std::string_view typed);

struct NameAnswer {
  std::string name;
  struct Holding {
    ListId list;
    std::string record;   // the list's line, as it stands there
    std::string through;  // the subscription that filed it and answers for it; empty: the user's own
  };
  std::vector<Holding> lists;
  std::vector<std::string> held_by;    // subscriptions whose list held it at their last update
  std::vector<std::string> spared_by;  // lines of User_NO_BadList that keep it from being blocked
  struct Export {
    std::string target;  // its title
    std::string verdict;
  };
  std::vector<Export> exports;
  std::vector<std::string> troubles;  // files that could not be read

  // A list or a never-block rule names it.
  bool Named() const { return !lists.empty() || !spared_by.empty(); }
  // The answer as lines for the user: the name, then one line per fact.
  std::vector<std::string> Lines() const;
};

NameAnswer QueryName(std::string_view typed, const std::string& program_dir);
