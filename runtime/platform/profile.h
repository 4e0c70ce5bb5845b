// The private-profile INI engine: reads and writes single keys of INI files with the
// documented behaviour of the Windows profile functions, and writes files atomically.
//
// Reading: section and key names are compared without regard to ASCII case; blanks
// (spaces and tabs) around section names, keys and values are removed; a value wrapped
// in a matching pair of double or single quotes is read without them; when a section
// or key appears twice, the first one wins; a line without "=" is not a key; lines
// before the first section are ignored; lines may end in CR LF, LF or CR; a section
// header without "]" names the rest of its line. A missing file, section or key reads
// as empty. A value read stops at a NUL byte and is at most 2047 bytes long.
//
// Writing keeps every other line byte for byte and in its order and ends every line
// with CR LF. A missing file or section is created, the section at the end of the file;
// a new key goes behind the last non-blank line of its section. Files that cannot be
// written (read-only, missing folder, unreadable) are left untouched and false is
// returned, with the reason in `why` when it is given (the system's words). Names that could not be read back as
// written (empty, a section with "]", a key with "=" or beginning with "[", line breaks or NUL bytes) are refused, and
// a value is cut at its first line break or NUL byte so that it can never add lines.
//
// `file` is a path in the program's form; the file layer makes it native.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platform {

inline constexpr size_t kProfileValueMax = 2047;

// Called when a file that is there cannot be read for a key (its keys then read as missing),
// with the file and the system's reason, so that the program can tell its user. Nothing is
// called by default.
using ProfileReadTrouble = std::function<void(const std::string& file, const std::string& why)>;
void SetProfileReadTrouble(ProfileReadTrouble tell);

// The key's value, or nothing when the file, the section or the key is missing.
std::optional<std::string> FindProfileString(const std::string& file, const std::string& section,
                                             const std::string& key);
// The key's value, or the empty text when missing.
std::string ReadProfileString(const std::string& file, const std::string& section, const std::string& key);
// The key's value as a decimal number with an optional sign, read up to the first
// character that is not a digit; 0 when missing or not a number.
int32_t ReadProfileInt(const std::string& file, const std::string& section, const std::string& key);

// A section as reads see it: its keys and values in the order of the file (a key given twice
// once, with the first value), and how many sections of that name the file holds (reads see
// only the first).
struct ProfileSection {
  size_t copies = 0;
  std::vector<std::pair<std::string, std::string>> keys;

  // A key's value as ReadProfileString and ReadProfileInt give it, from this one reading.
  std::string String(std::string_view key) const;
  int32_t Int(std::string_view key) const;
};
ProfileSection ReadProfileSection(const std::string& file, const std::string& section);

bool WriteProfileString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value, std::string* why = nullptr);
// Sets the keys to their values and removes the keys `removed` from the section, in one save:
// a reader sees the section as it was or as it is now, never a part of the change.
bool WriteProfileStrings(const std::string& file, const std::string& section,
                         const std::vector<std::pair<std::string, std::string>>& values,
                         const std::vector<std::string>& removed, std::string* why = nullptr);
// Removes the key from the section that reads see (the first of that name), every copy of it.
bool DeleteProfileKey(const std::string& file, const std::string& section, const std::string& key,
                      std::string* why = nullptr);
// Removes every section of that name with all its lines, so nothing of it can be read afterwards.
bool EraseProfileSection(const std::string& file, const std::string& section, std::string* why = nullptr);

}  // namespace platform
