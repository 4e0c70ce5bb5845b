// Reading and writing record files (the seven lists, text files, ban list files) and
// the normalisation of a record.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A record trimmed of the bytes 1 to 32 at both ends and lower-cased by LowerCaseText: as
// UTF-8 when it is UTF-8, otherwise A to Z and the Windows-1251 capitals.
std::string NormaliseRecord(std::string_view record);

// The lines of a file, nothing when it is missing or cannot be read. Files come from
// anywhere, so CR LF, CR and a lone LF all end a line; a UTF-8 byte-order mark at the
// start is not part of the first record; the text ends at a NUL byte, as every text of
// the program does.
std::optional<std::vector<std::string>> ReadRecordFile(const std::string& path);

// The lines, or none for a missing file.
inline std::vector<std::string> LoadRecords(const std::string& path) {
  return ReadRecordFile(path).value_or(std::vector<std::string>{});
}

// Replaces the file by the lines, each followed by CR LF, atomically. On failure the
// old file stays whole, `why` says why, and false is returned.
bool SaveRecords(const std::string& path, const std::vector<std::string>& lines, std::string* why);
