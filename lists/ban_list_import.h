// What loading a ban list file does to the seven lists: the signature check, the
// refusal of files with doubled records, and the merge of new records into the
// categories. Pure: the loader scheme does the dialogs, files and messages around it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "lists/list_catalog.h"

struct BanListImport {
  enum class Verdict { NotBanList, Doubles, Merged };
  Verdict verdict = Verdict::NotBanList;
  // Doubles: the report, "In File 'NAME':" and then every record that occurs again later in the file.
  std::vector<std::string> doubles;
  // Merged: the lines for the source list in display order (the loader emits them last to
  // first): the tags, and the file's records they stand for. A million records are kept
  // once, not once more for the display.
  std::vector<std::string_view> display;
  RecordList records;
};

// `file_lines` are the file's lines, `file_name` its name without folder. On Merged,
// `lists` holds the new content of all seven lists (the user lists only re-sorted);
// otherwise it is unchanged.
BanListImport ImportBanList(RecordList file_lines, const std::string& file_name, TListSet& lists);

// Every line that has an equal line somewhere after it, in order: a record that occurs
// n times is named n - 1 times.
std::vector<std::string> LinesWithLaterEqual(const std::vector<std::string>& lines);
