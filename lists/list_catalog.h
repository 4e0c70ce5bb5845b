// The seven record lists: their names, files, ban list tags, counter variables and
// generation keys, defined once for every scheme that addresses a list.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "runtime/record_list.h"

// In the order of the category chooser and the statistics text.
enum class ListId : size_t { Advertisement, Misc, Porno, Unsorted, Viruses, UserBad, UserNoBad };
inline constexpr size_t kListCount = 7;

struct TListInfo {
  const char* name;        // as shown: the file name without ".txt"
  const char* file;        // relative to the program folder
  const char* file_name;   // the file name alone, as reports name it
  const char* tag;         // written into a ban list file; empty for the two user lists
  const char* search_tag;  // the tag as the loader looks for it, after lower-casing every line
  const char* counter;     // global variable holding the list's line count
  const char* gen_key;     // INI key (section "BanList") of its check box on the generate page
};

inline constexpr std::array<TListInfo, kListCount> kLists{{
    {"Advertisement", "Lists\\Advertisement.txt", "Advertisement.txt", "[Advertisement]", "[advertisement]", "advcount",
     "gen_advert"},
    {"Misc", "Lists\\Misc.txt", "Misc.txt", "[Misc]", "[misc]", "misccount", "gen_misc"},
    {"Porno", "Lists\\Porno.txt", "Porno.txt", "[Porno]", "[porno]", "pornocount", "gen_porno"},
    {"Unsorted", "Lists\\Unsorted.txt", "Unsorted.txt", "[Unsorted]", "[unsorted]", "unsortcount", "gen_unsorted"},
    {"Viruses (and similar)", "Lists\\Viruses (and similar).txt", "Viruses (and similar).txt",
     "[Viruses (and similar)]", "[viruses (and similar)]", "vircount", "gen_virus"},
    {"User_BadList", "Lists\\User_BadList.txt", "User_BadList.txt", "", "", "ublcount", ""},
    {"User_NO_BadList", "Lists\\User_NO_BadList.txt", "User_NO_BadList.txt", "", "", "unblcount", ""},
}};

constexpr const TListInfo& Info(ListId id) { return kLists[static_cast<size_t>(id)]; }

// The list as the check box of the generate page names it: its name, but "Viruses" for
// "Viruses (and similar)", whose full name does not fit beside the box.
constexpr const char* PageLabel(ListId id) { return id == ListId::Viruses ? "Viruses" : Info(id).name; }

// The five categories, in the order of the ban list file and the generate page.
inline constexpr std::array<ListId, 5> kCategories{ListId::Advertisement, ListId::Misc, ListId::Porno, ListId::Unsorted,
                                                   ListId::Viruses};

// The order of the all-records list, which existence checks and the clipboard's
// "(in ...)" report go by.
inline constexpr std::array<ListId, kListCount> kAllRecordsOrder{
    ListId::UserBad,       ListId::UserNoBad, ListId::Misc,    ListId::Porno,
    ListId::Advertisement, ListId::Viruses,   ListId::Unsorted};

// The order of the start-up correction and of the search for doubled records.
inline constexpr std::array<ListId, kListCount> kStartupOrder{ListId::UserBad,      ListId::UserNoBad, ListId::Misc,
                                                              ListId::Porno,        ListId::Unsorted,  ListId::Viruses,
                                                              ListId::Advertisement};

// The contents of all seven lists, indexed by ListId.
using TListSet = std::array<RecordList, kListCount>;

inline RecordList& Of(TListSet& lists, ListId id) { return lists[static_cast<size_t>(id)]; }
inline const RecordList& Of(const TListSet& lists, ListId id) { return lists[static_cast<size_t>(id)]; }

// The list's file under the program folder (which ends in a separator): plain concatenation.
inline std::string ListPath(const std::string& program_dir, ListId id) { return program_dir + Info(id).file; }
