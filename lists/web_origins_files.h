// The files that say where the names of the subscribed web lists came from. The list files
// stay the plain lists other programs read; what the subscriptions know lives beside them in
// the program folder's "Backup\Web" folder, written as every file of the program is (whole or
// not at all):
// - "NAMES-KEY.txt", one per subscription: the names its list held at its last good update,
//   so that the next update knows which names the list dropped and which it has newly;
// - "filed.txt": every name a subscription filed that is still the subscriptions' to take out
//   again, in groups by the list it went into and the subscription that answers for it (a
//   line "# LIST KEY" before each group).
// Each file starts with a line that names what it holds (and, for a subscription, its address)
// and ends with a line that counts its names, so that a file cut short, edited or of another
// kind is told as damaged instead of being taken for fewer names.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lists/list_catalog.h"

// The part of a subscription's file name that stands for its address: 16 hexadecimal digits.
std::string SubscriptionKey(std::string_view url);
std::string SubscriptionNamesPath(const std::string& program_dir, std::string_view url);
std::string FiledNamesPath(const std::string& program_dir);

// What reading one of these files found. Its names are views into the bytes it read.
struct OriginFile {
  enum class State { Missing, Read, Damaged };
  State state = State::Missing;
  std::string why;  // Damaged: what is wrong, in words for the user

  // The file's bytes, which the views below point into. A file that is read is never shorter
  // than its first line, so the text lives on the heap and keeps its place when moved.
  std::string bytes;
  size_t size = 0;
};

struct HeldNames : OriginFile {
  std::vector<std::string_view> names;
};

struct FiledName {
  std::string_view name;
  ListId list = ListId::Unsorted;  // the list it was filed into
  std::string_view key;            // the subscription that answers for it (SubscriptionKey)
};

// The names in their groups as the file holds them: four bytes a name besides its view, not
// a list and a key each.
struct FiledNames : OriginFile {
  struct Group {
    ListId list = ListId::Unsorted;
    std::string_view key;
  };
  std::vector<Group> groups;  // in the order they come
  std::vector<std::string_view> names;
  std::vector<uint32_t> group_of;  // names[i] is of groups[group_of[i]]

  FiledName Entry(size_t i) const {
    const Group& group = groups[group_of[i]];
    return {names[i], group.list, group.key};
  }
};

// The names a subscription's list held, from its file; Damaged when the file is not one of
// that address.
HeldNames ReadHeldNames(const std::string& path, std::string_view url);
// Replaces the file; false with the reason in `why` when the old one stays.
bool WriteHeldNames(const std::string& path, std::string_view url, const std::vector<std::string_view>& names,
                    std::string* why);

FiledNames ReadFiledNames(const std::string& path);
bool WriteFiledNames(const std::string& path, const std::vector<FiledName>& entries, std::string* why);
// The same for `count` entries that `each` hands to the function it is given, one at a time.
using FiledNameOut = std::function<void(const FiledName&)>;
bool WriteFiledNames(const std::string& path, size_t count, const std::function<void(const FiledNameOut&)>& each,
                     std::string* why);
